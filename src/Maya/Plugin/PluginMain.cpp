// The module's entry points: what Maya calls when it loads and unloads the
// plug-in. The only source of the module that carries MApiVersion.
#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>
#include <maya/MTypes.h>

#include <new>

#include "Diagnostics/ReportDiagnostic.h"
#include "IO/FormatRegistry.h"
#include "Exchange/PainterLink.h"
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

void runMel(const char* command) {
  MStringArray result;
  MGlobal::executeCommand(command, result, false, false);
}

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
  runMel("source \"OmbrixVael\";");
  runMel("CreateOmbrixMenu();");
  return MStatus::kSuccess;
}

PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj) {
  MFnPlugin plugin(obj, "Unknown", "Unknown", "Any");
  runMel("DestroyOmbrixMenu()");
  for (const CommandRow& command : kCommands)
    plugin.deregisterCommand(command.name);
  delete gPainterBridge;
  gPainterBridge = nullptr;
  TeardownModelFormats();
  TeardownSceneReaders();
  ReportDiagnostic("MantaroQuit");
  return MStatus::kSuccess;
}
