#include "MeshEdges.h"

#include <algorithm>

namespace OmbrixHost {
namespace {

// Each face-vertex with the vertex its face goes to next.
template <typename Visit>
void forEachCorner(const MeshData& m, Visit visit) {
  std::size_t start = 0;
  for (int count : m.faceCounts) {
    if (count <= 0)
      continue;  // a face without corners walks no edge
    if (start + static_cast<std::size_t>(count) > m.faceConnects.size())
      return;
    for (int k = 0; k < count; ++k)
      visit(m.faceConnects[start + static_cast<std::size_t>(k)],
            m.faceConnects[start + static_cast<std::size_t>((k + 1) % count)]);
    start += static_cast<std::size_t>(count);
  }
}

// The edges found so far, by their lower vertex: a vertex meets few edges.
class EdgeIndex {
public:
  explicit EdgeIndex(const MeshData& m, MeshEdges& edges) : edges_(edges) {
    auto [lo, hi] = std::minmax_element(m.faceConnects.begin(), m.faceConnects.end());
    if (lo != m.faceConnects.end()) {
      low_ = *lo;
      byVertex_.resize(static_cast<std::size_t>(static_cast<long long>(*hi) - *lo + 1));
    }
  }
  // The loop value of a corner walking from a to b; false when no such edge is known.
  bool find(int a, int b, long long& loop) const {
    const auto* bucket = this->bucket(std::min(a, b));
    if (!bucket)
      return false;
    for (const auto& [other, e] : *bucket)
      if (other == std::max(a, b)) {
        loop = edges_.ends[static_cast<std::size_t>(e)].first == a ? e : -static_cast<long long>(e) - 1;
        return true;
      }
    return false;
  }
  void add(int a, int b) {
    if (auto* bucket = this->bucket(std::min(a, b)))
      bucket->emplace_back(std::max(a, b), edges_.count());
    edges_.ends.emplace_back(a, b);
  }

private:
  using Bucket = std::vector<std::pair<int, int>>;  // (higher vertex, edge)
  Bucket* bucket(int v) {
    long long i = static_cast<long long>(v) - low_;
    return i >= 0 && static_cast<std::size_t>(i) < byVertex_.size() ? &byVertex_[static_cast<std::size_t>(i)] : nullptr;
  }
  const Bucket* bucket(int v) const { return const_cast<EdgeIndex*>(this)->bucket(v); }

  MeshEdges& edges_;
  int low_ = 0;
  std::vector<Bucket> byVertex_;
};

}  // namespace

MeshEdges faceOrderEdges(const MeshData& m) {
  MeshEdges out;
  out.loops.reserve(m.faceConnects.size());
  EdgeIndex index(m, out);
  forEachCorner(m, [&](int a, int b) {
    long long loop;
    if (!index.find(a, b, loop)) {
      loop = out.count();
      index.add(a, b);
    }
    out.loops.push_back(loop);
  });
  return out;
}

MeshEdges meshEdges(const MeshData& m) {
  MeshEdges out;
  EdgeIndex index(m, out);
  for (std::size_t e = 0; e + 1 < m.edges.size(); e += 2) {
    long long known;
    if (index.find(m.edges[e], m.edges[e + 1], known))
      out.ends.emplace_back(m.edges[e], m.edges[e + 1]);  // listed twice: faces walk the first
    else
      index.add(m.edges[e], m.edges[e + 1]);
  }
  bool complete = !out.ends.empty();
  out.loops.reserve(m.faceConnects.size());
  forEachCorner(m, [&](int a, int b) {
    long long loop;
    if (complete && index.find(a, b, loop))
      out.loops.push_back(loop);
    else
      complete = false;
  });
  return complete ? out : faceOrderEdges(m);
}

void keepEdgeOrder(const MeshEdges& before, const std::vector<int>& pointIds, MeshData& after) {
  const MeshEdges walked = faceOrderEdges(after);
  MeshEdges known;
  EdgeIndex index(after, known);
  for (const auto& [a, b] : walked.ends)
    index.add(a, b);
  std::vector<bool> listed(walked.ends.size(), false);
  after.edges.clear();
  auto list = [&](int a, int b) {
    long long loop;
    if (!index.find(a, b, loop) || listed[static_cast<std::size_t>(MeshEdges::edgeOf(loop))])
      return;
    listed[static_cast<std::size_t>(MeshEdges::edgeOf(loop))] = true;
    after.edges.insert(after.edges.end(), {a, b});
  };
  auto renamed = [&pointIds](int v) {
    return v >= 0 && static_cast<std::size_t>(v) < pointIds.size() ? pointIds[static_cast<std::size_t>(v)] : -1;
  };
  for (const auto& [a, b] : before.ends)
    if (renamed(a) >= 0 && renamed(b) >= 0)
      list(renamed(a), renamed(b));
  for (const auto& [a, b] : walked.ends)
    list(a, b);
}

}  // namespace OmbrixHost
