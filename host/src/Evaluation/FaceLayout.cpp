#include "FaceLayout.h"

#include "Point3Math.h"

#include <algorithm>

namespace OmbrixHost {
namespace {

// The face's plane: x along its first edge, y across it (right-handed about the outline's normal).
void faceAxes(const std::vector<Point3>& outline, Point3& x, Point3& y) {
  Point3 normal;
  for (std::size_t k = 0; k < outline.size(); ++k)
    normal = normal + cross(outline[k], outline[(k + 1) % outline.size()]);
  x = normalized(outline[1] - outline[0]);
  y = normalized(cross(normalized(normal), x));
}

}  // namespace

UVSet flatUVs(const std::string& name, const std::vector<Point3>& points, const std::vector<Point3>& outline,
              bool keepProportions) {
  Point3 x, y;
  faceAxes(outline, x, y);
  std::vector<double> us, vs;
  for (const auto& p : points) {
    us.push_back(dot(p - outline[0], x));
    vs.push_back(dot(p - outline[0], y));
  }
  const auto [uMin, uMax] = std::minmax_element(us.begin(), us.end());
  const auto [vMin, vMax] = std::minmax_element(vs.begin(), vs.end());
  double su = *uMax - *uMin, sv = *vMax - *vMin;
  if (keepProportions)
    su = sv = std::max(su, sv);
  UVSet set{name, {}, {}, {}};
  for (std::size_t i = 0; i < points.size(); ++i) {
    set.us.push_back(static_cast<float>(su > 0 ? (us[i] - *uMin) / su : 0.0));
    set.vs.push_back(static_cast<float>(sv > 0 ? (vs[i] - *vMin) / sv : 0.0));
  }
  return set;
}

}  // namespace OmbrixHost
