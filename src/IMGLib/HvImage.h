#pragma once
// A raster image: rows of pixels of one format, no row padding. Indexed
// formats (190, 191) carry a palette.
#include <cstdint>
#include <memory>

#include "HvTL/GrowableBlock.h"
#include "IMGLib/HvPalette.h"

class HvImage {
 public:
  HvImage() = default;
  HvImage(const HvImage&) = delete;
  HvImage& operator=(const HvImage&) = delete;

  // Releases the old pixels and sizes new ones (contents undefined); no-op
  // when nothing changes. False, leaving the image empty, for negative sizes,
  // unknown formats or a pixel block beyond 4 GiB.
  bool SetFormat(int width, int height, int format);
  void Release();

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Format() const { return format_; }
  int BytesPerPixel() const { return bytesPerPixel_; }
  int Stride() const { return stride_; }
  uint8_t* Data() const { return pixels_ ? static_cast<uint8_t*>(pixels_->Data()) : nullptr; }
  HvPalette* Palette() const { return palette_.get(); }

  bool IsOutside(int x, int y) const;
  uint8_t* PixelAddress(int x, int y) const;
  // The pixel as a format-100 colour; 0 outside the image.
  uint32_t GetPixel(int x, int y) const;
  // Only for 1- and 2-byte formats: stores the low byte or low 16 bits.
  bool SetPixel(int x, int y, uint32_t value);

 private:
  int bytesPerPixel_ = 0;
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  int format_ = 0;
  std::unique_ptr<GrowableBlock> pixels_;
  std::unique_ptr<HvPalette> palette_;
};
