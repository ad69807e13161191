#include "Model3D/VertexLayerList.h"

bool VertexLayerList::Add(int size, bool enabled) {
  if (size < 0 || size > kMaxTotalSize - total_) return false;
  layers_.push_back({size, enabled});
  total_ += size;
  return true;
}

void VertexLayerList::SetEnabled(int layer, bool enabled) {
  if (layer >= 0 && layer < Count()) layers_[static_cast<size_t>(layer)].enabled = enabled;
}

int VertexLayerList::Offset(int layer) const {
  int offset = 0;
  for (int i = 0; i < layer && i < Count(); ++i) offset += layers_[static_cast<size_t>(i)].size;
  return offset;
}
