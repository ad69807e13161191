#include "Model3D/MeshPolygon.h"

#include <cstdlib>
#include <new>

#include "Model3D/PolygonCorners.h"
#include "Model3D/VertexLayerList.h"

size_t MeshPolygon::Stride(int extra) {
  const size_t bytes = sizeof(MeshCorner) + static_cast<size_t>(extra);
  return (bytes + alignof(MeshCorner) - 1) / alignof(MeshCorner) * alignof(MeshCorner);
}

MeshPolygon* MeshPolygon::Allocate(int count, int extra) {
  if (count < 1 || count > PolygonCorners::kMaxCorners || extra < 0 ||
      extra > VertexLayerList::kMaxTotalSize)
    return nullptr;
  void* block = std::malloc(sizeof(MeshPolygon) + static_cast<size_t>(count) * Stride(extra));
  if (block == nullptr) return nullptr;
  auto* polygon = new (block) MeshPolygon();
  polygon->material = polygon->aux = nullptr;
  polygon->faceNormal = Vector3();
  polygon->index = -1;
  polygon->count = count;
  polygon->extra = extra;
  for (int i = 0; i < count; ++i) new (polygon->CornerBytes(i)) MeshCorner();
  return polygon;
}

void MeshPolygon::Free(MeshPolygon* polygon) { std::free(polygon); }
