#pragma once
#include <maya/MTypes.h>

class MMatrix;

class OPENMAYA_EXPORT MVector {
public:
  MVector();
  MVector(double x, double y, double z = 0.0);
  MVector operator+(const MVector& other) const;
  MVector operator-(const MVector& other) const;
  MVector operator*(double scale) const;
  MVector operator*(const MMatrix& m) const;
  double operator*(const MVector& other) const;
  MVector operator^(const MVector& other) const;
  bool operator==(const MVector& other) const;
  double length() const;
  MVector normal() const;
  double x, y, z;
};
