#pragma once
// Deformers of a mesh's construction history: nodes that move the points of
// input[i].inputGeometry into outputGeometry[i] and keep the topology: tweak,
// skinCluster (linear, dual-quaternion or blended skinning by joints), blendShape,
// nonLinear (bend, flare, sine, squash, twist and wave handles), cluster, softMod,
// ffd (lattice), deltaMush and wrap.
#include "GeometryData.h"
#include "Matrix4.h"
#include "Node.h"

#include <functional>
#include <string>
#include <vector>

namespace OmbrixHost {

struct DeformerSources {
  // The mesh a plug carries: a blendShape target connected as a mesh.
  std::function<bool(const PlugRef&, MeshData&)> meshAt;
  // The shape whose history is evaluated: its world matrix places the mesh
  // for deformers that work in world space (nonLinear). Null when unknown.
  const Node* shape = nullptr;
};

// Per-vertex weights under the array attribute `attr` (baseWeights,
// weightList's weights) whose elements' keys start with `base`, 1 where none
// is stored; `indices` address the array (-1 for it).
std::vector<double> vertexWeights(const Node& node, const char* attr, const std::string& base,
                                  std::vector<int> indices, std::size_t count);

// Shared by the deformers' files: "name[index]", and the indices in use
// under an array attribute (`indices` ends with -1 for it).
std::string indexed(const std::string& name, int index);
std::vector<int> elementsOf(const Node& node, const char* attr, std::vector<int> indices);

// Each point of input[index] moved towards `move`'s image of it (given its
// number and place) by its weight (weightList[index].weights, 1 where none is
// stored; 0 where not a number).
void moveByWeights(const Node& node, int index, std::vector<Point3>& points,
                   const std::function<Point3(std::size_t, Point3)>& move);

bool isDeformer(const Node& node);

// The deformers that need nothing of the geometry but its points (tweak,
// skinCluster, nonLinear, cluster, softMod, ffd), so that they deform a NURBS
// surface's CVs as they deform a mesh's vertices.
bool movesPointsAlone(const Node& node);

// Moves `points`, the geometry of input[index], by such a deformer and its
// envelope. False, with `points` unchanged and `why` set, when the node's
// values cannot be used.
bool deformPoints(const Node& node, int index, std::vector<Point3>& points, const DeformerSources& sources,
                  std::string& why);

// Deforms `mesh`, the geometry of input[index]. False, with `mesh` unchanged
// and `why` set, when the node's values cannot be used; true with `why` set
// when some of them were left out (a blend weight list too short, a target of
// another topology).
bool applyDeformer(const Node& node, int index, MeshData& mesh, const DeformerSources& sources, std::string& why);

}  // namespace OmbrixHost
