// The ExportSelOmbrixPlug command: export the selected subtrees.
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

class ExportSelOmbrixPlug : public MPxCommand {
 public:
  ~ExportSelOmbrixPlug() override {}
  MStatus doIt(const MArgList& args) override {
    return guardCommand("ExportSelOmbrixPlug", [this, &args] { return exportCommand(1, syntax(), args); });
  }
};

}  // namespace

void* createExportSelOmbrixPlug() { return new (std::nothrow) ExportSelOmbrixPlug(); }
