#include "Polyhedra.h"

#include "Point3Math.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace OmbrixHost {


namespace {

// The triangles of a regular polyhedron: every three points an edge apart, turned outwards.
Polyhedron triangulated(std::vector<Point3> points, double edge) {
  auto adjacent = [&](int a, int b) {
    Point3 d = points[static_cast<std::size_t>(a)] - points[static_cast<std::size_t>(b)];
    return std::fabs(std::sqrt(dot(d, d)) - edge) < 1e-6 * edge;
  };
  std::vector<std::vector<int>> faces;
  int n = static_cast<int>(points.size());
  for (int a = 0; a < n; ++a)
    for (int b = a + 1; b < n; ++b)
      for (int c = b + 1; c < n; ++c)
        if (adjacent(a, b) && adjacent(b, c) && adjacent(a, c)) {
          Point3 pa = points[static_cast<std::size_t>(a)];
          Point3 normal =
              cross(points[static_cast<std::size_t>(b)] - pa, points[static_cast<std::size_t>(c)] - pa);
          faces.push_back(dot(normal, pa) > 0 ? std::vector<int>{a, b, c} : std::vector<int>{a, c, b});
        }
  return {std::move(points), std::move(faces)};
}

// The dual: a point at each face's centre, a face around each point, turned outwards.
Polyhedron dual(const Polyhedron& p) {
  std::vector<Point3> centres;
  for (const auto& f : p.faces) {
    Point3 c{};
    for (int v : f) {
      const Point3& q = p.points[static_cast<std::size_t>(v)];
      c = {c.x + q.x, c.y + q.y, c.z + q.z};
    }
    centres.push_back(c);
  }
  std::vector<std::vector<int>> faces;
  for (std::size_t v = 0; v < p.points.size(); ++v) {
    Point3 axis = p.points[v];
    std::vector<int> around;
    for (std::size_t f = 0; f < p.faces.size(); ++f)
      if (std::find(p.faces[f].begin(), p.faces[f].end(), static_cast<int>(v)) != p.faces[f].end())
        around.push_back(static_cast<int>(f));
    Point3 first = centres[static_cast<std::size_t>(around[0])];
    Point3 u = first - scaledTo(axis, dot(first, axis) / std::sqrt(dot(axis, axis)));
    Point3 w = cross(axis, u);
    auto angle = [&](int f) {
      Point3 c = centres[static_cast<std::size_t>(f)];
      return std::atan2(dot(c, w), dot(c, u));
    };
    std::sort(around.begin(), around.end(), [&](int a, int b) { return angle(a) < angle(b); });
    faces.push_back(around);
  }
  return {centres, faces};
}

Polyhedron icosahedron() {
  const double phi = (1 + std::sqrt(5.0)) / 2;
  std::vector<Point3> points;
  for (double a : {-1.0, 1.0})
    for (double b : {-phi, phi})
      for (Point3 p : {Point3{0, a, b}, Point3{a, b, 0}, Point3{b, 0, a}})
        points.push_back(p);
  return triangulated(points, 2.0);
}

Polyhedron octahedron() {
  return triangulated({{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}}, std::sqrt(2.0));
}

}  // namespace

Polyhedron regularSolid(RegularSolid solid, double radius) {
  Polyhedron p;
  switch (solid) {
  case RegularSolid::kTetrahedron:
    p = triangulated({{1, 1, 1}, {1, -1, -1}, {-1, 1, -1}, {-1, -1, 1}}, std::sqrt(8.0));
    break;
  case RegularSolid::kCube:
    p = dual(octahedron());
    break;
  case RegularSolid::kOctahedron:
    p = octahedron();
    break;
  case RegularSolid::kDodecahedron:
    p = dual(icosahedron());
    break;
  case RegularSolid::kIcosahedron:
    p = icosahedron();
    break;
  }
  for (Point3& q : p.points)
    q = scaledTo(q, radius);
  return p;
}

}  // namespace OmbrixHost
