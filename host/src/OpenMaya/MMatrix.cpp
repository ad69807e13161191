#include <maya/MMatrix.h>

#include <cmath>
#include <cstring>
#include <ostream>

MMatrix::MMatrix() { setToIdentity(); }
MMatrix::MMatrix(const double values[4][4]) { std::memcpy(matrix, values, sizeof matrix); }
double MMatrix::operator()(unsigned int row, unsigned int col) const { return matrix[row & 3][col & 3]; }
double& MMatrix::operator()(unsigned int row, unsigned int col) { return matrix[row & 3][col & 3]; }
const double* MMatrix::operator[](unsigned int row) const { return matrix[row & 3]; }
double* MMatrix::operator[](unsigned int row) { return matrix[row & 3]; }

MMatrix MMatrix::operator*(const MMatrix& right) const {
  MMatrix out;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      double s = 0.0;
      for (int k = 0; k < 4; ++k)
        s += matrix[r][k] * right.matrix[k][c];
      out.matrix[r][c] = s;
    }
  return out;
}
MMatrix& MMatrix::operator*=(const MMatrix& right) { return *this = *this * right; }
bool MMatrix::operator==(const MMatrix& other) const { return std::memcmp(matrix, other.matrix, sizeof matrix) == 0; }
bool MMatrix::operator!=(const MMatrix& other) const { return !(*this == other); }
bool MMatrix::isEquivalent(const MMatrix& other, double tolerance) const {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (std::fabs(matrix[r][c] - other.matrix[r][c]) > tolerance)
        return false;
  return true;
}
MMatrix MMatrix::transpose() const {
  MMatrix out;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      out.matrix[r][c] = matrix[c][r];
  return out;
}
double MMatrix::det4x4() const {
  // Laplace expansion along the first row with 3x3 minors.
  auto minor3 = [&](int skipCol) {
    int cols[3], n = 0;
    for (int c = 0; c < 4; ++c)
      if (c != skipCol)
        cols[n++] = c;
    const double(*m)[4] = matrix;
    return m[1][cols[0]] * (m[2][cols[1]] * m[3][cols[2]] - m[2][cols[2]] * m[3][cols[1]]) -
           m[1][cols[1]] * (m[2][cols[0]] * m[3][cols[2]] - m[2][cols[2]] * m[3][cols[0]]) +
           m[1][cols[2]] * (m[2][cols[0]] * m[3][cols[1]] - m[2][cols[1]] * m[3][cols[0]]);
  };
  double det = 0.0;
  for (int c = 0; c < 4; ++c)
    det += (c % 2 ? -1.0 : 1.0) * matrix[0][c] * minor3(c);
  return det;
}
MMatrix MMatrix::inverse() const {
  // Gauss-Jordan with partial pivoting; a singular matrix gives the identity.
  double a[4][8];
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 8; ++c)
      a[r][c] = c < 4 ? matrix[r][c] : (c - 4 == r ? 1.0 : 0.0);
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int r = col + 1; r < 4; ++r)
      if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
        pivot = r;
    if (std::fabs(a[pivot][col]) < 1e-300)
      return MMatrix();
    for (int c = 0; c < 8; ++c)
      std::swap(a[col][c], a[pivot][c]);
    double inv = 1.0 / a[col][col];
    for (int c = 0; c < 8; ++c)
      a[col][c] *= inv;
    for (int r = 0; r < 4; ++r)
      if (r != col) {
        double f = a[r][col];
        for (int c = 0; c < 8; ++c)
          a[r][c] -= f * a[col][c];
      }
  }
  MMatrix out;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      out.matrix[r][c] = a[r][c + 4];
  return out;
}
MMatrix& MMatrix::setToIdentity() {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      matrix[r][c] = r == c ? 1.0 : 0.0;
  return *this;
}
MStatus MMatrix::get(double dest[4][4]) const {
  std::memcpy(dest, matrix, sizeof matrix);
  return MStatus::kSuccess;
}
const MMatrix MMatrix::identity;

std::ostream& operator<<(std::ostream& out, const MMatrix& m) {
  out << "[";
  for (int r = 0; r < 4; ++r) {
    out << "[";
    for (int c = 0; c < 4; ++c)
      out << m.matrix[r][c] << (c < 3 ? ", " : "");
    out << "]" << (r < 3 ? ", " : "");
  }
  return out << "]";
}
