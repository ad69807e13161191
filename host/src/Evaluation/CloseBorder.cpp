// polyCloseBorder: each border loop with a listed edge (every loop when none
// are listed) filled with one face, walked against the faces beside it. The
// face starts at the lower of the two points beside the loop's lowest one:
// so Maya started the faces closing the column borders of tori with columns
// of faces deleted (the moonshine-bottle and bank pairs, whatever the walk's
// way round). The new faces follow the mesh's, in the order of their lowest
// points, and have no UVs. The mesh's edges keep their numbers.
#include "MeshEdges.h"
#include "ModelingSteps.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace OmbrixHost {
namespace {

// `loop` starts at its lowest point: turned to start at the lower of that point's two neighbours.
void startBesideLowest(std::vector<int>& loop) {
  if (loop[1] < loop.back())
    std::rotate(loop.begin(), loop.begin() + 1, loop.end());
  else
    std::rotate(loop.begin(), loop.end() - 1, loop.end());
}

}  // namespace

bool closeBorders(const Node& node, MeshData& mesh, std::string& why) {
  MeshEdges edges;
  std::vector<bool> chosen;
  if (!chosenEdges(node, mesh, edges, chosen, why))
    return false;
  const bool all = std::none_of(chosen.begin(), chosen.end(), [](bool c) { return c; });
  std::set<std::pair<int, int>> walked;
  for (int f = 0; f < mesh.numFaces(); ++f)
    for (int k = 0; k < mesh.faceCounts[f]; ++k)
      walked.insert({mesh.faceConnects[static_cast<std::size_t>(mesh.faceStart(f) + k)],
                     mesh.faceConnects[static_cast<std::size_t>(mesh.faceStart(f) + (k + 1) % mesh.faceCounts[f])]});
  std::map<int, int> backward;  // border point b -> a, for each border edge a->b walked the other way round
  for (const auto& [a, b] : walked)
    if (!walked.count({b, a}))
      backward.emplace(b, a);
  std::set<std::pair<int, int>> listedEdges;  // as their two points, lower first
  for (int e = 0; e < edges.count(); ++e)
    if (chosen[static_cast<std::size_t>(e)])
      listedEdges.insert(std::minmax(edges.ends[static_cast<std::size_t>(e)].first,
                                     edges.ends[static_cast<std::size_t>(e)].second));
  PolygonList list = PolygonList::of(mesh);
  std::set<int> used;
  for (const auto& start : backward) {
    if (used.count(start.first))
      continue;
    Polygon face{{}, std::vector<std::vector<int>>(list.sets.size())};
    bool listed = all, closed = false;
    for (int at = start.first; face.vertices.size() <= backward.size();) {
      face.vertices.push_back(at);
      used.insert(at);
      auto next = backward.find(at);
      if (next == backward.end())
        break;
      listed = listed || listedEdges.count(std::minmax(at, next->second)) > 0;
      at = next->second;
      if (at == start.first) {
        closed = true;
        break;
      }
    }
    if (!closed || !listed || face.vertices.size() < 3)
      continue;
    startBesideLowest(face.vertices);
    for (auto& ids : face.uvs)
      ids.assign(face.vertices.size(), -1);
    list.polygons.push_back(std::move(face));
  }
  // The new faces walk only edges the mesh has, which keep their numbers
  // (n047-kadencampbell1-samuraihelmet: the polyExtrudeEdge after the
  // polyCloseBorder names eight edges of the mesh that make one run).
  const std::vector<int> ids = list.pointIds();
  mesh = list.toMesh();
  keepEdgeOrder(edges, ids, mesh);
  return true;
}

}  // namespace OmbrixHost
