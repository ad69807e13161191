#include "Model3D/MeshEdge.h"

#include <cstring>
#include <new>

MeshEdge::~MeshEdge() {
  if (capacity != 2) delete[] heapPolygons;
}

int MeshEdge::Find(const MeshPolygon* polygon) const {
  MeshPolygon* const* polygons = Polygons();
  for (int i = 0; i < polygonCount; ++i)
    if (polygons[i] == polygon) return i;
  return -1;
}

bool MeshEdge::Add(MeshPolygon* polygon) {
  if (Find(polygon) >= 0) return true;
  if (polygonCount == capacity) {
    const int grown = ((polygonCount + 1) & ~3) + 8;
    auto* list = new (std::nothrow) MeshPolygon*[grown]();
    if (list == nullptr) return false;
    std::memcpy(list, Polygons(), sizeof(MeshPolygon*) * static_cast<size_t>(polygonCount));
    if (capacity != 2) delete[] heapPolygons;
    heapPolygons = list;
    capacity = grown;
  }
  Polygons()[polygonCount++] = polygon;
  return true;
}

void MeshEdge::Remove(const MeshPolygon* polygon) {
  MeshPolygon** polygons = Polygons();
  int kept = 0;
  for (int i = 0; i < polygonCount; ++i)
    if (polygons[i] != polygon) polygons[kept++] = polygons[i];
  for (int i = kept; i < polygonCount; ++i) polygons[i] = nullptr;
  polygonCount = kept;
}

MeshPolygon* MeshEdge::Successor(const MeshPolygon* polygon) const {
  if (polygonCount < 2) return nullptr;
  const int k = Find(polygon);
  return k < 0 ? nullptr : PolygonAt((k + 1) % polygonCount);
}

int32_t PositionHash(const Vector3& p) {
  uint8_t bytes[12];
  std::memcpy(bytes, &p.x, 4);
  std::memcpy(bytes + 4, &p.y, 4);
  std::memcpy(bytes + 8, &p.z, 4);
  static const uint32_t weights[6] = {15791, 6959, 12451, 7247, 8537, 14759};
  uint32_t hash = 0;
  for (int i = 0; i < 6; ++i) {
    const auto word = static_cast<int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    hash += static_cast<uint32_t>(static_cast<int32_t>(word)) * weights[i];
  }
  return static_cast<int32_t>(hash);
}

int32_t EdgeBucket(int32_t key) { return ((key >> 28) ^ (key >> 14) ^ key) & 0x3FFF; }
