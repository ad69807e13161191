#include "Math/PolygonNormal.h"

#include <cmath>

#include "Math/Matrix3.h"

namespace {

// Newell's normal: the winding's area vector, robust for any simple polygon.
Vector3 WindingNormal(const Vector3* corners, int count) {
  double n[3] = {0.0, 0.0, 0.0};
  for (int i = 0; i < count; ++i) {
    const Vector3& a = corners[i];
    const Vector3& b = corners[(i + 1) % count];
    n[0] += (double(a.y) - b.y) * (double(a.z) + b.z);
    n[1] += (double(a.z) - b.z) * (double(a.x) + b.x);
    n[2] += (double(a.x) - b.x) * (double(a.y) + b.y);
  }
  return {n[0], n[1], n[2]};
}

Vector3 NormaliseOrZero(const Vector3& v) {
  const double lengthSquared = v.LengthSquared();
  if (!(lengthSquared > 0.0) || !std::isfinite(lengthSquared)) return {};
  return Vector3::Normalise(v);
}

Vector3 FallbackNormal(const Vector3* corners, int count) {
  const Vector3 cross = TriangleNormalUnnormalised(corners, count);
  if (cross.LengthSquared() > 0.0) return Vector3::Normalise(cross);
  return NormaliseOrZero(WindingNormal(corners, count));
}

}  // namespace

Vector3 TriangleNormalUnnormalised(const Vector3& p0, const Vector3& p1, const Vector3& p2) {
  return Vector3::Cross(Vector3::Subtract(p1, p0), Vector3::Subtract(p2, p1));
}

Vector3 TriangleNormal(const Vector3& p0, const Vector3& p1, const Vector3& p2) {
  return Vector3::Normalise(TriangleNormalUnnormalised(p0, p1, p2));
}

Vector3 TriangleNormalUnnormalised(const Vector3* corners, int count) {
  if (corners == nullptr || count < 3) return {};
  return TriangleNormalUnnormalised(corners[0], corners[1], corners[2]);
}

Vector3 TriangleNormal(const Vector3* corners, int count) {
  return Vector3::Normalise(TriangleNormalUnnormalised(corners, count));
}

Vector3 PlaneNormal(const Vector3* corners, int count) {
  if (corners == nullptr || count < 3) return {};
  double s[9] = {};
  double c[3] = {};
  for (int k = 0; k < count; ++k) {
    const double p[3] = {corners[k].x, corners[k].y, corners[k].z};
    for (int row = 0; row < 3; ++row) {
      c[row] += p[row];
      for (int col = 0; col < 3; ++col) s[row * 3 + col] += p[row] * p[col];
    }
  }
  Matrix3 system;
  double scale = 0.0;
  for (int i = 0; i < 9; ++i) {
    system.m[i] = static_cast<float>(s[i]);
    scale = std::fmax(scale, std::fabs(s[i]));
  }
  // A plane through the origin leaves S (numerically) singular.
  const double det = system.Determinant();
  if (!(std::fabs(det) > 1e-9 * scale * scale * scale)) return FallbackNormal(corners, count);
  const Vector3 n = Matrix3::Solve(system, Vector3(c[0], c[1], c[2]));
  if (!std::isfinite(n.x) || !std::isfinite(n.y) || !std::isfinite(n.z) ||
      !(n.LengthSquared() > 0.0))
    return FallbackNormal(corners, count);
  const Vector3 unit = Vector3::Normalise(n);
  // n.p = 1 orients the normal away from the origin; the winding decides.
  return Vector3::Dot(unit, WindingNormal(corners, count)) < 0.0 ? Vector3::Scale(unit, -1.0)
                                                                  : unit;
}
