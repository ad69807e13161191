#include "UvImport/UvMatching.h"

#include "IO/CorrespondenceTable.h"
#include "Math/PainterFrame.h"
#include "Model3D/PolygonDesc.h"

namespace {

// How far ahead of the polygon being matched the walk asks the table.
constexpr int kPolygonsAhead = 4;

// Asks the table ahead for the polygon at `at` (when it has three corners
// with points), so that its lookup finds the slot cached.
void PrefetchPolygon(const CorrespondenceTable& table, const PolygonArrays& arrays, const WorldPoints& world,
                     const PolygonCursor& at) {
  if (at.face >= arrays.counts.size() || polygonSize(arrays, at) < 3 || !cornersInRange(arrays, at, 3)) return;
  Vector3 corners[3];
  for (unsigned k = 0; k < 3; ++k) {
    const auto vertex = static_cast<size_t>(arrays.connects[at.corner + k]);
    if (vertex >= world.points.size()) return;
    corners[k] = world.points[vertex];
  }
  prefetchCorrespondence(table, corners);
}

// Corner k >= 3 of a matched polygon: corner 2 of the fan triangle
// (corner 0, corner k - 1, corner k) when the file holds it.
const CorrespondenceRecord* FanRecord(const CorrespondenceTable& table, const PolygonDesc& desc, int k,
                                      PolygonDesc& fan) {
  fan.Resize(3);
  fan.positions[0] = desc.positions[0];
  fan.positions[1] = desc.positions[k - 1];
  fan.positions[2] = desc.positions[k];
  return findCorrespondence(table, fan);
}

void AddFaceVertex(UvAssignment& work, UvKeyIndex& keys, const Vector3& position, int p, int vertex, float u,
                   float v) {
  const float key[5] = {position.x, position.y, position.z, u, v};
  int j = findUvEntry(key, keys);
  if (j < 0) {
    j = static_cast<int>(work.layout.us.size());
    work.layout.us.push_back(u);
    work.layout.vs.push_back(v);
    keys.FindOrInsert(key, j);
  }
  work.layout.uvIds.push_back(j);
  work.faceIds.push_back(p);
  work.vertexIds.push_back(vertex);
}

}  // namespace

int findUvEntry(const float key[5], const UvKeyIndex& keys) { return keys.Find(key); }

UvAssignment matchUVs(const CorrespondenceTable& table, const PolygonArrays& arrays, const WorldPoints& world,
                      const WorldPoints* fallback) {
  UvAssignment work;
  UvKeyIndex keys;
  work.layout.uvCounts.resize(arrays.counts.size());
  work.layout.uvIds.reserve(arrays.connects.size());
  work.faceIds.reserve(arrays.connects.size());
  work.vertexIds.reserve(arrays.connects.size());
  PolygonDesc desc, placed, fan;
  PolygonCursor ahead;
  for (int k = 0; k < kPolygonsAhead && ahead.face < arrays.counts.size(); ++k) advance(arrays, ahead);
  for (PolygonCursor at; at.face < arrays.counts.size(); advance(arrays, at)) {
    const int p = static_cast<int>(at.face);
    PrefetchPolygon(table, arrays, world, ahead);
    if (fallback != nullptr) PrefetchPolygon(table, arrays, *fallback, ahead);
    if (ahead.face < arrays.counts.size()) advance(arrays, ahead);
    const bool sound = readPolygon(arrays, world, at, PolygonV::kAsStored, desc) == PolygonRead::kRead;
    const CorrespondenceRecord* record = sound ? findCorrespondence(table, desc) : nullptr;
    // The corners the record was found by: fans past the third are looked up alike.
    const PolygonDesc* matchedBy = &desc;
    if (record == nullptr && fallback != nullptr &&
        readPolygon(arrays, *fallback, at, PolygonV::kAsStored, placed) == PolygonRead::kRead) {
      record = findCorrespondence(table, placed);
      matchedBy = &placed;
      if (record != nullptr) ++work.matchedByFallback;
    }
    if (record != nullptr) ++work.matched;
    work.layout.uvCounts[at.face] = desc.count;
    for (int k = 0; k < desc.count; ++k) {
      float u = desc.u[k], v = desc.v[k];
      const CorrespondenceRecord* source = record;
      int corner = k;
      if (record != nullptr && k >= 3) {
        source = FanRecord(table, *matchedBy, k, fan);
        corner = 2;
      }
      if (source != nullptr) {
        u = source->corner[corner].u;
        v = flipVf(source->corner[corner].v);
      }
      AddFaceVertex(work, keys, desc.positions[k], p, arrays.connects[at.corner + static_cast<unsigned>(k)], u, v);
    }
  }
  return work;
}
