#include "IO/SceneReaderSupport.h"

#include <cstring>
#include <memory>

#include "IO/ModelIOUtil.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"

bool StartsWith(HvIO* stream, int64_t start, const char* magic, size_t count) {
  if (stream == nullptr || !stream->IsOpen() || count > 32) return false;
  const int64_t position = stream->Tell();
  char bytes[32] = {};
  stream->Seek(start, HvIO::kFromStart);
  stream->Read(bytes, sizeof bytes);
  stream->Seek(position, HvIO::kFromStart);
  return std::memcmp(bytes, magic, count) == 0;
}

HvModel* AddTargetModel(Scene& scene, const char* options) {
  HvModel* target = getIntOption(options, "Clump", 0) != 0 ? scene.FirstModel() : nullptr;
  if (target == nullptr) target = new HvModel();
  auto node = std::make_unique<SceneNode>(SceneNode::kMeshSet);
  node->SetPayload(target);
  scene.AddNode(std::move(node));
  return target;
}
