#pragma once
// The mesh's table of shared edges, keyed by PositionHash(A) ^ PositionHash(B)
// so that both directions meet in one chain. The table doubles as edges are
// added, keeping chains short for meshes of millions of edges; nothing
// outside can see its bucket count.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "Model3D/MeshEdge.h"

class EdgeTable {
 public:
  EdgeTable();
  ~EdgeTable();
  EdgeTable(const EdgeTable&) = delete;
  EdgeTable& operator=(const EdgeTable&) = delete;

  MeshEdge* Find(const Vector3& a, const Vector3& b, int32_t key) const;
  // A new edge from a to b with smoothness 0.0, linked at the head of its chain.
  MeshEdge* Create(const Vector3& a, const Vector3& b, int32_t key);
  // Unlinks and deletes an edge.
  void Delete(MeshEdge* edge);
  // Deletes every edge.
  void Clear();

  int Count() const { return count_; }
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (MeshEdge* head : buckets_)
      for (MeshEdge* edge = head; edge != nullptr; edge = edge->next) visit(*edge);
  }

 private:
  size_t Bucket(int32_t key) const;
  void Grow();

  std::vector<MeshEdge*> buckets_;
  int shift_;
  int count_ = 0;
};
