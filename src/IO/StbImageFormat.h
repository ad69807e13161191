#pragma once
// The common picture formats read through stb_image (PNG, JPEG, BMP, GIF,
// PSD, HDR, PIC, PNM), decoded to format 100.
#include "IO/ImageFormatList.h"

class StbImageFormat : public ImageFormat {
 public:
  const char* Name() const override { return "STB"; }
  bool Decode(const uint8_t* data, size_t size, HvImage& image) const override;
};
