// libFuzzer target: the Maya ASCII scene reader of the host stand-in, then the
// scene summary and the scene's meshes and surfaces through the interface.
#include "HostSession.h"

#include <maya/MFnMesh.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MIntArray.h>
#include <maya/MItDag.h>
#include <maya/MTesselationParams.h>

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  if (text.compare(0, 12, "//Maya ASCII") != 0)
    text = "//Maya ASCII 2018 scene\n" + text;
  std::vector<std::string> problems;
  OmbrixHost::resetSession();
  OmbrixHost::loadMayaAsciiText(text, "fuzz.ma", problems);
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
  return 0;
}
