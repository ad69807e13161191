#include "Maya/ColourManagement.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MPlug.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <string>

#include "TextureImport/ColourSpaceNames.h"

namespace {

// The globals' plug and the file node's plug it drives, short names as Maya saves them.
const char* const kColourManagementLinks[][2] = {{"cme", "cme"}, {"cfe", "cmcf"}, {"cfp", "cmcp"}, {"wsn", "ws"}};

MString utf8(const std::string& text) {
  MString result;
  result.setUTF8(text.c_str());
  return result;
}

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

}  // namespace

void connectColourManagement(MDGModifier& modifier, const MObject& file) {
  MSelectionList list;
  MObject globals;
  if (list.add(MString("defaultColorMgtGlobals")) != MStatus::kSuccess || list.getDependNode(0, globals) != MStatus::kSuccess)
    return;
  const MFnDependencyNode from(globals);
  const MFnDependencyNode to(file);
  for (const auto& link : kColourManagementLinks) {
    const MPlug source = from.findPlug(link[0], true);
    const MPlug dest = to.findPlug(link[1], true);
    if (!source.isNull() && !dest.isNull()) modifier.connect(source, dest);
  }
}

std::vector<MaterialPlan> plansInConfigColourSpaces(const std::vector<MaterialPlan>& plans) {
  MStringArray spaces;
  if (MGlobal::executeCommand("colorManagementPrefs -q -inputSpaceNames", spaces, false, false) != MStatus::kSuccess ||
      spaces.length() == 0)
    return plans;
  std::vector<std::string> inputSpaces;
  for (unsigned int i = 0; i < spaces.length(); ++i) inputSpaces.push_back(spaces[i].asUTF8());
  std::vector<std::string> missing;
  std::vector<MaterialPlan> named = withConfigColourSpaces(plans, inputSpaces, missing);
  if (missing.empty()) return named;
  MString config;
  MGlobal::executeCommand("colorManagementPrefs -q -configFilePath", config, false, false);
  std::string lacks;
  for (const std::string& kind : missing)
    lacks += std::string(lacks.empty() ? "" : "; nor ") + "Maya's " + (kind == "Raw" ? "raw" : kind) + " names (" +
             joined(mayaColourSpaceNames(kind)) + ")";
  MGlobal::displayWarning(utf8("Ombrix Vael texture import: the colour management config " +
                                   std::string(config.asUTF8()) + " has none of " + lacks +
                                   "; Maya's file rules choose those maps' colour spaces"));
  return named;
}
