#pragma once
// What Maya computes when it opens a scene and the host computes once after
// loading one: the geometry of meshes with construction history (MeshHistory),
// vertex tweaks, NURBS surfaces from creation nodes, and the faces of per-face
// set membership from groupParts nodes.
#include <string>
#include <vector>

namespace OmbrixHost {

void evaluateLoadedScene(const std::string& file, std::vector<std::string>& problems);

}  // namespace OmbrixHost
