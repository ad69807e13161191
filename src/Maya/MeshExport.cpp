#include "Maya/MeshExport.h"

#include <maya/MFloatArray.h>
#include <maya/MFnMesh.h>
#include <maya/MIOStream.h>
#include <maya/MIntArray.h>
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

// The polygons of a mesh read in one go: vertex counts and indices, and the
// UV set's assigned ids and values (what MItMeshPolygon would give face by
// face, without a call per face).
struct MeshArrays {
  MIntArray counts, connects;
  MIntArray uvCounts, uvIds;
  MFloatArray us, vs;

  MeshArrays(const MFnMesh& mesh, const MString& uvSet) {
    mesh.getVertices(counts, connects);
    if (!mesh.getAssignedUVs(uvCounts, uvIds, &uvSet) || !mesh.getUVs(us, vs, &uvSet))
      uvCounts.clear();
  }
};

// One polygon's place in the arrays, moved on face by face.
struct PolygonCursor {
  unsigned int face = 0;
  unsigned int corner = 0;    // first index of the face in connects
  unsigned int uvCorner = 0;  // first id of the face in uvIds
};

// Corner positions of the polygon; false when a corner has no sound point.
bool setCorners(const MeshArrays& arrays, const PolygonCursor& at, const WorldPoints& world, PolygonDesc& desc) {
  if (static_cast<size_t>(at.corner) + static_cast<size_t>(desc.count) > arrays.connects.length())
    return false;
  for (int i = 0; i < desc.count; ++i) {
    const auto vertex = static_cast<size_t>(arrays.connects[at.corner + static_cast<unsigned int>(i)]);
    if (vertex >= world.points.size() || !world.finite[vertex])
      return false;
    desc.positions[i] = world.points[vertex];
  }
  return true;
}

// True when every corner of the polygon has a UV of the set.
bool hasUVs(const MeshArrays& arrays, const PolygonCursor& at, int count) {
  if (at.face >= arrays.uvCounts.length() || arrays.uvCounts[at.face] != count ||
      static_cast<size_t>(at.uvCorner) + static_cast<size_t>(count) > arrays.uvIds.length())
    return false;
  for (unsigned int i = 0; i < static_cast<unsigned int>(count); ++i) {
    const int id = arrays.uvIds[at.uvCorner + i];
    if (id < 0 || static_cast<unsigned int>(id) >= arrays.us.length() ||
        static_cast<unsigned int>(id) >= arrays.vs.length())
      return false;
  }
  return true;
}

void setUVs(const MeshArrays& arrays, const PolygonCursor& at, PolygonDesc& desc) {
  const bool has = hasUVs(arrays, at, desc.count);
  for (int i = 0; i < desc.count; ++i) {
    // A polygon without UVs gets (0, 0), not what an earlier polygon left.
    const unsigned int id = has ? static_cast<unsigned int>(arrays.uvIds[at.uvCorner + static_cast<unsigned int>(i)]) : 0;
    desc.u[i] = has ? arrays.us[id] : 0.0f;
    desc.v[i] = has ? static_cast<float>(1.0 - static_cast<double>(arrays.vs[id])) : 0.0f;
  }
}

void advance(const MeshArrays& arrays, PolygonCursor& at) {
  const int count = arrays.counts[at.face];
  at.corner += static_cast<unsigned int>(count > 0 ? count : 0);
  if (at.face < arrays.uvCounts.length() && arrays.uvCounts[at.face] > 0)
    at.uvCorner += static_cast<unsigned int>(arrays.uvCounts[at.face]);
  ++at.face;
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
  const MeshArrays arrays(mesh, uvSet);
  PolygonDesc desc;
  for (PolygonCursor at; at.face < arrays.counts.length(); advance(arrays, at)) {
    const int entry = shading.entry(static_cast<int>(at.face));
    const int n = arrays.counts[at.face];
    if (n < 3)
      ++badFaces;
    if (!desc.Resize(n < 0 ? 0 : n))
      continue;
    if (!setCorners(arrays, at, world, desc)) {
      ++unsoundFaces;
      continue;
    }
    setUVs(arrays, at, desc);
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
