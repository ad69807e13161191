#pragma once
// The cluster deformer: points moved by the transformation of its handle.
#include "Deformers.h"

namespace OmbrixHost {

// Deforms `points`, the geometry of input[index]; false, with `why` set, when
// its matrices cannot be used.
bool clusterPoints(const Node& node, int index, std::vector<Point3>& points, std::string& why);

}  // namespace OmbrixHost
