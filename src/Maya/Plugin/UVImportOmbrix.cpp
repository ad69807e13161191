// The UVImportOmbrix command: bring the UVs edited in the painter back onto
// the selected meshes. It goes on Maya's undo queue when it changed a mesh;
// undo puts every mesh back as it was, redo applies the import again.
#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

#include <new>
#include <string>
#include <vector>

#include "Maya/CommandGuard.h"
#include "Maya/MayaImportUVs.h"
#include "Maya/Plugin/Commands.h"
#include "Maya/RecordedMeshes.h"
#include "Maya/UvImportChanges.h"

namespace {

// The meshes of the last export; false (and a Maya error) without a record.
bool exportedMeshes(MSelectionList& meshes) {
  int missing = 0;
  std::string reason;
  if (!recordedMeshes(meshes, missing, reason)) {
    MGlobal::displayError(MString("Ombrix Vael UV import: no export record: ") + reason.c_str());
    return false;
  }
  if (missing > 0) {
    MString text = "Ombrix Vael UV import: ";
    text += missing;
    MGlobal::displayWarning(text + " mesh(es) of the last export are no longer in the scene");
  }
  return true;
}

const char kExportedFlag[] = "-ex";
const char kPerMeshFlag[] = "-pm";

struct ImportFlags {
  bool exported = false;
  bool perMesh = false;
};

MStringArray mayaStrings(const std::vector<MString>& texts) {
  MStringArray array;
  for (const MString& text : texts) array.append(text);
  return array;
}

class UVImportOmbrix : public MPxCommand {
 public:
  ~UVImportOmbrix() override {}
  // A failure part way takes back the meshes already changed.
  // -exported (-ex): onto every mesh of the last export still in the
  // scene, found through the export record, instead of the selection.
  // -perMesh (-pm): the result is one string per mesh, "fullDagPath count".
  MStatus doIt(const MArgList& args) override {
    MStatus parsed;
    const MArgDatabase database(syntax(), args, &parsed);
    if (!parsed)
      return parsed;
    ImportFlags flags;
    flags.exported = database.isFlagSet(kExportedFlag);
    flags.perMesh = database.isFlagSet(kPerMeshFlag);
    return guardCommand(
        "UVImportOmbrix",
        [this, flags] {
          MSelectionList meshes;
          if (flags.exported && !exportedMeshes(meshes)) return MStatus(MStatus::kFailure);
          // For scripts: the polygons given new UVs; no correspondence file
          // to import is a Maya error.
          const MStatus imported = importUVs(changes_, flags.exported ? &meshes : nullptr);
          if (flags.perMesh)
            setResult(mayaStrings(changes_.meshResults()));
          else
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

MSyntax uvImportSyntax() {
  MSyntax syntax;
  syntax.addFlag(kExportedFlag, "-exported");
  syntax.addFlag(kPerMeshFlag, "-perMesh");
  return syntax;
}

void* createUVImportOmbrix() { return new (std::nothrow) UVImportOmbrix(); }
