#pragma once
#include <maya/MTypes.h>
#include <maya/MStatus.h>
#include <iosfwd>

// A 4x4 matrix acting on row vectors (p' = p * M), translation in row 3.
class OPENMAYA_EXPORT MMatrix {
public:
  MMatrix();
  MMatrix(const double values[4][4]);
  double operator()(unsigned int row, unsigned int col) const;
  double& operator()(unsigned int row, unsigned int col);
  const double* operator[](unsigned int row) const;
  double* operator[](unsigned int row);
  MMatrix operator*(const MMatrix& right) const;
  MMatrix& operator*=(const MMatrix& right);
  bool operator==(const MMatrix& other) const;
  bool operator!=(const MMatrix& other) const;
  bool isEquivalent(const MMatrix& other, double tolerance = 1e-10) const;
  MMatrix inverse() const;
  MMatrix transpose() const;
  double det4x4() const;
  MMatrix& setToIdentity();
  MStatus get(double dest[4][4]) const;

  static const MMatrix identity;
  double matrix[4][4];
};

OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& out, const MMatrix& m);
