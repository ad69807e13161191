#include "Shader/Shader.h"

Shader::Shader(const char* name) : name_(name) {
  root_ = CreateNode();
  root_->SetString("Magic", "RootNode");
  root_->SetString("BaseType", "BRDF");
}

Shader::~Shader() {
  for (auto& node : nodes_) node.reset();  // in list order
}

ShaderNode* Shader::CreateNode() {
  nodes_.push_back(std::make_unique<ShaderNode>(this));
  return nodes_.back().get();
}

ShaderNode* Shader::NodeAt(int index) const {
  return index >= 0 && index < NodeCount() ? nodes_[static_cast<size_t>(index)].get() : nullptr;
}
