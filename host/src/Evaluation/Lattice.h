#pragma once
// The ffd (lattice) deformer: points moved as the lattice connected to it
// bends the space of its base lattice.
#include "Deformers.h"

namespace OmbrixHost {

// Deforms `points`, the geometry of input[index]; false, with `why` set, when
// the lattice or its matrices cannot be used. `why` is set, the result kept,
// when the lattice acts locally (a construction of the host's).
bool latticePoints(const Node& node, int index, std::vector<Point3>& points, std::string& why);

}  // namespace OmbrixHost
