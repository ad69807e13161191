#pragma once
// The image formats through which materials load their texture maps and the
// project writer saves channel images: TGA (written and read), and PNG,
// JPEG, BMP, GIF, PSD, HDR and PNM read through stb_image.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "IMGLib/HvImage.h"

class ImageFormat {
 public:
  virtual ~ImageFormat() = default;
  virtual const char* Name() const = 0;
  // Loads a whole file held in memory; false on bad data (the image is then
  // left empty or untouched).
  virtual bool Decode(const uint8_t* data, size_t size, HvImage& image) const = 0;
  virtual bool CanWrite() const { return false; }
  virtual bool Encode(const HvImage& image, std::vector<uint8_t>& out) const {
    (void)image, (void)out;
    return false;
  }
};

void RegisterImageFormats();
void TeardownImageFormats();

// Files larger than this are not read as images.
constexpr size_t kMaxImageFileBytes = size_t{512} << 20;
// Images with more pixels than this are refused before allocating.
constexpr uint64_t kMaxImagePixels = uint64_t{1} << 28;

// Tries every registered format on the file's bytes. False when the file
// cannot be read or no format takes it.
bool LoadImageFile(const char* path, HvImage& image);
// Saves through the format of that name ("TGA"); false when it cannot.
bool SaveImageByName(const HvImage& image, const char* path, const char* formatName);
