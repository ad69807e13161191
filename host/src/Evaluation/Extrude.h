#pragma once
// extrude: a profile curve swept along a direction or a path curve.
#include "GeometryData.h"
#include "Node.h"

#include <string>

namespace OmbrixHost {

// The node's outputSurface; false, with `why` set, when a curve is missing or
// a value cannot be used.
bool extrudeSurface(const Node& node, NurbsData& out, std::string& why);

}  // namespace OmbrixHost
