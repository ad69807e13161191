// The UVImportOmbrix command: bring the UVs edited in the painter back onto the selected meshes.
#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>

#include <new>

#include "Maya/MayaImportUVs.h"
#include "Maya/Plugin/Commands.h"

namespace {

class UVImportOmbrix : public MPxCommand {
 public:
  ~UVImportOmbrix() override {}
  MStatus doIt(const MArgList&) override {
    importUVs();
    return MStatus::kSuccess;
  }
};

}  // namespace

void* createUVImportOmbrix() { return new (std::nothrow) UVImportOmbrix(); }
