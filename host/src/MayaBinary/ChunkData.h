#pragma once
// Bounds-checked big-endian reads from the data of one chunk. Every read
// answers false, moves nothing and gives 0, when the chunk has too few bytes left.
#include <cstdint>
#include <cstring>
#include <string>

namespace OmbrixHost {

class ChunkData {
public:
  ChunkData(const std::uint8_t* bytes, std::uint64_t offset, std::uint64_t size)
      : bytes_(bytes), offset_(offset), pos_(0), size_(size) {}

  std::uint64_t remaining() const { return size_ - pos_; }
  // The file offset of the next byte.
  std::uint64_t offset() const { return offset_ + pos_; }

  bool u8(std::uint8_t& v) {
    v = 0;
    if (remaining() < 1)
      return false;
    v = bytes_[pos_++];
    return true;
  }
  bool u32(std::uint32_t& v) {
    std::uint64_t w;
    const bool read = unsignedOf(4, w);
    v = static_cast<std::uint32_t>(w);
    return read;
  }
  bool i32(std::int32_t& v) {
    std::uint32_t w;
    const bool read = u32(w);
    v = static_cast<std::int32_t>(w);
    return read;
  }
  bool i64(std::int64_t& v) {
    std::uint64_t w;
    const bool read = unsignedOf(8, w);
    v = static_cast<std::int64_t>(w);
    return read;
  }
  bool f32(float& v) {
    std::uint32_t w;
    const bool read = u32(w);
    std::memcpy(&v, &w, 4);
    return read;
  }
  bool f64(double& v) {
    std::uint64_t w;
    const bool read = unsignedOf(8, w);
    std::memcpy(&v, &w, 8);
    return read;
  }
  // A text ended by a NUL byte (the NUL is read, not kept).
  bool text(std::string& out) {
    const void* nul = std::memchr(bytes_ + pos_, 0, static_cast<std::size_t>(remaining()));
    if (!nul)
      return false;
    const auto length = static_cast<std::uint64_t>(static_cast<const std::uint8_t*>(nul) - (bytes_ + pos_));
    out.assign(reinterpret_cast<const char*>(bytes_ + pos_), static_cast<std::size_t>(length));
    pos_ += length + 1;
    return true;
  }
  // The rest of the chunk as text, without a terminator (a trailing NUL is dropped).
  std::string rest() {
    std::string out(reinterpret_cast<const char*>(bytes_ + pos_), static_cast<std::size_t>(remaining()));
    pos_ = size_;
    while (!out.empty() && out.back() == '\0')
      out.pop_back();
    return out;
  }
  bool skip(std::uint64_t n) {
    if (remaining() < n)
      return false;
    pos_ += n;
    return true;
  }

private:
  bool unsignedOf(unsigned n, std::uint64_t& v) {
    v = 0;
    if (remaining() < n)
      return false;
    for (unsigned i = 0; i < n; ++i)
      v = (v << 8) | bytes_[pos_ + i];
    pos_ += n;
    return true;
  }

  const std::uint8_t* bytes_;  // the chunk's data
  std::uint64_t offset_, pos_, size_;
};

}  // namespace OmbrixHost
