#include "Maya/MeshUvArrays.h"

#include <maya/MFnMesh.h>

bool readMeshUVs(const MFnMesh& mesh, const MString& uvSet, MeshUvArrays& layout) {
  const bool values = mesh.getUVs(layout.us, layout.vs, &uvSet) == MStatus::kSuccess;
  const bool assigned = mesh.getAssignedUVs(layout.uvCounts, layout.uvIds, &uvSet) == MStatus::kSuccess;
  return values && assigned;
}

MStatus writeMeshUVs(MFnMesh& mesh, const MString& uvSet, const MeshUvArrays& layout) {
  mesh.clearUVs(&uvSet);
  if (mesh.setUVs(layout.us, layout.vs, &uvSet) == MStatus::kSuccess &&
      mesh.assignUVs(layout.uvCounts, layout.uvIds, &uvSet) == MStatus::kSuccess)
    return MStatus(MStatus::kSuccess);
  return MStatus(MStatus::kFailure);
}
