// MEL commands about the session: output, scripts, workspace and file
// locations, preferences, the wait cursor and menus, and what Maya runs as.
#include "AnimCurves.h"
#include "MelInterpreter.h"
#include "References.h"
#include "Scene.h"

#include <maya/MTypes.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

namespace OmbrixHost {
namespace {

namespace fs = std::filesystem;

std::string withSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/')
    dir += '/';
  return dir;
}

// The project's root ("workspace -q -rd"), with a trailing '/'.
// True for a path from a root ("/proj", "D:/maps"), on either system.
bool fromRoot(const std::string& path) {
  return (!path.empty() && (path[0] == '/' || path[0] == '\\')) || (path.size() > 1 && path[1] == ':');
}

// The project's root as a full path (Maya answers "workspace -q -rd" so): a
// root given relative is taken from the current folder.
std::string workspaceDirectory() {
  std::error_code ec;
  const std::string& given = scene().workspaceRoot;
  if (fromRoot(given)) return withSlash(forwardSlashes(given));
  fs::path root = fs::current_path(ec);
  if (!given.empty()) root = (root / fs::u8path(given)).lexically_normal();
  return withSlash(forwardSlashes(root.generic_u8string()));
}

bool exists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(fs::u8path(path), ec);
}

MelValue print(MelInterpreter&, const std::vector<MelValue>& args) {
  // A string array prints one element a line, as in Maya's script editor.
  std::string text;
  for (const auto& a : args) {
    if (a.kind != MelValue::kStringArray) {
      text += a.asString();
      continue;
    }
    for (const auto& s : a.strings)
      text += s + "\n";
  }
  std::cout << text << std::flush;
  return MelValue();
}

MelValue source(MelInterpreter& mel, const std::vector<MelValue>& args) {
  if (args.size() != 1)
    MelInterpreter::fail("source: one script name expected");
  std::string error;
  if (!mel.sourceFile(args[0].asString(), error))
    MelInterpreter::fail(error);
  return MelValue();
}

const MelFlagTable workspaceFlags = {{"query", "q", 0},     {"directory", "dir", 1},   {"rootDirectory", "rd", 0},
                                     {"fullName", "fn", 0}, {"openWorkspace", "o", 0}, {"update", "u", 0}};

MelValue workspace(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("workspace", args, workspaceFlags);
  if (f.has("query")) {
    if (f.has("directory") && !scene().workspaceCurrent.empty())
      return MelValue::ofString(withSlash(forwardSlashes(scene().workspaceCurrent)));
    if (f.has("directory") || f.has("rootDirectory") || f.has("fullName")) {
      std::string dir = workspaceDirectory();
      if (f.has("fullName") && dir.size() > 1)
        dir.pop_back();
      return MelValue::ofString(dir);
    }
    MelInterpreter::fail("workspace: nothing to query");
  }
  // -dir moves the current folder only; the project stays where it is.
  if (f.has("directory"))
    scene().workspaceCurrent = f.text("directory");
  else if (f.has("openWorkspace") && !f.positional.empty()) {
    scene().workspaceRoot = f.positional[0].asString();
    scene().workspaceCurrent.clear();
  }
  return MelValue();
}

// "file -q -loc NAME": where the host finds the file, or "unknown".
std::string locate(const std::string& name) {
  if (name.empty())
    return "unknown";
  fs::path p = fs::u8path(forwardSlashes(name));
  if (p.is_absolute() || (name.size() > 1 && name[1] == ':'))
    return exists(name) ? forwardSlashes(name) : "unknown";
  std::string inWorkspace = workspaceDirectory() + forwardSlashes(name);
  if (exists(inWorkspace))
    return inWorkspace;
  return "unknown";
}

const MelFlagTable fileFlags = {{"query", "q", 0},
                                {"location", "loc", 0},
                                {"sceneName", "sn", 0},
                                {"new", "new", 0},
                                {"force", "f", 0},
                                {"modified", "mf", 0},
                                {"reference", "r", 0},
                                {"referenceDepthInfo", "rdi", 1},
                                {"namespace", "ns", 1},
                                {"renamingPrefix", "rpr", 1},
                                {"referenceNode", "rfn", 1},
                                {"deferReference", "dr", 1},
                                {"type", "typ", 1},
                                {"options", "op", 1},
                                {"sharedNodes", "shd", 1},
                                {"mergeNamespacesOnClash", "mnc", 1},
                                {"ignoreVersion", "iv", 0},
                                {"groupReference", "gr", 0},
                                {"groupLocator", "gl", 0},
                                {"groupName", "gn", 1},
                                {"loadReferenceDepth", "lrd", 1}};

