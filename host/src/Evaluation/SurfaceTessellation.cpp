// nurbsTessellate: the surface on inputSurface (a nurbsSurface shape's, made
// by its own history or from its file data, in world space through its world
// matrix when the plug is its worldSpace; or a creation or history node's
// outputSurface) tessellated as its attributes ask, as MTesselationParams
// takes them: format 0 a polygon count, 1 standard fit (chordHeightRatio,
// fractionalTolerance, minEdgeLength, delta), 2 general (uType and vType with
// uNumber and vNumber, chordHeightRatio with useChordHeightRatio, edgeSwap);
// polygonType 0 triangles, 1 quads; format 3 the surface's control points
// as the mesh's points.
#include "SurfaceTessellation.h"

#include "Matrix4.h"
#include "MeshHistory.h"
#include "NurbsTessellator.h"
#include "Primitives.h"
#include "SurfaceChain.h"

#include <algorithm>
#include <cmath>

namespace OmbrixHost {
namespace {

bool surfaceAt(const PlugRef& source, NurbsData& out, std::string& why) {
  const Node& node = *source.node;
  SurfaceChain chain(&node);
  if (!chain.surfaceAt(source, out, why)) {
    why = "its inputSurface comes through " + why;
    return false;
  }
  Matrix4 world;
  if (node.nurbs && source.attr && source.attr->name == "worldSpace" &&
      dagWorldMatrix(&node, world, source.indices.empty() ? 0 : source.indices.front()))
    for (auto& cv : out.cvs)
      cv = world.apply(cv);
  return true;
}

bool readSettings(const Node& node, TessellationSettings& s, std::string& why) {
  const double format = node.number("format", 1.0), type = node.number("polygonType", 0.0);
  const double count = node.number("polygonCount", 200.0), uType = node.number("uType", 3.0),
               vType = node.number("vType", 3.0), uNumber = node.number("uNumber", 3.0),
               vNumber = node.number("vNumber", 3.0);
  const double ratio = node.number("chordHeightRatio", 0.983), fraction = node.number("fractionalTolerance", 0.01),
               minEdge = node.number("minEdgeLength", 0.001), delta = node.number("delta", 0.1);
  for (double v : {ratio, fraction, minEdge, delta})
    if (!std::isfinite(v)) {
      why = "a value is not a number";
      return false;
    }
  if (!(format == 0.0 || format == 1.0 || format == 2.0 || format == 3.0) || !(type == 0.0 || type == 1.0) ||
      !(uType >= 0 && uType <= 3 && vType >= 0 && vType <= 3) || !(count >= 1 && count <= 4000000) ||
      !(uNumber >= 1 && uNumber <= 1024 && vNumber >= 1 && vNumber <= 1024)) {
    why = "its format, polygon type, count or isoparms are out of range";
    return false;
  }
  s.format = static_cast<MTesselationParams::TessFormat>(std::min(2, static_cast<int>(format)));
  s.polyType = type == 1.0 ? MTesselationParams::kQuads : MTesselationParams::kTriangles;
  s.triangleCount = static_cast<int>(count);
  s.stdChordHeightRatio = s.chordHeightRatio = ratio;
  s.stdFractionalTolerance = fraction;
  s.stdMinEdgeLength = minEdge;
  s.delta3D = delta;
  s.useFractionalTolerance = format == 1.0;
  s.useChordHeightRatio = format == 2.0 && node.number("useChordHeightRatio", 1.0) != 0.0;
  s.edgeSwapping = node.number("edgeSwap", 0.0) != 0.0;
  s.uIsoparm = static_cast<MTesselationParams::IsoparmType>(static_cast<int>(uType));
  s.vIsoparm = static_cast<MTesselationParams::IsoparmType>(static_cast<int>(vType));
  s.uNumber = static_cast<int>(uNumber);
  s.vNumber = static_cast<int>(vNumber);
  return true;
}

}  // namespace

bool tessellateHistory(const Node& node, MeshData& out, std::string& why) {
  const Connection* input = incomingConnection(&node, "inputSurface");
  if (!input) {
    why = "no surface is connected to its inputSurface";
    return false;
  }
  NurbsData surface;
  TessellationSettings settings;
  if (!readSettings(node, settings, why) || !surfaceAt(input->remote, surface, why))
    return false;
  const bool controlPoints = node.number("format", 1.0) == 3.0;
  if (!(controlPoints ? controlPointMesh(surface, settings, out) : tessellateSurface(surface, settings, out))) {
    why = "its surface is not valid";
    return false;
  }
  return true;
}

}  // namespace OmbrixHost
