#include "Model3D/Scene.h"

#include "Model3D/HvModel.h"

bool Scene::AddNode(std::unique_ptr<SceneNode> node) {
  if (!node) return true;
  for (auto& slot : nodes_) {
    if (!slot) {
      slot = std::move(node);
      ++count_;
      return true;
    }
  }
  if (nodes_.size() == nodes_.capacity()) nodes_.reserve(nodes_.capacity() + kGrowStep);
  nodes_.push_back(std::move(node));
  ++count_;
  return true;
}

void Scene::SetNodeAt(int index, std::unique_ptr<SceneNode> node) {
  if (index < 0) return;
  if (static_cast<size_t>(index) >= nodes_.size()) nodes_.resize(static_cast<size_t>(index) + 1);
  auto& slot = nodes_[static_cast<size_t>(index)];
  if (!slot && node) ++count_;
  if (slot && !node) --count_;
  slot = std::move(node);
}

SceneNode* Scene::NodeAt(int index) const {
  return index >= 0 && static_cast<size_t>(index) < nodes_.size()
             ? nodes_[static_cast<size_t>(index)].get()
             : nullptr;
}

HvModel* Scene::FirstModel() const {
  for (const auto& node : nodes_)
    if (node && node->Kind() == SceneNode::kMeshSet) return static_cast<HvModel*>(node->Payload());
  return nullptr;
}
