#include "NurbsCurve.h"

#include "Deformers.h"
#include "MeshHistory.h"
#include "NurbsFitting.h"
#include "Point3Math.h"
#include "PrimitiveBuilder.h"
#include "RawData.h"
#include "SetAttr.h"

#include <algorithm>
#include <cmath>

namespace OmbrixHost {
namespace {

const long long kMaxSpans = 1 << 20;
const int kMaxSections = 1024;
const double kFullTurn = 6.283185307179586;

// "degree spans form rational dimension", the knots, then the CVs (x y [z] [w]).
bool parseCurve(DataCursor& c, NurbsCurve& out) {
  long long degree, spans, form, dimension, knotCount, cvCount;
  std::string rational;
  bool quoted;
  if (!c.integer(degree) || !c.integer(spans) || !c.integer(form) || !c.item(rational, quoted) ||
      !c.integer(dimension) || degree < 1 || degree > 7 || spans < 1 || spans > kMaxSpans || form < 0 || form > 2 ||
      (rational != "yes" && rational != "no") || (dimension != 2 && dimension != 3))
    return false;
  if (!c.integer(knotCount) || knotCount != spans + 2 * degree - 1 ||
      static_cast<unsigned long long>(knotCount) > c.remaining() / 2)
    return false;
  out.degree = static_cast<int>(degree);
  out.form = static_cast<int>(form) + 1;
  out.rational = rational == "yes";
  out.knots.resize(static_cast<std::size_t>(knotCount));
  for (auto& k : out.knots)
    if (!c.number(k) || !std::isfinite(k))
      return false;
  for (std::size_t i = 1; i < out.knots.size(); ++i)
    if (out.knots[i] < out.knots[i - 1])
      return false;
  if (!c.integer(cvCount) || cvCount != spans + degree)
    return false;
  double scale = linearScale();
  for (long long i = 0; i < cvCount; ++i) {
    Point3 p;
    double w = 1.0;
    if (!c.number(p.x) || !c.number(p.y) || (dimension == 3 && !c.number(p.z)) || (out.rational && !c.number(w)) ||
        !std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z) || !(w > 0.0))
      return false;
    out.cvs.push_back(Point3{p.x * scale, p.y * scale, p.z * scale});
    out.weights.push_back(w);
  }
  return c.atEnd();
}

// makeNurbCircle: `sections` spans of `degree` 1 or 3 round `normal` through
// `sweep`, `radius` from `center`, starting along Y x normal (+X for the
// normals Y and Z, -Z for X), turning right-handed about the normal.
bool circle(const Node& n, NurbsCurve& out, std::string& why) {
  using Creation::attr;
  double degree = attr(n, "degree"), sections = attr(n, "sections"), radius = attr(n, "radius");
  double sweep = std::max(-kFullTurn, std::min(kFullTurn, attr(n, "sweep")));
  Point3 normal{attr(n, "normalX"), attr(n, "normalY"), attr(n, "normalZ")};
  Point3 center{attr(n, "centerX"), attr(n, "centerY"), attr(n, "centerZ")};
  double length = std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z);
  if ((degree != 1.0 && degree != 3.0) || !(sections >= 1.0 && sections <= kMaxSections) || !std::isfinite(radius) ||
      !std::isfinite(sweep) || std::fabs(sweep) < 1e-9 || !std::isfinite(center.x + center.y + center.z) ||
      !(length > 1e-12)) {
    why = "the circle " + n.name + "'s degree, sections, radius, sweep, normal or center cannot be used";
    return false;
  }
  normal = Point3{normal.x / length, normal.y / length, normal.z / length};
  Point3 start = cross(Point3{0, 1, 0}, normal);
  double s = std::sqrt(start.x * start.x + start.y * start.y + start.z * start.z);
  start = s > 1e-9 ? Point3{start.x / s, start.y / s, start.z / s} : Point3{1, 0, 0};
  Point3 side = cross(normal, start);
  Revolution around = revolution(static_cast<int>(sections), static_cast<int>(degree), 0.0, sweep);
  out.degree = static_cast<int>(degree);
  out.form = around.form;
  out.knots = around.knots;
  for (std::size_t j = 0; j < around.angles.size(); ++j) {
    double c = std::cos(around.angles[j]) * around.rings[j] * radius, t = std::sin(around.angles[j]) * around.rings[j] * radius;
    out.cvs.push_back(Point3{center.x + c * start.x + t * side.x, center.y + c * start.y + t * side.y,
                             center.z + c * start.z + t * side.z});
    out.weights.push_back(1.0);
  }
  return true;
}

// The curve a shape's history makes: a makeNurbCircle connected to its create.
bool createdCurve(const Node& shape, NurbsCurve& out, std::string& why, bool& found) {
  const Connection* c = incomingConnection(&shape, "create");
  found = c && c->remote.node->typeName == "makeNurbCircle";
  return found && circle(*c->remote.node, out, why);
}

// The curve data the file gives the shape (".cc").
bool fileCurve(const Node& shape, NurbsCurve& out, std::string& why) {
  for (const auto& line : shape.rawSetAttrs) {
    PlugRef plug;
    DataCursor values(line.data(), line.data());
    if (!openRawData(shape, line, "nurbsCurve", plug, values) || !plug.attr || plug.attr->name != "cached")
      continue;
    out = NurbsCurve();
    if (parseCurve(values, out))
      return true;
    why = "the data of the curve " + shape.name + " does not describe a curve";
    return false;
  }
  why = "the curve " + shape.name + " holds no data in the file";
  return false;
}

}  // namespace

bool curveAt(const PlugRef& source, NurbsCurve& out, std::string& why) {
  const Node& shape = *source.node;
  if (shape.typeName != "nurbsCurve") {
    why = "its curve comes from " + shape.name + ", a " + shape.typeName + " node the host does not read curves from";
    return false;
  }
  bool created = false;
  bool ok = createdCurve(shape, out, why, created);
  if (!created)
    ok = fileCurve(shape, out, why);
  if (!ok)
    return false;
  Matrix4 world;
  if (source.attr && source.attr->name == "worldSpace" && dagWorldMatrix(&shape, world))
    for (auto& p : out.cvs)
      p = world.apply(p);
  return true;
}

NurbsData curveAsSurface(const NurbsCurve& c) {
  NurbsData d;
  d.degreeU = c.degree;
  d.formU = c.form;
  d.rational = c.rational;
  d.knotsU = c.knots;
  d.degreeV = 1;
  d.knotsV = {0.0, 1.0};
  for (std::size_t i = 0; i < c.cvs.size(); ++i)
    for (int row = 0; row < 2; ++row) {
      d.cvs.push_back(c.cvs[i]);
      d.weights.push_back(c.weights[i]);
    }
  return d;
}

}  // namespace OmbrixHost
