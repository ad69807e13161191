#pragma once
// The cluster deformer: points moved by the transformation of its handle.
#include "Deformers.h"

namespace OmbrixHost {

#include <functional>

// Deforms `points`, the geometry of input[index]; false, with `why` set, when
// its matrices cannot be used. `falloff`, when given, scales each point's
// move by a share (0 to 1) of its place in world space.
bool clusterPoints(const Node& node, int index, std::vector<Point3>& points, std::string& why,
                   const std::function<double(Point3)>& falloff = nullptr);

// softMod: a cluster whose move fades with the distance from falloffCenter
// along its falloffCurve, to nothing at falloffRadius.
bool softModPoints(const Node& node, int index, std::vector<Point3>& points, std::string& why);

}  // namespace OmbrixHost
