// Corner normals: each corner's normal averages the corner directions of the
// polygons around its position, walking across edges whose smoothness
// reaches the threshold, at most 50 crossings each way.
#include <cmath>

#include "Math/WeightedBlend.h"
#include "Model3D/HvMesh.h"

namespace {

constexpr int kMaxCrossings = 50;

// The edge of `polygon` at position p other than `edge`, or null.
MeshEdge* OtherEdge(const MeshPolygon& polygon, const MeshEdge* edge, const Vector3& p) {
  for (int j = 0; j < polygon.count; ++j) {
    if (polygon.Corner(j).edge != edge) continue;
    const int other = polygon.Corner(j).position != p ? polygon.Wrap(j + 1) : polygon.Wrap(j - 1);
    return polygon.Corner(other).edge;
  }
  return nullptr;
}

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
  Vector3 direction;
  double weight;
};

// The corner of the polygon between its far edge F and near edge N at p.
Contribution CornerContribution(const MeshEdge& far, const MeshEdge& near, const Vector3& p) {
  const Vector3 dF = DirectionFrom(p, far);
  const Vector3 dN = DirectionFrom(p, near);
  const double cosine = std::fmax(-1.0, std::fmin(1.0, Vector3::Dot(dN, dF)));
  return {Vector3::Cross(dN, dF), std::acos(cosine)};
}

// One step of a walk: across `edge` from `from`, to the neighbour and its
// other edge at p. False when the edge is not smooth enough or there is no
// neighbour with another edge at p.
bool Cross(const MeshPolygon*& from, MeshEdge*& edge, const Vector3& p, double threshold) {
  if (edge->smoothness < threshold) return false;
  const MeshPolygon* neighbour = edge->Successor(from);
  if (neighbour == nullptr) return false;
  MeshEdge* other = OtherEdge(*neighbour, edge, p);
  if (other == nullptr) return false;
  from = neighbour;
  edge = other;
  return true;
}

}  // namespace

Vector3 HvMesh::CornerNormal(const MeshPolygon& polygon, const Vector3& p,
                             double threshold) const {
  const Vector3 up(0, 1, 0);
  int k = -1;
  for (int i = 0; i < polygon.count && k < 0; ++i)
    if (polygon.Corner(polygon.Wrap(i + 1)).position == p) k = i;
  if (k < 0) return up;
  MeshEdge* const eIn = polygon.Corner(k).edge;
  MeshEdge* const eOut = polygon.Corner(polygon.Wrap(k + 1)).edge;
  if (eIn == nullptr || eOut == nullptr) return up;

  // Backward: as far as the smooth fan reaches against the winding.
  const MeshPolygon* last = &polygon;
  MeshEdge* far = eIn;
  MeshEdge* near = eOut;
  for (int crossings = 0; crossings < kMaxCrossings; ++crossings) {
    MeshEdge* crossed = far;
    if (!Cross(last, far, p, threshold)) break;
    near = crossed;
    if (far == eOut) break;  // full circle
  }

  // Forward from there, accumulating every corner on the way.
  Contribution start = CornerContribution(*far, *near, p);
  Vector3 direction = start.direction;
  double weight = start.weight;
  const MeshEdge* endMark = far;
  const MeshPolygon* current = last;
  MeshEdge* edge = near;
  for (int crossings = 0; crossings < kMaxCrossings; ++crossings) {
    MeshEdge* crossed = edge;
    if (!Cross(current, edge, p, threshold)) break;
    const Contribution next = CornerContribution(*crossed, *edge, p);
    direction = WeightedBlend(direction, weight, next.direction, next.weight);
    weight += next.weight;
    if (edge == endMark) break;
  }
  return Vector3::Normalise(direction);
}

void HvMesh::ComputeCornerNormals(double threshold) {
  for (MeshPolygon* polygon : polygons_) {
    if (polygon == nullptr) continue;
    for (int i = 0; i < polygon->count; ++i)
      polygon->Corner(i).normal = CornerNormal(*polygon, polygon->Corner(i).position, threshold);
  }
}
