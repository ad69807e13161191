#include "IO/BlockReader.h"

#include <algorithm>
#include <cstring>

bool BlockReader::Available() {
  if (at_ < size_) return true;
  base_ += static_cast<int64_t>(size_);
  at_ = 0;
  size_ = stream_.Read(block_.get(), kBlockBytes);
  return size_ > 0;
}

int BlockReader::ReadLine(char* buffer, int maximum) {
  if (buffer == nullptr || maximum <= 0) return 0;
  int consumed = 0, stored = 0;
  while (stored < maximum - 1 && Available()) {
    const size_t room = std::min(size_ - at_, static_cast<size_t>(maximum - 1 - stored));
    const uint8_t* from = block_.get() + at_;
    size_t n = 0;
    bool ended = false, zero = false;
    while (n < room) {
      const uint8_t c = from[n];
      if (c == 0) {
        ended = zero = true;  // consumed, not stored
        break;
      }
      ++n;
      if (c == '\n' || c == '\r') {
        ended = true;
        break;
      }
    }
    std::memcpy(buffer + stored, from, n);
    stored += static_cast<int>(n);
    consumed += static_cast<int>(n) + (zero ? 1 : 0);
    at_ += n + (zero ? 1 : 0);
    if (ended) break;
  }
  buffer[stored] = '\0';
  return consumed;
}

namespace {

// Whether any of the n bytes is 0 or CR, eight at a time.
bool HoldsZeroOrCr(const uint8_t* bytes, size_t n) {
  constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
  constexpr uint64_t kCrs = kOnes * '\r';
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes + i, sizeof word);
    const uint64_t crs = word ^ kCrs;
    if ((((word - kOnes) & ~word) | ((crs - kOnes) & ~crs)) & kHighs) return true;
  }
  for (; i < n; ++i)
    if (bytes[i] == 0 || bytes[i] == '\r') return true;
  return false;
}

}  // namespace

const char* BlockReader::PeekLine(size_t limit, size_t& length) {
  if (!Available()) return nullptr;
  const size_t left = size_ - at_;
  const auto* from = block_.get() + at_;
  const auto* feed = static_cast<const uint8_t*>(std::memchr(from, '\n', std::min(left, limit)));
  if (feed == nullptr) return nullptr;
  size_t n = static_cast<size_t>(feed - from);
  const bool crlf = n > 0 && from[n - 1] == '\r';
  if (crlf) --n;
  if (HoldsZeroOrCr(from, n)) return nullptr;
  length = n + (crlf ? 2 : 1);
  return reinterpret_cast<const char*>(from);
}

size_t BlockReader::Read(void* buffer, size_t count) {
  auto* out = static_cast<uint8_t*>(buffer);
  size_t copied = 0;
  while (copied < count && Available()) {
    const size_t n = std::min(count - copied, size_ - at_);
    std::memcpy(out + copied, block_.get() + at_, n);
    copied += n;
    at_ += n;
  }
  return copied;
}

int BlockReader::Seek(int64_t offset, int origin) {
  if (origin != HvIO::kFromStart || offset < base_ || offset > base_ + static_cast<int64_t>(size_))
    return 0;
  at_ = static_cast<size_t>(offset - base_);
  return 1;
}
