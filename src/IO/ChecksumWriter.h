#pragma once
// Buffered output of the project file with its running checksum: every byte
// written joins 4-byte little-endian words aligned to the file offsets, each
// added into `sum` and XOR-ed into `xor` as it completes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "HvCore/HvIO.h"

class ChecksumWriter {
 public:
  explicit ChecksumWriter(HvIO& stream);
  ~ChecksumWriter();
  ChecksumWriter(const ChecksumWriter&) = delete;
  ChecksumWriter& operator=(const ChecksumWriter&) = delete;

  void Bytes(const void* data, size_t count);
  void U32(uint32_t value);
  void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
  void F32(float value);
  void Zeros(size_t count);
  // The text cut at `width` bytes and zero-padded to it.
  void Padded(const char* text, size_t width);
  // Sends everything buffered to the stream; false once any write failed.
  bool Flush();
  bool Failed() const { return failed_; }

  uint32_t Sum() const { return sum_; }
  uint32_t Xor() const { return xor_; }
  uint64_t Offset() const { return offset_; }

 private:
  void Account(const uint8_t* data, size_t count);

  HvIO& stream_;
  std::vector<uint8_t> buffer_;
  uint64_t offset_ = 0;
  uint32_t sum_ = 0;
  uint32_t xor_ = 0;
  uint32_t pending_ = 0;
  int pendingBytes_ = 0;
  bool failed_ = false;
};
