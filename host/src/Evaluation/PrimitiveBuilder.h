#pragma once
// What the creation nodes' meshes are built from: the node's numbers, the
// turn onto its axis, a mesh builder with one UV set, and the caps that
// close a ring of points.
#include "GeometryData.h"
#include "Node.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace OmbrixHost {
namespace Creation {

constexpr double kPi = 3.14159265358979323846;

// The attribute's value, its default when unset, 0 when the node has no such attribute.
double attr(const Node& n, const char* name);

// Maps the primitive's own +Y onto its axis attribute.
std::function<Point3(Point3)> axisRotation(const Node& n);

// Point i of a ring of `around` points about the y axis, angle 0 on +x turning towards -z.
Point3 ringPoint(double radius, double y, int i, int around);
// The length once round such a ring.
double ringLength(double radius, int around);

// The edges as Maya lists those of `rows` + 1 rings of `sides` points, ring
// j's point i numbered j * sides + i: each ring round, then up between the
// rings, then the spokes from `bottomCentre` to the first ring and from the
// last ring to `topCentre` (none when bottomCentre is negative).
std::vector<int> ringEdges(int sides, int rows, int bottomCentre, int topCentre);

// The scale that fits a layout `extent` long into the unit square (1 for an empty one).
double unitScale(double extent);

// False with `why` set unless every named count lies in [low, high].
bool countsWithin(const Node& n, std::initializer_list<const char*> counts, int low, int high, std::string& why);

struct Builder {
  MeshData m;
  UVSet uv{"map1", {}, {}, {}};
  int point(double x, double y, double z);
  int point(Point3 p) { return point(p.x, p.y, p.z); }
  int texel(double u, double v);
  void face(std::initializer_list<std::pair<int, int>> corners);
  void face(const std::vector<std::pair<int, int>>& corners);
  // The mesh turned onto the node's axis, with its UVs unless the node's createUVs is 0.
  MeshData finish(const Node& n);
};

// Half the height of a tube's straight wall: half the tube's `height`, less
// the round caps' `capHeight` when roundCapHeightCompensation keeps them inside it.
double wallHalfHeight(const Node& n, double height, double capHeight);

// A cap across the ring `rim`: one polygon when `rings` is 0, otherwise
// rings - 1 rings of quads inside it and a fan of triangles to the centre.
// inner(f, i) is point i of the ring a fraction f of the way out (f 0: the centre).
// A round cap bulges by `dome` (the offset of its centre from the rim's plane),
// each inner ring lifted onto the half sphere over the rim.
// Rim point i lies (i + start) steps round. UVs lie on a circle of `uvRadius`
// about (u, v), turning upwards in v when `faceUp`; the rim's are made here
// unless `rimTexels` holds them. `reversed` turns the faces round (a cap
// looking the other way): each face then runs from its second rim corner
// back to its first, a whole-cap polygon from rim point 0 backwards.
struct Cap {
  std::vector<int> rim;
  std::function<Point3(double, int)> inner;
  int rings = 0;
  Point3 dome{};
  double u = 0.5, v = 0.5, uvRadius = 0.25;
  int start = 0;
  bool faceUp = true;
  bool reversed = false;
  std::vector<int> rimTexels;
};
// The UV of the cap's rim point i, a fraction `radius` of the way out.
int capTexel(Builder& b, const Cap& cap, double radius, int i);
void addCap(Builder& b, const Cap& cap);

}  // namespace Creation
}  // namespace OmbrixHost
