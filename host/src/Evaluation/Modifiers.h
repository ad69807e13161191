#pragma once
// Modifiers of a mesh's construction history: nodes that take one mesh and
// give one, changing its points or UVs (polyTweak, polyTweakUV, polyMoveUV,
// transformGeometry, polyMapCut, polyMapSew, polyMapDel) or passing it through as far as
// the host is concerned (groupParts, polyColorPerVertex).
#include "GeometryData.h"
#include "Node.h"

#include <string>
#include <vector>

namespace OmbrixHost {

// The attribute the modifier's input mesh arrives on; null when the node is
// not a modifier the host evaluates.
const char* modifierInput(const Node& node);

// Applies the modifier to `mesh`. False, with `mesh` unchanged and `why` set,
// when the node's values cannot be used; true with `why` set when some of
// them were left out (components that name nothing of the mesh).
bool applyModifier(const Node& node, MeshData& mesh, std::string& why);

// transformGeometry: every point by its transform, or by the inverse with
// invertTransform on; false, with `why` set, when the matrix cannot be used.
bool transformGeometryPoints(const Node& node, std::vector<Point3>& points, std::string& why);

}  // namespace OmbrixHost
