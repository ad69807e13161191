#include "FaceJoins.h"

#include <algorithm>

namespace OmbrixHost {
namespace {

// The corner of `p` that walks from x to y; -1 when it has none.
int cornerWalking(const Polygon& p, int x, int y) {
  const std::size_t n = p.vertices.size();
  for (std::size_t k = 0; k < n; ++k)
    if (p.vertices[k] == x && p.vertices[(k + 1) % n] == y)
      return static_cast<int>(k);
  return -1;
}

// The corners of `from`, starting at `start`, `count` of them, appended to `to`.
void appendCorners(const Polygon& from, std::size_t start, std::size_t count, Polygon& to) {
  const std::size_t n = from.vertices.size();
  for (std::size_t k = 0; k < count; ++k) {
    std::size_t c = (start + k) % n;
    to.vertices.push_back(from.vertices[c]);
    for (std::size_t s = 0; s < from.uvs.size(); ++s)
      to.uvs[s].push_back(from.uvs[s][c]);
  }
}

// Joins q into p across the edge x-y that p walks at corner i and q walks
// back at corner j; p's first corner stays first.
Polygon joined(const Polygon& p, std::size_t i, const Polygon& q, std::size_t j) {
  Polygon out;
  out.uvs.resize(p.uvs.size());
  const std::size_t np = p.vertices.size(), nq = q.vertices.size();
  appendCorners(p, 0, i + 1, out);           // up to x
  appendCorners(q, j + 2, nq - 2, out);      // q's corners after x up to before y
  appendCorners(p, i + 1, np - i - 1, out);  // from y on
  return out;
}

}  // namespace

std::vector<std::vector<int>> facesOfEdges(const MeshData& m, const MeshEdges& edges) {
  std::vector<std::vector<int>> out(edges.ends.size());
  for (int f = 0; f < m.numFaces(); ++f)
    for (int k = 0; k < m.faceCounts[static_cast<std::size_t>(f)]; ++k)
      out[static_cast<std::size_t>(MeshEdges::edgeOf(edges.loops[static_cast<std::size_t>(m.faceStart(f) + k)]))]
          .push_back(f);
  return out;
}

FaceJoins::FaceJoins(PolygonList& list) : list_(list), owner_(list.polygons.size()) {}

bool FaceJoins::join(int a, int b, int x, int y) {
  a = static_cast<int>(owner_.find(static_cast<std::size_t>(a)));
  b = static_cast<int>(owner_.find(static_cast<std::size_t>(b)));
  if (a == b)
    return false;
  Polygon& p = list_.polygons[static_cast<std::size_t>(std::min(a, b))];
  const Polygon& q = list_.polygons[static_cast<std::size_t>(std::max(a, b))];
  int i = cornerWalking(p, x, y), j = cornerWalking(q, y, x);
  if (i < 0 || j < 0) {
    i = cornerWalking(p, y, x);
    j = cornerWalking(q, x, y);
  }
  if (i < 0 || j < 0)
    return false;
  p = joined(p, static_cast<std::size_t>(i), q, static_cast<std::size_t>(j));
  owner_.join(static_cast<std::size_t>(a), static_cast<std::size_t>(b));
  return true;
}

void FaceJoins::removeJoined(const std::vector<bool>& dropped) {
  std::vector<Polygon> remaining;
  for (std::size_t f = 0; f < list_.polygons.size(); ++f)
    if (!joinedAway(static_cast<int>(f)) && !(f < dropped.size() && dropped[f]))
      remaining.push_back(std::move(list_.polygons[f]));
  list_.polygons = std::move(remaining);
}

}  // namespace OmbrixHost
