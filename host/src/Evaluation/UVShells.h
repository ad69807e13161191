#pragma once
// UV edits of a mesh's construction history that move whole faces' UVs:
// polyFlipUV, polyMapSewMove, polyLayoutUV and polyAutoProj.
#include "GeometryData.h"
#include "Node.h"

#include <string>

namespace OmbrixHost {

// Each returns false, with the mesh unchanged and `why` set, when the node's
// values cannot be used; `why` set on success tells what was left out.
// `hostLayout` is set when where the UVs went is the host's own choice.

// The chosen faces' UVs mirrored across U (flipType 0) or V about the pivot
// (pivotU/pivotV with usePivot, else the middle of their UVs with local, else 0.5).
bool flipUVs(const Node& node, MeshData& m, std::string& why);

// Along each listed edge, the smaller UV piece moved onto the larger, then sewn.
bool sewMoveUVs(const Node& node, MeshData& m, std::string& why, bool& hostLayout);

// The chosen faces' UV pieces packed side by side into the unit square.
bool layoutUVs(const Node& node, MeshData& m, std::string& why, bool& hostLayout);

// Each chosen face projected along the axis it faces most, its pieces packed into the unit square.
bool autoProjectUVs(const Node& node, MeshData& m, std::string& why, bool& hostLayout);

}  // namespace OmbrixHost
