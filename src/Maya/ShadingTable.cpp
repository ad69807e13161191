#include "Maya/ShadingTable.h"

#include <maya/MFn.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnSet.h>
#include <maya/MGlobal.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>

#include <algorithm>
#include <utility>

#include "Maya/ShaderChannels.h"

namespace {

// The value child of a switch's input elements, by the kind of switch.
const char* switchValueAttribute(const MObject& shadingSwitch) {
  switch (shadingSwitch.apiType()) {
    case MFn::kSingleShadingSwitch: return "inSingle";
    case MFn::kDoubleShadingSwitch: return "inDouble";
    default: return "inTriple";
  }
}


// The inputs through which a bump or normal-map node takes its texture, in
// the order they are tried: Maya's bump2d and bump3d, Arnold's aiNormalMap.
struct BumpInput {
  const char* type;
  const char* attribute;
};
const BumpInput kBumpInputs[] = {
    {"bump2d", "bumpValue"}, {"bump3d", "bumpValue"}, {"aiNormalMap", "input"}, {"aiNormalMap", "normal"}};
constexpr int kMaxBumpNodes = 4;

// The connected input of a bump or normal-map node; a null plug for any
// other node or when none is connected.
MPlug bumpInput(const MObject& node) {
  if (node.isNull())
    return MPlug();
  MFnDependencyNode fn(node);
  const MString type = fn.typeName();
  for (const BumpInput& input : kBumpInputs) {
    if (type != input.type)
      continue;
    const MPlug plug = fn.findPlug(input.attribute, true);
    if (!plug.isNull() && plug.isConnected())
      return plug;
  }
  return MPlug();
}

std::string pairKey(const MString& shaderName, const MString& objectName) {
  return std::string(shaderName.asChar()) + '\n' + objectName.asChar();
}

bool hasEntry(const ShadingTable& table, const ShadingEntry& wanted) {
  const auto found = table.firstByShaderAndObject.find(pairKey(wanted.shaderName, wanted.objectName));
  if (found == table.firstByShaderAndObject.end())
    return false;
  const ShadingEntry& e = table.entries[static_cast<size_t>(found->second)];
  return e.shader == wanted.shader && e.entryName == wanted.entryName;
}

// The entries of one switch: one per shape feeding one of its inputs.
bool collectFromSwitch(ShadingTable& table, const MObject& shader, const MString& shaderName, const MObject& sw) {
  bool found = false;
  for (const SwitchInput& input : switchInputs(sw)) {
    if (input.shape.isNull() || !input.shape.hasFn(MFn::kShape))
      continue;
    const MString objectName = MFnDependencyNode(input.shape).name();
    ShadingEntry entry{shader, shaderName + "|" + objectName, shaderName, objectName};
    if (!hasEntry(table, entry))
      table.addEntry(entry);
    found = true;
  }
  return found;
}

// Every member of every group, read once, under its object's full path name.
void indexMembers(ShadingTable& table) {
  for (size_t g = 0; g < table.groups.size(); ++g) {
    MSelectionList members;
    MFnSet(table.groups[g]).getMembers(members, true);
    for (unsigned int m = 0; m < members.length(); ++m) {
      ShadingMember member;
      member.group = static_cast<int>(g);
      if (!members.getDagPath(m, member.path, member.component))
        continue;
      table.membersByPath[member.path.fullPathName().asChar()].push_back(member);
    }
  }
}

}  // namespace

void ShadingTable::clear() {
  groups.clear();
  entries.clear();
  membersByPath.clear();
  firstByShaderAndObject.clear();
  firstByShader.clear();
}

void ShadingTable::addEntry(const ShadingEntry& entry) {
  const int index = static_cast<int>(entries.size());
  entries.push_back(entry);
  firstByShaderAndObject.emplace(pairKey(entry.shaderName, entry.objectName), index);
  firstByShader.emplace(entry.shaderName.asChar(), index);
}

ShadingTable& shadingTable() {
  static ShadingTable table;
  return table;
}

MObject valueSource(const MPlug& plug) {
  const MObject whole = plugSource(plug);
  if (!whole.isNull() || !plug.isCompound())
    return whole;
  for (unsigned int c = 0; c < plug.numChildren(); ++c) {
    const MObject part = plugSource(plug.child(c));
    if (!part.isNull())
      return part;
  }
  return MObject();
}

