#pragma once
// One Maya polygon mesh as one new group of the model: world-space corners,
// the current UV set with v flipped, and each polygon's material.
#include <maya/MDagPath.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

class MFnMesh;

class HvModel;
struct ExportRecord;

// mesh: the mesh that is read; groupName: the group's name (the mesh node's
// for a mesh shape); placement: world matrix and shading lookup (the mesh's
// own path, or the NURBS surface's for a tessellated one). Always success.
// With a record, the mesh is also added to its groups.
MStatus exportMesh(HvModel& model, const MFnMesh& mesh, const MString& groupName, const MDagPath& placement,
                   ExportRecord* record = nullptr);
// A mesh shape: read through its path, the group named after its node.
MStatus exportMesh(HvModel& model, const MDagPath& meshPath, ExportRecord* record = nullptr);
