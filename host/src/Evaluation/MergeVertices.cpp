// polyMergeVert: the listed points (every point when none are listed) closer
// than `distance` to another of them merged into one, at the middle of those
// merged; with alwaysMergeTwoVertices two listed points merge whatever their
// distance. The merged point keeps the lowest number, the others go and those
// after them move down; so do edges that now run where an earlier edge
// does. Faces lose the corners that repeat the one before;
// faces left with fewer than three corners go. UVs are unchanged.
#include "MeshEdges.h"
#include "ModelingSteps.h"
#include "Point3Math.h"

#include <cmath>
#include <numeric>

namespace OmbrixHost {
namespace {

const std::size_t kMaxListed = 20000;  // points compared pairwise

int rootOf(std::vector<int>& parent, int v) {
  while (parent[static_cast<std::size_t>(v)] != v)
    v = parent[static_cast<std::size_t>(v)] = parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(v)])];
  return v;
}

}  // namespace

bool mergeVertices(const Node& node, MeshData& mesh, std::string& why) {
  const double distance = node.number("distance", 0.0);
  if (!allNumbers({distance}, why))
    return false;
  std::vector<bool> chosen;
  if (!listedComponents(node, MFn::kMeshVertComponent, static_cast<int>(mesh.points.size()), true, chosen, why))
    return false;
  std::vector<int> listed;
  for (std::size_t v = 0; v < chosen.size(); ++v)
    if (chosen[v])
      listed.push_back(static_cast<int>(v));
  if (listed.size() > kMaxListed) {
    why = "it merges " + std::to_string(listed.size()) + " points, more than the host compares (" +
          std::to_string(kMaxListed) + ")";
    return false;
  }
  std::vector<int> parent(mesh.points.size());
  std::iota(parent.begin(), parent.end(), 0);
  const bool always = node.number("alwaysMergeTwoVertices", 0.0) != 0.0 && listed.size() == 2;
  for (std::size_t i = 0; i < listed.size(); ++i)
    for (std::size_t j = i + 1; j < listed.size(); ++j) {
      Point3 d = mesh.points[static_cast<std::size_t>(listed[i])] - mesh.points[static_cast<std::size_t>(listed[j])];
      if (always || std::sqrt(dot(d, d)) <= distance) {
        int a = rootOf(parent, listed[i]), b = rootOf(parent, listed[j]);
        parent[static_cast<std::size_t>(std::max(a, b))] = std::min(a, b);
      }
    }
  PolygonList list = PolygonList::of(mesh);
  std::vector<Point3> sum(list.points.size());
  std::vector<int> count(list.points.size(), 0);
  for (std::size_t v = 0; v < list.points.size(); ++v) {
    const std::size_t r = static_cast<std::size_t>(rootOf(parent, static_cast<int>(v)));
    sum[r] = sum[r] + list.points[v];
    ++count[r];
  }
  for (std::size_t v = 0; v < list.points.size(); ++v)
    if (count[v] > 1)
      list.points[v] = sum[v] * (1.0 / count[v]);
  std::vector<int> into(list.points.size());
  for (std::size_t v = 0; v < into.size(); ++v)
    into[v] = rootOf(parent, static_cast<int>(v));
  renameCorners(list, into);
  // The edges keep their order; one that now runs where an earlier one does
  // goes, and those after it move down (c026-devynbrunker-blocked-robot-
  // updated: after two edges extruded apart and their lifted ends merged onto
  // points already there, the next polyExtrudeEdge names the lifted copies
  // e[63] and e[65]).
  const MeshEdges before = meshEdges(mesh);
  const std::vector<int> ids = list.pointIds();
  for (int& v : into)
    v = ids[static_cast<std::size_t>(v)];
  mesh = list.toMesh();
  keepEdgeOrder(before, into, mesh);
  return true;
}

}  // namespace OmbrixHost
