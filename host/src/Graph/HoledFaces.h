#pragma once
// Faces with holes, as Maya renders them. The painter's model holds no holed
// polygon, so when a scene is finished each holed face becomes the triangles
// of its surface around the holes, every corner with its own loop's UVs, and
// the shape's per-face component lists follow the faces to their triangles.
#include "Node.h"

namespace OmbrixHost {

// Faces of more corners than this, with their holes, keep their outline
// only: clipping ears takes time by the square (at worst the cube) of the corners.
const std::size_t kMaxHoledFaceCorners = 1024;

// Answers the number of holed faces too large to split, whose holes are dropped.
int splitHoledFaces(Node& shape);

}  // namespace OmbrixHost
