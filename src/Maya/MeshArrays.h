#pragma once
// A Maya mesh read in one go into plain arrays for a pass over its polygons:
// the vertices once in world space, and the polygons' vertex counts, indices
// and UVs as whole arrays (what MItMeshPolygon would give face by face,
// without a call per face or corner). Shared by the export and the UV import.
#include <maya/MString.h>

#include <vector>

#include "Model3D/PolygonArrays.h"

class MFnMesh;
class MMatrix;

// Every vertex of the mesh times `world`, once.
WorldPoints worldPoints(const MFnMesh& mesh, const MMatrix& world);
// The vertices in the mesh's own space: x, y, z of each.
std::vector<double> objectPoints(const MFnMesh& mesh);

// The vertex counts and indices, and the UV set's layout (left empty when
// Maya cannot answer it).
PolygonArrays readMeshArrays(const MFnMesh& mesh, const MString& uvSet);
