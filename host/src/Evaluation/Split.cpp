// polySplit: a path of points on edges, each face between two consecutive
// points cut in two along it. Maya stores each point as `desc` -2147483648
// plus the edge's index and `edge` the fraction along that edge from its
// first point (as the mesh's edge list gives it); a fraction of 0 or 1 is
// the edge's end itself. New points follow the mesh's in the order the path
// first reaches them; of a face cut in two, the part from the cut's first
// point round the face's own order to its second becomes a new face after
// the mesh's, one per cut in path order, and the other part keeps the face's
// place. New points take UVs between the edge's UVs, shared where the faces
// share those.
#include "Deformers.h"
#include "ModelingSteps.h"
#include "PolygonList.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <iterator>
#include <tuple>

namespace OmbrixHost {
namespace {

constexpr double kOnEdge = -2147483648.0;  // desc of a point on edge 0

struct PathPoint {
  int edge = -1;
  double t = 0;   // from the edge's first point
  int vertex = -1;  // the point of the mesh it becomes
};

// The path's points as the node stores them; false with `why` on a value
// that names no edge of the mesh or no fraction of one.
bool readPath(const Node& node, int edgeCount, std::vector<PathPoint>& path, std::string& why) {
  for (int i : elementsOf(node, "desc", {-1})) {
    const double d = node.number(indexed("desc", i), std::nan("")), t = node.number(indexed("edge", i), std::nan(""));
    const double edge = d - kOnEdge;
    const std::string which = "its point " + std::to_string(i);
    if (!std::isfinite(edge) || edge != std::floor(edge) || edge < 0 || edge >= edgeCount) {
      why = which + " (desc " + (std::isfinite(d) ? std::to_string(static_cast<long long>(d)) : std::string("?")) +
            ") names no edge of the mesh (which has " + std::to_string(edgeCount) + ")";
      return false;
    }
    if (!std::isfinite(t) || t < 0 || t > 1) {
      why = which + " has no fraction between 0 and 1 along its edge";
      return false;
    }
    path.push_back({static_cast<int>(edge), t, -1});
  }
  return true;
}

// Each point's vertex: an end of its edge at a fraction of 0 or 1, else a new
// point (one for each edge and fraction), numbered in path order.
void placePoints(const MeshEdges& edges, std::vector<PathPoint>& path, PolygonList& list,
                 std::map<int, std::vector<std::pair<double, int>>>& onEdge) {
  std::map<std::pair<int, double>, int> made;
  for (auto& p : path) {
    const auto& ends = edges.ends[static_cast<std::size_t>(p.edge)];
    if (p.t == 0 || p.t == 1) {
      p.vertex = p.t == 0 ? ends.first : ends.second;
      continue;
    }
    auto found = made.find({p.edge, p.t});
    if (found != made.end()) {
      p.vertex = found->second;
      continue;
    }
    const auto& pts = list.points;
    p.vertex = list.addPoint(lerp(pts[static_cast<std::size_t>(ends.first)], pts[static_cast<std::size_t>(ends.second)], p.t));
    made[{p.edge, p.t}] = p.vertex;
    onEdge[p.edge].push_back({p.t, p.vertex});
  }
  for (auto& entry : onEdge)
    std::sort(entry.second.begin(), entry.second.end());
}

// The new points become corners of every face walking their edges, in order
// along the face; their UVs lie between those of the edge's ends in that face.
void insertPoints(const MeshData& m, const MeshEdges& edges, const std::map<int, std::vector<std::pair<double, int>>>& onEdge,
                  PolygonList& list) {
  std::vector<std::map<std::tuple<int, int, int>, int>> madeUVs(list.sets.size());  // (uv at first end, uv at second, point)
  for (std::size_t f = 0; f < list.polygons.size(); ++f) {
    const Polygon old = list.polygons[f];
    Polygon grown{{}, std::vector<std::vector<int>>(old.uvs.size())};
    const std::size_t n = old.vertices.size();
    for (std::size_t k = 0; k < n; ++k) {
      grown.vertices.push_back(old.vertices[k]);
      for (std::size_t s = 0; s < old.uvs.size(); ++s)
        grown.uvs[s].push_back(old.uvs[s][k]);
      const long long loop = edges.loops[static_cast<std::size_t>(m.faceStart(static_cast<int>(f))) + k];
      auto points = onEdge.find(MeshEdges::edgeOf(loop));
      if (points == onEdge.end())
        continue;
      const bool forward = loop >= 0;
      std::vector<std::pair<double, int>> along = points->second;
      if (!forward)
        std::reverse(along.begin(), along.end());
      for (const auto& [t, vertex] : along) {
        grown.vertices.push_back(vertex);
        for (std::size_t s = 0; s < old.uvs.size(); ++s) {
          const int here = old.uvs[s][k], next = old.uvs[s][(k + 1) % n];
          const int first = forward ? here : next, second = forward ? next : here;
          auto key = std::make_tuple(first, second, vertex);
          auto found = madeUVs[s].find(key);
          grown.uvs[s].push_back(found != madeUVs[s].end() ? found->second
                                                           : madeUVs[s][key] = list.blendUV(s, first, second, t));
        }
      }
    }
    list.polygons[f] = std::move(grown);
  }
}

// The faces of the mesh each point lies on: those walking its edge, or for
// an end of the edge, those using that point.
std::vector<std::set<int>> facesOfPoints(const MeshData& m, const MeshEdges& edges, const std::vector<PathPoint>& path) {
  std::multimap<int, std::size_t> byEdge, byVertex;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i].t == 0 || path[i].t == 1)
      byVertex.emplace(path[i].vertex, i);
    else
      byEdge.emplace(path[i].edge, i);
  }
  std::vector<std::set<int>> out(path.size());
  for (int f = 0; f < m.numFaces(); ++f)
    for (int k = 0; k < m.faceCounts[f]; ++k) {
      const std::size_t c = static_cast<std::size_t>(m.faceStart(f) + k);
      auto onEdge = byEdge.equal_range(MeshEdges::edgeOf(edges.loops[c]));
      auto atVertex = byVertex.equal_range(m.faceConnects[c]);
      for (auto range : {onEdge, atVertex})
        for (auto it = range.first; it != range.second; ++it)
          out[it->second].insert(f);
    }
  return out;
}

