#include "Shader/Shader.h"

#include "IMGLib/ImageHandles.h"

Shader::Shader(const char* name) : name_(name) {
  root_ = CreateNode();
  root_->SetString("Magic", "RootNode");
  root_->SetString("BaseType", "BRDF");
}

Shader::~Shader() {
  for (auto& node : nodes_) node.reset();  // in list order
  for (uint32_t handle : imageHandles_) ReleaseImageHolder(handle);
}

uint32_t Shader::AdoptImageHolder(std::unique_ptr<ImageHolder> holder) {
  const uint32_t handle = RegisterImageHolder(std::move(holder));
  imageHandles_.push_back(handle);
  return handle;
}

ShaderNode* Shader::CreateNode() {
  nodes_.push_back(std::make_unique<ShaderNode>(this));
  return nodes_.back().get();
}

ShaderNode* Shader::NodeAt(int index) const {
  return index >= 0 && index < NodeCount() ? nodes_[static_cast<size_t>(index)].get() : nullptr;
}
