#pragma once
// Truevision TGA: uncompressed and run-length true-colour (15/16, 24, 32 bit)
// and grey (8 bit) images are read; images are written uncompressed as
// 32-bit BGRA, top row first.
#include "IO/ImageFormatList.h"

class TgaImageFormat : public ImageFormat {
 public:
  const char* Name() const override { return "TGA"; }
  bool Decode(const uint8_t* data, size_t size, HvImage& image) const override;
  bool CanWrite() const override { return true; }
  bool Encode(const HvImage& image, std::vector<uint8_t>& out) const override;
};
