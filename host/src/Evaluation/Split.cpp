// polySplit: a path of points on edges, each face between two consecutive
// points cut in two along it. Maya stores each point as `desc` -2147483648
// plus the edge's index and `edge` the fraction along that edge from its
// first point (as the mesh's edge list gives it); a fraction of 0 or 1 is
// taken as the edge's end itself. New points follow the mesh's in the order the path
// first reaches them; of a face cut in two, the part from the cut's first
// point round the face's own order to its second becomes a new face after
// the mesh's, one per cut in path order, and the other part keeps the face's
// place. A split edge keeps its number for its part from its first point;
// the parts after the new points, then the cuts, are numbered after the
// mesh's edges. New points take UVs between the edge's UVs, shared where
// the faces share those. A path of one point only divides its edge there
// (or, at an end of the edge, changes nothing). A point whose desc names an
// element of `vertices` lies there inside a face (its `edge` the face, of
// the mesh as it comes in): numbered with the others in path order, it takes
// its place on the cut through that face, whose edges follow the others in
// path order. Its UVs lie between those of the cut's ends.
#include "Deformers.h"
#include "ModelingSteps.h"
#include "Point3Math.h"
#include "PolygonList.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <tuple>
#include <utility>

namespace OmbrixHost {
namespace {

constexpr double kOnEdge = -2147483648.0;  // desc of a point on edge 0

struct PathPoint {
  int edge = -1;
  double t = 0;   // from the edge's first point
  int vertex = -1;  // the point of the mesh it becomes
  int face = -1;    // of a point inside a face: the face, and where in it
  Point3 at;
  bool free() const { return face >= 0; }
};

// A desc value as the file wrote it.
std::string descText(double d) {
  if (d == std::floor(d) && std::fabs(d) < 9e18)
    return std::to_string(static_cast<long long>(d));
  std::ostringstream out;
  out << d;
  return out.str();
}

// The path's points as the node stores them; false with `why` on a value
// that names no edge of the mesh or no fraction of one.
bool readPath(const Node& node, int edgeCount, int faceCount, std::vector<PathPoint>& path, std::string& why) {
  const std::vector<int> freePoints = elementsOf(node, "vertices", {-1});
  for (int i : elementsOf(node, "desc", {-1})) {
    const double d = node.number(indexed("desc", i), std::nan("")), t = node.number(indexed("edge", i), std::nan(""));
    const double edge = d - kOnEdge;
    const std::string which = "its point " + std::to_string(i);
    if (std::find(freePoints.begin(), freePoints.end(), d) != freePoints.end()) {
      const std::string key = indexed("vertices", static_cast<int>(d)) + ".";
      const Point3 at{node.number(key + "vtxx", 0.0), node.number(key + "vtxy", 0.0), node.number(key + "vtxz", 0.0)};
      if (!(t >= 0 && t < faceCount && t == std::floor(t)) || !std::isfinite(at.x + at.y + at.z)) {
        why = which + " (desc " + descText(d) + ") names no face of the mesh (which has " + std::to_string(faceCount) +
              ") and place in it";
        return false;
      }
      path.push_back({-1, 0, -1, static_cast<int>(t), at});
      continue;
    }
    if (!std::isfinite(edge) || edge != std::floor(edge) || edge < 0 || edge >= edgeCount) {
      why = which + " (desc " + descText(d) + ") names no edge of the mesh (which has " + std::to_string(edgeCount) + ")";
      return false;
    }
    if (!std::isfinite(t) || t < 0 || t > 1) {
      why = which + " has no fraction between 0 and 1 along its edge";
      return false;
    }
    path.push_back({static_cast<int>(edge), t, -1, -1, {}});
  }
  return true;
}

// The new points along each edge, from its first point: (fraction, point).
using PointsOnEdges = std::map<int, std::vector<std::pair<double, int>>>;

// Each point's vertex: an end of its edge at a fraction of 0 or 1, else a new
// point (one for each edge and fraction), numbered in path order. The new
// points, in that order.
std::vector<PathPoint> placePoints(const MeshEdges& edges, std::vector<PathPoint>& path, PolygonList& list,
                                   PointsOnEdges& onEdge) {
  std::map<std::pair<int, double>, int> made;
  std::vector<PathPoint> added;
  for (auto& p : path) {
    if (p.free()) {
      p.vertex = list.addPoint(p.at);
      continue;
    }
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
    added.push_back(p);
  }
  for (auto& entry : onEdge)
    std::sort(entry.second.begin(), entry.second.end());
  return added;
}

// A face's corner walking an edge with new points.
struct Walker {
  std::size_t face, corner;
  bool forward;  // from the edge's first point
};

// The corners walking each edge with new points, in face order.
std::map<int, std::vector<Walker>> walkersOf(const MeshData& m, const MeshEdges& edges, const PointsOnEdges& onEdge) {
  std::map<int, std::vector<Walker>> out;
  for (int f = 0; f < m.numFaces(); ++f)
    for (int k = 0; k < m.faceCounts[f]; ++k) {
      const long long loop = edges.loops[static_cast<std::size_t>(m.faceStart(f) + k)];
      if (onEdge.count(MeshEdges::edgeOf(loop)))
        out[MeshEdges::edgeOf(loop)].push_back({static_cast<std::size_t>(f), static_cast<std::size_t>(k), loop >= 0});
    }
  return out;
}

// UVs of the new points, keyed by set and (UV at the edge's first point, UV at
// its second, point): made point by point in path order, for each point the
// faces walking its edge from its first point before those walking it back.
using PointUVs = std::vector<std::map<std::tuple<int, int, int>, int>>;

std::pair<int, int> edgeUVs(const PolygonList& list, const Walker& w, std::size_t set) {
  const auto& uvs = list.polygons[w.face].uvs[set];
  const int here = uvs[w.corner], next = uvs[(w.corner + 1) % uvs.size()];
  return w.forward ? std::make_pair(here, next) : std::make_pair(next, here);
}

PointUVs makeUVs(const std::vector<PathPoint>& added, const std::map<int, std::vector<Walker>>& walkers,
                 PolygonList& list) {
  PointUVs made(list.sets.size());
  for (const PathPoint& p : added) {
    auto found = walkers.find(p.edge);
    if (found == walkers.end())
      continue;
    for (bool forward : {true, false})
      for (const Walker& w : found->second) {
        if (w.forward != forward)
          continue;
        for (std::size_t s = 0; s < list.sets.size(); ++s) {
          const auto [first, second] = edgeUVs(list, w, s);
          auto key = std::make_tuple(first, second, p.vertex);
          if (!made[s].count(key))
            made[s][key] = list.blendUV(s, first, second, p.t);
        }
      }
  }
  return made;
}

// The new points become corners of every face walking their edges, in order
// along the face.
void insertPoints(const PointsOnEdges& onEdge, const std::map<int, std::vector<Walker>>& walkers, const PointUVs& uvs,
                  PolygonList& list) {
  std::map<std::size_t, std::map<std::size_t, std::pair<int, bool>>> byFace;  // face -> corner -> (edge, forward)
  for (const auto& [e, ws] : walkers)
    for (const Walker& w : ws)
      byFace[w.face][w.corner] = {e, w.forward};
  for (const auto& [f, corners] : byFace) {
    const Polygon old = list.polygons[f];
    Polygon grown{{}, std::vector<std::vector<int>>(old.uvs.size())};
    for (std::size_t k = 0; k < old.vertices.size(); ++k) {
      grown.vertices.push_back(old.vertices[k]);
      for (std::size_t s = 0; s < old.uvs.size(); ++s)
        grown.uvs[s].push_back(old.uvs[s][k]);
      auto walked = corners.find(k);
      if (walked == corners.end())
        continue;
      const auto [e, forward] = walked->second;
      std::vector<std::pair<double, int>> along = onEdge.at(e);
      if (!forward)
        std::reverse(along.begin(), along.end());
      for (const auto& point : along) {
        grown.vertices.push_back(point.second);
        for (std::size_t s = 0; s < old.uvs.size(); ++s) {
          const auto [first, second] = edgeUVs(list, Walker{f, k, forward}, s);
          auto uv = uvs[s].find(std::make_tuple(first, second, point.second));
          grown.uvs[s].push_back(uv != uvs[s].end() ? uv->second : -1);
        }
      }
    }
    list.polygons[f] = std::move(grown);
  }
}

// The faces of the mesh each point lies on: those walking its edge, or for
// an end of the edge, those using that point; a free point's own face.
std::vector<std::set<int>> facesOfPoints(const MeshData& m, const MeshEdges& edges, const std::vector<PathPoint>& path) {
  std::multimap<int, std::size_t> byEdge, byVertex;
  std::vector<std::set<int>> out(path.size());
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i].free())
      out[i].insert(path[i].face);
    else if (path[i].t == 0 || path[i].t == 1)
      byVertex.emplace(path[i].vertex, i);
    else
      byEdge.emplace(path[i].edge, i);
  }
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

