#include "Matrix4.h"

#include <cmath>
#include <utility>

namespace OmbrixHost {

bool Matrix4::fromValue(const Value* value, Matrix4& out) {
  if (!value || value->kind != Value::kNumbers || value->numbers.size() != 16)
    return false;
  for (int i = 0; i < 16; ++i)
    out.m[i / 4][i % 4] = value->numbers[static_cast<std::size_t>(i)];
  return true;
}

Matrix4 Matrix4::fromRows(const double rows[4][4]) {
  Matrix4 out;
  for (int i = 0; i < 16; ++i)
    out.m[i / 4][i % 4] = rows[i / 4][i % 4];
  return out;
}

Matrix4 Matrix4::operator*(const Matrix4& right) const {
  Matrix4 out;
  for (int i = 0; i < 16; ++i) {
    int row = i / 4, column = i % 4;
    out.m[row][column] = m[row][0] * right.m[0][column] + m[row][1] * right.m[1][column] +
                         m[row][2] * right.m[2][column] + m[row][3] * right.m[3][column];
  }
  return out;
}

// Gauss-Jordan elimination with partial pivoting.
bool Matrix4::inverse(Matrix4& out) const {
  Matrix4 a = *this;
  out = Matrix4();
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int r = col + 1; r < 4; ++r)
      if (std::fabs(a.m[r][col]) > std::fabs(a.m[pivot][col]))
        pivot = r;
    if (!(std::fabs(a.m[pivot][col]) > 1e-300))
      return false;
    std::swap(a.m[pivot], a.m[col]);
    std::swap(out.m[pivot], out.m[col]);
    double scale = 1.0 / a.m[col][col];
    for (int c = 0; c < 4; ++c) {
      a.m[col][c] *= scale;
      out.m[col][c] *= scale;
    }
    for (int r = 0; r < 4; ++r) {
      double factor = r == col ? 0.0 : a.m[r][col];
      for (int c = 0; c < 4 && factor != 0.0; ++c) {
        a.m[r][c] -= factor * a.m[col][c];
        out.m[r][c] -= factor * out.m[col][c];
      }
    }
  }
  return out.finite();
}

bool Matrix4::finite() const {
  for (const auto& row : m)
    for (double v : row)
      if (!std::isfinite(v))
        return false;
  return true;
}

Point3 Matrix4::apply(const Point3& p) const {
  double x = p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + m[3][0];
  double y = p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + m[3][1];
  double z = p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + m[3][2];
  double w = p.x * m[0][3] + p.y * m[1][3] + p.z * m[2][3] + m[3][3];
  if (w != 0.0 && w != 1.0)
    return Point3{x / w, y / w, z / w};
  return Point3{x, y, z};
}

}  // namespace OmbrixHost
