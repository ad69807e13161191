#include "SceneMeshes.h"

#include <algorithm>

#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnMesh.h>
#include <maya/MObject.h>
#include <maya/MPointArray.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

#include "HostSession.h"
#include "Maya/MeshArrays.h"
#include "Maya/MeshUvArrays.h"

namespace {

// The shapes under the transform that are meshes and not intermediate.
std::vector<MDagPath> meshShapes(const MDagPath& transform) {
  std::vector<MDagPath> shapes;
  for (unsigned int i = 0; i < transform.childCount(); ++i) {
    MObject child = transform.child(i);
    if (!child.hasFn(MFn::kMesh) || MFnDagNode(child).isIntermediateObject()) continue;
    MDagPath shape(transform);
    if (shape.push(child) == MStatus::kSuccess) shapes.push_back(shape);
  }
  return shapes;
}

bool validCorners(const PolygonArrays& arrays, std::size_t vertices) {
  std::size_t total = 0;
  for (int count : arrays.counts) {
    if (count < 0) return false;
    total += static_cast<std::size_t>(count);
  }
  if (total != arrays.connects.size()) return false;
  for (int v : arrays.connects)
    if (v < 0 || static_cast<std::size_t>(v) >= vertices) return false;
  return true;
}

// Each corner's UV id, -1 where its face has none or an id is out of range.
std::vector<int> cornerUvs(const PolygonArrays& arrays) {
  const MeshUvArrays& uv = arrays.uv;
  std::vector<int> ids(arrays.connects.size(), -1);
  const std::size_t uvCount = std::min(uv.us.size(), uv.vs.size());
  std::size_t corner = 0, uvCorner = 0;
  for (std::size_t f = 0; f < arrays.counts.size(); ++f) {
    const auto n = static_cast<std::size_t>(arrays.counts[f]);
    const bool mapped = f < uv.uvCounts.size() && static_cast<std::size_t>(uv.uvCounts[f]) == n &&
                        uvCorner + n <= uv.uvIds.size();
    for (std::size_t i = 0; mapped && i < n; ++i) {
      const int id = uv.uvIds[uvCorner + i];
      ids[corner + i] = id >= 0 && static_cast<std::size_t>(id) < uvCount ? id : -1;
    }
    corner += n;
    if (f < uv.uvCounts.size() && uv.uvCounts[f] > 0) uvCorner += static_cast<std::size_t>(uv.uvCounts[f]);
  }
  return ids;
}

void readMesh(const MFnMesh& mesh, SceneMesh& out) {
  MPointArray world;
  mesh.getPoints(world, MSpace::kWorld);
  out.mesh.points.reserve(3 * static_cast<std::size_t>(world.length()));
  for (unsigned int i = 0; i < world.length(); ++i) out.mesh.points.insert(out.mesh.points.end(), {world[i].x, world[i].y, world[i].z});
  MString uvSet;
  mesh.getCurrentUVSetName(uvSet);
  const PolygonArrays arrays = readMeshArrays(mesh, uvSet);
  if (!validCorners(arrays, out.mesh.vertexCount())) {
    out.reason = "the host answers faces with vertices the mesh does not have";
    return;
  }
  out.mesh.faceCounts = arrays.counts;
  out.mesh.cornerPoints = arrays.connects;
  out.mesh.cornerUvs = cornerUvs(arrays);
  const std::size_t uvCount = std::min(arrays.uv.us.size(), arrays.uv.vs.size());
  for (std::size_t i = 0; i < uvCount; ++i) out.mesh.uvs.insert(out.mesh.uvs.end(), {arrays.uv.us[i], arrays.uv.vs[i]});
  out.found = true;
}

}  // namespace

bool loadScene(const std::string& path, std::vector<std::string>& problems) {
  return OmbrixHost::loadSceneFile(path, problems);
}

SceneMesh readSceneMesh(const std::string& dagPath) {
  SceneMesh out;
  MSelectionList list;
  MDagPath transform;
  if (list.add(MString(dagPath.c_str())) != MStatus::kSuccess || list.getDagPath(0, transform) != MStatus::kSuccess) {
    out.reason = "not in the scene";
    return out;
  }
  const std::vector<MDagPath> shapes = meshShapes(transform);
  if (shapes.size() != 1) {
    out.reason = shapes.empty() ? "no mesh under the transform" : "several meshes under the transform";
    return out;
  }
  // What the host could not evaluate of the history is told to the mesh's first reader.
  OmbrixHost::captureDisplayed(true);
  readMesh(MFnMesh(shapes[0]), out);
  for (const auto& message : OmbrixHost::displayedMessages())
    if (message.rfind("Warning: ", 0) == 0) out.historyNote += (out.historyNote.empty() ? "" : " ") + message.substr(9);
  OmbrixHost::captureDisplayed(false);
  return out;
}

bool isSceneTransform(const std::string& name) {
  MSelectionList list;
  MObject node;
  return list.add(MString(name.c_str())) == MStatus::kSuccess && list.getDependNode(0, node) == MStatus::kSuccess &&
         node.hasFn(MFn::kTransform);
}
