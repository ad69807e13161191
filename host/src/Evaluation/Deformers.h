#pragma once
// Deformers of a mesh's construction history: nodes that move the points of
// input[i].inputGeometry into outputGeometry[i] and keep the topology: tweak,
// skinCluster (linear, dual-quaternion or blended skinning by joints) and blendShape.
#include "GeometryData.h"
#include "Node.h"

#include <functional>
#include <string>

namespace OmbrixHost {

struct DeformerSources {
  // The mesh a plug carries: a blendShape target connected as a mesh.
  std::function<bool(const PlugRef&, MeshData&)> meshAt;
};

bool isDeformer(const Node& node);

// Deforms `mesh`, the geometry of input[index]. False, with `mesh` unchanged
// and `why` set, when the node's values cannot be used; true with `why` set
// when some of them were left out (a blend weight list too short, a target of
// another topology).
bool applyDeformer(const Node& node, int index, MeshData& mesh, const DeformerSources& sources, std::string& why);

}  // namespace OmbrixHost
