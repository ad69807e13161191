// polyDelEdge: each listed edge between two faces deleted by joining the two
// (the lower-numbered face keeps its place and first corner); an edge on a
// border or of more than two faces stays. With cleanVertices, an end of a
// deleted edge left with two edges (a winged vertex) goes from its faces.
#include "FaceJoins.h"
#include "ModelingSteps.h"

#include <algorithm>
#include <set>

namespace OmbrixHost {
namespace {

// The vertices joined to each of `vertices` by an edge of the polygons.
std::vector<std::set<int>> neighbours(const PolygonList& list, const std::set<int>& vertices) {
  std::vector<std::set<int>> out(list.points.size());
  for (const auto& p : list.polygons) {
    const std::size_t n = p.vertices.size();
    for (std::size_t k = 0; k < n; ++k) {
      const int a = p.vertices[k], b = p.vertices[(k + 1) % n];
      if (vertices.count(a))
        out[static_cast<std::size_t>(a)].insert(b);
      if (vertices.count(b))
        out[static_cast<std::size_t>(b)].insert(a);
    }
  }
  return out;
}

// The winged vertices among `ends` taken out of their polygons, but for those
// whose going would leave a polygon fewer than three corners.
void removeWinged(PolygonList& list, const std::set<int>& ends) {
  const std::vector<std::set<int>> around = neighbours(list, ends);
  std::vector<bool> winged(list.points.size(), false);
  for (int v : ends)
    winged[static_cast<std::size_t>(v)] = around[static_cast<std::size_t>(v)].size() == 2;
  for (const auto& p : list.polygons) {
    const auto going = std::count_if(p.vertices.begin(), p.vertices.end(),
                                     [&winged](int v) { return winged[static_cast<std::size_t>(v)]; });
    if (going > 0 && p.vertices.size() - static_cast<std::size_t>(going) < 3)
      for (int v : p.vertices)
        winged[static_cast<std::size_t>(v)] = false;
  }
  for (auto& p : list.polygons)
    for (std::size_t k = p.vertices.size(); k-- > 0;)
      if (winged[static_cast<std::size_t>(p.vertices[k])]) {
        p.vertices.erase(p.vertices.begin() + static_cast<std::ptrdiff_t>(k));
        for (auto& ids : p.uvs)
          ids.erase(ids.begin() + static_cast<std::ptrdiff_t>(k));
      }
}

}  // namespace

bool deleteEdges(const Node& node, MeshData& mesh, std::string& why) {
  MeshEdges edges;
  std::vector<bool> chosen;
  if (!chosenEdges(node, mesh, edges, chosen, why))
    return false;
  PolygonList list = PolygonList::of(mesh);
  FaceJoins joins(list);
  const std::vector<std::vector<int>> facesOfEdge = facesOfEdges(mesh, edges);
  std::set<int> ends;
  int kept = 0;
  for (std::size_t e = 0; e < chosen.size(); ++e) {
    if (!chosen[e])
      continue;
    const auto& faces = facesOfEdge[e];
    const auto [x, y] = edges.ends[e];
    if (faces.size() == 2 && joins.join(faces[0], faces[1], x, y))
      ends.insert({x, y});
    else
      ++kept;
  }
  joins.removeJoined({});
  if (node.number("cleanVertices", 0.0) != 0.0)
    removeWinged(list, ends);
  mesh = list.toMesh();
  if (kept > 0)
    why += std::string(why.empty() ? "" : "; ") + std::to_string(kept) +
           " of its edges do not lie between two faces and are kept";
  return true;
}

}  // namespace OmbrixHost
