#pragma once
// Construction history as Maya's listHistory and Delete History see it.
#include "Scene.h"

#include <vector>

namespace OmbrixHost {

// The node (a transform stands for its first visible shape), then every
// node upstream of it, nearest first. A shape's set bookkeeping on
// "instObjGroups" is not followed, except for the groupId nodes feeding it,
// which Maya lists (a mesh shaded per face shows them without any other history).
std::vector<Node*> listHistory(Node* start);

// Delete History for one shape: it keeps the geometry, UVs and per-face
// shading it shows; the nodes upstream of its geometry input ("inMesh",
// "create") go, except groupId nodes, sets, visible DAG nodes and nodes that
// also feed something else.
void deleteHistory(Node* shape);

}  // namespace OmbrixHost
