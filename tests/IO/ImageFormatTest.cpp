#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include "IO/ImageFormatList.h"
#include "IO/StbImageFormat.h"
#include "IO/TgaImageFormat.h"
#include "IMGLib/PixelFormat.h"

namespace {

std::vector<uint8_t> TgaHeader(uint8_t type, uint16_t width, uint16_t height, uint8_t bits,
                               uint8_t descriptor) {
  std::vector<uint8_t> h(18, 0);
  h[2] = type;
  h[12] = static_cast<uint8_t>(width);
  h[13] = static_cast<uint8_t>(width >> 8);
  h[14] = static_cast<uint8_t>(height);
  h[15] = static_cast<uint8_t>(height >> 8);
  h[16] = bits;
  h[17] = descriptor;
  return h;
}

void AppendToVector(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  const auto* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

TEST(TgaImageFormat, WrittenImagesReadBack) {
  HvImage image;
  ASSERT_TRUE(image.SetFormat(2, 2, kPixelRGB8));
  const uint8_t rgb[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};
  std::memcpy(image.Data(), rgb, sizeof rgb);
  TgaImageFormat tga;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(tga.Encode(image, bytes));
  EXPECT_EQ(bytes.size(), 18u + 16);
  HvImage back;
  ASSERT_TRUE(tga.Decode(bytes.data(), bytes.size(), back));
  EXPECT_EQ(back.Format(), kPixelARGB32);
  EXPECT_EQ(back.GetPixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(back.GetPixel(1, 1), 0xFF0A141Eu);
}

TEST(TgaImageFormat, RunLengthBottomUpAndGrey) {
  // 2 x 2, 24-bit, run-length, bottom row first: a run of two blue pixels,
  // then two literal pixels.
  std::vector<uint8_t> file = TgaHeader(10, 2, 2, 24, 0);
  const uint8_t data[] = {0x81, 255, 0, 0, 0x01, 0, 255, 0, 0, 0, 255};
  file.insert(file.end(), data, data + sizeof data);
  HvImage image;
  ASSERT_TRUE(TgaImageFormat().Decode(file.data(), file.size(), image));
  EXPECT_EQ(image.GetPixel(0, 1), 0xFF0000FFu);  // the first row in the file is the bottom
  EXPECT_EQ(image.GetPixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(image.GetPixel(1, 0), 0xFFFF0000u);

  std::vector<uint8_t> grey = TgaHeader(3, 1, 1, 8, 0x20);
  grey.push_back(77);
  ASSERT_TRUE(TgaImageFormat().Decode(grey.data(), grey.size(), image));
  EXPECT_EQ(image.Format(), kPixelGrey8);
  EXPECT_EQ(image.GetPixel(0, 0), 0x004D4D4Du);
}

TEST(TgaImageFormat, DamagedFilesAreRefused) {
  TgaImageFormat tga;
  HvImage image;
  std::vector<uint8_t> file = TgaHeader(2, 4, 4, 32, 0x20);
  file.resize(file.size() + 60);  // 4 bytes short
  EXPECT_FALSE(tga.Decode(file.data(), file.size(), image));
  std::vector<uint8_t> rle = TgaHeader(10, 2, 1, 32, 0x20);
  rle.push_back(0x85);  // a run of 6 in a 2-pixel image
  rle.insert(rle.end(), 4, 0);
  EXPECT_FALSE(tga.Decode(rle.data(), rle.size(), image));
  std::vector<uint8_t> odd = TgaHeader(2, 1, 1, 12, 0);
  odd.resize(40);
  EXPECT_FALSE(tga.Decode(odd.data(), odd.size(), image));
  EXPECT_FALSE(tga.Decode(file.data(), 5, image));
  EXPECT_EQ(image.Data(), nullptr);
}

TEST(TgaImageFormat, HugeSizesWithLittleDataAreRefusedBeforeAllocating) {
  // Found by fuzzing: 65535 x 65535 pixels claimed by a few bytes asked for
  // 17 GB. Neither raw nor run-length data this short can hold them.
  TgaImageFormat tga;
  HvImage image;
  for (uint8_t type : {2, 10}) {
    std::vector<uint8_t> file = TgaHeader(type, 0xFFFF, 0xFFFF, 32, 0x20);
    file.insert(file.end(), 1000, 0xFF);
    EXPECT_FALSE(tga.Decode(file.data(), file.size(), image)) << int(type);
  }
  // A long run-length image is fine when its packets can cover it.
  std::vector<uint8_t> runs = TgaHeader(11, 256, 2, 8, 0x20);
  for (int i = 0; i < 4; ++i) runs.insert(runs.end(), {0xFF, 9});
  ASSERT_TRUE(tga.Decode(runs.data(), runs.size(), image));
  EXPECT_EQ(image.GetPixel(255, 1), 0x00090909u);
}

TEST(StbImageFormat, ReadsPngAndRefusesGarbage) {
  const uint8_t rgba[8] = {255, 0, 0, 255, 0, 0, 255, 128};
  std::vector<uint8_t> png;
  ASSERT_NE(stbi_write_png_to_func(&AppendToVector, &png, 2, 1, 4, rgba, 8), 0);
  HvImage image;
  ASSERT_TRUE(StbImageFormat().Decode(png.data(), png.size(), image));
  EXPECT_EQ(image.GetPixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(image.GetPixel(1, 0), 0x800000FFu);
  png.resize(png.size() / 2);
  EXPECT_FALSE(StbImageFormat().Decode(png.data(), png.size(), image));
}
