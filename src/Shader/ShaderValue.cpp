#include "Shader/ShaderValue.h"

#include <cmath>
#include <cstring>

namespace {

uint32_t PackComponent(double value) {
  const double scaled = std::trunc(value * 255.0);
  if (!(scaled > 0.0)) return 0;
  return scaled >= 255.0 ? 255u : static_cast<uint32_t>(scaled);
}

// Reads the text stored after `offset` bytes, within the data.
const char* TextAt(const std::vector<uint8_t>& data, size_t offset) {
  if (data.size() <= offset || data.back() != 0) return "";
  return reinterpret_cast<const char*>(data.data() + offset);
}

}  // namespace

uint32_t PackColor(double r, double g, double b, double a) {
  return PackComponent(a) << 24 | PackComponent(r) << 16 | PackComponent(g) << 8 |
         PackComponent(b);
}

void UnpackColor(uint32_t packed, double rgba[4]) {
  rgba[0] = 0.00392156862745098 * ((packed >> 16) & 0xFF);
  rgba[1] = 0.00392156862745098 * ((packed >> 8) & 0xFF);
  rgba[2] = 0.00392156862745098 * (packed & 0xFF);
  rgba[3] = 0.00392156862745098 * (packed >> 24);
}

ShaderValue::ShaderValue() : type_(kUnattached), name_("UnattachedValue") {}

ShaderValue::ShaderValue(uint32_t size, const void* data, uint32_t type, const char* name)
    : type_(type), name_(name) {
  if (size > 0 && data != nullptr) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    data_.assign(bytes, bytes + size);
  } else {
    data_.assign(size, 0);
  }
}

ShaderValue ShaderValue::MakeColor(double r, double g, double b, double a) {
  const float rgba[4] = {static_cast<float>(r), static_cast<float>(g), static_cast<float>(b),
                         static_cast<float>(a)};
  return ShaderValue(sizeof rgba, rgba, kColor, "InvalidName");
}

ShaderValue ShaderValue::MakeColorPacked(uint32_t packed) {
  double rgba[4];
  UnpackColor(packed, rgba);
  return MakeColor(rgba[0], rgba[1], rgba[2], rgba[3]);
}

ShaderValue ShaderValue::MakeString(const HvString& text) {
  return ShaderValue(text.Length() + 1, text.Text(), kString, "InvalidName");
}

ShaderValue ShaderValue::MakeByteString(const ByteString& text) {
  return ShaderValue(static_cast<uint32_t>(text.Length()) + 1, text.Text(), kByteString,
                     "InvalidName");
}

ShaderValue ShaderValue::MakeLink(const ShaderNode* node, const char* channel) {
  const char* name = channel != nullptr ? channel : "";
  const size_t length = std::strlen(name);
  std::vector<uint8_t> data(sizeof node + length + 1);
  std::memcpy(data.data(), &node, sizeof node);
  std::memcpy(data.data() + sizeof node, name, length + 1);
  return ShaderValue(static_cast<uint32_t>(data.size()), data.data(), kLink, "InvalidName");
}

ShaderValue ShaderValue::MakeImage(uint32_t handle) {
  return ShaderValue(sizeof handle, &handle, kImage, "ShaderImage");
}

bool ShaderValue::ReadWord(uint32_t type, uint32_t& out) const {
  out = 0;
  if (type_ != type || data_.size() < 4) return false;
  std::memcpy(&out, data_.data(), 4);
  return true;
}

bool ShaderValue::AsInt(uint32_t& out) const { return ReadWord(kInteger, out); }

bool ShaderValue::AsReal(double& out) const {
  out = 0.0;
  if (type_ != kReal || data_.size() < 8) return false;
  std::memcpy(&out, data_.data(), 8);
  return true;
}

bool ShaderValue::AsColor(double& r, double& g, double& b, double& a) const {
  r = g = b = a = 0.0;
  if (type_ != kColor || data_.size() < 16) return false;
  float rgba[4];
  std::memcpy(rgba, data_.data(), sizeof rgba);
  r = rgba[0];
  g = rgba[1];
  b = rgba[2];
  a = rgba[3];
  return true;
}

bool ShaderValue::AsColorPacked(uint32_t& out) const {
  double r, g, b, a;
  const bool ok = AsColor(r, g, b, a);
  out = ok ? PackColor(r, g, b, a) : 0;
  return ok;
}

bool ShaderValue::AsString(HvString& out) const {
  out.Assign("");
  if (type_ != kString) return false;
  out.Assign(TextAt(data_, 0));
  return true;
}

bool ShaderValue::AsByteString(ByteString& out) const {
  out.AssignText("");
  if (type_ != kByteString) return false;
  out.AssignText(TextAt(data_, 0));
  return true;
}

bool ShaderValue::AsLink(ShaderNode*& node, HvString* channel) const {
  node = nullptr;
  if (channel != nullptr) channel->Assign("");
  if ((type_ != kLink && type_ != kLinkAlternate) || data_.size() < sizeof node) return false;
  std::memcpy(&node, data_.data(), sizeof node);
  if (channel != nullptr) channel->Assign(TextAt(data_, sizeof node));
  return true;
}

bool ShaderValue::AsImage(uint32_t& handle) const { return ReadWord(kImage, handle); }
