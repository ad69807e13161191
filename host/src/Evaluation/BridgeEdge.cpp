// polyBridgeEdge: faces between two chains of border edges. The listed edges
// must form two chains (open, or closed loops) of as many edges each; each
// starts at startVert1 / startVert2 when that is one of its ends (any point
// of a loop), else at an end (a loop at its lowest point); the second chain
// is then paired with the first the way round that keeps the bridge
// untwisted (the sum of the distances between paired points the least).
// `divisions` rows of points lie evenly between the chains. The new faces
// come after the mesh's, row by row from the first chain, each turned as the
// face beside its first-chain edge is; new points likewise, row by row. The
// mesh's edges keep their numbers, the new ones follow in the order the faces
// first use them. Their UVs are the host's: a shell of their own over the
// unit square, along the chains and across the rows.
#include "DisjointSets.h"
#include "MeshEdges.h"
#include "ModelingSteps.h"
#include "Point3Math.h"
#include "PolygonList.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <set>

namespace OmbrixHost {
namespace {

const int kMaxDivisions = 10000;

// The points of a chain of edges in order; `closed` when it is a loop. False
// when the edges do not make one simple chain.
bool walkChain(const std::vector<std::pair<int, int>>& edges, int start, std::vector<int>& points, bool& closed) {
  std::map<int, std::vector<int>> next;
  for (const auto& [a, b] : edges) {
    next[a].push_back(b);
    next[b].push_back(a);
  }
  int ends = 0, first = -1;
  for (const auto& [v, around] : next) {
    if (around.size() > 2)
      return false;
    if (around.size() == 1) {
      ++ends;
      first = first < 0 ? v : first;
    }
  }
  closed = ends == 0;
  if (!closed && ends != 2)
    return false;
  if (closed)
    first = next.begin()->first;
  if (next.count(start) && (closed || next[start].size() == 1))
    first = start;
  points = {first};
  for (int previous = -1, at = first;;) {
    const auto& around = next[at];
    int step = around[0] != previous ? around[0] : around.size() > 1 ? around[1] : -1;
    if (step < 0 || step == first)
      break;
    points.push_back(step);
    previous = at;
    at = step;
  }
  return points.size() == (closed ? edges.size() : edges.size() + 1);
}

double pairedDistance(const std::vector<Point3>& p, const std::vector<int>& a, const std::vector<int>& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    Point3 d = p[static_cast<std::size_t>(a[i])] - p[static_cast<std::size_t>(b[i])];
    sum += std::sqrt(dot(d, d));
  }
  return sum;
}

}  // namespace

