#include "SceneEvaluation.h"

#include "Primitives.h"
#include "Scene.h"

namespace OmbrixHost {
namespace {

const Connection* incoming(const Node* n, const std::string& key) {
  for (const auto& c : n->connections)
    if (!c.outgoing && c.localKey == key)
      return &c;
  return nullptr;
}

std::string where(const std::string& file, const Node* n) {
  return file + ":" + std::to_string(n->sourceLine) + ": ";
}

// og[k].gid is fed by a groupId whose groupParts names the faces.
void resolveGroupComponents(Node* shape) {
  for (const auto& c : shape->connections) {
    const std::string& key = c.localKey;
    const std::string suffix = ".objectGroupId";
    if (c.outgoing || key.size() < suffix.size() || key.compare(key.size() - suffix.size(), suffix.size(), suffix) != 0)
      continue;
    std::string listKey = key.substr(0, key.size() - suffix.size()) + ".objectGrpCompList";
    if (shape->value(listKey).kind != Value::kNone)
      continue;
    Node* groupId = c.remote.node;
    for (const auto& g : groupId->connections) {
      if (!g.outgoing || g.remote.node->typeName != "groupParts" || g.remote.key() != "groupId")
        continue;
      Value list = g.remote.node->value("inputComponents");
      if (list.kind == Value::kStrings) {
        list.text = "componentList";
        shape->setValue(listKey, std::move(list));
        break;
      }
    }
  }
}

// Applies a polyTweakUV node to its UV set ("uvSetName", the current set
// when empty): first "uvTweak", a (u, v) displacement per existing UV, then
// each "newUV" element, which gives a face, a mesh vertex of that face and
// the UV its corner takes.
void applyTweakUV(const Node* tweak, MeshData& m) {
  const std::string setName = tweak->text("uvSetName");
  UVSet* set = m.uvSet(setName.empty() ? nullptr : &setName);
  if (!set)
    return;
  PlugRef shifts{const_cast<Node*>(tweak), tweak->findAttribute("uvTweak"), {-1}};
  for (int index : scene().existingIndices(shifts)) {
    if (index < 0 || static_cast<std::size_t>(index) >= set->us.size())
      continue;
    std::string base = "uvTweak[" + std::to_string(index) + "].";
    set->us[static_cast<std::size_t>(index)] += static_cast<float>(tweak->number(base + "uvTweakU", 0.0));
    set->vs[static_cast<std::size_t>(index)] += static_cast<float>(tweak->number(base + "uvTweakV", 0.0));
  }
  PlugRef array{const_cast<Node*>(tweak), tweak->findAttribute("newUV"), {-1}};
  if (!array.attr)
    return;
  const AttrDef* faceAttr = tweak->findAttribute("faceId");
  const AttrDef* vertexAttr = tweak->findAttribute("vertexId");
  const AttrDef* uAttr = tweak->findAttribute("newUValue");
  const AttrDef* vAttr = tweak->findAttribute("newVValue");
  if (!faceAttr || !vertexAttr || !uAttr || !vAttr)
    return;
  std::vector<int> element{-1, -1};
  for (int index : scene().existingIndices(array)) {
    element[0] = index;
    int face = static_cast<int>(tweak->values.number(faceAttr, element, -1));
    int vertex = static_cast<int>(tweak->values.number(vertexAttr, element, -1));
    if (face < 0 || face >= m.numFaces())
      continue;
    for (int k = 0; k < m.faceCounts[face]; ++k) {
      std::size_t corner = static_cast<std::size_t>(m.faceStart(face) + k);
      if (m.faceConnects[corner] != vertex)
        continue;
      set->us.push_back(static_cast<float>(tweak->values.number(uAttr, element, 0.0)));
      set->vs.push_back(static_cast<float>(tweak->values.number(vAttr, element, 0.0)));
      if (set->uvIds.size() < m.faceConnects.size())
        set->uvIds.resize(m.faceConnects.size(), -1);
      set->uvIds[corner] = static_cast<int>(set->us.size()) - 1;
    }
  }
}

// Follows inMesh upstream through groupParts and polyTweakUV nodes to a
// creation node; anything else stops the evaluation.
void evaluateMeshHistory(Node* shape, const std::string& file, std::vector<std::string>& problems) {
  std::vector<const Node*> tweaks;
  const Connection* c = incoming(shape, "inMesh");
  while (c) {
    const Node* up = c->remote.node;
    if (up->typeName == "groupParts") {
      c = incoming(up, "inputGeometry");
      continue;
    }
    if (up->typeName == "polyTweakUV") {
      tweaks.push_back(up);
      c = incoming(up, "inputPolymesh");
      continue;
    }
    MeshData generated;
    std::string why;
    if (!generatePolyPrimitive(*up, generated, why)) {
      problems.push_back(where(file, shape) + shape->name + ": construction history through " + up->name + " (" +
                         up->typeName + ") is not evaluated (" + why + "); the mesh keeps the data in the file");
      return;
    }
    generated.tweaks = std::move(shape->mesh->tweaks);
    *shape->mesh = std::move(generated);
    for (auto it = tweaks.rbegin(); it != tweaks.rend(); ++it)
      applyTweakUV(*it, *shape->mesh);
    return;
  }
}

void finishMesh(Node* shape, const std::string& file, std::vector<std::string>& problems) {
  MeshData& m = *shape->mesh;
  for (std::size_t i = 0; i < m.tweaks.size() && i < m.points.size(); ++i) {
    m.points[i].x += m.tweaks[i].x;
    m.points[i].y += m.tweaks[i].y;
    m.points[i].z += m.tweaks[i].z;
  }
  m.tweaks.clear();
  m.rebuildFaceStarts();
  for (int v : m.faceConnects)
    if (v < 0 || static_cast<std::size_t>(v) >= m.points.size()) {
      problems.push_back(where(file, shape) + shape->name + ": a face uses vertex " + std::to_string(v) +
                         ", which the mesh does not have; its faces are dropped");
      m.faceCounts.clear();
      m.faceConnects.clear();
      m.rebuildFaceStarts();
      break;
    }
  for (auto& set : m.uvSets) {
    set.uvIds.resize(m.faceConnects.size(), -1);
    for (auto& id : set.uvIds)
      if (id >= static_cast<int>(set.us.size()))
        id = -1;
  }
  if (m.holesDropped)
    problems.push_back(where(file, shape) + shape->name + ": holes in faces are not kept");
  std::string current = shape->text("currentUVSet");
  m.currentUVSet = 0;
  for (std::size_t i = 0; i < m.uvSets.size(); ++i)
    if (m.uvSets[i].name == current)
      m.currentUVSet = static_cast<int>(i);
  if (m.uvSets.empty())
    m.uvSets.push_back(UVSet{"map1", {}, {}, std::vector<int>(m.faceConnects.size(), -1)});
}

void evaluateSurface(Node* shape, const std::string& file, std::vector<std::string>& problems) {
  const Connection* c = incoming(shape, "create");
  if (!c)
    return;
  NurbsData d;
  std::string why;
  if (generateNurbsPrimitive(*c->remote.node, d, why))
    *shape->nurbs = std::move(d);
  else
    problems.push_back(where(file, shape) + shape->name + ": construction history through " + c->remote.node->name +
                       " is not evaluated (" + why + "); the surface keeps the data in the file");
}

}  // namespace

void evaluateLoadedScene(const std::string& file, std::vector<std::string>& problems) {
  for (const auto& node : scene().nodes()) {
    if (node->mesh) {
      evaluateMeshHistory(node.get(), file, problems);
      finishMesh(node.get(), file, problems);
      resolveGroupComponents(node.get());
    } else if (node->nurbs) {
      evaluateSurface(node.get(), file, problems);
    }
  }
}

}  // namespace OmbrixHost
