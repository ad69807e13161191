#include <gtest/gtest.h>

#include "IMGLib/Canvas.h"
#include "IMGLib/PixelFormat.h"

namespace {

// A source image whose pixel (x, y) is 0xFF0000yx.
void MakeSource(HvImage& image, int width, int height) {
  ASSERT_TRUE(image.SetFormat(width, height, kPixelARGB32));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint32_t color = 0xFF000000u | static_cast<uint32_t>(y << 4 | x);
      uint8_t* p = image.PixelAddress(x, y);
      for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(color >> (8 * i));
    }
}

// A zero-filled target.
void MakeTarget(HvImage& image, int width, int height, int format) {
  ASSERT_TRUE(image.SetFormat(width, height, format));
  std::fill(image.Data(), image.Data() + image.Stride() * image.Height(), 0);
}

}  // namespace

TEST(Canvas, DrawClipsToTheTarget) {
  HvImage source;
  MakeSource(source, 3, 3);
  HvImage target;
  MakeTarget(target, 4, 4, kPixelARGB32);
  Canvas canvas(target);
  ASSERT_TRUE(canvas.Draw(source, 2, -1));
  EXPECT_EQ(target.GetPixel(2, 0), 0xFF000010u);  // source (0, 1)
  EXPECT_EQ(target.GetPixel(3, 1), 0xFF000021u);  // source (1, 2)
  EXPECT_EQ(target.GetPixel(1, 0), 0u);
  EXPECT_EQ(target.GetPixel(2, 2), 0u);
  ASSERT_TRUE(canvas.Draw(source, -10, 10));  // entirely outside: nothing
}

TEST(Canvas, BottomUpTargetFlipsRows) {
  HvImage source;
  MakeSource(source, 2, 2);
  HvImage target;
  MakeTarget(target, 2, 3, kPixelARGB32);
  Canvas canvas(target);
  canvas.SetBottomUp(true);
  ASSERT_TRUE(canvas.Draw(source, 0, 0));
  EXPECT_EQ(target.GetPixel(0, 2), 0xFF000000u);  // source row 0 lands last
  EXPECT_EQ(target.GetPixel(1, 1), 0xFF000011u);
  EXPECT_EQ(target.GetPixel(0, 0), 0u);
}

TEST(Canvas, ClipRectangleAndConversionIntoAnotherFormat) {
  HvImage source;
  MakeSource(source, 4, 4);
  HvImage target;
  MakeTarget(target, 4, 4, kPixelRGB8);
  Canvas canvas(target);
  canvas.SetClip(1, 1, 3, 99);
  ASSERT_TRUE(canvas.Draw(source, 0, 0));
  EXPECT_EQ(target.GetPixel(1, 1), 0xFF000011u);
  EXPECT_EQ(target.GetPixel(2, 3), 0xFF000032u);
  EXPECT_EQ(target.GetPixel(0, 1), 0xFF000000u);  // outside the clip: still zero bytes
  EXPECT_EQ(target.GetPixel(3, 1), 0xFF000000u);
  EXPECT_EQ(target.GetPixel(1, 0), 0xFF000000u);
}
