#include "Maya/MayaImportUVs.h"

#include <maya/MDGModifier.h>
#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <maya/MFnCompoundAttribute.h>
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
#include <maya/MStringArray.h>

#include "IO/CorrespondenceTable.h"
#include "Maya/ExchangePaths.h"
#include "Maya/MayaCodes.h"
#include "Maya/MeshArrays.h"
#include "Model3D/PolygonDesc.h"

namespace {

// A further DAG kind passed over like every other non-mesh path; only its
// number is known (API version "400").
constexpr MFn::Type kSkippedKind292 = static_cast<MFn::Type>(292);

// Per face-vertex, in polygon then corner order, with the distinct UVs.
struct MeshUvWork {
  MeshUvArrays layout;
  MIntArray faceIds, vertexIds;
  UvKeyIndex keys;
  int matched = 0;
};

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
    const unsigned id = mapped ? static_cast<unsigned>(arrays.uvIds[at.uvCorner + static_cast<unsigned>(k)]) : 0;
    desc.u[k] = mapped ? arrays.us[id] : 0.0f;
    desc.v[k] = mapped ? arrays.vs[id] : 0.0f;
  }
  return sound;
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
  const MeshArrays arrays(mesh, mesh.currentUVSetName());
  work.layout.uvCounts.setLength(arrays.counts.length());
  PolygonDesc desc, fan;
  for (PolygonCursor at; at.face < arrays.counts.length(); advance(arrays, at)) {
    const int p = static_cast<int>(at.face);
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
}

bool HasHistory(const MDagPath& path) {
  MStringArray history;
  MGlobal::executeCommand("listHistory " + path.partialPathName(), history, false, false);
  return history.length() > 1;
}

MStatus FastMethod(MFnMesh& mesh, const MeshUvArrays& layout) {
  cout << "There is no construction history, using fast method\n";
  const MStatus status = replaceMeshUVs(mesh, layout);
  if (status != MStatus::kSuccess) cerr << "Couldn't assign UV's to surface" << endl;
  mesh.updateSurface();
  return status;
}

// The new polyTweakUV node, or a null object when it could not be made.
MObject CreateTweakNode() {
  MStringArray created;
  MGlobal::executeCommand("createNode(\"polyTweakUV\")", created, false, false);
  MObject node;
  MSelectionList list;
  if (created.length() == 0 || list.add(created[0]) != MStatus::kSuccess) return node;
  list.getDependNode(0, node);
  return node;
}

void DeleteNode(MObject node) {
  MDGModifier remove;
  remove.deleteNode(node);
  remove.doIt();
}

// Fills newUV: element i gets face-vertex i's face, vertex, u and v. The four
// child plugs are made once and moved from element to element.
bool FillTweak(MFnDependencyNode& tweak, const MeshUvWork& work) {
  MPlug plug = tweak.findPlug("newUV", true);
  if (!plug.isArray()) return true;
  const MObject newUV = plug.attribute();
  MPlug element = plug.elementByLogicalIndex(0);
  MFnCompoundAttribute children(newUV);
  MPlug child[4];
  for (unsigned c = 0; c < 4; ++c) {
    MObject attribute = children.child(c);
    child[c] = element.child(attribute);
  }
  bool ok = true;
  const MeshUvArrays& layout = work.layout;
  for (unsigned i = 0; ok && i < layout.uvIds.length(); ++i) {
    const unsigned uv = static_cast<unsigned>(layout.uvIds[i]);
    for (unsigned c = 0; ok && c < 4; ++c)
      ok = child[c].selectAncestorLogicalIndex(i, newUV) == MStatus::kSuccess;
    ok = ok && child[0].setValue(work.faceIds[i]) == MStatus::kSuccess &&
         child[1].setValue(work.vertexIds[i]) == MStatus::kSuccess &&
         child[2].setValue(layout.us[uv]) == MStatus::kSuccess &&
         child[3].setValue(layout.vs[uv]) == MStatus::kSuccess;
  }
  return ok;
}

// Puts the tweak node between the mesh's input and the mesh; on a failed
// rewiring the former connection is restored.
bool WireTweak(MFnMesh& mesh, MFnDependencyNode& tweak) {
  MPlug inMesh = mesh.findPlug("inMesh", true);
  MPlugArray sources;
  if (!inMesh.connectedTo(sources, true, false) || sources.length() == 0) return true;
  MDGModifier modifier;
  modifier.disconnect(sources[0], inMesh);
  modifier.connect(sources[0], tweak.findPlug("inputPolymesh", true));
  modifier.connect(tweak.findPlug("output", true), inMesh);
  if (modifier.doIt() == MStatus::kSuccess) return true;
  modifier.undoIt();
  return false;
}

