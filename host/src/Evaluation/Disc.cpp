// polyDisc: a flat `sides`-gon of `radius` facing +Y, its slices subdivided by
// subdivisionMode (quads, triangles, pie, caps, circle) `subdivisions` times.
#include "CreationNodes.h"
#include "FaceSlicer.h"
#include "PrimitiveBuilder.h"

#include <algorithm>
#include <cmath>

namespace OmbrixHost {

using namespace Creation;

bool generateDisc(const Node& n, MeshData& out, std::string& why) {
  if (!countsWithin(n, {"sides"}, 3, 4096, why) || !countsWithin(n, {"subdivisions"}, 0, 4096, why) ||
      !countsWithin(n, {"subdivisionMode"}, 0, 4, why))
    return false;
  int sides = static_cast<int>(attr(n, "sides")), steps = static_cast<int>(attr(n, "subdivisions"));
  auto mode = static_cast<SliceMode>(static_cast<int>(attr(n, "subdivisionMode")));
  if (sliceCounts(sides, mode, steps).points > kMaxCreatedPoints) {
    why = "its sides and subdivisions ask for too many points";
    return false;
  }
  double r = attr(n, "radius");
  if (!(std::fabs(r) > 0) || !std::isfinite(r)) {
    why = "radius is out of range";
    return false;
  }
  Polygon3 rim;
  for (int i = 0; i < sides; ++i)
    rim.push_back(ringPoint(r, 0.0, i, sides));
  Builder b;
  PointWelder welder(b.m.points, 1e-9 * std::max(1.0, std::fabs(r)));
  // A planar map: the disc fills the unit square, one UV per point.
  for (const Polygon3& piece : slicePolygon(Point3{}, rim, mode, steps)) {
    std::vector<std::pair<int, int>> corners;
    for (const Point3& p : piece) {
      bool added = false;
      int v = welder.index(p, added);
      if (added)
        b.texel(0.5 + p.x / (2 * r), 0.5 - p.z / (2 * r));
      corners.emplace_back(v, v);
    }
    b.face(corners);
  }
  out = b.finish(n);
  return true;
}

}  // namespace OmbrixHost
