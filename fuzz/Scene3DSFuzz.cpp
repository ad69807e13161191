// libFuzzer target: the 3DS reader.
#include "FuzzInput.h"
#include "IO/Scene3DS.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LoadScene<Scene3DS>(data, size, "3ds");
  return 0;
}
