#pragma once
// Subdivides a flat polygon by the slices from its centre to each edge, as
// the disc and the newer platonic node do, and welds the pieces into shared
// points.
#include "GeometryData.h"

#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

namespace OmbrixHost {

enum class SliceMode : std::int32_t { kQuads, kTriangles, kPie, kCaps, kCircle };

using Polygon3 = std::vector<Point3>;

// The pieces of the polygon `corners` (about `centre`), each turned as the
// polygon is; `steps` 0 leaves the polygon whole. Quads: a quad about each
// corner (centre, edge middles, corner), each a steps x steps grid.
// Triangles: each slice (centre and an edge) a grid of steps^2 triangles.
// Pie: each slice cut into `steps` thinner slices. Caps: steps + 1 rings,
// the innermost a fan of triangles. Circle: a polygon in the middle and
// `steps` rings of quads about it.
std::vector<Polygon3> slicePolygon(Point3 centre, const Polygon3& corners, SliceMode mode, int steps);

// How many points and faces slicing one polygon of `sides` corners makes
// (the centre and the corners counted), to refuse absurd counts up front.
struct SliceCounts {
  std::int64_t points = 0, faces = 0;
};
SliceCounts sliceCounts(int sides, SliceMode mode, int steps);

// Gives one index to points closer than `tolerance` (on a grid of that size).
class PointWelder {
public:
  PointWelder(std::vector<Point3>& points, double tolerance) : points_(points), grid_(1.0 / tolerance) {}
  // The point's index; `added` says whether it is new.
  int index(Point3 p, bool& added);

private:
  std::vector<Point3>& points_;
  double grid_;
  std::map<std::tuple<std::int64_t, std::int64_t, std::int64_t>, int> known_;
};

}  // namespace OmbrixHost
