#include "Modifiers.h"

#include "ComponentLists.h"
#include "Matrix4.h"
#include "MeshEdges.h"
#include "ModelingNodes.h"
#include "Scene.h"
#include "UVSeams.h"

#include <cmath>

namespace OmbrixHost {
namespace {

// uvTweak[i]: an offset added to UV i of the set, whatever its child attributes are called.
void applyUvOffsets(const Node& node, MeshData& m) {
  const AttrDef* offsets = node.findAttribute("uvTweak");
  UVSet* set = targetSet(node, m);
  if (!offsets || !set)
    return;
  PlugRef array{const_cast<Node*>(&node), offsets, {-1}};
  for (int index : scene().existingIndices(array)) {
    if (index < 0 || static_cast<std::size_t>(index) >= set->us.size())
      continue;
    std::string key = "uvTweak[" + std::to_string(index) + "]";
    const Value both = node.value(key);
    double du = 0.0, dv = 0.0;
    if (both.kind == Value::kNumbers && both.numbers.size() >= 2) {
      du = both.numbers[0];
      dv = both.numbers[1];
    } else if (offsets->children.size() >= 2) {
      du = node.number(key + "." + offsets->children[0]->name, 0.0);
      dv = node.number(key + "." + offsets->children[1]->name, 0.0);
    }
    set->us[static_cast<std::size_t>(index)] += static_cast<float>(du);
    set->vs[static_cast<std::size_t>(index)] += static_cast<float>(dv);
  }
}

// Each "newUV" element of a polyTweakUV node gives a face, a mesh vertex of
// that face and the UV its corner takes, appended to the node's UV set.
void applyNewUVs(const Node& tweak, MeshData& m) {
  UVSet* set = targetSet(tweak, m);
  PlugRef array{const_cast<Node*>(&tweak), tweak.findAttribute("newUV"), {-1}};
  const AttrDef* faceAttr = tweak.findAttribute("faceId");
  const AttrDef* vertexAttr = tweak.findAttribute("vertexId");
  const AttrDef* uAttr = tweak.findAttribute("newUValue");
  const AttrDef* vAttr = tweak.findAttribute("newVValue");
  if (!set || !array.attr || !faceAttr || !vertexAttr || !uAttr || !vAttr)
    return;
  std::vector<int> element{-1, -1};
  for (int index : scene().existingIndices(array)) {
    element[0] = index;
    int face = static_cast<int>(tweak.values.number(faceAttr, element, -1));
    int vertex = static_cast<int>(tweak.values.number(vertexAttr, element, -1));
    if (face < 0 || face >= m.numFaces())
      continue;
    for (int k = 0; k < m.faceCounts[face]; ++k) {
      std::size_t corner = static_cast<std::size_t>(m.faceStart(face) + k);
      if (m.faceConnects[corner] != vertex)
        continue;
      set->us.push_back(static_cast<float>(tweak.values.number(uAttr, element, 0.0)));
      set->vs.push_back(static_cast<float>(tweak.values.number(vAttr, element, 0.0)));
      if (set->uvIds.size() < m.faceConnects.size())
        set->uvIds.resize(m.faceConnects.size(), -1);
      set->uvIds[corner] = static_cast<int>(set->us.size()) - 1;
    }
  }
}

// polyMapCut and polyMapSew: the UV shells parted or joined along the listed edges.
bool editSeams(const Node& node, MeshData& m, bool cut, std::string& why) {
  std::string name = node.text("uvSetName");
  UVSet* set = targetSet(node, m);
  if (!set) {
    if (name.empty())
      return true;  // a mesh without UVs: nothing to cut or sew
    why = "the mesh has no UV set \"" + name + "\"";
    return false;
  }
  MeshEdges edges = meshEdges(m);
  ListedElements listed = listedEdges(node, edges, why);
  if (cut) {
    std::vector<bool> marked(static_cast<std::size_t>(edges.count()), false);
    for (int e : listed.elements)
      marked[static_cast<std::size_t>(e)] = true;
    cutUVs(m, edges, marked, *set, CutOrder::kMapCut);
  } else {
    sewUVs(m, edges, listed.elements, *set);
  }
  return true;
}

// polyMapDel: the listed faces lose their UVs (all faces when the list is
// empty); UVs no other face uses go, and those above them move down.
bool deleteFaceUVs(const Node& node, MeshData& m, std::string& why) {
  UVSet* set = targetSet(node, m);
  if (!set)
    return true;
  std::vector<bool> chosen;
  if (!selectedElements(node, MFn::kMeshPolygonComponent, m.numFaces(), chosen, why))
    return false;
  if (set->uvIds.size() < m.faceConnects.size())
    set->uvIds.resize(m.faceConnects.size(), -1);
  for (int f = 0; f < m.numFaces(); ++f)
    if (chosen[static_cast<std::size_t>(f)])
      for (int k = 0; k < m.faceCounts[f]; ++k)
        set->uvIds[static_cast<std::size_t>(m.faceStart(f) + k)] = -1;
  std::vector<int> renumbered(set->us.size(), -1);
  for (int id : set->uvIds)
    if (id >= 0 && static_cast<std::size_t>(id) < renumbered.size())
      renumbered[static_cast<std::size_t>(id)] = 0;
  std::size_t kept = 0;
  for (std::size_t id = 0; id < renumbered.size(); ++id) {
    if (renumbered[id] < 0)
      continue;
    set->us[kept] = set->us[id];
    set->vs[kept] = set->vs[id];
    renumbered[id] = static_cast<int>(kept++);
  }
  set->us.resize(kept);
  set->vs.resize(kept);
  for (int& id : set->uvIds)
    id = id >= 0 && static_cast<std::size_t>(id) < renumbered.size() ? renumbered[static_cast<std::size_t>(id)] : -1;
  return true;
}

// polyMoveUV: scale about the pivot, rotate about it, then translate.
bool moveUVs(const Node& node, MeshData& m, std::string& why) {
  UVSet* set = targetSet(node, m);
  if (!set)
    return true;
  double tu = node.number("translate.translateU", 0.0), tv = node.number("translate.translateV", 0.0);
  double su = node.number("scale.scaleU", 1.0), sv = node.number("scale.scaleV", 1.0);
  double pu = node.number("pivot.pivotU", 0.0), pv = node.number("pivot.pivotV", 0.0);
  double angle = node.number("rotationAngle", 0.0);
  for (double v : {tu, tv, su, sv, pu, pv, angle})
    if (!std::isfinite(v)) {
      why = "a value is not a number";
      return false;
    }
  std::vector<bool> chosen;
  if (!selectedElements(node, MFn::kMeshMapComponent, static_cast<int>(set->us.size()), chosen, why))
    return false;
  double c = std::cos(angle), s = std::sin(angle);
  for (std::size_t i = 0; i < set->us.size(); ++i) {
    if (!chosen[i])
      continue;
    double u = (set->us[i] - pu) * su, v = (set->vs[i] - pv) * sv;
    set->us[i] = static_cast<float>(pu + u * c - v * s + tu);
    set->vs[i] = static_cast<float>(pv + u * s + v * c + tv);
  }
  return true;
}

}  // namespace

bool transformGeometryPoints(const Node& node, std::vector<Point3>& points, std::string& why) {
  Matrix4 matrix;
  const Value stored = node.value("transform");
  if (stored.kind != Value::kNone && !Matrix4::fromValue(&stored, matrix)) {
    why = "its transform is not a matrix";
    return false;
  }
  if (!matrix.finite()) {
    why = "its transform is not a number";
    return false;
  }
  if (node.number("invertTransform", 0.0) != 0.0 && !matrix.inverse(matrix)) {
    why = "its transform cannot be inverted";
    return false;
  }
  for (auto& p : points)
    p = matrix.apply(p);
  return true;
}

namespace {

// polyTweak: tweak[v] added to point v (vertices moved on a mesh with history).
bool tweakVertices(const Node& node, MeshData& m, std::string& why) {
  PlugRef array{const_cast<Node*>(&node), node.findAttribute("tweak"), {-1}};
  std::vector<std::pair<std::size_t, Point3>> moves;
  for (int v : scene().existingIndices(array)) {
    if (v < 0 || static_cast<std::size_t>(v) >= m.points.size())
      continue;
    std::string key = "tweak[" + std::to_string(v) + "].";
    Point3 d{node.number(key + "tweakX", 0.0), node.number(key + "tweakY", 0.0), node.number(key + "tweakZ", 0.0)};
    if (!std::isfinite(d.x) || !std::isfinite(d.y) || !std::isfinite(d.z)) {
      why = "the tweak of vertex " + std::to_string(v) + " is not a number";
      return false;
    }
    moves.emplace_back(static_cast<std::size_t>(v), d);
  }
  for (const auto& [v, d] : moves)
    m.points[v] = Point3{m.points[v].x + d.x, m.points[v].y + d.y, m.points[v].z + d.z};
  return true;
}

bool is(const Node& node, const char* type) { return node.typeName == type; }

}  // namespace

const char* modifierInput(const Node& node) {
  if (const char* input = modelingInput(node))
    return input;
  if (is(node, "groupParts") || is(node, "transformGeometry"))
    return "inputGeometry";
  for (const char* type : {"polyTweak", "polyTweakUV", "polyMoveUV", "polyColorPerVertex", "polyMapCut", "polyMapSew",
                           "polyMapDel"})
    if (is(node, type))
      return "inputPolymesh";
  return nullptr;
}

bool applyModifier(const Node& node, MeshData& mesh, std::string& why) {
  if (modelingInput(node))
    return applyModeling(node, mesh, why);
  if (is(node, "polyTweakUV")) {
    applyUvOffsets(node, mesh);
    applyNewUVs(node, mesh);
    return true;
  }
  if (is(node, "polyMapDel"))
    return deleteFaceUVs(node, mesh, why);
  if (is(node, "polyMoveUV"))
    return moveUVs(node, mesh, why);
  if (is(node, "transformGeometry"))
    return transformGeometryPoints(node, mesh.points, why);
  if (is(node, "polyTweak"))
    return tweakVertices(node, mesh, why);
  if (is(node, "polyMapCut") || is(node, "polyMapSew"))
    return editSeams(node, mesh, is(node, "polyMapCut"), why);
  return modifierInput(node) != nullptr;
}

}  // namespace OmbrixHost
