#pragma once
// A 3-component single-precision vector. Arithmetic is done in double
// precision and rounded back on store.

struct Vector3 {
  float x = 0.0f, y = 0.0f, z = 0.0f;

  Vector3() = default;
  Vector3(double x0, double y0, double z0)
      : x(static_cast<float>(x0)), y(static_cast<float>(y0)), z(static_cast<float>(z0)) {}

  // Components by index 0..2; other indices give false / 0.0.
  bool Set(int index, double value);
  double Get(int index) const;

  static Vector3 Add(const Vector3& a, const Vector3& b);
  static Vector3 Subtract(const Vector3& a, const Vector3& b);
  static Vector3 Scale(const Vector3& v, double s);
  static Vector3 Cross(const Vector3& a, const Vector3& b);
  static double Dot(const Vector3& a, const Vector3& b);
  double LengthSquared() const;
  double Length() const;
  // v * (1 / |v|): a zero vector gives non-finite components, so callers
  // that may meet one test LengthSquared first.
  static Vector3 Normalise(const Vector3& v);
  static bool Equal(const Vector3& a, const Vector3& b);
};

inline bool operator==(const Vector3& a, const Vector3& b) { return Vector3::Equal(a, b); }
inline bool operator!=(const Vector3& a, const Vector3& b) { return !Vector3::Equal(a, b); }
