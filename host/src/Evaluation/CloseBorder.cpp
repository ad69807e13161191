// polyCloseBorder: each border loop with a listed edge (every loop when none
// are listed) filled with one face, walked against the faces beside it, from
// the loop's lowest point. The new faces follow the mesh's, in the order of
// their lowest points, and have no UVs.
#include "ModelingSteps.h"

#include <algorithm>
#include <map>
#include <set>

namespace OmbrixHost {

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
    for (auto& ids : face.uvs)
      ids.assign(face.vertices.size(), -1);
    list.polygons.push_back(std::move(face));
  }
  mesh = list.toMesh();
  return true;
}

}  // namespace OmbrixHost
