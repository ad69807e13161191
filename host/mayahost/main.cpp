// mayahost: runs a plug-in module inside the host stand-in, the way Maya
// loads one: check its API version, initializePlugin, run MEL, uninitializePlugin.
#include "BatchExport.h"
#include "ColourSession.h"
#include "HostSession.h"
#include "ModuleLayout.h"
#include "PythonScripting.h"

#include "Platform/DynamicLibrary.h"
#include "Platform/Process.h"

#include <maya/MObject.h>
#include <maya/MStatus.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* kUsage =
    "usage: mayahost [options]\n"
    "  --plugin MODULE    load a plug-in module (initializePlugin before the commands,\n"
    "                     uninitializePlugin after them, or at MEL unloadPlugin NAME,\n"
    "                     refused while the undo queue holds its commands): a file,\n"
    "                     or a name found on MAYA_PLUG_IN_PATH or in the plug-ins\n"
    "                     folder of a module that a *.mod file on MAYA_MODULE_PATH\n"
    "                     describes for this platform and Maya " OMBRIX_HOST_MAYA_VERSION "\n"
    "  --scene FILE       open a scene first: Maya ASCII (.ma) or Maya Binary (.mb)\n"
    "  --workspace DIR    the workspace (project) directory\n"
    "  --select NAME      select an object before the commands run (repeatable)\n"
    "  -c TEXT            run a MEL command line (repeatable, in order)\n"
    "  --script FILE      run the MEL statements of FILE (in order with -c)\n"
    "  -py CODE           run Python (in order with -c): maya.cmds offers every\n"
    "                     command, maya.mel.eval runs MEL\n"
    "  --python FILE [ARGS]  run a Python script (in order with -c), sys.argv being\n"
    "                     [FILE, ARGS...]: the arguments after FILE are its own\n"
    "                     (-py and --python: native builds only)\n"
    "  --save OUT.ma      save the scene as Maya ASCII after the commands\n"
    "  --stats            print one JSON object describing the scene, last\n"
    "  --stats-file PATH  write that JSON object to PATH instead (nothing else\n"
    "                     on stdout can spoil it)\n"
    "  --accept-loss      a scene whose load refused geometry data (faces, points,\n"
    "                     UVs, tweaks, weights) still ends with status 0\n"
    "  --interactive      run as interactive Maya (menus, wait cursor, the interface\n"
    "                     procedures a plug-in names with MFnPlugin::registerUI);\n"
    "                     without it as batch Maya: `about -batch` answers 1, UI\n"
    "                     commands fail, only registerUI's batch procedures run\n"
    "  --ocio-config FILE colour management by another OCIO config than the default\n"
    "                     of Maya " OMBRIX_HOST_MAYA_VERSION ": its colour spaces are the input spaces\n"
    "                     (`colorManagementPrefs -q -inputSpaceNames`), its default\n"
    "                     role what the file rules give a new file name\n"
    "  --batch SCENE...   export each scene (.ma or .mb) with ExportAllOmbrixPlug in a\n"
    "                     mayahost process of its own, into a folder of its own\n"
    "                     under --out: its project file, export record and the\n"
    "                     process's output (export.log); DIR/summary.json tells how\n"
    "                     each went. A scene whose folder is newer than it and its\n"
    "                     references is skipped; exit status 1 when one failed\n"
    "  --batch-list FILE  the scenes to export, one a line (# starts a comment)\n"
    "  --out DIR          the batch's output folder\n"
    "  --jobs N           scenes exported at once (default: the processor count;\n"
    "                     one where all processes share one registry: Windows)\n"
    "  --force            export scenes whose folder is up to date too\n"
    "                     (with --batch, --plugin names the module each export\n"
    "                     loads, ObvTester2 when not given)\n"
    "  --help             this text\n"
    "Script-editor output goes to stdout, errors to stderr as \"// Error: ... //\";\n"
    "a plug-in's displayWarning and displayError print \"Warning: ...\" and\n"
    "\"Error: ...\" on stderr as batch Maya does (\"// Warning: ... //\" with --interactive).\n"
    "Every value a scene load refuses is reported on stderr as \"file:line: ...\"\n"
    "and counted in the JSON's \"refused\".\n"
    "Exit status: 0 success, 1 a failed load (or one that refused geometry data,\n"
    "without --accept-loss), command or save, 2 usage.\n";

