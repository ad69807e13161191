#pragma once
// The skinCluster deformer: points skinned by their weighted influences.
#include "GeometryData.h"
#include "Node.h"

#include <string>
#include <vector>

namespace OmbrixHost {

// The points of the skinCluster's input moved by its influences; false, with
// `why`, when its weights or matrices cannot be used.
bool skinPoints(const Node& node, std::vector<Point3>& points, std::string& why);

}  // namespace OmbrixHost
