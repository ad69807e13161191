#pragma once
// Indices of distinct positions in order of first appearance, positions
// being equal when all their bits are (so -0.0 and +0.0 differ, and a NaN
// matches the same NaN). Open addressing: a lookup touches one probe run;
// a small direct-mapped cache of recent positions in front of it catches
// the corners that neighbouring polygons share without touching the table.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "Math/Vector3.h"

class PositionIndex {
 public:
  // The index of p, giving it the next one when it is new.
  uint32_t IndexOf(const Vector3& p);
  // Asks for the table slot that IndexOf(p) will look at first, unless the
  // recent positions hold p; so the cache miss of a lookup made a little
  // later overlaps other work. No effect on any index.
  void Prefetch(const Vector3& p) const;
  uint32_t Count() const { return static_cast<uint32_t>(positions_.size()); }
  const std::vector<Vector3>& Positions() const { return positions_; }
  void Clear();
  // Sizes the table for `count` distinct positions at once (no effect on
  // the indices; saves the rehashing of growing step by step).
  void Reserve(size_t count);

 private:
  struct Slot {
    uint32_t bits[3];
    uint32_t index;  // UINT32_MAX when empty
  };
  void Grow();
  void Grow(size_t size);
  // The position's bits and their hash.
  static uint64_t Key(const Vector3& p, uint32_t bits[3]);
  bool Recent(uint64_t hash, const uint32_t bits[3], uint32_t& index) const;

  static constexpr size_t kRecentSlots = 4096;
  std::vector<Slot> recent_;
  std::vector<Slot> slots_;
  std::vector<Vector3> positions_;
};
