#include "Maya/MeshExport.h"

#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MIOStream.h>
#include <maya/MMatrix.h>
#include <maya/MString.h>

#include <vector>

#include "Export/MeshGroup.h"
#include "Maya/MeshArrays.h"
#include "Maya/MeshUvArrays.h"
#include "Maya/PolygonMaterial.h"
#include "Maya/RecordBuilder.h"
#include "Maya/UvTileWarning.h"

namespace {

// The set asked for when the mesh has it, else (with a warning when one was
// asked for) the current one.
MString setToRead(const MFnMesh& mesh, const MString& nodeName, const MString& asked) {
  if (asked.length() > 0 && hasUvSet(mesh, asked)) return asked;
  MString current;
  mesh.getCurrentUVSetName(current);
  if (asked.length() > 0)
    MGlobal::displayWarning("Ombrix Vael export: " + nodeName + ": no UV set \"" + asked + "\"; its current set \"" +
                            current + "\" is exported");
  return current;
}

// The mesh's points placed by the path's world matrix; the record, when one is
// kept, takes its digests from the same object-space points and arrays.
WorldPoints placeAndRecord(const MFnMesh& mesh, const PolygonArrays& arrays, const MString& nodeName,
                           const MDagPath& namingPath, ExportRecord* record, const MString& uvSet) {
  const std::vector<double> local = objectPoints(mesh);
  const MMatrix world = namingPath.inclusiveMatrix();
  if (record != nullptr)
    record->groups.push_back(recordGroup(mesh, arrays, local, nodeName, namingPath, world, uvSet));
  return placePoints(local, &world.matrix[0][0]);
}

}  // namespace

MStatus exportMesh(HvModel& model, const ShadingTable& shading, const MDagPath& meshPath, ExportRecord* record,
                   const MString& uvSet) {
  const MFnMesh mesh(meshPath);
  return exportMesh(model, shading, mesh, mesh.name(), meshPath, record, uvSet);
}

MStatus exportMesh(HvModel& model, const ShadingTable& shading, const MFnMesh& mesh, const MString& nodeName,
                   const MDagPath& namingPath, ExportRecord* record, const MString& askedSet) {
  const MString uvSet = setToRead(mesh, nodeName, askedSet);
  const MeshShading materials(shading, namingPath.fullPathName(), namingPath.partialPathName(), mesh.numPolygons());
  const PolygonArrays arrays = readMeshArrays(mesh, uvSet);
  const WorldPoints world = placeAndRecord(mesh, arrays, nodeName, namingPath, record, uvSet);
  const MeshGroupCounts counts = addMeshGroup(model, nodeName.asChar(), arrays, world, materials.entries());
  warnAboutUvTiles(arrays, nodeName);
  if (counts.badFaces > 0)
    cerr << counts.badFaces << " non tri/quad face found. Some faces may be missing." << endl;
  if (counts.unsoundFaces > 0)
    cerr << counts.unsoundFaces << " face(s) of " << nodeName << " with invalid points left out." << endl;
  return MStatus::kSuccess;
}
