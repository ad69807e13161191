#pragma once
// One Maya polygon mesh as one new group of the model: world-space corners,
// the current UV set with v flipped, and each polygon's material.
#include <maya/MDagPath.h>
#include <maya/MStatus.h>

class HvModel;

// geometryPath: the mesh that is read (the group is named after its node);
// namingPath: world matrix and shading lookup (the same path for a mesh
// shape, the NURBS surface for a tessellated one). Always success.
MStatus exportMesh(HvModel& model, const MDagPath& geometryPath, const MDagPath& namingPath);
