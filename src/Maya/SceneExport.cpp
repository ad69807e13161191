#include "Maya/SceneExport.h"

#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <maya/MFnDagNode.h>
#include <maya/MGlobal.h>
#include <maya/MItDag.h>
#include <maya/MItSelectionList.h>
#include <maya/MObject.h>
#include <maya/MSelectionList.h>

#include "Maya/MaterialTranslation.h"
#include "Maya/MayaCodes.h"
#include "Maya/MeshExport.h"
#include "Maya/NurbsExport.h"
#include "Maya/RecordBuilder.h"
#include "Maya/ShadingTable.h"

namespace {

// Every path of the iterator's walk, in its order.
void exportWalk(HvModel& model, const ShadingTable& shading, MItDag& dag, ExportRecord* record,
                const MString& uvSet) {
  for (; !dag.isDone(); dag.next()) {
    MDagPath path;
    dag.getPath(path);
    MFnDagNode node(path);
    exportShape(model, shading, node, path, record, uvSet);
  }
}

void exportSelection(HvModel& model, const ShadingTable& shading, ExportRecord* record, const MString& uvSet) {
  MSelectionList selection;
  MGlobal::getActiveSelectionList(selection);
  MItDag dag(MItDag::kDepthFirst, MFn::kInvalid);
  for (MItSelectionList item(selection, MFn::kInvalid); !item.isDone(); item.next()) {
    MDagPath path;
    // A selected dependency node (a shader, a set) has no subtree to walk.
    if (!item.getDagPath(path))
      continue;
    // The path, not only its node: a selected instance keeps its own place.
    dag.reset(path, MItDag::kDepthFirst, MFn::kInvalid);
    exportWalk(model, shading, dag, record, uvSet);
  }
}

}  // namespace

void exportShape(HvModel& model, const ShadingTable& shading, const MFnDagNode& dagNode, const MDagPath& path,
                 ExportRecord* record, const MString& uvSet) {
  if (dagNode.isIntermediateObject())
    return;
  if (MayaCodes::isSkippedKind(path))
    return;
  if (path.hasFn(MFn::kMesh)) {
    exportMesh(model, shading, path, record, uvSet);
  } else if (path.hasFn(MFn::kNurbsSurface)) {
    // A surface has no UV sets: its tessellation's UVs are its parameters.
    if (uvSet.length() > 0)
      MGlobal::displayWarning("Ombrix Vael export: " + path.partialPathName() + ": a NURBS surface has no UV set \"" +
                              uvSet + "\"; the UVs of its surface parameters are exported");
    tessellateNurbs(model, shading, path, record);
  }
}

MStatus gatherMayaScene(HvModel& model, int selectionFlag, ExportRecord* record, const MString& uvSet) {
  ShadingTable& shading = shadingTable();
  buildShadingTable(shading);
  translateMaterials(model, shading);
  if (selectionFlag == 0) {
    MItDag dag(MItDag::kBreadthFirst, MFn::kInvalid);
    exportWalk(model, shading, dag, record, uvSet);
  } else {
    exportSelection(model, shading, record, uvSet);
  }
  if (record != nullptr)
    recordSceneAndMaterials(model, shading, *record);
  return MStatus::kSuccess;
}
