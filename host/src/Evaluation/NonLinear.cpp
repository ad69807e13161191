#include "NonLinear.h"

#include "MeshHistory.h"

#include <algorithm>
#include <cmath>

namespace OmbrixHost {
namespace {

const double kPi = 3.14159265358979323846;

// The handle's values, in the order its kind lists them; lowBound and
// highBound (minRadius and maxRadius for a wave) come first.
using Values = std::vector<double>;
using Deform = Point3 (*)(const Point3&, const Values&);

struct Parameter {
  const char* name;
  double fallback;  // the node reference's default
};

struct HandleKind {
  const char* type;
  std::vector<Parameter> parameters;
  Deform deform;
};

double clamp(double v, double lo, double hi) { return std::min(hi, std::max(lo, v)); }

// Where y lies between the bounds: 0 at lowBound, 1 at highBound.
double along(double y, double lo, double hi) { return hi > lo ? (clamp(y, lo, hi) - lo) / (hi - lo) : 0.0; }

// The part between the bounds is bent into an arc about the handle's Z axis,
// its centre 1/curvature along +X; the parts beyond go on along the arc's ends.
Point3 bend(const Point3& p, const Values& v) {
  double c = v[2];
  if (std::fabs(c) < 1e-12)
    return p;
  double y = clamp(p.y, v[0], v[1]), beyond = p.y - y;
  double radius = 1.0 / c, r = radius - p.x, angle = c * y;
  double s = std::sin(angle), k = std::cos(angle);
  return Point3{radius - r * k + beyond * s, r * s + beyond * k, p.z};
}

// Turned about the handle's Y axis from startAngle at lowBound to endAngle at highBound.
Point3 twist(const Point3& p, const Values& v) {
  double angle = v[2] + along(p.y, v[0], v[1]) * (v[3] - v[2]);
  double s = std::sin(angle), k = std::cos(angle);
  return Point3{p.x * k + p.z * s, p.y, -p.x * s + p.z * k};
}

// Between the bounds the height is scaled by 1 + factor about the handle's
// centre and the width by up to 1 + expand * (1 / sqrt(1 + factor) - 1), the
// most at maxExpandPos, none at the bounds; startSmoothness and endSmoothness
// ease that rise from linear (0) to smooth (1). Beyond the bounds the points
// follow the bound they pass.
Point3 squash(const Point3& p, const Values& v) {
  double lo = v[0], hi = v[1], startSmooth = clamp(v[2], 0, 1), endSmooth = clamp(v[3], 0, 1);
  double peakAt = clamp(v[4], 0, 1), expand = v[5], height = 1.0 + v[6];
  double y = clamp(p.y, lo, hi), t = along(p.y, lo, hi);
  double u = t <= peakAt ? (peakAt > 0 ? t / peakAt : 1.0) : (peakAt < 1 ? (1 - t) / (1 - peakAt) : 1.0);
  double smooth = t <= peakAt ? startSmooth : endSmooth;
  double rise = u + smooth * (u * u * (3 - 2 * u) - u);
  double width = 1.0 + expand * (1.0 / std::sqrt(std::max(height, 0.01)) - 1.0) * rise;
  return Point3{p.x * width, y * height + (p.y - y), p.z * width};
}

// X and Z scaled from the start flares at lowBound to the end flares at
// highBound; curve adds its value to both at the middle, along a parabola.
Point3 flare(const Point3& p, const Values& v) {
  double t = along(p.y, v[0], v[1]), bulge = v[6] * 4.0 * t * (1.0 - t);
  return Point3{p.x * (v[2] + t * (v[4] - v[2]) + bulge), p.y, p.z * (v[3] + t * (v[5] - v[3]) + bulge)};
}

// How much of the amplitude is left at u (0 at the centre, 1 at a bound):
// dropoff 1 fades it to nothing at the bound, -1 to nothing at the centre.
double fading(double u, double dropoff) {
  double d = clamp(dropoff, -1, 1);
  return d >= 0 ? 1.0 - d * u : 1.0 + d * (1.0 - u);
}

// Moved along X by amplitude * sin(2 pi (y - offset) / wavelength), y held between the bounds.
Point3 sine(const Point3& p, const Values& v) {
  double y = clamp(p.y, v[0], v[1]);
  double u = y >= 0 ? (v[1] > 0 ? y / v[1] : 0.0) : (v[0] < 0 ? y / v[0] : 0.0);
  return Point3{p.x + v[2] * fading(u, v[5]) * std::sin(2 * kPi * (y - v[4]) / v[3]), p.y, p.z};
}

// Moved along Y by a ripple of the distance r from the handle's Y axis, r
// held between minRadius and maxRadius: amplitude * sin(2 pi (r - offset) /
// wavelength), faded by dropoff away from dropoffPosition (0 at minRadius, 1 at maxRadius).
Point3 wave(const Point3& p, const Values& v) {
  double r = clamp(std::sqrt(p.x * p.x + p.z * p.z), v[0], v[1]);
  double u = v[1] > v[0] ? (r - v[0]) / (v[1] - v[0]) : 0.0;
  double fade = fading(std::fabs(u - clamp(v[6], 0, 1)), v[5]);
  return Point3{p.x, p.y + v[2] * fade * std::sin(2 * kPi * (r - v[4]) / v[3]), p.z};
}

const std::vector<HandleKind>& handleKinds() {
  static const std::vector<HandleKind> kinds = {
      {"deformBend", {{"lowBound", -1}, {"highBound", 1}, {"curvature", 0}}, bend},
      {"deformTwist", {{"lowBound", -1}, {"highBound", 1}, {"startAngle", 0}, {"endAngle", 0}}, twist},
      {"deformSquash",
       {{"lowBound", -1}, {"highBound", 1}, {"startSmoothness", 0}, {"endSmoothness", 0}, {"maxExpandPos", 0.5},
        {"expand", 1}, {"factor", 0}},
       squash},
      {"deformFlare",
       {{"lowBound", -1}, {"highBound", 1}, {"startFlareX", 1}, {"startFlareZ", 1}, {"endFlareX", 1},
        {"endFlareZ", 1}, {"curve", 0}},
       flare},
      {"deformSine",
       {{"lowBound", -1}, {"highBound", 1}, {"amplitude", 0}, {"wavelength", 2}, {"offset", 0}, {"dropoff", 0}},
       sine},
      {"deformWave",
       {{"minRadius", 0}, {"maxRadius", 1}, {"amplitude", 0}, {"wavelength", 1}, {"offset", 0}, {"dropoff", 0},
        {"dropoffPosition", 0}},
       wave}};
  return kinds;
}

// A value as Maya saves it on the nonLinear node (the attributes the nonLinear
// command adds), else on the handle shape, else the default. A value driven by
// another node (an animation curve, a rig's control) is taken as the file
// stores it; `driven` names the first such.
bool readValues(const Node& node, const Node& handle, const HandleKind& kind, Values& out, std::string& driven,
                std::string& why) {
  for (const auto& parameter : kind.parameters) {
    const Node* holder = node.findAttribute(parameter.name) ? &node : handle.findAttribute(parameter.name) ? &handle : nullptr;
    double value = holder ? holder->number(parameter.name, parameter.fallback) : parameter.fallback;
    const Connection* source = holder ? incomingConnection(holder, parameter.name) : nullptr;
    if (source && source->remote.node != &node && driven.empty())
      driven = std::string("its ") + parameter.name + " is driven by " + source->remote.node->name +
               ", which the host does not evaluate: the value the file stores is used";
    if (!std::isfinite(value)) {
      why = std::string("its ") + parameter.name + " is not a number";
      return false;
    }
    out.push_back(value);
  }
  bool wavy = kind.deform == sine || kind.deform == wave;
  if (out[0] > out[1]) {
    why = std::string("its ") + kind.parameters[0].name + " is above its " + kind.parameters[1].name;
    return false;
  }
  if (wavy && !(out[3] > 0.0)) {
    why = "its wavelength is not above 0";
    return false;
  }
  return true;
}

const HandleKind* handleKind(const Node& handle) {
  for (const auto& kind : handleKinds())
    if (handle.typeName == kind.type)
      return &kind;
  return nullptr;
}

// From the mesh's space to the handle's: the shape's world matrix, then the
// inverse of the handle's (connected to matrix, else the matrix stored).
bool handleSpace(const Node& node, const DeformerSources& sources, Matrix4& toHandle, std::string& why) {
  Matrix4 handleWorld, shapeWorld;
  const Connection* c = incomingConnection(&node, "matrix");
  bool placed = false;
  if (c && c->remote.node->dag) {
    placed = dagWorldMatrix(c->remote.node, handleWorld);
  } else if (!c) {
    const Value stored = node.value("matrix");
    placed = Matrix4::fromValue(&stored, handleWorld);
  }
  Matrix4 inverse;
  if (!placed || !handleWorld.finite() || !handleWorld.inverse(inverse)) {
    why = "its matrix is not a handle's world matrix that can be inverted";
    return false;
  }
  if (sources.shape)
    dagWorldMatrix(sources.shape, shapeWorld);
  toHandle = shapeWorld * inverse;
  return toHandle.finite();
}

}  // namespace

bool nonLinearPoints(const Node& node, int index, std::vector<Point3>& points, const DeformerSources& sources,
                     std::string& why) {
  const Connection* data = incomingConnection(&node, "deformerData");
  if (!data) {
    why = "no deformer handle is connected to its deformerData";
    return false;
  }
  const Node& handle = *data->remote.node;
  const HandleKind* kind = handleKind(handle);
  if (!kind) {
    why = "its deformerData comes from " + handle.name + ", a " + handle.typeName + " node, not a deformer handle";
    return false;
  }
  Values values;
  Matrix4 toHandle, fromHandle;
  std::string driven;
  if (!readValues(node, handle, *kind, values, driven, why) || !handleSpace(node, sources, toHandle, why))
    return false;
  if (!toHandle.inverse(fromHandle)) {
    why = "the mesh's world matrix cannot be inverted";
    return false;
  }
  moveByWeights(node, index, points,
                [&](std::size_t, Point3 p) { return fromHandle.apply(kind->deform(toHandle.apply(p), values)); });
  why = driven;
  return true;
}

}  // namespace OmbrixHost
