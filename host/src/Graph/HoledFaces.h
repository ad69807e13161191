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

// A corner of the triangles of a holed face: its vertex and its UV per set.
struct HoledFaceCorner {
  int vertex = 0;
  std::vector<int> uvIds;
};
// The triangles that cover face `face` of `m` (its face starts built) around
// `holes`, three corners each.
std::vector<HoledFaceCorner> holedFaceTriangleCorners(const MeshData& m, int face,
                                                      const std::vector<const FaceHole*>& holes);

}  // namespace OmbrixHost
