#pragma once
// Geometry of Maya's creation nodes: polyCube, polyPlane, polySphere,
// polyCylinder, polyCone, polyTorus, polyPyramid, polyPrism, polyPipe,
// polyPlatonicSolid, polyDisc, polyHelix and polyPlatonic for meshes,
// makeNurbSphere and makeNurbPlane for NURBS surfaces (and the surfaces
// revolve and loft make of curves), read from the node's attributes.
#include "GeometryData.h"
#include "Node.h"

namespace OmbrixHost {

// False when the node is not a creation node this host can evaluate, or its
// attributes are out of range (`why` says which).
bool generatePolyPrimitive(const Node& creator, MeshData& out, std::string& why);
bool generateNurbsPrimitive(const Node& creator, NurbsData& out, std::string& why);

}  // namespace OmbrixHost
