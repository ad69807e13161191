#include "Maya/ExportFlow.h"

#include <maya/MGlobal.h>
#include <maya/MIOStream.h>
#include <maya/MString.h>

#include <cstdio>
#include <string>

#include "HvTL/HvString.h"
#include "IO/FormatRegistry.h"
#include "Exchange/ExchangePaths.h"
#include "Exchange/ExportRecord.h"
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

// The record's bytes at its temporary path; false (reported) when they could
// not be written.
bool writeRecordBeside(const ExportRecord& record, const char* recordPath, const char* temporary) {
  std::string reason;
  if (writeExportRecordFile(temporary, record, reason)) return true;
  reportExportError(std::string("could not write ") + recordPath + ": " + reason);
  return false;
}

// All or nothing: the project file and the export record are written beside
// the last ones and put in their place only once both are complete and
// closed, so that a failed save (a full disk, an unwritable directory, a file
// held open) leaves the last good export as it was. Should the record alone
// fail to move, the last one is deleted: no record is better than one that
// describes another export.
bool saveProject(HvModel& model, const char* path, const ExportRecord& record) {
  char temporary[kExchangeBufferSize] = {};
  char recordPath[kExchangeBufferSize] = {};
  char recordTemporary[kExchangeBufferSize] = {};
  char error[kExchangeBufferSize] = {};
  getRecordFilePath(path, recordPath);
  if (getTemporaryProjectPath(path, temporary, error) != ExchangeFailure::kNone ||
      getTemporaryProjectPath(recordPath, recordTemporary, error) != ExchangeFailure::kNone) {
    reportExportError(error);
    return false;
  }
  ReadFailure failure;
  int saved = 0;
  try {
    saved = SaveModelByName(&model, HvString(temporary), kProjectFormat, "", nullptr, nullptr, &failure);
  } catch (...) {
    std::remove(temporary);  // no half-written file stays behind
    std::remove(recordTemporary);
    throw;
  }
  if (!saved) {
    std::remove(temporary);
    std::remove(recordTemporary);
    reportExportError(std::string("could not write ") + path + ": " +
                      (failure.Failed() ? failure.reason : "the project writer failed"));
    return false;
  }
  if (!writeRecordBeside(record, recordPath, recordTemporary)) {
    std::remove(temporary);
    return false;
  }
  std::string reason;
  if (!Platform::MoveFileOver(temporary, path, reason)) {
    std::remove(temporary);
    std::remove(recordTemporary);
    reportExportError(std::string("could not replace ") + path + ": " + reason);
    return false;
  }
  if (!Platform::MoveFileOver(recordTemporary, recordPath, reason)) {
    std::remove(recordTemporary);
    std::remove(recordPath);
    reportExportError(std::string("could not replace ") + recordPath + ": " + reason);
  }
  return true;
}

}  // namespace

int runExport(int selectionFlag, std::string* projectPath, const std::string& uvSet) {
  if (projectPath != nullptr)
    projectPath->clear();
  HvModel model;
  ExportRecord record;
  gatherMayaScene(model, selectionFlag, &record, MString(uvSet.c_str()));

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
  if (!saveProject(model, path, record)) return 0;

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
  if (projectPath != nullptr)
    *projectPath = path;
  return 1;
}
