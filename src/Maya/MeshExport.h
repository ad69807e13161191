#pragma once
// One Maya polygon mesh as one new group of the model: the mesh read into
// plain arrays (world-space points, vertex and UV arrays of the current UV
// set, each polygon's shading entry) and handed to the export's core.
#include <maya/MDagPath.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

class MFnMesh;

class HvModel;
struct ExportRecord;
struct ShadingTable;

// mesh: the mesh that is read; groupName: the group's name (the mesh node's
// for a mesh shape); placement: world matrix and shading lookup in `shading`
// (the mesh's own path, or the NURBS surface's for a tessellated one).
// Always success. With a record, the mesh is also added to its groups.
// uvSet: the UV set to read; "" or a set the mesh lacks (a warning says so)
// reads its current one.
MStatus exportMesh(HvModel& model, const ShadingTable& shading, const MFnMesh& mesh, const MString& groupName,
                   const MDagPath& placement, ExportRecord* record = nullptr, const MString& uvSet = MString());
// A mesh shape: read through its path, the group named after its node.
MStatus exportMesh(HvModel& model, const ShadingTable& shading, const MDagPath& meshPath,
                   ExportRecord* record = nullptr, const MString& uvSet = MString());
