#include "Maya/UvHistoryNodes.h"

#include <maya/MDGModifier.h>
#include <maya/MFnCompoundAttribute.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MTypes.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

bool validId(int id, unsigned count) { return id >= 0 && static_cast<unsigned>(id) < count; }

std::uint64_t edgeKey(int a, int b) {
  const auto lo = static_cast<std::uint32_t>(a < b ? a : b), hi = static_cast<std::uint32_t>(a < b ? b : a);
  return (static_cast<std::uint64_t>(lo) << 32) | hi;
}

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
  for (unsigned i = 0; ok && i < layout.uvIds.length(); ++i) {
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

bool uvTweaksFor(const MeshUvArrays& before, const MeshUvArrays& layout, std::vector<UvTweak>& tweaks) {
  tweaks.clear();
  const unsigned faces = layout.uvCounts.length();
  if (before.uvCounts.length() != faces) return false;
  std::vector<int> toNew(before.us.length(), -1), toOld(layout.us.length(), -1);
  unsigned b = 0, l = 0;
  for (unsigned f = 0; f < faces; ++f) {
    const int n = layout.uvCounts[f];
    if (before.uvCounts[f] != n || n < 0 || b + static_cast<unsigned>(n) > before.uvIds.length() ||
        l + static_cast<unsigned>(n) > layout.uvIds.length())
      return false;
    for (int k = 0; k < n; ++k) {
      const int o = before.uvIds[b++], w = layout.uvIds[l++];
      if (!validId(o, before.us.length()) || !validId(w, layout.us.length())) return false;
      int& forward = toNew[static_cast<size_t>(o)];
      int& back = toOld[static_cast<size_t>(w)];
      if (forward < 0 && back < 0) {
        forward = w;
        back = o;
      } else if (forward != w || back != o) {
        return false;
      }
    }
  }
  for (unsigned o = 0; o < toNew.size(); ++o) {
    if (toNew[o] < 0) continue;
    const unsigned w = static_cast<unsigned>(toNew[o]);
    const UvTweak t{static_cast<int>(o), exactOffset(before.us[o], layout.us[w]), exactOffset(before.vs[o], layout.vs[w])};
    if (t.du != 0.0f || t.dv != 0.0f) tweaks.push_back(t);
  }
  return true;
}

float exactOffset(float from, float to) {
  const float rounded = static_cast<float>(static_cast<double>(to) - static_cast<double>(from));
  float d = rounded;
  for (int step = 0; step < 4 && from + d != to; ++step)
    d = std::nextafter(d, from + d < to ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity());
  return from + d == to ? d : rounded;
}

std::vector<int> sharedUvEdges(const MFnMesh& mesh, const UvHistoryWork& work) {
  // Per vertex pair: the UVs the first face walking it has at its lower and higher vertex.
  std::unordered_map<std::uint64_t, std::pair<int, int>> firstSide;
  std::unordered_set<std::uint64_t> shared;
  const MeshUvArrays& layout = work.layout;
  unsigned start = 0;
  for (unsigned f = 0; f < layout.uvCounts.length(); ++f) {
    const unsigned n = static_cast<unsigned>(layout.uvCounts[f] > 0 ? layout.uvCounts[f] : 0);
    for (unsigned k = 0; k < n && start + n <= layout.uvIds.length(); ++k) {
      const unsigned here = start + k, next = start + (k + 1) % n;
      const int a = work.vertexIds[here], b = work.vertexIds[next];
      if (a == b) continue;
      const std::pair<int, int> uvs = a < b ? std::make_pair(layout.uvIds[here], layout.uvIds[next])
                                            : std::make_pair(layout.uvIds[next], layout.uvIds[here]);
      const auto placed = firstSide.emplace(edgeKey(a, b), uvs);
      if (!placed.second && placed.first->second == uvs) shared.insert(edgeKey(a, b));
    }
    start += n;
  }
  std::vector<int> edges;
  const int count = shared.empty() ? 0 : mesh.numEdges();
  for (int e = 0; e < count; ++e) {
    int2 ends;
    if (mesh.getEdgeVertices(e, ends) == MStatus::kSuccess && shared.count(edgeKey(ends[0], ends[1])) != 0)
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
  const MString uvSet = mesh.currentUVSetName();
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
