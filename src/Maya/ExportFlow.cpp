#include "Maya/ExportFlow.h"

#include <maya/MGlobal.h>
#include <maya/MIOStream.h>
#include <maya/MString.h>

#include <cstdio>
#include <string>

#include "HvTL/HvString.h"
#include "IO/FormatRegistry.h"
#include "Exchange/ExchangePaths.h"
#include "Exchange/PainterLink.h"
#include "Maya/PluginState.h"
#include "Maya/SceneExport.h"
#include "Model3D/HvModel.h"
#include "Platform/FileSystem.h"

const char kExchangeFileName[] = "Maya.obv";

namespace {

const char kProjectFormat[] = "OBV";

// One line for the artist: on the error stream and in the Script Editor.
void reportExportError(const std::string& what) {
  const std::string line = "Ombrix Vael export: " + what;
  cerr << line << endl;
  MGlobal::displayError(MString(line.c_str()));
}

// All or nothing: the project file is written beside the last one and put
// in its place only once it is complete and closed, so that a failed save
// (a full disk, an unwritable directory, a file held open) leaves the last
// good export as it was.
bool saveProject(HvModel& model, const char* path) {
  char temporary[kExchangeBufferSize] = {};
  char error[kExchangeBufferSize] = {};
  if (getTemporaryProjectPath(path, temporary, error) != ExchangeFailure::kNone) {
    reportExportError(error);
    return false;
  }
  ReadFailure failure;
  int saved = 0;
  try {
    saved = SaveModelByName(&model, HvString(temporary), kProjectFormat, "", nullptr, nullptr, &failure);
  } catch (...) {
    std::remove(temporary);  // no half-written file stays behind
    throw;
  }
  if (!saved) {
    std::remove(temporary);
    reportExportError(std::string("could not write ") + path + ": " +
                      (failure.Failed() ? failure.reason : "the project writer failed"));
    return false;
  }
  std::string reason;
  if (!Platform::MoveFileOver(temporary, path, reason)) {
    std::remove(temporary);
    reportExportError(std::string("could not replace ") + path + ": " + reason);
    return false;
  }
  return true;
}

}  // namespace

int runExport(int selectionFlag) {
  HvModel model;
  gatherMayaScene(model, selectionFlag);

  char path[kExchangeBufferSize] = {};
  char error[kExchangeBufferSize] = {};
  // A path that did not fit its buffer is not replaced by the default one:
  // the export would land somewhere nobody asked for.
  if (getExchangeFilePath(kExchangeFileName, path, error) == ExchangeFailure::kPathTooLong) {
    reportExportError(error);
    return 0;
  }
  removePathsFile(path, error);
  // A failed save changes nothing else: no log file, the last token stands.
  if (!saveProject(model, path)) return 0;

  uint32_t token = 0;
  const ExchangeFailure logged = writeLogFile(&token, kExchangeFileName, error);
  if (logged != ExchangeFailure::kNone) {
    token = 0;  // no log file: nothing for the painter to load
    // Without an exchange directory there is no log to write; any other
    // failure the artist hears of.
    if (logged != ExchangeFailure::kNoTempDirectory) reportExportError(error);
  }
  if (gPainterBridge != nullptr)
    gPainterBridge->setLoadToken(token);
  return 1;
}
