#pragma once
// nurbsTessellate: the mesh of the NURBS surface on its inputSurface.
#include "GeometryData.h"
#include "Node.h"

#include <string>

namespace OmbrixHost {

// The node's outputPolygon; false, with `why` set, when its surface cannot be
// had or its values cannot be used.
bool tessellateHistory(const Node& node, MeshData& out, std::string& why);

}  // namespace OmbrixHost
