#pragma once
// A 3x3 single-precision matrix, row-major (m0 m1 m2 / m3 m4 m5 / m6 m7 m8),
// acting on column vectors: v' = M v. A new matrix is the identity.
#include "Math/Vector3.h"

struct Matrix3 {
  float m[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

  void Identity();
  // False outside rows and columns 0..2.
  bool Set(int row, int col, double value);
  double Get(int row, int col) const { return m[row * 3 + col]; }
  double Determinant() const;

  static Matrix3 Multiply(const Matrix3& a, const Matrix3& b);
  static Vector3 Transform(const Matrix3& m, const Vector3& v);
  // M^-1 b as adjugate(M) b / det(M); a singular M gives non-finite values.
  static Vector3 Solve(const Matrix3& m, const Vector3& b);
};

// The rotation about x, then y, then z (radians), built through the
// quaternion of the half angles.
Matrix3 RotationFromEuler(double rx, double ry, double rz);
