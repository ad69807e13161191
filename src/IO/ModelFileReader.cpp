#include "IO/ModelFileReader.h"

#include "IO/FormatRegistry.h"
#include "IO/ObjFormat.h"
#include "IO/ObvFormat.h"

namespace {

bool TryModelFormats(HvIO& stream, LoadedModel& out, std::string& error, ProgressSink* progress) {
  for (int i = 0; i < ModelFormatCount(); ++i) {
    ModelFormat* format = ModelFormatAt(i);
    if (format == nullptr) continue;
    format->Attach(&stream, 0);
    if (format->Identify() != 1) continue;
    auto model = std::make_unique<HvModel>();
    // The OBJ model format reads through its own operation, with materials.
    auto* obj = dynamic_cast<ObjModelFormat*>(format);
    const int read = obj != nullptr ? obj->Read(model.get(), nullptr, progress)
                                    : format->Load(model.get(), "", progress, nullptr);
    if (read == 1) {
      out.format = format->Name();
      out.models.push_back(std::move(model));
      return true;
    }
    const auto* obv = dynamic_cast<const ObvFormat*>(format);
    if (error.empty())
      error = obv != nullptr && obv->LastError()[0] != '\0'
                  ? obv->LastError()
                  : std::string("cannot read ") + format->Name() + " data";
    stream.Seek(0, HvIO::kFromStart);
  }
  return false;
}

bool TrySceneReaders(HvIO& stream, LoadedModel& out, std::string& error, ProgressSink* progress) {
  for (int i = 0; i < SceneReaderCount(); ++i) {
    SceneReader* reader = SceneReaderAt(i);
    if (reader == nullptr) continue;
    stream.Seek(0, HvIO::kFromStart);
    reader->Attach(&stream, 0);
    if (reader->Identify() != 1) continue;
    Scene scene;
    const int loaded = reader->Load(&scene, "", progress);
    // Readers leave their models to the caller: collect every mesh-set payload.
    for (int n = 0; n < scene.NodeCount(); ++n) {
      SceneNode* node = scene.NodeAt(n);
      if (node != nullptr && node->Kind() == SceneNode::kMeshSet && node->Payload() != nullptr)
        out.models.emplace_back(static_cast<HvModel*>(node->Payload()));
    }
    if (loaded == 1 && !out.models.empty()) {
      out.format = reader->Name();
      return true;
    }
    out.models.clear();
    error = std::string("cannot read ") + reader->Name() + " data";
    return false;
  }
  return false;
}

}  // namespace

bool ReadModelFile(const char* path, LoadedModel& out, std::string& error, ProgressSink* progress) {
  out = LoadedModel();
  HvIO stream(path, HvIO::kRead);
  if (!stream.IsOpen()) {
    error = "cannot open the file";
    return false;
  }
  error.clear();
  if (TryModelFormats(stream, out, error, progress)) return true;
  std::string firstError = error;
  if (TrySceneReaders(stream, out, error, progress)) return true;
  if (!firstError.empty()) error = firstError;
  if (error.empty()) error = "not a model file of any known format";
  return false;
}
