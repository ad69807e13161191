// UV tiles: their numbers, which tile a face lies in, and the one line the
// export warns with.
#include <gtest/gtest.h>

#include <cmath>

#include "Math/UvTiles.h"

namespace {

std::string ProblemOf(std::initializer_list<std::initializer_list<float>> faces) {
  UvTileCheck check;
  for (const auto& face : faces) {
    std::vector<float> u, v;
    for (auto it = face.begin(); it != face.end(); it += 2) {
      u.push_back(*it);
      v.push_back(*(it + 1));
    }
    check.AddFace(u.data(), v.data(), static_cast<int>(u.size()));
  }
  return check.Problem();
}

TEST(UvTiles, NumbersRunTenAcrossFrom1001) {
  EXPECT_EQ(uvTileNumber(0, 0), 1001);
  EXPECT_EQ(uvTileNumber(9, 0), 1010);
  EXPECT_EQ(uvTileNumber(0, 1), 1011);
  EXPECT_EQ(uvTileNumber(10, 0), 0);
  EXPECT_EQ(uvTileNumber(-1, 0), 0);
  EXPECT_EQ(uvTileNumber(0, -1), 0);
}

TEST(UvTiles, AFaceOnATilesUpperEdgeStaysInThatTile) {
  const TileSpan unit = tileSpan(0.0, 1.0);
  EXPECT_EQ(unit.first, 0);
  EXPECT_EQ(unit.last, 0);
  const TileSpan second = tileSpan(1.0, 2.0);
  EXPECT_EQ(second.first, 1);
  EXPECT_EQ(second.last, 1);
  const TileSpan across = tileSpan(0.5, 1.5);
  EXPECT_EQ(across.first, 0);
  EXPECT_EQ(across.last, 1);
  const TileSpan below = tileSpan(-0.5, -0.25);
  EXPECT_EQ(below.first, -1);
  EXPECT_EQ(below.last, -1);
  const TileSpan far = tileSpan(-1e300, 1e300);  // clamped, not overflowed
  EXPECT_LT(far.first, 0);
  EXPECT_GT(far.last, 0);
}

TEST(UvTiles, OnlyLayoutsThePainterCannotPaintWholeAreTold) {
  EXPECT_EQ(ProblemOf({{0, 0, 1, 0, 1, 1, 0, 1}, {0.2f, 0.2f, 0.4f, 0.2f, 0.3f, 0.9f}}), "");
  const float nan = std::nanf("");
  EXPECT_EQ(ProblemOf({{0, 0, nan, 5, 1, 1}}), "");

  EXPECT_EQ(ProblemOf({{0.5f, 0, 1.5f, 0, 1.5f, 1}}),
            "UVs outside the 0-1 square (tiles 1001, 1002), 1 face across tile borders; "
            "the painter paints the 0-1 square (tile 1001) only");
  EXPECT_EQ(ProblemOf({{1, 1, 2, 1, 2, 2}, {0, 0, 1, 0, 0, 1}}),
            "UVs outside the 0-1 square (tiles 1001, 1012); the painter paints the 0-1 square (tile 1001) only");
  EXPECT_EQ(ProblemOf({{-0.5f, 0.5f, -0.25f, 0.5f, -0.25f, 0.75f}}),
            "UVs outside the 0-1 square (outside the numbered tiles); "
            "the painter paints the 0-1 square (tile 1001) only");
}

}  // namespace
