// polyCube: width x height x depth about the origin, each side a grid of
// subdivisionsWidth/Height/Depth. The points run in rows along x around the
// band front, top, back, bottom, then the inside points of the right and left
// sides; the UVs are Maya's cross (the band up the middle column, the right
// and left sides beside the front), laid out as createUVs asks. A cube of
// one face a side numbers its edges as Maya does: the four along x round the
// band, then the two up each row of it.
#include "CreationNodes.h"
#include "PrimitiveBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
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

// Where the cross's parts lie: the middle column `frontWidth` wide from
// `left`, the end sides `sideWidth` wide beside the front, the front and back
// `frontHeight` tall, the top and bottom `capHeight`, from v 0 up.
struct CrossLayout {
  double left, frontWidth, sideWidth, frontHeight, capHeight;
};

// createUVs 3 (normalise collectively) gives each part a quarter of the unit
// square; 1 (no normalisation) and 4 (keep the aspect ratio) make the parts
// as long as the cube's sides, 4 then scaled to fit the unit square; both
// centred on u 0.5 as the collective cross is.
CrossLayout crossLayout(int mode, double w, double h, double d) {
  if (mode != 1 && mode != 4)
    return {0.375, 0.25, 0.25, 0.25, 0.25};
  double width = std::fabs(w), height = std::fabs(h), depth = std::fabs(d);
  double extent = std::max(width + 2 * depth, 2 * (height + depth));
  double s = mode == 4 ? unitScale(extent) : 1;
  return {0.5 - s * width / 2, s * width, s * depth, s * height, s * depth};
}

// createUVs 2 (normalise each face separately): every face's UVs its own,
// stretched over the unit square.
void unitizeFaces(UVSet& uv, const std::vector<int>& faceCounts) {
  UVSet out{uv.name, {}, {}, {}};
  std::size_t corner = 0;
  for (int count : faceCounts) {
    std::size_t first = corner, end = corner + static_cast<std::size_t>(count);
    float lowU = 1e30f, lowV = 1e30f, highU = -1e30f, highV = -1e30f;
    for (std::size_t k = first; k < end; ++k) {
      auto id = static_cast<std::size_t>(uv.uvIds[k]);
      lowU = std::min(lowU, uv.us[id]), highU = std::max(highU, uv.us[id]);
      lowV = std::min(lowV, uv.vs[id]), highV = std::max(highV, uv.vs[id]);
    }
    for (std::size_t k = first; k < end; ++k) {
      auto id = static_cast<std::size_t>(uv.uvIds[k]);
      out.us.push_back(highU > lowU ? (uv.us[id] - lowU) / (highU - lowU) : 0.f);
      out.vs.push_back(highV > lowV ? (uv.vs[id] - lowV) / (highV - lowV) : 0.f);
      out.uvIds.push_back(static_cast<int>(out.us.size()) - 1);
    }
    corner = end;
  }
  uv = std::move(out);
}

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
  // UVs: the band up the middle column; then the right and left sides.
  int mode = static_cast<int>(attr(n, "createUVs"));
  CrossLayout x = crossLayout(mode, w, h, d);
  auto rowV = [&](int r) {
    if (r <= g.sh)
      return x.frontHeight * r / g.sh;
    if (r <= g.sh + g.sd)
      return x.frontHeight + x.capHeight * (r - g.sh) / g.sd;
    if (r <= 2 * g.sh + g.sd)
      return x.frontHeight + x.capHeight + x.frontHeight * (r - g.sh - g.sd) / g.sh;
    return 2 * x.frontHeight + x.capHeight + x.capHeight * (r - 2 * g.sh - g.sd) / g.sd;
  };
  for (int r = 0; r <= g.rows(); ++r)
    for (int c = 0; c <= g.sw; ++c)
      b.texel(x.left + x.frontWidth * c / g.sw, rowV(r));
  auto bandUV = [&](int r, int c) { return r * (g.sw + 1) + c; };
  std::vector<int> sideUV[2];
  for (int side = 0; side < 2; ++side) {
    sideUV[side].assign(static_cast<std::size_t>((g.sd + 1) * (g.sh + 1)), 0);
    for (int bb = 0; bb <= g.sh; ++bb)
      for (int a = 0; a <= g.sd; ++a) {
        // The right side meets the front's right column at a = 0, the left side its left column at a = 0.
        int& uv = sideUV[side][static_cast<std::size_t>(a * (g.sh + 1) + bb)];
        uv = a == 0 ? bandUV(bb, side ? 0 : g.sw)
                    : b.texel(side ? x.left - x.sideWidth * a / g.sd : x.left + x.frontWidth + x.sideWidth * a / g.sd,
                              x.frontHeight * bb / g.sh);
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
  if (mode == 2)
    unitizeFaces(b.uv, b.m.faceCounts);
  out = b.finish(n);
  if (g.sw == 1 && g.sh == 1 && g.sd == 1)
    out.edges = {0, 1, 2, 3, 4, 5, 6, 7, 0, 2, 1, 3, 2, 4, 3, 5, 4, 6, 5, 7, 6, 0, 7, 1};  // as Maya lists them
  return true;
}

}  // namespace OmbrixHost
