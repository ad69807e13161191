#include "IMGLib/HLine.h"

#include "HvTL/LittleEndian.h"
#include "IMGLib/PixelFormat.h"

bool HLine::SetFormat(int format, int length) {
  const int bytes = ::BytesPerPixel(format);
  const uint64_t size = static_cast<uint64_t>(bytes) * static_cast<uint64_t>(length);
  if (bytes == 0 || length < 0 || size > UINT32_MAX) return false;
  if (size > 0 && !pixels_.SetSize(static_cast<uint32_t>(size))) return false;
  format_ = format;
  bytesPerPixel_ = bytes;
  length_ = length;
  return true;
}

bool HLine::SetPixel(int index, uint32_t color) {
  if (index < 0 || index >= length_) return false;
  uint8_t* p = Data() + static_cast<size_t>(index) * static_cast<size_t>(bytesPerPixel_);
  if (format_ == kPixelARGB32) {
    StoreU32LE(p, color);
    return true;
  }
  if (format_ == kPixelRGBA32) {
    StoreU32LE(p, color << 8 | color >> 24);
    return true;
  }
  uint8_t source[4];
  StoreU32LE(source, color);
  ConvertPixels(kPixelARGB32, source, format_, p, 1);
  return false;
}

std::unique_ptr<HLine> HLinePool::Take(int format, int length) {
  std::unique_ptr<HLine> line;
  if (!spare_.empty()) {
    line = std::move(spare_.back());
    spare_.pop_back();
  } else {
    line = std::make_unique<HLine>();
  }
  if (!line->SetFormat(format, length)) return nullptr;
  return line;
}

void HLinePool::Give(std::unique_ptr<HLine> line) {
  if (line) spare_.push_back(std::move(line));
}
