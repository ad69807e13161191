#include "Maya/MeshArrays.h"

#include <maya/MFnMesh.h>
#include <maya/MIntArray.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MTypes.h>  // MSpace

#include <vector>

#include "Maya/MeshUvArrays.h"

WorldPoints worldPoints(const MFnMesh& mesh, const MMatrix& world) {
  return placePoints(objectPoints(mesh), &world.matrix[0][0]);
}

std::vector<double> objectPoints(const MFnMesh& mesh) {
  MPointArray local;
  mesh.getPoints(local, MSpace::kObject);
  std::vector<double> xyz(static_cast<size_t>(local.length()) * 3);
  for (unsigned int i = 0; i < local.length(); ++i) {
    xyz[3 * i] = local[i].x;
    xyz[3 * i + 1] = local[i].y;
    xyz[3 * i + 2] = local[i].z;
  }
  return xyz;
}

PolygonArrays readMeshArrays(const MFnMesh& mesh, const MString& uvSet) {
  PolygonArrays arrays;
  MIntArray counts, connects;
  mesh.getVertices(counts, connects);
  arrays.counts = plainArray(counts);
  arrays.connects = plainArray(connects);
  if (!readMeshUVs(mesh, uvSet, arrays.uv))
    arrays.uv.uvCounts.clear();
  return arrays;
}
