// libFuzzer target: the LWO reader.
#include "FuzzInput.h"
#include "IO/SceneLWO.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LoadScene<SceneLWO>(data, size, "lwo");
  return 0;
}
