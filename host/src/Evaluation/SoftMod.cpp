// softMod: a cluster whose move fades with each point's distance (in world
// space, along the axes falloffInX/Y/Z keep) from falloffCenter: the
// falloffCurve ramp read at distance / falloffRadius, nothing at the radius
// or beyond. The ramp's keys interpolate by their falloffCurve_Interp: 0 none
// (the key's value held), 1 linear, 2 smooth and 3 spline (both eased in and
// out). Without keys the ramp runs from 1 at the centre to 0 at the radius,
// eased. Distances over the surface (falloffMode 1) are not evaluated.
#include "Cluster.h"

#include <algorithm>
#include <cmath>

namespace OmbrixHost {
namespace {

struct Key {
  double position, value;
  int interpolation;
};

bool readRamp(const Node& node, std::vector<Key>& keys, std::string& why) {
  for (int i : elementsOf(node, "falloffCurve", {-1})) {
    const std::string key = indexed("falloffCurve", i) + ".";
    keys.push_back(Key{node.number(key + "falloffCurve_Position", 0.0), node.number(key + "falloffCurve_FloatValue", 0.0),
                       static_cast<int>(node.number(key + "falloffCurve_Interp", 0.0))});
    if (!std::isfinite(keys.back().position) || !std::isfinite(keys.back().value)) {
      why = "its falloffCurve is not a number";
      return false;
    }
  }
  if (keys.empty())
    keys = {{0.0, 1.0, 2}, {1.0, 0.0, 2}};
  std::stable_sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) { return a.position < b.position; });
  return true;
}

double rampAt(const std::vector<Key>& keys, double t) {
  if (t <= keys.front().position)
    return keys.front().value;
  for (std::size_t k = 0; k + 1 < keys.size(); ++k) {
    const Key &a = keys[k], &b = keys[k + 1];
    if (t > b.position)
      continue;
    double s = b.position > a.position ? (t - a.position) / (b.position - a.position) : 1.0;
    if (a.interpolation == 0)
      s = 0.0;
    else if (a.interpolation >= 2)
      s = s * s * (3.0 - 2.0 * s);
    return a.value + s * (b.value - a.value);
  }
  return keys.back().value;
}

}  // namespace

bool softModPoints(const Node& node, int index, std::vector<Point3>& points, std::string& why) {
  const double radius = node.number("falloffRadius", 5.0);
  const Point3 center{node.number("falloffCenter.falloffCenterX", 0.0), node.number("falloffCenter.falloffCenterY", 0.0),
                      node.number("falloffCenter.falloffCenterZ", 0.0)};
  const bool inX = node.number("falloffInX", 1.0) != 0.0, inY = node.number("falloffInY", 1.0) != 0.0,
             inZ = node.number("falloffInZ", 1.0) != 0.0;
  std::vector<Key> keys;
  if (node.number("falloffMode", 0.0) != 0.0) {
    why = "its falloff runs over the surface (falloffMode 1), which the host does not evaluate";
    return false;
  }
  if (!std::isfinite(radius) || !finite(center)) {
    why = "a value is not a number";
    return false;
  }
  if (!readRamp(node, keys, why))
    return false;
  return clusterPoints(node, index, points, why, [&](Point3 p) {
    const double dx = inX ? p.x - center.x : 0.0, dy = inY ? p.y - center.y : 0.0, dz = inZ ? p.z - center.z : 0.0;
    const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
    return radius > 0.0 && d < radius ? std::min(1.0, std::max(0.0, rampAt(keys, d / radius))) : 0.0;
  });
}

}  // namespace OmbrixHost
