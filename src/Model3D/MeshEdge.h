#pragma once
// An edge shared by the polygons that contain both of its endpoint
// positions (bit for bit, in either direction). The polygons are listed in
// the order they were added; two fit inline, where a longer list keeps its
// heap pointer instead (64 bytes an edge, one cache line).
#include <cstdint>

#include "Math/Vector3.h"

struct MeshPolygon;

struct MeshEdge {
  uint64_t hash = 0;  // the edge table's hash of both endpoints
  int32_t key = 0;
  float smoothness = 0.0f;
  Vector3 a;  // the corner the edge was created from
  Vector3 b;  // the next corner
  int32_t polygonCount = 0;
  int32_t capacity = 2;  // with kUnordered set once the list left polygon-index order
  union {
    MeshPolygon* inlinePolygons[2] = {nullptr, nullptr};
    MeshPolygon** heapPolygons;
  };

  MeshEdge() = default;
  MeshEdge(const MeshEdge&) = delete;
  MeshEdge& operator=(const MeshEdge&) = delete;
  ~MeshEdge();

  // Lists filled by appending polygons in index order stay sorted by index,
  // so a long list (an edge shared by thousands of polygons in a damaged
  // file) is searched by bisection instead of from the start.
  static constexpr int32_t kUnordered = 1 << 30;
  int32_t Capacity() const { return capacity & ~kUnordered; }
  bool Inline() const { return Capacity() == 2; }
  MeshPolygon** Polygons() { return Inline() ? inlinePolygons : heapPolygons; }
  MeshPolygon* const* Polygons() const { return Inline() ? inlinePolygons : heapPolygons; }
  MeshPolygon* PolygonAt(int i) const { return Polygons()[i]; }

  // Position of the polygon in the list, or -1.
  int Find(const MeshPolygon* polygon) const;
  // Appends unless present; false when memory is short.
  bool Add(MeshPolygon* polygon);
  // Removes every occurrence, keeping the order of the rest.
  void Remove(const MeshPolygon* polygon);
  // The polygon after `polygon` in the list, cyclically; null when the list
  // holds fewer than two or does not hold `polygon`.
  MeshPolygon* Successor(const MeshPolygon* polygon) const;
  bool Joins(const Vector3& p, const Vector3& q) const {
    return (a == p && b == q) || (a == q && b == p);
  }
};

// Hash of a position from its raw bits: six 16-bit words, weighted.
int32_t PositionHash(const Vector3& p);
// The bucket of the fixed 16384-entry table the format was designed with.
int32_t EdgeBucket(int32_t key);
