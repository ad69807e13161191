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
  // The file is damaged and the models hold what was read before the damage
  // (only when partial results were asked for).
  bool partial = false;
  HvModel* Model() const { return models.empty() ? nullptr : models.front().get(); }
};

// False when nothing could be read, with one line naming the file, where the
// damage is and why: "FILE: offset N: REASON" (binary formats), "FILE:LINE:
// REASON" (text formats) or "FILE: REASON". A damaged file is never read as a
// sound one; with keepPartial its format's partial result is answered (true,
// out.partial set, the line in `error` all the same).
bool ReadModelFile(const char* path, LoadedModel& out, std::string& error,
                   ProgressSink* progress = nullptr, bool keepPartial = false);
