#include "SurfaceHistory.h"

#include "MeshHistory.h"
#include "NurbsCurve.h"
#include "NurbsFitting.h"
#include "PrimitiveBuilder.h"

#include <cmath>

namespace OmbrixHost {
namespace {

using Creation::attr;

const int kMaxSections = 1024;
const double kFullTurn = 6.283185307179586;

Point3 minus(const Point3& a, const Point3& b) { return Point3{a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(const Point3& a, const Point3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Point3 cross(const Point3& a, const Point3& b) {
  return Point3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
bool finite(const Point3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

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
  Point3 d = minus(p, pivot);
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

}  // namespace

bool isSurfaceHistory(const Node& node) { return node.typeName == "revolve"; }

bool buildHistorySurface(const Node& node, NurbsData& out, std::string& why) {
  NurbsData d;
  bool ok = false;
  if (node.typeName == "revolve")
    ok = revolve(node, d, why);
  if (!ok)
    return false;
  if (!d.valid()) {
    why = "the surface it makes is not valid";
    return false;
  }
  out = std::move(d);
  return true;
}

}  // namespace OmbrixHost
