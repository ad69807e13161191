#include "GeometryData.h"

namespace OmbrixHost {

void MeshData::rebuildFaceStarts() {
  faceStarts.assign(faceCounts.size() + 1, 0);
  for (std::size_t i = 0; i < faceCounts.size(); ++i)
    faceStarts[i + 1] = faceStarts[i] + faceCounts[i];
}

UVSet* MeshData::uvSet(const std::string* name) {
  if (!name || name->empty())
    return currentUVSet >= 0 && currentUVSet < static_cast<int>(uvSets.size()) ? &uvSets[currentUVSet] : nullptr;
  for (auto& s : uvSets)
    if (s.name == *name)
      return &s;
  return nullptr;
}

const UVSet* MeshData::uvSet(const std::string* name) const {
  return const_cast<MeshData*>(this)->uvSet(name);
}

void MeshData::applyTweaks() {
  if (tweaksApplied)
    return;
  for (auto& [vertex, tweak] : tweaks) {
    tweak.applied = vertex >= 0 && static_cast<std::size_t>(vertex) < points.size();
    if (!tweak.applied)
      continue;
    Point3& p = points[static_cast<std::size_t>(vertex)];
    tweak.base = p;
    p = Point3{p.x + tweak.offset.x, p.y + tweak.offset.y, p.z + tweak.offset.z};
  }
  tweaksApplied = true;
}

void MeshData::removeTweaks() {
  if (!tweaksApplied)
    return;
  for (const auto& [vertex, tweak] : tweaks)
    if (tweak.applied && static_cast<std::size_t>(vertex) < points.size())
      points[static_cast<std::size_t>(vertex)] = tweak.base;
  tweaksApplied = false;
}

UVSet& MeshData::ensureUVSet(const std::string& name) {
  if (UVSet* s = uvSet(&name))
    return *s;
  uvSets.push_back(UVSet{name, {}, {}, {}});
  return uvSets.back();
}

static bool nonDecreasing(const std::vector<double>& k) {
  for (std::size_t i = 1; i < k.size(); ++i)
    if (!(k[i] >= k[i - 1]))
      return false;
  return true;
}

bool NurbsData::valid() const {
  if (degreeU < 1 || degreeV < 1 || degreeU > 7 || degreeV > 7)
    return false;
  if (numCVsU() < degreeU + 1 || numCVsV() < degreeV + 1)
    return false;
  if (cvs.size() != static_cast<std::size_t>(numCVsU()) * static_cast<std::size_t>(numCVsV()))
    return false;
  if (weights.size() != cvs.size())
    return false;
  return nonDecreasing(knotsU) && nonDecreasing(knotsV) &&
         knotsU[degreeU - 1] < knotsU[knotsU.size() - degreeU] &&
         knotsV[degreeV - 1] < knotsV[knotsV.size() - degreeV];
}

}  // namespace OmbrixHost
