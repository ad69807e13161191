#pragma once
// Modifiers of a mesh's construction history: nodes that take one mesh and
// give one, changing its points or UVs (polyTweak, polyTweakUV, polyMoveUV,
// transformGeometry) or passing it through as far as the host is concerned
// (groupParts, polyColorPerVertex, polyMapCut, polyMapSew).
#include "GeometryData.h"
#include "Node.h"

#include <string>

namespace OmbrixHost {

// The attribute the modifier's input mesh arrives on; null when the node is
// not a modifier the host evaluates.
const char* modifierInput(const Node& node);

// Applies the modifier to `mesh`. False, with `mesh` unchanged and `why` set,
// when the node's values cannot be used.
bool applyModifier(const Node& node, MeshData& mesh, std::string& why);

}  // namespace OmbrixHost
