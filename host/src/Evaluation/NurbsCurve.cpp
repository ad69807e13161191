#include "NurbsCurve.h"

#include "Deformers.h"
#include "RawData.h"
#include "SetAttr.h"

#include <cmath>

namespace OmbrixHost {
namespace {

const long long kMaxSpans = 1 << 20;

// "degree spans form rational dimension", the knots, then the CVs (x y [z] [w]).
bool parseCurve(DataCursor& c, NurbsCurve& out) {
  long long degree, spans, form, dimension, knotCount, cvCount;
  std::string rational;
  bool quoted;
  if (!c.integer(degree) || !c.integer(spans) || !c.integer(form) || !c.item(rational, quoted) ||
      !c.integer(dimension) || degree < 1 || degree > 7 || spans < 1 || spans > kMaxSpans || form < 0 || form > 2 ||
      (rational != "yes" && rational != "no") || (dimension != 2 && dimension != 3))
    return false;
  if (!c.integer(knotCount) || knotCount != spans + 2 * degree - 1)
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

}  // namespace

bool curveAt(const PlugRef& source, NurbsCurve& out, std::string& why) {
  const Node& shape = *source.node;
  if (shape.typeName != "nurbsCurve") {
    why = "its curve comes from " + shape.name + ", a " + shape.typeName + " node the host does not read curves from";
    return false;
  }
  bool found = false;
  for (const auto& line : shape.rawSetAttrs) {
    PlugRef plug;
    DataCursor values(line.data(), line.data());
    if (!openRawData(shape, line, "nurbsCurve", plug, values) || !plug.attr || plug.attr->name != "cached")
      continue;
    out = NurbsCurve();
    found = true;
    if (!parseCurve(values, out)) {
      why = "the data of the curve " + shape.name + " does not describe a curve";
      return false;
    }
  }
  if (!found) {
    why = "the curve " + shape.name + " holds no data in the file";
    return false;
  }
  Matrix4 world;
  if (source.attr && source.attr->name == "worldSpace" && dagWorldMatrix(&shape, world))
    for (auto& p : out.cvs)
      p = world.apply(p);
  return true;
}

}  // namespace OmbrixHost
