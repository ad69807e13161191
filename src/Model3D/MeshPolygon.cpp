#include "Model3D/MeshPolygon.h"

#include <new>

#include "Model3D/PolygonCorners.h"
#include "Model3D/VertexLayerList.h"

MeshPolygon* MeshPolygon::Allocate(int count, int extra, BlockPool& pool) {
  if (count < 1 || count > PolygonCorners::kMaxCorners || extra < 0 ||
      extra > VertexLayerList::kMaxTotalSize)
    return nullptr;
  void* block = pool.Allocate(BlockBytes(count, extra));
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

void MeshPolygon::Free(MeshPolygon* polygon, BlockPool& pool) {
  if (polygon != nullptr) pool.Free(polygon, BlockBytes(polygon->count, polygon->extra));
}
