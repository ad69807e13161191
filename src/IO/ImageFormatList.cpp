#include "IO/ImageFormatList.h"

#include <cstring>
#include <memory>

#include "HvCore/HvIO.h"
#include "IO/StbImageFormat.h"
#include "IO/TgaImageFormat.h"

namespace {

// The image-format list, filled at start-up.
std::vector<std::unique_ptr<ImageFormat>>* g_imageFormats = nullptr;

bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
  HvIO stream(path, HvIO::kRead);
  if (!stream.IsOpen()) return false;
  const int64_t size = stream.Size();
  if (size <= 0 || static_cast<uint64_t>(size) > kMaxImageFileBytes) return false;
  bytes.resize(static_cast<size_t>(size));
  return stream.Read(bytes.data(), bytes.size()) == bytes.size();
}

}  // namespace

void RegisterImageFormats() {
  if (g_imageFormats == nullptr) g_imageFormats = new std::vector<std::unique_ptr<ImageFormat>>();
  g_imageFormats->push_back(std::make_unique<TgaImageFormat>());
  g_imageFormats->push_back(std::make_unique<StbImageFormat>());
}

void TeardownImageFormats() {
  delete g_imageFormats;
  g_imageFormats = nullptr;
}

bool LoadImageFile(const char* path, HvImage& image) {
  if (g_imageFormats == nullptr || path == nullptr) return false;
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes)) return false;
  for (const auto& format : *g_imageFormats)
    if (format->Decode(bytes.data(), bytes.size(), image)) return true;
  return false;
}

bool SaveImageByName(const HvImage& image, const char* path, const char* formatName) {
  if (g_imageFormats == nullptr || path == nullptr || formatName == nullptr) return false;
  for (const auto& format : *g_imageFormats) {
    if (!format->CanWrite() || std::strcmp(format->Name(), formatName) != 0) continue;
    std::vector<uint8_t> bytes;
    if (!format->Encode(image, bytes)) return false;
    HvIO stream(path, HvIO::kWrite);
    return stream.IsOpen() && stream.Write(bytes.data(), bytes.size()) == bytes.size() &&
           stream.Flush() == 1;
  }
  return false;
}
