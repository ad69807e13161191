#pragma once
// Faces with holes, as Maya renders them. The painter's model holds no holed
// polygon, so when a scene is finished each holed face becomes the triangles
// of its surface around the holes, every corner with its own loop's UVs, and
// the shape's per-face component lists follow the faces to their triangles.
#include "Node.h"

namespace OmbrixHost {

// Answers the number of holed faces split.
int splitHoledFaces(Node& shape);

}  // namespace OmbrixHost
