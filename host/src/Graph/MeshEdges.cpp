#include "MeshEdges.h"

#include <map>

namespace OmbrixHost {
namespace {

// Each face-vertex with the vertex its face goes to next.
template <typename Visit>
void forEachCorner(const MeshData& m, Visit visit) {
  std::size_t start = 0;
  for (int count : m.faceCounts) {
    if (count <= 0 || start + static_cast<std::size_t>(count) > m.faceConnects.size())
      return;
    for (int k = 0; k < count; ++k)
      visit(m.faceConnects[start + static_cast<std::size_t>(k)],
            m.faceConnects[start + static_cast<std::size_t>((k + 1) % count)]);
    start += static_cast<std::size_t>(count);
  }
}

}  // namespace

MeshEdges faceOrderEdges(const MeshData& m) {
  MeshEdges out;
  out.loops.reserve(m.faceConnects.size());
  std::map<std::pair<int, int>, int> index;
  forEachCorner(m, [&](int a, int b) {
    auto forward = index.find({a, b});
    auto backward = index.find({b, a});
    if (forward != index.end()) {
      out.loops.push_back(forward->second);
    } else if (backward != index.end()) {
      out.loops.push_back(-static_cast<long long>(backward->second) - 1);
    } else {
      index[{a, b}] = out.count();
      out.loops.push_back(out.count());
      out.ends.emplace_back(a, b);
    }
  });
  return out;
}

MeshEdges meshEdges(const MeshData& m) {
  MeshEdges out;
  std::map<std::pair<int, int>, int> index;
  for (std::size_t e = 0; e + 1 < m.edges.size(); e += 2) {
    int id = static_cast<int>(e / 2);
    out.ends.emplace_back(m.edges[e], m.edges[e + 1]);
    index.emplace(std::make_pair(m.edges[e], m.edges[e + 1]), id);
  }
  bool complete = !out.ends.empty();
  out.loops.reserve(m.faceConnects.size());
  forEachCorner(m, [&](int a, int b) {
    if (!complete)
      return;
    auto forward = index.find({a, b});
    auto backward = index.find({b, a});
    if (forward != index.end())
      out.loops.push_back(forward->second);
    else if (backward != index.end())
      out.loops.push_back(-static_cast<long long>(backward->second) - 1);
    else
      complete = false;
  });
  return complete ? out : faceOrderEdges(m);
}

}  // namespace OmbrixHost