struct Step {
  enum Kind { kMel, kMelFile, kPython, kPythonFile };
  Kind kind = kMel;
  std::string text;                // the code, or the file's path
  std::vector<std::string> args;   // a Python file's sys.argv after it
};

struct Options {
  bool batch = false;
  MayaHost::BatchOptions batchOptions;
  std::string plugin, scene, workspace, save, statsFile, ocioConfig;
  std::vector<std::string> selections;
  std::vector<Step> steps;
  bool stats = false;
  bool acceptLoss = false;
  bool interactive = false;
};

using EntryPoint = MStatus (*)(MObject);

// Maya looks up the C++ entry points by their mangled names.
const char* kInitialize = "_Z16initializePlugin7MObject";
const char* kUninitialize = "_Z18uninitializePlugin7MObject";

EntryPoint entryPoint(const Platform::DynamicLibrary& module, const char* name) {
  void* address = module.Symbol(name);
  EntryPoint fn = nullptr;
  static_assert(sizeof fn == sizeof address, "code and data addresses differ in size");
  std::memcpy(&fn, &address, sizeof fn);
  return fn;
}

int usage(const std::string& why) {
  std::cerr << "mayahost: " << why << "\n" << kUsage;
  return 2;
}

// A batch takes its scenes, output folder and plug-in, and nothing of a single run.
bool checkBatch(Options& o, std::string& error) {
  const bool batchOnly = !o.batchOptions.out.empty() || o.batchOptions.jobs > 0 || o.batchOptions.force;
  if (!o.batch) {
    if (batchOnly)
      error = "--out, --jobs and --force go with --batch or --batch-list";
    return !batchOnly;
  }
  if (!o.scene.empty() || !o.steps.empty() || !o.selections.empty() || !o.save.empty() || o.stats ||
      !o.statsFile.empty() || !o.workspace.empty() || o.interactive || !o.ocioConfig.empty() || o.acceptLoss) {
    error = "--batch takes scenes, --batch-list, --out, --jobs, --force and --plugin only";
    return false;
  }
  if (o.batchOptions.out.empty()) {
    error = "--batch needs --out DIR";
    return false;
  }
  if (o.batchOptions.scenes.empty() && o.batchOptions.listFile.empty()) {
    error = "--batch needs scenes";
    return false;
  }
  o.batchOptions.plugin = o.plugin;
  return true;
}

bool parse(const std::vector<std::string>& argv, Options& o, std::string& error) {
  const int argc = static_cast<int>(argv.size());
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[static_cast<size_t>(i)];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) {
        error = a + " needs a value";
        return false;
      }
      out = argv[static_cast<size_t>(++i)];
      return true;
    };
    std::string v;
    if (a == "--plugin") {
      if (!value(o.plugin))
        return false;
    } else if (a == "--scene") {
      if (!value(o.scene))
        return false;
    } else if (a == "--workspace") {
      if (!value(o.workspace))
        return false;
    } else if (a == "--save") {
      if (!value(o.save))
        return false;
    } else if (a == "--select") {
      if (!value(v))
        return false;
      o.selections.push_back(v);
    } else if (a == "-c") {
      if (!value(v))
        return false;
      o.steps.push_back({Step::kMel, v, {}});
    } else if (a == "--script") {
      if (!value(v))
        return false;
      o.steps.push_back({Step::kMelFile, v, {}});
    } else if (a == "-py") {
      if (!value(v))
        return false;
      o.steps.push_back({Step::kPython, v, {}});
    } else if (a == "--python") {
      if (!value(v))
        return false;
      // Like python itself: what follows the script is the script's.
      o.steps.push_back({Step::kPythonFile, v, std::vector<std::string>(argv.begin() + i + 1, argv.end())});
      break;
    } else if (a == "--stats") {
      o.stats = true;
    } else if (a == "--stats-file") {
      if (!value(o.statsFile))
        return false;
    } else if (a == "--accept-loss") {
      o.acceptLoss = true;
    } else if (a == "--interactive") {
      o.interactive = true;
    } else if (a == "--ocio-config") {
      if (!value(o.ocioConfig))
        return false;
    } else if (a == "--batch") {
      o.batch = true;
      while (i + 1 < argc && argv[static_cast<size_t>(i + 1)].rfind("--", 0) != 0)
        o.batchOptions.scenes.push_back(argv[static_cast<size_t>(++i)]);
    } else if (a == "--batch-list") {
      o.batch = true;
      if (!value(o.batchOptions.listFile))
        return false;
    } else if (a == "--out") {
      if (!value(o.batchOptions.out))
        return false;
    } else if (a == "--jobs") {
      if (!value(v))
        return false;
      char* end = nullptr;
      const long jobs = std::strtol(v.c_str(), &end, 10);
      if (*end != '\0' || jobs < 1 || jobs > 1024) {
        error = "--jobs needs a count from 1 to 1024";
        return false;
      }
      o.batchOptions.jobs = static_cast<int>(jobs);
    } else if (a == "--force") {
      o.batchOptions.force = true;
    } else {
      error = "unknown option " + a;
      return false;
    }
  }
  return checkBatch(o, error);
}

