#include "Model3D/PolygonDesc.h"

#include "Math/SeamFix.h"

PolygonDesc::PolygonDesc() : adjacency(inlineAdjacency_), weights(inlineWeights_) {
  for (int i = 0; i < kInlineCorners; ++i) {
    inlineAdjacency_[i] = {-1, -1, 0};
    inlineWeights_[i] = 1.0f;
  }
}

bool PolygonDesc::Resize(int n, const VertexLayerList* layers) {
  if (n < 0 || n > kMaxCorners) return false;
  // positions 12, normals 12, u 4, v 4, adjacency 12, weights 4 per corner
  if (uint8_t* block = Grow(n, 48, true)) {
    const size_t corners = static_cast<size_t>(capacity);
    adjacency = reinterpret_cast<PolygonId*>(block + corners * 32);
    weights = reinterpret_cast<float*>(block + corners * 44);
  }
  count = n;
  ResizeLayers(layers);
  return true;
}

bool SeamFix(PolygonDesc& polygon, int axes) {
  return SeamFix(polygon.u, polygon.v, polygon.count, axes);
}
