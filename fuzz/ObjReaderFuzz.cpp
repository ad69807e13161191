// libFuzzer target: the OBJ reader (model and scene variants); the first
// byte chooses the variant.
#include <memory>

#include "FuzzInput.h"
#include "IO/ObjFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  if ((data[0] & 1) != 0) {
    LoadScene<ObjSceneFormat>(data + 1, size - 1, "obj");
    return 0;
  }
  const std::string path = WriteInput(data + 1, size - 1, "obj");
  if (path.empty()) return 0;
  HvIO stream(path.c_str(), HvIO::kRead);
  ObjModelFormat format;
  format.Attach(&stream, 0);
  HvModel model;
  format.Read(&model, nullptr, nullptr);
  return 0;
}
