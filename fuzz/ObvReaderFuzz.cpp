// libFuzzer target: the project file reader (identify, verify, load).
#include "FuzzInput.h"
#include "IO/ObvFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = WriteInput(data, size, "obv");
  if (path.empty()) return 0;
  HvIO stream(path.c_str(), HvIO::kRead);
  ObvFormat format;
  format.Attach(&stream, 0);
  if (format.Identify() == 1) {
    HvModel model;
    format.Load(&model, "", nullptr, nullptr);
    stream.SetByteOrder(HvIO::kLittleEndian);
    format.Verify();
  }
  return 0;
}
