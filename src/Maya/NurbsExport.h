#pragma once
// A NURBS surface exported through a triangle mesh that Maya tessellates with
// the user's NURBS-to-polygons preferences into mesh data: no node is created,
// the scene stays as it was.
#include <maya/MDagPath.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTesselationParams.h>

class HvModel;
struct ExportRecord;
struct ShadingTable;

// Failure when the tessellation yields no mesh (nothing is added then). The
// group is named as Maya would have named a temporary mesh shape in the
// scene: the first free "polySurfaceShapeN".
MStatus tessellateNurbs(HvModel& model, const ShadingTable& shading, const MDagPath& nurbsPath,
                        ExportRecord* record = nullptr);
// The 15 "nurbsToPolygonsPref -q" values into the settings, triangles forced.
void applyTessellationPrefs(MTesselationParams& settings);
MString temporaryMeshName();
