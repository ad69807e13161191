#pragma once
// NURBS surfaces that history makes from curves: revolve, loft, extrude and
// planarTrimSurface, read from the node's attributes and the curves connected to it.
#include "GeometryData.h"
#include "Node.h"

#include <cstddef>
#include <string>

namespace OmbrixHost {

bool isSurfaceHistory(const Node& node);
// False, with `why` set, for a surface of `rows` by `columns` CVs, more than
// any creation node makes.
bool withinPointLimit(std::size_t rows, std::size_t columns, std::string& why);
// The node's outputSurface; false, with `why` set, when a curve is missing or
// a value cannot be used.
bool buildHistorySurface(const Node& node, NurbsData& out, std::string& why);

}  // namespace OmbrixHost
