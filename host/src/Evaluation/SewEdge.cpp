// polySewEdge: listed border edges paired and merged. An edge walked from x
// to y by its face pairs with a later listed border edge walked from p to q
// when q lies within `tolerance` of x and p of y (the faces then look the
// same way); of several, the nearest, then the lowest. Each pair's points
// merge into the lower-numbered one, which keeps its place; the others go
// and those after them move down. With `texture` the UVs are sewn along the
// merged edges as polyMapSew sews them. Distances are taken in world space
// through inputMatrix with worldSpace.
#include "DisjointSets.h"
#include "FaceJoins.h"
#include "ModelingSteps.h"
#include "Point3Math.h"
#include "UVSeams.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

namespace OmbrixHost {
namespace {

constexpr std::size_t kMostBorders = 20000;

struct Border {
  int from, to;  // as its face walks it
};

double distance(Point3 a, Point3 b) {
  const Point3 d = a - b;
  return std::sqrt(dot(d, d));
}

// The listed border edges, as their faces walk them.
std::vector<Border> listedBorders(const MeshData& mesh, const MeshEdges& edges, const std::vector<bool>& chosen) {
  const std::vector<std::vector<int>> faces = facesOfEdges(mesh, edges);
  std::vector<Border> out;
  for (std::size_t e = 0; e < chosen.size(); ++e) {
    if (!chosen[e] || faces[e].size() != 1)
      continue;
    const int f = faces[e][0];
    for (int k = 0; k < mesh.faceCounts[static_cast<std::size_t>(f)]; ++k) {
      const long long loop = edges.loops[static_cast<std::size_t>(mesh.faceStart(f) + k)];
      if (MeshEdges::edgeOf(loop) == static_cast<int>(e)) {
        const auto [a, b] = edges.ends[e];
        out.push_back(loop >= 0 ? Border{a, b} : Border{b, a});
        break;
      }
    }
  }
  return out;
}

// Pairs of borders (indices into `borders`) to merge.
std::vector<std::pair<std::size_t, std::size_t>> pairs(const std::vector<Border>& borders,
                                                       const std::vector<Point3>& pts, double tolerance) {
  std::vector<std::pair<std::size_t, std::size_t>> out;
  std::vector<bool> taken(borders.size(), false);
  auto at = [&pts](int v) { return pts[static_cast<std::size_t>(v)]; };
  for (std::size_t i = 0; i < borders.size(); ++i) {
    if (taken[i])
      continue;
    std::size_t best = borders.size();
    double bestDistance = 0.0;
    for (std::size_t j = i + 1; j < borders.size(); ++j) {
      if (taken[j])
        continue;
      const double dx = distance(at(borders[i].from), at(borders[j].to)),
                   dy = distance(at(borders[i].to), at(borders[j].from));
      if (dx <= tolerance && dy <= tolerance && (best == borders.size() || dx + dy < bestDistance)) {
        best = j;
        bestDistance = dx + dy;
      }
    }
    if (best < borders.size()) {
      taken[i] = taken[best] = true;
      out.push_back({i, best});
    }
  }
  return out;
}

// The edges by their two points, the lower first.
std::map<std::pair<int, int>, int> edgesByEnds(const MeshEdges& edges) {
  std::map<std::pair<int, int>, int> out;
  for (int e = 0; e < edges.count(); ++e) {
    const auto [x, y] = edges.ends[static_cast<std::size_t>(e)];
    out.emplace(std::make_pair(std::min(x, y), std::max(x, y)), e);
  }
  return out;
}

}  // namespace

bool sewEdges(const Node& node, MeshData& mesh, std::string& why) {
  MeshEdges edges;
  std::vector<bool> chosen;
  std::vector<Point3> points;
  const double tolerance = node.number("tolerance", 0.0);
  if (!allNumbers({tolerance}, why) || !chosenEdges(node, mesh, edges, chosen, why) ||
      !worldPoints(node, mesh, points, why))
    return false;
  const std::vector<Border> borders = listedBorders(mesh, edges, chosen);
  if (borders.size() > kMostBorders) {
    why = "it lists more than " + std::to_string(kMostBorders) + " border edges (they are compared pairwise)";
    return false;
  }
  const auto sewn = pairs(borders, points, std::max(0.0, tolerance));
  DisjointSets merged(mesh.points.size());
  for (const auto& [i, j] : sewn) {
    merged.join(static_cast<std::size_t>(borders[i].from), static_cast<std::size_t>(borders[j].to));
    merged.join(static_cast<std::size_t>(borders[i].to), static_cast<std::size_t>(borders[j].from));
  }
  std::vector<int> into(mesh.points.size());
  for (std::size_t v = 0; v < into.size(); ++v)
    into[v] = static_cast<int>(merged.find(v));
  PolygonList list = PolygonList::of(mesh);
  renameCorners(list, into);
  // Where the points went once those no face uses are dropped.
  std::vector<int> kept(mesh.points.size(), 0);
  for (const auto& p : list.polygons)
    for (int v : p.vertices)
      kept[static_cast<std::size_t>(v)] = 1;
  std::vector<int> newId(kept.size(), 0);
  std::partial_sum(kept.begin(), kept.end(), newId.begin());
  mesh = list.toMesh();
  if (node.number("texture", 1.0) == 0.0 || sewn.empty())
    return true;
  const MeshEdges sewnEdges = meshEdges(mesh);
  const auto byEnds = edgesByEnds(sewnEdges);
  std::vector<int> ids;
  for (const auto& pair : sewn) {
    const Border& b = borders[pair.first];
    auto placed = [&](int v) { return newId[static_cast<std::size_t>(into[static_cast<std::size_t>(v)])] - 1; };
    const auto found = byEnds.find(std::minmax(placed(b.from), placed(b.to)));
    if (found != byEnds.end())
      ids.push_back(found->second);
  }
  for (auto& set : mesh.uvSets)
    sewUVs(mesh, sewnEdges, ids, set);
  return true;
}

}  // namespace OmbrixHost
