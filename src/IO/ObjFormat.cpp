#include "IO/ObjFormat.h"

#include <cctype>
#include <cstring>
#include <memory>

#include "IO/ModelIOUtil.h"
#include "IO/ObjReader.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"

namespace {

bool HasObjExtension(HvIO* stream) {
  if (stream == nullptr) return false;
  const HvString name = stream->Name();
  const char* dot = std::strrchr(name.Text(), '.');
  if (dot == nullptr || std::strlen(dot + 1) != 3) return false;
  const char* extension = dot + 1;
  return std::toupper(static_cast<unsigned char>(extension[0])) == 'O' &&
         std::toupper(static_cast<unsigned char>(extension[1])) == 'B' &&
         std::toupper(static_cast<unsigned char>(extension[2])) == 'J';
}

}  // namespace

int ObjModelFormat::Identify() { return HasObjExtension(Stream()) ? 1 : 0; }

int ObjModelFormat::Read(HvModel* model, void* ignored, ProgressSink* progress) {
  (void)ignored;
  ClearFailure();
  if (model == nullptr || Stream() == nullptr) return Refuse("no stream");
  ReadFailure failure;
  const int read = ReadObj(*model, *Stream(), progress, false, &failure);
  SetFailure(failure);
  return read;
}

int ObjModelFormat::Write(HvModel* model, void* ignored, ProgressSink* progress) {
  (void)ignored;
  if (model == nullptr || Stream() == nullptr) return 0;
  return WriteObj(*model, *Stream(), progress, "# Output from Halvera's OmbrixVael.\n");
}

int ObjSceneFormat::Identify() { return HasObjExtension(Stream()) ? 1 : 0; }

int ObjSceneFormat::Load(Scene* scene, const char* options, ProgressSink* progress) {
  ClearFailure();
  if (scene == nullptr || Stream() == nullptr) return Refuse("no stream");
  HvModel* target = getIntOption(options, "Clump", 0) != 0 ? scene->FirstModel() : nullptr;
  if (target == nullptr) target = new HvModel();  // the scene's caller owns mesh-set models
  auto node = std::make_unique<SceneNode>(SceneNode::kMeshSet);
  node->SetPayload(target);
  scene->AddNode(std::move(node));
  target->ClearAll();
  ReadFailure failure;
  const int read = ReadObj(*target, *Stream(), progress, true, &failure);
  SetFailure(failure);
  return read;
}

int ObjSceneFormat::Save(Scene* scene, uint32_t word, ProgressSink* progress) {
  (void)word;
  HvModel* model = scene != nullptr ? scene->FirstModel() : nullptr;
  if (model == nullptr || Stream() == nullptr) return 0;  // nothing to write
  return WriteObj(*model, *Stream(), progress, "# Output from Halvera's OBJ Saver.\n");
}
