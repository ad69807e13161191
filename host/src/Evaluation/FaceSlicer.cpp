#include "FaceSlicer.h"

#include <cmath>
#include <cstddef>

namespace OmbrixHost {
namespace {

Point3 mix(Point3 a, Point3 b, double t) {
  return {(1 - t) * a.x + t * b.x, (1 - t) * a.y + t * b.y, (1 - t) * a.z + t * b.z};
}

// Slice i of the polygon: the point a fraction `out` of the way from the
// centre to the edge from corner i to corner i + 1, `along` of the way along it.
struct Slices {
  Point3 centre;
  const Polygon3& corners;
  Point3 at(std::size_t i, double out, double along) const {
    if (out == 0)
      return centre;
    return mix(centre, mix(corners[i], corners[(i + 1) % corners.size()], along), out);
  }
};

// Rows out from the centre, `columns` pieces along each slice's edge; the
// innermost row meets the centre in triangles.
void radialGrid(const Slices& s, std::size_t i, int rows, int columns, std::vector<Polygon3>& out) {
  for (int k = 1; k <= rows; ++k) {
    double t0 = static_cast<double>(k - 1) / rows, t1 = static_cast<double>(k) / rows;
    for (int j = 0; j < columns; ++j) {
      double a0 = static_cast<double>(j) / columns, a1 = static_cast<double>(j + 1) / columns;
      if (k == 1)
        out.push_back({s.centre, s.at(i, t1, a0), s.at(i, t1, a1)});
      else
        out.push_back({s.at(i, t0, a0), s.at(i, t1, a0), s.at(i, t1, a1), s.at(i, t0, a1)});
    }
  }
}

// The quad about corner i (the centre, the middle of the edge before it, the
// corner, the middle of the edge after it) as a grid of steps x steps.
void cornerGrid(const Slices& s, std::size_t i, int steps, std::vector<Polygon3>& out) {
  std::size_t n = s.corners.size();
  Point3 c = s.centre, before = s.at((i + n - 1) % n, 1, 0.5), corner = s.corners[i], after = s.at(i, 1, 0.5);
  auto q = [&](int a, int b) {
    double x = static_cast<double>(a) / steps, y = static_cast<double>(b) / steps;
    return mix(mix(c, before, x), mix(after, corner, x), y);
  };
  for (int a = 0; a < steps; ++a)
    for (int b = 0; b < steps; ++b)
      out.push_back({q(a, b), q(a + 1, b), q(a + 1, b + 1), q(a, b + 1)});
}

// Equal triangles: row k out from the centre has k points along the slice.
void triangleGrid(const Slices& s, std::size_t i, int steps, std::vector<Polygon3>& out) {
  auto q = [&](int k, int j) { return k == 0 ? s.centre : s.at(i, static_cast<double>(k) / steps, static_cast<double>(j) / k); };
  for (int k = 0; k < steps; ++k)
    for (int j = 0; j <= k; ++j) {
      out.push_back({q(k, j), q(k + 1, j), q(k + 1, j + 1)});
      if (j < k)
        out.push_back({q(k, j), q(k + 1, j + 1), q(k, j + 1)});
    }
}

}  // namespace

std::vector<Polygon3> slicePolygon(Point3 centre, const Polygon3& corners, SliceMode mode, int steps) {
  if (steps <= 0)
    return {corners};
  Slices s{centre, corners};
  std::vector<Polygon3> out;
  if (mode == SliceMode::kCircle) {
    Polygon3 middle;
    for (std::size_t i = 0; i < corners.size(); ++i)
      middle.push_back(s.at(i, 1.0 / (steps + 1), 0.0));
    out.push_back(middle);
  }
  for (std::size_t i = 0; i < corners.size(); ++i) {
    switch (mode) {
    case SliceMode::kQuads:
      cornerGrid(s, i, steps, out);
      break;
    case SliceMode::kTriangles:
      triangleGrid(s, i, steps, out);
      break;
    case SliceMode::kPie:
      radialGrid(s, i, 1, steps, out);
      break;
    case SliceMode::kCaps:
      radialGrid(s, i, steps + 1, 1, out);
      break;
    case SliceMode::kCircle: {
      std::vector<Polygon3> rings;
      radialGrid(s, i, steps + 1, 1, rings);
      out.insert(out.end(), rings.begin() + 1, rings.end());
      break;
    }
    }
  }
  return out;
}

SliceCounts sliceCounts(int sides, SliceMode mode, int steps) {
  std::int64_t n = sides, s = steps;
  if (steps <= 0)
    return {n, 1};
  switch (mode) {
  case SliceMode::kQuads:
    return {1 + n * s + n * s * s, n * s * s};
  case SliceMode::kTriangles:
    return {1 + n * s * (s + 1) / 2, n * s * s};
  case SliceMode::kPie:
    return {1 + n * s, n * s};
  case SliceMode::kCaps:
    return {1 + n * (s + 1), n * (s + 1)};
  case SliceMode::kCircle:
    return {n * (s + 1), 1 + n * s};
  }
  return {};
}

int PointWelder::index(Point3 p, bool& added) {
  auto key = std::make_tuple(static_cast<std::int64_t>(std::llround(p.x * grid_)),
                             static_cast<std::int64_t>(std::llround(p.y * grid_)),
                             static_cast<std::int64_t>(std::llround(p.z * grid_)));
  auto it = known_.find(key);
  added = it == known_.end();
  if (!added)
    return it->second;
  points_.push_back(p);
  int i = static_cast<int>(points_.size()) - 1;
  known_.emplace(key, i);
  return i;
}

}  // namespace OmbrixHost