MStatus SlowMethod(MFnMesh& mesh, const MeshUvWork& work) {
  cout << "There is construction history, using slow method\n";
  MObject node = CreateTweakNode();
  if (node.isNull()) {
    cerr << "Logic Error" << endl;
    return MStatus(MStatus::kFailure);
  }
  MFnDependencyNode tweak(node);
  MFnCompoundAttribute newUV(tweak.attribute("newUV"));
  if (newUV.numChildren() == 0) {
    cerr << "Logic Error" << endl;
    return MStatus(MStatus::kFailure);
  }
  if (!FillTweak(tweak, work)) {
    cerr << "Couldn't fill the UV tweak node; the mesh is left as it was" << endl;
    DeleteNode(node);
    return MStatus(MStatus::kFailure);
  }
  if (!WireTweak(mesh, tweak)) {
    cerr << "Couldn't connect the UV tweak node; the mesh is left as it was" << endl;
    DeleteNode(node);
    return MStatus(MStatus::kFailure);
  }
  return MStatus(MStatus::kSuccess);
}

bool IsImportable(MFnDagNode& dagNode, const MDagPath& path) {
  if (dagNode.isIntermediateObject() || path.hasFn(MayaCodes::kSkippedKindA)) return false;
  if (path.hasFn(MFn::kNurbsSurface)) {
    cerr << "Cannot set UV's for NURBS surfaces" << endl;
    return false;
  }
  return !path.hasFn(kSkippedKind292) && path.hasFn(MFn::kMesh);
}

void ReportLoad(const char* path, const CorrespondenceLoadInfo& info) {
  if (info.truncated) cerr << "Correspondence file " << path << ": " << info.error << "; importing those" << endl;
}

}  // namespace

int findUvEntry(const float key[5], const UvKeyIndex& keys) { return keys.Find(key); }

MStatus replaceMeshUVs(MFnMesh& mesh, const MeshUvArrays& layout) {
  const MString uvSet = mesh.currentUVSetName();
  MeshUvArrays previous;
  mesh.getUVs(previous.us, previous.vs, &uvSet);
  mesh.getAssignedUVs(previous.uvCounts, previous.uvIds, &uvSet);
  mesh.clearUVs(&uvSet);
  if (mesh.setUVs(layout.us, layout.vs, &uvSet) == MStatus::kSuccess &&
      mesh.assignUVs(layout.uvCounts, layout.uvIds, &uvSet) == MStatus::kSuccess)
    return MStatus(MStatus::kSuccess);
  mesh.clearUVs(&uvSet);
  mesh.setUVs(previous.us, previous.vs, &uvSet);
  mesh.assignUVs(previous.uvCounts, previous.uvIds, &uvSet);
  return MStatus(MStatus::kFailure);
}

MStatus importMeshUVs(const CorrespondenceTable& table, MFnDagNode& dagNode, const MDagPath& path) {
  if (!IsImportable(dagNode, path)) return MStatus(MStatus::kFailure);
  cerr << "Importing UV's for " << path.fullPathName().asChar() << endl;
  MFnMesh mesh(path);
  MeshUvWork work;
  CollectUVs(table, mesh, path, work);
  cout << "Polygons affected: " << work.matched << "    (Total of: " << mesh.numPolygons() << ")" << endl;
  if (work.matched == 0) return MStatus(MStatus::kSuccess);
  if (!HasHistory(path)) return FastMethod(mesh, work.layout);
  return SlowMethod(mesh, work);
}

MStatus importUVs() {
  MGlobal::executeCommand("waitCursor -state on;", false, false);
  MSelectionList selection;
  MGlobal::getActiveSelectionList(selection);
  MItSelectionList items(selection, MFn::kInvalid);
  MItDag dag(MItDag::kDepthFirst, MFn::kInvalid);
  CorrespondenceTable table;
  char path[kExchangeBufferSize];
  getCorrespondenceFilePath("maya.cor", path, nullptr);
  CorrespondenceLoadInfo info;
  if (!loadCorrespondenceFile(table, path, &info)) {
    MGlobal::executeCommand("waitCursor -state off;", false, false);
    return MStatus(MStatus::kFailure);
  }
  ReportLoad(path, info);
  for (; !items.isDone(); items.next()) {
    MObject item;
    // An item that is no DAG node has no subtree: the walk must not run
    // over the previous item's again.
    if (items.getDependNode(item) != MStatus::kSuccess ||
        dag.reset(item, MItDag::kDepthFirst, MFn::kInvalid) != MStatus::kSuccess)
      continue;
    for (; !dag.isDone(); dag.next()) {
      MDagPath current;
      dag.getPath(current);
      MFnDagNode dagNode(current);
      importMeshUVs(table, dagNode, current);
    }
  }
  cerr << "Finished Importing UV's" << endl;
  MGlobal::executeCommand("waitCursor -state off;", false, false);
  return MStatus(MStatus::kSuccess);
}
