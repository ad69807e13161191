#include "IffReader.h"

#include <cstring>

namespace OmbrixHost {
namespace {

std::uint64_t bigEndian(const std::uint8_t* p, unsigned bytes) {
  std::uint64_t v = 0;
  for (unsigned i = 0; i < bytes; ++i)
    v = (v << 8) | p[i];
  return v;
}

bool isGroupTag(const char* tag, unsigned width) {
  const char digit = width == 8 ? '8' : '4';
  return (std::memcmp(tag, "FOR", 3) == 0 || std::memcmp(tag, "LIS", 3) == 0 || std::memcmp(tag, "CAT", 3) == 0) &&
         tag[3] == digit;
}

}  // namespace

std::string atOffset(std::uint64_t offset, const std::string& reason) {
  return "offset " + std::to_string(offset) + ": " + reason;
}

bool IffReader::open(IffChunk& top, std::string& error, std::string& damage) {
  if (size_ < 12 || (std::memcmp(bytes_, "FOR4", 4) != 0 && std::memcmp(bytes_, "FOR8", 4) != 0)) {
    error = atOffset(0, "not a Maya Binary scene (it does not begin with FOR4 or FOR8)");
    return false;
  }
  width_ = bytes_[3] == '8' ? 8 : 4;
  const unsigned headerSize = width_ == 8 ? 16 : 8;
  if (size_ < headerSize + 4) {
    error = atOffset(0, "the file ends inside its first header");
    return false;
  }
  const std::uint64_t stated = bigEndian(bytes_ + headerSize - width_, width_);
  if (stated > size_ - headerSize) {  // cut short: what is there is read
    damage = atOffset(size_, "the file ends before its Maya group does (" + std::to_string(stated + headerSize) +
                                 " bytes)");
  }
  if (!header(0, size_, top, error, true))
    return false;
  if (std::strcmp(top.form, "Maya") != 0) {
    error = atOffset(0, std::string("not a Maya Binary scene (its form is \"") + top.form + "\", not \"Maya\")");
    return false;
  }
  return true;
}

bool IffReader::header(std::uint64_t at, std::uint64_t end, IffChunk& chunk, std::string& error, bool clamp) const {
  const unsigned headerSize = width_ == 8 ? 16 : 8;
  if (end - at < headerSize) {
    error = atOffset(at, "the chunk header is cut off");
    return false;
  }
  const std::uint8_t* p = bytes_ + at;
  chunk = IffChunk();
  std::memcpy(chunk.tag, p, 4);
  chunk.offset = at;
  chunk.data = at + headerSize;
  chunk.size = bigEndian(p + headerSize - width_, width_);
  if (clamp && chunk.size > end - chunk.data)
    chunk.size = end - chunk.data;
  if (chunk.size > end - chunk.data) {
    error = atOffset(at, std::string("the size of ") + chunk.tag + " (" + std::to_string(chunk.size) +
                             ") reaches past its group");
    return false;
  }
  chunk.group = isGroupTag(chunk.tag, width_);
  if (chunk.group) {
    if (chunk.size < 4) {
      error = atOffset(at, std::string("the group ") + chunk.tag + " has no form type");
      return false;
    }
    std::memcpy(chunk.form, bytes_ + chunk.data, 4);
    chunk.data += 4;
    chunk.size -= 4;
  }
  return true;
}

bool IffReader::next(IffGroupCursor& cursor, IffChunk& chunk, std::string& error) {
  if (cursor.atEnd())
    return false;
  if (!header(cursor.pos_, cursor.end_, chunk, error)) {
    cursor.pos_ = cursor.end_;
    return false;
  }
  std::uint64_t after = chunk.data + chunk.size;
  if (!chunk.group) {
    std::uint64_t used = after - cursor.base_;
    used = (used + width_ - 1) / width_ * width_;
    after = cursor.base_ + used;
  }
  cursor.pos_ = after < cursor.end_ ? after : cursor.end_;
  return true;
}

}  // namespace OmbrixHost
