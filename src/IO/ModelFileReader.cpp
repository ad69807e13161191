#include "IO/ModelFileReader.h"

#include "IO/FormatRegistry.h"
#include "IO/ObjFormat.h"

namespace {

struct Attempt {
  LoadedModel& out;
  ReadFailure failure;
  ProgressSink* progress;
  bool keepPartial;

  // Keeps the result of a format that identified the file: a sound read, or
  // with keepPartial what a failed one left. True when the search ends.
  bool Settle(const FormatObject& format, bool read) {
    if (read && !out.models.empty()) {
      out.format = format.Name();
      return true;
    }
    failure = format.LastFailure();
    if (!failure.Failed()) failure.reason = std::string("cannot read ") + format.Name() + " data";
    if (keepPartial && !out.models.empty()) {
      out.format = format.Name();
      out.partial = true;
      return true;
    }
    out.models.clear();
    return false;
  }
};

bool TryModelFormats(HvIO& stream, Attempt& attempt) {
  for (int i = 0; i < ModelFormatCount(); ++i) {
    ModelFormat* format = ModelFormatAt(i);
    if (format == nullptr) continue;
    stream.Seek(0, HvIO::kFromStart);
    format->Attach(&stream, 0);
    if (format->Identify() != 1) continue;
    auto model = std::make_unique<HvModel>();
    // The OBJ model format reads through its own operation, with materials.
    auto* obj = dynamic_cast<ObjModelFormat*>(format);
    const int read = obj != nullptr ? obj->Read(model.get(), nullptr, attempt.progress)
                                    : format->Load(model.get(), "", attempt.progress, nullptr);
    attempt.out.models.push_back(std::move(model));
    // A model format that identified the file but failed leaves its reason
    // standing; the scene readers may still read the file.
    if (attempt.Settle(*format, read == 1)) return true;
  }
  return false;
}

bool TrySceneReaders(HvIO& stream, Attempt& attempt) {
  for (int i = 0; i < SceneReaderCount(); ++i) {
    SceneReader* reader = SceneReaderAt(i);
    if (reader == nullptr) continue;
    stream.Seek(0, HvIO::kFromStart);
    reader->Attach(&stream, 0);
    if (reader->Identify() != 1) continue;
    Scene scene;
    const int loaded = reader->Load(&scene, "", attempt.progress);
    // Readers leave their models to the caller: collect every mesh-set payload.
    for (int n = 0; n < scene.NodeCount(); ++n) {
      SceneNode* node = scene.NodeAt(n);
      if (node != nullptr && node->Kind() == SceneNode::kMeshSet && node->Payload() != nullptr)
        attempt.out.models.emplace_back(static_cast<HvModel*>(node->Payload()));
    }
    attempt.Settle(*reader, loaded == 1);
    return !attempt.out.models.empty();
  }
  return false;
}

}  // namespace

bool ReadModelFile(const char* path, LoadedModel& out, std::string& error, ProgressSink* progress,
                   bool keepPartial) {
  out = LoadedModel();
  error.clear();
  const std::string file = path != nullptr ? path : "";
  HvIO stream(file.c_str(), HvIO::kRead);
  if (!stream.IsOpen()) {
    error = file + ": cannot open the file";
    return false;
  }
  Attempt attempt{out, ReadFailure(), progress, keepPartial};
  if (TryModelFormats(stream, attempt)) {
    if (out.partial) error = attempt.failure.Located(file);
    return true;
  }
  const ReadFailure first = attempt.failure;
  attempt.failure = ReadFailure();
  const bool read = TrySceneReaders(stream, attempt);
  if (read && !out.partial) return true;
  if (!attempt.failure.Failed()) attempt.failure = first;
  if (!attempt.failure.Failed()) attempt.failure.reason = "not a model file of any known format";
  error = attempt.failure.Located(file);
  return read;
}
