#pragma once
// Axis-aligned box; a new box is empty: min (1, 1, 1), max (0, 0, 0).
#include "Math/Vector3.h"

struct BoundingBox {
  Vector3 min{1, 1, 1};
  Vector3 max{0, 0, 0};

  bool IsValid() const { return min.x <= max.x && min.y <= max.y && min.z <= max.z; }
  // An invalid box first becomes the point itself.
  void Extend(const Vector3& p);
  void Copy(const BoundingBox& other) { *this = other; }
};

// A rectangle (x0, y0, x1, y1); a new one is empty: (1, 1, 0, 0).
struct RectF {
  float x0 = 1, y0 = 1, x1 = 0, y1 = 0;
};
