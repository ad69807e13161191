// The UVImportOmbrix command: bring the UVs edited in the painter back onto
// the selected meshes. It goes on Maya's undo queue when it changed a mesh;
// undo puts every mesh back as it was, redo applies the import again.
#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>

#include <new>

#include "Maya/CommandGuard.h"
#include "Maya/MayaImportUVs.h"
#include "Maya/Plugin/Commands.h"
#include "Maya/UvImportChanges.h"

namespace {

class UVImportOmbrix : public MPxCommand {
 public:
  ~UVImportOmbrix() override {}
  // A failure part way takes back the meshes already changed.
  MStatus doIt(const MArgList&) override {
    return guardCommand(
        "UVImportOmbrix",
        [this] {
          // For scripts: the polygons given new UVs; no correspondence file
          // to import is a Maya error.
          const MStatus imported = importUVs(changes_);
          setResult(changes_.importedPolygons());
          return imported;
        },
        [this] {
          changes_.undo();
          changes_.clear();
        });
  }
  MStatus undoIt() override { return changes_.undo(); }
  MStatus redoIt() override { return changes_.redo(); }
  // A run that changed nothing has nothing to undo.
  bool isUndoable() const override { return !changes_.empty(); }

 private:
  UvImportChanges changes_;
};

}  // namespace

void* createUVImportOmbrix() { return new (std::nothrow) UVImportOmbrix(); }
