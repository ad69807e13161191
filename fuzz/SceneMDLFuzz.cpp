// libFuzzer target: the MDL reader.
#include "FuzzInput.h"
#include "IO/SceneMDL.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LoadScene<SceneMDL>(data, size, "mdl");
  return 0;
}
