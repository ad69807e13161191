#include "HostSession.h"

#include "HostObject.h"
#include "MelInterpreter.h"
#include "PluginState.h"
#include "Scene.h"

#include <iostream>
#include <map>
#include <memory>

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
  plugins().push_back(PluginRecord{node, PluginInfo{path, "", "", "", {}}});
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
      for (const auto& command : it->info.commands)
        mel().removeCommand(command);
      it->node->alive = false;
      records.erase(it);
      return;
    }
}

bool runMel(const std::string& text, MelValue& result, std::string& error) {
  if (mel().run(text, result, error))
    return true;
  std::cerr << "// Error: " << error << " //" << std::endl;
  return false;
}

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

}  // namespace OmbrixHost
