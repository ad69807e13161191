#pragma once
// The whole UV layout of one UV set of a mesh, as getUVs/getAssignedUVs
// answer it and setUVs/assignUVs take it.
#include <maya/MFloatArray.h>
#include <maya/MIntArray.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

class MFnMesh;

struct MeshUvArrays {
  MIntArray uvCounts, uvIds;
  MFloatArray us, vs;
};

// False when Maya cannot answer the set's UVs or their assignment.
bool readMeshUVs(const MFnMesh& mesh, const MString& uvSet, MeshUvArrays& layout);
// Clears the set and writes `layout`; failure when Maya refuses the values
// or the assignment (the set is then left as Maya left it).
MStatus writeMeshUVs(MFnMesh& mesh, const MString& uvSet, const MeshUvArrays& layout);
