#pragma once
// The nonLinear deformer: the points of its input move as its handle shape
// (deformBend, deformFlare, deformSine, deformSquash, deformTwist or
// deformWave, connected to deformerData) says, in the space of the handle's
// transform (connected to matrix), by envelope and per-vertex weights.
#include "Deformers.h"

namespace OmbrixHost {

// Deforms `points`, the geometry of input[index]; false, with `why` set, when
// the handle is missing or a value cannot be used.
bool nonLinearPoints(const Node& node, int index, std::vector<Point3>& points, const DeformerSources& sources,
                     std::string& why);

}  // namespace OmbrixHost
