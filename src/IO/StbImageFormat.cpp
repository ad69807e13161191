#include "IO/StbImageFormat.h"

#include <climits>

#include "IMGLib/PixelFormat.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_NO_TGA  // our own reader handles TGA
#define STBI_MAX_DIMENSIONS 16384
#include <stb_image.h>

bool StbImageFormat::Decode(const uint8_t* data, size_t size, HvImage& image) const {
  if (data == nullptr || size == 0 || size > static_cast<size_t>(INT_MAX)) return false;
  int width = 0, height = 0, channels = 0;
  stbi_uc* pixels =
      stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 4);
  if (pixels == nullptr) return false;
  const bool ok = static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= kMaxImagePixels &&
                  image.SetFormat(width, height, kPixelARGB32);
  if (ok) {
    // stb gives r, g, b, a bytes; format 100 lies as b, g, r, a.
    uint8_t* out = image.Data();
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; i < count; ++i) {
      out[4 * i] = pixels[4 * i + 2];
      out[4 * i + 1] = pixels[4 * i + 1];
      out[4 * i + 2] = pixels[4 * i];
      out[4 * i + 3] = pixels[4 * i + 3];
    }
  }
  stbi_image_free(pixels);
  return ok;
}
