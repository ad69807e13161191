// libFuzzer target: the LWO reader, fed from memory through a file.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "IO/SceneLWO.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"
#include "Platform/Process.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path =
      "/tmp/ombrix-fuzz-lwo-" + std::to_string(Platform::CurrentProcessId()) + ".lwo";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  HvIO stream(path.c_str(), HvIO::kRead);
  SceneLWO format;
  format.Attach(&stream, 0);
  Scene scene;
  if (format.Identify() == 1) format.Load(&scene, "", nullptr);
  for (int i = 0; i < scene.NodeCount(); ++i)
    if (SceneNode* node = scene.NodeAt(i)) delete static_cast<HvModel*>(node->Payload());
  return 0;
}
