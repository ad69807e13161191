#include "UvImport/UvSharing.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <unordered_map>
#include <utility>

namespace {

bool validId(int id, size_t count) { return id >= 0 && static_cast<size_t>(id) < count; }

}  // namespace

std::uint64_t vertexPairKey(int a, int b) {
  const auto lo = static_cast<std::uint32_t>(a < b ? a : b), hi = static_cast<std::uint32_t>(a < b ? b : a);
  return (static_cast<std::uint64_t>(lo) << 32) | hi;
}

bool uvTweaksFor(const MeshUvArrays& before, const MeshUvArrays& layout, std::vector<UvTweak>& tweaks) {
  tweaks.clear();
  const size_t faces = layout.uvCounts.size();
  if (before.uvCounts.size() != faces) return false;
  std::vector<int> toNew(before.us.size(), -1), toOld(layout.us.size(), -1);
  size_t b = 0, l = 0;
  for (size_t f = 0; f < faces; ++f) {
    const int n = layout.uvCounts[f];
    if (before.uvCounts[f] != n || n < 0 || b + static_cast<size_t>(n) > before.uvIds.size() ||
        l + static_cast<size_t>(n) > layout.uvIds.size())
      return false;
    for (int k = 0; k < n; ++k) {
      const int o = before.uvIds[b++], w = layout.uvIds[l++];
      if (!validId(o, before.us.size()) || !validId(w, layout.us.size())) return false;
      int& forward = toNew[static_cast<size_t>(o)];
      int& back = toOld[static_cast<size_t>(w)];
      if (forward < 0 && back < 0) {
        forward = w;
        back = o;
      } else if (forward != w || back != o) {
        return false;
      }
    }
  }
  for (size_t o = 0; o < toNew.size(); ++o) {
    if (toNew[o] < 0) continue;
    const auto w = static_cast<size_t>(toNew[o]);
    const UvTweak t{static_cast<int>(o), exactOffset(before.us[o], layout.us[w]), exactOffset(before.vs[o], layout.vs[w])};
    if (t.du != 0.0f || t.dv != 0.0f) tweaks.push_back(t);
  }
  return true;
}

float exactOffset(float from, float to) {
  const float rounded = static_cast<float>(static_cast<double>(to) - static_cast<double>(from));
  float d = rounded;
  for (int step = 0; step < 4 && from + d != to; ++step)
    d = std::nextafter(d, from + d < to ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity());
  return from + d == to ? d : rounded;
}

std::unordered_set<std::uint64_t> sharedUvPairs(const MeshUvArrays& layout, const std::vector<int>& vertexIds) {
  // Per vertex pair: the UVs the first face walking it has at its lower and higher vertex.
  std::unordered_map<std::uint64_t, std::pair<int, int>> firstSide;
  std::unordered_set<std::uint64_t> shared;
  size_t start = 0;
  for (size_t f = 0; f < layout.uvCounts.size(); ++f) {
    const auto n = static_cast<size_t>(layout.uvCounts[f] > 0 ? layout.uvCounts[f] : 0);
    for (size_t k = 0; k < n && start + n <= layout.uvIds.size() && start + n <= vertexIds.size(); ++k) {
      const size_t here = start + k, next = start + (k + 1) % n;
      const int a = vertexIds[here], b = vertexIds[next];
      if (a == b) continue;
      const std::pair<int, int> uvs = a < b ? std::make_pair(layout.uvIds[here], layout.uvIds[next])
                                            : std::make_pair(layout.uvIds[next], layout.uvIds[here]);
      const auto placed = firstSide.emplace(vertexPairKey(a, b), uvs);
      if (!placed.second && placed.first->second == uvs) shared.insert(vertexPairKey(a, b));
    }
    start += n;
  }
  return shared;
}
