// cluster: the points, taken into world space by geomMatrix[i], moved by the
// handle's transformation, then brought back, each by its weight
// (weightList[i].weights, 1 where none is stored). Without `relative` the
// transformation runs from the bind pose (bindPreMatrix, the inverse of the
// handle's world matrix then) to the handle's world matrix (matrix); with it,
// only the handle's own transform counts, as a motion in its parent's space
// from where it was made (its transform values at rest), so moving the
// handle's parents moves nothing.
#include "Cluster.h"

#include "Matrix4.h"
#include "MeshHistory.h"
#include "Scene.h"

namespace OmbrixHost {
namespace {

Matrix4 localMatrixOf(const Node* node) {
  double rows[4][4];
  scene().localMatrix(node, rows);
  return Matrix4::fromRows(rows);
}

// From the bind pose to the present, in world space.
bool motion(const Node& node, Matrix4& out, std::string& why) {
  Matrix4 world;
  bool hasWorld = false;
  if (!inputMatrix(node, "matrix", world, hasWorld)) {
    why = "its matrix is driven by a node that is not a transform";
    return false;
  }
  Matrix4 inverseWorld;
  if (!world.finite() || !world.inverse(inverseWorld)) {
    why = "its handle's matrix cannot be inverted";
    return false;
  }
  const Connection* handle = incomingConnection(&node, "matrix");
  if (node.number("relative", 0.0) != 0.0) {
    // Parent space P = L^-1 W: P^-1 L P = W^-1 L W.
    const Matrix4 local = handle && handle->remote.node->dag ? localMatrixOf(handle->remote.node) : Matrix4();
    out = inverseWorld * local * world;
  } else {
    Matrix4 bind;
    bool hasBind = false;
    if (!inputMatrix(node, "bindPreMatrix", bind, hasBind)) {
      why = "its bindPreMatrix is driven by a node that is not a transform";
      return false;
    }
    out = hasBind ? bind * world : Matrix4();
  }
  if (!out.finite()) {
    why = "its matrices are not numbers";
    return false;
  }
  return true;
}

}  // namespace

bool clusterPoints(const Node& node, int index, std::vector<Point3>& points, std::string& why,
                   const std::function<double(Point3)>& falloff) {
  Matrix4 moved, geom, geomInverse;
  const Value stored = node.value(indexed("geomMatrix", index));
  if (stored.kind != Value::kNone && !Matrix4::fromValue(&stored, geom)) {
    why = "its geomMatrix is not a matrix";
    return false;
  }
  if (!motion(node, moved, why))
    return false;
  if (!geom.finite() || !geom.inverse(geomInverse)) {
    why = "its geomMatrix cannot be inverted";
    return false;
  }
  const Matrix4 whole = geom * moved * geomInverse;
  moveByWeights(node, index, points, [&](std::size_t, Point3 p) {
    const Point3 to = whole.apply(p);
    const double share = falloff ? falloff(geom.apply(p)) : 1.0;
    return Point3{p.x + share * (to.x - p.x), p.y + share * (to.y - p.y), p.z + share * (to.z - p.z)};
  });
  return true;
}

}  // namespace OmbrixHost
