#include "Model3D/EdgeTable.h"

namespace {
constexpr int kInitialBits = 14;  // 16384 buckets, as the format began with
}

EdgeTable::EdgeTable() : buckets_(size_t{1} << kInitialBits, nullptr), shift_(32 - kInitialBits) {}

EdgeTable::~EdgeTable() { Clear(); }

size_t EdgeTable::Bucket(int32_t key) const {
  return (static_cast<uint32_t>(key) * 0x9E3779B1u) >> shift_;
}

MeshEdge* EdgeTable::Find(const Vector3& a, const Vector3& b, int32_t key) const {
  for (MeshEdge* edge = buckets_[Bucket(key)]; edge != nullptr; edge = edge->next)
    if (edge->key == key && edge->Joins(a, b)) return edge;
  return nullptr;
}

MeshEdge* EdgeTable::Create(const Vector3& a, const Vector3& b, int32_t key) {
  if (static_cast<size_t>(count_) >= buckets_.size() && shift_ > 8) Grow();
  auto* edge = new MeshEdge();
  edge->key = key;
  edge->a = a;
  edge->b = b;
  MeshEdge*& head = buckets_[Bucket(key)];
  edge->next = head;
  head = edge;
  ++count_;
  return edge;
}

void EdgeTable::Delete(MeshEdge* edge) {
  for (MeshEdge** link = &buckets_[Bucket(edge->key)]; *link != nullptr; link = &(*link)->next) {
    if (*link == edge) {
      *link = edge->next;
      delete edge;
      --count_;
      return;
    }
  }
}

void EdgeTable::Clear() {
  for (MeshEdge*& head : buckets_) {
    while (head != nullptr) {
      MeshEdge* next = head->next;
      delete head;
      head = next;
    }
  }
  count_ = 0;
}

void EdgeTable::Grow() {
  std::vector<MeshEdge*> old(buckets_.size() * 2, nullptr);
  old.swap(buckets_);
  --shift_;
  for (MeshEdge* edge : old) {
    while (edge != nullptr) {
      MeshEdge* next = edge->next;
      MeshEdge*& head = buckets_[Bucket(edge->key)];
      edge->next = head;
      head = edge;
      edge = next;
    }
  }
}
