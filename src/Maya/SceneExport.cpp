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
void exportWalk(HvModel& model, MItDag& dag, ExportRecord* record) {
  for (; !dag.isDone(); dag.next()) {
    MDagPath path;
    dag.getPath(path);
    MFnDagNode node(path);
    exportShape(model, node, path, record);
  }
}

void exportSelection(HvModel& model, ExportRecord* record) {
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
    exportWalk(model, dag, record);
  }
}

}  // namespace

void exportShape(HvModel& model, const MFnDagNode& dagNode, const MDagPath& path, ExportRecord* record) {
  if (dagNode.isIntermediateObject())
    return;
  if (MayaCodes::isSkippedKind(path))
    return;
  if (path.hasFn(MFn::kMesh))
    exportMesh(model, path, record);
  else if (path.hasFn(MFn::kNurbsSurface))
    tessellateNurbs(model, path, record);
}

MStatus gatherMayaScene(HvModel& model, int selectionFlag, ExportRecord* record) {
  buildShadingTable();
  translateMaterials(model);
  if (selectionFlag == 0) {
    MItDag dag(MItDag::kBreadthFirst, MFn::kInvalid);
    exportWalk(model, dag, record);
  } else {
    exportSelection(model, record);
  }
  if (record != nullptr)
    recordSceneAndMaterials(model, *record);
  return MStatus::kSuccess;
}
