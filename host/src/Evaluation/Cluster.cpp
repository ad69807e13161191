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
    const Value stored = node.value("bindPreMatrix");
    Matrix4 bind;
    out = Matrix4::fromValue(&stored, bind) ? bind * world : Matrix4();
  }
  if (!out.finite()) {
    why = "its matrices are not numbers";
    return false;
  }
  return true;
}

}  // namespace

bool clusterPoints(const Node& node, int index, std::vector<Point3>& points, std::string& why) {
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
  moveByWeights(node, index, points, [&whole](Point3 p) { return whole.apply(p); });
  return true;
}

}  // namespace OmbrixHost
