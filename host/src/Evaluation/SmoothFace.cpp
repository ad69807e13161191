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
  int point = -1;          // the new point on it
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

// Where one level puts its new points, as Maya numbers them: the mesh's
// points first, then one per edge, then one per face (face f's at points +
// edges + f). The edge points follow the order the faces first walk the
// edges, that order turned so that the edge at place j takes place (j +
// faces) mod edges.
struct NewPoints {
  std::map<EdgeKey, int> edgeId;  // vertex pair -> the edge's number in the mesh
  std::vector<int> edgePoint;     // per edge of the mesh
  int firstFacePoint = 0;

  NewPoints(const MeshData& m, const MeshEdges& edges) : edgePoint(edges.ends.size(), -1) {
    for (std::size_t e = 0; e < edges.ends.size(); ++e)
      edgeId.emplace(keyOf(edges.ends[e].first, edges.ends[e].second), static_cast<int>(e));
    const MeshEdges walked = faceOrderEdges(m);
    const int points = static_cast<int>(m.points.size()), count = static_cast<int>(walked.ends.size());
    for (int j = 0; j < count; ++j) {
      const auto& [a, b] = walked.ends[static_cast<std::size_t>(j)];
      edgePoint[static_cast<std::size_t>(edgeId.at(keyOf(a, b)))] = points + (j + m.numFaces()) % count;
    }
    firstFacePoint = points + count;
  }
  int onEdge(int a, int b) const { return edgePoint[static_cast<std::size_t>(edgeId.at(keyOf(a, b)))]; }
};

// The quad about corner k of an n-cornered face: the corner, the point on its
// next edge, the face's point, the point on its previous edge; a four-cornered
// face's quads turned k places on, so that they run as the rows of a two by
// two grid.
template <typename T>
std::vector<T> quadAbout(std::size_t k, std::size_t n, T corner, T next, T centre, T previous) {
  std::vector<T> quad{corner, next, centre, previous};
  if (n == 4)
    std::rotate(quad.begin(), quad.begin() + static_cast<std::ptrdiff_t>((4 - k) % 4), quad.end());
  return quad;
}

// The new mesh's edges as Maya numbers them: each edge of the mesh as its two
// halves, from its first point then to its second; then the edges inside each
// face, in the order its quads first walk them.
std::vector<int> dividedEdges(const MeshEdges& edges, const NewPoints& at, const std::vector<Polygon>& quads) {
  std::vector<int> out;
  for (std::size_t e = 0; e < edges.ends.size(); ++e)
    out.insert(out.end(), {edges.ends[e].first, at.edgePoint[e], at.edgePoint[e], edges.ends[e].second});
  std::set<EdgeKey> inside;
  for (const Polygon& q : quads)
    for (std::size_t k = 0; k < 4; ++k) {
      const int a = q.vertices[k], b = q.vertices[(k + 1) % 4];
      if ((a >= at.firstFacePoint || b >= at.firstFacePoint) && inside.insert(keyOf(a, b)).second)
        out.insert(out.end(), {a, b});
    }
  return out;
}

