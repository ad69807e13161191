#pragma once
// Buffered, bounds-checked reading of little-endian values from a stream.
// Every read either delivers all it was asked for or fails; Remaining()
// lets callers refuse counts the rest of the stream could not hold.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "HvCore/HvIO.h"

class StreamReader {
 public:
  explicit StreamReader(HvIO& stream);

  bool Bytes(void* out, size_t count);
  bool Skip(uint64_t count);
  bool U32(uint32_t& value);
  bool I32(int32_t& value);
  bool F32(float& value);
  uint64_t Offset() const { return offset_; }
  uint64_t Remaining() const { return size_ > offset_ ? size_ - offset_ : 0; }

 private:
  bool Fill();

  HvIO& stream_;
  std::vector<uint8_t> buffer_;
  size_t at_ = 0;
  uint64_t offset_;
  uint64_t size_;
};
