// polySplitRing: a new point on each listed edge, `weight` of the way along
// it, and each face crossed by two listed edges cut in two between their new
// points. The weight runs from the root edge's first point (its second with
// direction off) and, across each face, from the point on the same side; a
// ring without the root edge starts from its lowest edge. Faces walking a
// listed edge take its point as a new corner. New points follow the mesh's,
// in the order of their edges; of a face cut in two, the part with its first
// corner keeps its place and the other comes after the mesh's faces.
#include "FaceCutting.h"
#include "MeshEdges.h"
#include "ModelingSteps.h"
#include "Point3Math.h"
#include "PolygonList.h"

#include <cmath>
#include <map>
#include <tuple>

namespace OmbrixHost {
namespace {

struct Ring {
  std::map<int, int> from;   // listed edge -> the point its weight runs from
};

// The listed edges each face walks, as (corner, edge).
std::vector<std::vector<std::pair<std::size_t, int>>> listedByFace(const MeshData& m, const MeshEdges& edges,
                                                                   const std::vector<bool>& listed) {
  std::vector<std::vector<std::pair<std::size_t, int>>> out(static_cast<std::size_t>(m.numFaces()));
  for (int f = 0; f < m.numFaces(); ++f)
    for (int k = 0; k < m.faceCounts[f]; ++k) {
      int e = MeshEdges::edgeOf(edges.loops[static_cast<std::size_t>(m.faceStart(f) + k)]);
      if (listed[static_cast<std::size_t>(e)])
        out[static_cast<std::size_t>(f)].push_back({static_cast<std::size_t>(k), e});
    }
  return out;
}

// Which end each listed edge's weight runs from, across the faces of two listed edges.
void orient(const MeshData& m, const MeshEdges& edges, const std::vector<std::vector<std::pair<std::size_t, int>>>& byFace,
            const std::vector<int>& order, int root, bool direction, Ring& ring) {
  std::map<int, std::vector<int>> facesOf;
  for (std::size_t f = 0; f < byFace.size(); ++f)
    if (byFace[f].size() == 2)
      for (const auto& c : byFace[f])
        facesOf[c.second].push_back(static_cast<int>(f));
  std::vector<int> starts{root};
  starts.insert(starts.end(), order.begin(), order.end());
  for (int start : starts) {
    if (start < 0 || ring.from.count(start))
      continue;
    const auto& ends = edges.ends[static_cast<std::size_t>(start)];
    ring.from[start] = direction || start != root ? ends.first : ends.second;
    std::vector<int> queue{start};
    for (std::size_t q = 0; q < queue.size(); ++q)
      for (int f : facesOf[queue[q]]) {
        const auto& pair = byFace[static_cast<std::size_t>(f)];
        const std::size_t n = static_cast<std::size_t>(m.faceCounts[f]);
        const int* corner = &m.faceConnects[static_cast<std::size_t>(m.faceStart(f))];
        const auto& here = pair[0].second == queue[q] ? pair[0] : pair[1];
        const auto& there = pair[0].second == queue[q] ? pair[1] : pair[0];
        if (ring.from.count(there.second))
          continue;
        // Across the face, the start of one edge faces the end of the other.
        bool fromStart = ring.from[queue[q]] == corner[here.first];
        ring.from[there.second] = fromStart ? corner[(there.first + 1) % n] : corner[there.first];
        queue.push_back(there.second);
      }
  }
}

}  // namespace

bool splitRing(const Node& node, MeshData& mesh, std::string& why) {
  const double weight = node.number("weight", 0.5), root = node.number("rootEdge", -1.0);
  if (!allNumbers({weight, root}, why))
    return false;
  const double splits = node.number("splitType", 0.0) == 2.0 ? node.number("divisions", 2.0) : 1.0;
  if (splits != 1.0) {
    why = "its several splits (splitType 2) are not evaluated; the host makes one";
    return false;
  }
  MeshEdges edges;
  std::vector<bool> chosen;
  if (!chosenEdges(node, mesh, edges, chosen, why))
    return false;
  std::vector<int> order;
  for (int e = 0; e < edges.count(); ++e)
    if (chosen[static_cast<std::size_t>(e)])
      order.push_back(e);
  if (order.empty()) {
    why = why.empty() ? "its inputComponents name no edges; the mesh is unchanged" : why;
    return true;
  }
  const auto byFace = listedByFace(mesh, edges, chosen);
  const int rootEdge = root >= 0 && root < edges.count() && chosen[static_cast<std::size_t>(root)] ? static_cast<int>(root) : -1;
  Ring ring;
  orient(mesh, edges, byFace, order, rootEdge, node.number("direction", 1.0) != 0.0, ring);
  const double t = std::min(1.0, std::max(0.0, weight));
  PolygonList list = PolygonList::of(mesh);
  std::map<int, EdgePoint> onEdges;
  for (int e : order) {
    const auto& ends = edges.ends[static_cast<std::size_t>(e)];
    int from = ring.from[e], to = from == ends.first ? ends.second : ends.first;
    onEdges[e] = EdgePoint{list.addPoint(lerp(list.points[static_cast<std::size_t>(from)], list.points[static_cast<std::size_t>(to)], t)),
                           from, t};
  }
  cutFaces(list, mesh, edges, onEdges, std::vector<bool>(list.points.size(), false));
  mesh = list.toMesh();
  return true;
}

}  // namespace OmbrixHost