// Appends the corners of `whole` from `from` round to `to`.
void appendCorners(const Polygon& whole, std::size_t from, std::size_t to, Polygon& part) {
  const std::size_t n = whole.vertices.size();
  for (std::size_t k = from;; k = (k + 1) % n) {
    part.vertices.push_back(whole.vertices[k]);
    for (std::size_t s = 0; s < whole.uvs.size(); ++s)
      part.uvs[s].push_back(whole.uvs[s][k]);
    if (k == to)
      return;
  }
}

// Appends the free points `chain` (each with its UVs per set) to `part`,
// forwards or backwards.
void appendChain(const std::vector<std::pair<int, std::vector<int>>>& chain, bool forwards, Polygon& part) {
  for (std::size_t i = 0; i < chain.size(); ++i) {
    const auto& [vertex, uvs] = chain[forwards ? i : chain.size() - 1 - i];
    part.vertices.push_back(vertex);
    for (std::size_t s = 0; s < uvs.size(); ++s)
      part.uvs[s].push_back(uvs[s]);
  }
}

// The free points from corner a towards b of polygon `f`, each with a UV per
// set between those of a and b, by its distance along the chain.
std::vector<std::pair<int, std::vector<int>>> chainOf(const std::vector<int>& points, std::size_t f, std::size_t a,
                                                      std::size_t b, PolygonList& list) {
  std::vector<Point3> along{list.points[static_cast<std::size_t>(list.polygons[f].vertices[a])]};
  for (int p : points)
    along.push_back(list.points[static_cast<std::size_t>(p)]);
  along.push_back(list.points[static_cast<std::size_t>(list.polygons[f].vertices[b])]);
  std::vector<double> run{0};
  for (std::size_t i = 1; i < along.size(); ++i)
    run.push_back(run.back() + std::sqrt(dot(along[i] - along[i - 1], along[i] - along[i - 1])));
  std::vector<std::pair<int, std::vector<int>>> chain;
  for (std::size_t i = 0; i < points.size(); ++i) {
    std::vector<int> uvs;
    for (std::size_t s = 0; s < list.sets.size(); ++s)
      uvs.push_back(list.blendUV(s, list.polygons[f].uvs[s][a], list.polygons[f].uvs[s][b],
                                 run.back() > 0 ? run[i + 1] / run.back() : 0.5));
    chain.push_back({points[i], std::move(uvs)});
  }
  return chain;
}

