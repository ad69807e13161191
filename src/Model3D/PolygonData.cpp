#include "Model3D/PolygonData.h"

bool PolygonData::Resize(int n, const VertexLayerList* layers) {
  if (n < 0 || n > kMaxCorners) return false;
  Grow(n, 32, false);
  count = n;
  ResizeLayers(layers);
  return true;
}
