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
// shares it.
#include <maya/MIntArray.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <string>
#include <vector>

#include "Maya/MeshUvArrays.h"

class MDGModifier;
class MFnMesh;
class MPlug;

// The new layout (one UV id per face-vertex of every face it covers), with
// each face-vertex's face and mesh vertex, and the UV set's layout before.
struct UvHistoryWork {
  const MeshUvArrays& layout;
  const MIntArray& faceIds;
  const MIntArray& vertexIds;
  const MeshUvArrays& before;
};

// One UV of the mesh moved by (du, dv).
struct UvTweak {
  int id;
  float du, dv;
};

// True when `layout` shares UVs exactly as `before` does (every face mapped
// in both with the same corners); `tweaks` then holds the offsets of the
// UVs whose value changes.
bool uvTweaksFor(const MeshUvArrays& before, const MeshUvArrays& layout, std::vector<UvTweak>& tweaks);

// The offset d for which `from + d` in float is `to`, where one exists within
// a few units in the last place of the difference; else the rounded
// difference (`to` is then missed by at most a unit of d's last place).
float exactOffset(float from, float to);

// The edges (by the mesh's edge ids, ascending) whose two faces the layout
// gives the same UV at both ends.
std::vector<int> sharedUvEdges(const MFnMesh& mesh, const UvHistoryWork& work);

// Maya's component list items for sorted ids: "e[0:3]", "e[7]", ...
std::vector<std::string> componentRanges(char kind, const std::vector<int>& ids);

// Creates the nodes in `modifier` (which the caller undoes on failure), fills
// them and puts them between `source` and the mesh's "inMesh". Null on
// success, else the reason.
const char* insertUvHistory(MDGModifier& modifier, MFnMesh& mesh, const MPlug& source, const UvHistoryWork& work);
