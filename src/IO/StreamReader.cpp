#include "IO/StreamReader.h"

#include <algorithm>
#include <cstring>

#include "HvTL/LittleEndian.h"

namespace {
constexpr size_t kBufferBytes = 1 << 16;
}

StreamReader::StreamReader(HvIO& stream)
    : stream_(stream),
      offset_(static_cast<uint64_t>(std::max<int64_t>(stream.Tell(), 0))),
      size_(static_cast<uint64_t>(std::max<int64_t>(stream.Size(), 0))) {}

bool StreamReader::Fill() {
  buffer_.resize(kBufferBytes);
  const size_t got = stream_.Read(buffer_.data(), buffer_.size());
  buffer_.resize(got);
  at_ = 0;
  return got > 0;
}

bool StreamReader::Bytes(void* out, size_t count) {
  auto* bytes = static_cast<uint8_t*>(out);
  if (count > Remaining()) return false;
  while (count > 0) {
    if (at_ == buffer_.size() && !Fill()) return false;
    const size_t chunk = std::min(count, buffer_.size() - at_);
    if (bytes != nullptr) {
      std::memcpy(bytes, buffer_.data() + at_, chunk);
      bytes += chunk;
    }
    at_ += chunk;
    offset_ += chunk;
    count -= chunk;
  }
  return true;
}

bool StreamReader::Skip(uint64_t count) {
  if (count > Remaining()) return false;
  return Bytes(nullptr, static_cast<size_t>(count));
}

bool StreamReader::U32(uint32_t& value) {
  uint8_t bytes[4];
  if (!Bytes(bytes, 4)) return false;
  value = LoadU32LE(bytes);
  return true;
}

bool StreamReader::I32(int32_t& value) {
  uint32_t bits = 0;
  if (!U32(bits)) return false;
  value = static_cast<int32_t>(bits);
  return true;
}

bool StreamReader::F32(float& value) {
  uint8_t bytes[4];
  if (!Bytes(bytes, 4)) return false;
  value = LoadF32LE(bytes);
  return true;
}
