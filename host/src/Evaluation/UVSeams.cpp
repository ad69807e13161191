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
  EdgeCorners(const MeshData& m, const MeshEdges& edges) : connects_(m.faceConnects), first_(edges.count() + 1, 0) {
    next_.resize(connects_.size());
    std::size_t start = 0;
    for (int count : m.faceCounts) {
      if (count <= 0 || start + static_cast<std::size_t>(count) > next_.size())
        continue;
      for (int k = 0; k < count; ++k)
        next_[start + static_cast<std::size_t>(k)] = start + static_cast<std::size_t>((k + 1) % count);
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

private:
  const std::vector<int>& connects_;
  std::vector<std::size_t> next_;
  std::vector<std::size_t> first_;    // per edge, where its walkers start
  std::vector<std::size_t> walkers_;  // face-vertices by edge
};

bool usable(const MeshData& m, const MeshEdges& edges, const UVSet& set) {
  return set.uvIds.size() == m.faceConnects.size() && edges.loops.size() == m.faceConnects.size();
}

}  // namespace

void cutUVs(const MeshData& m, const MeshEdges& edges, const std::vector<bool>& cut, UVSet& set) {
  if (!usable(m, edges, set))
    return;
  EdgeCorners corners(m, edges);
  std::vector<bool> cutEnd(m.points.size(), false);
  DisjointSets parts(m.faceConnects.size());
  for (int e = 0; e < edges.count(); ++e) {
    auto [a, b] = edges.ends[static_cast<std::size_t>(e)];
    if (cut[static_cast<std::size_t>(e)]) {
      for (int v : {a, b})
        if (v >= 0 && static_cast<std::size_t>(v) < cutEnd.size())
          cutEnd[static_cast<std::size_t>(v)] = true;
      continue;
    }
    auto walking = corners.walkers(e);
    for (std::size_t k = 1; k < walking.size; ++k)
      for (int v : {a, b}) {
        std::size_t x = corners.at(walking[0], v), y = corners.at(walking[k], v);
        if (set.uvIds[x] >= 0 && set.uvIds[x] == set.uvIds[y])
          parts.join(x, y);
      }
  }
  // Per (vertex, UV id), the part keeping the id: by id, with the rare id used at two vertices aside.
  const std::size_t none = static_cast<std::size_t>(-1);
  std::vector<std::size_t> keeper(set.us.size(), none);
  std::vector<int> keeperVertex(set.us.size(), -1);
  std::map<std::pair<int, int>, std::size_t> elsewhere;
  auto keeperOf = [&](int v, int id, std::size_t part) {
    std::size_t i = static_cast<std::size_t>(id);
    if (keeper[i] == none) {
      keeper[i] = part;
      keeperVertex[i] = v;
    }
    return keeperVertex[i] == v ? keeper[i] : elsewhere.emplace(std::make_pair(v, id), part).first->second;
  };
  std::vector<int> renamed(m.faceConnects.size(), -1);  // by part: its new UV id
  for (std::size_t c = 0; c < m.faceConnects.size(); ++c) {
    int v = m.faceConnects[c], id = set.uvIds[c];
    if (id < 0 || static_cast<std::size_t>(id) >= keeper.size() || v < 0 ||
        static_cast<std::size_t>(v) >= cutEnd.size() || !cutEnd[static_cast<std::size_t>(v)])
      continue;
    std::size_t part = parts.find(c);
    if (keeperOf(v, id, part) == part)
      continue;
    if (renamed[part] < 0) {
      renamed[part] = static_cast<int>(set.us.size());
      set.us.push_back(set.us[static_cast<std::size_t>(id)]);
      set.vs.push_back(set.vs[static_cast<std::size_t>(id)]);
    }
    set.uvIds[c] = renamed[part];
  }
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
