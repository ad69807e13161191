#pragma once
// The regular polyhedra about the origin, faces turned outwards.
#include "GeometryData.h"

#include <vector>

namespace OmbrixHost {

struct Polyhedron {
  std::vector<Point3> points;
  std::vector<std::vector<int>> faces;
};

enum class RegularSolid { kTetrahedron, kCube, kOctahedron, kDodecahedron, kIcosahedron };

// Every point `radius` from the centre.
Polyhedron regularSolid(RegularSolid solid, double radius);

Point3 scaledTo(Point3 p, double length);
double dot(Point3 a, Point3 b);
Point3 minus(Point3 a, Point3 b);
Point3 cross(Point3 a, Point3 b);

}  // namespace OmbrixHost
