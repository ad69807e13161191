#pragma once
// The mesh's table of shared edges. An edge matches a lookup when its key,
// PositionHash(A) ^ PositionHash(B), is equal and its endpoints equal the
// two positions in either order. PositionHash leaves whole families of
// positions (small integers, for one) on few keys, so buckets are chosen by
// a stronger hash of both endpoints instead, symmetric so that both
// directions meet in one chain, and the table doubles as edges are added.
// Which bucket holds an edge is invisible outside the table.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "Model3D/BlockPool.h"
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

 private:
  size_t Bucket(const Vector3& a, const Vector3& b) const;
  void Grow();

  BlockPool blocks_;
  std::vector<MeshEdge*> buckets_;
  int shift_;
  int count_ = 0;
};
