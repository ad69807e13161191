#pragma once
// A file stream read in large blocks, with the stream's character-level
// calls (ReadLine, Read, Tell, Seek back within the block, AtEnd) answered
// from memory exactly as the stream answers them: text readers keep their
// line logic and lose a stdio call per character.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "HvCore/HvIO.h"

class BlockReader {
 public:
  static constexpr size_t kBlockBytes = size_t{1} << 20;

  // Reads from the stream's current position, which is then its offset 0.
  explicit BlockReader(HvIO& stream)
      : stream_(stream), block_(new uint8_t[kBlockBytes]), base_(stream.Tell()) {}

  // Up to maximum - 1 bytes through the first CR or LF; a zero byte ends
  // the line unstored. The bytes consumed.
  int ReadLine(char* buffer, int maximum);
  size_t Read(void* buffer, size_t count);
  int64_t Tell() const { return base_ + static_cast<int64_t>(at_); }
  // The next line when it lies whole in the block, ends with LF or CR LF,
  // holds no zero byte and no other CR, and takes at most `limit` bytes with
  // its end; null otherwise. Nothing is consumed (Skip does that).
  const char* PeekLine(size_t limit, size_t& length);
  void Skip(size_t count) { at_ += count; }
  // Only back to a position inside the current block (false otherwise).
  int Seek(int64_t offset, int origin);
  bool AtEnd() { return !Available(); }

 private:
  // True when a byte is ready at at_, refilling the block if needed.
  bool Available();

  HvIO& stream_;
  std::unique_ptr<uint8_t[]> block_;  // left uninitialised: only read bytes are used
  size_t at_ = 0, size_ = 0;
  int64_t base_;  // stream offset of the block's first byte
};
