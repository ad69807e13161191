// polySplitRing: a new point on each listed edge, `weight` of the way along
// it, and each face crossed by two listed edges cut in two between their new
// points. The weight runs from the root edge's first point (its second with
// direction off) and, across each face, from the point on the same side; a
// ring without the root edge starts from its lowest edge. Faces walking a
// listed edge take its point as a new corner. New points follow the mesh's,
// in the order of their edges; of a face cut in two, the part with its first
// corner keeps its place and the other comes after the mesh's faces.
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
  std::map<int, int> point;  // listed edge -> its new point
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
  for (int e : order) {
    const auto& ends = edges.ends[static_cast<std::size_t>(e)];
    int from = ring.from[e], to = from == ends.first ? ends.second : ends.first;
    ring.point[e] = list.addPoint(lerp(list.points[static_cast<std::size_t>(from)], list.points[static_cast<std::size_t>(to)], t));
  }
  std::vector<std::map<std::pair<int, int>, int>> newUVs(list.sets.size());  // (uv from, uv to) -> the UV between
  const std::size_t faces = list.polygons.size();
  for (std::size_t f = 0; f < faces; ++f) {
    if (byFace[f].empty())
      continue;
    const Polygon old = list.polygons[f];
    Polygon grown{{}, std::vector<std::vector<int>>(old.uvs.size())};
    std::vector<std::size_t> inserted;  // positions of the new corners
    std::size_t next = 0;
    for (std::size_t k = 0; k < old.vertices.size(); ++k) {
      grown.vertices.push_back(old.vertices[k]);
      for (std::size_t s = 0; s < old.uvs.size(); ++s)
        grown.uvs[s].push_back(old.uvs[s][k]);
      if (next >= byFace[f].size() || byFace[f][next].first != k)
        continue;
      const int e = byFace[f][next++].second;
      const std::size_t k1 = (k + 1) % old.vertices.size();
      const bool forward = ring.from[e] == old.vertices[k];
      inserted.push_back(grown.vertices.size());
      grown.vertices.push_back(ring.point[e]);
      for (std::size_t s = 0; s < old.uvs.size(); ++s) {
        int a = forward ? old.uvs[s][k] : old.uvs[s][k1], b = forward ? old.uvs[s][k1] : old.uvs[s][k];
        auto found = newUVs[s].find({a, b});
        grown.uvs[s].push_back(found != newUVs[s].end() ? found->second
                                                        : newUVs[s][{a, b}] = list.blendUV(s, a, b, t));
      }
    }
    if (inserted.size() != 2) {
      list.polygons[f] = std::move(grown);
      continue;
    }
    // Cut between the two new corners: the part from the first corner keeps the face.
    Polygon kept{{}, std::vector<std::vector<int>>(grown.uvs.size())}, other = kept;
    for (std::size_t k = 0; k < grown.vertices.size(); ++k) {
      const bool between = k >= inserted[0] && k <= inserted[1];
      for (Polygon* part : {&kept, &other}) {
        const bool takes = part == &other ? between : (!between || k == inserted[0] || k == inserted[1]);
        if (!takes)
          continue;
        part->vertices.push_back(grown.vertices[k]);
        for (std::size_t s = 0; s < grown.uvs.size(); ++s)
          part->uvs[s].push_back(grown.uvs[s][k]);
      }
    }
    list.polygons[f] = std::move(kept);
    list.polygons.push_back(std::move(other));
  }
  mesh = list.toMesh();
  return true;
}

}  // namespace OmbrixHost
