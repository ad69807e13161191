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

#include <exception>
#include <memory>
#include <utility>

#include "IO/CorrespondenceTable.h"
#include "Maya/ExchangePaths.h"
#include "Maya/MayaCodes.h"
#include "Maya/MeshArrays.h"
#include "Maya/UvHistoryNodes.h"
#include "Maya/UvImportChanges.h"
#include "Maya/WaitCursor.h"
#include "Model3D/PolygonDesc.h"

namespace {

// Per face-vertex, in polygon then corner order, with the distinct UVs.
struct MeshUvWork {
  MeshUvArrays layout;
  MeshUvArrays before;  // the current UV set as read for the pass
  MIntArray faceIds, vertexIds;
  UvKeyIndex keys;
  int matched = 0;
};

// How far ahead of the polygon being matched the walk asks the table.
constexpr int kPolygonsAhead = 4;

float Unflip(float v) { return static_cast<float>(1.0 - static_cast<double>(v)); }

// Reads the polygon at `at` into desc: world-space corners and their current
// UVs ((0, 0) where the polygon has none). False when a corner has no sound
// point: such a polygon matches no record.
bool DescribePolygon(const MeshArrays& arrays, const WorldPoints& world, const PolygonCursor& at,
                     PolygonDesc& desc) {
  if (!desc.Resize(polygonSize(arrays, at)) || !cornersInRange(arrays, at, desc.count)) desc.Resize(0);
  const bool mapped = hasUVs(arrays, at, desc.count);
  bool sound = true;
  for (int k = 0; k < desc.count; ++k) {
    const auto vertex = static_cast<size_t>(arrays.connects[at.corner + static_cast<unsigned>(k)]);
    const bool known = vertex < world.points.size() && world.finite[vertex];
    sound = sound && known;
    desc.positions[k] = known ? world.points[vertex] : Vector3();
    const unsigned id = mapped ? static_cast<unsigned>(arrays.uv.uvIds[at.uvCorner + static_cast<unsigned>(k)]) : 0;
    desc.u[k] = mapped ? arrays.uv.us[id] : 0.0f;
    desc.v[k] = mapped ? arrays.uv.vs[id] : 0.0f;
  }
  return sound;
}

// Asks the table ahead for the polygon at `at` (when it has three corners
// with points), so that its lookup finds the slot cached.
void PrefetchPolygon(const CorrespondenceTable& table, const MeshArrays& arrays, const WorldPoints& world,
                     const PolygonCursor& at) {
  if (at.face >= arrays.counts.length() || polygonSize(arrays, at) < 3 || !cornersInRange(arrays, at, 3)) return;
  Vector3 corners[3];
  for (unsigned k = 0; k < 3; ++k) {
    const auto vertex = static_cast<size_t>(arrays.connects[at.corner + k]);
    if (vertex >= world.points.size()) return;
    corners[k] = world.points[vertex];
  }
  prefetchCorrespondence(table, corners);
}

// Corner k >= 3 of a matched polygon: corner 2 of the fan triangle
// (corner 0, corner k - 1, corner k) when the file holds it.
const CorrespondenceRecord* FanRecord(const CorrespondenceTable& table, const PolygonDesc& desc, int k,
                                      PolygonDesc& fan) {
  fan.Resize(3);
  fan.positions[0] = desc.positions[0];
  fan.positions[1] = desc.positions[k - 1];
  fan.positions[2] = desc.positions[k];
  return findCorrespondence(table, fan);
}

void AddFaceVertex(MeshUvWork& work, const PolygonDesc& desc, int p, int k, int vertex, float u, float v) {
  const float key[5] = {desc.positions[k].x, desc.positions[k].y, desc.positions[k].z, u, v};
  int j = findUvEntry(key, work.keys);
  if (j < 0) {
    j = static_cast<int>(work.layout.us.length());
    work.layout.us.append(u);
    work.layout.vs.append(v);
    work.keys.FindOrInsert(key, j);
  }
  work.layout.uvIds.append(j);
  work.faceIds.append(p);
  work.vertexIds.append(vertex);
}

void CollectUVs(const CorrespondenceTable& table, MFnMesh& mesh, const MDagPath& path, MeshUvWork& work) {
  const WorldPoints world = worldPoints(mesh, path.inclusiveMatrix());
  MeshArrays arrays(mesh, mesh.currentUVSetName());
  work.layout.uvCounts.setLength(arrays.counts.length());
  PolygonDesc desc, fan;
  PolygonCursor ahead;
  for (int k = 0; k < kPolygonsAhead && ahead.face < arrays.counts.length(); ++k) advance(arrays, ahead);
  for (PolygonCursor at; at.face < arrays.counts.length(); advance(arrays, at)) {
    const int p = static_cast<int>(at.face);
    PrefetchPolygon(table, arrays, world, ahead);
    if (ahead.face < arrays.counts.length()) advance(arrays, ahead);
    const bool sound = DescribePolygon(arrays, world, at, desc);
    const CorrespondenceRecord* record = sound ? findCorrespondence(table, desc) : nullptr;
    if (record != nullptr) ++work.matched;
    work.layout.uvCounts[at.face] = desc.count;
    for (int k = 0; k < desc.count; ++k) {
      float u = desc.u[k], v = desc.v[k];
      const CorrespondenceRecord* source = record;
      int corner = k;
      if (record != nullptr && k >= 3) {
        source = FanRecord(table, desc, k, fan);
        corner = 2;
      }
      if (source != nullptr) {
        u = source->corner[corner].u;
        v = Unflip(source->corner[corner].v);
      }
      AddFaceVertex(work, desc, p, k, arrays.connects[at.corner + static_cast<unsigned>(k)], u, v);
    }
  }
  work.before = std::move(arrays.uv);
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
  const MStatus status = replaceMeshUVs(mesh, work.layout, work.before);
  if (status != MStatus::kSuccess) {
    ReportFailure("Couldn't assign UV's to surface");
  } else {
    // Recorded from a copy: should the record fail, the mesh gets its layout back.
    try {
      changes.addReplacedLayout(mesh.object(), mesh.currentUVSetName(), work.before, work.layout);
    } catch (...) {
      writeMeshUVs(mesh, mesh.currentUVSetName(), work.before);
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
  const char* failure = insertUvHistory(*modifier, mesh, source, {work.layout, work.faceIds, work.vertexIds, work.before});
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
void ImportItem(const CorrespondenceTable& table, const MDagPath& item, MItDag& dag, UvImportChanges& changes) {
  if (dag.reset(item, MItDag::kDepthFirst, MFn::kInvalid) != MStatus::kSuccess) return;
  for (; !dag.isDone(); dag.next()) {
    MDagPath current;
    dag.getPath(current);
    MFnDagNode dagNode(current);
    importMeshUVs(table, dagNode, current, changes);
  }
}

}  // namespace

int findUvEntry(const float key[5], const UvKeyIndex& keys) { return keys.Find(key); }

MStatus replaceMeshUVs(MFnMesh& mesh, const MeshUvArrays& layout, const MeshUvArrays& before) {
  const MString uvSet = mesh.currentUVSetName();
  const bool written = writeMeshUVs(mesh, uvSet, layout) == MStatus::kSuccess;
  if (!written) writeMeshUVs(mesh, uvSet, before);
  return MStatus(written ? MStatus::kSuccess : MStatus::kFailure);
}

MStatus importMeshUVs(const CorrespondenceTable& table, MFnDagNode& dagNode, const MDagPath& path,
                      UvImportChanges& changes) {
  if (!IsImportable(dagNode, path)) return MStatus(MStatus::kFailure);
  cerr << "Importing UV's for " << path.fullPathName().asChar() << endl;
  MFnMesh mesh(path);
  MeshUvWork work;
  CollectUVs(table, mesh, path, work);
  ReportCounts(path, work.matched, mesh.numPolygons());
  if (work.matched == 0) return MStatus(MStatus::kSuccess);
  MPlug source;
  const MStatus written =
      HasInputGeometry(mesh, source) ? SlowMethod(mesh, source, work, changes) : FastMethod(mesh, work, changes);
  if (written == MStatus::kSuccess) changes.addImportedPolygons(work.matched);
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
  getCorrespondenceFilePath("maya.cor", path, nullptr);
  CorrespondenceLoadInfo info;
  if (!loadCorrespondenceFile(table, path, &info)) {
    MGlobal::displayWarning(MString("Ombrix Vael UV import: no correspondence file to import: ") + path);
    return MStatus(MStatus::kFailure);
  }
  ReportLoad(path, info);
  for (; !items.isDone(); items.next()) {
    MDagPath item;
    // A selected dependency node (a shader, a set) has no subtree to walk.
    if (items.getDagPath(item) == MStatus::kSuccess) ImportItem(table, item, dag, changes);
  }
  cerr << "Finished Importing UV's" << endl;
  return MStatus(MStatus::kSuccess);
}
