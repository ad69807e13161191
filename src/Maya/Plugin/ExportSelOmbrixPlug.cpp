// The ExportSelOmbrixPlug command: export the selected subtrees.
#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <new>
#include <string>

#include "Maya/ExportFlow.h"
#include "Maya/CommandGuard.h"
#include "Maya/Plugin/Commands.h"

namespace {

class ExportSelOmbrixPlug : public MPxCommand {
 public:
  ~ExportSelOmbrixPlug() override {}
  MStatus doIt(const MArgList&) override {
    return guardCommand("ExportSelOmbrixPlug", [] {
      // The project file's path for scripts, "" and a Maya error when the save failed.
      std::string path;
      const bool saved = runExport(1, &path) != 0;
      setResult(MString(path.c_str()));
      return MStatus(saved ? MStatus::kSuccess : MStatus::kFailure);
    });
  }
};

}  // namespace

void* createExportSelOmbrixPlug() { return new (std::nothrow) ExportSelOmbrixPlug(); }
