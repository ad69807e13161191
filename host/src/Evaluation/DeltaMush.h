#pragma once
// The deltaMush deformer: the deformation smoothed, the rest shape's detail kept.
#include "Deformers.h"

namespace OmbrixHost {

// Deforms `points`, the mesh `mesh` of input[index], its rest shape taken from
// originalGeometry[index] through `sources`. `why` says the result is the host's.
bool deltaMushPoints(const Node& node, int index, const MeshData& mesh, std::vector<Point3>& points,
                     const DeformerSources& sources, std::string& why);

}  // namespace OmbrixHost
