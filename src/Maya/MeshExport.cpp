#include "Maya/MeshExport.h"

#include <maya/MFloatArray.h>
#include <maya/MFnMesh.h>
#include <maya/MIOStream.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MTypes.h>  // MSpace
#include <maya/MString.h>

#include <cfloat>
#include <cmath>
#include <vector>

#include "Maya/PolygonMaterial.h"
#include "Model3D/HvModel.h"
#include "Model3D/PolygonDesc.h"

namespace {

struct WorldPoints {
  std::vector<Vector3> points;
  std::vector<bool> finite;
};

bool fitsFloat(double value) {
  return std::isfinite(value) && std::fabs(value) <= static_cast<double>(FLT_MAX);
}

// Every vertex once, in world space, converted to f32 as the model stores it;
// a point that f32 cannot hold (NaN, infinite, too large) is marked unsound.
WorldPoints worldPoints(const MFnMesh& mesh, const MMatrix& world) {
  MPointArray local;
  mesh.getPoints(local, MSpace::kPostTransform);
  WorldPoints out;
  out.points.resize(local.length());
  out.finite.resize(local.length());
  for (unsigned int i = 0; i < local.length(); ++i) {
    const MPoint p = local[i] * world;
    out.finite[i] = fitsFloat(p.x) && fitsFloat(p.y) && fitsFloat(p.z);
    if (out.finite[i])
      out.points[i] = Vector3(p.x, p.y, p.z);
  }
  return out;
}

// Corner positions of the current polygon; false when a corner has no sound point.
bool setCorners(MItMeshPolygon& polygon, const WorldPoints& world, PolygonDesc& desc) {
  for (int i = 0; i < desc.count; ++i) {
    const auto vertex = static_cast<size_t>(static_cast<int>(polygon.vertexIndex(i)));
    if (vertex >= world.points.size() || !world.finite[vertex])
      return false;
    desc.positions[i] = world.points[vertex];
  }
  return true;
}

void setUVs(MItMeshPolygon& polygon, const MString& uvSet, PolygonDesc& desc, MFloatArray& u, MFloatArray& v) {
  const bool has = polygon.hasUVs(uvSet) && polygon.getUVs(u, v, &uvSet) &&
                   u.length() >= static_cast<unsigned int>(desc.count) &&
                   v.length() >= static_cast<unsigned int>(desc.count);
  for (int i = 0; i < desc.count; ++i) {
    // A polygon without UVs gets (0, 0), not what an earlier polygon left.
    desc.u[i] = has ? u[static_cast<unsigned int>(i)] : 0.0f;
    desc.v[i] = has ? static_cast<float>(1.0 - static_cast<double>(v[static_cast<unsigned int>(i)])) : 0.0f;
  }
}

}  // namespace

MStatus exportMesh(HvModel& model, const MDagPath& geometryPath, const MDagPath& namingPath) {
  MFnMesh mesh(geometryPath);
  const MString nodeName = mesh.name();
  MString uvSet;
  mesh.getCurrentUVSetName(uvSet);

  const int group = model.GroupCount();
  model.SetCurrentGroup(group);
  model.SetGroupName(group, nodeName.asChar());

  const WorldPoints world = worldPoints(mesh, namingPath.inclusiveMatrix());
  const MeshShading shading(namingPath.fullPathName(), namingPath.partialPathName(), mesh.numPolygons());
  int badFaces = 0;
  int unsoundFaces = 0;
  PolygonDesc desc;
  MFloatArray u, v;
  for (MItMeshPolygon polygon(geometryPath); !polygon.isDone(); polygon.next()) {
    const int entry = shading.entry(static_cast<int>(polygon.index()));
    const int n = static_cast<int>(polygon.polygonVertexCount());
    if (n < 3)
      ++badFaces;
    if (!desc.Resize(n < 0 ? 0 : n))
      continue;
    if (!setCorners(polygon, world, desc)) {
      ++unsoundFaces;
      continue;
    }
    setUVs(polygon, uvSet, desc, u, v);
    desc.material = entry >= 0 ? model.Material(entry, false) : nullptr;
    model.AddPolygon(desc);
  }
  if (badFaces > 0)
    cerr << badFaces << " non tri/quad face found. Some faces may be missing." << endl;
  if (unsoundFaces > 0)
    cerr << unsoundFaces << " face(s) of " << nodeName << " with invalid points left out." << endl;
  // Only the new group: every group gets this treatment exactly once.
  model.SetEdgeSmoothness(0.5, true);
  model.ComputeCornerNormals(0.4);
  return MStatus::kSuccess;
}
