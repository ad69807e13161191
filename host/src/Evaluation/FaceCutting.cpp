#include "FaceCutting.h"

#include <utility>

namespace OmbrixHost {
namespace {

using NewUVs = std::vector<std::map<std::pair<int, int>, int>>;  // per set: (uv from, uv to) -> the UV between

void appendCorner(const Polygon& from, std::size_t k, Polygon& to) {
  to.vertices.push_back(from.vertices[k]);
  for (std::size_t s = 0; s < from.uvs.size(); ++s)
    to.uvs[s].push_back(from.uvs[s][k]);
}

// The face with the points of its listed edges as corners; `stopsAt` gets the positions of its stops.
Polygon grown(PolygonList& list, const Polygon& old, const MeshData& mesh, const MeshEdges& edges, int face,
              const std::map<int, EdgePoint>& onEdges, const std::vector<bool>& stops, NewUVs& newUVs,
              std::vector<std::size_t>& stopsAt) {
  Polygon out{{}, std::vector<std::vector<int>>(old.uvs.size())};
  for (std::size_t k = 0; k < old.vertices.size(); ++k) {
    if (stops[static_cast<std::size_t>(old.vertices[k])])
      stopsAt.push_back(out.vertices.size());
    appendCorner(old, k, out);
    const int e = MeshEdges::edgeOf(edges.loops[static_cast<std::size_t>(mesh.faceStart(face)) + k]);
    const auto found = onEdges.find(e);
    if (found == onEdges.end())
      continue;
    const EdgePoint& at = found->second;
    const std::size_t k1 = (k + 1) % old.vertices.size();
    const bool forward = at.from == old.vertices[k];
    stopsAt.push_back(out.vertices.size());
    out.vertices.push_back(at.point);
    for (std::size_t s = 0; s < old.uvs.size(); ++s) {
      const int a = forward ? old.uvs[s][k] : old.uvs[s][k1], b = forward ? old.uvs[s][k1] : old.uvs[s][k];
      const auto known = newUVs[s].find({a, b});
      out.uvs[s].push_back(known != newUVs[s].end() ? known->second : newUVs[s][{a, b}] = list.blendUV(s, a, b, at.t));
    }
  }
  return out;
}

// The corners of `whole` without those of one side of its stops at `a` < `b`
// (the side between them, or the side across its end), starting at the
// face's first corner; without it, at the stop just before it, or else at
// the stop `last` (the one the ring leaves the face by).
Polygon withoutSide(const Polygon& whole, std::size_t a, std::size_t b, bool between, std::size_t last) {
  const std::size_t n = whole.vertices.size();
  auto dropped = [&](std::size_t k) { return k != a && k != b && (k > a && k < b) == between; };
  std::size_t first = 0;
  if (dropped(0))
    first = b == n - 1 ? n - 1 : last;
  Polygon out{{}, std::vector<std::vector<int>>(whole.uvs.size())};
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t k = (first + i) % n;
    if (!dropped(k))
      appendCorner(whole, k, out);
  }
  return out;
}

}  // namespace

void cutRing(PolygonList& list, const MeshData& mesh, const MeshEdges& edges, const std::map<int, EdgePoint>& onEdges,
             const std::vector<std::pair<int, int>>& ring) {
  NewUVs newUVs(list.sets.size());
  const std::vector<bool> noStops(list.points.size(), false);
  std::map<int, int> fromOf;  // new point -> the end it is measured from
  for (const auto& [e, at] : onEdges)
    fromOf[at.point] = at.from;
  std::vector<Polygon> grownFaces(list.polygons.size());
  for (std::size_t f = 0; f < list.polygons.size(); ++f) {
    std::vector<std::size_t> at;
    grownFaces[f] = grown(list, list.polygons[f], mesh, edges, static_cast<int>(f), onEdges, noStops, newUVs, at);
  }
  for (std::size_t f = 0; f < list.polygons.size(); ++f)
    list.polygons[f] = grownFaces[f];
  for (const auto& [face, leavingBy] : ring) {
    Polygon& whole = list.polygons[static_cast<std::size_t>(face)];
    std::vector<std::size_t> at;
    for (std::size_t k = 0; k < whole.vertices.size(); ++k)
      if (fromOf.count(whole.vertices[k]))
        at.push_back(k);
    if (at.size() != 2 || at[1] - at[0] == 1)
      continue;
    // The side holding the corner the first point is measured from stays.
    const bool fromBetween = whole.vertices[at[0] + 1] == fromOf[whole.vertices[at[0]]];
    const std::size_t last = whole.vertices[at[0]] == leavingBy ? at[0] : at[1];
    Polygon other = withoutSide(whole, at[0], at[1], fromBetween, last);
    whole = withoutSide(whole, at[0], at[1], !fromBetween, last);
    list.polygons.push_back(std::move(other));
  }
}

void cutFaces(PolygonList& list, const MeshData& mesh, const MeshEdges& edges, const std::map<int, EdgePoint>& onEdges,
              const std::vector<bool>& stops) {
  NewUVs newUVs(list.sets.size());
  const std::size_t faces = list.polygons.size();
  for (std::size_t f = 0; f < faces; ++f) {
    std::vector<std::size_t> at;
    Polygon whole = grown(list, list.polygons[f], mesh, edges, static_cast<int>(f), onEdges, stops, newUVs, at);
    const std::size_t n = whole.vertices.size();
    if (at.size() != 2 || at[1] - at[0] == 1 || (at[0] == 0 && at[1] == n - 1)) {
      list.polygons[f] = std::move(whole);
      continue;
    }
    // Cut between the two stops: the part from the first corner keeps the face.
    Polygon kept{{}, std::vector<std::vector<int>>(whole.uvs.size())}, other = kept;
    for (std::size_t k = 0; k < n; ++k) {
      const bool between = k >= at[0] && k <= at[1];
      if (!between || k == at[0] || k == at[1])
        appendCorner(whole, k, kept);
      if (between)
        appendCorner(whole, k, other);
    }
    list.polygons[f] = std::move(kept);
    list.polygons.push_back(std::move(other));
  }
}

}  // namespace OmbrixHost
