#pragma once
// A node of a shader graph: an ordered dictionary of named values. Ids come
// from a process-wide counter starting at 234912.
#include <cstdint>
#include <memory>
#include <vector>

#include "HvTL/HvString.h"
#include "Shader/ShaderValue.h"

class Shader;

class ShaderNode {
 public:
  explicit ShaderNode(Shader* owner = nullptr);
  // A node destroyed without an owner reports it and goes all the same.
  ~ShaderNode();
  ShaderNode(const ShaderNode&) = delete;
  ShaderNode& operator=(const ShaderNode&) = delete;

  uint32_t Id() const { return id_; }
  int Count() const { return static_cast<int>(entries_.size()); }
  Shader* Owner() const { return owner_; }

  int FindIndex(const char* key) const;
  // index < 0 or > Count appends; the entry at index is replaced by copies.
  void SetAt(int index, const char* key, const ShaderValue& value);
  void Set(const char* key, const ShaderValue& value) { SetAt(FindIndex(key), key, value); }
  void SetColor(const char* key, double r, double g, double b, double a);
  void SetColorPacked(const char* key, uint32_t packed);
  void SetString(const char* key, const char* text);
  void SetByteString(const char* key, const char* text);
  void SetImage(const char* key, uint32_t handle);
  void SetLink(const char* key, const ShaderNode* node, const char* channel);

  bool KeyAt(int index, HvString& out) const;
  const ShaderValue* ValueAt(int index) const;
  const ShaderValue* Value(const char* key) const { return ValueAt(FindIndex(key)); }
  // Empty (false) when missing or not a string.
  bool GetString(const char* key, HvString& out) const;

  // The next id the counter will hand out (for tests and dumps).
  static uint32_t PeekNextId();

 private:
  struct Entry {
    HvString key;
    ShaderValue value;
  };
  uint32_t id_;
  std::vector<std::unique_ptr<Entry>> entries_;
  Shader* owner_;
};
