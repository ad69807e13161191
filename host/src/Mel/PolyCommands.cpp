// MEL commands that count what a polygon mesh holds: polyEvaluate's
// topological counts and polyUVSet's queries of the UV sets.
#include "HostObject.h"
#include "SceneEvaluation.h"
#include "MelInterpreter.h"
#include "MeshEdges.h"
#include "Scene.h"

#include <maya/MSelectionList.h>

namespace OmbrixHost {

namespace {

// The mesh shapes a name (or, without names, the active selection) stands
// for: a mesh shape itself, or the shapes under a transform that are no
// intermediate objects.
std::vector<Node*> namedMeshes(const std::string& command, const std::vector<MelValue>& names) {
  std::vector<Node*> items;
  for (const auto& name : names) {
    auto paths = scene().findPaths(name.asString());
    if (paths.empty() || paths[0].empty())
      MelInterpreter::fail(command + ": No object matches name: " + name.asString());
    items.push_back(paths[0].back());
  }
  if (names.empty()) {
    const MSelectionList& active = scene().activeSelection();
    for (unsigned i = 0; i < active.length(); ++i) {
      MObject object;
      if (active.getDependNode(i, object) == MStatus::kSuccess && Access::node(object))
        items.push_back(Access::node(object));
    }
  }
  std::vector<Node*> meshes;
  for (Node* n : items) {
    if (n->mesh) {
      meshes.push_back(n);
      continue;
    }
    for (Node* child : n->children)
      if (child->mesh && child->number("intermediateObject", 0.0) == 0.0)
        meshes.push_back(child);
  }
  if (meshes.empty())
    MelInterpreter::fail(command + ": No polygon objects are named or selected.");
  return meshes;
}

// What the shape shows now, its history evaluated again when it changed.
const MeshData& shownMesh(Node* shape) {
  evaluateShape(shape);
  return *shape->mesh;
}

const UVSet* namedSet(const MeshData& m, const std::string& name) { return m.uvSet(name.empty() ? nullptr : &name); }

long long triangles(const MeshData& m) {
  long long count = 0;
  for (int n : m.faceCounts)
    count += n > 2 ? n - 2 : 0;
  return count;
}

long long countOf(const std::string& flag, const MeshData& m, const std::string& uvSet) {
  if (flag == "vertex")
    return static_cast<long long>(m.points.size());
  if (flag == "edge")
    return meshEdges(m).count();
  if (flag == "face")
    return m.numFaces();
  if (flag == "triangle")
    return triangles(m);
  const UVSet* set = namedSet(m, uvSet);
  return set ? static_cast<long long>(set->us.size()) : 0;
}

const MelFlagTable polyEvaluateFlags = {{"vertex", "v", 0},   {"edge", "e", 0},     {"face", "f", 0},
                                        {"triangle", "t", 0}, {"uvcoord", "uv", 0}, {"uvSetName", "uvs", 1},
                                        {"query", "q", 0}};

// The counts in the order the flags are given, summed over the meshes.
MelValue polyEvaluate(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("polyEvaluate", args, polyEvaluateFlags);
  // MEL answers in the order the flags are given.
  static const MelFlagSpec counts[] = {
      {"vertex", "v", 0}, {"edge", "e", 0}, {"face", "f", 0}, {"triangle", "t", 0}, {"uvcoord", "uv", 0}};
  std::vector<std::string> asked;
  for (const auto& a : args)
    for (const auto& c : counts)
      if (a.isFlag() && (a.s.substr(1) == c.longName || a.s.substr(1) == c.shortName))
        asked.push_back(c.longName);
  if (asked.empty())
    MelInterpreter::fail("polyEvaluate: give one or more of -vertex, -edge, -face, -triangle, -uvcoord");
  const std::string uvSet = f.text("uvSetName");
  std::vector<double> totals(asked.size(), 0.0);
  for (Node* n : namedMeshes("polyEvaluate", f.positional)) {
    const MeshData& m = shownMesh(n);
    if (!uvSet.empty() && !namedSet(m, uvSet))
      MelInterpreter::fail("polyEvaluate: " + n->name + " has no UV set \"" + uvSet + "\"");
    for (std::size_t k = 0; k < asked.size(); ++k)
      totals[k] += static_cast<double>(countOf(asked[k], m, uvSet));
  }
  if (totals.size() == 1)
    return MelValue::ofInt(static_cast<long long>(totals[0]));
  MelValue out = MelValue::ofKind(MelValue::kIntArray);
  out.numbers = totals;
  return out;
}

const MelFlagTable polyUVSetFlags = {{"query", "q", 0}, {"currentUVSet", "cuv", -1}, {"allUVSets", "auv", -1}};

// polyUVSet -query with -currentUVSet or -allUVSets, per mesh in order.
MelValue polyUVSet(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("polyUVSet", args, polyUVSetFlags);
  if (!f.has("query") || f.has("currentUVSet") == f.has("allUVSets"))
    MelInterpreter::fail("polyUVSet: only -query with one of -currentUVSet or -allUVSets is supported");
  std::vector<std::string> names;
  for (Node* n : namedMeshes("polyUVSet", f.positional)) {
    const MeshData& m = shownMesh(n);
    if (f.has("allUVSets")) {
      for (const auto& set : m.uvSets)
        names.push_back(set.name);
    } else if (const UVSet* current = m.uvSet(nullptr)) {
      names.push_back(current->name);
    }
  }
  return MelValue::ofStrings(names);
}

}  // namespace

void registerPolyCommands(MelInterpreter& mel) {
  mel.registerCommand("polyEvaluate", polyEvaluate, polyEvaluateFlags);
  mel.registerCommand("polyUVSet", polyUVSet, polyUVSetFlags);
}

}  // namespace OmbrixHost
