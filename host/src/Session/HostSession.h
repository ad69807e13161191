#pragma once
// What the host program (mayahost) and the tests ask of the host library
// beyond the plug-in interface: plug-in records, MEL runs, session settings.
#include "MelFlagTable.h"
#include "MelValue.h"

#include <maya/MObject.h>
#include <maya/MTypes.h>

#include <functional>
#include <string>
#include <vector>

namespace OmbrixHost {

struct PluginInfo {
  std::string path;
  std::string vendor;
  std::string version;
  std::string requiredApiVersion;
  std::vector<std::string> commands;
  // The MEL procedures MFnPlugin::registerUI named: run once the plug-in is
  // loaded and before it is unloaded, the batch pair in batch mode.
  std::string uiCreation;
  std::string uiDeletion;
  std::string uiBatchCreation;
  std::string uiBatchDeletion;
};

// The object handed to initializePlugin; later MFnPlugin calls on it fill `info`.
OPENMAYA_EXPORT MObject openPluginObject(const std::string& path);
OPENMAYA_EXPORT const PluginInfo* pluginInfo(const MObject& plugin);
// Forgets the plug-in, and the commands it left registered.
OPENMAYA_EXPORT void closePluginObject(const MObject& plugin);
// What Maya does around a plug-in's entry points: after initializePlugin it
// runs the creation procedure registerUI named (interactive Maya) or the
// batch one (batch Maya, when named); before uninitializePlugin the
// matching deletion procedure. False when the procedure failed (its error
// is printed as MEL errors are).
OPENMAYA_EXPORT bool createPluginUI(const MObject& plugin);
OPENMAYA_EXPORT bool deletePluginUI(const MObject& plugin);

// MEL `unloadPlugin NAME`: the program that loaded the plug-in (the object
// given) unloads it when asked; false with `error` set when it cannot.
using PluginUnloader = std::function<bool(const MObject& plugin, std::string& error)>;
OPENMAYA_EXPORT void setPluginUnloader(PluginUnloader unloader);
// Empties the undo queue, as Maya does when it quits.
OPENMAYA_EXPORT void flushUndoQueue();

// Runs MEL as the script editor does: errors are printed to stderr as
// "// Error: ... //" and returned.
OPENMAYA_EXPORT bool runMel(const std::string& text, MelValue& result, std::string& error);
// Runs one command (or global procedure) with its arguments already split,
// as Python's maya.cmds does; false with Maya's message in `error`.
OPENMAYA_EXPORT bool callCommand(const std::string& name, const std::vector<MelValue>& args, MelValue& result,
                                 std::string& error);
OPENMAYA_EXPORT bool commandExists(const std::string& name);
// The flag table a host command is registered with (the one its MEL calls are
// parsed through); null for a command without one.
OPENMAYA_EXPORT const MelFlagTable* builtinFlagTable(const std::string& name);

OPENMAYA_EXPORT void resetScene();
// A new session: a new scene, and no procedure or variable left from earlier scripts.
OPENMAYA_EXPORT void resetSession();
OPENMAYA_EXPORT void setWorkspaceRoot(const std::string& dir);
OPENMAYA_EXPORT void addScriptPath(const std::string& dir);
OPENMAYA_EXPORT std::vector<std::string> menuNames();
OPENMAYA_EXPORT std::vector<std::pair<std::string, std::string>> menuItems(const std::string& menu);
OPENMAYA_EXPORT bool waitCursorOn();
// Batch Maya (the default: `about -batch` answers 1, UI commands fail) or
// interactive Maya with its menus and wait cursor.
OPENMAYA_EXPORT void setInteractive(bool interactive);

// What reaches Maya's Script Editor through MGlobal::displayInfo, displayWarning
// and displayError: while capturing, each call is kept as "Info: TEXT",
// "Warning: TEXT" or "Error: TEXT" instead of being printed. Starting a
// capture forgets what an earlier one kept.
OPENMAYA_EXPORT void captureDisplayed(bool on);
OPENMAYA_EXPORT std::vector<std::string> displayedMessages();
// Inside the host library: true when the message was kept by a capture.
bool keepDisplayed(const char* kind, const std::string& text);

// Maya ASCII scenes. Problems are reported as "file:line: reason"; a load
// goes on past the lines it cannot use and answers false when there were any.
OPENMAYA_EXPORT bool loadMayaAscii(const std::string& path, std::vector<std::string>& problems);
// The same for text already in memory; `name` stands for the file in messages.
OPENMAYA_EXPORT bool loadMayaAsciiText(const std::string& text, const std::string& name,
                                       std::vector<std::string>& problems);
// Maya Binary scenes (.mb), read into the same scene. Problems are reported
// as "file: offset N: reason"; values that cannot be decoded safely are
// skipped and told once per node type. False when the file's structure is
// damaged (what it still holds is loaded).
OPENMAYA_EXPORT bool loadMayaBinary(const std::string& path, std::vector<std::string>& problems);
OPENMAYA_EXPORT bool loadMayaBinaryData(const std::string& bytes, const std::string& name,
                                        std::vector<std::string>& problems);
// A scene file of either kind, told apart by its first bytes.
OPENMAYA_EXPORT bool loadSceneFile(const std::string& path, std::vector<std::string>& problems);
OPENMAYA_EXPORT bool saveMayaAscii(const std::string& path, std::string& error);
// What the last load refused or dropped, each reported with the load's
// problems: in all, and of that geometry (faces, points, UVs, tweaks, weights).
struct LoadRefusals {
  int total = 0;
  int geometry = 0;
};
OPENMAYA_EXPORT LoadRefusals loadRefusals();
// One JSON object describing the scene's meshes, surfaces, shading groups and nodes.
OPENMAYA_EXPORT std::string sceneStatsJson();

}  // namespace OmbrixHost
