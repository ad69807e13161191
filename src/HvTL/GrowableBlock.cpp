#include "HvTL/GrowableBlock.h"

#include <cstdlib>

namespace {

uint64_t RoundUp(uint64_t value, uint64_t step) { return (value + step - 1) / step * step; }

}  // namespace

GrowableBlock::GrowableBlock(uint32_t count, uint32_t elementSize, const char* label, int line)
    : label_(label != nullptr ? label : ""), line_(line) {
  SetSize(count, elementSize);
}

GrowableBlock::~GrowableBlock() { std::free(data_); }

uint32_t GrowableBlock::RoundCapacity(uint32_t n) {
  uint64_t c = RoundUp(n, 32);
  if (c > 512) c = RoundUp(c, 128);
  if (c > 4096) c = RoundUp(c, 4096);
  if (c > 32678) c = RoundUp(c, 32768);
  if (c < 128) c = 128;
  return c > UINT32_MAX ? 0 : static_cast<uint32_t>(c);
}

bool GrowableBlock::SetSize(uint32_t count, uint32_t elementSize) {
  const uint64_t request = static_cast<uint64_t>(count) * elementSize;
  if (request == 0) return true;
  if (request > UINT32_MAX) return false;
  const uint32_t bytes = static_cast<uint32_t>(request);
  if (bytes > capacity_) {
    const uint32_t capacity = RoundCapacity(bytes);
    if (capacity == 0) return false;
    if (capacity != capacity_) {
      void* moved = std::realloc(data_, capacity);
      if (moved == nullptr) return false;
      data_ = moved;
      capacity_ = capacity;
    }
  }
  size_ = bytes;
  return true;
}
