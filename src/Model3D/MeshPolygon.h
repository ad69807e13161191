#pragma once
// A polygon of a mesh: one heap block holding a header and its corners,
// each corner followed by the mesh's extra layer bytes.
#include <cstddef>
#include <cstdint>

#include "Math/Vector3.h"
#include "Model3D/BlockPool.h"

struct MeshEdge;

struct MeshCorner {
  MeshEdge* edge;  // edge from this corner to the next one
  Vector3 position;
  Vector3 normal;
  float u;
  float v;
};

struct MeshPolygon {
  void* material;  // carried for the caller, never dereferenced
  void* aux;
  Vector3 faceNormal;
  int32_t index;
  int32_t count;
  int32_t extra;  // extra bytes per corner

  // Null when count or extra is out of range or memory is short.
  static MeshPolygon* Allocate(int count, int extra, BlockPool& pool);
  static void Free(MeshPolygon* polygon, BlockPool& pool);

  MeshCorner& Corner(int i) { return *reinterpret_cast<MeshCorner*>(CornerBytes(i)); }
  const MeshCorner& Corner(int i) const {
    return *reinterpret_cast<const MeshCorner*>(const_cast<MeshPolygon*>(this)->CornerBytes(i));
  }
  uint8_t* Extra(int i) { return CornerBytes(i) + sizeof(MeshCorner); }
  // Corner i + step, wrapping both ways.
  int Wrap(int i) const { return ((i % count) + count) % count; }

 private:
  static size_t Stride(int extra) {
    const size_t bytes = sizeof(MeshCorner) + static_cast<size_t>(extra);
    return (bytes + alignof(MeshCorner) - 1) / alignof(MeshCorner) * alignof(MeshCorner);
  }
  static size_t BlockBytes(int count, int extra) {
    return sizeof(MeshPolygon) + static_cast<size_t>(count) * Stride(extra);
  }
  uint8_t* CornerBytes(int i) {
    return reinterpret_cast<uint8_t*>(this + 1) + static_cast<size_t>(i) * Stride(extra);
  }
};
