#pragma once
// The wrap deformer: points carried along by the influence mesh they lie nearest.
#include "Deformers.h"

namespace OmbrixHost {

// Deforms `points`, the geometry of input[index]; false, with `why` set, when
// the influence or its base cannot be had. `why` says the result is the host's.
bool wrapPoints(const Node& node, int index, std::vector<Point3>& points, const DeformerSources& sources,
                std::string& why);

}  // namespace OmbrixHost
