#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "HvTL/LittleEndian.h"
#include "IMGLib/PixelFormat.h"
#include "Support/DiagnosticCapture.h"

namespace {

uint32_t ToARGB(int format, const void* pixel) {
  uint8_t out[4];
  EXPECT_TRUE(ConvertPixels(format, pixel, kPixelARGB32, out, 1));
  return LoadU32LE(out);
}

}  // namespace

TEST(PixelFormat, BytesPerPixel) {
  EXPECT_EQ(BytesPerPixel(100), 4);
  EXPECT_EQ(BytesPerPixel(142), 6);
  EXPECT_EQ(BytesPerPixel(161), 16);
  EXPECT_EQ(BytesPerPixel(162), 20);
  EXPECT_EQ(BytesPerPixel(187), 8);
  EXPECT_EQ(BytesPerPixel(191), 2);
  EXPECT_EQ(BytesPerPixel(101), 0);
}

TEST(ConvertPixels, RgbAndBgrByteOrders) {
  const uint8_t bytes[3] = {18, 52, 86};
  EXPECT_EQ(ToARGB(kPixelRGB8, bytes), 0xFF123456u);
  EXPECT_EQ(ToARGB(kPixelBGR8, bytes), 0xFF563412u);
  uint8_t back[3];
  uint8_t argb[4];
  StoreU32LE(argb, 0x80123456u);
  ASSERT_TRUE(ConvertPixels(kPixelARGB32, argb, kPixelBGR8, back, 1));
  EXPECT_EQ(back[0], 0x56);
  EXPECT_EQ(back[2], 0x12);
}

TEST(ConvertPixels, FourByteWordConventions) {
  uint8_t argb[4];
  StoreU32LE(argb, 0x40112233u);  // a 0x40, r 0x11, g 0x22, b 0x33
  uint8_t word[4];
  ASSERT_TRUE(ConvertPixels(kPixelARGB32, argb, kPixelRGBA32, word, 1));
  EXPECT_EQ(LoadU32LE(word), 0x11223340u);
  EXPECT_EQ(ToARGB(kPixelRGBA32, word), 0x40112233u);
  ASSERT_TRUE(ConvertPixels(kPixelARGB32, argb, kPixelABGR32, word, 1));
  EXPECT_EQ(LoadU32LE(word), 0x40332211u);
  EXPECT_EQ(ToARGB(kPixelABGR32, word), 0x40112233u);
}

TEST(ConvertPixels, GreyPacksTheMeanAndUnpacksToAllThree) {
  const float rgba[4] = {0.2f, 0.4f, 0.6f, 1.0f};
  uint8_t grey8;
  ASSERT_TRUE(ConvertPixels(kPixelRGBAF32, rgba, kPixelGrey8, &grey8, 1));
  EXPECT_EQ(grey8, 102);  // trunc(0.40000001 * 255)
  EXPECT_EQ(ToARGB(kPixelGrey8, &grey8), 0xFF666666u);
  uint8_t grey16[2];
  ASSERT_TRUE(ConvertPixels(kPixelRGBAF32, rgba, kPixelGreyS16, grey16, 1));
  EXPECT_EQ(static_cast<int16_t>(LoadU16LE(grey16)), 1638);  // 0.4 * 4095
  uint8_t greyF[4];
  ASSERT_TRUE(ConvertPixels(kPixelRGBAF32, rgba, kPixelGreyF32, greyF, 1));
  EXPECT_NEAR(LoadF32LE(greyF), 0.4f, 1e-6);
}

TEST(ConvertPixels, PackingTruncatesAndClamps) {
  const float rgba[4] = {1.7f, -0.3f, 0.99999f, std::nanf("")};
  uint8_t argb[4];
  ASSERT_TRUE(ConvertPixels(kPixelRGBAF32, rgba, kPixelARGB32, argb, 1));
  EXPECT_EQ(LoadU32LE(argb), 0x00FF00FEu);
  const float big[4] = {3.0f, 3.0f, 3.0f, 1.0f};
  uint8_t grey16[2];
  ASSERT_TRUE(ConvertPixels(kPixelRGBAF32, big, kPixelGreyS16, grey16, 1));
  EXPECT_EQ(static_cast<int16_t>(LoadU16LE(grey16)), 12285);
  const float huge[4] = {20.0f, 20.0f, 20.0f, 1.0f};
  ASSERT_TRUE(ConvertPixels(kPixelRGBAF32, huge, kPixelGreyS16, grey16, 1));
  EXPECT_EQ(static_cast<int16_t>(LoadU16LE(grey16)), 32767);
  uint8_t wide[8];
  ASSERT_TRUE(ConvertPixels(kPixelRGBAF32, rgba, kPixelARGB16, wide, 1));
  EXPECT_EQ(LoadU16LE(wide + 2), 65535);  // r clamped
  EXPECT_EQ(LoadU16LE(wide + 4), 0);      // g clamped
}

TEST(ConvertPixels, FormatsWithoutRulesAndUnknownCodes) {
  uint8_t index = 7;
  EXPECT_EQ(ToARGB(kPixelIndex8, &index), 0xFF000000u);  // (0, 0, 0, 1)
  uint8_t untouched[2] = {9, 9};
  uint8_t argb[4] = {1, 2, 3, 4};
  EXPECT_TRUE(ConvertPixels(kPixelARGB32, argb, kPixel180, untouched, 1));
  EXPECT_EQ(untouched[0], 9);
  DiagnosticCapture diagnostics;
  EXPECT_FALSE(ConvertPixels(kPixelARGB32, argb, 999, untouched, 1));
  ASSERT_EQ(diagnostics.Reports().size(), 1u);
  EXPECT_EQ(diagnostics.Reports()[0], "This can't possibly work!\n");
  EXPECT_FALSE(ConvertPixels(kPixelARGB32, nullptr, kPixelARGB32, argb, 1));
  EXPECT_FALSE(ConvertPixels(kPixelARGB32, argb, kPixelARGB32, argb, -1));
}

TEST(ConvertPixels, RoundTripsThroughEveryLayoutKeepTheirChannels) {
  uint8_t argb[4];
  StoreU32LE(argb, 0xFF804020u);
  for (int format : {100, 142, 160, 161, 182, 183, 184, 185, 186, 187}) {
    uint8_t pixel[16];
    ASSERT_TRUE(ConvertPixels(kPixelARGB32, argb, format, pixel, 1)) << format;
    EXPECT_EQ(ToARGB(format, pixel), 0xFF804020u) << format;
  }
}
