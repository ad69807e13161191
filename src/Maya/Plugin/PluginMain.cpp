// The module's entry points: what Maya calls when it loads and unloads the
// plug-in. The only source of the module that carries MApiVersion.
#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>
#include <maya/MTypes.h>

#include <new>

#include "Diagnostics/ReportDiagnostic.h"
#include "IO/FormatRegistry.h"
#include "Exchange/PainterLink.h"
#include "Maya/MenuScript.h"
#include "Maya/ExportCommand.h"
#include "Maya/PluginState.h"
#include "Maya/Plugin/Commands.h"

namespace {

const char kVendor[] = "Halvera";
const char kVersion[] = "1.25";

struct CommandRow {
  const char* name;
  void* (*creator)();
  MSyntax (*syntax)();
};
const CommandRow kCommands[] = {{"SwitchOmbrix", createSwitchOmbrix, noFlagsSyntax},
                                {"LaunchOmbrix", createLaunchOmbrix, noFlagsSyntax},
                                {"CloseOmbrix", createCloseOmbrix, noFlagsSyntax},
                                {"AutoLoadOmbrix", createAutoLoadOmbrix, noFlagsSyntax},
                                {"ExportAllOmbrixPlug", createExportAllOmbrixPlug, exportSyntax},
                                {"ExportSelOmbrixPlug", createExportSelOmbrixPlug, exportSyntax},
                                {"UVImportOmbrix", createUVImportOmbrix, uvImportSyntax},
                                {"ImportTexturesOmbrix", createImportTexturesOmbrix, importTexturesSyntax}};

}  // namespace

PLUGIN_EXPORT MStatus initializePlugin(MObject obj) {
  MFnPlugin plugin(obj, kVendor, kVersion, "Any");
  // The painter commands use the link: without it the module does not load.
  gPainterBridge = new (std::nothrow) PainterBridge();
  if (gPainterBridge == nullptr) {
    MGlobal::displayError("ObvTester2: out of memory; the plug-in is not loaded");
    return MStatus::kFailure;
  }
  for (const CommandRow& command : kCommands)
    plugin.registerCommand(command.name, command.creator, command.syntax);
  StartupFormats();
  // Maya runs the menu procedures once its interface exists, never in batch
  // mode, and the deletion one when the plug-in is unloaded.
  if (MGlobal::mayaState() == MGlobal::kInteractive && sourceMenuScript(plugin.loadPath()))
    plugin.registerUI("CreateOmbrixMenu", "DestroyOmbrixMenu");
  return MStatus::kSuccess;
}

PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj) {
  MFnPlugin plugin(obj, "Unknown", "Unknown", "Any");
  for (const CommandRow& command : kCommands)
    plugin.deregisterCommand(command.name);
  delete gPainterBridge;
  gPainterBridge = nullptr;
  TeardownModelFormats();
  TeardownSceneReaders();
  ReportDiagnostic("MantaroQuit");
  return MStatus::kSuccess;
}
