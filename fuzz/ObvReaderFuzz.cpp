// libFuzzer target: the project file reader (identify, verify, load).
#include <cstdint>
#include <cstdio>
#include <string>

#include "IO/ObvFormat.h"
#include "Model3D/HvModel.h"
#include "Platform/Process.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path =
      "/tmp/ombrix-fuzz-obv-" + std::to_string(Platform::CurrentProcessId()) + ".obv";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
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
