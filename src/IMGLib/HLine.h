#pragma once
// A run of pixels of one format (one scan line), and a pool that keeps
// spare lines for reuse.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "HvTL/GrowableBlock.h"

class HLine {
 public:
  // Sizes the storage to bytes per pixel x length; false for an unknown
  // format or a negative or oversized length.
  bool SetFormat(int format, int length);
  // colour is format 100. Format 100 stores it and format 184 stores it as
  // 0xRRGGBBAA (true); other formats convert the one pixel (false).
  bool SetPixel(int index, uint32_t color);

  int Length() const { return length_; }
  int Format() const { return format_; }
  int BytesPerPixel() const { return bytesPerPixel_; }
  uint8_t* Data() const { return static_cast<uint8_t*>(pixels_.Data()); }

 private:
  GrowableBlock pixels_{0, 1, "IMGLib/HLine", 0};
  int format_ = 0;
  int bytesPerPixel_ = 0;
  int length_ = 0;
};

class HLinePool {
 public:
  // A line of the given format and length, from the free list when one waits.
  std::unique_ptr<HLine> Take(int format, int length);
  void Give(std::unique_ptr<HLine> line);
  size_t SpareCount() const { return spare_.size(); }

 private:
  std::vector<std::unique_ptr<HLine>> spare_;
};
