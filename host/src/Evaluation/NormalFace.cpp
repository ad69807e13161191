// polyNormal: faces turned over by reversing the order of their corners (the
// first corner stays first), by its normalMode: 0 reverse the listed faces,
// 1 turn each shell with a listed face the way its lowest listed face is
// turned, 2 turn each shell the way most of its faces are, 3 reverse the
// listed faces and part them from the rest along their border, 4 reverse the
// listed faces and turn the rest of their shells to match.
#include "ModelingSteps.h"
#include "PolygonList.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace OmbrixHost {
namespace {

void reverse(Polygon& p) {
  std::reverse(p.vertices.begin() + 1, p.vertices.end());
  for (auto& ids : p.uvs)
    if (ids.size() > 1)
      std::reverse(ids.begin() + 1, ids.end());
}

// Whether each polygon of a shell must be turned to agree with `seed` (false
// for the seed itself), walking across shared edges.
std::map<int, bool> agreeingWith(const PolygonList& list, const std::vector<int>& shell, int seed) {
  std::map<std::pair<int, int>, std::vector<int>> walkers;  // directed edge -> polygons walking it
  for (int f : shell) {
    const auto& v = list.polygons[static_cast<std::size_t>(f)].vertices;
    for (std::size_t k = 0; k < v.size(); ++k)
      walkers[{v[k], v[(k + 1) % v.size()]}].push_back(f);
  }
  std::map<int, bool> flip{{seed, false}};
  std::vector<int> queue{seed};
  for (std::size_t q = 0; q < queue.size(); ++q) {
    const int f = queue[q];
    const auto& v = list.polygons[static_cast<std::size_t>(f)].vertices;
    for (std::size_t k = 0; k < v.size(); ++k) {
      int a = v[k], b = v[(k + 1) % v.size()];
      if (flip[f])
        std::swap(a, b);
      // A neighbour agrees when it walks the edge the other way.
      for (auto [edge, turn] : {std::make_pair(std::make_pair(a, b), true), std::make_pair(std::make_pair(b, a), false)}) {
        auto found = walkers.find(edge);
        if (found == walkers.end())
          continue;
        for (int g : found->second) {
          if (g == f || flip.count(g))
            continue;
          flip[g] = turn;
          queue.push_back(g);
        }
      }
    }
  }
  return flip;
}

// The listed polygons take new points where they meet the others, so that
// they form shells of their own.
void partFromTheRest(PolygonList& list, const std::vector<bool>& chosen) {
  std::vector<bool> usedByOthers(list.points.size(), false);
  for (std::size_t f = 0; f < list.polygons.size(); ++f)
    if (!chosen[f])
      for (int v : list.polygons[f].vertices)
        usedByOthers[static_cast<std::size_t>(v)] = true;
  std::map<int, int> copies;
  for (std::size_t f = 0; f < list.polygons.size(); ++f)
    if (chosen[f])
      for (int& v : list.polygons[f].vertices)
        if (usedByOthers[static_cast<std::size_t>(v)]) {
          auto found = copies.find(v);
          v = found != copies.end() ? found->second
                                    : copies.emplace(v, list.addPoint(list.points[static_cast<std::size_t>(v)])).first->second;
        }
}

}  // namespace

bool reverseNormals(const Node& node, MeshData& mesh, std::string& why) {
  const double mode = node.number("normalMode", 0.0);
  if (!std::isfinite(mode) || mode < 0 || mode > 4 || mode != std::floor(mode)) {
    why = std::isfinite(mode) ? "its normalMode " + std::to_string(static_cast<long long>(mode)) + " is none of Maya's (0 to 4)"
                              : "its normalMode is not a number";
    return false;
  }
  std::vector<bool> chosen;
  if (!listedComponents(node, MFn::kMeshPolygonComponent, mesh.numFaces(), true, chosen, why))
    return false;
  PolygonList list = PolygonList::of(mesh);
  const int m = static_cast<int>(mode);
  if (m == 0 || m == 3 || m == 4)
    for (std::size_t f = 0; f < chosen.size(); ++f)
      if (chosen[f])
        reverse(list.polygons[f]);
  if (m == 3)
    partFromTheRest(list, chosen);
  if (m == 1 || m == 2 || m == 4) {
    for (const auto& shell : polygonShells(list)) {
      auto seed = std::find_if(shell.begin(), shell.end(), [&](int f) { return chosen[static_cast<std::size_t>(f)]; });
      if (m != 2 && seed == shell.end())
        continue;
      std::map<int, bool> flip = agreeingWith(list, shell, m == 2 ? shell.front() : *seed);
      std::size_t turned = 0;
      for (const auto& [f, turn] : flip)
        turned += turn ? 1 : 0;
      const bool byMajority = m == 2 && turned * 2 > flip.size();
      for (const auto& [f, turn] : flip)
        if (turn != byMajority)
          reverse(list.polygons[static_cast<std::size_t>(f)]);
    }
  }
  mesh = list.toMesh();
  return true;
}

}  // namespace OmbrixHost
