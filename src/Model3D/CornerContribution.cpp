#include "Model3D/CornerContribution.h"

#include <cmath>

#include "Model3D/MeshEdge.h"
#include "Model3D/MeshPolygon.h"

namespace {

// The unit direction from p along the edge to its other end (zero when the
// edge does not hold p or has no length).
Vector3 DirectionFrom(const Vector3& p, const MeshEdge& edge) {
  Vector3 d;
  if (edge.a == p) {
    d = Vector3::Subtract(edge.b, p);
  } else if (edge.b == p) {
    d = Vector3::Subtract(edge.a, p);
  }
  return d.LengthSquared() > 0.0 ? Vector3::Normalise(d) : d;
}

}  // namespace

Contribution CornerContributionAt(const MeshPolygon& polygon, int corner) {
  const MeshEdge* far = polygon.Corner(polygon.Wrap(corner - 1)).edge;
  const MeshEdge* near = polygon.Corner(corner).edge;
  if (far == nullptr || near == nullptr) return {Vector3(), 0.0, 0.0};
  const Vector3& p = polygon.Corner(corner).position;
  const Vector3 dF = DirectionFrom(p, *far);
  const Vector3 dN = DirectionFrom(p, *near);
  const double cosine = std::fmax(-1.0, std::fmin(1.0, Vector3::Dot(dN, dF)));
  const Vector3 direction = Vector3::Cross(dN, dF);
  return {direction, std::acos(cosine), direction.Length()};
}

Vector3 NormalBlend::Normal() const {
  const double length = direction_.LengthSquared();
  if (!(length > 0.0) || !std::isfinite(length)) return Vector3(0, 1, 0);
  return Vector3::Normalise(direction_);
}
