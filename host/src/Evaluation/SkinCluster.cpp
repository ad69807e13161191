// skinCluster: each point moved by its influences' matrices (world matrix
// times bind pre-matrix), blended by its weights: linearly, as dual
// quaternions, or per vertex between the two (skinningMethod).
#include "SkinCluster.h"

#include "Deformers.h"
#include "DualQuaternion.h"
#include "Matrix4.h"
#include "MeshHistory.h"
#include "Scene.h"

#include <algorithm>
#include <cmath>

namespace OmbrixHost {
namespace {

Matrix4 storedMatrix(const Node& node, const std::string& key, bool& present) {
  Matrix4 m;
  const Value stored = node.value(key);
  present = Matrix4::fromValue(&stored, m);
  return m;
}

// The world matrix of what drives matrix[j]: a joint or transform's worldMatrix,
// else the matrix stored on the skinCluster.
bool driverMatrix(const Node& node, int j, Matrix4& out, bool& present) {
  return inputMatrix(node, indexed("matrix", j), out, present);
}

struct Influence {
  int index;
  Matrix4 transform;  // bindPreMatrix * matrix: from the bind pose to the current one
  RigidSplit split;   // the transform as a stretch and a rigid motion
  DualQuaternion motion;
};

bool influences(const Node& node, std::vector<Influence>& out, std::string& why) {
  for (int j : elementsOf(node, "matrix", {-1})) {
    bool hasBind = false, hasDriver = false;
    Matrix4 bind = storedMatrix(node, indexed("bindPreMatrix", j), hasBind);
    Matrix4 driver;
    if (!driverMatrix(node, j, driver, hasDriver)) {
      why = "influence " + std::to_string(j) + " is driven by a node that is not a transform";
      return false;
    }
    if (!hasDriver && !bind.inverse(driver))
      driver = Matrix4();
    Matrix4 transform = bind * driver;
    if (!transform.finite()) {
      why = "the matrices of influence " + std::to_string(j) + " are not numbers";
      return false;
    }
    RigidSplit split = RigidSplit::of(transform);
    out.push_back(Influence{j, transform, split, DualQuaternion::of(split)});
  }
  return true;
}

// The influence of matrix[index] among `all` (ascending by index); null when there is none.
const Influence* influenceAt(const std::vector<Influence>& all, int index) {
  auto found = std::lower_bound(all.begin(), all.end(), index,
                                [](const Influence& influence, int i) { return influence.index < i; });
  return found != all.end() && found->index == index ? &*found : nullptr;
}

enum class Skinning { kLinear, kDualQuaternion, kBlended };

using Weighted = std::vector<std::pair<const Influence*, double>>;

Point3 linearSkin(const Weighted& weighted, const Point3& p, double total, bool normalize) {
  Point3 sum;
  for (const auto& [influence, w] : weighted) {
    Point3 moved = influence->transform.apply(p);
    sum = Point3{sum.x + w * moved.x, sum.y + w * moved.y, sum.z + w * moved.z};
  }
  return normalize ? Point3{sum.x / total, sum.y / total, sum.z / total} : sum;
}

// The influences' stretches blended linearly, then their rigid motions as one dual quaternion.
Point3 dualQuaternionSkin(const Weighted& weighted, const Point3& p, double total) {
  Point3 stretched;
  DualQuaternionBlend blend;
  for (const auto& [influence, w] : weighted) {
    Point3 s = influence->split.stretched(p);
    stretched = Point3{stretched.x + w * s.x, stretched.y + w * s.y, stretched.z + w * s.z};
    blend.add(influence->motion, w);
  }
  return blend.apply(Point3{stretched.x / total, stretched.y / total, stretched.z / total});
}

// How far each vertex goes from linear (0) to dual-quaternion skinning (1).
std::vector<double> dualQuaternionShares(const Node& node, Skinning method, std::size_t count, std::string& why) {
  if (method != Skinning::kBlended)
    return std::vector<double>(count, method == Skinning::kDualQuaternion ? 1.0 : 0.0);
  const Value stored = node.value("blendWeights");
  std::vector<double> shares(count, 0.0);
  std::size_t given = stored.kind == Value::kNumbers ? stored.numbers.size() : 0;
  for (std::size_t v = 0; v < count && v < given; ++v)
    shares[v] = std::isfinite(stored.numbers[v]) ? std::min(1.0, std::max(0.0, stored.numbers[v])) : 0.0;
  if (given != count)
    why = "its blendWeights has " + std::to_string(given) + " values for a mesh of " + std::to_string(count) +
          " vertices; " + (given < count ? "the vertices without one are skinned linearly" : "the rest are left out");
  return shares;
}

Skinning skinningMethod(const Node& node) {
  double method = node.number("skinningMethod", 0.0);
  return method == 1.0 ? Skinning::kDualQuaternion : method == 2.0 ? Skinning::kBlended : Skinning::kLinear;
}

}  // namespace

bool skinPoints(const Node& node, std::vector<Point3>& points, std::string& why) {
  std::vector<int> weighted = elementsOf(node, "weightList", {-1});
  if (weighted.size() != points.size() || (!weighted.empty() && weighted.back() != static_cast<int>(points.size()) - 1)) {
    why = "its weightList has " + std::to_string(weighted.size()) + " entries for " + std::to_string(points.size()) +
          " points (vertices or CVs)";
    return false;
  }
  std::vector<Influence> all;
  if (!influences(node, all, why))
    return false;
  Matrix4 geom, geomInverse;
  bool hasGeom = false;
  geom = storedMatrix(node, "geomMatrix", hasGeom);
  if (!geom.inverse(geomInverse)) {
    why = "its geomMatrix cannot be inverted";
    return false;
  }
  bool normalize = node.number("normalizeWeights", 1.0) == 2.0;
  std::string note;
  std::vector<double> shares = dualQuaternionShares(node, skinningMethod(node), points.size(), note);
  Weighted weights;
  // The attribute is found once: a row's weights are asked for per vertex.
  const AttrDef* weightsAttr = node.findAttribute("weights");
  PlugRef row{const_cast<Node*>(&node), weightsAttr, {0, -1}};
  std::vector<int> element{0, 0};
  for (std::size_t v = 0; v < points.size(); ++v) {
    Point3 world = geom.apply(points[v]);
    double total = 0.0;
    weights.clear();
    row.indices[0] = static_cast<int>(v);
    for (int j : weightsAttr ? scene().existingIndices(row) : std::vector<int>()) {
      const Influence* influence = influenceAt(all, j);
      element = {static_cast<int>(v), j};
      const double w = influence ? node.values.number(weightsAttr, element, 0.0) : 0.0;
      if (w == 0.0)
        continue;
      if (!std::isfinite(w)) {
        why = "the weight of vertex " + std::to_string(v) + " is not a number";
        return false;
      }
      weights.emplace_back(influence, w);
      total += w;
    }
    if (total == 0.0)
      continue;  // no influence holds the vertex: it stays where its input has it
    double share = shares[v];
    Point3 linear = share < 1.0 ? linearSkin(weights, world, total, normalize) : Point3{};
    Point3 dual = share > 0.0 ? dualQuaternionSkin(weights, world, total) : Point3{};
    Point3 skinned{linear.x + share * (dual.x - linear.x), linear.y + share * (dual.y - linear.y),
                   linear.z + share * (dual.z - linear.z)};
    points[v] = geomInverse.apply(skinned);
  }
  why = note;
  return true;
}

}  // namespace OmbrixHost
