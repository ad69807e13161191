#include "Model3D/EdgeTable.h"

#include <cstring>
#include <new>

namespace {

constexpr int kInitialBits = 14;  // 16384 buckets to start with

uint64_t Mix(uint64_t h) {
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  return h ^ (h >> 33);
}

// Hash of a position's bits with -0.0 taken as +0.0, so that positions that
// compare equal always hash alike.
uint64_t StrongHash(const Vector3& p) {
  uint64_t h = 0x9E3779B97F4A7C15ull;
  for (float c : {p.x, p.y, p.z}) {
    if (c == 0.0f) c = 0.0f;
    uint32_t bits;
    std::memcpy(&bits, &c, sizeof bits);
    h = Mix(h ^ bits);
  }
  return h;
}

}  // namespace

EdgeTable::EdgeTable() : buckets_(size_t{1} << kInitialBits, nullptr), shift_(32 - kInitialBits) {}

EdgeTable::~EdgeTable() { Clear(); }

size_t EdgeTable::Bucket(const Vector3& a, const Vector3& b) const {
  return static_cast<size_t>((StrongHash(a) + StrongHash(b)) >> (32 + shift_));
}

MeshEdge* EdgeTable::Find(const Vector3& a, const Vector3& b, int32_t key) const {
  for (MeshEdge* edge = buckets_[Bucket(a, b)]; edge != nullptr; edge = edge->next)
    if (edge->key == key && edge->Joins(a, b)) return edge;
  return nullptr;
}

MeshEdge* EdgeTable::Create(const Vector3& a, const Vector3& b, int32_t key) {
  if (static_cast<size_t>(count_) >= buckets_.size() && shift_ > 8) Grow();
  void* block = blocks_.Allocate(sizeof(MeshEdge));
  if (block == nullptr) return nullptr;
  auto* edge = new (block) MeshEdge();
  edge->key = key;
  edge->a = a;
  edge->b = b;
  MeshEdge*& head = buckets_[Bucket(a, b)];
  edge->next = head;
  head = edge;
  ++count_;
  return edge;
}

void EdgeTable::Delete(MeshEdge* edge) {
  for (MeshEdge** link = &buckets_[Bucket(edge->a, edge->b)]; *link != nullptr; link = &(*link)->next) {
    if (*link == edge) {
      *link = edge->next;
      edge->~MeshEdge();
      blocks_.Free(edge, sizeof(MeshEdge));
      --count_;
      return;
    }
  }
}

void EdgeTable::Clear() {
  for (MeshEdge*& head : buckets_) {
    while (head != nullptr) {
      MeshEdge* next = head->next;
      head->~MeshEdge();
      head = next;
    }
  }
  blocks_.Clear();
  count_ = 0;
}

void EdgeTable::Grow() {
  std::vector<MeshEdge*> old(buckets_.size() * 2, nullptr);
  old.swap(buckets_);
  --shift_;
  for (MeshEdge* edge : old) {
    while (edge != nullptr) {
      MeshEdge* next = edge->next;
      MeshEdge*& head = buckets_[Bucket(edge->a, edge->b)];
      edge->next = head;
      head = edge;
      edge = next;
    }
  }
}
