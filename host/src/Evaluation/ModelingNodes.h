#pragma once
// Modelling nodes of a mesh's construction history: nodes that change the
// mesh's topology (polyExtrudeFace, deleteComponent, polyNormal, ...), the
// combining of meshes by polyUnite and their parting by polySeparate.
#include "GeometryData.h"
#include "Matrix4.h"
#include "Node.h"

#include <string>
#include <vector>

namespace OmbrixHost {

// The attribute a modelling node's one input mesh arrives on; null when the
// node is not one the host evaluates that way.
const char* modelingInput(const Node& node);

// Applies the node to `mesh`, as applyModifier does.
bool applyModeling(const Node& node, MeshData& mesh, std::string& why);

struct PlacedMesh {
  MeshData mesh;
  Matrix4 matrix;  // into the space of the result
};
// The meshes, each moved by its matrix, one after the other: their points,
// faces and UVs in order. UV sets of one name become one set, in the order the
// meshes first give them; faces of a mesh without a set have no UVs in it.
MeshData uniteMeshes(const std::vector<PlacedMesh>& parts);

// Piece `index` of the mesh's shells (faces joined by edges), the shells in
// the order of their lowest face. With `chosen` shells (polySeparate's
// remShells), the pieces are those shells in their listed order, then every
// other shell together as one last piece. False, the mesh unchanged, when
// there is no such piece.
bool separatePiece(MeshData& mesh, int index, const std::vector<int>& chosen, std::string& why);

}  // namespace OmbrixHost
