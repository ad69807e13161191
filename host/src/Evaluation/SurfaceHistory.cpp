#include "SurfaceHistory.h"

#include "CreationNodes.h"
#include "Extrude.h"
#include "MeshHistory.h"
#include "NurbsCurve.h"
#include "NurbsFitting.h"
#include "PlanarTrim.h"
#include "Point3Math.h"
#include "PrimitiveBuilder.h"
#include "Scene.h"

#include <algorithm>

#include <cmath>

namespace OmbrixHost {
namespace {

using Creation::attr;

const int kMaxSections = 1024;
const int kMaxLoftCurves = 64;
const double kFullTurn = 6.283185307179586;


bool connectedCurve(const Node& node, const std::string& key, NurbsCurve& out, std::string& why) {
  const Connection* c = incomingConnection(&node, key);
  if (!c) {
    why = "no curve is connected to its " + key;
    return false;
  }
  return curveAt(c->remote, out, why);
}

// `p` turned by `angle` about the line through `pivot` along the unit `axis`,
// its distance from the line scaled by `ring`.
Point3 turned(const Point3& p, const Point3& pivot, const Point3& axis, double angle, double ring) {
  Point3 d = p - pivot;
  double along = dot(d, axis);
  Point3 out{d.x - along * axis.x, d.y - along * axis.y, d.z - along * axis.z};
  Point3 side = cross(axis, out);
  double c = std::cos(angle) * ring, s = std::sin(angle) * ring;
  return Point3{pivot.x + along * axis.x + c * out.x + s * side.x, pivot.y + along * axis.y + c * out.y + s * side.y,
                pivot.z + along * axis.z + c * out.z + s * side.z};
}

// The profile (U) turned round the axis (V) from startSweep to endSweep in
// `sections` spans of `degree` 1 or 3.
bool revolve(const Node& n, NurbsData& d, std::string& why) {
  NurbsCurve profile;
  if (!connectedCurve(n, "inputCurve", profile, why))
    return false;
  double degree = attr(n, "degree"), sections = attr(n, "sections");
  if (degree != 1.0 && degree != 3.0) {
    why = "its degree is not 1 or 3";
    return false;
  }
  if (!(sections >= 1.0 && sections <= kMaxSections)) {
    why = "its sections are not between 1 and " + std::to_string(kMaxSections);
    return false;
  }
  Point3 axis{attr(n, "axisX"), attr(n, "axisY"), attr(n, "axisZ")};
  Point3 pivot{attr(n, "pivotX"), attr(n, "pivotY"), attr(n, "pivotZ")};
  double start = attr(n, "startSweep"), sweep = attr(n, "endSweep") - start, length = std::sqrt(dot(axis, axis));
  if (!finite(axis) || !finite(pivot) || !std::isfinite(sweep) || !(length > 1e-12)) {
    why = "its axis, pivot or sweep is not a number, or the axis has no length";
    return false;
  }
  if (std::fabs(sweep) < 1e-9) {
    why = "its sweep is empty";
    return false;
  }
  sweep = std::max(-kFullTurn, std::min(kFullTurn, sweep));
  axis = Point3{axis.x / length, axis.y / length, axis.z / length};
  Revolution around = revolution(static_cast<int>(sections), static_cast<int>(degree), start, sweep);
  if (!withinPointLimit(profile.cvs.size(), around.angles.size(), why))
    return false;
  d.degreeU = profile.degree;
  d.formU = profile.form;
  d.knotsU = profile.knots;
  d.degreeV = static_cast<int>(degree);
  d.formV = around.form;
  d.knotsV = around.knots;
  d.rational = profile.rational;
  for (std::size_t i = 0; i < profile.cvs.size(); ++i)
    for (std::size_t j = 0; j < around.angles.size(); ++j) {
      d.cvs.push_back(turned(profile.cvs[i], pivot, axis, around.angles[j], around.rings[j]));
      d.weights.push_back(profile.weights[i]);
    }
  return true;
}

// The curves on inputCurve[], in index order, each turned round when its reverse[] is on.
bool loftCurves(const Node& n, std::vector<NurbsCurve>& out, std::string& why) {
  const AttrDef* inputs = n.findAttribute("inputCurve");
  for (int i : scene().existingIndices(PlugRef{const_cast<Node*>(&n), inputs, {-1}})) {
    std::string key = "inputCurve[" + std::to_string(i) + "]";
    if (!incomingConnection(&n, key))
      continue;
    if (out.size() >= static_cast<std::size_t>(kMaxLoftCurves)) {
      why = "it lofts more than " + std::to_string(kMaxLoftCurves) + " curves";
      return false;
    }
    NurbsCurve c;
    if (!connectedCurve(n, key, c, why))
      return false;
    if (n.number("reverse[" + std::to_string(i) + "]", 0.0) != 0.0) {
      std::reverse(c.cvs.begin(), c.cvs.end());
      std::reverse(c.weights.begin(), c.weights.end());
      double sum = c.knots.front() + c.knots.back();
      for (auto& k : c.knots)
        k = sum - k;
      std::reverse(c.knots.begin(), c.knots.end());
    }
    out.push_back(std::move(c));
  }
  if (out.size() < 2) {
    why = "fewer than two curves are connected to its inputCurve";
    return false;
  }
  return true;
}

// The curves share one degree, form and knot vector, once each is scaled to the first one's range.
bool sameLayout(std::vector<NurbsCurve>& curves) {
  const NurbsCurve& first = curves.front();
  double a0 = first.knots.front(), a1 = first.knots.back();
  for (auto& c : curves) {
    if (c.degree != first.degree || c.form != first.form || c.knots.size() != first.knots.size())
      return false;
    double b0 = c.knots.front(), b1 = c.knots.back();
    for (std::size_t k = 0; k < c.knots.size(); ++k) {
      double mapped = a0 + (c.knots[k] - b0) * (a1 - a0) / (b1 - b0);
      if (std::fabs(mapped - first.knots[k]) > 1e-9 * std::max(1.0, std::fabs(a1 - a0)))
        return false;
    }
  }
  return true;
}

// Where each curve sits across the surface: 0, 1, 2... with uniform on, else
// by the mean distance between the curves' CVs, over the same range.
std::vector<double> loftParameters(const std::vector<NurbsCurve>& rows, bool uniform) {
  std::vector<double> t{0.0};
  for (std::size_t k = 1; k < rows.size(); ++k) {
    double d = 0.0;
    for (std::size_t i = 0; i < rows[k].cvs.size(); ++i) {
      Point3 step = rows[k].cvs[i] - rows[k - 1].cvs[i];
      d += std::sqrt(dot(step, step));
    }
    t.push_back(t.back() + (uniform ? 1.0 : d / static_cast<double>(rows[k].cvs.size())));
  }
  double total = t.back(), count = static_cast<double>(rows.size() - 1);
  for (auto& v : t)
    v = total > 0.0 ? v * count / total : v;
  return t;
}

// Knots that average the parameters, so that the interpolation is well posed.
std::vector<double> averagedKnots(const std::vector<double>& t, int degree) {
  std::vector<double> knots(static_cast<std::size_t>(degree), t.front());
  int n = static_cast<int>(t.size());
  for (int j = 1; j <= n - degree - 1; ++j) {
    double sum = 0.0;
    for (int i = j; i < j + degree; ++i)
      sum += t[static_cast<std::size_t>(i)];
    knots.push_back(sum / degree);
  }
  knots.insert(knots.end(), static_cast<std::size_t>(degree), t.back());
  return knots;
}

// A surface through the curves (U across them, V along them), of `degree` 1
// or 3 across (less with fewer curves); with close the first curve ends it again.
// The same surface with U and V exchanged: cv(u, v) becomes cv(v, u).
void swapDirections(NurbsData& d) {
  const int numU = d.numCVsU(), numV = d.numCVsV();
  std::vector<Point3> cvs(d.cvs.size());
  std::vector<double> weights(d.weights.size());
  for (int u = 0; u < numU; ++u)
    for (int v = 0; v < numV; ++v) {
      cvs[static_cast<std::size_t>(v * numU + u)] = d.cvs[static_cast<std::size_t>(u * numV + v)];
      weights[static_cast<std::size_t>(v * numU + u)] = d.weights[static_cast<std::size_t>(u * numV + v)];
    }
  d.cvs = std::move(cvs);
  d.weights = std::move(weights);
  std::swap(d.degreeU, d.degreeV);
  std::swap(d.formU, d.formV);
  std::swap(d.knotsU, d.knotsV);
}

bool loft(const Node& n, NurbsData& d, std::string& why) {
  std::vector<NurbsCurve> rows;
  if (!loftCurves(n, rows, why))
    return false;
  if (!sameLayout(rows)) {
    why = "its curves differ in degree, form or knots";
    return false;
  }
  double degree = attr(n, "degree");
  if (degree != 1.0 && degree != 3.0) {
    why = "its degree is not 1 or 3";
    return false;
  }
  if (attr(n, "close") != 0.0)
    rows.push_back(rows.front());
  if (!withinPointLimit(rows.size(), rows.front().cvs.size(), why))
    return false;
  int across = std::min(static_cast<int>(degree), static_cast<int>(rows.size()) - 1);
  std::vector<double> t = loftParameters(rows, attr(n, "uniform") != 0.0);
  d.degreeU = across;
  d.knotsU = averagedKnots(t, across);
  d.degreeV = rows.front().degree;
  d.formV = rows.front().form;
  d.knotsV = rows.front().knots;
  d.rational = rows.front().rational;
  const std::size_t count = rows.size(), along = rows.front().cvs.size();
  std::vector<std::vector<double>> collocation;
  for (double v : t)
    collocation.push_back(basisAt(d.knotsU, across, static_cast<int>(count), v));
  std::vector<std::vector<double>> values(count);  // per curve, its CVs in homogeneous coordinates
  for (std::size_t k = 0; k < count; ++k)
    for (std::size_t i = 0; i < along; ++i) {
      double w = rows[k].weights[i];  // so that rational curves keep their weights
      values[k].insert(values[k].end(), {rows[k].cvs[i].x * w, rows[k].cvs[i].y * w, rows[k].cvs[i].z * w, w});
    }
  if (!solveRows(collocation, values)) {
    why = "its curves cannot be interpolated (two of them coincide)";
    return false;
  }
  for (std::size_t k = 0; k < count; ++k)
    for (std::size_t i = 0; i < along; ++i) {
      const double* h = &values[k][4 * i];
      if (!(h[3] > 1e-12)) {
        why = "its curves' weights cannot be interpolated";
        return false;
      }
      d.cvs.push_back(Point3{h[0] / h[3], h[1] / h[3], h[2] / h[3]});
      d.weights.push_back(h[3]);
    }
  // Maya reverses the loft's normals by swapping its U and V directions.
  if (attr(n, "reverseSurfaceNormals") != 0.0)
    swapDirections(d);
  return true;
}

using SurfaceBuilder = bool (*)(const Node&, NurbsData&, std::string&);
const std::pair<const char*, SurfaceBuilder> kBuilders[] = {{"revolve", revolve}, {"loft", loft}, {"extrude", extrudeSurface},
                                                              {"planarTrimSurface", planarTrimSurface}};

}  // namespace

bool withinPointLimit(std::size_t rows, std::size_t columns, std::string& why) {
  if (static_cast<double>(rows) * static_cast<double>(columns) <= static_cast<double>(kMaxCreatedPoints))
    return true;
  why = "its surface would have " + std::to_string(rows) + " x " + std::to_string(columns) + " CVs, more than " +
        std::to_string(kMaxCreatedPoints);
  return false;
}

bool isSurfaceHistory(const Node& node) {
  for (const auto& builder : kBuilders)
    if (node.typeName == builder.first)
      return true;
  return false;
}

bool buildHistorySurface(const Node& node, NurbsData& out, std::string& why) {
  for (const auto& [type, build] : kBuilders) {
    if (node.typeName != type)
      continue;
    NurbsData d;
    if (!build(node, d, why))
      return false;
    if (!d.valid()) {
      why = "the surface it makes is not valid";
      return false;
    }
    out = std::move(d);
    return true;
  }
  why = "a " + node.typeName + " node is not evaluated";
  return false;
}

}  // namespace OmbrixHost
