#pragma once
// The UV nodes of a mesh's construction history that project, flip, sew and
// lay out UVs (polyPlanarProj, polyCylProj, polySphProj, polyFlipUV,
// polyMapSewMove, polyAutoProj, polyContourProj, polyLayoutUV); each takes
// its mesh on "inputPolymesh".
#include "GeometryData.h"
#include "Node.h"

#include <string>

namespace OmbrixHost {

bool isUVEdit(const Node& node);

// False, with `mesh` unchanged and `why` set, when the node's values cannot be
// used; true with `why` set when some were left out. `hostLayout` is set when
// where the UVs went is the host's own choice, which Maya may not share.
bool applyUVEdit(const Node& node, MeshData& mesh, std::string& why, bool& hostLayout);

}  // namespace OmbrixHost
