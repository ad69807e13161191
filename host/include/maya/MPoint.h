#pragma once
#include <maya/MTypes.h>
#include <maya/MVector.h>

class MMatrix;

class OPENMAYA_EXPORT MPoint {
public:
  MPoint();
  MPoint(double x, double y, double z = 0.0, double w = 1.0);
  MPoint(const MVector& v);
  MPoint operator*(const MMatrix& m) const;
  MPoint& operator*=(const MMatrix& m);
  MPoint operator+(const MVector& v) const;
  MVector operator-(const MPoint& other) const;
  bool operator==(const MPoint& other) const;
  bool operator!=(const MPoint& other) const;
  bool isEquivalent(const MPoint& other, double tolerance = 1e-10) const;
  double distanceTo(const MPoint& other) const;
  MPoint& cartesianize();
  double x, y, z, w;

  static const MPoint origin;
};
