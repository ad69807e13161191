#include "IO/BinaryReader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kBufferBytes = size_t{1} << 16;

uint32_t Assemble(const uint8_t* bytes, size_t count, BinaryReader::Order order) {
  uint32_t value = 0;
  for (size_t i = 0; i < count; ++i) {
    const size_t k = order == BinaryReader::kBigEndian ? i : count - 1 - i;
    value = value << 8 | bytes[k];
  }
  return value;
}

}  // namespace

BinaryReader::BinaryReader(HvIO& stream, int64_t start, Order order)
    : stream_(stream), start_(std::max<int64_t>(start, 0)), order_(order) {
  const int64_t size = stream.IsOpen() ? stream.Size() : 0;
  size_ = size > start_ ? static_cast<uint64_t>(size - start_) : 0;
}

uint64_t BinaryReader::Left() const {
  if (Failed()) return 0;
  const uint64_t end = End();
  return end > offset_ ? end - offset_ : 0;
}

bool BinaryReader::Fail(const std::string& reason) {
  if (!Failed()) {
    failure_.offset = start_ + static_cast<int64_t>(offset_);
    failure_.reason = reason.empty() ? "damaged data" : reason;
  }
  return false;
}

std::string BinaryReader::Where(const char* what) const {
  if (End() >= size_) return std::string("the file ends inside ") + what;
  return std::string(what) + " runs past the end of its chunk";
}

bool BinaryReader::Fill() {
  buffer_.resize(kBufferBytes);
  if (!stream_.Seek(start_ + static_cast<int64_t>(offset_), HvIO::kFromStart)) {
    buffer_.clear();
    return false;
  }
  buffer_.resize(stream_.Read(buffer_.data(), kBufferBytes));
  bufferOffset_ = offset_;
  return !buffer_.empty();
}

bool BinaryReader::Take(uint8_t* out, size_t count, const char* what) {
  if (Failed()) return false;
  if (count > Left()) return Fail(Where(what));
  while (count > 0) {
    const bool inside = offset_ >= bufferOffset_ && offset_ < bufferOffset_ + buffer_.size();
    if (!inside && !Fill()) return Fail(std::string("the file ends inside ") + what);
    const size_t at = static_cast<size_t>(offset_ - bufferOffset_);
    const size_t chunk = std::min(count, buffer_.size() - at);
    if (out != nullptr) {
      std::memcpy(out, buffer_.data() + at, chunk);
      out += chunk;
    }
    offset_ += chunk;
    count -= chunk;
  }
  return true;
}

bool BinaryReader::U8(uint8_t& value, const char* what) { return Take(&value, 1, what); }

bool BinaryReader::U16(uint16_t& value, const char* what) {
  uint8_t bytes[2];
  if (!Take(bytes, 2, what)) return false;
  value = static_cast<uint16_t>(Assemble(bytes, 2, order_));
  return true;
}

bool BinaryReader::I16(int16_t& value, const char* what) {
  uint16_t bits = 0;
  if (!U16(bits, what)) return false;
  value = static_cast<int16_t>(bits);
  return true;
}

bool BinaryReader::U32(uint32_t& value, const char* what) {
  uint8_t bytes[4];
  if (!Take(bytes, 4, what)) return false;
  value = Assemble(bytes, 4, order_);
  return true;
}

bool BinaryReader::I32(int32_t& value, const char* what) {
  uint32_t bits = 0;
  if (!U32(bits, what)) return false;
  value = static_cast<int32_t>(bits);
  return true;
}

bool BinaryReader::F32(float& value, const char* what) {
  uint32_t bits = 0;
  if (!U32(bits, what)) return false;
  std::memcpy(&value, &bits, sizeof value);
  return true;
}

bool BinaryReader::Bytes(void* out, size_t count, const char* what) {
  return Take(static_cast<uint8_t*>(out), count, what);
}

bool BinaryReader::Skip(uint64_t count, const char* what) {
  if (Failed()) return false;
  if (count > Left()) return Fail(Where(what));
  offset_ += count;
  return true;
}

bool BinaryReader::Text(std::string& text, size_t maximum, const char* what) {
  text.clear();
  uint8_t c = 0;
  while (text.size() < maximum) {
    if (Left() == 0) return Fail(std::string(what) + " has no terminating zero");
    if (!U8(c, what)) return false;
    if (c == 0) return true;
    text.push_back(static_cast<char>(c));
  }
  return true;
}

bool BinaryReader::SeekTo(uint64_t offset, const char* what) {
  if (Failed()) return false;
  if (offset > End()) {
    const bool file = End() >= size_;
    return Fail(std::string(what) + " at offset " + std::to_string(start_ + static_cast<int64_t>(offset)) +
                (file ? " lies beyond the end of the file" : " lies beyond the end of its chunk"));
  }
  offset_ = offset;
  return true;
}

bool BinaryReader::Holds(uint64_t count, uint64_t bytesEach, const char* what) {
  if (Failed()) return false;
  if (bytesEach == 0 || count <= Left() / bytesEach) return true;
  if (!ends_.empty() && ends_.back().missing > 0)
    return Fail(std::string("the file ends inside the ") + what + " records (" + std::to_string(count) +
                " announced)");
  return Fail(std::string(what) + " count " + std::to_string(count) + " is more than the " +
              std::to_string(Left()) + " bytes left can hold");
}

bool BinaryReader::Enter(uint64_t length, const char* what) {
  const uint64_t left = Left();
  const bool cutByFile = !Failed() && length > left && End() >= size_;
  if (!Failed() && length > left && !cutByFile) Fail(Where(what));
  const bool fits = !Failed() && length <= left;
  ends_.push_back(Level{fits ? offset_ + length : End(), cutByFile ? length - left : 0,
                        cutByFile ? what : ""});
  return fits || cutByFile;
}

void BinaryReader::Leave() {
  if (ends_.empty()) return;
  const Level level = ends_.back();
  if (!Failed()) offset_ = std::max(offset_, level.end);
  if (level.missing > 0)
    Fail("the file ends " + std::to_string(level.missing) + " bytes before the end of " + level.what);
  ends_.pop_back();
}