bool bridgeEdges(const Node& node, MeshData& mesh, std::string& why) {
  const double divisions = node.number("divisions", 1.0);
  if (!std::isfinite(divisions) || divisions < 0 || divisions > kMaxDivisions) {
    why = "its divisions are out of range (0 to " + std::to_string(kMaxDivisions) + ")";
    return false;
  }
  MeshEdges edges;
  std::vector<bool> chosen;
  if (!chosenEdges(node, mesh, edges, chosen, why))
    return false;
  if (!why.empty()) {  // a bridge to an edge the mesh does not have cannot be made
    why.erase(why.rfind(" and are left out"));
    return false;
  }
  std::vector<int> listedEdges;
  for (int e = 0; e < edges.count(); ++e)
    if (chosen[static_cast<std::size_t>(e)])
      listedEdges.push_back(e);
  // The listed edges in groups joined by shared points, whatever order they are listed in.
  std::map<int, std::size_t> pointSlot;
  for (int e : listedEdges) {
    auto ends = edges.ends[static_cast<std::size_t>(e)];
    pointSlot.emplace(ends.first, pointSlot.size());
    pointSlot.emplace(ends.second, pointSlot.size());
  }
  DisjointSets joined(pointSlot.size());
  for (int e : listedEdges) {
    auto ends = edges.ends[static_cast<std::size_t>(e)];
    joined.join(pointSlot[ends.first], pointSlot[ends.second]);
  }
  std::vector<std::vector<std::pair<int, int>>> chains;
  std::map<std::size_t, std::size_t> chainOfRoot;
  for (int e : listedEdges) {
    auto ends = edges.ends[static_cast<std::size_t>(e)];
    auto slot = chainOfRoot.emplace(joined.find(pointSlot[ends.first]), chains.size());
    if (slot.second)
      chains.emplace_back();
    chains[slot.first->second].push_back(ends);
  }
  std::vector<int> first, second;
  bool closedFirst = false, closedSecond = false;
  if (chains.size() != 2 || !walkChain(chains[0], static_cast<int>(node.number("startVert1", -1.0)), first, closedFirst) ||
      !walkChain(chains[1], static_cast<int>(node.number("startVert2", -1.0)), second, closedSecond) ||
      first.size() != second.size() || closedFirst != closedSecond) {
    why = "its edges do not make two chains of as many edges to bridge";
    return false;
  }
  std::vector<int> other(second.rbegin(), second.rend());
  if (closedFirst)
    std::rotate(other.rbegin(), other.rbegin() + 1, other.rend());  // the reversed loop from the same start
  if (pairedDistance(mesh.points, first, other) < pairedDistance(mesh.points, first, second))
    second = other;
  if (closedFirst) {
    first.push_back(first.front());
    second.push_back(second.front());
  }
  // Which way the face beside each first-chain edge walks it.
  std::set<std::pair<int, int>> walked;
  for (int f = 0; f < mesh.numFaces(); ++f)
    for (int k = 0; k < mesh.faceCounts[f]; ++k)
      walked.insert({mesh.faceConnects[static_cast<std::size_t>(mesh.faceStart(f) + k)],
                     mesh.faceConnects[static_cast<std::size_t>(mesh.faceStart(f) + (k + 1) % mesh.faceCounts[f])]});
  PolygonList list = PolygonList::of(mesh);
  const int rows = static_cast<int>(divisions) + 1;
  std::vector<std::vector<int>> ring{first};
  for (int r = 1; r < rows; ++r) {
    ring.emplace_back();
    for (std::size_t i = 0; i < first.size(); ++i)
      ring.back().push_back(closedFirst && i + 1 == first.size()
                                ? ring.back().front()
                                : list.addPoint(lerp(list.points[static_cast<std::size_t>(first[i])],
                                                     list.points[static_cast<std::size_t>(second[i])],
                                                     static_cast<double>(r) / rows)));
  }
  ring.push_back(second);
  const std::size_t n = first.size() - 1;
  std::vector<std::vector<int>> uvRows(list.sets.size());
  for (std::size_t s = 0; s < list.sets.size(); ++s)
    for (int r = 0; r <= rows; ++r)
      for (std::size_t i = 0; i <= n; ++i) {
        list.sets[s].us.push_back(static_cast<float>(static_cast<double>(i) / static_cast<double>(n)));
        list.sets[s].vs.push_back(static_cast<float>(static_cast<double>(r) / rows));
        uvRows[s].push_back(static_cast<int>(list.sets[s].us.size()) - 1);
      }
  for (int r = 0; r < rows; ++r)
    for (std::size_t i = 0; i < n; ++i) {
      const bool turned = walked.count({first[i], first[i + 1]}) > 0;
      Polygon quad{{ring[r][i], ring[r][i + 1], ring[r + 1][i + 1], ring[r + 1][i]}, {}};
      std::vector<std::size_t> at{r * (n + 1) + i, r * (n + 1) + i + 1, (r + 1) * (n + 1) + i + 1, (r + 1) * (n + 1) + i};
      for (std::size_t s = 0; s < list.sets.size(); ++s) {
        quad.uvs.emplace_back();
        for (std::size_t k : at)
          quad.uvs.back().push_back(uvRows[s][k]);
      }
      if (turned) {
        std::reverse(quad.vertices.begin(), quad.vertices.end());
        for (auto& ids : quad.uvs)
          std::reverse(ids.begin(), ids.end());
      }
      list.polygons.push_back(std::move(quad));
    }
  const std::size_t pointsBefore = mesh.points.size();
  finishWithNewUVs(list, mesh, "new faces", why);
  // The mesh's edges keep their numbers; the bridge's new ones follow.
  std::vector<int> samePoints(pointsBefore);
  std::iota(samePoints.begin(), samePoints.end(), 0);
  keepEdgeOrder(edges, samePoints, mesh);
  return true;
}

}  // namespace OmbrixHost
