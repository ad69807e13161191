#pragma once
// A face laid flat in UV space, for the nodes that make faces (polyCreateFace,
// polyAppend).
#include "GeometryData.h"

#include <string>
#include <vector>

namespace OmbrixHost {

// One UV per point of `points` (ids in their order, none set on faces), the
// face whose corners are `outline` laid flat in the unit square: U along its
// first edge, V across it, the longer side filling the square with
// `keepProportions`, else stretched to fill it both ways.
UVSet flatUVs(const std::string& name, const std::vector<Point3>& points, const std::vector<Point3>& outline,
              bool keepProportions);

}  // namespace OmbrixHost
