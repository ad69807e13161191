#include "Maya/MayaImportUVs.h"

#include <maya/MDGModifier.h>
#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MIOStream.h>
#include <maya/MItDag.h>
#include <maya/MItSelectionList.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MPoint.h>
#include <maya/MSelectionList.h>
#include <maya/MTypes.h>
#include <maya/MString.h>
#include <maya/MUuid.h>

#include <exception>
#include <memory>
#include <string>
#include <utility>

#include "IO/CorrespondenceTable.h"
#include "Exchange/DefaultPathNote.h"
#include "Exchange/ExchangePaths.h"
#include "Maya/MayaCodes.h"
#include "Maya/MeshArrays.h"
#include "Maya/RecordedMeshes.h"
#include "Maya/UvHistoryNodes.h"
#include "Maya/UvImportChanges.h"
#include "Maya/WaitCursor.h"
#include "UvImport/UvRecovery.h"

namespace {

// The new layout, the UV set's layout as read for the pass, and the set.
struct MeshUvWork {
  UvAssignment assigned;
  MeshUvArrays before;
  MString uvSet;
};

void WarnAbout(const MDagPath& path, const MString& text) {
  MGlobal::displayWarning("Ombrix Vael UV import: " + path.partialPathName() + ": " + text);
}

// Matched as placed now, or, with a record, through it (UvImport/UvRecovery.h),
// into the UV set the record names for the mesh. False, with a warning, when
// that set is gone: the mesh is left as it is.
bool CollectUVs(const UvImportSource& source, const MFnMesh& mesh, const MDagPath& path, MeshUvWork& work) {
  const MMatrix placement = path.inclusiveMatrix();
  const RecordedGroup* exported = nullptr;
  work.uvSet = mesh.currentUVSetName();
  if (source.record != nullptr) {
    const MUuid uuid = MFnDependencyNode(path.node()).uuid();
    exported = source.record->find(uuid.valid() ? uuid.asString().asChar() : std::string(),
                                   path.fullPathName().asChar());
    if (exported != nullptr && !exported->uvSet.empty()) work.uvSet = exported->uvSet.c_str();
    if (!hasUvSet(mesh, work.uvSet)) {
      WarnAbout(path, "its exported UV set \"" + work.uvSet + "\" is gone, the mesh is left as it is");
      return false;
    }
  }
  PolygonArrays arrays = readMeshArrays(mesh, work.uvSet);
  if (source.record == nullptr) {
    work.assigned = matchUVs(source.table, arrays, worldPoints(mesh, placement));
  } else {
    const std::vector<double> local = objectPoints(mesh);
    RecoveredUVs recovered =
        matchRecordedMesh(source.table, {arrays, local, &placement.matrix[0][0]}, exported);
    work.assigned = std::move(recovered.assigned);
    if (!recovered.reason.empty()) WarnAbout(path, recovered.reason.c_str());
  }
  work.before = std::move(arrays.uv);
  return true;
}

// The slow method is for a mesh whose geometry comes from upstream: only a
// node in front of "inMesh" can carry new UVs through history. listHistory
// also names nodes that feed no geometry (the groupIds of per-face shading).
bool HasInputGeometry(const MFnMesh& mesh, MPlug& source) {
  MPlugArray sources;
  if (!mesh.findPlug("inMesh", true).connectedTo(sources, true, false) || sources.length() == 0) return false;
  source = sources[0];
  return true;
}

void ReportFailure(const char* text) {
  cerr << text << endl;
  MGlobal::displayError(MString("Ombrix Vael UV import: ") + text);
}

MStatus FastMethod(MFnMesh& mesh, MeshUvWork& work, UvImportChanges& changes) {
  cout << "There is no construction history, using fast method\n";
  const MeshUvArrays& layout = work.assigned.layout;
  const MStatus status = replaceMeshUVs(mesh, work.uvSet, layout, work.before);
  if (status != MStatus::kSuccess) {
    ReportFailure("Couldn't assign UV's to surface");
  } else {
    // Recorded from a copy: should the record fail, the mesh gets its layout back.
    try {
      changes.addReplacedLayout(mesh.object(), work.uvSet, work.before, layout);
    } catch (...) {
      writeMeshUVs(mesh, work.uvSet, work.before);
      mesh.updateSurface();
      throw;
    }
  }
  mesh.updateSurface();
  return status;
}

// Takes back what the modifier did when an exception leaves the scope (the
// modifier outlives the guard: the import's changes keep it once recorded).
class UndoOnThrow {
 public:
  explicit UndoOnThrow(MDGModifier& modifier) : modifier_(modifier), exceptions_(std::uncaught_exceptions()) {}
  UndoOnThrow(const UndoOnThrow&) = delete;
  UndoOnThrow& operator=(const UndoOnThrow&) = delete;
  ~UndoOnThrow() {
    if (std::uncaught_exceptions() > exceptions_) modifier_.undoIt();
  }

