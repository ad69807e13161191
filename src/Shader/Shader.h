#pragma once
// A shader graph: an ordered list of nodes it owns, the first of which is
// the root describing the surface ("Magic" = "RootNode", "BaseType" = "BRDF").
#include <cstdint>
#include <memory>
#include <vector>

#include "HvCore/HvObject.h"
#include "HvCore/MutexHolder.h"
#include "HvTL/HvString.h"
#include "IMGLib/ImageHolder.h"
#include "Shader/ShaderNode.h"

class Shader : public HvObject {
 public:
  explicit Shader(const char* name = "Unnamed");
  ~Shader() override;

  ShaderNode* Root() const { return root_; }
  // A new node owned by this shader, appended to the list.
  ShaderNode* CreateNode();
  int NodeCount() const { return static_cast<int>(nodes_.size()); }
  ShaderNode* NodeAt(int index) const;
  // Registers the holder for the life of this shader and answers its
  // handle, for an image value of one of the shader's nodes.
  uint32_t AdoptImageHolder(std::unique_ptr<ImageHolder> holder);

  const HvString& Name() const { return name_; }
  void SetName(const char* name) { name_.Assign(name); }

 private:
  HvString name_;
  ShaderNode* root_ = nullptr;
  std::vector<std::unique_ptr<ShaderNode>> nodes_;
  std::vector<uint32_t> imageHandles_;  // released with the shader
  MutexHolder lock_;  // "AnotherReadWriteMutex": created with the shader, never taken
};
