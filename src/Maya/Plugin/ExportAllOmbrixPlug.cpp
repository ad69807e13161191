// The ExportAllOmbrixPlug command: export all geometry of the scene.
#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>

#include <new>

#include "Maya/ExportFlow.h"
#include "Maya/CommandGuard.h"
#include "Maya/Plugin/Commands.h"

namespace {

class ExportAllOmbrixPlug : public MPxCommand {
 public:
  ~ExportAllOmbrixPlug() override {}
  MStatus doIt(const MArgList&) override {
    return guardCommand("ExportAllOmbrixPlug", [] {
      runExport(0);
      return MStatus(MStatus::kSuccess);
    });
  }
};

}  // namespace

void* createExportAllOmbrixPlug() { return new (std::nothrow) ExportAllOmbrixPlug(); }
