#include "PrimitiveBuilder.h"

#include <algorithm>
#include <cmath>

namespace OmbrixHost {
namespace Creation {

double attr(const Node& n, const char* name) {
  const AttrDef* a = n.findAttribute(name);
  if (!a)
    return 0.0;
  std::vector<int> none(a->chain().size(), -1);
  return n.values.number(a, none, a->defaultNumber);
}

std::function<Point3(Point3)> axisRotation(const Node& n) {
  double ax = attr(n, "axisX"), ay = attr(n, "axisY"), az = attr(n, "axisZ");
  double len = std::sqrt(ax * ax + ay * ay + az * az);
  if (len < 1e-12 || (std::fabs(ax) < 1e-12 && std::fabs(az) < 1e-12 && ay > 0))
    return [](Point3 p) { return p; };
  ax /= len, ay /= len, az /= len;
  if (std::fabs(ax) < 1e-12 && std::fabs(az) < 1e-12)
    return [](Point3 p) { return Point3{p.x, -p.y, -p.z}; };
  // Rotation about k = Y x a by the angle between them (Rodrigues).
  double kx = az, kz = -ax;
  double kl = std::sqrt(kx * kx + kz * kz);
  kx /= kl, kz /= kl;
  double c = ay, s = std::sqrt(std::max(0.0, 1.0 - ay * ay));
  return [=](Point3 p) {
    double dot = kx * p.x + kz * p.z;
    Point3 cross{-kz * p.y, kz * p.x - kx * p.z, kx * p.y};
    return Point3{p.x * c + cross.x * s + kx * dot * (1 - c), p.y * c + cross.y * s,
                  p.z * c + cross.z * s + kz * dot * (1 - c)};
  };
}

Point3 ringPoint(double radius, double y, int i, int around) {
  double t = 2 * kPi * i / around;
  return {radius * std::cos(t), y, -radius * std::sin(t)};
}

std::vector<int> ringEdges(int sides, int rows, int bottomCentre, int topCentre) {
  std::vector<int> e;
  for (int j = 0; j <= rows; ++j)
    for (int i = 0; i < sides; ++i)
      e.insert(e.end(), {j * sides + i, j * sides + (i + 1) % sides});
  for (int j = 0; j < rows; ++j)
    for (int i = 0; i < sides; ++i)
      e.insert(e.end(), {j * sides + i, (j + 1) * sides + i});
  if (bottomCentre < 0)
    return e;
  for (int i = 0; i < sides; ++i)
    e.insert(e.end(), {bottomCentre, i});
  for (int i = 0; i < sides; ++i)
    e.insert(e.end(), {rows * sides + i, topCentre});
  return e;
}

double unitScale(double extent) { return extent > 0 ? 1 / extent : 1; }

double ringLength(double radius, int around) { return 2 * around * std::fabs(radius) * std::sin(kPi / around); }

bool countsWithin(const Node& n, std::initializer_list<const char*> counts, int low, int high, std::string& why) {
  for (const char* name : counts) {
    double c = attr(n, name);
    if (!(c >= low && c <= high)) {
      why = std::string(name) + " is out of range";
      return false;
    }
  }
  return true;
}

int Builder::point(double x, double y, double z) {
  m.points.push_back({x, y, z});
  return static_cast<int>(m.points.size()) - 1;
}

int Builder::texel(double u, double v) {
  uv.us.push_back(static_cast<float>(u));
  uv.vs.push_back(static_cast<float>(v));
  return static_cast<int>(uv.us.size()) - 1;
}

void Builder::face(std::initializer_list<std::pair<int, int>> corners) {
  face(std::vector<std::pair<int, int>>(corners));
}

void Builder::face(const std::vector<std::pair<int, int>>& corners) {
  m.faceCounts.push_back(static_cast<int>(corners.size()));
  for (auto& c : corners) {
    m.faceConnects.push_back(c.first);
    uv.uvIds.push_back(c.second);
  }
}

MeshData Builder::finish(const Node& n) {
  auto rotate = axisRotation(n);
  for (auto& p : m.points)
    p = rotate(p);
  if (attr(n, "createUVs") != 0)
    m.uvSets.push_back(uv);
  m.rebuildFaceStarts();
  return std::move(m);
}

double wallHalfHeight(const Node& n, double height, double capHeight) {
  double half = height / 2;
  if (attr(n, "roundCap") == 0 || attr(n, "roundCapHeightCompensation") == 0)
    return half;
  return std::max(0.0, half - capHeight);
}

int capTexel(Builder& b, const Cap& cap, double radius, int i) {
  double a = 2 * kPi * (i + cap.start) / static_cast<double>(cap.rim.size());
  return b.texel(cap.u + cap.uvRadius * radius * std::cos(a),
                 cap.v + (cap.faceUp ? 1 : -1) * cap.uvRadius * radius * std::sin(a));
}

void addCap(Builder& b, const Cap& cap) {
  int sides = static_cast<int>(cap.rim.size());
  // Corners from rim point i to rim point k, then inside the rim.
  auto order = [&](std::vector<std::pair<int, int>> corners) {
    // A reversed cap walks each face from its other rim point; a quad's
    // inner corners swap with it (counted from the end: a triangle has one).
    if (cap.reversed) {
      std::iter_swap(corners.begin(), corners.begin() + 1);
      if (corners.size() == 4)
        std::iter_swap(corners.end() - 2, corners.end() - 1);
    }
    b.face(corners);
  };
  auto innerPoint = [&](double f, int i) {
    Point3 p = cap.inner(f, i);
    double lift = std::sqrt(std::max(0.0, 1 - f * f));
    return b.point(p.x + lift * cap.dome.x, p.y + lift * cap.dome.y, p.z + lift * cap.dome.z);
  };
  std::vector<int> outerPoints = cap.rim, outerTexels = cap.rimTexels;
  if (static_cast<int>(outerTexels.size()) != sides) {
    outerTexels.clear();
    for (int i = 0; i < sides; ++i)
      outerTexels.push_back(capTexel(b, cap, 1.0, i));
  }
  if (cap.rings <= 0) {
    std::vector<std::pair<int, int>> corners;
    for (int i = 0; i < sides; ++i) {
      int k = cap.reversed ? (sides - i) % sides : i;
      corners.emplace_back(outerPoints[k], outerTexels[k]);
    }
    b.face(corners);
    return;
  }
  for (int ring = 1; ring < cap.rings; ++ring) {
    double f = 1.0 - static_cast<double>(ring) / cap.rings;
    std::vector<int> points, texels;
    for (int i = 0; i < sides; ++i) {
      points.push_back(innerPoint(f, i));
      texels.push_back(capTexel(b, cap, f, i));
    }
    for (int i = 0; i < sides; ++i) {
      int k = (i + 1) % sides;
      order({{outerPoints[i], outerTexels[i]}, {outerPoints[k], outerTexels[k]}, {points[k], texels[k]},
             {points[i], texels[i]}});
    }
    outerPoints = points;
    outerTexels = texels;
  }
  int centre = innerPoint(0.0, 0), centreTexel = b.texel(cap.u, cap.v);
  for (int i = 0; i < sides; ++i) {
    int k = (i + 1) % sides;
    order({{outerPoints[i], outerTexels[i]}, {outerPoints[k], outerTexels[k]}, {centre, centreTexel}});
  }
}

}  // namespace Creation
}  // namespace OmbrixHost
