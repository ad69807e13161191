#pragma once
// 4x4 matrices as Maya writes them (row vectors: p' = p * M, translation in
// the last row), for the matrices history nodes store and the joints' world
// matrices.
#include "GeometryData.h"
#include "Value.h"

namespace OmbrixHost {

struct Matrix4 {
  double m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

  // Sixteen numbers, row by row; false for any other value.
  static bool fromValue(const Value* value, Matrix4& out);
  static Matrix4 fromRows(const double rows[4][4]);
  Matrix4 operator*(const Matrix4& right) const;
  // False when the matrix cannot be inverted.
  bool inverse(Matrix4& out) const;
  bool finite() const;
  Point3 apply(const Point3& p) const;
};

// The determinant of the upper-left 3 x 3 part of `a` (a 3 x 3 or a Matrix4's
// rows): below 0 for a matrix that mirrors.
template <typename Rows>
double determinant3(const Rows& a) {
  return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
         a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
}

}  // namespace OmbrixHost
