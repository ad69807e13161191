#include "Math/Matrix3.h"

#include <cmath>

void Matrix3::Identity() { *this = Matrix3(); }

bool Matrix3::Set(int row, int col, double value) {
  if (row < 0 || row > 2 || col < 0 || col > 2) return false;
  m[row * 3 + col] = static_cast<float>(value);
  return true;
}

double Matrix3::Determinant() const {
  const double a = m[0], b = m[1], c = m[2], d = m[3], e = m[4], f = m[5], g = m[6], h = m[7],
               i = m[8];
  return a * e * i + b * f * g + c * d * h - c * e * g - b * d * i - a * f * h;
}

Matrix3 Matrix3::Multiply(const Matrix3& a, const Matrix3& b) {
  Matrix3 r;
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) {
      double sum = 0.0;
      for (int k = 0; k < 3; ++k) sum += a.Get(row, k) * b.Get(k, col);
      r.Set(row, col, sum);
    }
  return r;
}

Vector3 Matrix3::Transform(const Matrix3& m, const Vector3& v) {
  double out[3];
  for (int row = 0; row < 3; ++row)
    out[row] = m.Get(row, 0) * v.x + m.Get(row, 1) * v.y + m.Get(row, 2) * v.z;
  return {out[0], out[1], out[2]};
}

Vector3 Matrix3::Solve(const Matrix3& m, const Vector3& b) {
  const double a0 = m.m[0], a1 = m.m[1], a2 = m.m[2], a3 = m.m[3], a4 = m.m[4], a5 = m.m[5],
               a6 = m.m[6], a7 = m.m[7], a8 = m.m[8];
  // Rows of the adjugate (the transposed cofactor matrix).
  const double adj[9] = {a4 * a8 - a5 * a7, a2 * a7 - a1 * a8, a1 * a5 - a2 * a4,
                         a5 * a6 - a3 * a8, a0 * a8 - a2 * a6, a2 * a3 - a0 * a5,
                         a3 * a7 - a4 * a6, a1 * a6 - a0 * a7, a0 * a4 - a1 * a3};
  const double det = m.Determinant();
  double out[3];
  for (int row = 0; row < 3; ++row)
    out[row] = (adj[row * 3] * b.x + adj[row * 3 + 1] * b.y + adj[row * 3 + 2] * b.z) / det;
  return {out[0], out[1], out[2]};
}

Matrix3 RotationFromEuler(double rx, double ry, double rz) {
  const double cx = std::cos(rx / 2), sx = std::sin(rx / 2);
  const double cy = std::cos(ry / 2), sy = std::sin(ry / 2);
  const double cz = std::cos(rz / 2), sz = std::sin(rz / 2);
  const double w = cx * cy * cz + sx * sy * sz;
  const double x = sx * cy * cz - cx * sy * sz;
  const double y = cx * sy * cz + sx * cy * sz;
  const double z = cx * cy * sz - sx * sy * cz;
  Matrix3 r;
  const double values[9] = {1 - 2 * (y * y + z * z), 2 * (x * y - w * z), 2 * (x * z + w * y),
                            2 * (x * y + w * z), 1 - 2 * (x * x + z * z), 2 * (y * z - w * x),
                            2 * (x * z - w * y), 2 * (y * z + w * x), 1 - 2 * (x * x + y * y)};
  for (int i = 0; i < 9; ++i) r.m[i] = static_cast<float>(values[i]);
  return r;
}
