#pragma once
// A named, typed value of a shader node. The value owns a copy of its data.
#include <cstdint>
#include <vector>

#include "HvTL/ByteString.h"
#include "HvTL/HvString.h"

class ShaderNode;

// Packed 0xAARRGGBB colours: components unpack as byte / 255 and pack by
// truncating value x 255 toward zero, clamped to 0..255.
uint32_t PackColor(double r, double g, double b, double a);
void UnpackColor(uint32_t packed, double rgba[4]);

class ShaderValue {
 public:
  enum Type : uint32_t {
    kInteger = 2,
    kReal = 4,
    kColor = 5,
    kString = 6,
    kByteString = 7,
    kLink = 128,
    kLinkAlternate = 129,
    kImage = 200,
    kUnattached = 205,
  };

  // Empty: size 0, type 205, name "UnattachedValue".
  ShaderValue();
  ShaderValue(uint32_t size, const void* data, uint32_t type, const char* name);

  static ShaderValue MakeColor(double r, double g, double b, double a);
  static ShaderValue MakeColorPacked(uint32_t packed);
  static ShaderValue MakeString(const HvString& text);
  static ShaderValue MakeByteString(const ByteString& text);
  static ShaderValue MakeLink(const ShaderNode* node, const char* channel);
  static ShaderValue MakeImage(uint32_t handle);

  // Each getter gives false and a neutral result when the type differs.
  bool AsInt(uint32_t& out) const;
  bool AsReal(double& out) const;
  bool AsColor(double& r, double& g, double& b, double& a) const;
  bool AsColorPacked(uint32_t& out) const;
  bool AsString(HvString& out) const;
  bool AsByteString(ByteString& out) const;
  // Types 128 and 129; the channel name is optional.
  bool AsLink(ShaderNode*& node, HvString* channel = nullptr) const;
  bool AsImage(uint32_t& handle) const;

  const HvString& Name() const { return name_; }
  uint32_t Type() const { return type_; }
  uint32_t Size() const { return static_cast<uint32_t>(data_.size()); }
  const uint8_t* Data() const { return data_.data(); }

 private:
  bool ReadWord(uint32_t type, uint32_t& out) const;

  uint32_t type_;
  HvString name_;
  std::vector<uint8_t> data_;
};
