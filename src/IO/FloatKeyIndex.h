#pragma once
// First-match lookup of keys of N floats, keys being equal when every
// component compares equal as a floating-point value: -0.0 equals +0.0 and a
// NaN equals nothing. Answers what a walk from the first key added would
// answer, in expected constant time (open addressing, linear probing).
// A slot keeps the high half of its key's hash beside the entry number, so a
// probe that meets another key seldom reads that key; an entry keeps its key
// and value together. Hash() and Prefetch() let a caller ask ahead.
#include <cstdint>
#include <cstring>
#include <vector>

#include "HvTL/Prefetch.h"

template <int N>
class FloatKeyIndex {
 public:
  // Equal keys hash alike: both zeros hash as +0.0.
  static uint64_t Hash(const float* key) {
    uint64_t h = 0x9E3779B97F4A7C15ull;
    for (int i = 0; i < N; ++i) {
      uint32_t bits = 0;
      if (key[i] != 0.0f) std::memcpy(&bits, &key[i], sizeof bits);
      h = (h ^ bits) * 0xFF51AFD7ED558CCDull;
      h ^= h >> 29;
    }
    return h ^ (h >> 32);
  }

  // Brings the first slot a key of this hash probes towards the cache.
  void Prefetch(uint64_t hash) const {
    if (!slots_.empty()) PrefetchForRead(&slots_[Home(hash, slots_.size())]);
  }

  // The value stored with the key equal to `key`, or -1.
  int32_t Find(const float* key) const { return Find(key, Hash(key)); }
  int32_t Find(const float* key, uint64_t hash) const {
    if (slots_.empty() || HasNaN(key)) return -1;
    return Probe(key, hash).value;
  }

  // As Find; when no equal key is held, stores key with value (a key with a
  // NaN is never stored: nothing could equal it) and answers -1.
  int32_t FindOrInsert(const float* key, int32_t value) { return FindOrInsert(key, value, Hash(key)); }
  int32_t FindOrInsert(const float* key, int32_t value, uint64_t hash) {
    if (HasNaN(key)) return -1;
    if ((entries_.size() + 1) * 2 > slots_.size()) Grow();
    const Found found = Probe(key, hash);
    if (found.value >= 0) return found.value;
    slots_[found.slot] = {Tag(hash), static_cast<int32_t>(entries_.size())};
    Entry entry;
    std::memcpy(entry.key, key, sizeof entry.key);
    entry.value = value;
    entries_.push_back(entry);
    return -1;
  }

  void Reserve(size_t count) {
    entries_.reserve(count);
    size_t wanted = 16;
    while (wanted < count * 2) wanted *= 2;
    if (wanted > slots_.size()) Rehash(wanted);
  }

  void Clear() {
    entries_.clear();
    slots_.clear();
  }

  size_t Count() const { return entries_.size(); }

 private:
  struct Slot {
    uint32_t tag;
    int32_t entry;  // -1 when empty
  };
  struct Entry {
    float key[N];
    int32_t value;
  };
  // The value of the equal key (or -1) and the slot where the probe stopped.
  struct Found {
    int32_t value;
    size_t slot;
  };

  static size_t Home(uint64_t hash, size_t size) { return static_cast<size_t>(hash) & (size - 1); }
  static uint32_t Tag(uint64_t hash) { return static_cast<uint32_t>(hash >> 32); }
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
  Found Probe(const float* key, uint64_t hash) const {
    const size_t mask = slots_.size() - 1;
    const uint32_t tag = Tag(hash);
    for (size_t s = Home(hash, slots_.size());; s = (s + 1) & mask) {
      const Slot& slot = slots_[s];
      if (slot.entry < 0) return {-1, s};
      if (slot.tag != tag) continue;
      const Entry& entry = entries_[static_cast<size_t>(slot.entry)];
      if (Equal(entry.key, key)) return {entry.value, s};
    }
  }
  void Grow() { Rehash(slots_.empty() ? 16 : slots_.size() * 2); }
  void Rehash(size_t size) {
    slots_.assign(size, Slot{0, -1});
    for (size_t e = 0; e < entries_.size(); ++e) {
      const uint64_t hash = Hash(entries_[e].key);
      size_t s = Home(hash, size);
      while (slots_[s].entry >= 0) s = (s + 1) & (size - 1);
      slots_[s] = {Tag(hash), static_cast<int32_t>(e)};
    }
  }

  std::vector<Entry> entries_;  // in the order added
  std::vector<Slot> slots_;
};
