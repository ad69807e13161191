// polyCube: width x height x depth about the origin, each side a grid of
// subdivisionsWidth/Height/Depth. The points run in rows along x around the
// band front, top, back, bottom, then the inside points of the right and left
// sides; the UVs are Maya's cross (the band up the middle column, the right
// and left sides beside the front).
#include "CreationNodes.h"
#include "PrimitiveBuilder.h"

#include <vector>

namespace OmbrixHost {

using namespace Creation;

namespace {

struct CubeGrid {
  int sw, sh, sd;
  int rows() const { return 2 * sh + 2 * sd; }
  // The band row a point of an end side lies on, or -1 inside the side:
  // a from the front (0) to the back (sd), b from the bottom (0) to the top (sh).
  int bandRow(int a, int b) const {
    if (a == 0)
      return b;
    if (b == sh)
      return sh + a;
    if (a == sd)
      return sh + sd + (sh - b);
    if (b == 0)
      return (2 * sh + sd + (sd - a)) % rows();
    return -1;
  }
};

}  // namespace

bool generateCube(const Node& n, MeshData& out, std::string& why) {
  if (!countsWithin(n, {"subdivisionsWidth", "subdivisionsHeight", "subdivisionsDepth"}, 1, 4096, why))
    return false;
  CubeGrid g{static_cast<int>(attr(n, "subdivisionsWidth")), static_cast<int>(attr(n, "subdivisionsHeight")),
             static_cast<int>(attr(n, "subdivisionsDepth"))};
  if (2LL * ((g.sw + 1LL) * (g.sh + 1) + (g.sw + 1LL) * g.sd + (g.sh + 1LL) * g.sd) > kMaxCreatedPoints) {
    why = "its subdivisions ask for too many points";
    return false;
  }
  double w = attr(n, "width"), h = attr(n, "height"), d = attr(n, "depth");
  Builder b;
  // Band row r: its y and z going up the front, back over the top, down the back, forward under the bottom.
  auto rowYZ = [&](int r, double& y, double& z) {
    if (r <= g.sh)
      y = -h / 2 + h * r / g.sh, z = d / 2;
    else if (r <= g.sh + g.sd)
      y = h / 2, z = d / 2 - d * (r - g.sh) / g.sd;
    else if (r <= 2 * g.sh + g.sd)
      y = h / 2 - h * (r - g.sh - g.sd) / g.sh, z = -d / 2;
    else
      y = -h / 2, z = -d / 2 + d * (r - 2 * g.sh - g.sd) / g.sd;
  };
  for (int r = 0; r < g.rows(); ++r)
    for (int c = 0; c <= g.sw; ++c) {
      double y = 0, z = 0;
      rowYZ(r, y, z);
      b.point(-w / 2 + w * c / g.sw, y, z);
    }
  auto band = [&](int r, int c) { return (r % g.rows()) * (g.sw + 1) + c; };
  // The end sides' points, x = +w/2 (right) then x = -w/2 (left).
  std::vector<int> sidePoint[2];
  for (int side = 0; side < 2; ++side)
    for (int a = 0; a <= g.sd; ++a)
      for (int bb = 0; bb <= g.sh; ++bb) {
        int row = g.bandRow(a, bb);
        sidePoint[side].push_back(row >= 0 ? band(row, side ? 0 : g.sw)
                                           : b.point(side ? -w / 2 : w / 2, -h / 2 + h * bb / g.sh, d / 2 - d * a / g.sd));
      }
  auto sideAt = [&](int side, int a, int bb) { return sidePoint[side][static_cast<std::size_t>(a * (g.sh + 1) + bb)]; };
  // UVs: the band, a quarter of the height per side; then the right and left sides.
  auto rowV = [&](int r) {
    if (r <= g.sh)
      return 0.25 * r / g.sh;
    if (r <= g.sh + g.sd)
      return 0.25 + 0.25 * (r - g.sh) / g.sd;
    if (r <= 2 * g.sh + g.sd)
      return 0.5 + 0.25 * (r - g.sh - g.sd) / g.sh;
    return 0.75 + 0.25 * (r - 2 * g.sh - g.sd) / g.sd;
  };
  for (int r = 0; r <= g.rows(); ++r)
    for (int c = 0; c <= g.sw; ++c)
      b.texel(0.375 + 0.25 * c / g.sw, rowV(r));
  auto bandUV = [&](int r, int c) { return r * (g.sw + 1) + c; };
  std::vector<int> sideUV[2];
  for (int side = 0; side < 2; ++side) {
    sideUV[side].assign(static_cast<std::size_t>((g.sd + 1) * (g.sh + 1)), 0);
    for (int bb = 0; bb <= g.sh; ++bb)
      for (int a = 0; a <= g.sd; ++a) {
        // The right side meets the front's right column at a = 0, the left side its left column at a = 0.
        int& uv = sideUV[side][static_cast<std::size_t>(a * (g.sh + 1) + bb)];
        uv = a == 0 ? bandUV(bb, side ? 0 : g.sw)
                    : b.texel(side ? 0.375 - 0.25 * a / g.sd : 0.625 + 0.25 * a / g.sd, 0.25 * bb / g.sh);
      }
  }
  auto sideUVAt = [&](int side, int a, int bb) { return sideUV[side][static_cast<std::size_t>(a * (g.sh + 1) + bb)]; };
  for (int r = 0; r < g.rows(); ++r)
    for (int c = 0; c < g.sw; ++c)
      b.face({{band(r, c), bandUV(r, c)}, {band(r, c + 1), bandUV(r, c + 1)}, {band(r + 1, c + 1), bandUV(r + 1, c + 1)},
              {band(r + 1, c), bandUV(r + 1, c)}});
  for (int side = 0; side < 2; ++side)
    for (int a = 0; a < g.sd; ++a)
      for (int bb = 0; bb < g.sh; ++bb) {
        // Seen from outside the right side runs front to back, the left side back to front.
        int a0 = side ? a + 1 : a, a1 = side ? a : a + 1;
        b.face({{sideAt(side, a0, bb), sideUVAt(side, a0, bb)}, {sideAt(side, a1, bb), sideUVAt(side, a1, bb)},
                {sideAt(side, a1, bb + 1), sideUVAt(side, a1, bb + 1)},
                {sideAt(side, a0, bb + 1), sideUVAt(side, a0, bb + 1)}});
      }
  out = b.finish(n);
  return true;
}

}  // namespace OmbrixHost
