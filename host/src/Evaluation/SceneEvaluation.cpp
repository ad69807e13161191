#include "SceneEvaluation.h"

#include "HoledFaces.h"
#include "MeshHistory.h"
#include "Primitives.h"
#include "Scene.h"
#include "SurfaceChain.h"

#include <algorithm>
#include <iterator>

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

// Maya bounds a shape's tweaks by the vertices it has, from its file data or its history.
void refuseStrayTweaks(const Node* shape, std::size_t vertices, const std::string& file,
                       std::vector<std::string>& problems) {
  const auto& tweaks = shape->mesh->tweaks;
  auto first = tweaks.lower_bound(static_cast<int>(std::min<std::size_t>(vertices, 0x7fffffff)));
  if (first == tweaks.end())
    return;
  std::size_t count = static_cast<std::size_t>(std::distance(first, tweaks.end()));
  reportRefusal(problems,
                file + ":" + std::to_string(first->second.line) + ": " + shape->name + ": the tweak of vertex " +
                    std::to_string(first->first) + (count > 1 ? " and " + std::to_string(count - 1) + " more" : "") +
                    " is refused: the mesh has " + std::to_string(vertices) + " vertices",
                true);
}

// Face blocks a file gave with faces missing before them.
void refuseFaceGaps(Node* shape, const std::string& file, std::vector<std::string>& problems) {
  MeshData& m = *shape->mesh;
  for (const auto& [first, block] : m.pendingFaces)
    reportRefusal(problems,
                  file + ":" + std::to_string(block.line) + ": " + shape->name + ": the faces " +
                      std::to_string(first) + " to " + std::to_string(first + static_cast<long long>(block.counts.size()) - 1) +
                      " are refused: the faces from " + std::to_string(m.faceCounts.size()) + " before them are not given",
                  true);
  m.pendingFaces.clear();
}

// Maya's sparse weight rows name influences by their matrix[] index; a weight
// of an influence the skinCluster does not have moves nothing.
void refuseStrayWeights(Node* skin, const std::string& file, std::vector<std::string>& problems) {
  const AttrDef* matrix = skin->findAttribute("matrix");
  const AttrDef* weights = skin->findAttribute("weights");
  const AttrDef* weightList = skin->findAttribute("weightList");
  if (!matrix || !weights || !weightList)
    return;
  const std::vector<int> influences = scene().existingIndices(PlugRef{skin, matrix, {-1}});
  int stray = 0, vertex = -1, influence = -1;
  for (int v : scene().existingIndices(PlugRef{skin, weightList, {-1}}))
    for (int j : scene().existingIndices(PlugRef{skin, weights, {v, -1}}))
      if (!std::binary_search(influences.begin(), influences.end(), j) && stray++ == 0) {
        vertex = v;
        influence = j;
      }
  if (stray > 0)
    reportRefusal(problems,
                  where(file, skin) + skin->name + ": the weight of vertex " + std::to_string(vertex) +
                      " names influence " + std::to_string(influence) + ", which the skinCluster does not have; " +
                      std::to_string(stray) + (stray == 1 ? " weight is" : " weights are") + " refused",
                  true);
}

// The mesh its inMesh history gives, when it has history.
void evaluateMeshHistory(MeshHistory& history, Node* shape) {
  if (!incomingConnection(shape, "inMesh"))
    return;
  MeshData evaluated;
  if (history.shapeMesh(shape, evaluated))
    *shape->mesh = std::move(evaluated);
  shape->historyNote = history.note(shape);
  shape->approximated = history.approximated(shape);
}

bool facesUseKnownVertices(const MeshData& m) {
  auto known = [&](int v) { return v >= 0 && static_cast<std::size_t>(v) < m.points.size(); };
  for (int v : m.faceConnects)
    if (!known(v))
      return false;
  for (const auto& hole : m.holes)
    for (int v : hole.vertices)
      if (!known(v))
        return false;
  return true;
}

void finishMesh(Node* shape, const std::string& file, std::vector<std::string>& problems) {
  MeshData& m = *shape->mesh;
  refuseFaceGaps(shape, file, problems);
  refuseStrayTweaks(shape, m.points.size(), file, problems);
  m.applyTweaks();
  m.rebuildFaceStarts();
  if (!facesUseKnownVertices(m)) {
    reportRefusal(problems,
                  where(file, shape) + shape->name + ": a face uses a vertex the mesh does not have; its " +
                      std::to_string(m.numFaces()) + " faces are refused",
                  true);
    m.faceCounts.clear();
    m.faceConnects.clear();
    m.holes.clear();
    m.rebuildFaceStarts();
  }
  for (auto& set : m.uvSets) {
    set.uvIds.resize(m.faceConnects.size(), -1);
    for (auto& id : set.uvIds)
      if (id >= static_cast<int>(set.us.size()))
        id = -1;
  }
  std::string current = shape->text("currentUVSet");
  m.currentUVSet = 0;
  for (std::size_t i = 0; i < m.uvSets.size(); ++i)
    if (m.uvSets[i].name == current)
      m.currentUVSet = static_cast<int>(i);
  if (m.uvSets.empty())
    m.uvSets.push_back(UVSet{"map1", {}, {}, std::vector<int>(m.faceConnects.size(), -1)});
}

// The surface its create history gives; a deformer on the way that the host
// cannot evaluate leaves the surface upstream of it, as on a mesh.
void evaluateSurface(Node* shape, const std::string& file, std::vector<std::string>& problems) {
  const Connection* c = incomingConnection(shape, "create");
  if (!c)
    return;
  NurbsData d;
  std::string why;
  SurfaceChain chain(shape);
  const bool ok = chain.surfaceAt(c->remote, d, why);
  for (const auto& line : chain.passed())
    problems.push_back(where(file, shape) + shape->name + ": construction history " + line);
  if (ok)
    *shape->nurbs = std::move(d);
  else
    problems.push_back(where(file, shape) + shape->name + ": construction history through " + why +
                       "; the surface keeps the data in the file");
}

void evaluateShapeWith(MeshHistory& history, Node* node, const std::string& file, std::vector<std::string>& problems) {
  node->stale = false;
  if (node->mesh) {
    evaluateMeshHistory(history, node);
    finishMesh(node, file, problems);
    resolveGroupComponents(node);
    if (int dropped = splitHoledFaces(*node))
      reportRefusal(problems,
                    where(file, node) + node->name + ": the holes of " + std::to_string(dropped) + " faces of more than " +
                        std::to_string(kMaxHoledFaceCorners) + " corners are refused; those faces keep their outline",
                    true);
  } else if (node->nurbs) {
    evaluateSurface(node, file, problems);
  }
}

}  // namespace

void evaluateLoadedScene(const std::string& file, std::vector<std::string>& problems) {
  MeshHistory history(file, problems);
  for (const auto& node : scene().nodes()) {
    if (node->mesh || node->nurbs)
      evaluateShapeWith(history, node.get(), file, problems);
    else if (node->typeName == "skinCluster")
      refuseStrayWeights(node.get(), file, problems);
  }
}

void evaluateShape(Node* shape) {
  if (!shape || !shape->stale)
    return;
  std::vector<std::string> problems;
  MeshHistory history("", problems);
  evaluateShapeWith(history, shape, "", problems);
}

}  // namespace OmbrixHost
