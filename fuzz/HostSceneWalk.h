#pragma once
// The fuzz targets of the host's scene readers: after a load, the scene
// summary and every mesh and surface read through the interface.
#include "HostSession.h"

#include <cstdlib>

#include <maya/MFnMesh.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MIntArray.h>
#include <maya/MItDag.h>
#include <maya/MPointArray.h>
#include <maya/MTesselationParams.h>

inline void WalkLoadedScene() {
  OmbrixHost::sceneStatsJson();
  for (MItDag it(MItDag::kDepthFirst, MFn::kMesh); !it.isDone(); it.next()) {
    MDagPath path;
    it.getPath(path);
    MFnMesh mesh(path);
    // The points once, as the export reads them: a world matrix per corner
    // would spend the fuzzer's time on matrices instead of on histories.
    MPointArray points;
    mesh.getPoints(points, MSpace::kWorld);
    for (int f = 0; f < mesh.numPolygons(); ++f) {
      MIntArray verts;
      mesh.getPolygonVertices(f, verts);
      for (unsigned int k = 0; k < verts.length(); ++k) {
        if (verts[k] < 0 || static_cast<unsigned int>(verts[k]) >= points.length())
          std::abort();  // a face naming a point the mesh does not have
        float u, v;
        mesh.getPolygonUV(f, static_cast<int>(k), u, v);
      }
    }
  }
  MTesselationParams coarse(MTesselationParams::kGeneralFormat);
  coarse.setUNumber(2);
  coarse.setVNumber(2);
  for (MItDag it(MItDag::kDepthFirst, MFn::kNurbsSurface); !it.isDone(); it.next()) {
    MDagPath path;
    it.getPath(path);
    MFnNurbsSurface(path).tesselate(coarse);
  }
}
