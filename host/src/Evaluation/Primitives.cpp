#include "Primitives.h"

#include "CreationNodes.h"
#include "NurbsFitting.h"
#include "Polyhedra.h"
#include "PrimitiveBuilder.h"
#include "SurfaceHistory.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace OmbrixHost {
namespace {

using namespace Creation;

// The UVs fill the unit square, or with createUVs 2 (preserve aspect ratio)
// its longer side's length from the origin, the other side in proportion.
bool plane(const Node& n, MeshData& out, std::string&) {
  double w = attr(n, "width"), h = attr(n, "height");
  int sw = static_cast<int>(attr(n, "subdivisionsWidth")), sh = static_cast<int>(attr(n, "subdivisionsHeight"));
  double su = 1, sv = 1;
  if (attr(n, "createUVs") == 2) {
    double s = unitScale(std::max(std::fabs(w), std::fabs(h)));
    su = s * std::fabs(w), sv = s * std::fabs(h);
  }
  Builder b;
  for (int r = 0; r <= sh; ++r)
    for (int c = 0; c <= sw; ++c) {
      b.point(-w / 2 + w * c / sw, 0.0, h / 2 - h * r / sh);
      b.texel(su * c / sw, sv * r / sh);
    }
  auto v = [&](int r, int c) { return r * (sw + 1) + c; };
  for (int r = 0; r < sh; ++r)
    for (int c = 0; c < sw; ++c)
      b.face({{v(r, c), v(r, c)}, {v(r, c + 1), v(r, c + 1)}, {v(r + 1, c + 1), v(r + 1, c + 1)},
              {v(r + 1, c), v(r + 1, c)}});
  // Maya lists the edges point by point: from each to the next along its row, then to the one in the next row.
  for (int r = 0; r <= sh; ++r)
    for (int c = 0; c <= sw; ++c) {
      if (c < sw)
        b.m.edges.insert(b.m.edges.end(), {v(r, c), v(r, c + 1)});
      if (r < sh)
        b.m.edges.insert(b.m.edges.end(), {v(r, c), v(r + 1, c)});
    }
  out = b.finish(n);
  return true;
}

bool sphere(const Node& n, MeshData& out, std::string&) {
  double r = attr(n, "radius");
  int sa = static_cast<int>(attr(n, "subdivisionsAxis")), sh = static_cast<int>(attr(n, "subdivisionsHeight"));
  Builder b;
  auto v = [&](int k, int i) { return k * sa + (i % sa); };
  // Each ring starts one step round, as Maya's do.
  for (int k = 1; k < sh; ++k) {
    double phi = -kPi / 2 + kPi * k / sh;
    for (int i = 0; i < sa; ++i)
      b.point(ringPoint(r * std::cos(phi), r * std::sin(phi), i + 1, sa));
  }
  int south = b.point(0, -r, 0), north = b.point(0, r, 0);
  auto t = [&](int k, int i) { return k * (sa + 1) + i; };
  for (int k = 1; k < sh; ++k)
    for (int i = 0; i <= sa; ++i)
      b.texel(static_cast<double>(i) / sa, static_cast<double>(k) / sh);
  for (int k = 0; k + 1 < sh - 1; ++k)
    for (int i = 0; i < sa; ++i)
      b.face({{v(k, i), t(k, i)}, {v(k, i + 1), t(k, i + 1)}, {v(k + 1, i + 1), t(k + 1, i + 1)},
              {v(k + 1, i), t(k + 1, i)}});
  for (int i = 0; i < sa; ++i) {
    int pole = b.texel((i + 0.5) / sa, 0.0);
    b.face({{v(0, i + 1), t(0, i + 1)}, {v(0, i), t(0, i)}, {south, pole}});
  }
  int top = sh - 2;
  for (int i = 0; i < sa; ++i) {
    int pole = b.texel((i + 0.5) / sa, 1.0);
    b.face({{v(top, i), t(top, i)}, {v(top, i + 1), t(top, i + 1)}, {north, pole}});
  }
  b.m.edges = ringEdges(sa, sh - 2, south, north);
  out = b.finish(n);
  return true;
}

// Revolves a closed profile of (radius, height) points about the y axis into
// `sa` columns, numbered as Maya numbers a torus and a pipe: a ring of points
// for each profile point, each ring from `start` steps round; the UVs in rows
// from v 1 down; each face from its second point on one ring back to its
// first, then on to the next ring; the edges round each ring, then across
// to the next, the last ring's back to the first. The profile runs up at the
// inner side so that faces point outwards.
void revolveMesh(Builder& b, const std::vector<std::pair<double, double>>& profile, int sa, int start) {
  int rows = static_cast<int>(profile.size());
  for (const auto& rh : profile)
    for (int i = 0; i < sa; ++i)
      b.point(ringPoint(rh.first, rh.second, i + start, sa));
  for (int j = 0; j <= rows; ++j)
    for (int i = 0; i <= sa; ++i)
      b.texel(static_cast<double>(i) / sa, 1.0 - static_cast<double>(j) / rows);
  auto v = [&](int j, int i) { return (j % rows) * sa + (i % sa); };
  auto t = [&](int j, int i) { return j * (sa + 1) + i; };
  for (int j = 0; j < rows; ++j)
    for (int i = 0; i < sa; ++i)
      b.face({{v(j, i + 1), t(j, i + 1)}, {v(j, i), t(j, i)}, {v(j + 1, i), t(j + 1, i)},
              {v(j + 1, i + 1), t(j + 1, i + 1)}});
  b.m.edges = ringEdges(sa, rows - 1, -1, -1);
  for (int i = 0; i < sa; ++i)
    b.m.edges.insert(b.m.edges.end(), {v(rows - 1, i), i});
}

// The section's rings from its inner equator up over the top, each from one step round.
bool torus(const Node& n, MeshData& out, std::string&) {
  double r = attr(n, "radius"), sr = attr(n, "sectionRadius"), twist = attr(n, "twist") * kPi / 180.0;
  int sa = static_cast<int>(attr(n, "subdivisionsAxis")), sh = static_cast<int>(attr(n, "subdivisionsHeight"));
  std::vector<std::pair<double, double>> section;
  for (int j = 0; j < sh; ++j) {
    double a = kPi - 2 * kPi * j / sh + twist;
    section.emplace_back(r + sr * std::cos(a), sr * std::sin(a));
  }
  Builder b;
  revolveMesh(b, section, sa, 1);
  out = b.finish(n);
  return true;
}

// Points from `from` towards `to` in `steps` equal steps, the end left out.
void walk(std::vector<std::pair<double, double>>& profile, std::pair<double, double> from, std::pair<double, double> to,
          int steps) {
  for (int k = 0; k < steps; ++k)
    profile.emplace_back(from.first + (to.first - from.first) * k / steps,
                         from.second + (to.second - from.second) * k / steps);
}

// Across a round cap: a half circle from `from` to `to` bulging by half their
// distance (up when `up`), the end left out.
void arc(std::vector<std::pair<double, double>>& profile, std::pair<double, double> from, std::pair<double, double> to,
         int steps, bool up) {
  double cr = (from.first + to.first) / 2, half = std::fabs(to.first - from.first) / 2;
  double start = from.first > to.first ? 0.0 : kPi;
  for (int k = 0; k < steps; ++k) {
    double a = start + (up ? 1 : -1) * (from.first > to.first ? 1 : -1) * kPi * k / steps;
    profile.emplace_back(cr + half * std::cos(a), from.second + half * std::sin(a));
  }
}

// A tube of outer radius `radius`, wall `thickness`, centred on the origin:
// up the inside, out across the top, down the outside, in across the bottom,
// its rings from +X, as Maya numbers it. Maya makes the pipe half as tall as
// its height says, whatever its cap subdivisions: the walls of a pipe of
// height 2 (one of four cap rows, one saved with none) span 1 in Maya's
// exports, and the first edge ring of a pipe of height 9.80 (one cap row)
// lies 2.45 below its centre in the bounds Maya stored for the next node.
// Saved with no cap subdivisions (as Maya's pipe tool makes it), the pipe is
// made with one. Round caps are half circles across the wall; with
// roundCapHeightCompensation the walls are shortened so that the caps' tops
// stay within that height.
bool pipe(const Node& n, MeshData& out, std::string& why) {
  double r = attr(n, "radius"), h = attr(n, "height") / 2, inner = r - attr(n, "thickness");
  if (!(inner > 0 && inner < r)) {
    why = "its thickness leaves no hole inside the pipe";
    return false;
  }
  int sh = static_cast<int>(attr(n, "subdivisionsHeight")), sc = std::max(1, static_cast<int>(attr(n, "subdivisionsCaps")));
  std::vector<std::pair<double, double>> profile;
  bool round = attr(n, "roundCap") != 0;
  double top = wallHalfHeight(n, h, (r - inner) / 2);
  walk(profile, {inner, -top}, {inner, top}, sh);
  if (round)
    arc(profile, {inner, top}, {r, top}, sc, true);
  else
    walk(profile, {inner, h / 2}, {r, h / 2}, sc);
  walk(profile, {r, top}, {r, -top}, sh);
  if (round)
    arc(profile, {r, -top}, {inner, -top}, sc, false);
  else
    walk(profile, {r, -h / 2}, {inner, -h / 2}, sc);
  Builder b;
  revolveMesh(b, profile, static_cast<int>(attr(n, "subdivisionsAxis")), 0);
  out = b.finish(n);
  return true;
}

// solidType 0 dodecahedron, 1 icosahedron, 2 octahedron, 3 tetrahedron, every point `radius` from the centre.
bool platonicSolid(const Node& n, MeshData& out, std::string& why) {
  int type = static_cast<int>(attr(n, "solidType"));
  const RegularSolid solids[] = {RegularSolid::kDodecahedron, RegularSolid::kIcosahedron, RegularSolid::kOctahedron,
                                 RegularSolid::kTetrahedron};
  if (type < 0 || type > 3) {
    why = "its solidType is not one of the four solids";
    return false;
  }
  Polyhedron solid = regularSolid(solids[type], attr(n, "radius"));
  Builder b;
  for (Point3 p : solid.points)
    b.point(p);
  for (const auto& f : solid.faces) {
    std::vector<std::pair<int, int>> corners;
    for (int v : f)
      corners.emplace_back(v, 0);
    b.face(corners);
  }
  out = b.finish(n);
  out.uvSets.clear();  // Maya makes no UVs on these solids, whatever createUVs says
  return true;
}

bool nurbSphere(const Node& n, NurbsData& d, std::string& why) {
  if (!countsWithin(n, {"degree", "spans", "sections"}, 1, 64, why))
    return false;
  int deg = static_cast<int>(attr(n, "degree")), spans = static_cast<int>(attr(n, "spans"));
  int sections = static_cast<int>(attr(n, "sections"));
  if (deg > 7 || sections < deg) {
    why = "degree or sections out of range";
    return false;
  }
  double r = attr(n, "radius");
  d.degreeU = d.degreeV = deg;
  Revolution around = revolution(sections, deg, 0.0, 2 * kPi);
  d.formU = 1;
  d.formV = around.form;
  d.knotsU = openKnots(spans, deg);
  d.knotsV = around.knots;
  int cu = d.numCVsU(), cv = d.numCVsV();
  // The profile interpolates the half circle at the CVs' Greville parameters;
  // the rings are widened so that a cubic passes through the circle at its knots.
  auto gu = greville(d.knotsU, deg, cu);
  std::vector<std::vector<double>> collocation;
  std::vector<double> heights, radii;
  for (double g : gu) {
    collocation.push_back(basisAt(d.knotsU, deg, cu, g));
    double phi = -kPi / 2 + kPi * g / spans;
    heights.push_back(r * std::sin(phi));
    radii.push_back(r * std::cos(phi));
  }
  if (!solve(collocation, heights) || !solve(collocation, radii)) {
    why = "the sphere's profile cannot be fitted";
    return false;
  }
  for (int i = 0; i < cu; ++i)
    for (int j = 0; j < cv; ++j) {
      double theta = around.angles[static_cast<std::size_t>(j)];
      double radius = radii[static_cast<std::size_t>(i)] * around.ring;
      d.cvs.push_back({radius * std::cos(theta), heights[static_cast<std::size_t>(i)], -radius * std::sin(theta)});
      d.weights.push_back(1.0);
    }
  return true;
}

bool nurbPlane(const Node& n, NurbsData& d, std::string& why) {
  if (!countsWithin(n, {"degree", "patchesU", "patchesV"}, 1, 256, why))
    return false;
  int deg = static_cast<int>(attr(n, "degree"));
  if (deg > 7) {
    why = "degree out of range";
    return false;
  }
  int pu = static_cast<int>(attr(n, "patchesU")), pv = static_cast<int>(attr(n, "patchesV"));
  double w = attr(n, "width"), l = w * attr(n, "lengthRatio");
  d.degreeU = d.degreeV = deg;
  d.knotsU = openKnots(pu, deg);
  d.knotsV = openKnots(pv, deg);
  auto gu = greville(d.knotsU, deg, d.numCVsU());
  auto gv = greville(d.knotsV, deg, d.numCVsV());
  for (double u : gu)
    for (double v : gv) {
      d.cvs.push_back({-w / 2 + w * u / pu, 0.0, l / 2 - l * v / pv});
      d.weights.push_back(1.0);
    }
  return true;
}

}  // namespace

