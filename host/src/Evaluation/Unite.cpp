#include "MeshEdges.h"
#include "ModelingNodes.h"

#include <algorithm>
#include <cstddef>
#include <map>

namespace OmbrixHost {
namespace {

// Each face's corners from `first` on in reverse order after their first one
// (as polyNormal turns faces over), in `values` laid out by the faces' counts.
void turnOver(const std::vector<int>& counts, std::vector<int>& values, std::size_t first) {
  for (int count : counts) {
    if (count > 1 && first + static_cast<std::size_t>(count) <= values.size()) {
      const auto start = values.begin() + static_cast<std::ptrdiff_t>(first);
      std::reverse(start + 1, start + count);
    }
    first += static_cast<std::size_t>(std::max(count, 0));
  }
}

}  // namespace

MeshData uniteMeshes(const std::vector<PlacedMesh>& parts) {
  MeshData out;
  std::map<std::string, std::size_t> setOfName;
  for (const auto& part : parts)
    for (const auto& set : part.mesh.uvSets)
      if (setOfName.emplace(set.name, out.uvSets.size()).second)
        out.uvSets.push_back(UVSet{set.name, {}, {}, {}});
  for (const auto& part : parts) {
    const MeshData& m = part.mesh;
    const int firstPoint = static_cast<int>(out.points.size());
    const std::size_t firstCorner = out.faceConnects.size();
    for (const auto& p : m.points)
      out.points.push_back(part.matrix.apply(p));
    out.faceCounts.insert(out.faceCounts.end(), m.faceCounts.begin(), m.faceCounts.end());
    for (int v : m.faceConnects)
      out.faceConnects.push_back(v + firstPoint);
    for (const auto& [a, b] : meshEdges(m).ends)  // each input's edges after the last's, in their order
      out.edges.insert(out.edges.end(), {a + firstPoint, b + firstPoint});
    for (auto& set : out.uvSets)
      set.uvIds.resize(out.faceConnects.size(), -1);
    for (const auto& set : m.uvSets) {
      UVSet& into = out.uvSets[setOfName[set.name]];
      const int firstUV = static_cast<int>(into.us.size());
      into.us.insert(into.us.end(), set.us.begin(), set.us.end());
      into.vs.insert(into.vs.end(), set.vs.begin(), set.vs.end());
      for (std::size_t k = 0; k < set.uvIds.size() && k < m.faceConnects.size(); ++k)
        if (set.uvIds[k] >= 0)
          into.uvIds[firstCorner + k] = set.uvIds[k] + firstUV;
    }
    // Maya keeps a mirrored input's faces facing out: turned over, their UVs with them.
    if (determinant3(part.matrix.m) < 0.0) {
      turnOver(m.faceCounts, out.faceConnects, firstCorner);
      for (auto& set : out.uvSets)
        turnOver(m.faceCounts, set.uvIds, firstCorner);
    }
  }
  out.rebuildFaceStarts();
  return out;
}

}  // namespace OmbrixHost
