#include <cfloat>
#include <cmath>

#include "Model3D/PolygonArrays.h"

namespace {

bool fitsFloat(double value) { return std::isfinite(value) && std::fabs(value) <= static_cast<double>(FLT_MAX); }

}  // namespace

// The sums of Maya's point-times-matrix product in its order (w = 1 adds the
// translation as it is), so that a point placed here equals MPoint * MMatrix.
WorldPoints placePoints(const std::vector<double>& xyz, const double matrix[16]) {
  const double* m = matrix;
  const size_t count = xyz.size() / 3;
  WorldPoints out;
  out.points.resize(count);
  out.finite.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const double x = xyz[3 * i], y = xyz[3 * i + 1], z = xyz[3 * i + 2];
    const double wx = x * m[0] + y * m[4] + z * m[8] + m[12];
    const double wy = x * m[1] + y * m[5] + z * m[9] + m[13];
    const double wz = x * m[2] + y * m[6] + z * m[10] + m[14];
    out.finite[i] = fitsFloat(wx) && fitsFloat(wy) && fitsFloat(wz);
    if (out.finite[i]) out.points[i] = Vector3(wx, wy, wz);
  }
  return out;
}
