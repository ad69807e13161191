#include "Point3Math.h"

#include <cmath>

namespace OmbrixHost {

Point3 operator+(Point3 a, Point3 b) { return Point3{a.x + b.x, a.y + b.y, a.z + b.z}; }
Point3 operator-(Point3 a, Point3 b) { return Point3{a.x - b.x, a.y - b.y, a.z - b.z}; }
Point3 operator*(Point3 a, double s) { return Point3{a.x * s, a.y * s, a.z * s}; }
double dot(Point3 a, Point3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Point3 cross(Point3 a, Point3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Point3 lerp(Point3 a, Point3 b, double t) { return a + (b - a) * t; }

Point3 normalized(Point3 a) {
  double l = std::sqrt(dot(a, a));
  return l > 0.0 ? a * (1.0 / l) : a;
}

Point3 scaledTo(Point3 p, double length) {
  double l = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
  return {p.x * length / l, p.y * length / l, p.z * length / l};
}

Point3 rotatedXYZ(Point3 p, Point3 r) {
  double c = std::cos(r.x), s = std::sin(r.x);
  p = Point3{p.x, p.y * c - p.z * s, p.y * s + p.z * c};
  c = std::cos(r.y), s = std::sin(r.y);
  p = Point3{p.x * c + p.z * s, p.y, -p.x * s + p.z * c};
  c = std::cos(r.z), s = std::sin(r.z);
  return Point3{p.x * c - p.y * s, p.x * s + p.y * c, p.z};
}

}  // namespace OmbrixHost
