#include "IMGLib/HvImage.h"

#include "Diagnostics/ReportDiagnostic.h"
#include "HvTL/LittleEndian.h"
#include "IMGLib/PixelFormat.h"

bool HvImage::SetFormat(int width, int height, int format) {
  if (width == width_ && height == height_ && format == format_ && pixels_) return true;
  Release();
  if (format == kPixel110) ReportDiagnostic("Bad!");
  const int bytes = ::BytesPerPixel(format);
  const uint64_t size = static_cast<uint64_t>(width) * static_cast<uint64_t>(height) *
                        static_cast<uint64_t>(bytes);
  if (width < 0 || height < 0 || bytes == 0 || size > UINT32_MAX) return false;
  width_ = width;
  height_ = height;
  format_ = format;
  bytesPerPixel_ = bytes;
  stride_ = bytes * width;
  if (format == kPixelIndex8 || format == kPixelIndex16) palette_ = std::make_unique<HvPalette>();
  pixels_ = std::make_unique<GrowableBlock>(0, 1, "IMGLib/HvImage", 0);
  if (size > 0 && !pixels_->SetSize(static_cast<uint32_t>(size))) {
    Release();
    return false;
  }
  return true;
}

void HvImage::Release() {
  pixels_.reset();
  palette_.reset();
  bytesPerPixel_ = width_ = height_ = stride_ = format_ = 0;
}

bool HvImage::IsOutside(int x, int y) const {
  return Data() == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_;
}

uint8_t* HvImage::PixelAddress(int x, int y) const {
  return Data() + static_cast<size_t>(y) * static_cast<size_t>(stride_) +
         static_cast<size_t>(x) * static_cast<size_t>(bytesPerPixel_);
}

uint32_t HvImage::GetPixel(int x, int y) const {
  if (IsOutside(x, y)) return 0;
  const uint8_t* p = PixelAddress(x, y);
  switch (format_) {
    case kPixelARGB32: return LoadU32LE(p);
    case kPixelGrey8: return 0x010101u * p[0];
    case kPixelGB8: return LoadU16LE(p);
    case kPixelRGB8: return 0xFF000000u | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    case kPixelBGR8: return 0xFF000000u | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    case kPixelIndex8: return palette_ ? palette_->GetEntry(p[0]) : p[0];
    default: {
      uint8_t converted[4];
      ConvertPixels(format_, p, kPixelARGB32, converted, 1);
      return LoadU32LE(converted);
    }
  }
}

bool HvImage::SetPixel(int x, int y, uint32_t value) {
  if (IsOutside(x, y)) return false;
  uint8_t* p = PixelAddress(x, y);
  if (bytesPerPixel_ == 1) {
    p[0] = static_cast<uint8_t>(value);
  } else if (bytesPerPixel_ == 2) {
    StoreU16LE(p, value);
  } else {
    return false;
  }
  return true;
}
