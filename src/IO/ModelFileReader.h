#pragma once
// Reads a model file of any registered format: the model formats that can
// load are asked first, then the scene readers, each after its identify.
#include <memory>
#include <string>
#include <vector>

#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"

class ProgressSink;

struct LoadedModel {
  std::string format;                           // the format's registered name
  std::vector<std::unique_ptr<HvModel>> models;  // owned; the first is the model read
  HvModel* Model() const { return models.empty() ? nullptr : models.front().get(); }
};

// False with a reason ("cannot open", "unknown format", or the format's own)
// when nothing could be read.
bool ReadModelFile(const char* path, LoadedModel& out, std::string& error,
                   ProgressSink* progress = nullptr);
