#pragma once
// UV import: brings the layout edited in the painter (the correspondence file
// "maya.cor" in the exchange directory) back onto the selected meshes. Each
// mesh is read into plain arrays and matched by the import's core
// (UvImport/UvMatching.h); a mesh without construction history gets its UVs replaced (fast
// method), a mesh whose geometry comes from construction history UV nodes
// in front of it (slow method, see UvHistoryNodes.h). A failure never leaves
// a mesh without UVs, half rewired or with a stray node. Every change is
// recorded, so that the command's undo takes it back.
#include <maya/MStatus.h>

#include <maya/MString.h>

#include "Maya/MeshUvArrays.h"

class CorrespondenceTable;
class RecordedGroupIndex;
class UvImportChanges;
class MDagPath;
class MFnDagNode;
class MFnMesh;
class MSelectionList;

// Success, or failure when the correspondence file cannot be loaded. The
// second form records what it changed in `changes`.
MStatus importUVs();
// With `items`, onto those paths instead of the active selection.
MStatus importUVs(UvImportChanges& changes, const MSelectionList* items = nullptr);

// What one run matches against: the correspondence records and, when it
// could be read, the last export's record. With the record each mesh is
// written in the UV set it names, matched through the export's placement
// where it was only moved since, and a warning says why polygons stay
// unmatched; without it each mesh's current set is matched as placed now.
struct UvImportSource {
  const CorrespondenceTable& table;
  const RecordedGroupIndex* record;  // the record's groups; null without a record
};

// One mesh: its UVs from the matching records; failure for paths that are
// not meshes (and for NURBS surfaces, with a message), for a mesh whose
// recorded UV set is gone, or when a method fails.
MStatus importMeshUVs(const UvImportSource& source, MFnDagNode& dagNode, const MDagPath& path,
                      UvImportChanges& changes);

// The fast method's write: the UV set becomes `layout`. When Maya refuses
// it, the mesh gets `before` (the set's layout as read before) back and the
// result is failure.
MStatus replaceMeshUVs(MFnMesh& mesh, const MString& uvSet, const MeshUvArrays& layout, const MeshUvArrays& before);
