#pragma once
// planarTrimSurface: the flat region its curves bound.
#include "GeometryData.h"
#include "Node.h"

#include <string>

namespace OmbrixHost {

// The node's outputSurface: a plane spanning the curves, carrying the region
// as planar loops; false, with `why` set, when the curves cannot be used.
bool planarTrimSurface(const Node& node, NurbsData& out, std::string& why);

}  // namespace OmbrixHost
