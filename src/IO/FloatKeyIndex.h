#pragma once
// First-match lookup of keys of N floats, keys being equal when every
// component compares equal as a floating-point value: -0.0 equals +0.0 and a
// NaN equals nothing. Answers what a walk from the first key added would
// answer, in expected constant time (open addressing, linear probing).
#include <cstdint>
#include <cstring>
#include <vector>

template <int N>
class FloatKeyIndex {
 public:
  // The value stored with the key equal to `key`, or -1.
  int32_t Find(const float* key) const {
    if (slots_.empty() || HasNaN(key)) return -1;
    for (size_t s = Hash(key) & (slots_.size() - 1);; s = (s + 1) & (slots_.size() - 1)) {
      const int32_t entry = slots_[s];
      if (entry < 0) return -1;
      if (Equal(&keys_[static_cast<size_t>(entry) * N], key)) return values_[static_cast<size_t>(entry)];
    }
  }

  // As Find; when no equal key is held, stores key with value (a key with a
  // NaN is never stored: nothing could equal it) and answers -1.
  int32_t FindOrInsert(const float* key, int32_t value) {
    if (HasNaN(key)) return -1;
    if ((values_.size() + 1) * 2 > slots_.size()) Grow();
    size_t s = Hash(key) & (slots_.size() - 1);
    for (;; s = (s + 1) & (slots_.size() - 1)) {
      const int32_t entry = slots_[s];
      if (entry < 0) break;
      if (Equal(&keys_[static_cast<size_t>(entry) * N], key)) return values_[static_cast<size_t>(entry)];
    }
    slots_[s] = static_cast<int32_t>(values_.size());
    keys_.insert(keys_.end(), key, key + N);
    values_.push_back(value);
    return -1;
  }

  void Reserve(size_t count) {
    keys_.reserve(count * N);
    values_.reserve(count);
    size_t wanted = 16;
    while (wanted < count * 2) wanted *= 2;
    if (wanted > slots_.size()) Rehash(wanted);
  }

  void Clear() {
    keys_.clear();
    values_.clear();
    slots_.clear();
  }

  size_t Count() const { return values_.size(); }

 private:
  static bool HasNaN(const float* key) {
    for (int i = 0; i < N; ++i)
      if (key[i] != key[i]) return true;
    return false;
  }
  static bool Equal(const float* a, const float* b) {
    for (int i = 0; i < N; ++i)
      if (!(a[i] == b[i])) return false;
    return true;
  }
  // Equal keys hash alike: both zeros hash as +0.0.
  static size_t Hash(const float* key) {
    uint64_t h = 0x9E3779B97F4A7C15ull;
    for (int i = 0; i < N; ++i) {
      uint32_t bits = 0;
      if (key[i] != 0.0f) std::memcpy(&bits, &key[i], sizeof bits);
      h = (h ^ bits) * 0xFF51AFD7ED558CCDull;
      h ^= h >> 29;
    }
    return static_cast<size_t>(h ^ (h >> 32));
  }
  void Grow() { Rehash(slots_.empty() ? 16 : slots_.size() * 2); }
  void Rehash(size_t size) {
    slots_.assign(size, -1);
    for (size_t e = 0; e < values_.size(); ++e) {
      size_t s = Hash(&keys_[e * N]) & (size - 1);
      while (slots_[s] >= 0) s = (s + 1) & (size - 1);
      slots_[s] = static_cast<int32_t>(e);
    }
  }

  std::vector<float> keys_;
  std::vector<int32_t> values_;
  std::vector<int32_t> slots_;  // entry index, -1 when empty
};
