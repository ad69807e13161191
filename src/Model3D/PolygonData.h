#pragma once
// Compact, read-only description of one polygon: positions, normals and
// texture coordinates, no face normal, adjacency or weights.
#include "Model3D/PolygonCorners.h"

class PolygonData : public PolygonCorners {
 public:
  // As PolygonDesc::Resize, with 32 bytes per corner and no zero fill.
  bool Resize(int n, const VertexLayerList* layers = nullptr);
};
