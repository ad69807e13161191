#include "HvCore/HvIO.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "HvTL/LittleEndian.h"
#include "Platform/FileOffset.h"
#include "Platform/SharedMemory.h"
#include "Platform/FileSystem.h"

struct HvIO::Impl {
  int64_t position = 0;
  uint32_t byteOrder = kBigEndian;
  uint32_t mode = 0;
  Kind kind = kFile;
  std::FILE* file = nullptr;
  HvString name;
  uint32_t viewBase = 0;
  Platform::MappingHandle mapping = nullptr;
  uint8_t* window = nullptr;
  bool writableMapping = false;
  uint8_t* header = nullptr;
};

namespace {

HvIO::Kind KindOf(const char* locator) {
  static const struct {
    const char* prefix;
    HvIO::Kind kind;
  } kPrefixes[] = {{"memory:", HvIO::kMemory},
                   {"socket:", HvIO::kSocket},
                   {"tcp:", HvIO::kTcp},
                   {"connection:", HvIO::kConnection}};
  for (const auto& entry : kPrefixes)
    if (std::strncmp(locator, entry.prefix, std::strlen(entry.prefix)) == 0) return entry.kind;
  return HvIO::kFile;
}

const char* FileModeText(uint32_t mode) {
  switch (mode) {
    case HvIO::kRead: return "rb";
    case HvIO::kWrite: return "w+b";
    case HvIO::kReadWrite: return "r+b";
    default: return nullptr;
  }
}

void Reverse(uint8_t* bytes, size_t size) { std::reverse(bytes, bytes + size); }

}  // namespace

HvIO::HvIO() : impl_(std::make_unique<Impl>()) {}

HvIO::HvIO(const char* locator, uint32_t mode) : HvIO() { Open(locator, mode); }

HvIO::~HvIO() { Close(); }

int HvIO::Close() {
  Impl& s = *impl_;
  int closed = 1;
  if (s.file != nullptr) {
    // What stdio still buffers reaches the file here: a failure now is a
    // failed write, and the caller must hear of it.
    if (std::fflush(s.file) != 0) closed = 0;
    if (std::fclose(s.file) != 0) closed = 0;
    s.file = nullptr;
  }
  if (s.mapping != nullptr) {
    Platform::UnmapSharedMemory(s.window, kWindowSize);
    Platform::UnmapSharedMemory(s.header, 4);
    Platform::CloseSharedMemory(s.mapping);
    s.window = s.header = nullptr;
    s.mapping = nullptr;
  }
  s.position = 0;
  return closed;
}

int HvIO::Flush() {
  if (impl_->file != nullptr) return std::fflush(impl_->file) == 0 ? 1 : 0;
  return IsOpen();
}

int HvIO::IsOpen() { return impl_->file != nullptr || impl_->mapping != nullptr ? 1 : 0; }

int HvIO::IsWritable() { return impl_->mode == kWrite || impl_->mode == kReadWrite ? 1 : 0; }

HvString HvIO::Name() const { return impl_->name; }

HvIO::Kind HvIO::LocatorKind() const { return impl_->kind; }

HvString HvIO::Directory() const {
  const char* name = impl_->name.Text();
  const char* slash = std::strrchr(name, '/');
  const char* backslash = std::strrchr(name, '\\');
  const char* last = slash > backslash ? slash : backslash;
  if (last == nullptr) return HvString();
  return HvString(std::string(name, static_cast<size_t>(last - name)).c_str());
}

int HvIO::Open(const char* locator, uint32_t mode) {
  if (IsOpen()) Close();
  Impl& s = *impl_;
  s.file = nullptr;
  s.mode = mode;
  s.position = 0;
  if (locator != nullptr && locator[0] != '\0') {
    s.kind = KindOf(locator);
    if (s.kind == kFile) {
      if (const char* text = FileModeText(mode)) s.file = Platform::OpenFile(locator, text);
    } else if (s.kind == kMemory) {
      if (!OpenSharedMemory(locator)) {
        s.name.Assign("");
        return 0;
      }
    } else if (s.kind == kConnection) {
      s.name.Assign(locator);
      return 1;
    }
  }
  if (IsOpen()) {
    s.name.Assign(locator);
    return 1;
  }
  s.name.Assign("");
  return 0;
}

