#pragma once
// The mesh's table of shared edges. An edge matches a lookup when its key,
// PositionHash(A) ^ PositionHash(B), is equal and its endpoints equal the
// two positions in either order. PositionHash leaves whole families of
// positions (small integers, for one) on few keys, so slots are chosen by
// a stronger hash of both endpoints instead (PairHash, symmetric so that
// both directions meet), in an open-addressed array of 8-byte slots that
// hold an edge's number and 32 bits of that hash: a lookup reads one or
// two cache lines of slots and touches only the edges whose hash bits
// agree, and growing the table moves slots without touching any edge.
// Edges live in chunks of their own (from the heap), numbered. An edge with a NaN
// coordinate can match nothing, so it is kept out of the slots (a damaged
// file full of them would otherwise pile up in one run of slots).
// Which slot holds an edge is invisible outside the table.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "Model3D/MeshEdge.h"

class EdgeTable {
 public:
  EdgeTable();
  ~EdgeTable();
  EdgeTable(const EdgeTable&) = delete;
  EdgeTable& operator=(const EdgeTable&) = delete;

  // The hash of one position; an edge's PairHash is the sum of its two.
  static uint64_t PositionMix(const Vector3& p);
  static uint64_t PairHash(const Vector3& a, const Vector3& b) {
    return PositionMix(a) + PositionMix(b);
  }

  MeshEdge* Find(const Vector3& a, const Vector3& b, int32_t key) const {
    return Find(a, b, key, PairHash(a, b));
  }
  MeshEdge* Find(const Vector3& a, const Vector3& b, int32_t key, uint64_t pairHash) const;
  // A new edge from a to b with smoothness 0.0; null when memory is short.
  MeshEdge* Create(const Vector3& a, const Vector3& b, int32_t key) {
    return Create(a, b, key, PairHash(a, b));
  }
  MeshEdge* Create(const Vector3& a, const Vector3& b, int32_t key, uint64_t pairHash);
  // Asks the processor for the slots a lookup of that hash starts at.
  void Prefetch(uint64_t pairHash) const;
  // Unlinks and deletes an edge.
  void Delete(MeshEdge* edge);
  // Deletes every edge.
  void Clear();
  // Sizes the slots for `count` edges at once (no effect on any lookup;
  // saves moving the slots while the table grows step by step). False when
  // memory is short; the table stays as it was.
  bool Reserve(size_t count);

  int Count() const { return count_; }

 private:
  struct Slot {
    uint32_t id;   // edge number + 1; 0 for an empty slot
    uint32_t tag;  // the top 32 bits of the edge's pair hash
  };
  // 512 edges a chunk: 32 KiB, under the size at which the C heap maps a
  // block of its own, so that a model of many small meshes neither maps nor
  // unmaps memory for each mesh's edges (each unmapping costs every core a
  // flush of its address translations).
  static constexpr int kChunkBits = 9;
  struct alignas(64) EdgeBytes {  // one cache line an edge
    unsigned char bytes[sizeof(MeshEdge)];
  };

  size_t Home(uint32_t tag) const { return tag >> (32 - bits_); }
  size_t Mask() const { return slots_.size() - 1; }
  MeshEdge* Edge(uint32_t id) const {
    return reinterpret_cast<MeshEdge*>(&chunks_[id >> kChunkBits][id & ((1u << kChunkBits) - 1)]);
  }
  void Insert(Slot slot);
  void Unlink(uint32_t id, uint32_t tag);
  // A free edge number, with storage; false when memory is short.
  bool TakeId(uint32_t& id);
  void Grow();
  // Moves every slot into a table of 2^bits slots (at least as many).
  void Rehash(int bits);
  void DestroyEdges();

  std::vector<Slot> slots_;
  int bits_;
  std::vector<std::unique_ptr<EdgeBytes[]>> chunks_;
  uint32_t used_ = 0;               // numbers handed out so far
  std::vector<uint32_t> freeIds_;   // deleted numbers, for reuse
  std::vector<uint32_t> unlisted_;  // edges kept out of the slots
  int count_ = 0;
};