MelValue file(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("file", args, fileFlags);
  if (f.has("reference") || f.has("referenceDepthInfo")) {
    referenceLine(f, !f.has("reference"));
    return MelValue::ofString(f.positional.empty() ? "" : f.positional.back().asString());
  }
  if (f.has("query") && f.has("location")) {
    if (f.positional.size() != 1)
      MelInterpreter::fail("file: -location needs one file name");
    return MelValue::ofString(locate(f.positional[0].asString()));
  }
  if (f.has("query") && f.has("modified"))
    return MelValue::ofInt(scene().modified ? 1 : 0);
  if (f.has("query") && f.has("sceneName"))
    return MelValue::ofString(scene().sceneFile);
  if (f.has("new")) {
    scene().reset();
    return MelValue();
  }
  MelInterpreter::fail("file: unsupported use of the command");
}

const MelFlagTable currentTimeFlags = {{"query", "q", 0}};

// "currentTime -q": the time the scene file gave time1 (its ".o"), frame 1
// in a new scene as in Maya.
MelValue currentTime(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("currentTime", args, currentTimeFlags);
  if (!f.has("query"))
    MelInterpreter::fail("currentTime: only -query is supported");
  const double frame = currentFrame(scene());
  return MelValue::ofFloat(frame);
}

struct PrefFlag {
  const char* longName;
  const char* shortName;
  bool integer;
};

const PrefFlag kPrefFlags[] = {{"format", "f", true},          {"chordHeightRatio", "chr", false},
                               {"chordHeight", "cht", false},   {"delta3D", "d", false},
                               {"edgeSwap", "es", true},        {"fraction", "ft", false},
                               {"minEdgeLen", "mel", false},    {"polyCount", "pc", true},
                               {"polyType", "pt", true},        {"useChordHeightRatio", "ucr", true},
                               {"useChordHeight", "uch", true}, {"uType", "ut", true},
                               {"uNumber", "un", true},         {"vType", "vt", true},
                               {"vNumber", "vn", true},         {"merge", "m", true},
                               {"mergeTolerance", "mt", false}, {"matchRenderTessellation", "mrt", true}};

MelValue nurbsToPolygonsPref(MelInterpreter&, const std::vector<MelValue>& args) {
  bool query = false;
  const PrefFlag* asked = nullptr;
  auto& prefs = scene().tessellationPrefs();
  for (std::size_t k = 0; k < args.size(); ++k) {
    if (!args[k].isFlag())
      MelInterpreter::fail("nurbsToPolygonsPref: unexpected argument " + args[k].asString());
    std::string flag = args[k].s.substr(1);
    if (flag == "q" || flag == "query") {
      query = true;
      continue;
    }
    const PrefFlag* found = nullptr;
    for (const auto& p : kPrefFlags)
      if (flag == p.longName || flag == p.shortName)
        found = &p;
    if (!found)
      MelInterpreter::fail("nurbsToPolygonsPref: Invalid flag '-" + flag + "'");
    if (query) {
      asked = found;
      continue;
    }
    if (k + 1 >= args.size())
      MelInterpreter::fail("nurbsToPolygonsPref: Flag '-" + flag + "' must be passed a value");
    double value = args[++k].asNumber();
    if (std::string(found->shortName) == "f" && (value < 0 || value > 3))
      MelInterpreter::fail("nurbsToPolygonsPref: format must be 0, 1, 2 or 3");
    prefs[found->shortName] = value;
  }
  if (!query)
    return MelValue();
  if (!asked)
    MelInterpreter::fail("nurbsToPolygonsPref: nothing to query");
  double value = prefs[asked->shortName];
  return asked->integer ? MelValue::ofInt(static_cast<long long>(value)) : MelValue::ofFloat(value);
}

// Commands of Maya's user interface, which batch Maya does not have.
void needInterface(const char* command) {
  if (!scene().interactive)
    MelInterpreter::fail(std::string(command) + ": this command needs Maya's user interface; batch mode has none.");
}

const MelFlagTable aboutFlags = {{"batch", "b", 0}, {"version", "v", 0}, {"apiVersion", "api", 0}};

MelValue about(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("about", args, aboutFlags);
  if (f.has("batch"))
    return MelValue::ofInt(scene().interactive ? 0 : 1);
  if (f.has("version"))
    return MelValue::ofString("host stand-in");
  if (f.has("apiVersion"))
    return MelValue::ofInt(MAYA_API_VERSION);
  MelInterpreter::fail("about: one of -batch, -version or -apiVersion expected");
}

const MelFlagTable waitCursorFlags = {{"state", "st", 1}, {"query", "q", 0}};

MelValue waitCursor(MelInterpreter&, const std::vector<MelValue>& args) {
  needInterface("waitCursor");
  auto f = parseMelFlags("waitCursor", args, waitCursorFlags);
  if (f.has("query"))
    return MelValue::ofInt(scene().waitCursor);
  if (!f.has("state"))
    MelInterpreter::fail("waitCursor: -state expected");
  scene().waitCursor = f.flags["state"][0].truth();
  return MelValue();
}

