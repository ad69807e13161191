#pragma once
// Arithmetic on points and vectors (Point3) for the evaluation of history.
#include "GeometryData.h"

namespace OmbrixHost {

Point3 operator+(Point3 a, Point3 b);
Point3 operator-(Point3 a, Point3 b);
Point3 operator*(Point3 a, double s);
double dot(Point3 a, Point3 b);
Point3 cross(Point3 a, Point3 b);
Point3 lerp(Point3 a, Point3 b, double t);
// `a` scaled to length 1; unchanged when it has no length.
Point3 normalized(Point3 a);
// `p` scaled to `length`.
Point3 scaledTo(Point3 p, double length);
// Turned about X, then Y, then Z by the angles of `r` (radians).
Point3 rotatedXYZ(Point3 p, Point3 r);

}  // namespace OmbrixHost
