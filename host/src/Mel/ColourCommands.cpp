#include "ColourCommands.h"

#include "ColourConfig.h"
#include "MelInterpreter.h"
#include "Scene.h"

namespace OmbrixHost {
namespace {

const MelFlagTable colorManagementPrefsFlags = {{"query", "q", 0},
                                                 {"inputSpaceNames", "iss", 0},
                                                 {"configFilePath", "cfp", 1},
                                                 {"cmEnabled", "cme", -1},
                                                 {"cmConfigFileEnabled", "cfe", -1}};

// colorManagementPrefs -q with one of -inputSpaceNames, -configFilePath,
// -cmEnabled, -cmConfigFileEnabled: the session's config (colourConfig()) and
// the scene's :defaultColorMgtGlobals. Editing is Maya's preferences window's
// business; this host's config comes from mayahost --ocio-config.
MelValue colorManagementPrefs(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("colorManagementPrefs", args, colorManagementPrefsFlags);
  if (!f.has("query"))
    MelInterpreter::fail("colorManagementPrefs: this host answers queries only (-q)");
  const ColourConfig& config = colourConfig();
  if (f.has("inputSpaceNames"))
    return MelValue::ofStrings(config.inputSpaces);
  if (f.has("configFilePath"))
    return MelValue::ofString(config.path);
  Node* globals = scene().findNode("defaultColorMgtGlobals");
  if (f.has("cmEnabled"))
    return MelValue::ofInt(globals && globals->number("cmEnabled", 1.0) != 0.0 ? 1 : 0);
  if (f.has("cmConfigFileEnabled"))
    return MelValue::ofInt(globals && globals->number("configFileEnabled", 0.0) != 0.0 ? 1 : 0);
  MelInterpreter::fail("colorManagementPrefs: nothing to query");
}

// generateUvTilePreview FILE: what the Attribute Editor's "Generate Preview"
// runs for a file node in a tiling mode. A command of Maya's interface.
MelValue generateUvTilePreview(MelInterpreter&, const std::vector<MelValue>& args) {
  if (!scene().interactive)
    MelInterpreter::fail("generateUvTilePreview: this command needs Maya's user interface; batch mode has none.");
  if (args.size() != 1)
    MelInterpreter::fail("generateUvTilePreview: one file node expected");
  const std::string name = args[0].asString();
  Node* node = scene().findNode(name);
  if (!node || node->typeName != "file")
    MelInterpreter::fail("generateUvTilePreview: " + name + " is not a file node");
  if (node->number("uvTilingMode", 0.0) == 0.0)
    MelInterpreter::fail("generateUvTilePreview: " + name + " is not in a UV tiling mode");
  uvTilePreviewCalls().push_back(node->name);
  return MelValue();
}

}  // namespace

std::vector<std::string>& uvTilePreviewCalls() {
  static std::vector<std::string> calls;
  return calls;
}

void registerColourCommands(MelInterpreter& mel) {
  mel.registerCommand("colorManagementPrefs", colorManagementPrefs, colorManagementPrefsFlags);
  mel.registerCommand("generateUvTilePreview", generateUvTilePreview);
}

}  // namespace OmbrixHost
