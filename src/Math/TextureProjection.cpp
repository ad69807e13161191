#include "Math/TextureProjection.h"

#include <cmath>

namespace {

struct Offset {
  double x, y, z;
};

Offset OffsetFrom(const PointRecord& point, const Vector3& centre) {
  return {double(point[0]) - centre.x, double(point[1]) - centre.y, double(point[2]) - centre.z};
}

void StoreUV(PointRecord& point, double u, double v) {
  point[3] = static_cast<float>(u);
  point[4] = static_cast<float>(v);
}

}  // namespace

double Azimuth(double x, double z) { return std::atan2(z, x) * 0.15915494309189535 + 0.75; }

double Elevation(double x, double y, double z) {
  return std::atan2(y, std::sqrt(x * x + z * z)) * 0.3183098861837907 + 0.5;
}

void ProjectPlanar(PointRecord& point, const Vector3& centre, const Vector3& size, int axis) {
  const Offset d = OffsetFrom(point, centre);
  double u = d.x / size.x;
  double v = d.y / size.y;
  const double w = d.z / size.z;
  if (axis == 0) {
    u = w;
  } else if (axis == 1) {
    v = w;
  }
  StoreUV(point, u + 0.5, v + 0.5);
}

void ProjectCylindrical(PointRecord& point, const Vector3& centre, const Vector3& size,
                        int axis) {
  const Offset d = OffsetFrom(point, centre);
  if (axis == 0) {
    StoreUV(point, Azimuth(d.y, d.z), d.x / size.x + 0.5);
  } else if (axis == 1) {
    StoreUV(point, Azimuth(d.x, d.z), d.y / size.y + 0.5);
  } else {
    StoreUV(point, Azimuth(d.x, d.y), d.z / size.z + 0.5);
  }
}

void ProjectSpherical(PointRecord& point, const Vector3& centre, int axis) {
  const Offset d = OffsetFrom(point, centre);
  Offset r = d;  // axis 1
  if (axis == 0) {
    r = {d.z, d.x, d.y};
  } else if (axis == 2) {
    r = {d.x, d.z, d.y};
  }
  StoreUV(point, Azimuth(r.x, r.z), Elevation(r.x, r.y, r.z));
}
