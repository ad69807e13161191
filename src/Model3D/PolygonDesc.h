#pragma once
// Full description of one polygon, used to add polygons to a mesh and to
// read them back with their neighbours. Owned by the caller.
#include "Model3D/PolygonCorners.h"
#include "Model3D/PolygonId.h"

class PolygonDesc : public PolygonCorners {
 public:
  PolygonDesc();

  // Sets the corner count. Growing past the capacity makes a zero-filled
  // block for n + 3 corners and does not keep the contents (adjacency then
  // reads {0, 0, 0} and edge weights 0.0). False, changing nothing, when n is
  // negative or beyond kMaxCorners.
  bool Resize(int n, const VertexLayerList* layers = nullptr);

  PolygonId* adjacency;  // neighbour across the edge that starts at each corner
  float* weights;        // weight of the edge that starts at each corner
  Vector3 faceNormal;

 private:
  PolygonId inlineAdjacency_[kInlineCorners];
  float inlineWeights_[kInlineCorners];
};

// SeamFix on the description's texture coordinates (axes: 1 = u, 2 = v).
bool SeamFix(PolygonDesc& polygon, int axes);