// Cuts polygon `f` between its corners a (the cut's first point) and b, not
// side by side, through the free points `inside` from a to b: the part from
// a round to b is appended, running from the corner after a to b and back
// along the cut to a; the other keeps the place, running from a along the
// cut to b and on round the face. Maya orders both so.
void cutPolygon(PolygonList& list, std::size_t f, std::size_t a, std::size_t b, const std::vector<int>& inside) {
  const auto chain = chainOf(inside, f, a, b, list);
  const Polygon whole = list.polygons[f];
  const std::size_t n = whole.vertices.size();
  Polygon kept{{}, std::vector<std::vector<int>>(whole.uvs.size())}, added = kept;
  appendCorners(whole, a, a, kept);
  appendChain(chain, true, kept);
  appendCorners(whole, b, (a + n - 1) % n, kept);
  appendCorners(whole, (a + 1) % n, b, added);
  appendChain(chain, false, added);
  appendCorners(whole, a, a, added);
  list.polygons[f] = std::move(kept);
  list.polygons.push_back(std::move(added));
}

// The cut from path point i to j, the next point on an edge, through the
// free points between them and the polygon made of a face all lie on; false
// with `why` when there is none.
bool cut(const std::vector<PathPoint>& path, const std::vector<std::set<int>>& faces, std::size_t i, std::size_t j,
         PolygonList& list, std::vector<int>& origin, std::vector<std::pair<int, int>>& cuts, std::string& why) {
  const PathPoint &from = path[i], &to = path[j];
  const std::string which = "its points " + std::to_string(i) + " and " + std::to_string(j);
  if (from.vertex == to.vertex) {
    why = which + " are one point";
    return false;
  }
  std::set<int> shared = faces[i];
  std::vector<int> inside;
  for (std::size_t k = i + 1; k <= j; ++k) {
    std::set<int> both;
    std::set_intersection(shared.begin(), shared.end(), faces[k].begin(), faces[k].end(), std::inserter(both, both.end()));
    shared = std::move(both);
    if (k < j)
      inside.push_back(path[k].vertex);
  }
  for (std::size_t f = 0; f < list.polygons.size(); ++f) {
    if (!shared.count(origin[f]))
      continue;
    const auto& v = list.polygons[f].vertices;
    auto a = std::find(v.begin(), v.end(), from.vertex), b = std::find(v.begin(), v.end(), to.vertex);
    if (a == v.end() || b == v.end())
      continue;
    const std::size_t ia = static_cast<std::size_t>(a - v.begin()), ib = static_cast<std::size_t>(b - v.begin());
    if (inside.empty() && ((ia + 1) % v.size() == ib || (ib + 1) % v.size() == ia))
      return true;  // along a side of the face: nothing to cut
    cutPolygon(list, f, ia, ib, inside);
    origin.push_back(origin[f]);
    int last = from.vertex;
    for (int p : inside)
      cuts.push_back({std::exchange(last, p), p});
    cuts.push_back({last, to.vertex});
    return true;
  }
  why = which + " share no face";
  return false;
}

