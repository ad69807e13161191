// deltaMush: the rest shape (originalGeometry[i], else the input itself) and
// the input are each smoothed `smoothingIterations` times, every point moving
// `smoothingStep` of the way to the middle of its neighbours (border points
// held with pinBorderVertices); each rest point's offset from its smoothed
// place, taken in the frame of the smoothed rest surface there (its normal,
// the direction to its first neighbour), is put back on the smoothed input in
// the same frame there, by `displacement`; then weights and envelope. Maya
// does not describe its smoothing, so the result is the host's and said so.
#include "DeltaMush.h"

#include "MeshHistory.h"
#include "Point3Math.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace OmbrixHost {
namespace {

constexpr double kMostIterations = 1000;
constexpr double kMostSmoothingSteps = 2e8;  // iterations times points

struct Neighbours {
  std::vector<std::vector<int>> of;  // per point, in the order faces first reach them
  std::vector<bool> border;
};

Neighbours neighbours(const MeshData& m) {
  Neighbours n;
  n.of.resize(m.points.size());
  n.border.assign(m.points.size(), false);
  std::map<std::pair<int, int>, int> walked;
  for (int f = 0; f < m.numFaces(); ++f) {
    const int count = m.faceCounts[static_cast<std::size_t>(f)];
    for (int k = 0; k < count; ++k) {
      const int a = m.faceConnects[static_cast<std::size_t>(m.faceStart(f) + k)];
      const int b = m.faceConnects[static_cast<std::size_t>(m.faceStart(f) + (k + 1) % count)];
      ++walked[std::minmax(a, b)];
      for (auto [x, y] : {std::make_pair(a, b), std::make_pair(b, a)}) {
        auto& list = n.of[static_cast<std::size_t>(x)];
        if (std::find(list.begin(), list.end(), y) == list.end())
          list.push_back(y);
      }
    }
  }
  for (const auto& [edge, times] : walked)
    if (times == 1)
      n.border[static_cast<std::size_t>(edge.first)] = n.border[static_cast<std::size_t>(edge.second)] = true;
  return n;
}

std::vector<Point3> smoothed(std::vector<Point3> p, const Neighbours& n, int iterations, double step, bool pin) {
  for (int i = 0; i < iterations; ++i) {
    std::vector<Point3> next = p;
    for (std::size_t v = 0; v < p.size(); ++v) {
      if (n.of[v].empty() || (pin && n.border[v]))
        continue;
      Point3 middle;
      for (int w : n.of[v])
        middle = middle + p[static_cast<std::size_t>(w)];
      middle = middle * (1.0 / static_cast<double>(n.of[v].size()));
      next[v] = p[v] + (middle - p[v]) * step;
    }
    p = std::move(next);
  }
  return p;
}

// The frame at each point: x towards its first neighbour, z its normal (from the faces round it), y = z x x.
struct Frame {
  Point3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};
};

std::vector<Frame> frames(const MeshData& m, const std::vector<Point3>& p, const Neighbours& n) {
  std::vector<Point3> normals(p.size());
  for (int f = 0; f < m.numFaces(); ++f) {
    const int count = m.faceCounts[static_cast<std::size_t>(f)];
    Point3 normal;
    for (int k = 0; k < count; ++k)
      normal = normal + cross(p[static_cast<std::size_t>(m.faceConnects[static_cast<std::size_t>(m.faceStart(f) + k)])],
                              p[static_cast<std::size_t>(m.faceConnects[static_cast<std::size_t>(m.faceStart(f) + (k + 1) % count)])]);
    for (int k = 0; k < count; ++k) {
      Point3& at = normals[static_cast<std::size_t>(m.faceConnects[static_cast<std::size_t>(m.faceStart(f) + k)])];
      at = at + normal;
    }
  }
  std::vector<Frame> out(p.size());
  for (std::size_t v = 0; v < p.size(); ++v) {
    if (n.of[v].empty() || dot(normals[v], normals[v]) <= 0.0)
      continue;
    const Point3 z = normalized(normals[v]), toward = p[static_cast<std::size_t>(n.of[v][0])] - p[v];
    const Point3 x = toward - z * dot(toward, z);
    if (dot(x, x) <= 0.0)
      continue;
    out[v].z = z;
    out[v].x = normalized(x);
    out[v].y = cross(z, out[v].x);
  }
  return out;
}

}  // namespace

bool deltaMushPoints(const Node& node, int index, const MeshData& mesh, std::vector<Point3>& points,
                     const DeformerSources& sources, std::string& why) {
  const double iterations = node.number("smoothingIterations", 10.0), step = node.number("smoothingStep", 0.5),
               displacement = node.number("displacement", 1.0);
  if (!(iterations >= 0 && iterations <= kMostIterations) || !(step >= 0 && step <= 1) || !std::isfinite(displacement)) {
    why = "its smoothingIterations, smoothingStep or displacement is out of range";
    return false;
  }
  MeshData rest = mesh;
  const Connection* original = incomingConnection(&node, indexed("originalGeometry", index));
  if (original && (!sources.meshAt(original->remote, rest) || rest.points.size() != mesh.points.size() ||
                   rest.faceConnects != mesh.faceConnects)) {
    why = "its originalGeometry is not a mesh of the input's topology";
    return false;
  }
  if (iterations * static_cast<double>(points.size()) > kMostSmoothingSteps) {
    why = "its smoothingIterations over " + std::to_string(points.size()) + " points ask for too much smoothing";
    return false;
  }
  rest.rebuildFaceStarts();
  const Neighbours n = neighbours(rest);
  const bool pin = node.number("pinBorderVertices", 1.0) != 0.0;
  const int times = static_cast<int>(iterations);
  const std::vector<Point3> restSmooth = smoothed(rest.points, n, times, step, pin),
                            inputSmooth = smoothed(points, n, times, step, pin);
  const std::vector<Frame> restFrames = frames(rest, restSmooth, n), inputFrames = frames(rest, inputSmooth, n);
  std::vector<Point3> mushed(points.size());
  for (std::size_t v = 0; v < points.size(); ++v) {
    const Point3 d = rest.points[v] - restSmooth[v];
    const Frame &r = restFrames[v], &i = inputFrames[v];
    const Point3 local{dot(d, r.x), dot(d, r.y), dot(d, r.z)};
    mushed[v] = inputSmooth[v] + (i.x * local.x + i.y * local.y + i.z * local.z) * displacement;
  }
  moveByWeights(node, index, points, [&mushed](std::size_t v, Point3) { return mushed[v]; });
  why = "its smoothing is the host's; Maya's may differ";
  return true;
}

}  // namespace OmbrixHost
