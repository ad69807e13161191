#pragma once
// The fuzz targets' shared steps: the input goes through a file, as the
// readers take streams, and scene readers load into a scene whose models
// are freed afterwards.
#include <cstdint>
#include <cstdio>
#include <string>

#include "HvCore/HvIO.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"
#include "Platform/Process.h"

// Writes the input to a file of this process and answers its path ("" on failure).
inline std::string WriteInput(const uint8_t* data, size_t size, const char* extension) {
  const std::string path = "/tmp/ombrix-fuzz-" + std::to_string(Platform::CurrentProcessId()) +
                           "." + extension;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return "";
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  return path;
}

// Identify, then Load into a scene; every model read is freed.
template <typename Format>
void LoadScene(const uint8_t* data, size_t size, const char* extension) {
  const std::string path = WriteInput(data, size, extension);
  if (path.empty()) return;
  HvIO stream(path.c_str(), HvIO::kRead);
  Format format;
  format.Attach(&stream, 0);
  Scene scene;
  if (format.Identify() == 1) format.Load(&scene, "", nullptr);
  for (int i = 0; i < scene.NodeCount(); ++i)
    if (SceneNode* node = scene.NodeAt(i)) delete static_cast<HvModel*>(node->Payload());
}
