#pragma once
// The export record filled from the scene as the export reads it: one group
// per mesh exported, then the scene, the time and the materials.
#include <maya/MDagPath.h>
#include <maya/MMatrix.h>
#include <maya/MString.h>

#include <vector>

#include "Exchange/ExportRecord.h"

class HvModel;
class MFnMesh;
struct PolygonArrays;
struct ShadingTable;

// The mesh as exported: `placement` gives the DAG path and the UUID of its
// node, `world` its world matrix; `arrays` the counts and the topology,
// `objectPoints` (x, y, z of each vertex in the mesh's own space) the points'
// digest: what the export has already read, not read again.
RecordedGroup recordGroup(const MFnMesh& mesh, const PolygonArrays& arrays, const std::vector<double>& objectPoints,
                          const MString& groupName, const MDagPath& placement, const MMatrix& world,
                          const MString& uvSet);
// The scene file, the time and frame of the export, and every material of the
// model (the entries of `shading`) with its shading group, shader and texture
// files.
void recordSceneAndMaterials(HvModel& model, const ShadingTable& shading, ExportRecord& record);
