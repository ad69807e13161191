#include "Model3D/PolygonCorners.h"

#include <new>

PolygonCorners::PolygonCorners()
    : positions(inlinePositions_), normals(inlineNormals_), u(inlineU_), v(inlineV_) {}

PolygonCorners::~PolygonCorners() = default;

uint8_t* PolygonCorners::Grow(int n, size_t bytesPerCorner, bool zeroFill) {
  if (n <= capacity) return nullptr;
  heap_.reset();
  const size_t corners = static_cast<size_t>(n) + 3;
  heap_.reset(zeroFill ? new uint8_t[corners * bytesPerCorner]()
                       : new uint8_t[corners * bytesPerCorner]);
  capacity = static_cast<int>(corners);
  uint8_t* block = heap_.get();
  positions = reinterpret_cast<Vector3*>(block);
  normals = reinterpret_cast<Vector3*>(block + corners * 12);
  u = reinterpret_cast<float*>(block + corners * 24);
  v = reinterpret_cast<float*>(block + corners * 28);
  return block;
}

void PolygonCorners::ResizeLayers(const VertexLayerList* layers) {
  layerCount_ = layers != nullptr ? layers->Count() : 0;
  const size_t bytes =
      layers != nullptr ? static_cast<size_t>(count) * static_cast<size_t>(layers->TotalSize()) : 0;
  layerData_.assign(bytes, 0);
}

uint8_t* PolygonCorners::Channel(int i, const VertexLayerList* layers) {
  switch (i) {
    case kPositions: return reinterpret_cast<uint8_t*>(positions);
    case kU: return reinterpret_cast<uint8_t*>(u);
    case kV: return reinterpret_cast<uint8_t*>(v);
    case kNormals: return reinterpret_cast<uint8_t*>(normals);
    default: break;
  }
  if (i < 0) return nullptr;
  const size_t offset = static_cast<size_t>(count) *
                        static_cast<size_t>(layers != nullptr ? layers->Offset(i) : i);
  return offset < layerData_.size() ? layerData_.data() + offset : nullptr;
}