MObject plugSource(const MPlug& plug) {
  MPlugArray sources;
  plug.connectedTo(sources, true, false);
  if (sources.length() == 0)
    return MObject();
  return sources[0].node();
}

bool isShadingSwitch(const MObject& node) {
  return node.hasFn(MFn::kTripleShadingSwitch) || node.hasFn(MFn::kDoubleShadingSwitch) ||
         node.hasFn(MFn::kSingleShadingSwitch);
}

std::vector<SwitchInput> switchInputs(const MObject& shadingSwitch) {
  MFnDependencyNode fn(shadingSwitch);
  MObject shapeAttribute = fn.attribute("inShape");
  MObject valueAttribute = fn.attribute(switchValueAttribute(shadingSwitch));
  const MPlug inputs = fn.findPlug("input", true);
  std::vector<std::pair<unsigned int, MPlug>> elements;
  const unsigned int count = inputs.isNull() ? 0 : inputs.numElements();
  for (unsigned int i = 0; i < count; ++i) {
    const MPlug element = inputs.elementByPhysicalIndex(i);
    elements.emplace_back(element.logicalIndex(), element);
  }
  std::stable_sort(elements.begin(), elements.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<SwitchInput> result;
  for (const auto& element : elements) {
    SwitchInput input;
    if (!shapeAttribute.isNull())
      input.shape = plugSource(element.second.child(shapeAttribute));
    if (!valueAttribute.isNull())
      input.texture = valueSource(element.second.child(valueAttribute));
    result.push_back(input);
  }
  return result;
}

MPlug shaderChannelPlug(const MObject& shader, const char* attribute) {
  MPlug plug = MFnDependencyNode(shader).findPlug(attribute, true);
  if (MString(attribute) != shaderChannelNames(shader).bump)
    return plug;
  // Through bump and normal-map nodes (a normal map's own "normal" can hold
  // a bump node in turn), a few at most: a cycle ends the walk.
  for (int step = 0; step < kMaxBumpNodes && plug.isConnected(); ++step) {
    const MPlug next = bumpInput(plugSource(plug));
    if (next.isNull())
      break;
    plug = next;
  }
  return plug;
}

MObject getSurfaceShader(const MObject& set) {
  return plugSource(MFnDependencyNode(set).findPlug("surfaceShader", true));
}

bool collectSwitchEntries(ShadingTable& table, const MObject& shader, const MString& shaderName) {
  bool result = false;
  // The order in which the switch search looks at a shader's channels.
  const ShaderChannelNames& names = shaderChannelNames(shader);
  const char* const attributes[] = {names.diffuse, names.specular, names.ambient, names.opacity, names.bump};
  for (const char* attribute : attributes) {
    const MPlug plug = shaderChannelPlug(shader, attribute);
    if (plug.isNull() || !plug.isConnected())
      continue;
    const MObject source = plugSource(plug);
    if (!source.isNull() && isShadingSwitch(source) && collectFromSwitch(table, shader, shaderName, source))
      result = true;
  }
  return result;
}

void buildShadingTable(ShadingTable& table) {
  table.clear();
  MStringArray names;
  MGlobal::executeCommand("ls -sets", names, false, false);
  MSelectionList sets;
  for (unsigned int i = 0; i < names.length(); ++i)
    sets.add(names[i]);
  for (unsigned int i = 0; i < sets.length(); ++i) {
    MObject set;
    if (!sets.getDependNode(i, set) || !set.hasFn(MFn::kSet))
      continue;
    if (MFnSet(set).restriction() != MFnSet::kRenderableOnly)
      continue;
    const MObject shader = getSurfaceShader(set);
    if (shader.isNull())
      continue;
    table.groups.push_back(set);
    // A shader already met (node names are unique, so its name finds it).
    const MString name = MFnDependencyNode(shader).name();
    const auto seen = table.firstByShader.find(name.asChar());
    if (seen != table.firstByShader.end() && table.entries[static_cast<size_t>(seen->second)].shader == shader)
      continue;
    if (!collectSwitchEntries(table, shader, name))
      table.addEntry({shader, name, name, name});
  }
  indexMembers(table);
}

int findShadingEntry(const ShadingTable& table, const MString& shaderName, const MString& objectName) {
  const auto pair = table.firstByShaderAndObject.find(pairKey(shaderName, objectName));
  if (pair != table.firstByShaderAndObject.end())
    return pair->second;
  const auto shader = table.firstByShader.find(shaderName.asChar());
  return shader != table.firstByShader.end() ? shader->second : -1;
}
