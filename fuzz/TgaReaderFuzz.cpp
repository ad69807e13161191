// libFuzzer target: the TGA reader.
#include <cstdint>

#include "IO/TgaImageFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  HvImage image;
  TgaImageFormat().Decode(data, size, image);
  return 0;
}
