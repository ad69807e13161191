#include "Model3D/MeshEdge.h"

#include "Model3D/MeshPolygon.h"

#include <algorithm>
#include <cstring>
#include <new>

MeshEdge::~MeshEdge() {
  if (!Inline()) delete[] heapPolygons;
}

int MeshEdge::Find(const MeshPolygon* polygon) const {
  MeshPolygon* const* polygons = Polygons();
  if ((capacity & kUnordered) == 0 && polygonCount > 8) {
    int lo = 0, hi = polygonCount;
    while (lo < hi) {
      const int mid = lo + (hi - lo) / 2;
      if (polygons[mid]->index < polygon->index) lo = mid + 1;
      else hi = mid;
    }
    return lo < polygonCount && polygons[lo] == polygon ? lo : -1;
  }
  for (int i = 0; i < polygonCount; ++i)
    if (polygons[i] == polygon) return i;
  return -1;
}

bool MeshEdge::Add(MeshPolygon* polygon) {
  if (Find(polygon) >= 0) return true;
  if (polygonCount == Capacity()) {
    if (polygonCount >= kUnordered - 16) return false;
    // Steps of 4 for the few polygons an edge normally has; geometric beyond,
    // so a list of thousands is not copied at every step.
    int grown = ((polygonCount + 1) & ~3) + 8;
    if (polygonCount > 64) grown = std::min(polygonCount + polygonCount / 2, kUnordered - 8);
    auto* list = new (std::nothrow) MeshPolygon*[grown]();
    if (list == nullptr) return false;
    std::memcpy(list, Polygons(), sizeof(MeshPolygon*) * static_cast<size_t>(polygonCount));
    if (!Inline()) delete[] heapPolygons;
    heapPolygons = list;
    capacity = grown | (capacity & kUnordered);
  }
  if (polygonCount > 0 && PolygonAt(polygonCount - 1)->index >= polygon->index)
    capacity |= kUnordered;
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
