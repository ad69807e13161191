#include "Deformers.h"

#include "Cluster.h"
#include "DeltaMush.h"
#include "Lattice.h"
#include "SkinCluster.h"
#include "Wrap.h"

#include "Components.h"
#include "DataCursor.h"
#include "DualQuaternion.h"
#include "Matrix4.h"
#include "MeshHistory.h"
#include "NonLinear.h"
#include "RawData.h"
#include "Scene.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace OmbrixHost {

std::string indexed(const std::string& name, int index) { return name + "[" + std::to_string(index) + "]"; }

std::vector<int> elementsOf(const Node& node, const char* attr, std::vector<int> indices) {
  PlugRef plug{const_cast<Node*>(&node), node.findAttribute(attr), std::move(indices)};
  return plug.attr ? scene().existingIndices(plug) : std::vector<int>();
}

namespace {

// The result moves from the input by the envelope: 0 leaves the input, 1 takes the result.
void applyEnvelope(const Node& node, std::vector<Point3>& points, const std::vector<Point3>& deformed) {
  double envelope = node.number("envelope", 1.0);
  if (!std::isfinite(envelope))
    envelope = 1.0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    Point3& p = points[i];
    const Point3& d = deformed[i];
    p = Point3{p.x + envelope * (d.x - p.x), p.y + envelope * (d.y - p.y), p.z + envelope * (d.z - p.z)};
  }
}

// ---------------------------------------------------------------- tweak

struct TweakList {
  const char* list;      // vlist, plist
  const char* element;   // vertex, controlPoints
  const char* axes[3];   // the element's children
};
const TweakList kTweakLists[] = {{"vlist", "vertex", {"xVertex", "yVertex", "zVertex"}},
                                 {"plist", "controlPoints", {"xValue", "yValue", "zValue"}}};

// Each list's values for the points of input[index]: offsets added to them
// with relativeTweak on, the points themselves with it off.
bool tweakPoints(const Node& node, int index, std::vector<Point3>& points, std::string& why) {
  bool relative = node.number("relativeTweak", 1.0) != 0.0;
  int stray = 0;
  for (const auto& list : kTweakLists) {
    std::string base = indexed(list.list, index) + "." + list.element;
    for (int v : elementsOf(node, list.element, {index, -1})) {
      if (v < 0 || static_cast<std::size_t>(v) >= points.size()) {
        ++stray;
        continue;
      }
      std::string key = indexed(base, v) + ".";
      Point3 value{node.number(key + list.axes[0], 0.0), node.number(key + list.axes[1], 0.0),
                   node.number(key + list.axes[2], 0.0)};
      if (!finite(value)) {
        why = "the tweak of vertex " + std::to_string(v) + " is not a number";
        return false;
      }
      Point3& p = points[static_cast<std::size_t>(v)];
      p = relative ? Point3{p.x + value.x, p.y + value.y, p.z + value.z} : value;
    }
  }
  if (stray > 0)
    why = "its tweaks of " + std::to_string(stray) + " vertices the mesh does not have (of " +
          std::to_string(points.size()) + ") are left out";
  return true;
}

// ---------------------------------------------------------------- blendShape

// A target item's offsets, one per vertex of the mesh.
struct TargetItem {
  bool hasPoints = false;
  std::vector<Point3> points;  // as the file gives them (inputPointsTarget)
  std::vector<int> vertices;   // the vertices they belong to (inputComponentsTarget)
  std::vector<Point3> deltas;
};

using TargetItems = std::map<int, TargetItem>;  // by item index: 5000 + 1000 * weight

// "setAttr <plug> -type "pointArray" N x y z w ...": blendShape target points,
// which the host keeps as the file line.
bool readPointArray(const Node& node, const std::string& line, PlugRef& plug, std::vector<Point3>& out) {
  DataCursor c(line.data(), line.data());
  if (!openRawData(node, line, "pointArray", plug, c))
    return false;
  long long count = 0;
  if (!c.integer(count) || count < 0 ||
      static_cast<unsigned long long>(count) > c.remaining() / 8)
    return false;
  out.resize(static_cast<std::size_t>(count));
  for (auto& p : out) {
    double w;
    if (!c.number(p.x) || !c.number(p.y) || !c.number(p.z) || !c.number(w))
      return false;
  }
  return true;
}

void collectPointTargets(const Node& node, int index, std::map<int, TargetItems>& groups) {
  const AttrDef* pointsAttr = node.findAttribute("inputPointsTarget");
  for (const auto& line : node.rawSetAttrs) {
    PlugRef plug;
    std::vector<Point3> points;
    if (!readPointArray(node, line, plug, points) || plug.attr != pointsAttr || plug.indices.size() < 3 ||
        plug.indices[0] != index)
      continue;
    TargetItem& item = groups[plug.indices[1]][plug.indices[2]];
    item.hasPoints = true;
    item.points = std::move(points);
  }
}

