#include "IO/PositionIndex.h"

#include "HvTL/Prefetch.h"

#include <cstring>

namespace {

constexpr uint32_t kEmpty = UINT32_MAX;

uint64_t HashBits(const uint32_t bits[3]) {
  uint64_t h = 0x9E3779B97F4A7C15ull;
  for (int i = 0; i < 3; ++i) {
    h ^= bits[i];
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 32;
  }
  return h;
}

}  // namespace

void PositionIndex::Clear() {
  recent_.clear();
  slots_.clear();
  positions_.clear();
}

void PositionIndex::Reserve(size_t count) {
  size_t size = slots_.empty() ? 1024 : slots_.size();
  while (size < 2 * (count + 1)) size *= 2;
  if (size > slots_.size()) Grow(size);
  positions_.reserve(count);
}

void PositionIndex::Grow() { Grow(slots_.empty() ? 1024 : slots_.size() * 2); }

void PositionIndex::Grow(size_t size) {
  std::vector<Slot> old(size, Slot{{0, 0, 0}, kEmpty});
  old.swap(slots_);
  const size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.index == kEmpty) continue;
    size_t at = HashBits(slot.bits) & mask;
    while (slots_[at].index != kEmpty) at = (at + 1) & mask;
    slots_[at] = slot;
  }
}

inline uint64_t PositionIndex::Key(const Vector3& p, uint32_t bits[3]) {
  std::memcpy(&bits[0], &p.x, 4);
  std::memcpy(&bits[1], &p.y, 4);
  std::memcpy(&bits[2], &p.z, 4);
  return HashBits(bits);
}

inline bool PositionIndex::Recent(uint64_t hash, const uint32_t bits[3], uint32_t& index) const {
  if (recent_.empty()) return false;
  const Slot& cached = recent_[(hash >> 40) & (kRecentSlots - 1)];
  if (cached.index == kEmpty || std::memcmp(cached.bits, bits, sizeof cached.bits) != 0) return false;
  index = cached.index;
  return true;
}

void PositionIndex::Prefetch(const Vector3& p) const {
  uint32_t bits[3];
  const uint64_t hash = Key(p, bits);
  uint32_t index = 0;
  if (slots_.empty() || Recent(hash, bits, index)) return;
  PrefetchForRead(&slots_[hash & (slots_.size() - 1)]);
}

uint32_t PositionIndex::IndexOf(const Vector3& p) {
  if ((positions_.size() + 1) * 2 > slots_.size()) Grow();
  uint32_t bits[3];
  const uint64_t hash = Key(p, bits);
  if (recent_.empty()) recent_.assign(kRecentSlots, Slot{{0, 0, 0}, kEmpty});
  uint32_t index = 0;
  if (Recent(hash, bits, index)) return index;
  Slot& cached = recent_[(hash >> 40) & (kRecentSlots - 1)];
  const size_t mask = slots_.size() - 1;
  size_t at = hash & mask;
  while (slots_[at].index != kEmpty) {
    if (std::memcmp(slots_[at].bits, bits, sizeof bits) == 0) {
      cached = slots_[at];
      return slots_[at].index;
    }
    at = (at + 1) & mask;
  }
  index = static_cast<uint32_t>(positions_.size());
  slots_[at] = Slot{{bits[0], bits[1], bits[2]}, index};
  cached = slots_[at];
  positions_.push_back(p);
  return index;
}
