#pragma once
// The UV import's nodes for a mesh with construction history, made the way
// Maya itself records UV edits in history:
// - when the painter kept the mesh's UV sharing (each UV of the mesh became
//   one UV of the new layout, and no two became one), a polyTweakUV whose
//   "uvTweak" moves each changed UV by the offset that gives the new value;
// - otherwise a polyMapDel takes the UVs off every face, a polyTweakUV's
//   "newUV" adds the new UV at each face-vertex, and a polyMapSew joins them
//   along every edge whose two faces have the same new UV at both its ends.
// Either way every corner gets the new layout's UV, shared where the layout
// shares it. Which of the two, and which edges are sewn, the import's core
// decides (UvImport/UvSharing.h); this file makes and fills the nodes.
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <string>
#include <vector>

#include "UvImport/UvSharing.h"

class MDGModifier;
class MFnMesh;
class MPlug;

// The new layout (one UV id per face-vertex of every face it covers), with
// each face-vertex's face and mesh vertex, the UV set's layout before, and
// the UV set the nodes edit.
struct UvHistoryWork {
  const MeshUvArrays& layout;
  const std::vector<int>& faceIds;
  const std::vector<int>& vertexIds;
  const MeshUvArrays& before;
  const MString& uvSet;
};

// The edges (by the mesh's edge ids, ascending) whose two faces the layout
// gives the same UV at both ends.
std::vector<int> sharedUvEdges(const MFnMesh& mesh, const UvHistoryWork& work);

// Maya's component list items for sorted ids: "e[0:3]", "e[7]", ...
std::vector<std::string> componentRanges(char kind, const std::vector<int>& ids);

// Creates the nodes in `modifier` (which the caller undoes on failure), fills
// them and puts them between `source` and the mesh's "inMesh". Null on
// success, else the reason.
const char* insertUvHistory(MDGModifier& modifier, MFnMesh& mesh, const MPlug& source, const UvHistoryWork& work);
