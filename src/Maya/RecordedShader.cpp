#include "Maya/RecordedShader.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>
#include <maya/MUuid.h>

namespace {

std::string nameOf(const MObject& node) { return MFnDependencyNode(node).name().asUTF8(); }

// Among the nodes holding the UUID, the one named `name`, else the first; null without any.
MObject nodeByUuid(const std::string& uuidText, const std::string& name) {
  const MUuid uuid(MString(uuidText.c_str()));
  MSelectionList found;
  if (uuidText.empty() || !uuid.valid() || found.add(uuid) != MStatus::kSuccess) return MObject();
  MObject first;
  for (unsigned int i = 0; i < found.length(); ++i) {
    MObject node;
    found.getDependNode(i, node);
    if (nameOf(node) == name) return node;
    if (first.isNull()) first = node;
  }
  return first;
}

MObject nodeByName(const std::string& name) {
  MString text;
  text.setUTF8(name.c_str());
  MSelectionList found;
  MObject node;
  if (found.add(text) == MStatus::kSuccess) found.getDependNode(0, node);
  return node;
}

}  // namespace

RecordedShader findRecordedShader(const MaterialPlan& plan) {
  const std::string name = plan.shader.substr(0, plan.shader.find('|'));
  RecordedShader shader;
  shader.node = nodeByUuid(plan.shaderUuid, name);
  if (shader.node.isNull()) shader.node = nodeByName(name);
  if (!shader.node.isNull() && nameOf(shader.node) != name)
    shader.note = "shader " + name + " not found by name; took " + nameOf(shader.node) + ", which has its UUID";
  return shader;
}