bool componentVertices(const Value* list, int count, std::vector<int>& out) {
  for (const auto& text : list->strings) {
    MFn::Type type;
    std::vector<int> elements;
    if (!parseComponent(text, type, elements, count) || type != MFn::kMeshVertComponent)
      return false;
    out.insert(out.end(), elements.begin(), elements.end());
  }
  return true;
}

// Each item's offsets for every vertex: from its points and components, or from a target mesh.
bool targetDeltas(const Node& node, int index, int group, TargetItems& items, const MeshData& base,
                  const DeformerSources& sources, std::string& why) {
  std::string groupKey = indexed(indexed("inputTarget", index) + ".inputTargetGroup", group) + ".inputTargetItem";
  for (int k : elementsOf(node, "inputTargetItem", {index, group, -1}))
    items[k];
  const int count = static_cast<int>(base.points.size());
  for (auto& [k, item] : items) {
    std::string itemKey = indexed(groupKey, k);
    std::string target = "target " + std::to_string(group) + " (item " + std::to_string(k) + ")";
    item.deltas.assign(base.points.size(), Point3{});
    const Connection* mesh = incomingConnection(&node, itemKey + ".inputGeomTarget");
    if (mesh) {
      MeshData shape;
      if (!sources.meshAt(mesh->remote, shape) || shape.points.size() != base.points.size() ||
          shape.faceConnects != base.faceConnects) {
        why = target + " is not a mesh of the same topology";
        return false;
      }
      for (std::size_t v = 0; v < shape.points.size(); ++v)
        item.deltas[v] = Point3{shape.points[v].x - base.points[v].x, shape.points[v].y - base.points[v].y,
                                shape.points[v].z - base.points[v].z};
      continue;
    }
    const Value components = node.value(itemKey + ".inputComponentsTarget");
    if (components.kind == Value::kStrings) {
      if (!componentVertices(&components, count, item.vertices)) {
        why = target + " names components that are not vertices of the mesh";
        return false;
      }
    } else {
      for (int v = 0; v < static_cast<int>(item.points.size()); ++v)
        item.vertices.push_back(v);
    }
    if (item.vertices.size() != item.points.size()) {
      why = target + " gives " + std::to_string(item.points.size()) + " points for " +
            std::to_string(item.vertices.size()) + " vertices";
      return false;
    }
    for (std::size_t i = 0; i < item.vertices.size(); ++i) {
      int v = item.vertices[i];
      if (v < 0 || v >= count || !finite(item.points[i])) {
        why = target + " moves a vertex the mesh does not have or by a value that is not a number";
        return false;
      }
      item.deltas[static_cast<std::size_t>(v)] = item.points[i];
    }
  }
  return true;
}

// The offsets of a target at weight w: straight lines through (0, none) and
// each item at its own weight, the last segment continued past the ends.
std::vector<Point3> targetAt(const TargetItems& items, double w, std::size_t count) {
  std::vector<std::pair<double, const std::vector<Point3>*>> steps;
  static const std::vector<Point3> none;
  steps.emplace_back(0.0, &none);
  for (const auto& [k, item] : items)
    if (k != 5000)
      steps.emplace_back((k - 5000) / 1000.0, &item.deltas);
  std::sort(steps.begin(), steps.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  if (steps.size() < 2)
    return std::vector<Point3>(count);  // only an item at weight 0, which offsets nothing
  std::size_t upper = 1;
  while (upper + 1 < steps.size() && steps[upper].first < w)
    ++upper;
  const auto& [w0, d0] = steps[upper - 1];
  const auto& [w1, d1] = steps[upper];
  double t = w1 != w0 ? (w - w0) / (w1 - w0) : 0.0;
  std::vector<Point3> out(count);
  for (std::size_t v = 0; v < count; ++v) {
    Point3 a = v < d0->size() ? (*d0)[v] : Point3{}, b = v < d1->size() ? (*d1)[v] : Point3{};
    out[v] = Point3{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z)};
  }
  return out;
}

