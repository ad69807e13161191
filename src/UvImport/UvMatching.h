#pragma once
// The UV import's matching, from plain arrays: each polygon of a mesh is
// recognised by the world-space positions of its first three corners among
// the correspondence records, and every face-vertex gets the record's new UV
// (corners past the third that of the fan triangle ending at them), else the
// UV it has. Face-vertices with equal position and UV share one UV of the
// new layout.
#include <vector>

#include "IO/FloatKeyIndex.h"
#include "Model3D/PolygonArrays.h"

class CorrespondenceTable;

// The new layout, one UV id per face-vertex in polygon then corner order,
// with each face-vertex's face and mesh vertex.
struct UvAssignment {
  MeshUvArrays layout;
  std::vector<int> faceIds, vertexIds;
  int matched = 0;            // polygons that found a record
  int matchedByFallback = 0;  // of those, found only through the fallback points
};

// With `fallback` (the same vertices placed otherwise), a polygon that finds
// no record by its corners in `world` is looked up by its corners there.
// The new layout's sharing follows the positions in `world` either way.
UvAssignment matchUVs(const CorrespondenceTable& table, const PolygonArrays& arrays, const WorldPoints& world,
                      const WorldPoints* fallback = nullptr);

// The distinct (x, y, z, u, v) keys of one mesh, in order of appearance.
using UvKeyIndex = FloatKeyIndex<5>;
// The index of the first key equal to `key` in all five components, or -1.
int findUvEntry(const float key[5], const UvKeyIndex& keys);
