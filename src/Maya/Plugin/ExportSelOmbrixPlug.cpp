// The ExportSelOmbrixPlug command: export the selected subtrees.
#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>

#include <new>

#include "Maya/ExportFlow.h"
#include "Maya/CommandGuard.h"
#include "Maya/Plugin/Commands.h"

namespace {

class ExportSelOmbrixPlug : public MPxCommand {
 public:
  ~ExportSelOmbrixPlug() override {}
  MStatus doIt(const MArgList&) override {
    return guardCommand("ExportSelOmbrixPlug", [] {
      runExport(1);
      return MStatus(MStatus::kSuccess);
    });
  }
};

}  // namespace

void* createExportSelOmbrixPlug() { return new (std::nothrow) ExportSelOmbrixPlug(); }
