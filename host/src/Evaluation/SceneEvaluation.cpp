#include "SceneEvaluation.h"

#include "MeshHistory.h"
#include "Primitives.h"
#include "Scene.h"

namespace OmbrixHost {
namespace {

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

// The mesh its inMesh history gives, when it has history.
void evaluateMeshHistory(MeshHistory& history, Node* shape) {
  if (!incomingConnection(shape, "inMesh"))
    return;
  MeshData evaluated;
  if (history.shapeMesh(shape, evaluated))
    *shape->mesh = std::move(evaluated);
  shape->historyNote = history.note(shape);
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
  const Connection* c = incomingConnection(shape, "create");
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
  MeshHistory history(file, problems);
  for (const auto& node : scene().nodes()) {
    if (node->mesh) {
      evaluateMeshHistory(history, node.get());
      finishMesh(node.get(), file, problems);
      resolveGroupComponents(node.get());
    } else if (node->nurbs) {
      evaluateSurface(node.get(), file, problems);
    }
  }
}

}  // namespace OmbrixHost
