#include "UVSeams.h"

#include "DisjointSets.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace OmbrixHost {
namespace {

// Which face-vertices walk each edge, and the corner that follows each.
class EdgeCorners {
public:
  EdgeCorners(const MeshData& m, const MeshEdges& edges)
      : connects_(m.faceConnects), edges_(edges), first_(edges.count() + 1, 0) {
    next_.resize(connects_.size());
    prev_.resize(connects_.size());
    std::iota(next_.begin(), next_.end(), std::size_t{0});
    std::iota(prev_.begin(), prev_.end(), std::size_t{0});
    std::size_t start = 0;
    for (int count : m.faceCounts) {
      if (count <= 0 || start + static_cast<std::size_t>(count) > next_.size())
        continue;
      for (int k = 0; k < count; ++k) {
        const std::size_t c = start + static_cast<std::size_t>(k);
        next_[c] = start + static_cast<std::size_t>((k + 1) % count);
        prev_[next_[c]] = c;
      }
      start += static_cast<std::size_t>(count);
    }
    for (long long loop : edges.loops)
      ++first_[static_cast<std::size_t>(MeshEdges::edgeOf(loop)) + 1];
    std::partial_sum(first_.begin(), first_.end(), first_.begin());
    walkers_.resize(edges.loops.size());
    std::vector<std::size_t> fill(first_.begin(), first_.end() - 1);
    for (std::size_t c = 0; c < edges.loops.size(); ++c)
      walkers_[fill[static_cast<std::size_t>(MeshEdges::edgeOf(edges.loops[c]))]++] = c;
  }

