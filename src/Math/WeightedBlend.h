#pragma once
// Weighted spherical blend of two directions (used to average corner
// normals). The result is not renormalised.
#include <cmath>

#include "Math/Vector3.h"

// The blend of a and b whose lengths la and lb are given as Length() gives
// them (callers that blend one direction many times measure it once).
inline Vector3 WeightedBlend(const Vector3& a, double la, double wa, const Vector3& b, double lb, double wb) {
  if (la == 0.0) return Vector3::Normalise(b);
  if (lb == 0.0) return Vector3::Normalise(a);
  const double ta = wa / (wa + wb);
  const double tb = wb / (wa + wb);
  const double d = Vector3::Dot(a, b);
  const double p = la * lb;
  double ka = ta;
  double kb = tb;
  if (d >= 0.999 * p) {
    // nearly parallel: linear mix
  } else if (d < -0.9999 * p) {
    ka = 1.0;  // nearly opposite: keep a
    kb = 0.0;
  } else {
    const double c = d / p;
    const double theta = std::acos(c);
    const double s = 1.0 / std::sqrt(1.0 - c * c);
    ka = std::sin(theta * ta) * s;
    kb = std::sin(theta * tb) * s;
  }
  return {a.x * (ka / la) + b.x * (kb / lb), a.y * (ka / la) + b.y * (kb / lb),
          a.z * (ka / la) + b.z * (kb / lb)};
}

inline Vector3 WeightedBlend(const Vector3& a, double wa, const Vector3& b, double wb) {
  return WeightedBlend(a, a.Length(), wa, b, b.Length(), wb);
}
