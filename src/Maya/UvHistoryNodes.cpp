#include "Maya/UvHistoryNodes.h"

#include <maya/MDGModifier.h>
#include <maya/MFnCompoundAttribute.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MTypes.h>

#include <cstdint>
#include <unordered_set>

namespace {

// The children of an array attribute's element 0 (a compound such as newUV,
// or a numeric pair such as uvTweak's float2), moved from element to element
// with selectAncestorLogicalIndex.
struct ElementPlugs {
  MObject array;
  MPlug child[4];
  unsigned count = 0;

  ElementPlugs(MFnDependencyNode& node, const char* name, unsigned wanted) {
    MPlug plug = node.findPlug(name, true);
    if (!plug.isArray()) return;
    array = plug.attribute();
    MPlug element = plug.elementByLogicalIndex(0);
    if (element.numChildren() < wanted) return;
    for (unsigned c = 0; c < wanted; ++c) child[c] = element.child(c);
    count = wanted;
  }
  bool select(unsigned index) {
    bool ok = count > 0;
    for (unsigned c = 0; ok && c < count; ++c)
      ok = child[c].selectAncestorLogicalIndex(index, array) == MStatus::kSuccess;
    return ok;
  }
};

bool SetComponents(MFnDependencyNode& node, const std::vector<std::string>& items) {
  MString command = "setAttr \"" + node.name() + ".inputComponents\" -type \"componentList\" ";
  command += static_cast<int>(items.size());
  for (const std::string& item : items) command += MString(" \"") + item.c_str() + "\"";
  return MGlobal::executeCommand(command, false, false) == MStatus::kSuccess;
}

bool SetUvSet(MFnDependencyNode& node, const MString& uvSet) {
  return node.findPlug("uvSetName", true).setValue(uvSet) == MStatus::kSuccess;
}

// uvTweak[id] = (du, dv) for every moved UV.
bool FillOffsets(MFnDependencyNode& tweak, const std::vector<UvTweak>& tweaks) {
  ElementPlugs plugs(tweak, "uvTweak", 2);
  bool ok = plugs.count == 2;
  for (size_t i = 0; ok && i < tweaks.size(); ++i)
    ok = plugs.select(static_cast<unsigned>(tweaks[i].id)) && plugs.child[0].setValue(tweaks[i].du) == MStatus::kSuccess &&
         plugs.child[1].setValue(tweaks[i].dv) == MStatus::kSuccess;
  return ok;
}

// newUV[i] = face-vertex i's face, vertex, u and v.
bool FillNewUVs(MFnDependencyNode& tweak, const UvHistoryWork& work) {
  ElementPlugs plugs(tweak, "newUV", 4);
  const MeshUvArrays& layout = work.layout;
  bool ok = true;
  for (unsigned i = 0; ok && i < layout.uvIds.size(); ++i) {
    const unsigned uv = static_cast<unsigned>(layout.uvIds[i]);
    ok = plugs.select(i) && plugs.child[0].setValue(work.faceIds[i]) == MStatus::kSuccess &&
         plugs.child[1].setValue(work.vertexIds[i]) == MStatus::kSuccess &&
         plugs.child[2].setValue(layout.us[uv]) == MStatus::kSuccess &&
         plugs.child[3].setValue(layout.vs[uv]) == MStatus::kSuccess;
  }
  return ok;
}

// The nodes from upstream to the mesh, wired in: source -> first -> ... -> last -> inMesh.
MStatus Wire(MDGModifier& modifier, MFnMesh& mesh, const MPlug& source, const std::vector<MObject>& chain) {
  const MPlug inMesh = mesh.findPlug("inMesh", true);
  modifier.disconnect(source, inMesh);
  MPlug upstream = source;
  for (const MObject& node : chain) {
    MFnDependencyNode fn(node);
    modifier.connect(upstream, fn.findPlug("inputPolymesh", true));
    upstream = fn.findPlug("output", true);
  }
  modifier.connect(upstream, inMesh);
  return modifier.doIt();
}

}  // namespace

std::vector<int> sharedUvEdges(const MFnMesh& mesh, const UvHistoryWork& work) {
  const std::unordered_set<std::uint64_t> shared = sharedUvPairs(work.layout, work.vertexIds);
  std::vector<int> edges;
  const int count = shared.empty() ? 0 : mesh.numEdges();
  for (int e = 0; e < count; ++e) {
    int2 ends;
    if (mesh.getEdgeVertices(e, ends) == MStatus::kSuccess && shared.count(vertexPairKey(ends[0], ends[1])) != 0)
      edges.push_back(e);
  }
  return edges;
}

std::vector<std::string> componentRanges(char kind, const std::vector<int>& ids) {
  std::vector<std::string> items;
  for (size_t i = 0; i < ids.size();) {
    size_t j = i;
    while (j + 1 < ids.size() && ids[j + 1] == ids[j] + 1) ++j;
    std::string item = std::string(1, kind) + "[" + std::to_string(ids[i]);
    if (j > i) item += ":" + std::to_string(ids[j]);
    items.push_back(item + "]");
    i = j + 1;
  }
  return items;
}

const char* insertUvHistory(MDGModifier& modifier, MFnMesh& mesh, const MPlug& source, const UvHistoryWork& work) {
  const MString& uvSet = work.uvSet;
  std::vector<UvTweak> tweaks;
  const bool moveOnly = uvTweaksFor(work.before, work.layout, tweaks);
  const std::vector<int> sewn = moveOnly ? std::vector<int>() : sharedUvEdges(mesh, work);
  MStatus status;
  std::vector<const char*> types;
  if (!moveOnly) types.push_back("polyMapDel");
  types.push_back("polyTweakUV");
  if (!sewn.empty()) types.push_back("polyMapSew");
  std::vector<MObject> chain;
  for (const char* type : types) {
    chain.push_back(modifier.createNode(type, &status));
    if (status != MStatus::kSuccess || chain.back().isNull()) return "Logic Error";
  }
  if (modifier.doIt() != MStatus::kSuccess) return "Logic Error";
  bool ok = true;
  for (const MObject& node : chain) {
    MFnDependencyNode fn(node);
    ok = ok && SetUvSet(fn, uvSet);
    if (fn.typeName() == "polyMapDel") ok = ok && SetComponents(fn, {"f[*]"});
    if (fn.typeName() == "polyMapSew") ok = ok && SetComponents(fn, componentRanges('e', sewn));
    if (fn.typeName() != "polyTweakUV") continue;
    MFnCompoundAttribute newUV(fn.attribute("newUV"));
    if (newUV.numChildren() == 0) return "Logic Error";
    ok = ok && (moveOnly ? FillOffsets(fn, tweaks) : FillNewUVs(fn, work));
  }
  if (!ok) return "Couldn't fill the UV nodes; the mesh is left as it was";
  if (Wire(modifier, mesh, source, chain) != MStatus::kSuccess)
    return "Couldn't connect the UV nodes; the mesh is left as it was";
  return nullptr;
}
