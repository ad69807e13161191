// polySmoothFace: Catmull-Clark subdivision, `divisions` times. Each face of
// n corners becomes n quads, one about each corner: the corner, the point on
// its next edge, the face's point, the point on its previous edge (a quad's
// four turned as the cells of a two by two grid). Points come as: the mesh's
// points (moved), then one per edge, then one per face; faces in the order
// of the faces they divide, corner by corner; edges as each old edge's two
// halves, then those inside each face (see NewPoints and dividedEdges: the
// numbers Maya gives one division). Borders stay sharp: a border edge's point is its middle, a
// border point moves along the border only, and a point with two edges stays.
// With continuity below 1 the points lie that fraction of the way from the
// plain division (middles and centres) to the smooth one. UVs are divided
// plainly: a face's centre, its edges' middles and its corners' own UVs.
#include "ModelingSteps.h"
#include "Point3Math.h"
#include "PolygonList.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <utility>

namespace OmbrixHost {
namespace {

const std::int64_t kMaxCorners = 1 << 24;

struct EdgeInfo {
  std::vector<int> faces;  // the faces walking it
};

using EdgeKey = std::pair<int, int>;
EdgeKey keyOf(int a, int b) { return a < b ? EdgeKey{a, b} : EdgeKey{b, a}; }

Point3 centreOf(const PolygonList& list, const Polygon& p) {
  Point3 c;
  for (int v : p.vertices)
    c = c + list.points[static_cast<std::size_t>(v)];
  return c * (1.0 / static_cast<double>(p.vertices.size()));
}

// Where one level puts its new points: per edge it divides and per face.
struct NewPoints {
  std::map<EdgeKey, int> onEdge;  // vertex pair -> the point dividing it
  std::vector<int> facePoint;     // per face; -1 where the face stays whole
  int count = 0;                  // the points, old and new
};

// As Maya numbers a whole mesh's division: the mesh's points first, then one
// per edge, then one per face (face f's at points + edges + f). The edge
// points follow the order the faces first walk the edges, that order turned
// so that the edge at place j takes place (j + faces) mod edges.
NewPoints wholeNumbers(const MeshData& m) {
  NewPoints at;
  const MeshEdges walked = faceOrderEdges(m);
  const int points = static_cast<int>(m.points.size()), edges = static_cast<int>(walked.ends.size());
  for (int j = 0; j < edges; ++j) {
    const auto& [a, b] = walked.ends[static_cast<std::size_t>(j)];
    at.onEdge[keyOf(a, b)] = points + (j + m.numFaces()) % edges;
  }
  for (int f = 0; f < m.numFaces(); ++f)
    at.facePoint.push_back(points + edges + f);
  at.count = points + edges + m.numFaces();
  return at;
}

// As Maya numbers the division of some faces: after the mesh's points, face
// by face, the face's point and then those of its edges not yet divided.
NewPoints partNumbers(const PolygonList& in, const std::vector<bool>& chosen) {
  NewPoints at;
  at.count = static_cast<int>(in.points.size());
  for (std::size_t f = 0; f < in.polygons.size(); ++f) {
    at.facePoint.push_back(chosen[f] ? at.count++ : -1);
    const auto& v = in.polygons[f].vertices;
    for (std::size_t k = 0; chosen[f] && k < v.size(); ++k)
      if (at.onEdge.emplace(keyOf(v[k], v[(k + 1) % v.size()]), at.count).second)
        ++at.count;
  }
  return at;
}

// The quad about corner k of an n-cornered face: the corner, the point on its
// next edge, the face's point, the point on its previous edge. Dividing the
// whole mesh, a four-cornered face's quads turn k places on, so that they run
// as the rows of a two by two grid; dividing part of it, every quad starts
// at the point on its previous edge.
template <typename T>
std::vector<T> quadAbout(std::size_t k, std::size_t n, bool whole, T corner, T next, T centre, T previous) {
  std::vector<T> quad{corner, next, centre, previous};
  const std::size_t turn = whole ? (n == 4 ? k % 4 : 0) : 1;
  std::rotate(quad.begin(), quad.begin() + static_cast<std::ptrdiff_t>((4 - turn) % 4), quad.end());
  return quad;
}

// The new mesh's edges as Maya numbers a whole mesh's division: each edge of
// the mesh as its two halves, from its first point then to its second; then
// the edges inside each face, in the order its quads first walk them. None
// when the mesh lists an edge no face walks.
std::vector<int> dividedEdges(const MeshEdges& edges, const NewPoints& at, const std::vector<Polygon>& quads) {
  std::vector<int> out;
  for (const auto& [a, b] : edges.ends) {
    const auto middle = at.onEdge.find(keyOf(a, b));
    if (middle == at.onEdge.end())
      return {};
    out.insert(out.end(), {a, middle->second, middle->second, b});
  }
  const int firstFacePoint = at.facePoint.empty() ? at.count : at.facePoint.front();
  std::set<EdgeKey> inside;
  for (const Polygon& q : quads)
    for (std::size_t k = 0; k < 4; ++k) {
      const int a = q.vertices[k], b = q.vertices[(k + 1) % 4];
      if ((a >= firstFacePoint || b >= firstFacePoint) && inside.insert(keyOf(a, b)).second)
        out.insert(out.end(), {a, b});
    }
  return out;
}

// The faces walking each edge, edges in the order the faces first walk them.
std::map<EdgeKey, EdgeInfo> edgeFaces(const PolygonList& in, std::vector<EdgeKey>& order) {
  std::map<EdgeKey, EdgeInfo> edges;
  for (std::size_t f = 0; f < in.polygons.size(); ++f) {
    const auto& v = in.polygons[f].vertices;
    for (std::size_t k = 0; k < v.size(); ++k) {
      EdgeKey key = keyOf(v[k], v[(k + 1) % v.size()]);
      auto [it, added] = edges.emplace(key, EdgeInfo{});
      if (added)
        order.push_back(key);
      it->second.faces.push_back(static_cast<int>(f));
    }
  }
  return edges;
}

// The mesh's points moved as Catmull-Clark moves them, those on a face that
// is not divided staying.
void movePoints(const PolygonList& in, const std::map<EdgeKey, EdgeInfo>& edges, const std::vector<bool>& chosen,
                PolygonList& out, const NewPoints& at, double smooth) {
  const std::size_t count = in.points.size();
  std::vector<Point3> faceSum(count), edgeSum(count), borderSum(count);
  std::vector<int> faceCount(count, 0), edgeCount(count, 0), borderCount(count, 0);
  std::vector<bool> stays(count, false);
  for (const auto& [key, e] : edges)
    for (auto [end, other] : {std::make_pair(key.first, key.second), std::make_pair(key.second, key.first)}) {
      const std::size_t i = static_cast<std::size_t>(end);
      const Point3 o = in.points[static_cast<std::size_t>(other)];
      edgeSum[i] = edgeSum[i] + lerp(in.points[i], o, 0.5);
      ++edgeCount[i];
      if (e.faces.size() != 2) {
        borderSum[i] = borderSum[i] + o;
        ++borderCount[i];
      }
    }
  for (std::size_t f = 0; f < in.polygons.size(); ++f)
    for (int v : in.polygons[f].vertices) {
      const std::size_t i = static_cast<std::size_t>(v);
      if (!chosen[f]) {
        stays[i] = true;
        continue;
      }
      faceSum[i] = faceSum[i] + out.points[static_cast<std::size_t>(at.facePoint[f])];
      ++faceCount[i];
    }
  for (std::size_t i = 0; i < count; ++i) {
    const Point3 p = in.points[i];
    Point3 placed = p;
    if (stays[i]) {
    } else if (borderCount[i] == 2 && edgeCount[i] > 2) {
      placed = p * 0.75 + borderSum[i] * 0.125;
    } else if (borderCount[i] == 0 && faceCount[i] > 0 && faceCount[i] == edgeCount[i]) {
      const double n = faceCount[i];
      placed = (faceSum[i] * (1.0 / n) + edgeSum[i] * (2.0 / n) + p * (n - 3.0)) * (1.0 / n);
    }
    out.points[i] = lerp(p, placed, smooth);
  }
}

// The new UVs of a face: its centre's (-1 where a corner has none) and its
// edges' middles, per set, shared between faces through `middles`.
struct FaceUVs {
  std::vector<int> centre;
  std::vector<std::vector<int>> middle;
};

FaceUVs faceUVs(const Polygon& p, bool divided, const NewPoints& at, std::vector<std::map<EdgeKey, int>>& middles,
                PolygonList& out) {
  FaceUVs uvs{{}, std::vector<std::vector<int>>(out.sets.size())};
  const std::size_t n = p.vertices.size();
  for (std::size_t s = 0; s < out.sets.size(); ++s) {
    int centre = -1;
    const bool all = std::all_of(p.uvs[s].begin(), p.uvs[s].end(), [](int uv) { return uv >= 0; });
    if (divided && all) {
      centre = out.copyUV(s, p.uvs[s][0]);
      for (std::size_t k = 1; k < n; ++k) {
        out.sets[s].us[static_cast<std::size_t>(centre)] += out.sets[s].us[static_cast<std::size_t>(p.uvs[s][k])];
        out.sets[s].vs[static_cast<std::size_t>(centre)] += out.sets[s].vs[static_cast<std::size_t>(p.uvs[s][k])];
      }
      out.sets[s].us[static_cast<std::size_t>(centre)] /= static_cast<float>(n);
      out.sets[s].vs[static_cast<std::size_t>(centre)] /= static_cast<float>(n);
    }
    uvs.centre.push_back(centre);
    for (std::size_t k = 0; k < n; ++k) {
      const int a = p.uvs[s][k], b = p.uvs[s][(k + 1) % n];
      int middle = -1;
      if (a >= 0 && b >= 0 && at.onEdge.count(keyOf(p.vertices[k], p.vertices[(k + 1) % n]))) {
        auto found = middles[s].find(keyOf(a, b));
        middle = found != middles[s].end() ? found->second : middles[s][keyOf(a, b)] = out.blendUV(s, a, b, 0.5);
      }
      uvs.middle[s].push_back(middle);
    }
  }
  return uvs;
}

// A face not divided, with the points of its divided edges as corners.
Polygon withEdgePoints(const Polygon& p, const NewPoints& at, const FaceUVs& uvs) {
  Polygon out{{}, std::vector<std::vector<int>>(p.uvs.size())};
  const std::size_t n = p.vertices.size();
  for (std::size_t k = 0; k < n; ++k) {
    out.vertices.push_back(p.vertices[k]);
    for (std::size_t s = 0; s < p.uvs.size(); ++s)
      out.uvs[s].push_back(p.uvs[s][k]);
    auto divided = at.onEdge.find(keyOf(p.vertices[k], p.vertices[(k + 1) % n]));
    if (divided == at.onEdge.end())
      continue;
    out.vertices.push_back(divided->second);
    for (std::size_t s = 0; s < p.uvs.size(); ++s)
      out.uvs[s].push_back(uvs.middle[s][k]);
  }
  return out;
}

// One level of subdivision of the chosen faces; `smooth` from 0 (plain) to 1
// (Catmull-Clark). An edge between two divided faces is smoothed, one beside
// a face not divided (or on the border) is divided at its middle. Dividing
// the whole mesh, the faces come in the order of the faces they divide,
// corner by corner; dividing part, the quad about a face's first corner
// keeps its place and the others follow the mesh's faces, face by face.
MeshData subdivide(const MeshData& mesh, const std::vector<bool>& chosen, double smooth) {
  const bool whole = std::all_of(chosen.begin(), chosen.end(), [](bool c) { return c; });
  const PolygonList in = PolygonList::of(mesh);
  const NewPoints at = whole ? wholeNumbers(mesh) : partNumbers(in, chosen);
  PolygonList out;
  out.points = in.points;
  out.points.resize(static_cast<std::size_t>(at.count));
  out.sets = in.sets;
  out.currentUVSet = in.currentUVSet;
  for (std::size_t f = 0; f < in.polygons.size(); ++f)
    if (chosen[f])
      out.points[static_cast<std::size_t>(at.facePoint[f])] = centreOf(in, in.polygons[f]);
  std::vector<EdgeKey> order;
  const std::map<EdgeKey, EdgeInfo> edges = edgeFaces(in, order);
  for (const auto& [key, point] : at.onEdge) {
    const EdgeInfo& e = edges.at(key);
    const Point3 middle = lerp(in.points[static_cast<std::size_t>(key.first)], in.points[static_cast<std::size_t>(key.second)], 0.5);
    Point3 placed = middle;
    if (e.faces.size() == 2 && chosen[static_cast<std::size_t>(e.faces[0])] && chosen[static_cast<std::size_t>(e.faces[1])]) {
      const Point3 faces = lerp(out.points[static_cast<std::size_t>(at.facePoint[static_cast<std::size_t>(e.faces[0])])],
                                out.points[static_cast<std::size_t>(at.facePoint[static_cast<std::size_t>(e.faces[1])])], 0.5);
      placed = lerp(middle, faces, 0.5);
    }
    out.points[static_cast<std::size_t>(point)] = lerp(middle, placed, smooth);
  }
  movePoints(in, edges, chosen, out, at, smooth);
  std::vector<std::map<EdgeKey, int>> middles(out.sets.size());  // per set: UV pair -> the UV halfway
  std::vector<Polygon> following;
  for (std::size_t f = 0; f < in.polygons.size(); ++f) {
    const Polygon& p = in.polygons[f];
    const std::size_t n = p.vertices.size();
    const FaceUVs uvs = faceUVs(p, chosen[f], at, middles, out);
    if (!chosen[f]) {
      out.polygons.push_back(withEdgePoints(p, at, uvs));
      continue;
    }
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t before = (k + n - 1) % n;
      Polygon quad{quadAbout(k, n, whole, p.vertices[k], at.onEdge.at(keyOf(p.vertices[k], p.vertices[(k + 1) % n])),
                             at.facePoint[f], at.onEdge.at(keyOf(p.vertices[before], p.vertices[k]))),
                   {}};
      for (std::size_t s = 0; s < out.sets.size(); ++s)
        quad.uvs.push_back(quadAbout(k, n, whole, p.uvs[s][k], uvs.middle[s][k], uvs.centre[s], uvs.middle[s][before]));
      (whole || k == 0 ? out.polygons : following).push_back(std::move(quad));
    }
  }
  out.polygons.insert(out.polygons.end(), following.begin(), following.end());
  MeshData divided = out.toMesh();
  if (whole)
    divided.edges = dividedEdges(meshEdges(mesh), at, out.polygons);
  return divided;
}

}  // namespace