bool HvIO::OpenSharedMemory(const char* locator) {
  Impl& s = *impl_;
  if (s.mode != kRead && s.mode != kWrite && s.mode != kReadWrite) return false;
  s.writableMapping = s.mode != kRead;
  s.mapping = s.mode == kWrite ? Platform::CreateSharedMemory(locator, kSharedSize)
                               : Platform::OpenSharedMemory(locator, s.writableMapping);
  if (s.mapping == nullptr) return false;
  s.header = static_cast<uint8_t*>(Platform::MapSharedMemory(s.mapping, s.writableMapping, 0, 4));
  if (s.header == nullptr) {
    Platform::CloseSharedMemory(s.mapping);
    s.mapping = nullptr;
    return false;
  }
  if (s.mode == kWrite) std::memset(s.header, 0, 4);
  s.window = nullptr;
  if (!SeekShared(0, kFromStart)) {
    Platform::UnmapSharedMemory(s.header, 4);
    Platform::CloseSharedMemory(s.mapping);
    s.header = nullptr;
    s.mapping = nullptr;
    return false;
  }
  return true;
}

uint32_t HvIO::DataLength() const {
  uint32_t length;
  std::memcpy(&length, impl_->header, 4);  // machine byte order
  return std::min(length, kSharedSize - 4);
}

int HvIO::Seek(int64_t offset, int origin) {
  if (!IsOpen()) return 0;
  return impl_->mapping != nullptr ? SeekShared(offset, origin) : SeekFile(offset, origin);
}

int HvIO::SeekFile(int64_t offset, int origin) {
  Impl& s = *impl_;
  switch (origin) {
    case kFromStart:
      s.position = offset;
      return Platform::SeekFile(s.file, offset, SEEK_SET) == 0 ? 1 : 0;
    case kFromCurrent:
      s.position += offset;
      return offset == 0 || Platform::SeekFile(s.file, offset, SEEK_CUR) == 0 ? 1 : 0;
    case kFromEnd: {
      if (Platform::SeekFile(s.file, offset, SEEK_END) != 0) return 0;
      s.position = Platform::TellFile(s.file);
      return 1;
    }
    default:
      return 1;
  }
}

int HvIO::SeekShared(int64_t offset, int origin) {
  Impl& s = *impl_;
  int64_t target = s.position;
  if (origin == kFromStart) target = offset;
  if (origin == kFromCurrent) target = s.position + offset;
  if (origin == kFromEnd) target = DataLength();
  // Object offset of the target; the window moves wherever it lies, earlier
  // windows included.
  const int64_t at = target + 4;
  if (target < 0 || at >= static_cast<int64_t>(kSharedSize)) return 0;
  s.position = target;
  if (s.window != nullptr && (at < s.viewBase || at - s.viewBase >= kWindowSize)) {
    Platform::UnmapSharedMemory(s.window, kWindowSize);
    s.window = nullptr;
  }
  if (s.window == nullptr) {
    s.viewBase = static_cast<uint32_t>(at) / kWindowSize * kWindowSize;
    s.window = static_cast<uint8_t*>(
        Platform::MapSharedMemory(s.mapping, s.writableMapping, s.viewBase, kWindowSize));
    if (s.window == nullptr) return 0;
  }
  return 1;
}

size_t HvIO::Read(void* buffer, size_t count) {
  Impl& s = *impl_;
  if (buffer == nullptr || count == 0) return 0;
  if (s.mapping != nullptr) return ReadShared(static_cast<uint8_t*>(buffer), count);
  if (s.file == nullptr) return 0;
  const size_t got = std::fread(buffer, 1, count, s.file);
  s.position += static_cast<int64_t>(got);
  return got;
}

