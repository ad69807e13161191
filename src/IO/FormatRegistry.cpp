#include "IO/FormatRegistry.h"

#include <cstring>
#include <vector>

#include "IO/Hv3Format.h"
#include "IO/ImageFormatList.h"
#include "IO/ObjFormat.h"
#include "IO/ObvFormat.h"
#include "IO/Scene3DS.h"
#include "IO/SceneLWO.h"
#include "IO/SceneMDL.h"
#include "Shader/Material.h"

namespace {

// The registries, created by the first registration or check.
std::vector<std::unique_ptr<ModelFormat>>* g_modelFormats = nullptr;
std::vector<std::unique_ptr<SceneReader>>* g_sceneReaders = nullptr;

template <typename T>
std::vector<std::unique_ptr<T>>& Registry(std::vector<std::unique_ptr<T>>*& registry) {
  if (registry == nullptr) registry = new std::vector<std::unique_ptr<T>>();
  return *registry;
}

template <typename T>
int Check(std::vector<std::unique_ptr<T>>*& registry) {
  int present = 0;
  for (const auto& format : Registry(registry)) present += format != nullptr;
  (void)present;
  return 1;
}

template <typename T>
int Teardown(std::vector<std::unique_ptr<T>>*& registry) {
  delete registry;
  registry = nullptr;
  return 1;
}

}  // namespace

int RegisterModelFormat(std::unique_ptr<ModelFormat> format) {
  Registry(g_modelFormats).push_back(std::move(format));
  return 1;
}

int RegisterSceneReader(std::unique_ptr<SceneReader> reader) {
  Registry(g_sceneReaders).push_back(std::move(reader));
  return 1;
}

int CheckModelFormats() { return Check(g_modelFormats); }

int CheckSceneReaders() { return Check(g_sceneReaders); }

int SaveModelByName(HvModel* model, const HvString& locator, const char* formatName,
                    const char* options, ProgressSink* progress, void* reserved, ReadFailure* failure) {
  if (failure != nullptr) *failure = ReadFailure();
  if (g_modelFormats == nullptr || formatName == nullptr) return 0;
  for (const auto& format : *g_modelFormats) {
    if (!format || std::strcmp(format->Name(), formatName) != 0) continue;
    HvIO stream(locator.Text(), HvIO::kWrite);
    if (format->SaveTo(stream, model, options, progress, reserved) == 1) return 1;
    if (failure != nullptr) *failure = format->LastFailure();
  }
  return 0;
}

int StartupFormats() {
  RegisterModelFormat(std::make_unique<ObjModelFormat>());
  RegisterModelFormat(std::make_unique<ObvFormat>());
  CheckModelFormats();
  RegisterSceneReader(std::make_unique<Scene3DS>());
  RegisterSceneReader(std::make_unique<SceneLWO>());
  RegisterSceneReader(std::make_unique<ObjSceneFormat>());
  RegisterSceneReader(std::make_unique<SceneMDL>());
  RegisterSceneReader(std::make_unique<Hv3Format>());
  CheckSceneReaders();
  RegisterImageFormats();
  Material::SetImageLoader(&LoadImageFile);
  return 1;
}

int TeardownModelFormats() { return Teardown(g_modelFormats); }

int TeardownSceneReaders() {
  Material::SetImageLoader(nullptr);
  TeardownImageFormats();
  return Teardown(g_sceneReaders);
}

int ModelFormatCount() {
  return g_modelFormats != nullptr ? static_cast<int>(g_modelFormats->size()) : 0;
}

ModelFormat* ModelFormatAt(int index) {
  if (index < 0 || index >= ModelFormatCount()) return nullptr;
  return (*g_modelFormats)[static_cast<size_t>(index)].get();
}

int SceneReaderCount() {
  return g_sceneReaders != nullptr ? static_cast<int>(g_sceneReaders->size()) : 0;
}

SceneReader* SceneReaderAt(int index) {
  if (index < 0 || index >= SceneReaderCount()) return nullptr;
  return (*g_sceneReaders)[static_cast<size_t>(index)].get();
}
