// extrude: the profile on `profile` swept, U along it (its degree, form and
// knots), V along the sweep. Distance (extrudeType 0): `length` along
// `direction` (the profile's normal with useProfileNormal) in
// degreeAlongLength spans of rows. Flat (1) and tube (2): along the open
// curve on `path`, V its degree and knots: each row the profile placed at one
// of the path's CVs; tube turns it with the path's tangent (the frame carried
// from the path's start, turned by as little as each tangent asks), flat keeps
// its orientation. With useProfileNormal the profile is first turned so its
// normal lies along the path's start tangent. The profile's pivot is the
// middle of its CVs with useComponentPivot 1, else its end nearest the path's
// start; with fixedPath the surface starts on the path, else at the profile.
// `scale` and `rotation` (about the sweep) grow from nothing at the first row
// to their full value at the last. Rows at the CVs give the exact sweep along
// straight paths and a close one along curved paths.
#include "Extrude.h"

#include "MeshHistory.h"
#include "NurbsCurve.h"
#include "NurbsFitting.h"
#include "NurbsTessellator.h"
#include "Point3Math.h"
#include "SurfaceHistory.h"

#include <algorithm>
#include <cmath>

namespace OmbrixHost {
namespace {

constexpr int kMostRows = 4096;

// `v` turned about the unit `axis` by `angle`.
Point3 turnedAbout(Point3 v, Point3 axis, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  return v * c + cross(axis, v) * s + axis * (dot(axis, v) * (1.0 - c));
}

// The smallest turn taking unit `from` onto unit `to`, applied to `v`.
Point3 alignedTurn(Point3 v, Point3 from, Point3 to) {
  const Point3 axis = cross(from, to);
  const double sine = std::sqrt(dot(axis, axis)), cosine = dot(from, to);
  if (sine < 1e-12) {
    if (cosine > 0.0)
      return v;
    Point3 side = std::fabs(from.x) < 0.9 ? Point3{1, 0, 0} : Point3{0, 1, 0};
    side = normalized(cross(from, side));
    return turnedAbout(v, side, 3.14159265358979323846);
  }
  return turnedAbout(v, axis * (1.0 / sine), std::atan2(sine, cosine));
}

Point3 newellNormal(const std::vector<Point3>& p) {
  Point3 n;
  for (std::size_t k = 0; k < p.size(); ++k)
    n = n + cross(p[k], p[(k + 1) % p.size()]);
  return n;
}

struct Sweep {
  std::vector<Point3> origins;   // per row: where the pivot goes
  std::vector<Point3> tangents;  // per row: the unit sweep direction
  std::vector<double> knots;
  int degree = 1, form = 1;
};

bool distanceSweep(const Node& n, const NurbsCurve& profile, Point3 pivot, Sweep& s, std::string& why) {
  Point3 direction{n.number("direction.directionX", 0.0), n.number("direction.directionY", 1.0),
                   n.number("direction.directionZ", 0.0)};
  if (n.number("useProfileNormal", 0.0) != 0.0)
    direction = newellNormal(profile.cvs);
  const double length = n.number("length", 1.0), degree = n.number("degreeAlongLength", 1.0);
  if (!finite(direction) || !std::isfinite(length) || dot(direction, direction) <= 0.0 || !(degree >= 1 && degree <= 7)) {
    why = "its direction, length or degreeAlongLength cannot be used";
    return false;
  }
  direction = normalized(direction);
  s.degree = static_cast<int>(degree);
  s.knots = openKnots(1, s.degree);
  for (int j = 0; j <= s.degree; ++j) {
    s.origins.push_back(pivot + direction * (length * j / s.degree));
    s.tangents.push_back(direction);
  }
  return true;
}

bool pathSweep(const NurbsCurve& path, bool tube, Sweep& s, std::string& why) {
  if (path.form != 1 || path.cvs.size() < 2 || path.cvs.size() > static_cast<std::size_t>(kMostRows)) {
    why = "its path is not an open curve of 2 to " + std::to_string(kMostRows) + " CVs";
    return false;
  }
  const NurbsData curve = curveAsSurface(path);
  const NurbsEvaluator e(curve);
  const double span = e.uMax() - e.uMin(), h = 1e-6 * span;
  auto tangentAt = [&](double t) {
    const double a = std::max(e.uMin(), t - h), b = std::min(e.uMax(), t + h);
    return normalized(e.at(b, 0.0) - e.at(a, 0.0));
  };
  const std::vector<double> at = greville(path.knots, path.degree, static_cast<int>(path.cvs.size()));
  const Point3 start = tangentAt(e.uMin());
  if (!finite(start) || dot(start, start) < 0.5) {
    why = "its path has no direction at its start";
    return false;
  }
  for (std::size_t j = 0; j < path.cvs.size(); ++j) {
    s.origins.push_back(path.cvs[j]);
    const Point3 t = tangentAt(at[j]);
    s.tangents.push_back(tube && dot(t, t) > 0.5 ? t : start);
  }
  s.knots = path.knots;
  s.degree = path.degree;
  s.form = path.form;
  return true;
}

Point3 pivotOf(const Node& n, const NurbsCurve& profile, Point3 pathStart) {
  if (n.number("useComponentPivot", 0.0) != 0.0) {
    Point3 lo = profile.cvs.front(), hi = lo;
    for (const auto& p : profile.cvs) {
      lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
      hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    return (lo + hi) * 0.5;
  }
  const Point3 a = profile.cvs.front() - pathStart, b = profile.cvs.back() - pathStart;
  return dot(a, a) <= dot(b, b) ? profile.cvs.front() : profile.cvs.back();
}

}  // namespace

bool extrudeSurface(const Node& n, NurbsData& d, std::string& why) {
  NurbsCurve profile, path;
  const Connection* profilePlug = incomingConnection(&n, "profile");
  if (!profilePlug || !curveAt(profilePlug->remote, profile, why)) {
    why = why.empty() ? "no curve is connected to its profile" : why;
    return false;
  }
  const double type = n.number("extrudeType", 2.0), scale = n.number("scale", 1.0), rotation = n.number("rotation", 0.0);
  if (!(type == 0.0 || type == 1.0 || type == 2.0) || !std::isfinite(scale) || !std::isfinite(rotation)) {
    why = "its extrudeType, scale or rotation cannot be used";
    return false;
  }
  Sweep sweep;
  Point3 pivot;
  if (type == 0.0) {
    pivot = pivotOf(n, profile, profile.cvs.front());
    if (!distanceSweep(n, profile, pivot, sweep, why))
      return false;
  } else {
    const Connection* pathPlug = incomingConnection(&n, "path");
    if (!pathPlug || !curveAt(pathPlug->remote, path, why) || !pathSweep(path, type == 2.0, sweep, why)) {
      why = why.empty() ? "no curve is connected to its path" : why;
      return false;
    }
    pivot = pivotOf(n, profile, path.cvs.front());
  }
  // The profile about its pivot, turned so its normal runs along the sweep's start when asked.
  std::vector<Point3> shape;
  const Point3 normal = newellNormal(profile.cvs);
  const bool alongNormal = type != 0.0 && n.number("useProfileNormal", 0.0) != 0.0 && dot(normal, normal) > 0.0;
  for (const auto& cv : profile.cvs)
    shape.push_back(alongNormal ? alignedTurn(cv - pivot, normalized(normal), sweep.tangents.front()) : cv - pivot);
  const bool onPath = type == 0.0 || n.number("fixedPath", 0.0) != 0.0;
  const Point3 shift = onPath || type == 0.0 ? Point3{} : pivot - sweep.origins.front();
  const std::size_t rows = sweep.origins.size();
  if (!withinPointLimit(shape.size(), rows, why))
    return false;
  d = NurbsData();
  d.degreeU = profile.degree;
  d.formU = profile.form;
  d.knotsU = profile.knots;
  d.degreeV = sweep.degree;
  d.formV = sweep.form;
  d.knotsV = sweep.knots;
  d.rational = profile.rational || path.rational;
  for (std::size_t i = 0; i < shape.size(); ++i)
    for (std::size_t j = 0; j < rows; ++j) {
      const double share = rows > 1 ? static_cast<double>(j) / static_cast<double>(rows - 1) : 0.0;
      Point3 p = alignedTurn(shape[i], sweep.tangents.front(), sweep.tangents[j]);
      p = turnedAbout(p, sweep.tangents[j], rotation * share) * (1.0 + (scale - 1.0) * share);
      d.cvs.push_back(sweep.origins[j] + shift + p);
      d.weights.push_back(profile.weights[i] * (j < path.weights.size() ? path.weights[j] : 1.0));
    }
  return true;
}

}  // namespace OmbrixHost
