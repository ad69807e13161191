#include <maya/MFloatPoint.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include <cmath>

MVector::MVector() : x(0.0), y(0.0), z(0.0) {}
MVector::MVector(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
MVector MVector::operator+(const MVector& o) const { return MVector(x + o.x, y + o.y, z + o.z); }
MVector MVector::operator-(const MVector& o) const { return MVector(x - o.x, y - o.y, z - o.z); }
MVector MVector::operator*(double s) const { return MVector(x * s, y * s, z * s); }
MVector MVector::operator*(const MMatrix& m) const {
  return MVector(x * m(0, 0) + y * m(1, 0) + z * m(2, 0), x * m(0, 1) + y * m(1, 1) + z * m(2, 1),
                 x * m(0, 2) + y * m(1, 2) + z * m(2, 2));
}
double MVector::operator*(const MVector& o) const { return x * o.x + y * o.y + z * o.z; }
MVector MVector::operator^(const MVector& o) const {
  return MVector(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x);
}
bool MVector::operator==(const MVector& o) const { return x == o.x && y == o.y && z == o.z; }
double MVector::length() const { return std::sqrt(x * x + y * y + z * z); }
MVector MVector::normal() const {
  double l = length();
  return l > 0.0 ? *this * (1.0 / l) : *this;
}

MPoint::MPoint() : x(0.0), y(0.0), z(0.0), w(1.0) {}
MPoint::MPoint(double xx, double yy, double zz, double ww) : x(xx), y(yy), z(zz), w(ww) {}
MPoint::MPoint(const MVector& v) : x(v.x), y(v.y), z(v.z), w(1.0) {}
MPoint MPoint::operator*(const MMatrix& m) const {
  return MPoint(x * m(0, 0) + y * m(1, 0) + z * m(2, 0) + w * m(3, 0),
                x * m(0, 1) + y * m(1, 1) + z * m(2, 1) + w * m(3, 1),
                x * m(0, 2) + y * m(1, 2) + z * m(2, 2) + w * m(3, 2),
                x * m(0, 3) + y * m(1, 3) + z * m(2, 3) + w * m(3, 3));
}
MPoint& MPoint::operator*=(const MMatrix& m) { return *this = *this * m; }
MPoint MPoint::operator+(const MVector& v) const { return MPoint(x + v.x, y + v.y, z + v.z, w); }
MVector MPoint::operator-(const MPoint& o) const { return MVector(x - o.x, y - o.y, z - o.z); }
bool MPoint::operator==(const MPoint& o) const { return x == o.x && y == o.y && z == o.z && w == o.w; }
bool MPoint::operator!=(const MPoint& o) const { return !(*this == o); }
bool MPoint::isEquivalent(const MPoint& o, double tolerance) const {
  return std::fabs(x - o.x) <= tolerance && std::fabs(y - o.y) <= tolerance && std::fabs(z - o.z) <= tolerance &&
         std::fabs(w - o.w) <= tolerance;
}
double MPoint::distanceTo(const MPoint& o) const { return (*this - o).length(); }
MPoint& MPoint::cartesianize() {
  if (w != 0.0 && w != 1.0)
    *this = MPoint(x / w, y / w, z / w, 1.0);
  return *this;
}
const MPoint MPoint::origin;

MFloatPoint::MFloatPoint() : x(0.0f), y(0.0f), z(0.0f), w(1.0f) {}
MFloatPoint::MFloatPoint(float xx, float yy, float zz, float ww) : x(xx), y(yy), z(zz), w(ww) {}
bool MFloatPoint::operator==(const MFloatPoint& o) const { return x == o.x && y == o.y && z == o.z && w == o.w; }