  struct Walkers {
    const std::size_t* corners;
    std::size_t size;
    std::size_t operator[](std::size_t k) const { return corners[k]; }
  };
  // The face-vertices walking edge e, lowest first.
  Walkers walkers(int e) const {
    std::size_t from = first_[static_cast<std::size_t>(e)], to = first_[static_cast<std::size_t>(e) + 1];
    return Walkers{walkers_.data() + from, to - from};
  }
  // The corner at vertex v of the face that walks the edge from corner c.
  std::size_t at(std::size_t c, int v) const { return connects_[c] == v ? c : next_[c]; }
  std::size_t next(std::size_t c) const { return next_[c]; }
  std::size_t prev(std::size_t c) const { return prev_[c]; }
  int vertex(std::size_t c) const { return connects_[c]; }
  const MeshEdges& edges() const { return edges_; }

private:
  const std::vector<int>& connects_;
  const MeshEdges& edges_;
  std::vector<std::size_t> next_, prev_;
  std::vector<std::size_t> first_;    // per edge, where its walkers start
  std::vector<std::size_t> walkers_;  // face-vertices by edge
};

bool usable(const MeshData& m, const MeshEdges& edges, const UVSet& set) {
  return set.uvIds.size() == m.faceConnects.size() && edges.loops.size() == m.faceConnects.size();
}

// Face-vertices at one vertex joined across each edge not cut whose faces
// share its UVs at both ends: the pieces of UV space round each vertex.
DisjointSets joinedCorners(const MeshEdges& edges, const EdgeCorners& corners, const std::vector<bool>& cut,
                           const UVSet& set) {
  DisjointSets pieces(set.uvIds.size());
  for (int e = 0; e < edges.count(); ++e) {
    if (cut[static_cast<std::size_t>(e)])
      continue;
    auto [a, b] = edges.ends[static_cast<std::size_t>(e)];
    auto walking = corners.walkers(e);
    for (std::size_t k = 1; k < walking.size; ++k) {
      const std::size_t xa = corners.at(walking[0], a), ya = corners.at(walking[k], a);
      const std::size_t xb = corners.at(walking[0], b), yb = corners.at(walking[k], b);
      if (set.uvIds[xa] >= 0 && set.uvIds[xa] == set.uvIds[ya] && set.uvIds[xb] == set.uvIds[yb]) {
        pieces.join(xa, ya);
        pieces.join(xb, yb);
      }
    }
  }
  return pieces;
}

// The face-vertices at each vertex, lowest first.
class VertexCorners {
public:
  VertexCorners(const std::vector<int>& connects, std::size_t points) : first_(points + 1, 0) {
    for (int v : connects)
      if (v >= 0 && static_cast<std::size_t>(v) < points)
        ++first_[static_cast<std::size_t>(v) + 1];
    std::partial_sum(first_.begin(), first_.end(), first_.begin());
    corners_.resize(first_.back());
    std::vector<std::size_t> fill(first_.begin(), first_.end() - 1);
    for (std::size_t c = 0; c < connects.size(); ++c)
      if (connects[c] >= 0 && static_cast<std::size_t>(connects[c]) < points)
        corners_[fill[static_cast<std::size_t>(connects[c])]++] = c;
  }
  std::vector<std::size_t> at(int v) const {
    return {corners_.begin() + static_cast<std::ptrdiff_t>(first_[static_cast<std::size_t>(v)]),
            corners_.begin() + static_cast<std::ptrdiff_t>(first_[static_cast<std::size_t>(v) + 1])};
  }

private:
  std::vector<std::size_t> first_, corners_;
};

// The other face-vertex walking the edge face-vertex c walks, when just two do.
bool across(const EdgeCorners& corners, std::size_t c, std::size_t& other) {
  auto walking = corners.walkers(MeshEdges::edgeOf(corners.edges().loops[c]));
  if (walking.size != 2)
    return false;
  other = walking[0] == c ? walking[1] : walking[0];
  return true;
}

// The corner at v of the face walking the edge `walking` into v (of the first walker when none does).
std::size_t enteringCorner(const EdgeCorners& corners, EdgeCorners::Walkers walking, int v) {
  for (std::size_t k = 0; k < walking.size; ++k)
    if (corners.vertex(walking[k]) != v && corners.vertex(corners.next(walking[k])) == v)
      return corners.next(walking[k]);
  return corners.at(walking[0], v);
}

// The face-vertices at v in the order polyMapCut meets them from the cut
// edge `walking`: the face walking it into v, then round v across the edge
// each corner starts; back the other way from that face when a border
// stops the round; any corners not met (edges of more than two faces) last.
std::vector<std::size_t> roundVertex(const EdgeCorners& corners, const VertexCorners& around,
                                     EdgeCorners::Walkers walking, int v) {
  const std::size_t start = enteringCorner(corners, walking, v);
  const std::vector<std::size_t> all = around.at(v);
  std::vector<std::size_t> order{start};
  std::vector<bool> met(all.size(), false);
  auto meet = [&](std::size_t c) {
    auto it = std::lower_bound(all.begin(), all.end(), c);
    if (it == all.end() || *it != c || met[static_cast<std::size_t>(it - all.begin())])
      return false;
    met[static_cast<std::size_t>(it - all.begin())] = true;
    return true;
  };
  meet(start);
  std::size_t other = 0;
  bool closed = false;
  for (std::size_t c = start; !closed && across(corners, c, other);) {
    c = corners.at(other, v);
    closed = !meet(c);
    if (!closed)
      order.push_back(c);
  }
  for (std::size_t c = start; !closed && across(corners, corners.prev(c), other);) {
    c = corners.at(other, v);
    if (!meet(c))
      break;
    order.push_back(c);
  }
  for (std::size_t i = 0; i < all.size(); ++i)
    if (!met[i])
      order.push_back(all[i]);
  return order;
}

// Per vertex, the first piece met holding each UV keeps it; every other
// piece holding it takes a copy of its own, numbered after the set's UVs in
// the order the pieces are met.
class PieceCopies {
public:
  PieceCopies(UVSet& set, DisjointSets& pieces) : set_(set), pieces_(pieces), original_(set.uvIds) {}

  void visit(int v, std::size_t c) {
    const int id = original_[c];
    if (id < 0 || static_cast<std::size_t>(id) >= set_.us.size())
      return;
    met_.push_back(c);
    const std::size_t piece = pieces_.find(c);
    if (keepers_.emplace(std::make_pair(v, id), piece).first->second == piece) {
      given_.emplace(piece, id);
      return;
    }
    if (given_.count(piece))
      return;
    given_[piece] = static_cast<int>(set_.us.size());
    set_.us.push_back(set_.us[static_cast<std::size_t>(id)]);
    set_.vs.push_back(set_.vs[static_cast<std::size_t>(id)]);
  }

