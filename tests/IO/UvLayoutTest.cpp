// The UV layout picture: pixel counts of known outlines, clipping, PNG.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "IO/UvLayout.h"
#include "Support/FileText.h"
#include "Support/TempPath.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

namespace {

size_t Count(const UvLayout& layout, uint32_t colour) {
  return static_cast<size_t>(std::count(layout.Pixels().begin(), layout.Pixels().end(), colour));
}

TEST(UvLayoutTest, OutlinePixelsOfAHalfSquare) {
  UvLayout layout(100);
  EXPECT_EQ(Count(layout, UvLayout::kBorder), 4u * 99u);
  layout.Draw({{0, 1, 0}, {0, 0, 1}, 1});
  // Bottom row, left column and the diagonal, three shared corners.
  EXPECT_EQ(Count(layout, UvLayout::GroupColour(1)), 297u);
  EXPECT_EQ(Count(layout, UvLayout::kBorder), 197u);
  EXPECT_EQ(Count(layout, UvLayout::GroupColour(0)), 0u);
}

TEST(UvLayoutTest, FarAndNonFiniteCoordinates) {
  UvLayout layout(64);
  const float inf = std::numeric_limits<float>::infinity();
  layout.Draw({{0.5f, inf, 0}, {0.5f, 0, 0}, 0});
  EXPECT_EQ(layout.LeftOut(), 1);
  // A huge triangle is clipped to the square: only its crossing is drawn.
  layout.Draw({{-1e6f, 1e6f, 0.5f}, {0.5f, 0.5f, 1e6f}, 2});
  EXPECT_EQ(Count(layout, UvLayout::GroupColour(2)), 64u);
  layout.Draw({{-1e38f, 1e38f, 0.5f}, {0.5f, -1e38f, 1e38f}, 3});  // ends at once
  EXPECT_EQ(layout.LeftOut(), 1);
}

TEST(UvLayoutTest, WritesAPngOfItsSize) {
  UvLayout layout(32);
  layout.Draw({{0, 1, 1}, {0, 0, 1}, 3});
  TempPath path("layout.png");
  std::string error;
  ASSERT_TRUE(layout.WritePng(path.c_str(), error)) << error;
  const std::string bytes = ReadText(path.str());
  int w = 0, h = 0, n = 0;
  stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                          static_cast<int>(bytes.size()), &w, &h, &n, 4);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(w, 32);
  EXPECT_EQ(h, 32);
  const uint32_t colour = UvLayout::GroupColour(3);
  const stbi_uc* p = pixels + 4 * (31 * 32 + 16);  // bottom row: the edge v = 0
  EXPECT_EQ(p[0], colour & 0xFF);
  EXPECT_EQ(p[1], (colour >> 8) & 0xFF);
  EXPECT_EQ(p[2], (colour >> 16) & 0xFF);
  EXPECT_EQ(pixels[4 * (8 * 32 + 8) + 1], 0xFF);  // inside: white
  stbi_image_free(pixels);
}

}  // namespace

namespace {

size_t CountIn(const UvLayout& layout, uint32_t colour, int x0, int x1) {
  size_t n = 0;
  for (int y = 0; y < layout.Size(); ++y)
    for (int x = x0; x < x1; ++x)
      n += layout.Pixels()[static_cast<size_t>(y * layout.Size() + x)] == colour ? 1u : 0u;
  return n;
}

const uint32_t kTileNumberGrey = 0xFF808080u;

TEST(UvLayoutTest, ALayoutBeyondTheSquareIsDrawnOverItsTilesWithTheirNumbers) {
  const std::vector<UvTriangle> inside = {{{0, 1, 0}, {0, 0, 1}, 0}};
  TileSpan u, v;
  UvLayout::TilesOf(inside, u, v);
  EXPECT_EQ(UvLayout(200, u, v).TilesAcross(), 1);
  EXPECT_EQ(Count(UvLayout(200, u, v), kTileNumberGrey), 0u);  // no numbers on the plain square

  const std::vector<UvTriangle> tiled = {{{0.1f, 0.4f, 0.1f}, {0.1f, 0.1f, 0.4f}, 1},
                                         {{1.1f, 1.9f, 1.1f}, {0.1f, 0.1f, 0.9f}, 2}};
  UvLayout::TilesOf(tiled, u, v);
  EXPECT_EQ(u.first, 0);
  EXPECT_EQ(u.last, 1);
  EXPECT_EQ(v.first, 0);
  EXPECT_EQ(v.last, 0);
  UvLayout layout(200, u, v);
  ASSERT_EQ(layout.TilesAcross(), 2);
  for (const UvTriangle& t : tiled) layout.Draw(t);
  // Tile 1001 on the left, 1002 on the right, each with its number.
  EXPECT_GT(CountIn(layout, UvLayout::GroupColour(1), 0, 100), 0u);
  EXPECT_EQ(CountIn(layout, UvLayout::GroupColour(1), 100, 200), 0u);
  EXPECT_GT(CountIn(layout, UvLayout::GroupColour(2), 100, 200), 0u);
  EXPECT_EQ(CountIn(layout, UvLayout::GroupColour(2), 0, 100), 0u);
  EXPECT_GT(CountIn(layout, kTileNumberGrey, 0, 100), 0u);
  EXPECT_GT(CountIn(layout, kTileNumberGrey, 100, 200), 0u);

  // A layout spread over hundreds of tiles is drawn over the first ten.
  const std::vector<UvTriangle> far = {{{0, 500, 0}, {0, 0, 1}, 0}};
  UvLayout::TilesOf(far, u, v);
  EXPECT_EQ(UvLayout(100, u, v).TilesAcross(), UvLayout::kMaxTiles);
}

}  // namespace
