#pragma once
// Which UVs a new layout shares, against the layout a mesh had: whether the
// new one keeps the old sharing (each old UV became one new UV, and no two
// became one), so that moving the old UVs gives it; and else the mesh edges
// along which the new layout joins its faces' UVs.
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "Model3D/PolygonArrays.h"

// One UV of the mesh moved by (du, dv).
struct UvTweak {
  int id;
  float du, dv;
};

// True when `layout` shares UVs exactly as `before` does (every face mapped
// in both with the same corners); `tweaks` then holds the offsets of the
// UVs whose value changes.
bool uvTweaksFor(const MeshUvArrays& before, const MeshUvArrays& layout, std::vector<UvTweak>& tweaks);

// The offset d for which `from + d` in float is `to`, where one exists within
// a few units in the last place of the difference; else the rounded
// difference (`to` is then missed by at most a unit of d's last place).
float exactOffset(float from, float to);

// An edge by its two mesh vertices, either order.
std::uint64_t vertexPairKey(int a, int b);
// The vertex pairs of the edges whose two faces the layout gives the same UV
// at both ends; vertexIds holds each face-vertex's mesh vertex.
std::unordered_set<std::uint64_t> sharedUvPairs(const MeshUvArrays& layout, const std::vector<int>& vertexIds);
