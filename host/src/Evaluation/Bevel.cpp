// polyBevel3, as the host shapes it (Maya's reference leaves the shape of a
// bevel open): one segment. Each listed edge between two faces becomes a
// strip face. At a point with bevelled edges every face corner is replaced:
// a corner between two bevelled edges by a point moved in along both of the
// face's edges there, a corner beside one by the point slid along the face's
// other edge, a corner beside none by the points slid along both its edges
// (shared with the faces across them). Points slide `fraction` of the way to
// their edge's middle with offsetAsFraction, else `offset` (at most to the
// middle). Where three or more such points surround a point, a face fills the
// gap. Faces: the mesh's in order, then the strips in edge order, then the
// gaps in point order; the bevelled points are gone, the new ones follow the rest.
#include "MeshEdges.h"
#include "ModelingSteps.h"
#include "Point3Math.h"
#include "PolygonList.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace OmbrixHost {
namespace {

struct CornerEnds {
  int in = -1, out = -1;           // the points beside the corner's in and out edges
  std::vector<int> inUVs, outUVs;  // their UVs, per set
};

using DirectedEdge = std::pair<int, int>;

class Beveller {
public:
  Beveller(PolygonList& list, const std::vector<bool>& bevelled, const MeshEdges& edges, double fraction,
           double offset, bool asFraction)
      : list_(list), original_(list.polygons), fraction_(fraction), offset_(offset), asFraction_(asFraction) {
    for (std::size_t f = 0; f < original_.size(); ++f) {
      const auto& v = original_[f].vertices;
      for (std::size_t k = 0; k < v.size(); ++k)
        walker_[{v[k], v[(k + 1) % v.size()]}] = {f, k};
    }
    for (int e = 0; e < edges.count(); ++e) {
      auto [a, b] = edges.ends[static_cast<std::size_t>(e)];
      if (bevelled[static_cast<std::size_t>(e)] && walker_.count({a, b}) && walker_.count({b, a})) {
        bevelled_.insert({a, b});
        bevelled_.insert({b, a});
        order_.push_back({a, b});
        touched_.insert(a);
        touched_.insert(b);
      }
    }
  }

  bool any() const { return !order_.empty(); }

  void bevel() {
    ends_.assign(original_.size(), {});
    for (std::size_t f = 0; f < original_.size(); ++f)
      list_.polygons[f] = replaced(original_[f], ends_[f]);
    for (const auto& [a, b] : order_)
      strip(a, b);
    for (int v : touched_)
      gap(v);
  }

private:
  bool isBevelled(int a, int b) const { return bevelled_.count({a, b}) > 0; }
  Point3 point(int v) const { return list_.points[static_cast<std::size_t>(v)]; }

  // How far along the edge from v to u its points slide, as a part of its length.
  double slide(int v, int u) const {
    Point3 d = point(u) - point(v);
    double length = std::sqrt(dot(d, d));
    double distance = asFraction_ ? fraction_ * 0.5 * length : std::min(offset_, 0.5 * length);
    return length > 0.0 ? distance / length : 0.0;
  }

  int slidPoint(int v, int u) {
    auto found = slidPoints_.find({v, u});
    if (found != slidPoints_.end())
      return found->second;
    return slidPoints_[{v, u}] = list_.addPoint(lerp(point(v), point(u), slide(v, u)));
  }

  int slidUV(std::size_t set, int uvV, int uvU, double t) {
    auto key = std::make_tuple(set, uvV, uvU);
    auto found = slidUVs_.find(key);
    return found != slidUVs_.end() ? found->second : slidUVs_[key] = list_.blendUV(set, uvV, uvU, t);
  }

  // A corner's points and UVs in the face `p`, by which of its edges are bevelled.
  CornerEnds cornerEnds(const Polygon& p, std::size_t k) {
    const std::size_t n = p.vertices.size(), before = (k + n - 1) % n, after = (k + 1) % n;
    const int v = p.vertices[k], prev = p.vertices[before], next = p.vertices[after];
    const bool in = isBevelled(prev, v), out = isBevelled(v, next);
    CornerEnds c;
    auto along = [&](int u, std::size_t corner, std::vector<int>& uvs) {
      for (std::size_t s = 0; s < p.uvs.size(); ++s)
        uvs.push_back(slidUV(s, p.uvs[s][k], p.uvs[s][corner], slide(v, u)));
      return slidPoint(v, u);
    };
    if (!touched_.count(v)) {
      c.in = c.out = v;
      for (std::size_t s = 0; s < p.uvs.size(); ++s)
        c.inUVs.push_back(p.uvs[s][k]);
    } else if (in && out) {
      const double tPrev = slide(v, prev), tNext = slide(v, next);
      c.in = c.out = list_.addPoint(point(v) + (point(prev) - point(v)) * tPrev + (point(next) - point(v)) * tNext);
      for (std::size_t s = 0; s < p.uvs.size(); ++s)
        c.inUVs.push_back(insetUV(s, p.uvs[s][k], p.uvs[s][before], p.uvs[s][after], tPrev, tNext));
    } else if (out) {
      c.in = c.out = along(prev, before, c.inUVs);
    } else if (in) {
      c.in = c.out = along(next, after, c.inUVs);
    } else {
      c.in = along(prev, before, c.inUVs);
      c.out = along(next, after, c.outUVs);
      return c;
    }
    c.outUVs = c.inUVs;
    return c;
  }