  void write() {
    for (std::size_t c : met_)
      set_.uvIds[c] = given_[pieces_.find(c)];
  }

private:
  UVSet& set_;
  DisjointSets& pieces_;
  const std::vector<int> original_;  // each corner's UV before the cut
  std::vector<std::size_t> met_;
  std::map<std::size_t, int> given_;  // by piece: its UV id
  std::map<std::pair<int, int>, std::size_t> keepers_;  // by vertex and UV id: the piece keeping it
};

}  // namespace

void cutUVs(const MeshData& m, const MeshEdges& edges, const std::vector<bool>& cut, UVSet& set, CutOrder order) {
  if (!usable(m, edges, set))
    return;
  EdgeCorners corners(m, edges);
  DisjointSets pieces = joinedCorners(edges, corners, cut, set);
  PieceCopies copies(set, pieces);
  if (order == CutOrder::kFirstCorner) {
    std::vector<bool> cutEnd(m.points.size(), false);
    for (int e = 0; e < edges.count(); ++e)
      if (cut[static_cast<std::size_t>(e)])
        for (int v : {edges.ends[static_cast<std::size_t>(e)].first, edges.ends[static_cast<std::size_t>(e)].second})
          if (v >= 0 && static_cast<std::size_t>(v) < cutEnd.size())
            cutEnd[static_cast<std::size_t>(v)] = true;
    for (std::size_t c = 0; c < m.faceConnects.size(); ++c) {
      const int v = m.faceConnects[c];
      if (v >= 0 && static_cast<std::size_t>(v) < cutEnd.size() && cutEnd[static_cast<std::size_t>(v)])
        copies.visit(v, c);
    }
    copies.write();
    return;
  }
  VertexCorners around(m.faceConnects, m.points.size());
  std::vector<bool> done(m.points.size(), false);
  for (int e = edges.count() - 1; e >= 0; --e) {
    auto walking = corners.walkers(e);
    if (!cut[static_cast<std::size_t>(e)] || walking.size < 2)
      continue;  // a border edge parts nothing
    for (int v : {edges.ends[static_cast<std::size_t>(e)].first, edges.ends[static_cast<std::size_t>(e)].second}) {
      if (v < 0 || static_cast<std::size_t>(v) >= done.size())
        continue;
      if (done[static_cast<std::size_t>(v)])
        continue;
      done[static_cast<std::size_t>(v)] = true;
      for (std::size_t c : roundVertex(corners, around, walking, v))
        copies.visit(v, c);
    }
  }
  copies.write();
}

std::vector<int> keepUVs(UVSet& set, const std::vector<bool>& kept) {
  std::vector<int> renumbered(set.us.size(), -1);
  std::size_t next = 0;
  for (std::size_t id = 0; id < renumbered.size() && id < kept.size(); ++id) {
    if (!kept[id])
      continue;
    set.us[next] = set.us[id];
    set.vs[next] = set.vs[id];
    renumbered[id] = static_cast<int>(next++);
  }
  set.us.resize(next);
  set.vs.resize(next);
  return renumbered;
}

void sewUVs(const MeshData& m, const MeshEdges& edges, const std::vector<int>& sewn, UVSet& set) {
  if (!usable(m, edges, set))
    return;
  EdgeCorners corners(m, edges);
  const std::size_t count = set.us.size();
  DisjointSets merged(count);
  auto valid = [count](int id) { return id >= 0 && static_cast<std::size_t>(id) < count; };
  for (int e : sewn) {
    auto walking = corners.walkers(e);
    if (walking.size < 2)
      continue;  // a border of the mesh: nothing on the other side
    for (int v : {edges.ends[static_cast<std::size_t>(e)].first, edges.ends[static_cast<std::size_t>(e)].second}) {
      int x = set.uvIds[corners.at(walking[0], v)], y = set.uvIds[corners.at(walking[1], v)];
      if (valid(x) && valid(y))
        merged.join(static_cast<std::size_t>(x), static_cast<std::size_t>(y));
    }
  }
  std::vector<bool> roots(count);
  for (std::size_t id = 0; id < count; ++id)
    roots[id] = merged.find(id) == id;
  const std::vector<int> renumbered = keepUVs(set, roots);
  for (int& id : set.uvIds)
    if (valid(id))
      id = renumbered[merged.find(static_cast<std::size_t>(id))];
}

}  // namespace OmbrixHost