bool smoothFaces(const Node& node, MeshData& mesh, std::string& why) {
  const double divisions = node.number("divisions", 1.0), continuity = node.number("continuity", 1.0);
  if (!allNumbers({divisions, continuity}, why))
    return false;
  if (node.number("method", 0.0) != 0.0) {
    why = "its linear method is not evaluated (the host divides by Catmull-Clark only)";
    return false;
  }
  std::vector<bool> chosen;
  if (!listedComponents(node, MFn::kMeshPolygonComponent, mesh.numFaces(), true, chosen, why))
    return false;
  const bool part = std::find(chosen.begin(), chosen.end(), false) != chosen.end();
  if (part && divisions > 1) {
    why = "it smooths part of the mesh more than once, which the host does not evaluate (only once)";
    return false;
  }
  std::int64_t corners = static_cast<std::int64_t>(mesh.faceConnects.size());
  for (int level = 1; level < divisions && corners <= kMaxCorners; ++level)
    corners *= 4;
  if (divisions < 0 || corners * 4 > kMaxCorners) {
    why = "its divisions " + std::to_string(static_cast<long long>(divisions)) + " would make more than " +
          std::to_string(kMaxCorners) + " face corners";
    return false;
  }
  const bool withUVs = hasUVs(mesh);
  for (int level = 0; level < static_cast<int>(divisions); ++level)
    mesh = subdivide(mesh, level == 0 ? chosen : std::vector<bool>(static_cast<std::size_t>(mesh.numFaces()), true),
                     std::min(1.0, std::max(0.0, continuity)));
  if (withUVs && node.number("smoothUVs", 1.0) != 0.0)
    why = "its UVs are divided plainly by mayahost, not smoothed as Maya smooths them; the painter's layout may differ "
          "slightly";
  return true;
}

}  // namespace OmbrixHost
