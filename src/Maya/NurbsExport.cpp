#include "Maya/NurbsExport.h"

#include <maya/MDagPath.h>
#include <maya/MFnMesh.h>
#include <maya/MFnMeshData.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MGlobal.h>
#include <maya/MIOStream.h>
#include <maya/MObject.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include "Maya/MayaCodes.h"
#include "Maya/MeshExport.h"

namespace {

// The preferences, with Maya's defaults for any query that fails.
struct TessellationPrefs {
  int format = 1;
  double chordHeightRatio = 0.9;
  double chordHeight = 0.1;
  double delta3D = 0.1;
  int edgeSwap = 0;
  double fractionalTolerance = 0.01;
  double minEdgeLength = 0.001;
  int polygonCount = 200;
  int polygonType = 0;
  int useChordHeightRatio = 1;
  int useChordHeight = 0;
  int uType = 3;
  int uNumber = 3;
  int vType = 3;
  int vNumber = 3;
};

void query(const char* command, int& value) {
  int result = 0;
  if (MGlobal::executeCommand(command, result, false, false))
    value = result;
}

void query(const char* command, double& value) {
  double result = 0.0;
  if (MGlobal::executeCommand(command, result, false, false))
    value = result;
}

TessellationPrefs readPrefs() {
  TessellationPrefs p;
  query("nurbsToPolygonsPref -q -f;", p.format);
  query("nurbsToPolygonsPref -q -chr;", p.chordHeightRatio);
  query("nurbsToPolygonsPref -q -cht;", p.chordHeight);
  query("nurbsToPolygonsPref -q -d;", p.delta3D);
  query("nurbsToPolygonsPref -q -es;", p.edgeSwap);
  query("nurbsToPolygonsPref -q -ft;", p.fractionalTolerance);
  query("nurbsToPolygonsPref -q -mel;", p.minEdgeLength);
  query("nurbsToPolygonsPref -q -pc;", p.polygonCount);
  query("nurbsToPolygonsPref -q -pt;", p.polygonType);
  query("nurbsToPolygonsPref -q -ucr;", p.useChordHeightRatio);
  query("nurbsToPolygonsPref -q -uch;", p.useChordHeight);
  query("nurbsToPolygonsPref -q -ut;", p.uType);
  query("nurbsToPolygonsPref -q -un;", p.uNumber);
  query("nurbsToPolygonsPref -q -vt;", p.vType);
  query("nurbsToPolygonsPref -q -vn;", p.vNumber);
  return p;
}

bool isIsoparmType(int type) { return type >= 0 && type <= 3; }

void applyGeneral(MTesselationParams& settings, const TessellationPrefs& p) {
  settings.setFormatType(MTesselationParams::kGeneralFormat);
  settings.setUNumber(p.uNumber);
  settings.setVNumber(p.vNumber);
  settings.setSubdivisionFlag(MTesselationParams::kUseChordHeightRatio, p.useChordHeightRatio != 0);
  settings.setChordHeightRatio(p.chordHeightRatio);
  settings.setSubdivisionFlag(MTesselationParams::kUseTriangleEdgeSwapping, p.edgeSwap != 0);
  settings.setSubdivisionFlag(MTesselationParams::kUseFractionalTolerance, p.useChordHeight != 0);
  if (isIsoparmType(p.uType))
    settings.setUIsoparmType(static_cast<MTesselationParams::IsoparmType>(p.uType));
  if (isIsoparmType(p.vType))
    settings.setVIsoparmType(static_cast<MTesselationParams::IsoparmType>(p.vType));
}

}  // namespace

void applyTessellationPrefs(MTesselationParams& settings) {
  TessellationPrefs p = readPrefs();
  p.polygonType = 0;
  if (p.format == MayaCodes::kControlPointsFormat) {
    cout << endl
         << endl
         << "Error: Ombrix Vael does not support the Control Point method for"
         << " "
         << "NURBS Tesselation because Ombrix Vael does not support Quads." << endl
         << " Defaulting to standard fit format." << endl
         << endl;
    p.format = 1;
  }
  settings.setOutputType(MTesselationParams::kTriangles);
  switch (p.format) {
    case 0:
      settings.setFormatType(MTesselationParams::kTriangleCountFormat);
      settings.setTriangleCount(p.polygonCount);
      break;
    case 1:
      settings.setFormatType(MTesselationParams::kStandardFitFormat);
      settings.setStdChordHeightRatio(p.chordHeightRatio);
      settings.setSubdivisionFlag(MTesselationParams::kUseFractionalTolerance, true);
      settings.setStdFractionalTolerance(p.fractionalTolerance);
      settings.setStdMinEdgeLength(p.minEdgeLength);
      settings.set3DDelta(p.delta3D);
      break;
    case 2:
      applyGeneral(settings, p);
      break;
    default:
      break;
  }
}

MString temporaryMeshName() {
  for (unsigned int n = 1;; ++n) {
    MString name = "polySurfaceShape";
    name += n;
    MSelectionList existing;
    if (existing.add(name) != MStatus::kSuccess)
      return name;
  }
}

MStatus tessellateNurbs(HvModel& model, const ShadingTable& shading, const MDagPath& nurbsPath, ExportRecord* record) {
  MFnNurbsSurface surface(nurbsPath);
  MTesselationParams settings(MTesselationParams::kStandardFitFormat, MTesselationParams::kTriangles);
  applyTessellationPrefs(settings);
  MFnMeshData data;
  MObject owner = data.create();
  MStatus tessellated;
  const MObject result = surface.tesselate(settings, owner, &tessellated);
  MStatus readable;
  const MFnMesh mesh(owner, &readable);
  if (tessellated != MStatus::kSuccess || readable != MStatus::kSuccess) {
    const char* type = result.apiTypeStr();
    cout << "Unknown Tesselation type ! " << (type != nullptr ? type : "") << endl;
    return MStatus::kFailure;
  }
  exportMesh(model, shading, mesh, temporaryMeshName(), nurbsPath, record);
  return MStatus::kSuccess;
}