 private:
  MDGModifier& modifier_;
  int exceptions_;
};

// Takes back what the modifier did, and says why.
MStatus Abandon(MDGModifier& modifier, const char* why) {
  modifier.undoIt();
  ReportFailure(why);
  return MStatus(MStatus::kFailure);
}

// The UV nodes between the mesh's input and the mesh. One modifier creates
// them and rewires, so that undoing the modifier takes the nodes out (with
// the values they were filled with, for a redo) and gives the mesh its input back.
MStatus SlowMethod(MFnMesh& mesh, const MPlug& source, const MeshUvWork& work, UvImportChanges& changes) {
  cout << "There is construction history, using slow method\n";
  std::unique_ptr<MDGModifier> modifier(new MDGModifier);
  const UndoOnThrow undoOnThrow(*modifier);
  const UvAssignment& assigned = work.assigned;
  const char* failure =
      insertUvHistory(*modifier, mesh, source,
                      {assigned.layout, assigned.faceIds, assigned.vertexIds, work.before, work.uvSet});
  if (failure != nullptr) return Abandon(*modifier, failure);
  changes.addTweak(std::move(modifier));
  return MStatus(MStatus::kSuccess);
}

bool IsImportable(MFnDagNode& dagNode, const MDagPath& path) {
  if (dagNode.isIntermediateObject() || MayaCodes::isSkippedKind(path)) return false;
  if (path.hasFn(MFn::kNurbsSurface)) {
    cerr << "Cannot set UV's for NURBS surfaces" << endl;
    MGlobal::displayWarning("Ombrix Vael UV import: cannot set UV's for NURBS surfaces: " + path.fullPathName());
    return false;
  }
  return path.hasFn(MFn::kMesh);
}

void ReportLoad(const char* path, const CorrespondenceLoadInfo& info) {
  if (!info.truncated) return;
  cerr << "Correspondence file " << path << ": " << info.error << "; importing those" << endl;
  MGlobal::displayWarning(MString("Ombrix Vael UV import: ") + path + ": " + info.error.c_str() +
                          "; importing those");
}

void ReportCounts(const MDagPath& path, int matched, int total) {
  cout << "Polygons affected: " << matched << "    (Total of: " << total << ")" << endl;
  MString text = "Ombrix Vael UV import: " + path.partialPathName() + ": Polygons affected: ";
  text += matched;
  text += " (Total of: ";
  text += total;
  MGlobal::displayInfo(text + ")");
}

// The walk below a selected DAG path: the path, not only its node, so that a
// selected instance matches through its own matrix.
void ImportItem(const UvImportSource& source, const MDagPath& item, MItDag& dag, UvImportChanges& changes) {
  if (dag.reset(item, MItDag::kDepthFirst, MFn::kInvalid) != MStatus::kSuccess) return;
  for (; !dag.isDone(); dag.next()) {
    MDagPath current;
    dag.getPath(current);
    MFnDagNode dagNode(current);
    importMeshUVs(source, dagNode, current, changes);
  }
}

}  // namespace

MStatus replaceMeshUVs(MFnMesh& mesh, const MString& uvSet, const MeshUvArrays& layout, const MeshUvArrays& before) {
  const bool written = writeMeshUVs(mesh, uvSet, layout) == MStatus::kSuccess;
  if (!written) writeMeshUVs(mesh, uvSet, before);
  return MStatus(written ? MStatus::kSuccess : MStatus::kFailure);
}

MStatus importMeshUVs(const UvImportSource& source, MFnDagNode& dagNode, const MDagPath& path,
                      UvImportChanges& changes) {
  if (!IsImportable(dagNode, path)) return MStatus(MStatus::kFailure);
  cerr << "Importing UV's for " << path.fullPathName().asChar() << endl;
  MFnMesh mesh(path);
  MeshUvWork work;
  const bool collected = CollectUVs(source, mesh, path, work);
  ReportCounts(path, work.assigned.matched, mesh.numPolygons());
  if (!collected || work.assigned.matched == 0) {
    changes.addImportedPolygons(path.fullPathName(), 0);
    return MStatus(collected ? MStatus::kSuccess : MStatus::kFailure);
  }
  MPlug input;
  const MStatus written =
      HasInputGeometry(mesh, input) ? SlowMethod(mesh, input, work, changes) : FastMethod(mesh, work, changes);
  changes.addImportedPolygons(path.fullPathName(), written == MStatus::kSuccess ? work.assigned.matched : 0);
  return written;
}

MStatus importUVs() {
  UvImportChanges changes;
  return importUVs(changes);
}

MStatus importUVs(UvImportChanges& changes, const MSelectionList* chosen) {
  const WaitCursorScope waitCursor;
  MSelectionList selection;
  if (chosen != nullptr)
    selection = *chosen;
  else
    MGlobal::getActiveSelectionList(selection);
  MItSelectionList items(selection, MFn::kInvalid);
  MItDag dag(MItDag::kDepthFirst, MFn::kInvalid);
  CorrespondenceTable table;
  char path[kExchangeBufferSize];
  char error[kExchangeBufferSize] = {};
  const ExchangeFailure located = getCorrespondenceFilePath("maya.cor", path, error);
  CorrespondenceLoadInfo info;
  if (!loadCorrespondenceFile(table, path, &info)) {
    MGlobal::displayWarning(MString("Ombrix Vael UV import: no correspondence file to import: ") + path +
                            defaultPathNote(located, error).c_str());
    return MStatus(MStatus::kFailure);
  }
  ReportLoad(path, info);
  ExportRecord record;
  std::string reason;
  const bool recorded = readLastExportRecord(record, reason);
  if (!recorded)
    MGlobal::displayWarning(MString("Ombrix Vael UV import: no usable export record (") + reason.c_str() +
                            "); matching each mesh as it is placed now");
  const RecordedGroupIndex groups(record);
  const UvImportSource source{table, recorded ? &groups : nullptr};
  for (; !items.isDone(); items.next()) {
    MDagPath item;
    // A selected dependency node (a shader, a set) has no subtree to walk.
    if (items.getDagPath(item) == MStatus::kSuccess) ImportItem(source, item, dag, changes);
  }
  cerr << "Finished Importing UV's" << endl;
  return MStatus(MStatus::kSuccess);
}
