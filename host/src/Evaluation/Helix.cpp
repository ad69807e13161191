// polyHelix: a tube of `radius` wound `coils` times about the y axis, the
// coil `width` across and `height` tall, centred on the origin.
#include "CreationNodes.h"
#include "Point3Math.h"
#include "PrimitiveBuilder.h"

#include <algorithm>
#include <cmath>

namespace OmbrixHost {

using namespace Creation;

namespace {

// Where the tube's centre line is a fraction t of the way along, and the
// frame across it there: `out` away from the axis, `side` = along x out.
struct CoilFrame {
  Point3 centre, along, out, side;
};

struct Coil {
  double coils, height, halfWidth;
  bool clockwise;
  CoilFrame at(double t) const {
    double turn = 2 * kPi * coils, angle = turn * t * (clockwise ? -1 : 1);
    double c = std::cos(angle), s = std::sin(angle);
    CoilFrame f;
    f.centre = {halfWidth * c, -height / 2 + height * t, -halfWidth * s};
    f.out = {c, 0, -s};
    double sweep = halfWidth * turn * (clockwise ? -1 : 1);
    Point3 d{-sweep * s, height, -sweep * c};
    f.along = scaledTo(d, 1.0);
    f.side = cross(f.along, f.out);
    return f;
  }
};

Point3 across(const CoilFrame& f, double radius, double angle) {
  double c = radius * std::cos(angle), s = radius * std::sin(angle);
  return {f.centre.x + c * f.out.x + s * f.side.x, f.centre.y + c * f.out.y + s * f.side.y,
          f.centre.z + c * f.out.z + s * f.side.z};
}

// Where the helix's UVs lie: the tube unrolled, `width` along the coil by
// `height` round it, and the end caps' circles of `capRadius` about
// (`firstCapU`, `capV`) and (`lastCapU`, `capV`) above it.
struct HelixLayout {
  double width, height, capRadius, capV, firstCapU, lastCapU;
};

// createUVs 2 (normalise) fills the unit square; 1 (no normalisation) gives the
// tube as long as its centre line and as high as it runs round, the caps
// their size side by side above it; 3 (keep the aspect ratio) that scaled
// into the unit square.
HelixLayout helixLayout(int mode, double length, double radius, int sides) {
  if (mode != 1 && mode != 3)
    return {1.0, 0.75, 0.1, 0.875, 0.25, 0.75};
  double around = ringLength(radius, sides);
  double s = mode == 3 ? unitScale(std::max({length, around + 2 * radius, 4 * radius})) : 1;
  return {s * length, s * around, s * radius, s * (around + radius), s * radius, s * 3 * radius};
}

}  // namespace

bool generateHelix(const Node& n, MeshData& out, std::string& why) {
  if (!countsWithin(n, {"subdivisionsAxis"}, 3, 4096, why) || !countsWithin(n, {"subdivisionsCoil"}, 1, 1 << 20, why) ||
      !countsWithin(n, {"subdivisionsCaps"}, 0, 1024, why))
    return false;
  double coils = attr(n, "coils"), r = attr(n, "radius");
  int sa = static_cast<int>(attr(n, "subdivisionsAxis")), sc = static_cast<int>(attr(n, "subdivisionsCaps"));
  double segmentsWanted = std::ceil(attr(n, "subdivisionsCoil") * coils - 1e-9);
  double capPoints = sc > 0 ? 2.0 * (sa * (sc - 1.0) + 1) : 0.0;
  if (!(coils > 0) || !(segmentsWanted >= 1) || sa * (segmentsWanted + 1) + capPoints > kMaxCreatedPoints) {
    why = "its coils and subdivisions ask for no tube or too many points";
    return false;
  }
  Coil coil{coils, attr(n, "height"), attr(n, "width") / 2, attr(n, "direction") == 0};
  if (!(r > 0) || !std::isfinite(r) || !std::isfinite(coil.height) || !std::isfinite(coil.halfWidth) ||
      !(std::hypot(coil.height, coil.halfWidth) > 0)) {
    why = "radius, height or width is out of range";
    return false;
  }
  int segments = static_cast<int>(segmentsWanted);
  Builder b;
  for (int j = 0; j <= segments; ++j) {
    CoilFrame f = coil.at(static_cast<double>(j) / segments);
    for (int k = 0; k < sa; ++k)
      b.point(across(f, r, 2 * kPi * k / sa));
  }
  // The tube's UVs u along the coil, v round it; the caps sit above.
  double length = std::hypot(2 * kPi * coils * coil.halfWidth, coil.height);
  HelixLayout uv = helixLayout(static_cast<int>(attr(n, "createUVs")), length, r, sa);
  for (int j = 0; j <= segments; ++j)
    for (int k = 0; k <= sa; ++k)
      b.texel(uv.width * j / segments, uv.height * k / sa);
  auto v = [&](int j, int k) { return j * sa + (k % sa); };
  auto t = [&](int j, int k) { return j * (sa + 1) + k; };
  for (int j = 0; j < segments; ++j)
    for (int k = 0; k < sa; ++k)
      b.face({{v(j, k), t(j, k)}, {v(j, k + 1), t(j, k + 1)}, {v(j + 1, k + 1), t(j + 1, k + 1)},
              {v(j + 1, k), t(j + 1, k)}});
  bool round = attr(n, "roundCap") != 0;
  for (int end = 0; end < 2; ++end) {
    CoilFrame f = coil.at(end);
    int j = end ? segments : 0;
    double outward = end ? 1.0 : -1.0;
    Cap cap;
    for (int k = 0; k < sa; ++k)
      cap.rim.push_back(v(j, k));
    cap.rings = sc;
    cap.inner = [&, f](double fraction, int k) { return across(f, r * fraction, 2 * kPi * k / sa); };
    if (round)
      cap.dome = scaledTo(f.along, outward * r);
    cap.u = end ? uv.lastCapU : uv.firstCapU;
    cap.v = uv.capV;
    cap.uvRadius = uv.capRadius;
    cap.reversed = !end;
    addCap(b, cap);
  }
  out = b.finish(n);
  return true;
}

}  // namespace OmbrixHost
