// The project writer's vertex table: slots asked for ahead (however early,
// before any lookup, across the table's growth) change no index.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "IO/PositionIndex.h"

namespace {

// A grid's corners in the order of its triangles, so positions repeat near
// and far apart, with signed zeros and a NaN among them.
std::vector<Vector3> cornerWalk(int side) {
  std::vector<Vector3> out;
  auto at = [side](int x, int y) {
    if (x == 0 && y == 1) return Vector3(-0.0f, 1.0f, 0.0f);
    if (x == 1 && y == 1) return Vector3(std::numeric_limits<float>::quiet_NaN(), 1.0f, 0.0f);
    return Vector3(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x * side + y) * 0.5f);
  };
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      for (const auto& c : {at(x, y), at(x + 1, y), at(x + 1, y + 1), at(x, y), at(x + 1, y + 1), at(x, y + 1)})
        out.push_back(c);
  return out;
}

std::vector<uint32_t> indicesOf(const std::vector<Vector3>& corners, int lookahead, bool reserve) {
  PositionIndex index;
  if (reserve)
    index.Reserve(corners.size() / 6);
  std::vector<uint32_t> out;
  for (size_t i = 0; i < corners.size(); ++i) {
    if (lookahead >= 0 && i + static_cast<size_t>(lookahead) < corners.size())
      index.Prefetch(corners[i + static_cast<size_t>(lookahead)]);
    out.push_back(index.IndexOf(corners[i]));
  }
  return out;
}

}  // namespace

TEST(PositionIndex, SlotsAskedForAheadChangeNoIndex) {
  PositionIndex early;
  early.Prefetch(Vector3(1, 2, 3));  // before the table exists
  EXPECT_EQ(early.IndexOf(Vector3(1, 2, 3)), 0u);
  const std::vector<Vector3> corners = cornerWalk(120);  // 14,641 positions: the table grows
  const std::vector<uint32_t> plain = indicesOf(corners, -1, false);
  ASSERT_EQ(plain.size(), corners.size());
  EXPECT_EQ(*std::max_element(plain.begin(), plain.end()), 121u * 121u - 1u);
  for (int lookahead : {0, 1, 12, 5000})
    for (bool reserve : {false, true})
      EXPECT_EQ(indicesOf(corners, lookahead, reserve), plain) << lookahead << " " << reserve;
}
