#pragma once
// The history feeding a NURBS surface shape's create, evaluated as Maya does
// when a scene opens: a creation or history node, then transformGeometry and
// the deformers that move CVs (skinCluster, cluster, nonLinear, tweak, softMod,
// ffd), through intermediate ("Orig") shapes. A deformer the host cannot
// evaluate on a surface is reported and passes its input through, as on a mesh.
#include "GeometryData.h"
#include "Node.h"

#include <set>
#include <string>
#include <vector>

namespace OmbrixHost {

class SurfaceChain {
public:
  // `shape` is the surface whose history is evaluated: its world matrix places
  // the CVs for the deformers that work in world space.
  explicit SurfaceChain(const Node* shape) : shape_(shape) {}

  // The surface on `source`: a shape's (its local or worldSpace, in the shape's
  // own space), a creation, history or deformer node's output. False, with
  // `why` naming the node and the reason, when nothing sound comes of it.
  bool surfaceAt(const PlugRef& source, NurbsData& out, std::string& why);

  // The nodes passed through on the way to a sound surface, one line each:
  // "through NODE (TYPE) is not evaluated (WHY); the surface takes the geometry
  // upstream of it", or "through NODE (TYPE): WHY" for what it left out.
  const std::vector<std::string>& passed() const { return passed_; }

private:
  bool nodeOutput(const Node& node, const PlugRef& source, NurbsData& out, std::string& why);
  bool inputOf(const Node& node, const std::string& key, NurbsData& out, std::string& why);
  void deform(const Node& node, int index, NurbsData& out);
  void pass(const Node& node, const std::string& why, bool evaluated);

  const Node* shape_;
  std::set<const Node*> active_;  // being evaluated: seeing one again is a cycle
  std::vector<std::string> passed_;
};

}  // namespace OmbrixHost
