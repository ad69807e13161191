#include "Maya/ExportFlow.h"

#include <maya/MIOStream.h>

#include <cstring>

#include "HvTL/HvString.h"
#include "IO/FormatRegistry.h"
#include "Maya/ExchangePaths.h"
#include "Maya/PainterLink.h"
#include "Maya/PluginState.h"
#include "Maya/SceneExport.h"
#include "Model3D/HvModel.h"

const char kExchangeFileName[] = "Maya.obv";

namespace {

const char kProjectFormat[] = "OBV";

// A path that did not fit its buffer is not replaced by the default one:
// the export would land somewhere nobody asked for.
bool pathTooLong(const char* error) { return std::strstr(error, "too long") != nullptr; }

int saveProject(HvModel& model, const char* path) {
  const HvString locator(path);
  const int saved = SaveModelByName(&model, locator, kProjectFormat, "", nullptr, nullptr);
  if (!saved)
    cerr << "Ombrix Vael export: could not save " << path << endl;
  return saved;
}

}  // namespace

int runExport(int selectionFlag) {
  HvModel model;
  gatherMayaScene(model, selectionFlag);

  char path[kExchangeBufferSize] = {};
  char error[kExchangeBufferSize] = {};
  int saved = 0;
  if (!getExchangeFilePath(kExchangeFileName, path, error) && pathTooLong(error)) {
    cerr << "Ombrix Vael export: " << error << endl;
  } else {
    removePathsFile(path, error);
    saved = saveProject(model, path);
  }

  uint32_t token = 0;
  if (!writeLogFile(&token, kExchangeFileName, nullptr))
    token = 0;  // no log file: nothing for the painter to load
  if (gPainterBridge != nullptr)
    gPainterBridge->setLoadToken(token);
  return saved;
}
