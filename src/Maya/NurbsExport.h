#pragma once
// A NURBS surface exported through a temporary triangle mesh that Maya
// tessellates with the user's NURBS-to-polygons preferences.
#include <maya/MDagPath.h>
#include <maya/MStatus.h>
#include <maya/MTesselationParams.h>

class HvModel;

// Failure when the tessellation yields no mesh (nothing is added then).
// The temporary result never stays in the scene.
MStatus tessellateNurbs(HvModel& model, const MDagPath& nurbsPath);
// The 15 "nurbsToPolygonsPref -q" values into the settings, triangles forced.
void applyTessellationPrefs(MTesselationParams& settings);