size_t HvIO::ReadShared(uint8_t* buffer, size_t count) {
  Impl& s = *impl_;
  size_t copied = 0;
  while (copied < count && s.window != nullptr) {
    const int64_t length = DataLength();
    if (s.position >= length) break;
    const size_t inWindow = static_cast<size_t>(s.position + 4 - s.viewBase);
    size_t chunk = std::min(count - copied, static_cast<size_t>(kWindowSize) - inWindow);
    chunk = std::min(chunk, static_cast<size_t>(length - s.position));
    std::memcpy(buffer + copied, s.window + inWindow, chunk);
    copied += chunk;
    if (!SeekShared(static_cast<int64_t>(chunk), kFromCurrent)) break;
  }
  return copied;
}

size_t HvIO::Write(const void* buffer, size_t count) {
  Impl& s = *impl_;
  if (!IsWritable() || buffer == nullptr || count == 0) return 0;
  if (s.mapping != nullptr) return WriteShared(static_cast<const uint8_t*>(buffer), count);
  if (s.file == nullptr) return 0;
  const size_t written = std::fwrite(buffer, 1, count, s.file);
  s.position += static_cast<int64_t>(written);
  return written;
}

size_t HvIO::WriteShared(const uint8_t* buffer, size_t count) {
  Impl& s = *impl_;
  size_t copied = 0;
  while (copied < count && s.window != nullptr) {
    const size_t inWindow = static_cast<size_t>(s.position + 4 - s.viewBase);
    const size_t chunk = std::min(count - copied, static_cast<size_t>(kWindowSize) - inWindow);
    std::memcpy(s.window + inWindow, buffer + copied, chunk);
    copied += chunk;
    const int64_t after = s.position + static_cast<int64_t>(chunk);
    if (!SeekShared(static_cast<int64_t>(chunk), kFromCurrent)) {
      s.position = after;  // the bytes landed; only the next window could not be had
      break;
    }
  }
  if (s.position > static_cast<int64_t>(DataLength())) {
    const auto length = static_cast<uint32_t>(s.position);
    std::memcpy(s.header, &length, 4);
  }
  return copied;
}

int64_t HvIO::Tell() {
  // Every read, write and seek keeps the position, so no call is needed.
  Impl& s = *impl_;
  return s.file != nullptr || s.mapping != nullptr ? s.position : 0;
}

int64_t HvIO::Size() {
  if (!IsOpen()) return 0;
  const int64_t position = impl_->mapping != nullptr ? impl_->position : Tell();
  Seek(0, kFromEnd);
  const int64_t end = impl_->mapping != nullptr ? impl_->position : Tell();
  Seek(position, kFromStart);
  return end;
}

bool HvIO::AtEnd() {
  Impl& s = *impl_;
  if (s.file != nullptr) {
    const int c = std::fgetc(s.file);
    if (c == EOF) return true;
    std::ungetc(c, s.file);
    return false;
  }
  if (s.mapping != nullptr) return s.position >= DataLength();
  return true;
}

int HvIO::SetByteOrder(uint32_t order) {
  impl_->byteOrder = order;
  return 1;
}

uint32_t HvIO::GetByteOrder() const { return impl_->byteOrder; }

size_t HvIO::ReadOrdered(void* buffer, size_t size, uint32_t order) {
  const size_t got = Read(buffer, size);
  if (order != kLittleEndian && got == size) Reverse(static_cast<uint8_t*>(buffer), size);
  return got;
}

size_t HvIO::WriteOrdered(const void* buffer, size_t size, uint32_t order) {
  if (order == kLittleEndian || size == 1) return Write(buffer, size);
  uint8_t reversed[8];
  if (size > sizeof reversed) return 0;
  std::memcpy(reversed, buffer, size);
  Reverse(reversed, size);
  return Write(reversed, size);
}

int HvIO::ReadS8(int8_t& value) { return Read(&value, 1) == 1 ? 1 : 0; }

