#pragma once
// The scene export: shading table and materials for the whole scene, then
// one group per mesh shape or NURBS surface reached by the DAG walk (all of
// the scene breadth first, or each selected subtree depth first).
#include <maya/MDagPath.h>
#include <maya/MFnDagNode.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

class HvModel;
struct ExportRecord;
struct ShadingTable;

// selectionFlag 0: all geometry; anything else: the active selection. The
// process-wide shading table is rebuilt and passed on. With a record, it is
// filled with what was exported. With a UV set name, each mesh's UVs are
// read from that set instead of its current one (see exportMesh). Always
// success.
MStatus gatherMayaScene(HvModel& model, int selectionFlag, ExportRecord* record = nullptr,
                        const MString& uvSet = MString());
void exportShape(HvModel& model, const ShadingTable& shading, const MFnDagNode& dagNode, const MDagPath& path,
                 ExportRecord* record = nullptr, const MString& uvSet = MString());