const MelFlagTable menuFlags = {
    {"label", "l", 1}, {"parent", "p", 1}, {"tearOff", "to", 1}, {"exists", "ex", 0}, {"allowOptionBoxes", "aob", 1},
    {"edit", "e", 0},  {"query", "q", 0}};

MelValue menu(MelInterpreter&, const std::vector<MelValue>& args) {
  needInterface("menu");
  auto f = parseMelFlags("menu", args, menuFlags);
  auto& s = scene();
  std::string name = f.positional.empty() ? "" : f.positional[0].asString();
  if (f.has("exists"))
    return MelValue::ofInt(s.menus.count(name) != 0);
  if (name.empty())
    for (int n = 1; name.empty() || s.menus.count(name); ++n)
      name = "menu" + std::to_string(n);
  if (s.menus.count(name))
    MelInterpreter::fail("menu: Object's name '" + name + "' is not unique.");
  MenuRecord record;
  record.name = name;
  record.label = f.text("label", name);
  record.parent = f.text("parent");
  s.menus[name] = record;
  s.menuOrder.push_back(name);
  s.currentMenu = name;
  return MelValue::ofString(name);
}

const MelFlagTable menuItemFlags = {{"label", "l", 1},        {"command", "c", 1}, {"divider", "d", 1},
                                    {"annotation", "ann", 1}, {"parent", "p", 1},  {"optionBox", "ob", 1}};

MelValue menuItem(MelInterpreter&, const std::vector<MelValue>& args) {
  needInterface("menuItem");
  auto f = parseMelFlags("menuItem", args, menuItemFlags);
  auto& s = scene();
  std::string menuName = f.text("parent", s.currentMenu);
  auto it = s.menus.find(menuName);
  if (it == s.menus.end())
    MelInterpreter::fail("menuItem: no menu to add the item to");
  it->second.items.emplace_back(f.text("label", f.has("divider") ? "-" : ""), f.text("command"));
  return MelValue::ofString(menuName + "|menuItem" + std::to_string(it->second.items.size()));
}

const MelFlagTable setParentFlags = {{"menu", "m", 0}, {"query", "q", 0}};

MelValue setParent(MelInterpreter&, const std::vector<MelValue>& args) {
  needInterface("setParent");
  auto f = parseMelFlags("setParent", args, setParentFlags);
  if (!f.positional.empty() && f.positional[0].asString() == "..")
    scene().currentMenu.clear();
  else if (!f.positional.empty())
    scene().currentMenu = f.positional[0].asString();
  return MelValue::ofString(scene().currentMenu);
}

const MelFlagTable deleteUIFlags = {{"menu", "m", 0}, {"menuItem", "mi", 0}, {"window", "wnd", 0}};

MelValue deleteUI(MelInterpreter&, const std::vector<MelValue>& args) {
  needInterface("deleteUI");
  auto f = parseMelFlags("deleteUI", args, deleteUIFlags);
  auto& s = scene();
  for (const auto& p : f.positional) {
    std::string name = p.asString();
    if (!s.menus.erase(name))
      MelInterpreter::fail("deleteUI: Object '" + name + "' not found.");
    for (auto it = s.menuOrder.begin(); it != s.menuOrder.end(); ++it)
      if (*it == name) {
        s.menuOrder.erase(it);
        break;
      }
    if (s.currentMenu == name)
      s.currentMenu.clear();
  }
  return MelValue();
}

MelValue existsCommand(MelInterpreter& mel, const std::vector<MelValue>& args) {
  if (args.size() != 1)
    MelInterpreter::fail("exists: one name expected");
  // Maya's `exists` also answers 1 for a script on the script path.
  std::string name = args[0].asString();
  return MelValue::ofInt(mel.hasCommand(name) || mel.hasProcedure(name) || !mel.findScript(name).empty());
}

}  // namespace

void registerSessionCommands(MelInterpreter& mel) {
  mel.registerCommand("print", print);
  mel.registerCommand("source", source);
  mel.registerCommand("workspace", workspace, workspaceFlags);
  mel.registerCommand("file", file, fileFlags);
  mel.registerCommand("currentTime", currentTime, currentTimeFlags);
  mel.registerCommand("nurbsToPolygonsPref", nurbsToPolygonsPref);
  mel.registerCommand("waitCursor", waitCursor, waitCursorFlags);
  mel.registerCommand("menu", menu, menuFlags);
  mel.registerCommand("menuItem", menuItem, menuItemFlags);
  mel.registerCommand("setParent", setParent, setParentFlags);
  mel.registerCommand("deleteUI", deleteUI, deleteUIFlags);
  mel.registerCommand("exists", existsCommand);
  mel.registerCommand("about", about, aboutFlags);
}

}  // namespace OmbrixHost
