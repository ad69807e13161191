#pragma once
// The fuzz targets of the host's scene readers: after a load, the scene
// summary and every mesh and surface read through the interface.
#include "HostSession.h"

#include <maya/MFnMesh.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MIntArray.h>
#include <maya/MItDag.h>
#include <maya/MTesselationParams.h>

inline void WalkLoadedScene() {
  OmbrixHost::sceneStatsJson();
  for (MItDag it(MItDag::kDepthFirst, MFn::kMesh); !it.isDone(); it.next()) {
    MDagPath path;
    it.getPath(path);
    MFnMesh mesh(path);
    for (int f = 0; f < mesh.numPolygons(); ++f) {
      MIntArray verts;
      mesh.getPolygonVertices(f, verts);
      for (unsigned int k = 0; k < verts.length(); ++k) {
        MPoint p;
        float u, v;
        mesh.getPoint(verts[k], p, MSpace::kWorld);
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
