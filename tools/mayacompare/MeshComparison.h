#pragma once
// Whether a mesh the host evaluated has Maya's geometry and UVs. Counts
// (vertices, faces, face-vertices, UVs) must be equal. The geometry matches
// when every face corner's point pairs with one of Maya's corners within
// 1e-4 of the diagonal of Maya's bounding box; the UVs match when every
// corner's UV pairs with one of Maya's within 1e-4, with its point too when
// the geometry matches. Pairing is one to one and ignores order, so a
// different vertex or face numbering is no mismatch.
#include <string>

#include "TruthMesh.h"

struct MeshVerdict {
  bool geometry = false;
  bool uvs = false;
  std::string reason;  // empty when both match
};

const double kRelativePointTolerance = 1e-4;
const double kUvTolerance = 1e-4;

MeshVerdict compareMeshes(const TruthMesh& ours, const TruthMesh& maya);
