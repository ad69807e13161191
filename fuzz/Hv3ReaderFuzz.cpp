// libFuzzer target: the HV3 reader.
#include "FuzzInput.h"
#include "IO/Hv3Format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LoadScene<Hv3Format>(data, size, "hv3");
  return 0;
}