  int insetUV(std::size_t set, int corner, int prev, int next, double tPrev, double tNext) {
    if (corner < 0 || prev < 0 || next < 0)
      return -1;
    int id = list_.copyUV(set, corner);
    UVSet& uv = list_.sets[set];
    auto at = [](const std::vector<float>& values, int i) { return static_cast<double>(values[static_cast<std::size_t>(i)]); };
    uv.us.back() = static_cast<float>(at(uv.us, corner) + (at(uv.us, prev) - at(uv.us, corner)) * tPrev +
                                      (at(uv.us, next) - at(uv.us, corner)) * tNext);
    uv.vs.back() = static_cast<float>(at(uv.vs, corner) + (at(uv.vs, prev) - at(uv.vs, corner)) * tPrev +
                                      (at(uv.vs, next) - at(uv.vs, corner)) * tNext);
    return id;
  }

  Polygon replaced(const Polygon& p, std::vector<CornerEnds>& ends) {
    Polygon out{{}, std::vector<std::vector<int>>(p.uvs.size())};
    for (std::size_t k = 0; k < p.vertices.size(); ++k) {
      ends.push_back(cornerEnds(p, k));
      const CornerEnds& c = ends.back();
      append(out, c.in, c.inUVs);
      if (c.out != c.in)
        append(out, c.out, c.outUVs);
    }
    return out;
  }

  static void append(Polygon& p, int point, const std::vector<int>& uvs) {
    p.vertices.push_back(point);
    for (std::size_t s = 0; s < uvs.size(); ++s)
      p.uvs[s].push_back(uvs[s]);
  }

  // The corner of the face walking `walked` at its start (or at its end).
  const CornerEnds& endsAt(const DirectedEdge& walked, bool atStart) const {
    const auto& [face, corner] = walker_.at(walked);
    const auto& ends = ends_[face];
    return ends[atStart ? corner : (corner + 1) % ends.size()];
  }

  // The strip where the edge a-b was: between the face walking a->b and the one walking b->a.
  void strip(int a, int b) {
    const CornerEnds &fa = endsAt({a, b}, true), &fb = endsAt({a, b}, false);
    const CornerEnds &gb = endsAt({b, a}, true), &ga = endsAt({b, a}, false);
    Polygon s{{fb.in, fa.out, ga.in, gb.out}, {}};
    for (std::size_t set = 0; set < list_.sets.size(); ++set)
      s.uvs.push_back({fb.inUVs[set], fa.outUVs[set], ga.inUVs[set], gb.outUVs[set]});
    list_.polygons.push_back(std::move(s));
  }

  // The face filling the gap about v: the corners' points round v, from face
  // to face across each one's edge leaving v, walked the other way.
  void gap(int v) {
    auto start = walker_.lower_bound({v, -1});
    if (start == walker_.end() || start->first.first != v)
      return;
    Polygon hole{{}, std::vector<std::vector<int>>(list_.sets.size())};
    auto add = [&hole](int point, const std::vector<int>& uvs) {
      if (hole.vertices.empty() || hole.vertices.back() != point)
        append(hole, point, uvs);
    };
    DirectedEdge out = start->first;
    for (std::size_t steps = 0;; ++steps) {
      const CornerEnds& c = endsAt(out, true);
      add(c.in, c.inUVs);
      add(c.out, c.outUVs);
      auto across = walker_.find({out.second, v});  // the next face round v walks in along this edge
      if (across == walker_.end() || steps > walker_.size())
        return;  // a border (or no fan): no gap to fill
      const auto& [face, corner] = across->second;
      const auto& verts = original_[face].vertices;
      out = {v, verts[(corner + 2) % verts.size()]};
      if (out == start->first)
        break;
    }
    while (hole.vertices.size() > 1 && hole.vertices.front() == hole.vertices.back()) {
      hole.vertices.pop_back();
      for (auto& ids : hole.uvs)
        ids.pop_back();
    }
    if (hole.vertices.size() < 3)
      return;
    std::reverse(hole.vertices.begin(), hole.vertices.end());
    for (auto& ids : hole.uvs)
      std::reverse(ids.begin(), ids.end());
    list_.polygons.push_back(std::move(hole));
  }

  PolygonList& list_;
  const std::vector<Polygon> original_;
  double fraction_, offset_;
  bool asFraction_;
  std::map<DirectedEdge, std::pair<std::size_t, std::size_t>> walker_;  // directed edge -> (face, corner walking it)
  std::set<DirectedEdge> bevelled_;
  std::vector<DirectedEdge> order_;
  std::set<int> touched_;
  std::vector<std::vector<CornerEnds>> ends_;
  std::map<DirectedEdge, int> slidPoints_;
  std::map<std::tuple<std::size_t, int, int>, int> slidUVs_;
};

}  // namespace

bool bevelEdges(const Node& node, MeshData& mesh, std::string& why) {
  const double fraction = node.number("fraction", 0.5), offset = node.number("offset", 0.2);
  const double segments = node.number("segments", 1.0);
  if (!allNumbers({fraction, offset, segments}, why))
    return false;
  if (fraction < 0 || fraction > 1 || offset < 0) {
    why = "its fraction (0 to 1) or offset (not below 0) is out of range";
    return false;
  }
  MeshEdges edges;
  std::vector<bool> chosen;
  if (!chosenEdges(node, mesh, edges, chosen, why))
    return false;
  PolygonList list = PolygonList::of(mesh);
  Beveller beveller(list, chosen, edges, fraction, offset, node.number("offsetAsFraction", 0.0) != 0.0);
  if (!beveller.any()) {
    why = why.empty() ? "its inputComponents name no edge between two faces; the mesh is unchanged" : why;
    return true;
  }
  beveller.bevel();
  mesh = list.toMesh();
  if (why.empty())
    why = std::string("its bevel is shaped by mayahost (") + (segments > 1 ? "one segment of its " + std::to_string(static_cast<long long>(segments)) : std::string("one segment")) +
          "); Maya's may differ";
  return true;
}

}  // namespace OmbrixHost
