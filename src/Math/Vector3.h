#pragma once
// A 3-component single-precision vector. Arithmetic is done in double
// precision and rounded back on store.
#include <cmath>

struct Vector3 {
  float x = 0.0f, y = 0.0f, z = 0.0f;

  Vector3() = default;
  Vector3(double x0, double y0, double z0)
      : x(static_cast<float>(x0)), y(static_cast<float>(y0)), z(static_cast<float>(z0)) {}

  // Components by index 0..2; other indices give false / 0.0.
  bool Set(int index, double value);
  double Get(int index) const;

  static Vector3 Add(const Vector3& a, const Vector3& b) {
    return {double(a.x) + b.x, double(a.y) + b.y, double(a.z) + b.z};
  }
  static Vector3 Subtract(const Vector3& a, const Vector3& b) {
    return {double(a.x) - b.x, double(a.y) - b.y, double(a.z) - b.z};
  }
  static Vector3 Scale(const Vector3& v, double s) { return {v.x * s, v.y * s, v.z * s}; }
  static Vector3 Cross(const Vector3& a, const Vector3& b) {
    return {double(a.y) * b.z - double(a.z) * b.y, double(a.z) * b.x - double(a.x) * b.z,
            double(a.x) * b.y - double(a.y) * b.x};
  }
  static double Dot(const Vector3& a, const Vector3& b) {
    return double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z;
  }
  double LengthSquared() const { return Dot(*this, *this); }
  double Length() const { return std::sqrt(LengthSquared()); }
  // v * (1 / |v|): a zero vector gives non-finite components, so callers
  // that may meet one test LengthSquared first.
  static Vector3 Normalise(const Vector3& v) { return Scale(v, 1.0 / v.Length()); }
  static bool Equal(const Vector3& a, const Vector3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
  }
};

inline bool operator==(const Vector3& a, const Vector3& b) { return Vector3::Equal(a, b); }
inline bool operator!=(const Vector3& a, const Vector3& b) { return !Vector3::Equal(a, b); }
