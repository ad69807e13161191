// Corner normals: each corner's normal averages the corner directions of the
// polygons around its position, walking across edges whose smoothness
// reaches the threshold, at most 50 crossings each way: first backward to
// where the smooth fan ends, then forward from there, blending each corner
// into the result with the weighted spherical blend.
//
// A corner's direction and angle do not depend on which walk meets it, only
// on which of its two edges the walk crossed (that flips the direction), so
// they are computed once per corner before the walks.
#include <cmath>
#include <vector>

#include "Math/WeightedBlend.h"
#include "Model3D/HvMesh.h"
#include "Model3D/WorkerRanges.h"

namespace {

constexpr int kMaxCrossings = 50;

Vector3 DirectionFrom(const Vector3& p, const MeshEdge& edge) {
  Vector3 d;
  if (edge.a == p) {
    d = Vector3::Subtract(edge.b, p);
  } else if (edge.b == p) {
    d = Vector3::Subtract(edge.a, p);
  }
  return d.LengthSquared() > 0.0 ? Vector3::Normalise(d) : d;
}

struct Contribution {
  Vector3 direction;  // dN x dF with F arriving at the corner and N leaving it
  double weight;      // the corner angle
};

// Contributions of every corner, kept as two arrays (20 bytes a corner).
struct CornerTable {
  std::vector<size_t> firstCorner;  // by polygon index
  std::vector<Vector3> directions;
  std::vector<double> weights;
};

// The corner between its far edge F and near edge N at p.
Contribution CornerContribution(const MeshEdge& far, const MeshEdge& near, const Vector3& p) {
  const Vector3 dF = DirectionFrom(p, far);
  const Vector3 dN = DirectionFrom(p, near);
  const double cosine = std::fmax(-1.0, std::fmin(1.0, Vector3::Dot(dN, dF)));
  return {Vector3::Cross(dN, dF), std::acos(cosine)};
}

// Where a walk stands: a polygon and its corner at the walk's position.
struct Step {
  const MeshPolygon* polygon;
  int corner;
  bool crossedArriving;  // the edge crossed into it arrives at the corner
};

class CornerWalker {
 public:
  explicit CornerWalker(const CornerTable& table) : table_(table) {}

  Vector3 Normal(const MeshPolygon& polygon, int cornerIndex, double threshold) const;

 private:
  // The corner contribution of a step; `farIsCrossed` tells which role the
  // crossed edge plays (forward walk: far; start of accumulation: near).
  Contribution At(const Step& step, bool farIsCrossed) const {
    const size_t at = table_.firstCorner[static_cast<size_t>(step.polygon->index)] +
                      static_cast<size_t>(step.corner);
    Contribution c{table_.directions[at], table_.weights[at]};
    if (step.crossedArriving != farIsCrossed) c.direction = Vector3::Scale(c.direction, -1.0);
    return c;
  }

