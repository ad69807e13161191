#include "Maya/MeshArrays.h"

#include <maya/MFnMesh.h>
#include <maya/MIntArray.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MTypes.h>  // MSpace

#include <cfloat>
#include <cmath>

#include "Maya/MeshUvArrays.h"

namespace {

struct Vector3d {
  double x, y, z;
};

bool fitsFloat(double value) {
  return std::isfinite(value) && std::fabs(value) <= static_cast<double>(FLT_MAX);
}

// p * world as MPoint's product gives x, y and z (the same sums in the same
// order), without a call for every element of the matrix.
Vector3d timesMatrix(const MPoint& p, const MMatrix& world) {
  const double(&m)[4][4] = world.matrix;
  return {p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + p.w * m[3][0],
          p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + p.w * m[3][1],
          p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + p.w * m[3][2]};
}

}  // namespace

WorldPoints worldPoints(const MFnMesh& mesh, const MMatrix& world) {
  MPointArray local;
  mesh.getPoints(local, MSpace::kObject);
  WorldPoints out;
  out.points.resize(local.length());
  out.finite.resize(local.length());
  for (unsigned int i = 0; i < local.length(); ++i) {
    const Vector3d p = timesMatrix(local[i], world);
    out.finite[i] = fitsFloat(p.x) && fitsFloat(p.y) && fitsFloat(p.z);
    if (out.finite[i])
      out.points[i] = Vector3(p.x, p.y, p.z);
  }
  return out;
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
