// The ExportSelOmbrixPlug command: export the selected subtrees.
#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>

#include <new>

#include "Maya/ExportFlow.h"
#include "Maya/Plugin/Commands.h"

namespace {

class ExportSelOmbrixPlug : public MPxCommand {
 public:
  ~ExportSelOmbrixPlug() override {}
  MStatus doIt(const MArgList&) override {
    runExport(1);
    return MStatus::kSuccess;
  }
};

}  // namespace

void* createExportSelOmbrixPlug() { return new (std::nothrow) ExportSelOmbrixPlug(); }
