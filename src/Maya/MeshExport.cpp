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

#include "Maya/MeshArrays.h"
#include "Maya/PolygonMaterial.h"
#include "Maya/RecordBuilder.h"
#include "Maya/UvTileWarning.h"
#include "Model3D/HvModel.h"
#include "Model3D/PolygonDesc.h"
#include "Model3D/PolygonPipeline.h"

namespace {

// Corner positions of the polygon; false when a corner has no sound point.
bool setCorners(const MeshArrays& arrays, const PolygonCursor& at, const WorldPoints& world, PolygonDesc& desc) {
  if (!cornersInRange(arrays, at, desc.count))
    return false;
  for (int i = 0; i < desc.count; ++i) {
    const auto vertex = static_cast<size_t>(arrays.connects[at.corner + static_cast<unsigned int>(i)]);
    if (vertex >= world.points.size() || !world.finite[vertex])
      return false;
    desc.positions[i] = world.points[vertex];
  }
  return true;
}

void setUVs(const MeshArrays& arrays, const PolygonCursor& at, PolygonDesc& desc) {
  const bool has = hasUVs(arrays, at, desc.count);
  for (int i = 0; i < desc.count; ++i) {
    // A polygon without UVs gets (0, 0), not what an earlier polygon left.
    const unsigned int id = has ? static_cast<unsigned int>(arrays.uv.uvIds[at.uvCorner + static_cast<unsigned int>(i)]) : 0;
    desc.u[i] = has ? arrays.uv.us[id] : 0.0f;
    desc.v[i] = has ? static_cast<float>(1.0 - static_cast<double>(arrays.uv.vs[id])) : 0.0f;
  }
}

}  // namespace

MStatus exportMesh(HvModel& model, const MDagPath& meshPath, ExportRecord* record) {
  const MFnMesh mesh(meshPath);
  return exportMesh(model, mesh, mesh.name(), meshPath, record);
}

MStatus exportMesh(HvModel& model, const MFnMesh& mesh, const MString& nodeName, const MDagPath& namingPath,
                   ExportRecord* record) {
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
  if (record != nullptr)
    record->groups.push_back(recordGroup(mesh, arrays, nodeName, namingPath, uvSet));
  model.ReserveInCurrentGroup(arrays.counts.length(), arrays.connects.length());
  PolygonPipeline polygons(model);
  for (PolygonCursor at; at.face < arrays.counts.length(); advance(arrays, at)) {
    const int entry = shading.entry(static_cast<int>(at.face));
    const int n = arrays.counts[at.face];
    if (n < 3)
      ++badFaces;
    PolygonDesc& desc = polygons.Filling();
    if (!desc.Resize(n < 0 ? 0 : n))
      continue;
    if (!setCorners(arrays, at, world, desc)) {
      ++unsoundFaces;
      continue;
    }
    setUVs(arrays, at, desc);
    desc.material = entry >= 0 ? model.Material(entry, false) : nullptr;
    polygons.Push();
  }
  polygons.Flush();
  warnAboutUvTiles(arrays, nodeName);
  if (badFaces > 0)
    cerr << badFaces << " non tri/quad face found. Some faces may be missing." << endl;
  if (unsoundFaces > 0)
    cerr << unsoundFaces << " face(s) of " << nodeName << " with invalid points left out." << endl;
  // Only the new group: every group gets this treatment exactly once.
  model.SetEdgeSmoothness(0.5, true);
  model.ComputeCornerNormals(0.4);
  return MStatus::kSuccess;
}
