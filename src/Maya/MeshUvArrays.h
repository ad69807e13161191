#pragma once
// The whole UV layout of one UV set of a mesh, as getUVs/getAssignedUVs
// answer it and setUVs/assignUVs take it, held in plain arrays; and Maya's
// arrays to plain ones and back.
#include <maya/MFloatArray.h>
#include <maya/MIntArray.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <vector>

#include "Model3D/PolygonArrays.h"

class MFnMesh;

std::vector<int> plainArray(const MIntArray& array);
std::vector<float> plainArray(const MFloatArray& array);
MIntArray mayaArray(const std::vector<int>& array);
MFloatArray mayaArray(const std::vector<float>& array);

// True when the mesh has a UV set of that name.
bool hasUvSet(const MFnMesh& mesh, const MString& uvSet);
// False when Maya cannot answer the set's UVs or their assignment.
bool readMeshUVs(const MFnMesh& mesh, const MString& uvSet, MeshUvArrays& layout);
// Clears the set and writes `layout`; failure when Maya refuses the values
// or the assignment (the set is then left as Maya left it).
MStatus writeMeshUVs(MFnMesh& mesh, const MString& uvSet, const MeshUvArrays& layout);