std::string directoryOf(const std::string& path) {
  auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

// Scripts come from MAYA_SCRIPT_PATH, then the modules' scripts folders, then
// the mel folder beside mayahost; plug-ins named without a folder from
// MAYA_PLUG_IN_PATH, then the modules' plug-ins folders.
std::vector<std::string> setSearchPaths(const char* argv0) {
  for (const auto& dir : MayaHost::splitSearchPath(std::getenv("MAYA_SCRIPT_PATH")))
    OmbrixHost::addScriptPath(dir);
  std::vector<std::string> problems;
  auto modules =
      MayaHost::findModules(MayaHost::splitSearchPath(std::getenv("MAYA_MODULE_PATH")), OMBRIX_HOST_MAYA_VERSION, problems);
  for (const auto& p : problems)
    std::cerr << "mayahost: " << p << std::endl;
  std::vector<std::string> pluginDirs = MayaHost::splitSearchPath(std::getenv("MAYA_PLUG_IN_PATH"));
  for (const auto& m : modules) {
    for (const auto& dir : m.scriptDirs)
      OmbrixHost::addScriptPath(dir);
    pluginDirs.insert(pluginDirs.end(), m.pluginDirs.begin(), m.pluginDirs.end());
  }
  OmbrixHost::addScriptPath(directoryOf(argv0) + "/mel");
  return pluginDirs;
}

// A plug-in given by its file, or by its name on the plug-in path.
std::string pluginFile(const std::string& plugin, const std::vector<std::string>& pluginDirs) {
  std::ifstream direct(std::filesystem::u8path(plugin), std::ios::binary);
  if (direct)
    return plugin;
  std::string found = MayaHost::findPlugin(plugin, pluginDirs);
  return found.empty() ? plugin : found;
}

bool readScript(const std::string& path, std::string& text) {
  std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
  if (!in) {
    std::cerr << "mayahost: " << path << ": cannot open the script" << std::endl;
    return false;
  }
  std::stringstream all;
  all << in.rdbuf();
  text = all.str();
  return true;
}

bool runMelStep(const std::string& text, bool echo) {
  OmbrixHost::MelValue result;
  std::string error;
  if (!OmbrixHost::runMel(text, result, error))
    return false;
  // Like the script editor, a command line echoes its result.
  if (echo && result.kind != OmbrixHost::MelValue::kNone)
    std::cout << "// Result: " << result.asString() << " //" << std::endl;
  return true;
}

bool runStep(const Step& step) {
  std::string text = step.text;
  switch (step.kind) {
  case Step::kMel:
    return runMelStep(text, true);
  case Step::kMelFile:
    return readScript(step.text, text) && runMelStep(text, false);
  case Step::kPython:
    return runPythonCode(text);
  case Step::kPythonFile:
    return readScript(step.text, text) && runPythonScript(step.text, text, step.args);
  }
  return false;
}

// A load that refused geometry fails, unless the loss is accepted.
bool geometryComplete(const Options& o) {
  const OmbrixHost::LoadRefusals refused = OmbrixHost::loadRefusals();
  if (refused.geometry == 0)
    return true;
  std::cerr << "mayahost: " << o.scene << ": the load refused geometry data " << refused.geometry
            << (refused.geometry == 1 ? " time" : " times") << (o.acceptLoss ? " (accepted with --accept-loss)" : "")
            << std::endl;
  return o.acceptLoss;
}

bool writeStats(const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  out << OmbrixHost::sceneStatsJson() << "\n";
  out.close();
  if (out)
    return true;
  std::cerr << "mayahost: " << path << ": cannot write the statistics" << std::endl;
  return false;
}

class PluginSession {
public:
  bool load(const std::string& path) {
    std::string error;
    if (!module_.Open(path, error)) {
      std::cerr << "mayahost: " << path << ": cannot load the module: " << error << std::endl;
      return false;
    }
    const char* version = static_cast<const char*>(module_.Symbol("MApiVersion"));
    if (!version) {
      std::cerr << "mayahost: " << path << ": not a plug-in module (no MApiVersion)" << std::endl;
      return false;
    }
    long built = std::strtol(version, nullptr, 10);
    if (built <= 0 || built > MAYA_API_VERSION) {
      std::cerr << "mayahost: " << path << ": built for API version \"" << version << "\", this host offers "
                << MAYA_API_VERSION << std::endl;
      return false;
    }
    EntryPoint init = entryPoint(module_, kInitialize);
    uninit_ = entryPoint(module_, kUninitialize);
    if (!init || !uninit_) {
      std::cerr << "mayahost: " << path << ": initializePlugin or uninitializePlugin is missing" << std::endl;
      return false;
    }
    object_ = OmbrixHost::openPluginObject(path);
    if (!init(object_)) {
      std::cerr << "mayahost: " << path << ": initializePlugin failed" << std::endl;
      OmbrixHost::closePluginObject(object_);
      return false;
    }
    loaded_ = true;
    // A failing creation procedure prints its error; the plug-in stays loaded.
    OmbrixHost::createPluginUI(object_);
    return true;
  }

  // MEL unloadPlugin (which has checked the undo queue), or Maya quitting.
  bool unload(std::string& error) {
    if (!loaded_)
      return true;
    loaded_ = false;
    OmbrixHost::deletePluginUI(object_);
    bool ok = static_cast<bool>(uninit_(object_));
    if (!ok)
      error = "uninitializePlugin failed";
    OmbrixHost::closePluginObject(object_);
    module_.Close();
    return ok;
  }

  // The end of the run is Maya quitting: the undo queue goes first, so the
  // module's commands kept there never stop it from unloading.
  bool quit() {
    OmbrixHost::flushUndoQueue();
    std::string error;
    if (unload(error))
      return true;
    std::cerr << "mayahost: " << error << std::endl;
    return false;
  }

private:
  Platform::DynamicLibrary module_;
  EntryPoint uninit_ = nullptr;
  MObject object_;
  bool loaded_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  Options o;
  std::string error;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::cout << kUsage;
      return 0;
    }
  if (!parse(Platform::CommandLineArguments(argc, argv), o, error))
    return usage(error);
  if (o.batch) {
    const std::string self = Platform::ExecutablePath();
    return MayaHost::runBatch(o.batchOptions, self.empty() ? argv[0] : self);
  }
  bool ok = true;
  std::vector<std::string> pluginDirs = setSearchPaths(argv[0]);
  OmbrixHost::setInteractive(o.interactive);
  if (!o.ocioConfig.empty() && !OmbrixHost::useOcioConfig(o.ocioConfig, error))
    return usage(error);
  if (!o.workspace.empty())
    OmbrixHost::setWorkspaceRoot(o.workspace);
  if (!o.scene.empty()) {
    std::vector<std::string> problems;
    ok = OmbrixHost::loadSceneFile(o.scene, problems);
    for (const auto& p : problems)
      std::cerr << p << std::endl;
    ok = geometryComplete(o) && ok;
  }
  for (const auto& name : o.selections)
    ok = runMelStep("select -add \"" + name + "\";", true) && ok;
  PluginSession plugin;
  if (!o.plugin.empty() && !plugin.load(pluginFile(o.plugin, pluginDirs)))
    return 1;
  OmbrixHost::setPluginUnloader([&plugin](const MObject&, std::string& why) { return plugin.unload(why); });
  for (const auto& step : o.steps)
    ok = runStep(step) && ok;
  ok = plugin.quit() && ok;
  if (!o.save.empty() && !OmbrixHost::saveMayaAscii(o.save, error)) {
    std::cerr << "mayahost: " << error << std::endl;
    ok = false;
  }
  if (o.stats)
    std::cout << OmbrixHost::sceneStatsJson() << std::endl;
  if (!o.statsFile.empty() && !writeStats(o.statsFile))
    ok = false;
  return ok ? 0 : 1;
}
