// libFuzzer target: the OBJ reader (model and scene variants); the first
// byte chooses the variant.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "IO/ObjFormat.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"
#include "Platform/Process.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const std::string path =
      "/tmp/ombrix-fuzz-obj-" + std::to_string(Platform::CurrentProcessId()) + ".obj";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data + 1, 1, size - 1, file);
  std::fclose(file);
  HvIO stream(path.c_str(), HvIO::kRead);
  if ((data[0] & 1) == 0) {
    ObjModelFormat format;
    format.Attach(&stream, 0);
    HvModel model;
    format.Read(&model, nullptr, nullptr);
  } else {
    ObjSceneFormat format;
    format.Attach(&stream, 0);
    Scene scene;
    format.Load(&scene, "", nullptr);
    std::unique_ptr<HvModel> model(scene.FirstModel());
  }
  return 0;
}
