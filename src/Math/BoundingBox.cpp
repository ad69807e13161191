#include "Math/BoundingBox.h"

#include "Math/Scalar.h"

void BoundingBox::Extend(const Vector3& p) {
  if (!IsValid()) min = max = p;
  min = {Min(min.x, p.x), Min(min.y, p.y), Min(min.z, p.z)};
  max = {Max(max.x, p.x), Max(max.y, p.y), Max(max.z, p.z)};
}
