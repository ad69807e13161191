// planarTrimSurface: the region the curves on inputCurve[] bound, in their
// plane: the curve enclosing the largest area its outline, the others holes
// in it. Each curve is taken as points: a linear curve's CVs, any other
// sampled 8 times a span. The surface is the flat patch (degree 1, 2 x 2 CVs)
// over the loops' bounding rectangle in the plane, U along the outline's first
// edge; tessellated, the region is one face with its holes, split as faces
// with holes are, its UVs its place in that rectangle.
#include "PlanarTrim.h"

#include "MeshHistory.h"
#include "NurbsCurve.h"
#include "NurbsTessellator.h"
#include "Point3Math.h"
#include "Scene.h"

#include <algorithm>
#include <cmath>

namespace OmbrixHost {
namespace {

constexpr int kSamplesPerSpan = 8;
constexpr std::size_t kMostLoopPoints = 100000;
constexpr int kMostCurves = 64;

std::vector<Point3> loopOf(const NurbsCurve& c) {
  std::vector<Point3> out;
  if (c.degree == 1) {
    out = c.cvs;
  } else {
    const NurbsData d = curveAsSurface(c);
    const NurbsEvaluator e(d);
    const std::size_t spans = c.knots.size() > static_cast<std::size_t>(2 * c.degree - 1)
                                  ? c.knots.size() - static_cast<std::size_t>(2 * c.degree - 1)
                                  : 1;
    const std::size_t count = std::min(kMostLoopPoints, spans * kSamplesPerSpan);
    for (std::size_t k = 0; k <= count; ++k)
      out.push_back(e.at(e.uMin() + (e.uMax() - e.uMin()) * static_cast<double>(k) / static_cast<double>(count), 0.0));
  }
  while (out.size() > 1 && (out.back() - out.front()).x == 0.0 && (out.back() - out.front()).y == 0.0 &&
         (out.back() - out.front()).z == 0.0)
    out.pop_back();
  return out;
}

Point3 newell(const std::vector<Point3>& p) {
  Point3 n;
  for (std::size_t k = 0; k < p.size(); ++k)
    n = n + cross(p[k], p[(k + 1) % p.size()]);
  return n;
}

}  // namespace

bool planarTrimSurface(const Node& n, NurbsData& d, std::string& why) {
  std::vector<std::vector<Point3>> loops;
  const AttrDef* inputs = n.findAttribute("inputCurve");
  for (int i : inputs ? scene().existingIndices(PlugRef{const_cast<Node*>(&n), inputs, {-1}}) : std::vector<int>{}) {
    const Connection* c = incomingConnection(&n, "inputCurve[" + std::to_string(i) + "]");
    NurbsCurve curve;
    if (!c)
      continue;
    if (!curveAt(c->remote, curve, why))
      return false;
    if (loops.size() >= static_cast<std::size_t>(kMostCurves)) {
      why = "it trims by more than " + std::to_string(kMostCurves) + " curves";
      return false;
    }
    loops.push_back(loopOf(curve));
    if (loops.back().size() < 3) {
      why = "its curve " + std::to_string(i) + " bounds no region";
      return false;
    }
  }
  if (loops.empty()) {
    why = "no curve is connected to its inputCurve";
    return false;
  }
  // The outline: the loop enclosing the most; the others holes.
  std::size_t outer = 0;
  for (std::size_t k = 1; k < loops.size(); ++k)
    if (dot(newell(loops[k]), newell(loops[k])) > dot(newell(loops[outer]), newell(loops[outer])))
      outer = k;
  std::swap(loops[0], loops[outer]);
  const Point3 normal = newell(loops[0]);
  if (dot(normal, normal) <= 0.0) {
    why = "its curves bound no flat region";
    return false;
  }
  const Point3 z = normalized(normal), origin = loops[0][0];
  const Point3 x = normalized((loops[0][1] - origin) - z * dot(loops[0][1] - origin, z)), y = cross(z, x);
  double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  for (const auto& loop : loops)
    for (const auto& p : loop) {
      const double px = dot(p - origin, x), py = dot(p - origin, y);
      x0 = std::min(x0, px), x1 = std::max(x1, px), y0 = std::min(y0, py), y1 = std::max(y1, py);
    }
  d = NurbsData();
  d.degreeU = d.degreeV = 1;
  d.knotsU = d.knotsV = {0.0, 1.0};
  for (double u : {x0, x1})
    for (double v : {y0, y1}) {
      d.cvs.push_back(origin + x * u + y * v);
      d.weights.push_back(1.0);
    }
  d.planarLoops = std::move(loops);
  return true;
}

}  // namespace OmbrixHost
