#include "IO/BlockReader.h"

#include <algorithm>
#include <cstring>

bool BlockReader::Available() {
  if (at_ < size_) return true;
  base_ += static_cast<int64_t>(size_);
  at_ = 0;
  size_ = stream_.Read(block_.data(), block_.size());
  return size_ > 0;
}

int BlockReader::ReadLine(char* buffer, int maximum) {
  if (buffer == nullptr || maximum <= 0) return 0;
  int consumed = 0, stored = 0;
  while (stored < maximum - 1 && Available()) {
    const size_t room = std::min(size_ - at_, static_cast<size_t>(maximum - 1 - stored));
    const uint8_t* from = block_.data() + at_;
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

size_t BlockReader::Read(void* buffer, size_t count) {
  auto* out = static_cast<uint8_t*>(buffer);
  size_t copied = 0;
  while (copied < count && Available()) {
    const size_t n = std::min(count - copied, size_ - at_);
    std::memcpy(out + copied, block_.data() + at_, n);
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
