#pragma once
// The creation nodes built in their own files; Primitives.cpp dispatches to them.
// Each is false with `why` set when the node's attributes are out of range.
#include "GeometryData.h"
#include "Node.h"

#include <string>

namespace OmbrixHost {

bool generateCone(const Node& n, MeshData& out, std::string& why);
bool generateCube(const Node& n, MeshData& out, std::string& why);
bool generateCreateFace(const Node& n, MeshData& out, std::string& why);
bool generateCylinder(const Node& n, MeshData& out, std::string& why);
bool generateDisc(const Node& n, MeshData& out, std::string& why);
bool generateHelix(const Node& n, MeshData& out, std::string& why);
bool generatePlatonic(const Node& n, MeshData& out, std::string& why);
bool generatePrism(const Node& n, MeshData& out, std::string& why);
bool generatePyramid(const Node& n, MeshData& out, std::string& why);

// Counts beyond which no creation node is built: a scene asking for more is refused.
constexpr long long kMaxCreatedPoints = 4000000;

}  // namespace OmbrixHost
