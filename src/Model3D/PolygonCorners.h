#pragma once
// The per-corner arrays shared by PolygonDesc and PolygonData: positions,
// normals, u, v, with 6 corners held inline and heap storage for more, and
// the layer block. Within the layer block layer i starts at count x (sizes
// of the layers before it), and its bytes for corner c at size x c, so
// layers never overlap.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "Math/Vector3.h"
#include "Model3D/VertexLayerList.h"

class PolygonCorners {
 public:
  static constexpr int kInlineCorners = 6;
  // Corner counts above this are refused before anything is allocated.
  static constexpr int kMaxCorners = 1 << 20;

  enum Channel { kPositions = -1, kU = -2, kV = -3, kNormals = -4 };

  PolygonCorners(const PolygonCorners&) = delete;
  PolygonCorners& operator=(const PolygonCorners&) = delete;

  Vector3* positions;
  Vector3* normals;
  float* u;
  float* v;
  void* material = nullptr;
  void* aux = nullptr;
  int count = 0;
  int capacity = kInlineCorners;

  // Base of one per-corner array: -1 positions, -2 u, -3 v, -4 normals,
  // i >= 0 layer i (layers of one byte each when no list is given). Null
  // for an unknown channel or a layer outside the block.
  uint8_t* Channel(int i, const VertexLayerList* layers = nullptr);
  int LayerCount() const { return layerCount_; }
  size_t LayerBytes() const { return layerData_.size(); }
  // Sizes the layer block for the current count and the list (none: empty).
  void ResizeLayers(const VertexLayerList* layers);

 protected:
  PolygonCorners();
  ~PolygonCorners();
  // When n exceeds the capacity: drops the old heap block, makes one of
  // (n + 3) x bytesPerCorner bytes (zero-filled when asked) and points the
  // four common arrays at its start; returns it, or null when nothing grew.
  uint8_t* Grow(int n, size_t bytesPerCorner, bool zeroFill);

 private:
  Vector3 inlinePositions_[kInlineCorners];
  Vector3 inlineNormals_[kInlineCorners];
  float inlineU_[kInlineCorners] = {};
  float inlineV_[kInlineCorners] = {};
  std::unique_ptr<uint8_t[]> heap_;
  std::vector<uint8_t> layerData_;
  int layerCount_ = 0;
};
