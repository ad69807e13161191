#include "HostSession.h"

#include "CommandSyntax.h"
#include "UndoQueue.h"

#include "HostObject.h"
#include "MelInterpreter.h"
#include "PluginState.h"
#include "Scene.h"

#include <algorithm>
#include <iostream>
#include <map>
#include <memory>
#include <utility>

namespace OmbrixHost {
namespace {

struct PluginRecord {
  std::shared_ptr<Node> node;
  PluginInfo info;
};

std::vector<PluginRecord>& plugins() {
  static std::vector<PluginRecord> records;
  return records;
}

}  // namespace

MObject openPluginObject(const std::string& path) {
  auto node = std::make_shared<Node>();
  node->self = node;
  node->name = path;
  node->typeName = "plugin";
  node->apiType = MFn::kNamedObject;
  plugins().push_back(PluginRecord{node, PluginInfo{path, "", "", "", {}, "", "", "", ""}});
  return Access::wrap(node.get());
}

PluginInfo* mutablePluginInfo(const MObject& plugin) {
  Node* n = Access::node(plugin);
  for (auto& r : plugins())
    if (r.node.get() == n)
      return &r.info;
  return nullptr;
}

const PluginInfo* pluginInfo(const MObject& plugin) { return mutablePluginInfo(plugin); }

void closePluginObject(const MObject& plugin) {
  Node* n = Access::node(plugin);
  auto& records = plugins();
  for (auto it = records.begin(); it != records.end(); ++it)
    if (it->node.get() == n) {
      // Commands a module did not deregister go with it: their code is unloaded.
      undoQueue().flush();
      for (const auto& command : it->info.commands) {
        mel().removeCommand(command);
        forgetCommandSyntax(command);
      }
      it->node->alive = false;
      records.erase(it);
      return;
    }
}

namespace {

// An empty name: nothing to run.
bool runProcedure(const std::string& name) {
  if (name.empty())
    return true;
  MelValue ignored;
  std::string error;
  return runMel(name + "();", ignored, error);
}

}  // namespace

bool createPluginUI(const MObject& plugin) {
  const PluginInfo* info = pluginInfo(plugin);
  return !info || runProcedure(scene().interactive ? info->uiCreation : info->uiBatchCreation);
}

bool deletePluginUI(const MObject& plugin) {
  const PluginInfo* info = pluginInfo(plugin);
  return !info || runProcedure(scene().interactive ? info->uiDeletion : info->uiBatchDeletion);
}

namespace {

PluginUnloader& pluginUnloader() {
  static PluginUnloader unloader;
  return unloader;
}

// A plug-in's name: its file name without folder and extension ("ObvTester2").
std::string pluginName(const std::string& path) {
  std::string name = path.substr(path.find_last_of("/\\") + 1);
  return name.substr(0, name.find('.'));
}

const MelFlagTable unloadPluginFlags = {{"force", "f", -1}};

// unloadPlugin [-force] NAME...: refused while the undo queue holds one of
// the plug-in's commands (its code would be gone when they are undone);
// -force empties the queue first.
MelValue unloadPlugin(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("unloadPlugin", args, unloadPluginFlags);
  if (f.positional.empty())
    MelInterpreter::fail("unloadPlugin: name the plug-in to unload");
  const bool force = f.has("force") && (f.flags["force"].empty() || f.flags["force"][0].truth());
  std::vector<std::string> unloaded;
  for (const auto& given : f.positional) {
    const std::string name = pluginName(given.asString());
    auto& records = plugins();
    auto it = std::find_if(records.begin(), records.end(),
                           [&](const PluginRecord& r) { return pluginName(r.info.path) == name; });
    if (it == records.end())
      MelInterpreter::fail("unloadPlugin: Plug-in, \"" + given.asString() + "\", was not found.");
    if (!force && undoQueue().holdsAny(it->info.commands))
      MelInterpreter::fail("unloadPlugin: " + name +
                           " cannot be unloaded: the undo queue holds its commands; run flushUndo first");
    undoQueue().flush();
    std::string error;
    if (!pluginUnloader() || !pluginUnloader()(Access::wrap(it->node.get()), error))
      MelInterpreter::fail("unloadPlugin: " + name + ": " + (error.empty() ? "cannot be unloaded here" : error));
    unloaded.push_back(name);
  }
  return MelValue::ofStrings(unloaded);
}

}  // namespace

void flushUndoQueue() { undoQueue().flush(); }

void setPluginUnloader(PluginUnloader unloader) {
  pluginUnloader() = std::move(unloader);
  mel().registerCommand("unloadPlugin", unloadPlugin, unloadPluginFlags);
}

bool runMel(const std::string& text, MelValue& result, std::string& error) {
  if (mel().run(text, result, error))
    return true;
  std::cerr << "// Error: " << error << " //" << std::endl;
  return false;
}

bool callCommand(const std::string& name, const std::vector<MelValue>& args, MelValue& result, std::string& error) {
  try {
    result = mel().call(name, args);
    return true;
  } catch (const std::exception& e) {
    error = e.what();
  }
  return false;
}

bool commandExists(const std::string& name) { return mel().hasCommand(name); }

const MelFlagTable* builtinFlagTable(const std::string& name) { return mel().flagTable(name); }

void resetScene() { scene().reset(); }

void resetSession() {
  mel().forgetScripts();
  scene().reset();
}
void setWorkspaceRoot(const std::string& dir) { scene().workspaceRoot = dir; }
void addScriptPath(const std::string& dir) { scene().scriptPath.push_back(dir); }

std::vector<std::string> menuNames() { return scene().menuOrder; }

std::vector<std::pair<std::string, std::string>> menuItems(const std::string& menu) {
  auto it = scene().menus.find(menu);
  return it == scene().menus.end() ? std::vector<std::pair<std::string, std::string>>() : it->second.items;
}

bool waitCursorOn() { return scene().waitCursor; }
void setInteractive(bool interactive) { scene().interactive = interactive; }

namespace {
struct DisplayCaptureState {
  bool on = false;
  std::vector<std::string> messages;
};
DisplayCaptureState& displayCapture() {
  static DisplayCaptureState state;
  return state;
}
}  // namespace

void captureDisplayed(bool on) {
  displayCapture().on = on;
  if (on)
    displayCapture().messages.clear();
}

std::vector<std::string> displayedMessages() { return displayCapture().messages; }

bool keepDisplayed(const char* kind, const std::string& text) {
  if (!displayCapture().on)
    return false;
  displayCapture().messages.push_back(std::string(kind) + ": " + text);
  return true;
}

}  // namespace OmbrixHost
