#pragma once
// Maya modules: the folders named by the module description files (*.mod) on
// MAYA_MODULE_PATH, each with its scripts/ and plug-ins/, as Maya finds them.
#include <string>
#include <vector>

namespace MayaHost {

struct MayaModule {
  std::string name;
  std::string version;
  std::string root;                     // the module's folder
  std::vector<std::string> scriptDirs;  // scripts/ and MAYA_SCRIPT_PATH+:= entries
  std::vector<std::string> pluginDirs;  // plug-ins/ and MAYA_PLUG_IN_PATH+:= entries
};

// The entries of a path variable (';' between them on Windows, ':' elsewhere).
std::vector<std::string> splitSearchPath(const char* value);

// The modules of one description file's text for this platform and Maya
// version (`mayaVersion`, "2026": a line with another MAYAVERSION is passed
// over, one without any is for every version); `modFile` names the file in
// problems ("file:line: reason") and its folder anchors relative module paths.
std::vector<MayaModule> parseModuleFile(const std::string& text, const std::string& modFile,
                                        const std::string& mayaVersion, std::vector<std::string>& problems);

// Every module of the *.mod files in the given folders, in folder and file-name order.
std::vector<MayaModule> findModules(const std::vector<std::string>& modulePath, const std::string& mayaVersion,
                                    std::vector<std::string>& problems);

// A plug-in named without a folder ("ObvTester2") in the given folders, with
// the platform's module suffix or as named; empty when none holds it.
std::string findPlugin(const std::string& name, const std::vector<std::string>& pluginDirs);

}  // namespace MayaHost
