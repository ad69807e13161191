// polyQuad: pairs of triangles sharing an edge joined into quads. A pair is a
// candidate when the angle between the two triangles' normals is at most
// `angle`, the quad it makes is convex, both triangles are listed (one of
// them with keepGroupBorder off) and, with keepTextureBorders, the two
// triangles share their UVs along the edge. Candidates are taken best first:
// the quad whose corners are nearest right angles, then the lower edge; a
// triangle goes into one quad at most. The quad keeps the lower triangle's
// number and first corner; the other triangle's number goes, those after it
// moving down. Points and UVs are unchanged.
#include "FaceJoins.h"
#include "ModelingSteps.h"
#include "Point3Math.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace OmbrixHost {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kAngleTolerance = 1e-9;

struct QuadSettings {
  double angle = 30.0 * kPi / 180.0;
  bool groupBorder = true, textureBorder = true;
  std::vector<Point3> points;  // in world space with worldSpace
};

struct Candidate {
  double score;  // how far the quad's corners are from right angles
  int edge, a, b;
};

bool readSettings(const Node& node, const MeshData& mesh, QuadSettings& s, std::string& why) {
  s.angle = node.number("angle", s.angle);
  s.groupBorder = node.number("keepGroupBorder", 1.0) != 0.0;
  s.textureBorder = node.number("keepTextureBorders", 1.0) != 0.0;
  return allNumbers({s.angle}, why) && worldPoints(node, mesh, s.points, why);
}

// The corner of the triangle after vertex v.
std::size_t cornerOf(const Polygon& p, int v) {
  return static_cast<std::size_t>(std::find(p.vertices.begin(), p.vertices.end(), v) - p.vertices.begin());
}

// Whether the two triangles give x and y the same UVs in every set.
bool sameUVs(const Polygon& p, const Polygon& q, int x, int y) {
  for (std::size_t s = 0; s < p.uvs.size(); ++s)
    for (int v : {x, y})
      if (p.uvs[s][cornerOf(p, v)] != q.uvs[s][cornerOf(q, v)])
        return false;
  return true;
}

int farCorner(const Polygon& p, int x, int y) {
  for (int v : p.vertices)
    if (v != x && v != y)
      return v;
  return x;
}

Point3 triangleNormal(const std::vector<Point3>& pts, const Polygon& p) {
  const Point3 a = pts[static_cast<std::size_t>(p.vertices[0])];
  return cross(pts[static_cast<std::size_t>(p.vertices[1])] - a, pts[static_cast<std::size_t>(p.vertices[2])] - a);
}

double angleBetween(Point3 u, Point3 v) {
  const double lu = std::sqrt(dot(u, u)), lv = std::sqrt(dot(v, v));
  return std::acos(std::max(-1.0, std::min(1.0, dot(u, v) / (lu * lv))));
}

// The quad's distance from right angles; negative when it is not convex.
double quadScore(const std::vector<Point3>& pts, const std::array<int, 4>& quad, Point3 normal) {
  double score = 0.0;
  for (std::size_t k = 0; k < 4; ++k) {
    const Point3 prev = pts[static_cast<std::size_t>(quad[(k + 3) % 4])], at = pts[static_cast<std::size_t>(quad[k])],
                 next = pts[static_cast<std::size_t>(quad[(k + 1) % 4])];
    if (dot(cross(at - prev, next - at), normal) <= 0.0)
      return -1.0;
    score += std::abs(angleBetween(prev - at, next - at) - kPi / 2);
  }
  return score;
}

bool isTriangle(const Polygon& p) { return p.vertices.size() == 3; }

// The pair across edge e as a candidate; false when it is none.
bool candidate(const QuadSettings& s, const PolygonList& list, const MeshEdges& edges, const std::vector<bool>& chosen,
               int e, const std::vector<int>& faces, Candidate& out) {
  if (faces.size() != 2)
    return false;
  const auto fa = static_cast<std::size_t>(faces[0]), fb = static_cast<std::size_t>(faces[1]);
  const Polygon &a = list.polygons[fa], &b = list.polygons[fb];
  const auto [x, y] = edges.ends[static_cast<std::size_t>(e)];
  if (!isTriangle(a) || !isTriangle(b) || (s.groupBorder ? !(chosen[fa] && chosen[fb]) : !(chosen[fa] || chosen[fb])))
    return false;
  if (s.textureBorder && !sameUVs(a, b, x, y))
    return false;
  const Point3 na = triangleNormal(s.points, a), nb = triangleNormal(s.points, b);
  if (dot(na, na) <= 0.0 || dot(nb, nb) <= 0.0 || !(angleBetween(na, nb) <= s.angle + kAngleTolerance))
    return false;
  // a walks x to y or y to x; the quad walks its way round.
  const bool forward = a.vertices[(cornerOf(a, x) + 1) % 3] == y;
  const int from = forward ? x : y, to = forward ? y : x;
  const double score = quadScore(s.points, {from, farCorner(b, x, y), to, farCorner(a, x, y)}, na + nb);
  if (score < 0.0)
    return false;
  out = {std::round(score * 1e9) / 1e9, e, faces[0], faces[1]};  // quads alike in shape tie
  return true;
}

}  // namespace

bool quadrangulate(const Node& node, MeshData& mesh, std::string& why) {
  std::vector<bool> chosen;
  QuadSettings s;
  if (!listedComponents(node, MFn::kMeshPolygonComponent, mesh.numFaces(), true, chosen, why) ||
      !readSettings(node, mesh, s, why))
    return false;
  const MeshEdges edges = meshEdges(mesh);
  const std::vector<std::vector<int>> facesOfEdge = facesOfEdges(mesh, edges);
  PolygonList list = PolygonList::of(mesh);
  std::vector<Candidate> candidates;
  for (int e = 0; e < edges.count(); ++e) {
    Candidate c{};
    if (candidate(s, list, edges, chosen, e, facesOfEdge[static_cast<std::size_t>(e)], c))
      candidates.push_back(c);
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& l, const Candidate& r) { return l.score < r.score; });
  FaceJoins joins(list);
  std::vector<bool> used(list.polygons.size(), false);
  for (const auto& c : candidates) {
    const auto a = static_cast<std::size_t>(c.a), b = static_cast<std::size_t>(c.b);
    if (used[a] || used[b])
      continue;
    const auto [x, y] = edges.ends[static_cast<std::size_t>(c.edge)];
    if (joins.join(c.a, c.b, x, y))
      used[a] = used[b] = true;
  }
  joins.removeJoined({});
  mesh = list.toMesh();
  return true;
}

}  // namespace OmbrixHost
