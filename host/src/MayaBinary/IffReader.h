#pragma once
// The container of Maya Binary files: an IFF tree of groups (FOR4/LIS4 with
// 32-bit sizes, FOR8/LIS8 with 64-bit sizes) holding chunks. A chunk header
// is a four-character tag and a big-endian size; in the 64-bit form the tag
// is followed by four unused bytes and the size takes eight. A group's data
// starts with its four-character form type. Chunk data is padded to the
// width (4 or 8) counted from the first byte after the enclosing group's
// form type; a group ends where its size says.
#include <cstddef>
#include <cstdint>
#include <string>

namespace OmbrixHost {

struct IffChunk {
  char tag[5] = {};
  char form[5] = {};        // groups only
  bool group = false;
  std::uint64_t offset = 0;  // of the header
  std::uint64_t data = 0;    // of the data (for a group, of the first child)
  std::uint64_t size = 0;    // of the data (for a group, of its children)
};

// The children of one group, read one after the other.
class IffGroupCursor {
public:
  IffGroupCursor(std::uint64_t begin, std::uint64_t end) : base_(begin), pos_(begin), end_(end) {}
  std::uint64_t position() const { return pos_; }
  bool atEnd() const { return pos_ >= end_; }

private:
  friend class IffReader;
  std::uint64_t base_, pos_, end_;
};

class IffReader {
public:
  // Reading stops at `maxDepth` nested groups.
  static constexpr int kMaxDepth = 32;

  IffReader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

  // The outermost group ("FOR4"/"FOR8" of form "Maya"); sets the width.
  // A file cut short keeps the group to its end, and `damage` says so.
  bool open(IffChunk& top, std::string& error, std::string& damage);
  // The next chunk of the group; false at its end or on a broken header
  // (then `error` says why, and the group's rest cannot be read).
  bool next(IffGroupCursor& cursor, IffChunk& chunk, std::string& error);
  IffGroupCursor children(const IffChunk& group) const { return {group.data, group.data + group.size}; }

  bool wide() const { return width_ == 8; }
  const std::uint8_t* bytes() const { return bytes_; }
  std::size_t size() const { return size_; }

private:
  // `clamp`: a size past `end` is cut to it instead of refused.
  bool header(std::uint64_t at, std::uint64_t end, IffChunk& chunk, std::string& error, bool clamp = false) const;

  const std::uint8_t* bytes_;
  std::size_t size_;
  unsigned width_ = 4;
};

// "offset N: REASON", the form of the reader's messages after the file name.
std::string atOffset(std::uint64_t offset, const std::string& reason);

}  // namespace OmbrixHost