bool blendPoints(const Node& node, int index, const MeshData& base, std::vector<Point3>& points,
                 const DeformerSources& sources, std::string& why) {
  std::map<int, TargetItems> groups;
  collectPointTargets(node, index, groups);
  for (int group : elementsOf(node, "inputTargetGroup", {index, -1}))
    groups[group];
  std::string targetKey = indexed("inputTarget", index);
  std::vector<double> baseWeights =
      vertexWeights(node, "baseWeights", targetKey + ".baseWeights", {index, -1}, points.size());
  for (auto& [group, items] : groups) {
    double w = node.number(indexed("weight", group), 0.0);
    if (!std::isfinite(w)) {
      why = "the weight of target " + std::to_string(group) + " is not a number";
      return false;
    }
    std::string bad;
    if (!targetDeltas(node, index, group, items, base, sources, bad)) {
      if (why.empty())
        why = bad + "; the target is left out";
      continue;
    }
    if (w == 0.0 || items.empty())
      continue;
    std::string groupKey = indexed(targetKey + ".inputTargetGroup", group);
    std::vector<double> own =
        vertexWeights(node, "targetWeights", groupKey + ".targetWeights", {index, group, -1}, points.size());
    std::vector<Point3> deltas = targetAt(items, w, points.size());
    for (std::size_t v = 0; v < points.size(); ++v) {
      double f = baseWeights[v] * own[v];
      points[v] = Point3{points[v].x + f * deltas[v].x, points[v].y + f * deltas[v].y, points[v].z + f * deltas[v].z};
    }
  }
  return true;
}

bool is(const Node& node, const char* type) { return node.typeName == type; }

}  // namespace

std::vector<double> vertexWeights(const Node& node, const char* attr, const std::string& base,
                                  std::vector<int> indices, std::size_t count) {
  std::vector<double> out(count, 1.0);
  for (int v : elementsOf(node, attr, std::move(indices)))
    if (v >= 0 && static_cast<std::size_t>(v) < count)
      out[static_cast<std::size_t>(v)] = node.number(indexed(base, v), 1.0);
  return out;
}

void moveByWeights(const Node& node, int index, std::vector<Point3>& points,
                   const std::function<Point3(std::size_t, Point3)>& move) {
  const std::vector<double> weights =
      vertexWeights(node, "weights", indexed("weightList", index) + ".weights", {index, -1}, points.size());
  for (std::size_t v = 0; v < points.size(); ++v) {
    const double w = std::isfinite(weights[v]) ? weights[v] : 0.0;
    Point3& p = points[v];
    const Point3 d = move(v, p);
    p = Point3{p.x + w * (d.x - p.x), p.y + w * (d.y - p.y), p.z + w * (d.z - p.z)};
  }
}

bool isDeformer(const Node& node) {
  return is(node, "tweak") || is(node, "skinCluster") || is(node, "blendShape") || is(node, "nonLinear") ||
         is(node, "cluster") || is(node, "softMod") || is(node, "ffd") ||
         is(node, "deltaMush") || is(node, "wrap");
}

bool movesPointsAlone(const Node& node) {
  return is(node, "tweak") || is(node, "skinCluster") || is(node, "nonLinear") || is(node, "cluster") ||
         is(node, "softMod") || is(node, "ffd");
}

bool deformPoints(const Node& node, int index, std::vector<Point3>& points, const DeformerSources& sources,
                  std::string& why) {
  std::vector<Point3> deformed = points;
  bool ok = false;
  if (is(node, "tweak"))
    ok = tweakPoints(node, index, deformed, why);
  else if (is(node, "skinCluster"))
    ok = skinPoints(node, deformed, why);
  else if (is(node, "nonLinear"))
    ok = nonLinearPoints(node, index, deformed, sources, why);
  else if (is(node, "cluster"))
    ok = clusterPoints(node, index, deformed, why);
  else if (is(node, "softMod"))
    ok = softModPoints(node, index, deformed, why);
  else if (is(node, "ffd"))
    ok = latticePoints(node, index, deformed, why);
  if (!ok)
    return false;
  applyEnvelope(node, points, deformed);
  return true;
}

bool applyDeformer(const Node& node, int index, MeshData& mesh, const DeformerSources& sources, std::string& why) {
  if (movesPointsAlone(node))
    return deformPoints(node, index, mesh.points, sources, why);
  std::vector<Point3> deformed = mesh.points;
  bool ok = false;
  if (is(node, "blendShape"))
    ok = blendPoints(node, index, mesh, deformed, sources, why);
  else if (is(node, "deltaMush"))
    ok = deltaMushPoints(node, index, mesh, deformed, sources, why);
  else if (is(node, "wrap"))
    ok = wrapPoints(node, index, deformed, sources, why);
  if (!ok)
    return false;
  applyEnvelope(node, mesh.points, deformed);
  return true;  // `why`, when set, names what was left out
}

}  // namespace OmbrixHost
