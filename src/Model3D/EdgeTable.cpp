#include "Model3D/EdgeTable.h"

#include "HvTL/Prefetch.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace {

// 1024 slots (8 KB) to start with: a model of many small meshes has a table
// per mesh, and growing moves slots only.
constexpr int kInitialBits = 10;

uint64_t Mix(uint64_t h) {
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  return h ^ (h >> 33);
}

// Whether `edges` fill `slots` past three quarters: the table grows first.
bool Crowded(size_t slots, size_t edges) { return slots - slots / 4 <= edges; }

bool Findable(const Vector3& p) { return !std::isnan(p.x) && !std::isnan(p.y) && !std::isnan(p.z); }

}  // namespace

// Hash of a position's bits with -0.0 taken as +0.0, so that positions that
// compare equal always hash alike.
uint64_t EdgeTable::PositionMix(const Vector3& p) {
  uint64_t h = 0x9E3779B97F4A7C15ull;
  for (float c : {p.x, p.y, p.z}) {
    if (c == 0.0f) c = 0.0f;
    uint32_t bits;
    std::memcpy(&bits, &c, sizeof bits);
    h = Mix(h ^ bits);
  }
  return h;
}

EdgeTable::EdgeTable() : slots_(size_t{1} << kInitialBits, Slot{0, 0}), bits_(kInitialBits) {}

EdgeTable::~EdgeTable() { DestroyEdges(); }

MeshEdge* EdgeTable::Find(const Vector3& a, const Vector3& b, int32_t key, uint64_t pairHash) const {
  if (!Findable(a) || !Findable(b)) return nullptr;
  const auto tag = static_cast<uint32_t>(pairHash >> 32);
  for (size_t i = Home(tag);; i = (i + 1) & Mask()) {
    const Slot slot = slots_[i];
    if (slot.id == 0) return nullptr;
    if (slot.tag != tag) continue;
    MeshEdge* edge = Edge(slot.id - 1);
    if (edge->key == key && edge->Joins(a, b)) return edge;
  }
}

void EdgeTable::Prefetch(uint64_t pairHash) const {
  PrefetchForRead(&slots_[Home(static_cast<uint32_t>(pairHash >> 32))]);
}

bool EdgeTable::TakeId(uint32_t& id) {
  if (!freeIds_.empty()) {
    id = freeIds_.back();
    freeIds_.pop_back();
    return true;
  }
  if (used_ == UINT32_MAX - 1) return false;
  if ((used_ >> kChunkBits) == chunks_.size()) {
    auto* chunk = new (std::nothrow) EdgeBytes[size_t{1} << kChunkBits];
    if (chunk == nullptr) return false;
    chunks_.emplace_back(chunk);
  }
  id = used_++;
  return true;
}

MeshEdge* EdgeTable::Create(const Vector3& a, const Vector3& b, int32_t key, uint64_t pairHash) {
  uint32_t id = 0;
  if (!TakeId(id)) return nullptr;
  auto* edge = new (Edge(id)) MeshEdge();
  edge->hash = pairHash;
  edge->key = key;
  edge->a = a;
  edge->b = b;
  ++count_;
  if (!Findable(a) || !Findable(b)) {
    unlisted_.push_back(id);
    return edge;
  }
  if (Crowded(slots_.size(), static_cast<size_t>(count_))) Grow();
  Insert({id + 1, static_cast<uint32_t>(pairHash >> 32)});
  return edge;
}

void EdgeTable::Insert(Slot slot) {
  size_t i = Home(slot.tag);
  while (slots_[i].id != 0) i = (i + 1) & Mask();
  slots_[i] = slot;
}

// Empties the slot of edge `id` and closes the gap behind it, so that every
// later slot of the run stays reachable from its home.
void EdgeTable::Unlink(uint32_t id, uint32_t tag) {
  size_t hole = Home(tag);
  while (slots_[hole].id != id + 1) {
    if (slots_[hole].id == 0) return;  // not listed
    hole = (hole + 1) & Mask();
  }
  for (size_t next = (hole + 1) & Mask(); slots_[next].id != 0; next = (next + 1) & Mask()) {
    const size_t home = Home(slots_[next].tag);
    // The entry may move into the hole when its home is not cyclically in (hole, next].
    const bool between = hole <= next ? (home > hole && home <= next) : (home > hole || home <= next);
    if (between) continue;
    slots_[hole] = slots_[next];
    hole = next;
  }
  slots_[hole] = Slot{0, 0};
}

void EdgeTable::Delete(MeshEdge* edge) {
  if (edge == nullptr) return;
  // The edge's number: its slot, or its place among the unlisted.
  uint32_t id = UINT32_MAX;
  const auto tag = static_cast<uint32_t>(edge->hash >> 32);
  for (size_t i = Home(tag); slots_[i].id != 0; i = (i + 1) & Mask()) {
    if (Edge(slots_[i].id - 1) == edge) {
      id = slots_[i].id - 1;
      Unlink(id, tag);
      break;
    }
  }
  if (id == UINT32_MAX) {
    const auto found = std::find_if(unlisted_.begin(), unlisted_.end(),
                                    [&](uint32_t n) { return Edge(n) == edge; });
    if (found == unlisted_.end()) return;
    id = *found;
    unlisted_.erase(found);
  }
  // A blank edge stays at a free number, so that every number handed out
  // holds an edge and Clear can go through them in order.
  edge->~MeshEdge();
  new (edge) MeshEdge();
  freeIds_.push_back(id);
  --count_;
}

void EdgeTable::DestroyEdges() {
  // In number order: the edges are read in the order they lie in memory.
  for (uint32_t id = 0; id < used_; ++id) Edge(id)->~MeshEdge();
}

void EdgeTable::Clear() {
  DestroyEdges();
  std::vector<Slot>(size_t{1} << kInitialBits, Slot{0, 0}).swap(slots_);
  bits_ = kInitialBits;
  unlisted_.clear();
  freeIds_.clear();
  chunks_.clear();
  used_ = 0;
  count_ = 0;
}

bool EdgeTable::Reserve(size_t count) {
  size_t size = slots_.size();
  int bits = bits_;
  while (Crowded(size, count)) {
    if (bits >= 31) return false;
    size *= 2;
    ++bits;
  }
  if (bits == bits_) return true;
  try {
    Rehash(bits);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

void EdgeTable::Grow() { Rehash(bits_ + 1); }

void EdgeTable::Rehash(int bits) {
  std::vector<Slot> old(size_t{1} << bits, Slot{0, 0});
  old.swap(slots_);
  bits_ = bits;
  for (const Slot& slot : old)
    if (slot.id != 0) Insert(slot);
}
