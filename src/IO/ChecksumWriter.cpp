#include "IO/ChecksumWriter.h"

#include <algorithm>
#include <cstring>

#include "HvTL/LittleEndian.h"

namespace {
constexpr size_t kBufferBytes = 1 << 16;
}

ChecksumWriter::ChecksumWriter(HvIO& stream) : stream_(stream) { buffer_.reserve(kBufferBytes); }

ChecksumWriter::~ChecksumWriter() { Flush(); }

void ChecksumWriter::Account(const uint8_t* data, size_t count) {
  // Finish a pending word, then whole words, then keep the rest pending.
  while (count > 0 && pendingBytes_ != 0) {
    pending_ |= static_cast<uint32_t>(*data++) << (8 * pendingBytes_);
    --count;
    if (++pendingBytes_ == 4) {
      sum_ += pending_;
      xor_ ^= pending_;
      pending_ = 0;
      pendingBytes_ = 0;
    }
  }
  for (; count >= 4; data += 4, count -= 4) {
    const uint32_t word = LoadU32LE(data);
    sum_ += word;
    xor_ ^= word;
  }
  for (; count > 0; --count) pending_ |= static_cast<uint32_t>(*data++) << (8 * pendingBytes_++);
}

void ChecksumWriter::Bytes(const void* data, size_t count) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  Account(bytes, count);
  offset_ += count;
  while (count > 0) {
    const size_t room = kBufferBytes - buffer_.size();
    const size_t chunk = std::min(room, count);
    buffer_.insert(buffer_.end(), bytes, bytes + chunk);
    bytes += chunk;
    count -= chunk;
    if (buffer_.size() == kBufferBytes) Flush();
  }
}

void ChecksumWriter::U32(uint32_t value) {
  uint8_t bytes[4];
  StoreU32LE(bytes, value);
  Bytes(bytes, 4);
}

void ChecksumWriter::F32(float value) {
  uint8_t bytes[4];
  StoreF32LE(bytes, value);
  Bytes(bytes, 4);
}

void ChecksumWriter::Zeros(size_t count) {
  static const uint8_t zeros[256] = {};
  while (count > 0) {
    const size_t chunk = std::min(count, sizeof zeros);
    Bytes(zeros, chunk);
    count -= chunk;
  }
}

void ChecksumWriter::Padded(const char* text, size_t width) {
  const size_t length = text != nullptr ? std::min(std::strlen(text), width) : 0;
  Bytes(text, length);
  Zeros(width - length);
}

bool ChecksumWriter::Flush() {
  if (!buffer_.empty()) {
    if (stream_.Write(buffer_.data(), buffer_.size()) != buffer_.size()) failed_ = true;
    buffer_.clear();
  }
  return !failed_;
}