// One level of subdivision; `smooth` from 0 (plain) to 1 (Catmull-Clark).
MeshData subdivide(const MeshData& mesh, double smooth) {
  const PolygonList in = PolygonList::of(mesh);
  const MeshEdges meshEdgeList = meshEdges(mesh);
  const NewPoints at(mesh, meshEdgeList);
  PolygonList out;
  out.points = in.points;
  out.points.resize(static_cast<std::size_t>(at.firstFacePoint) + in.polygons.size());
  out.sets = in.sets;
  out.currentUVSet = in.currentUVSet;
  std::vector<int> facePoint;
  for (std::size_t f = 0; f < in.polygons.size(); ++f) {
    facePoint.push_back(at.firstFacePoint + static_cast<int>(f));
    out.points[static_cast<std::size_t>(facePoint.back())] = centreOf(in, in.polygons[f]);
  }
  std::map<EdgeKey, EdgeInfo> edges;
  std::vector<EdgeKey> edgeOrder;
  for (std::size_t f = 0; f < in.polygons.size(); ++f) {
    const auto& v = in.polygons[f].vertices;
    for (std::size_t k = 0; k < v.size(); ++k) {
      EdgeKey key = keyOf(v[k], v[(k + 1) % v.size()]);
      auto [it, added] = edges.emplace(key, EdgeInfo{});
      if (added)
        edgeOrder.push_back(key);
      it->second.faces.push_back(static_cast<int>(f));
    }
  }
  std::vector<Point3> faceSum(in.points.size()), edgeSum(in.points.size());
  std::vector<int> faceCount(in.points.size(), 0), edgeCount(in.points.size(), 0), borderCount(in.points.size(), 0);
  std::vector<Point3> borderSum(in.points.size());
  for (const auto& key : edgeOrder) {
    EdgeInfo& e = edges[key];
    Point3 a = in.points[static_cast<std::size_t>(key.first)], b = in.points[static_cast<std::size_t>(key.second)];
    Point3 middle = lerp(a, b, 0.5), placed = middle;
    if (e.faces.size() == 2) {
      Point3 faces = lerp(out.points[static_cast<std::size_t>(facePoint[static_cast<std::size_t>(e.faces[0])])],
                          out.points[static_cast<std::size_t>(facePoint[static_cast<std::size_t>(e.faces[1])])], 0.5);
      placed = lerp(middle, faces, 0.5);
    }
    e.point = at.onEdge(key.first, key.second);
    out.points[static_cast<std::size_t>(e.point)] = lerp(middle, placed, smooth);
    for (auto [end, other] : {std::make_pair(key.first, b), std::make_pair(key.second, a)}) {
      const std::size_t i = static_cast<std::size_t>(end);
      edgeSum[i] = edgeSum[i] + lerp(in.points[i], other, 0.5);
      ++edgeCount[i];
      if (e.faces.size() != 2) {
        borderSum[i] = borderSum[i] + other;
        ++borderCount[i];
      }
    }
  }
  for (std::size_t f = 0; f < in.polygons.size(); ++f)
    for (int v : in.polygons[f].vertices) {
      faceSum[static_cast<std::size_t>(v)] = faceSum[static_cast<std::size_t>(v)] + out.points[static_cast<std::size_t>(facePoint[f])];
      ++faceCount[static_cast<std::size_t>(v)];
    }
  for (std::size_t i = 0; i < in.points.size(); ++i) {
    const Point3 p = in.points[i];
    Point3 placed = p;
    if (borderCount[i] == 2 && edgeCount[i] > 2) {
      placed = p * 0.75 + borderSum[i] * 0.125;
    } else if (borderCount[i] == 0 && faceCount[i] > 0 && faceCount[i] == edgeCount[i]) {
      const double n = faceCount[i];
      placed = (faceSum[i] * (1.0 / n) + edgeSum[i] * (2.0 / n) + p * (n - 3.0)) * (1.0 / n);
    }
    out.points[i] = lerp(p, placed, smooth);
  }
  std::vector<std::map<EdgeKey, int>> middles(out.sets.size());  // per set: UV pair -> the UV halfway
  auto middle = [&](std::size_t s, int a, int b) {
    if (a < 0 || b < 0)
      return -1;
    auto found = middles[s].find(keyOf(a, b));
    return found != middles[s].end() ? found->second : middles[s][keyOf(a, b)] = out.blendUV(s, a, b, 0.5);
  };
  for (std::size_t f = 0; f < in.polygons.size(); ++f) {
    const Polygon& p = in.polygons[f];
    const std::size_t n = p.vertices.size();
    std::vector<int> centreUV;
    std::vector<std::vector<int>> middleUV(out.sets.size());
    for (std::size_t s = 0; s < out.sets.size(); ++s) {
      int centre = -1;
      bool all = true;
      for (int uv : p.uvs[s])
        all = all && uv >= 0;
      if (all) {
        centre = out.copyUV(s, p.uvs[s][0]);
        for (std::size_t k = 1; k < n; ++k) {
          out.sets[s].us[static_cast<std::size_t>(centre)] += out.sets[s].us[static_cast<std::size_t>(p.uvs[s][k])];
          out.sets[s].vs[static_cast<std::size_t>(centre)] += out.sets[s].vs[static_cast<std::size_t>(p.uvs[s][k])];
        }
        out.sets[s].us[static_cast<std::size_t>(centre)] /= static_cast<float>(n);
        out.sets[s].vs[static_cast<std::size_t>(centre)] /= static_cast<float>(n);
      }
      centreUV.push_back(centre);
      for (std::size_t k = 0; k < n; ++k)
        middleUV[s].push_back(middle(s, p.uvs[s][k], p.uvs[s][(k + 1) % n]));
    }
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t before = (k + n - 1) % n;
      Polygon quad{quadAbout(k, n, p.vertices[k], edges[keyOf(p.vertices[k], p.vertices[(k + 1) % n])].point,
                             facePoint[f], edges[keyOf(p.vertices[before], p.vertices[k])].point),
                   {}};
      for (std::size_t s = 0; s < out.sets.size(); ++s)
        quad.uvs.push_back(quadAbout(k, n, p.uvs[s][k], middleUV[s][k], centreUV[s], middleUV[s][before]));
      out.polygons.push_back(std::move(quad));
    }
  }
  MeshData divided = out.toMesh();
  divided.edges = dividedEdges(meshEdgeList, at, out.polygons);
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
  for (bool c : chosen)
    if (!c) {
      why = "it smooths part of the mesh, which the host does not evaluate (only all of it)";
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
    mesh = subdivide(mesh, std::min(1.0, std::max(0.0, continuity)));
  if (withUVs && node.number("smoothUVs", 1.0) != 0.0)
    why = "its UVs are divided plainly by mayahost, not smoothed as Maya smooths them; the painter's layout may differ "
          "slightly";
  return true;
}

}  // namespace OmbrixHost
