#include "Maya/UvTileWarning.h"

#include <maya/MGlobal.h>

#include <vector>

#include "Math/UvTiles.h"
#include "Model3D/PolygonArrays.h"

void warnAboutUvTiles(const PolygonArrays& arrays, const MString& meshName) {
  UvTileCheck check;
  std::vector<float> u, v;
  for (PolygonCursor at; at.face < arrays.counts.size(); advance(arrays, at)) {
    const int n = polygonSize(arrays, at);
    if (!hasUVs(arrays, at, n))
      continue;
    u.resize(static_cast<size_t>(n));
    v.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
      const auto id = static_cast<size_t>(arrays.uv.uvIds[at.uvCorner + static_cast<unsigned int>(i)]);
      u[static_cast<size_t>(i)] = arrays.uv.us[id];
      v[static_cast<size_t>(i)] = arrays.uv.vs[id];
    }
    check.AddFace(u.data(), v.data(), n);
  }
  const std::string problem = check.Problem();
  if (!problem.empty())
    MGlobal::displayWarning("Ombrix Vael export: " + meshName + ": " + problem.c_str());
}
