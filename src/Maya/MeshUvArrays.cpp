#include "Maya/MeshUvArrays.h"

#include <maya/MFnMesh.h>
#include <maya/MStringArray.h>

namespace {

template <typename T, typename Array>
std::vector<T> plainCopy(const Array& array) {
  std::vector<T> out(array.length());
  if (!out.empty())
    array.get(out.data());
  return out;
}

}  // namespace

std::vector<int> plainArray(const MIntArray& array) { return plainCopy<int>(array); }
std::vector<float> plainArray(const MFloatArray& array) { return plainCopy<float>(array); }
MIntArray mayaArray(const std::vector<int>& array) {
  return MIntArray(array.data(), static_cast<unsigned int>(array.size()));
}
MFloatArray mayaArray(const std::vector<float>& array) {
  return MFloatArray(array.data(), static_cast<unsigned int>(array.size()));
}

bool hasUvSet(const MFnMesh& mesh, const MString& uvSet) {
  MStringArray names;
  mesh.getUVSetNames(names);
  for (unsigned int i = 0; i < names.length(); ++i) {
    if (names[i] == uvSet) return true;
  }
  return false;
}

bool readMeshUVs(const MFnMesh& mesh, const MString& uvSet, MeshUvArrays& layout) {
  MFloatArray us, vs;
  MIntArray uvCounts, uvIds;
  const bool values = mesh.getUVs(us, vs, &uvSet) == MStatus::kSuccess;
  const bool assigned = mesh.getAssignedUVs(uvCounts, uvIds, &uvSet) == MStatus::kSuccess;
  layout.us = plainArray(us);
  layout.vs = plainArray(vs);
  layout.uvCounts = plainArray(uvCounts);
  layout.uvIds = plainArray(uvIds);
  return values && assigned;
}

MStatus writeMeshUVs(MFnMesh& mesh, const MString& uvSet, const MeshUvArrays& layout) {
  // Maya's arrays first: running out of memory for them leaves the set untouched.
  const MFloatArray us = mayaArray(layout.us), vs = mayaArray(layout.vs);
  const MIntArray uvCounts = mayaArray(layout.uvCounts), uvIds = mayaArray(layout.uvIds);
  mesh.clearUVs(&uvSet);
  if (mesh.setUVs(us, vs, &uvSet) == MStatus::kSuccess && mesh.assignUVs(uvCounts, uvIds, &uvSet) == MStatus::kSuccess)
    return MStatus(MStatus::kSuccess);
  return MStatus(MStatus::kFailure);
}