  const CornerTable& table_;
};

// Crosses `edge` from `from` to the next polygon on it and finds that
// polygon's corner at p and its other edge there. False when the edge is
// not smooth enough or there is no such neighbour.
bool Cross(const MeshPolygon* from, const MeshEdge* edge, const Vector3& p, double threshold,
           Step& to, MeshEdge*& other) {
  if (edge->smoothness < threshold) return false;
  const MeshPolygon* neighbour = edge->Successor(from);
  if (neighbour == nullptr) return false;
  for (int j = 0; j < neighbour->count; ++j) {
    if (neighbour->Corner(j).edge != edge) continue;
    // The edge leaves corner j; p is corner j (edge leaves p) or j + 1 (arrives).
    const bool arrives = neighbour->Corner(j).position != p;
    const int corner = arrives ? neighbour->Wrap(j + 1) : j;
    other = neighbour->Corner(arrives ? corner : neighbour->Wrap(j - 1)).edge;
    if (other == nullptr) return false;
    to = {neighbour, corner, arrives};
    return true;
  }
  return false;
}

Vector3 CornerWalker::Normal(const MeshPolygon& polygon, int cornerIndex, double threshold) const {
  const Vector3 up(0, 1, 0);
  const Vector3& p = polygon.Corner(cornerIndex).position;
  // The first corner k + 1 at this position (positions may repeat).
  int corner = -1;
  for (int i = 0; i < polygon.count && corner < 0; ++i)
    if (polygon.Corner(polygon.Wrap(i + 1)).position == p) corner = polygon.Wrap(i + 1);
  if (corner < 0) return up;
  MeshEdge* const eIn = polygon.Corner(polygon.Wrap(corner - 1)).edge;
  MeshEdge* const eOut = polygon.Corner(corner).edge;
  if (eIn == nullptr || eOut == nullptr) return up;

  // Backward against the winding while the fan stays smooth. The start
  // polygon's far edge (e_in) arrives at its corner.
  Step last{&polygon, corner, false};
  MeshEdge* far = eIn;
  for (int crossings = 0; crossings < kMaxCrossings; ++crossings) {
    Step next;
    MeshEdge* other = nullptr;
    if (!Cross(last.polygon, far, p, threshold, next, other)) break;
    last = next;
    far = other;
    if (far == eOut) break;  // full circle
  }
  // The accumulation starts at the last polygon reached: its crossed edge is
  // its near edge, the other its far edge (the start polygon: e_out near).
  const Contribution start = At(last, false);
  Vector3 direction = start.direction;
  double weight = start.weight;
  const MeshEdge* endMark = far;

  // Forward from there across its near edge: the edge at its corner that is
  // not the far one.
  Step current = last;
  const MeshPolygon& lp = *last.polygon;
  MeshEdge* arriving = lp.Corner(lp.Wrap(last.corner - 1)).edge;
  MeshEdge* edge = arriving == far ? lp.Corner(last.corner).edge : arriving;
  for (int crossings = 0; crossings < kMaxCrossings; ++crossings) {
    Step next;
    MeshEdge* other = nullptr;
    if (!Cross(current.polygon, edge, p, threshold, next, other)) break;
    const Contribution c = At(next, true);
    direction = WeightedBlend(direction, weight, c.direction, c.weight);
    weight += c.weight;
    current = next;
    edge = other;
    if (edge == endMark) break;
  }
  const double length = direction.LengthSquared();
  if (!(length > 0.0) || !std::isfinite(length)) return up;
  return Vector3::Normalise(direction);
}

}  // namespace

void HvMesh::ComputeCornerNormals(double threshold) {
  CornerTable table;
  table.firstCorner.resize(polygons_.size(), 0);
  size_t corners = 0;
  for (size_t i = 0; i < polygons_.size(); ++i) {
    table.firstCorner[i] = corners;
    if (polygons_[i] != nullptr) corners += static_cast<size_t>(polygons_[i]->count);
  }
  table.directions.resize(corners);
  table.weights.resize(corners, 0.0);
  // Each worker fills the table rows of its own polygons...
  ForEachRange(polygons_.size(), kMinPolygonsPerWorker, [&](size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
      const MeshPolygon* polygon = polygons_[i];
      if (polygon == nullptr) continue;
      for (int c = 0; c < polygon->count; ++c) {
        const MeshEdge* arriving = polygon->Corner(polygon->Wrap(c - 1)).edge;
        const MeshEdge* leaving = polygon->Corner(c).edge;
        if (arriving == nullptr || leaving == nullptr) continue;
        const Contribution contribution =
            CornerContribution(*arriving, *leaving, polygon->Corner(c).position);
        table.directions[table.firstCorner[i] + static_cast<size_t>(c)] = contribution.direction;
        table.weights[table.firstCorner[i] + static_cast<size_t>(c)] = contribution.weight;
      }
    }
  });
  // ...and, once the whole table stands, the normals of its own corners: the
  // walks only read edges, positions and the table.
  const CornerWalker walker(table);
  ForEachRange(polygons_.size(), kMinPolygonsPerWorker, [&](size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
      MeshPolygon* polygon = polygons_[i];
      if (polygon == nullptr) continue;
      for (int c = 0; c < polygon->count; ++c)
        polygon->Corner(c).normal = walker.Normal(*polygon, c, threshold);
    }
  });
}
