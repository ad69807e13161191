#pragma once
// The one reader of binary model files (3DS, MDL, LWO, the project and the
// correspondence files): values in the file's byte order from a stream,
// read through a buffer. Every read is checked against the end of the
// innermost chunk entered and of the file; counts are checked against what
// is left before a caller allocates for them. The first failure is kept
// with its offset and what was being read, and every later read fails, so
// a reader may run on and test Failed() once.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "HvCore/HvIO.h"
#include "IO/ReadFailure.h"

class BinaryReader {
 public:
  enum Order { kLittleEndian, kBigEndian };

  // Reads the stream from `start` (offset 0 of the reader) to its end.
  BinaryReader(HvIO& stream, int64_t start, Order order);

  uint64_t Offset() const { return offset_; }
  uint64_t Size() const { return size_; }
  // Bytes before the end of the innermost chunk (0 once failed).
  uint64_t Left() const;
  bool Failed() const { return failure_.Failed(); }
  // The failure, its offset counted from the start of the stream.
  const ReadFailure& Failure() const { return failure_; }
  // Records a failure at the current offset (the first one stands); false.
  bool Fail(const std::string& reason);

  bool U8(uint8_t& value, const char* what);
  bool U16(uint16_t& value, const char* what);
  bool I16(int16_t& value, const char* what);
  bool U32(uint32_t& value, const char* what);
  bool I32(int32_t& value, const char* what);
  bool F32(float& value, const char* what);
  bool Bytes(void* out, size_t count, const char* what);
  bool Skip(uint64_t count, const char* what);
  // A zero-terminated text of at most `maximum` bytes before its zero; the
  // position goes past the zero. No zero inside the chunk is a failure.
  bool Text(std::string& text, size_t maximum, const char* what);
  // To an offset inside the innermost chunk (tables found by offset).
  bool SeekTo(uint64_t offset, const char* what);
  // True when `count` records of `bytesEach` bytes fit in what is left.
  bool Holds(uint64_t count, uint64_t bytesEach, const char* what);
  // Reads from here on end `length` bytes ahead, which must lie inside the
  // current chunk; Leave moves to that end and restores the outer bounds.
  // A chunk cut short by the end of the file is read up to that end, so
  // that a read inside it fails where the bytes are missing; leaving it
  // fails in any case.
  bool Enter(uint64_t length, const char* what);
  void Leave();
  size_t Depth() const { return ends_.size(); }

 private:
  bool Take(uint8_t* out, size_t count, const char* what);
  bool Fill();
  uint64_t End() const { return ends_.empty() ? size_ : ends_.back().end; }
  std::string Where(const char* what) const;

  HvIO& stream_;
  int64_t start_;
  Order order_;
  uint64_t size_ = 0;
  uint64_t offset_ = 0;
  struct Level {
    uint64_t end;
    uint64_t missing;  // bytes of the chunk past the end of the file
    std::string what;
  };
  std::vector<Level> ends_;  // the chunks entered, innermost last
  std::vector<uint8_t> buffer_;
  uint64_t bufferOffset_ = 0;  // reader offset of buffer_[0]
  ReadFailure failure_;
};
