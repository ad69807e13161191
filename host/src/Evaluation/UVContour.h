#pragma once
// polyContourProj: a contour stretch of a grid of quads onto the unit square.
#include "GeometryData.h"
#include "Node.h"

#include <string>

namespace OmbrixHost {

// The chosen faces, which must make a grid of quads with four corners, laid
// out as a grid: each row of the grid stretched along U from 0 to 1 by its
// length, each column along V. False, with the mesh unchanged and `why` set,
// when the faces make no such grid.
bool contourProjectUVs(const Node& node, MeshData& m, std::string& why, bool& hostLayout);

}  // namespace OmbrixHost
