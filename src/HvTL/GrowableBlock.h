#pragma once
// A growable heap block: the storage behind strings, model arrays and stream
// buffers. Capacity grows in rounded steps (see RoundCapacity) and never
// shrinks; the contents are kept when the block moves.
#include <cstdint>

class GrowableBlock {
 public:
  // A block of count x elementSize bytes. The label (source file) and line
  // are carried for diagnostics only.
  GrowableBlock(uint32_t count = 0, uint32_t elementSize = 1, const char* label = "",
                int line = 0);
  ~GrowableBlock();
  GrowableBlock(const GrowableBlock&) = delete;
  GrowableBlock& operator=(const GrowableBlock&) = delete;

  // Makes the size count x elementSize bytes. A request of 0 bytes does
  // nothing. Returns false (block unchanged) when the request cannot be met.
  bool SetSize(uint32_t count, uint32_t elementSize = 1);

  void* Data() const { return data_; }
  uint32_t Size() const { return size_; }
  uint32_t Capacity() const { return capacity_; }
  const char* Label() const { return label_; }
  int Line() const { return line_; }

  // Capacity for a request of n bytes: n rounded up to 32; above 512 to 128;
  // above 4096 to 4096; above 32678 to 32768; at least 128. Returns 0 when
  // the rounded value does not fit in 32 bits.
  static uint32_t RoundCapacity(uint32_t n);

 private:
  void* data_ = nullptr;
  uint32_t capacity_ = 0;
  uint32_t size_ = 0;
  const char* label_;
  int line_;
};