int HvIO::ReadU8(uint8_t& value) { return Read(&value, 1) == 1 ? 1 : 0; }

int HvIO::ReadU16(uint16_t& value) { return ReadU16Array(&value, 1); }

int HvIO::ReadU32(uint32_t& value) { return ReadU32Array(&value, 1); }

int HvIO::ReadF32(float& value) {
  uint32_t bits = 0;
  const int got = ReadU32(bits);
  std::memcpy(&value, &bits, 4);
  return got;
}

namespace {

// Reads count values of `size` bytes in `order`; zero-fills after a short read.
template <typename T>
int ReadValues(HvIO& stream, T* values, int count, uint32_t order) {
  int got = 0;
  for (; got < count; ++got) {
    uint8_t bytes[sizeof(T)];
    if (stream.ReadOrdered(bytes, sizeof(T), order) != sizeof(T)) break;
    std::memcpy(&values[got], bytes, sizeof(T));  // bytes now in machine order
  }
  for (int i = got; i < count; ++i) values[i] = 0;
  return got;
}

template <typename T>
int WriteValues(HvIO& stream, const T* values, int count, uint32_t order) {
  for (int i = 0; i < count; ++i)
    if (stream.WriteOrdered(&values[i], sizeof(T), order) != sizeof(T)) return 0;
  return 1;
}

}  // namespace

int HvIO::ReadU16Array(uint16_t* values, int count) {
  return ReadValues(*this, values, count, impl_->byteOrder);
}

int HvIO::ReadU32Array(uint32_t* values, int count) {
  return ReadValues(*this, values, count, impl_->byteOrder);
}

int HvIO::ReadByteArray(uint8_t* bytes, int count) {
  int got = 0;
  while (got < count && Read(bytes + got, 1) == 1) ++got;
  if (got < count) std::memset(bytes + got, 0, static_cast<size_t>(count - got));
  return got;
}

int HvIO::WriteU8(uint8_t value) { return Write(&value, 1) == 1 ? 1 : 0; }

int HvIO::WriteU16Array(const uint16_t* values, int count) {
  return WriteValues(*this, values, count, impl_->byteOrder);
}

int HvIO::WriteU32Array(const uint32_t* values, int count) {
  return WriteValues(*this, values, count, impl_->byteOrder);
}

int HvIO::ReadZeroTerminated(char* buffer, int maximum) {
  Impl& s = *impl_;
  if (buffer == nullptr || maximum <= 0) return 0;
  buffer[maximum - 1] = '\0';
  if (s.file == nullptr) {
    buffer[0] = '\0';
    return 0;
  }
  int consumed = 0, stored = 0;
  while (stored < maximum - 1) {
    const int c = std::fgetc(s.file);
    if (c == EOF) break;
    ++consumed;
    if (c == 0) break;
    buffer[stored++] = static_cast<char>(c);
  }
  buffer[stored] = '\0';
  s.position += consumed;
  return consumed;
}

int HvIO::ReadLine(char* buffer, int maximum) {
  Impl& s = *impl_;
  if (buffer == nullptr || maximum <= 0) return 0;
  int consumed = 0, stored = 0;
  while (s.file != nullptr && stored < maximum - 1) {
    const int c = std::fgetc(s.file);
    if (c == EOF || c == 0) {
      if (c == 0) ++consumed;
      break;
    }
    ++consumed;
    buffer[stored++] = static_cast<char>(c);
    if (c == '\n' || c == '\r') break;
  }
  buffer[stored] = '\0';
  s.position += consumed;
  return consumed;
}

int HvIO::WriteText(const char* text) {
  if (impl_->file == nullptr || text == nullptr) return 0;
  const size_t length = std::strlen(text);
  return static_cast<int>(Write(text, length));
}

int HvIO::WriteString(const char* text) {
  if (impl_->file == nullptr || text == nullptr || !IsWritable()) return 0;
  const int written = std::fprintf(impl_->file, "%s", text);
  if (written < 0) return 0;
  impl_->position += written;
  return written + 1;
}