// Cuts polygon `f` between its corners at a and b: the part from a round to b
// is appended, the rest keeps the place.
void cutPolygon(PolygonList& list, std::size_t f, std::size_t a, std::size_t b) {
  const Polygon whole = list.polygons[f];
  const std::size_t n = whole.vertices.size();
  auto part = [&](std::size_t from, std::size_t to) {
    Polygon p{{}, std::vector<std::vector<int>>(whole.uvs.size())};
    for (std::size_t k = from;; k = (k + 1) % n) {
      p.vertices.push_back(whole.vertices[k]);
      for (std::size_t s = 0; s < whole.uvs.size(); ++s)
        p.uvs[s].push_back(whole.uvs[s][k]);
      if (k == to)
        return p;
    }
  };
  list.polygons[f] = part(b, a);
  list.polygons.push_back(part(a, b));
}

// The cut from path point i to i + 1 through the polygon made of a face both
// lie on; false with `why` when there is none.
bool cut(const std::vector<PathPoint>& path, const std::vector<std::set<int>>& faces, std::size_t i, PolygonList& list,
         std::vector<int>& origin, std::string& why) {
  const PathPoint &from = path[i], &to = path[i + 1];
  const std::string which = "its points " + std::to_string(i) + " and " + std::to_string(i + 1);
  if (from.vertex == to.vertex) {
    why = which + " are one point";
    return false;
  }
  std::set<int> shared;
  std::set_intersection(faces[i].begin(), faces[i].end(), faces[i + 1].begin(), faces[i + 1].end(),
                        std::inserter(shared, shared.end()));
  for (std::size_t f = 0; f < list.polygons.size(); ++f) {
    if (!shared.count(origin[f]))
      continue;
    const auto& v = list.polygons[f].vertices;
    auto a = std::find(v.begin(), v.end(), from.vertex), b = std::find(v.begin(), v.end(), to.vertex);
    if (a == v.end() || b == v.end())
      continue;
    const std::size_t ia = static_cast<std::size_t>(a - v.begin()), ib = static_cast<std::size_t>(b - v.begin());
    if ((ia + 1) % v.size() == ib || (ib + 1) % v.size() == ia)
      return true;  // along a side of the face: nothing to cut
    cutPolygon(list, f, ia, ib);
    origin.push_back(origin[f]);
    return true;
  }
  why = which + " share no face";
  return false;
}

}  // namespace

bool splitFaces(const Node& node, MeshData& mesh, std::string& why) {
  if (node.number("detachEdges", 0.0) != 0.0) {
    why = "it detaches the cut edges (detachEdges), which the host does not do";
    return false;
  }
  if (node.number("subdivision", 1.0) != 1.0) {
    why = "it divides its cuts (subdivision other than 1), which the host does not do";
    return false;
  }
  const MeshEdges edges = meshEdges(mesh);
  std::vector<PathPoint> path;
  if (!readPath(node, edges.count(), path, why))
    return false;
  if (path.size() < 2) {
    why = elementsOf(node, "splitPoints", {-1}).empty()
              ? "it names fewer than two points"
              : "its points are given by face, triangle and barycentric coordinates (splitPoints), a form the host "
                "does not read";
    return false;
  }
  PolygonList list = PolygonList::of(mesh);
  std::map<int, std::vector<std::pair<double, int>>> onEdge;
  placePoints(edges, path, list, onEdge);
  insertPoints(mesh, edges, onEdge, list);
  const std::vector<std::set<int>> faces = facesOfPoints(mesh, edges, path);
  std::vector<int> origin(list.polygons.size());
  for (std::size_t f = 0; f < origin.size(); ++f)
    origin[f] = static_cast<int>(f);
  for (std::size_t i = 0; i + 1 < path.size(); ++i)
    if (!cut(path, faces, i, list, origin, why))
      return false;
  if (node.number("insertWithEdgeFlow", 0.0) != 0.0)
    why = "its edge flow is left out: the new points lie on the straight edges";
  mesh = list.toMesh();
  return true;
}

}  // namespace OmbrixHost
