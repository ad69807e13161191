#pragma once
// What Maya computes when it opens a scene and the host computes once after
// loading one: the geometry of meshes with construction history (MeshHistory),
// vertex tweaks, NURBS surfaces from creation nodes, and the faces of per-face
// set membership from groupParts nodes.
#include "Node.h"

#include <string>
#include <vector>

namespace OmbrixHost {

void evaluateLoadedScene(const std::string& file, std::vector<std::string>& problems);

// A shape marked stale by an edit upstream of it (Scene::invalidateDownstream)
// evaluated again, as after loading, before it is read; what its history could
// not evaluate goes to its history note. Nothing for a shape that is not stale.
void evaluateShape(Node* shape);

}  // namespace OmbrixHost
