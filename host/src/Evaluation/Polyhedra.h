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

}  // namespace OmbrixHost
