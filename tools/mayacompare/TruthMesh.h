#pragma once
// One polygon object as the judge compares it: points in world space and
// centimetres, the UVs of one set, and each face's corners. Filled from a
// Maya OBJ's object block or from a mesh the host evaluated.
#include <cstddef>
#include <vector>

struct TruthMesh {
  std::vector<double> points;     // x, y, z of each vertex
  std::vector<double> uvs;        // u, v of each UV
  std::vector<int> faceCounts;    // corners of each face
  std::vector<int> cornerPoints;  // the vertex of each corner, face by face
  std::vector<int> cornerUvs;     // the UV of each corner, -1 for none

  std::size_t vertexCount() const { return points.size() / 3; }
  std::size_t uvCount() const { return uvs.size() / 2; }
};