// The edges of the result as Maya numbers them: each split edge keeps its
// part from its first point, the parts after each new point follow in the
// order of those points, then the cuts in path order.
std::vector<int> edgeList(const MeshEdges& edges, const std::vector<PathPoint>& added, const PointsOnEdges& onEdge,
                          const std::vector<std::pair<int, int>>& cuts) {
  std::vector<std::pair<int, int>> ends = edges.ends;
  for (const auto& [e, points] : onEdge)
    ends[static_cast<std::size_t>(e)].second = points.front().second;
  for (const PathPoint& p : added) {
    const auto& points = onEdge.at(p.edge);
    auto next = std::upper_bound(points.begin(), points.end(), std::make_pair(p.t, p.vertex));
    ends.push_back({p.vertex, next != points.end() ? next->second : edges.ends[static_cast<std::size_t>(p.edge)].second});
  }
  ends.insert(ends.end(), cuts.begin(), cuts.end());
  std::vector<int> out;
  for (const auto& [a, b] : ends)
    out.insert(out.end(), {a, b});
  return out;
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
  if (!readPath(node, edges.count(), mesh.numFaces(), path, why))
    return false;
  if (path.size() < 2 && !elementsOf(node, "splitPoints", {-1}).empty()) {
    why = "its points are given by face, triangle and barycentric coordinates (splitPoints), a form the host does not "
          "read";
    return false;
  }
  if (path.empty()) {
    why = "it names no point";
    return false;
  }
  if (path.front().free() || path.back().free()) {
    why = std::string("its ") + (path.front().free() ? "first" : "last") + " point lies inside a face, not on an edge";
    return false;
  }
  PolygonList list = PolygonList::of(mesh);
  PointsOnEdges onEdge;
  const std::vector<PathPoint> added = placePoints(edges, path, list, onEdge);
  const auto walkers = walkersOf(mesh, edges, onEdge);
  insertPoints(onEdge, walkers, makeUVs(added, walkers, list), list);
  const std::vector<std::set<int>> faces = facesOfPoints(mesh, edges, path);
  std::vector<int> origin(list.polygons.size());
  for (std::size_t f = 0; f < origin.size(); ++f)
    origin[f] = static_cast<int>(f);
  std::vector<std::pair<int, int>> cuts;
  for (std::size_t i = 0, j = 1; j < path.size(); i = j++) {
    while (path[j].free())
      ++j;  // the last point is on an edge
    if (!cut(path, faces, i, j, list, origin, cuts, why))
      return false;
  }
  if (added.empty() && cuts.empty())
    return true;  // a lone point at a corner, or cuts along sides only: nothing changes
  if (node.number("insertWithEdgeFlow", 0.0) != 0.0)
    why = "its edge flow is left out: the new points lie on the straight edges";
  else if (hasUVs(mesh) && std::any_of(path.begin(), path.end(), [](const PathPoint& p) { return p.free(); }))
    why = "the UVs of its points inside faces are mayahost's, between the cut's ends; Maya's may differ";
  const std::size_t points = list.points.size();
  mesh = list.toMesh();
  if (mesh.points.size() == points)  // no point dropped: the numbers hold
    mesh.edges = edgeList(edges, added, onEdge, cuts);
  return true;
}

}  // namespace OmbrixHost
