#include <gtest/gtest.h>

#include "HvTL/LittleEndian.h"
#include "IMGLib/HLine.h"
#include "IMGLib/HvImage.h"
#include "IMGLib/HvPalette.h"
#include "IMGLib/ImageHolder.h"
#include "IMGLib/PixelFormat.h"

TEST(HvPalette, EntriesGrowAndOutOfRangeReads) {
  HvPalette palette;
  EXPECT_TRUE(palette.SetEntry(2, 0xFF0000FFu));
  EXPECT_EQ(palette.Count(), 3);
  EXPECT_EQ(palette.GetEntry(0), 0u);
  EXPECT_EQ(palette.GetEntry(2), 0xFF0000FFu);
  EXPECT_EQ(palette.GetEntry(5), 0xFFFFFFFFu);
  EXPECT_EQ(palette.GetEntry(-1), 0u);
  EXPECT_FALSE(palette.SetEntry(65536, 1));
  EXPECT_FALSE(palette.SetEntry(-1, 1));
  EXPECT_TRUE(palette.SetEntry(65535, 1));
  palette.Reset();
  EXPECT_EQ(palette.Count(), 0);
}

TEST(HvImage, SetFormatSizesAndKeepsPixelsWhenUnchanged) {
  HvImage image;
  ASSERT_TRUE(image.SetFormat(3, 2, kPixelRGB8));
  EXPECT_EQ(image.Stride(), 9);
  EXPECT_EQ(image.PixelAddress(1, 1), image.Data() + 12);
  image.Data()[0] = 42;
  const uint8_t* before = image.Data();
  ASSERT_TRUE(image.SetFormat(3, 2, kPixelRGB8));
  EXPECT_EQ(image.Data(), before);
  EXPECT_EQ(image.Data()[0], 42);
  EXPECT_EQ(image.Palette(), nullptr);
  ASSERT_TRUE(image.SetFormat(3, 2, kPixelIndex8));
  EXPECT_NE(image.Palette(), nullptr);
  EXPECT_FALSE(image.SetFormat(-1, 2, kPixelRGB8));
  EXPECT_FALSE(image.SetFormat(100000, 100000, kPixelRGBAF32));
  EXPECT_FALSE(image.SetFormat(2, 2, 999));
  EXPECT_EQ(image.Data(), nullptr);
  EXPECT_TRUE(image.IsOutside(0, 0));
}

TEST(HvImage, GetPixelPerFormat) {
  HvImage image;
  ASSERT_TRUE(image.SetFormat(2, 1, kPixelRGB8));
  const uint8_t bytes[6] = {18, 52, 86, 1, 2, 3};
  std::copy(bytes, bytes + 6, image.Data());
  EXPECT_EQ(image.GetPixel(0, 0), 0xFF123456u);
  EXPECT_EQ(image.GetPixel(2, 0), 0u);
  EXPECT_EQ(image.GetPixel(0, -1), 0u);
  ASSERT_TRUE(image.SetFormat(2, 1, kPixelBGR8));
  std::copy(bytes, bytes + 6, image.Data());
  EXPECT_EQ(image.GetPixel(0, 0), 0xFF563412u);

  ASSERT_TRUE(image.SetFormat(2, 1, kPixelGrey8));
  EXPECT_TRUE(image.SetPixel(1, 0, 0x1AB));
  EXPECT_EQ(image.GetPixel(1, 0), 0x00ABABABu);  // grey has no alpha here

  ASSERT_TRUE(image.SetFormat(2, 1, kPixelIndex8));
  image.Palette()->SetEntry(3, 0xFF00FF00u);
  image.SetPixel(0, 0, 3);
  image.SetPixel(1, 0, 9);
  EXPECT_EQ(image.GetPixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(image.GetPixel(1, 0), 0xFFFFFFFFu);

  ASSERT_TRUE(image.SetFormat(1, 1, kPixelRGBAF32));
  EXPECT_FALSE(image.SetPixel(0, 0, 1));
  const float rgba[4] = {1.0f, 0.5f, 0.0f, 1.0f};
  std::copy(reinterpret_cast<const uint8_t*>(rgba), reinterpret_cast<const uint8_t*>(rgba) + 16,
            image.Data());
  EXPECT_EQ(image.GetPixel(0, 0), 0xFFFF7F00u);
}

TEST(HLine, SetPixelStoresOrConverts) {
  HLine line;
  ASSERT_TRUE(line.SetFormat(kPixelARGB32, 2));
  EXPECT_TRUE(line.SetPixel(1, 0x80112233u));
  EXPECT_EQ(LoadU32LE(line.Data() + 4), 0x80112233u);
  EXPECT_FALSE(line.SetPixel(2, 0));
  ASSERT_TRUE(line.SetFormat(kPixelRGBA32, 1));
  EXPECT_TRUE(line.SetPixel(0, 0x80112233u));
  EXPECT_EQ(LoadU32LE(line.Data()), 0x11223380u);
  ASSERT_TRUE(line.SetFormat(kPixelRGB8, 1));
  EXPECT_FALSE(line.SetPixel(0, 0x80112233u));  // converted, reported as not stored directly
  EXPECT_EQ(line.Data()[0], 0x11);
  EXPECT_EQ(line.Data()[2], 0x33);
}

TEST(HLinePool, ReusesSpareLines) {
  HLinePool pool;
  auto line = pool.Take(kPixelARGB32, 16);
  ASSERT_NE(line, nullptr);
  HLine* raw = line.get();
  pool.Give(std::move(line));
  EXPECT_EQ(pool.SpareCount(), 1u);
  auto again = pool.Take(kPixelRGB8, 4);
  EXPECT_EQ(again.get(), raw);
  EXPECT_EQ(again->Length(), 4);
  EXPECT_EQ(pool.SpareCount(), 0u);
}

TEST(ImageHolder, HoldsAnImageItDoesNotOwn) {
  HvImage image;
  ImageHolder holder;
  EXPECT_STREQ(holder.Name(), "");
  holder.SetImage(&image);
  holder.SetName("Internal");
  EXPECT_EQ(holder.Image(), &image);
  EXPECT_EQ(holder.Flag(), 1);
  EXPECT_STREQ(holder.Name(), "Internal");
}
