// The UVImportOmbrix command: bring the UVs edited in the painter back onto
// the selected meshes. It goes on Maya's undo queue when it changed a mesh;
// undo puts every mesh back as it was, redo applies the import again.
#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

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

struct ImportFlags {
  bool exported = false;
  bool perMesh = false;
};

// Flags it does not know are passed over, as the command always did.
ImportFlags readFlags(const MArgList& args) {
  ImportFlags flags;
  for (unsigned int i = 0; i < args.length(); ++i) {
    const MString flag = args.asString(i);
    if (flag == "-exported" || flag == "-ex") flags.exported = true;
    if (flag == "-perMesh" || flag == "-pm") flags.perMesh = true;
  }
  return flags;
}

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
    const ImportFlags flags = readFlags(args);
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

void* createUVImportOmbrix() { return new (std::nothrow) UVImportOmbrix(); }
