// ffd: each point, taken into world space by geomMatrix[i] and into the base
// lattice's unit cube (-0.5 to 0.5 on each axis) by the inverse of
// baseLatticeMatrix, is placed by the lattice points connected to
// deformedLatticePoints (a lattice shape's points in its own space, s
// fastest, then t, then u) as a Bezier volume of their divisions (a
// trivariate Bernstein polynomial), then by deformedLatticeMatrix into world
// space and back by the inverse geomMatrix, by its weight. Points outside the
// base lattice stay with outsideLattice 0 (and 2) and follow the polynomial
// with 1. With `local`, each point is placed by the localInfluenceS/T/U
// lattice points round its cell alone (the same polynomial over that window):
// Maya does not describe its local influence, so that is the host's own.
#include "Lattice.h"

#include "Matrix4.h"
#include "MeshHistory.h"
#include "RawData.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace OmbrixHost {
namespace {

constexpr long long kMostLatticePoints = 1000000;

struct LatticeGrid {
  std::array<int, 3> divisions{};  // s, t, u
  std::vector<Point3> points;

  const Point3& at(int s, int t, int u) const {
    return points[static_cast<std::size_t>(s + divisions[0] * (t + divisions[1] * u))];
  }
};

// The lattice shape's points as the file writes them: ".cc" -type "lattice" S T U N x y z ...
bool readLattice(const Node& shape, LatticeGrid& grid) {
  for (const auto& line : shape.rawSetAttrs) {
    PlugRef plug;
    DataCursor c(line.data(), line.data());
    if (!openRawData(shape, line, "lattice", plug, c))
      continue;
    long long s = 0, t = 0, u = 0, count = 0;
    if (!c.integer(s) || !c.integer(t) || !c.integer(u) || !c.integer(count) || s < 2 || t < 2 || u < 2 ||
        count > kMostLatticePoints || s > count || t > count || u > count || s * t * u != count ||
        static_cast<unsigned long long>(count) > c.remaining() / 6)
      return false;
    grid.divisions = {static_cast<int>(s), static_cast<int>(t), static_cast<int>(u)};
    grid.points.resize(static_cast<std::size_t>(count));
    for (auto& p : grid.points)
      if (!c.number(p.x) || !c.number(p.y) || !c.number(p.z) || !finite(p))
        return false;
    return true;
  }
  return false;
}

// Bernstein weights of degree n at x.
std::vector<double> bernstein(int n, double x) {
  std::vector<double> b(static_cast<std::size_t>(n) + 1, 0.0);
  b[0] = 1.0;
  for (int k = 1; k <= n; ++k)
    for (int i = k; i >= 0; --i)
      b[static_cast<std::size_t>(i)] =
          (i > 0 ? x * b[static_cast<std::size_t>(i) - 1] : 0.0) + (1.0 - x) * b[static_cast<std::size_t>(i)];
  return b;
}

// Along one axis: the first lattice point of the window placing x (0 to 1)
// and the Bernstein weights over it.
struct Span {
  int first = 0;
  std::vector<double> weights;
};

Span span(int divisions, int influence, double x) {
  const int size = std::max(2, std::min(influence, divisions));
  const double at = x * (divisions - 1);
  const int cell = std::max(0, std::min(divisions - 2, static_cast<int>(std::floor(at))));
  const int first = std::max(0, std::min(divisions - size, cell - (size - 2) / 2));
  return Span{first, bernstein(size - 1, (at - first) / (size - 1))};
}

struct Settings {
  LatticeGrid grid;
  Matrix4 toBase, lattice;
  bool local = false, outside = false;
  std::array<int, 3> influence{};
};

bool readSettings(const Node& node, Settings& s, std::string& why) {
  const Connection* points = incomingConnection(&node, "deformedLatticePoints");
  if (!points || !readLattice(*points->remote.node, s.grid)) {
    why = "no lattice with readable points is connected to its deformedLatticePoints";
    return false;
  }
  Matrix4 base;
  bool hasBase = false, hasLattice = false;
  if (!inputMatrix(node, "baseLatticeMatrix", base, hasBase) ||
      !inputMatrix(node, "deformedLatticeMatrix", s.lattice, hasLattice) || !base.finite() || !s.lattice.finite() ||
      !base.inverse(s.toBase)) {
    why = "its lattice matrices are not matrices that can be inverted";
    return false;
  }
  s.local = node.number("local", 0.0) != 0.0;
  s.outside = node.number("outsideLattice", 0.0) == 1.0;
  const double is = node.number("localInfluenceS", 2.0), it = node.number("localInfluenceT", 2.0),
               iu = node.number("localInfluenceU", 2.0);
  if (!(is >= 1 && it >= 1 && iu >= 1 && is < 1e6 && it < 1e6 && iu < 1e6)) {
    why = "its local influence is out of range";
    return false;
  }
  s.influence = {static_cast<int>(is), static_cast<int>(it), static_cast<int>(iu)};
  if (!s.local)
    s.influence = s.grid.divisions;
  return true;
}

// The point of the lattice at (s t u) in the base's unit cube shifted to 0..1.
Point3 placed(const Settings& s, const std::array<double, 3>& x) {
  std::array<Span, 3> spans;
  for (std::size_t a = 0; a < 3; ++a)
    spans[a] = span(s.grid.divisions[a], s.influence[a], x[a]);
  Point3 out;
  for (std::size_t k = 0; k < spans[2].weights.size(); ++k)
    for (std::size_t j = 0; j < spans[1].weights.size(); ++j)
      for (std::size_t i = 0; i < spans[0].weights.size(); ++i) {
        const double w = spans[0].weights[i] * spans[1].weights[j] * spans[2].weights[k];
        const Point3& p = s.grid.at(spans[0].first + static_cast<int>(i), spans[1].first + static_cast<int>(j),
                                    spans[2].first + static_cast<int>(k));
        out = Point3{out.x + w * p.x, out.y + w * p.y, out.z + w * p.z};
      }
  return out;
}

}  // namespace

bool latticePoints(const Node& node, int index, std::vector<Point3>& points, std::string& why) {
  Settings s;
  Matrix4 geom, geomInverse;
  const Value stored = node.value(indexed("geomMatrix", index));
  if ((stored.kind != Value::kNone && !Matrix4::fromValue(&stored, geom)) || !geom.finite() ||
      !geom.inverse(geomInverse)) {
    why = "its geomMatrix is not a matrix that can be inverted";
    return false;
  }
  if (!readSettings(node, s, why))
    return false;
  moveByWeights(node, index, points, [&](std::size_t, Point3 p) {
    const Point3 world = geom.apply(p), q = s.toBase.apply(world);
    const std::array<double, 3> x{q.x + 0.5, q.y + 0.5, q.z + 0.5};
    const bool inside = std::all_of(x.begin(), x.end(), [](double v) { return v >= 0.0 && v <= 1.0; });
    if (!inside && !s.outside)
      return p;
    return geomInverse.apply(s.lattice.apply(placed(s, x)));
  });
  if (s.local)
    why = "its local lattice influence is the host's (each point placed by the lattice points round its cell); "
          "Maya's may differ";
  return true;
}

}  // namespace OmbrixHost
