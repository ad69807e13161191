#include "Maya/MenuScript.h"

#include <maya/MGlobal.h>
#include <maya/MStatus.h>

#include <string>

#include "Maya/MaterialTranslation.h"

namespace {

bool source(const std::string& script) {
  return MGlobal::executeCommand(("source " + melStringLiteral(script.c_str()) + ";").c_str(), false, false) ==
         MStatus::kSuccess;
}

}  // namespace

bool sourceMenuScript(const MString& pluginFolder) {
  // `exists` answers for a script on the script path, so that looking there
  // costs no "Cannot find file" error when the script lies beside the plug-in.
  int onScriptPath = 0;
  MGlobal::executeCommand("exists OmbrixVael", onScriptPath, false, false);
  if (onScriptPath != 0) return source("OmbrixVael");
  const std::string beside = std::string(pluginFolder.asChar()) + "/../scripts/OmbrixVael.mel";
  if (source(beside)) return true;
  MGlobal::displayWarning(("Ombrix Vael: no menu: OmbrixVael.mel is neither on the script path nor at " + beside)
                              .c_str());
  return false;
}