bool generatePolyPrimitive(const Node& creator, MeshData& out, std::string& why) {
  const std::string& type = creator.typeName;
  if (type == "polyCube")
    return generateCube(creator, out, why);
  if (type == "polyPlane")
    return countsWithin(creator, {"subdivisionsWidth", "subdivisionsHeight"}, 1, 4096, why) && plane(creator, out, why);
  if (type == "polySphere")
    return countsWithin(creator, {"subdivisionsAxis", "subdivisionsHeight"}, 1, 4096, why) &&
           attr(creator, "subdivisionsAxis") >= 3 && attr(creator, "subdivisionsHeight") >= 2 &&
           sphere(creator, out, why);
  if (type == "polyCylinder")
    return generateCylinder(creator, out, why);
  if (type == "polyTorus")
    return countsWithin(creator, {"subdivisionsAxis", "subdivisionsHeight"}, 1, 4096, why) &&
           attr(creator, "subdivisionsAxis") >= 3 && attr(creator, "subdivisionsHeight") >= 3 &&
           torus(creator, out, why);
  if (type == "polyPyramid")
    return generatePyramid(creator, out, why);
  if (type == "polyPrism")
    return generatePrism(creator, out, why);
  if (type == "polyPipe")
    return countsWithin(creator, {"subdivisionsAxis", "subdivisionsHeight"}, 1, 4096, why) &&
           countsWithin(creator, {"subdivisionsCaps"}, 0, 4096, why) && attr(creator, "subdivisionsAxis") >= 3 &&
           pipe(creator, out, why);
  if (type == "polyPlatonicSolid")
    return platonicSolid(creator, out, why);
  if (type == "polyCone")
    return generateCone(creator, out, why);
  if (type == "polyDisc")
    return generateDisc(creator, out, why);
  if (type == "polyHelix")
    return generateHelix(creator, out, why);
  if (type == "polyPlatonic")
    return generatePlatonic(creator, out, why);
  if (type == "polyCreateFace" || type == "polyCreateFacet")
    return generateCreateFace(creator, out, why);
  why = "a " + type + " node is not evaluated";
  return false;
}

bool generateNurbsPrimitive(const Node& creator, NurbsData& out, std::string& why) {
  if (isSurfaceHistory(creator))
    return buildHistorySurface(creator, out, why);
  NurbsData d;
  bool ok = false;
  if (creator.typeName == "makeNurbSphere")
    ok = nurbSphere(creator, d, why);
  else if (creator.typeName == "makeNurbPlane")
    ok = nurbPlane(creator, d, why);
  else
    why = "a " + creator.typeName + " node is not evaluated";
  if (!ok)
    return false;
  auto rotate = axisRotation(creator);
  for (auto& p : d.cvs)
    p = rotate(p);
  out = std::move(d);
  return out.valid();
}

}  // namespace OmbrixHost
