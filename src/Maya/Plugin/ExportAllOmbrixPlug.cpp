// The ExportAllOmbrixPlug command: export all geometry of the scene.
#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>

#include <new>

#include "Maya/ExportCommand.h"
#include "Maya/CommandGuard.h"
#include "Maya/Plugin/Commands.h"

namespace {

class ExportAllOmbrixPlug : public MPxCommand {
 public:
  ~ExportAllOmbrixPlug() override {}
  MStatus doIt(const MArgList& args) override {
    return guardCommand("ExportAllOmbrixPlug", [this, &args] { return exportCommand(0, syntax(), args); });
  }
};

}  // namespace

void* createExportAllOmbrixPlug() { return new (std::nothrow) ExportAllOmbrixPlug(); }
