// The ExportAllOmbrixPlug command: export all geometry of the scene.
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

class ExportAllOmbrixPlug : public MPxCommand {
 public:
  ~ExportAllOmbrixPlug() override {}
  MStatus doIt(const MArgList&) override {
    return guardCommand("ExportAllOmbrixPlug", [] {
      // The project file's path for scripts, "" and a Maya error when the save failed.
      std::string path;
      const bool saved = runExport(0, &path) != 0;
      setResult(MString(path.c_str()));
      return MStatus(saved ? MStatus::kSuccess : MStatus::kFailure);
    });
  }
};

}  // namespace

void* createExportAllOmbrixPlug() { return new (std::nothrow) ExportAllOmbrixPlug(); }
