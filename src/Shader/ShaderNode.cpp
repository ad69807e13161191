#include "Shader/ShaderNode.h"

#include <atomic>

#include "Diagnostics/ReportDiagnostic.h"

namespace {
std::atomic<uint32_t> g_nextNodeId{234912};
}

ShaderNode::ShaderNode(Shader* owner) : id_(g_nextNodeId++), owner_(owner) {}

ShaderNode::~ShaderNode() {
  if (owner_ == nullptr) ReportDiagnostic("ShaderNode never had a parent!\n");
}

uint32_t ShaderNode::PeekNextId() { return g_nextNodeId.load(); }

int ShaderNode::FindIndex(const char* key) const {
  for (int i = 0; i < Count(); ++i)
    if (HvString::Equals(entries_[static_cast<size_t>(i)]->key, key)) return i;
  return -1;
}

void ShaderNode::SetAt(int index, const char* key, const ShaderValue& value) {
  auto entry = std::make_unique<Entry>(Entry{HvString(key), value});
  if (index < 0 || index >= Count())
    entries_.push_back(std::move(entry));
  else
    entries_[static_cast<size_t>(index)] = std::move(entry);
}

void ShaderNode::SetColor(const char* key, double r, double g, double b, double a) {
  Set(key, ShaderValue::MakeColor(r, g, b, a));
}

void ShaderNode::SetColorPacked(const char* key, uint32_t packed) {
  Set(key, ShaderValue::MakeColorPacked(packed));
}

void ShaderNode::SetString(const char* key, const char* text) {
  Set(key, ShaderValue::MakeString(HvString(text)));
}

void ShaderNode::SetByteString(const char* key, const char* text) {
  Set(key, ShaderValue::MakeByteString(ByteString(text)));
}

void ShaderNode::SetImage(const char* key, uint32_t handle) {
  Set(key, ShaderValue::MakeImage(handle));
}

void ShaderNode::SetLink(const char* key, const ShaderNode* node, const char* channel) {
  Set(key, ShaderValue::MakeLink(node, channel));
}

bool ShaderNode::KeyAt(int index, HvString& out) const {
  if (index < 0 || index >= Count()) {
    out.Assign("");
    return false;
  }
  out = entries_[static_cast<size_t>(index)]->key;
  return true;
}

const ShaderValue* ShaderNode::ValueAt(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return &entries_[static_cast<size_t>(index)]->value;
}

bool ShaderNode::GetString(const char* key, HvString& out) const {
  const ShaderValue* value = Value(key);
  if (value == nullptr) {
    out.Assign("");
    return false;
  }
  return value->AsString(out);
}
