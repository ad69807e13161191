#pragma once
// What model formats read into and write from: an ordered list of owned
// scene nodes. A mesh-set node (kind 1) carries a model it does not own.
#include <cstdint>
#include <memory>
#include <vector>

#include "HvCore/HvObject.h"
#include "Math/Matrix4.h"

class HvModel;

class SceneNode : public HvObject {
 public:
  static constexpr uint32_t kMeshSet = 1;

  explicit SceneNode(uint32_t kind) : kind_(kind) {}

  uint32_t Kind() const { return kind_; }
  void* Payload() const { return payload_; }
  void SetPayload(void* payload) { payload_ = payload; }
  Matrix4& Transform() { return transform_; }

 private:
  uint32_t kind_;
  void* payload_ = nullptr;
  Matrix4 transform_;
};

class Scene {
 public:
  static constexpr int kGrowStep = 8;

  // Takes the node: it goes into the first empty slot (deleting nothing
  // there) or is appended. A null node is ignored. True.
  bool AddNode(std::unique_ptr<SceneNode> node);
  // Stores into a slot, deleting a node that was there.
  void SetNodeAt(int index, std::unique_ptr<SceneNode> node);
  SceneNode* NodeAt(int index) const;
  int NodeCount() const { return count_; }
  // The payload of the first mesh-set node, or null.
  HvModel* FirstModel() const;

 private:
  std::vector<std::unique_ptr<SceneNode>> nodes_;
  int count_ = 0;
};
