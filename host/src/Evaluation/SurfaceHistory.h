#pragma once
// NURBS surfaces that history makes from curves: revolve, loft and extrude, read from
// the node's attributes and the curves connected to it.
#include "GeometryData.h"
#include "Node.h"

#include <string>

namespace OmbrixHost {

bool isSurfaceHistory(const Node& node);
// The node's outputSurface; false, with `why` set, when a curve is missing or
// a value cannot be used.
bool buildHistorySurface(const Node& node, NurbsData& out, std::string& why);

}  // namespace OmbrixHost
