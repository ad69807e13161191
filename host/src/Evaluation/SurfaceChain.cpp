#include "SurfaceChain.h"

#include "Deformers.h"
#include "MeshHistory.h"
#include "Modifiers.h"
#include "Primitives.h"

#include <algorithm>

namespace OmbrixHost {
namespace {

const std::size_t kMaxDepth = 1000;

std::string named(const Node& node) { return node.name + " (" + node.typeName + ")"; }

}  // namespace

bool SurfaceChain::surfaceAt(const PlugRef& source, NurbsData& out, std::string& why) {
  const Node& node = *source.node;
  if (!active_.insert(&node).second || active_.size() > kMaxDepth) {
    why = node.name + " is not evaluated (its history runs in a cycle or deeper than " + std::to_string(kMaxDepth) +
          " nodes)";
    return false;
  }
  const bool ok = nodeOutput(node, source, out, why);
  active_.erase(&node);
  return ok;
}

bool SurfaceChain::nodeOutput(const Node& node, const PlugRef& source, NurbsData& out, std::string& why) {
  if (node.nurbs) {
    if (incomingConnection(&node, "create"))
      return inputOf(node, "create", out, why);
    if (node.nurbs->valid()) {
      out = *node.nurbs;
      return true;
    }
    why = node.name + " is not evaluated (the surface holds no data in the file)";
    return false;
  }
  if (isDeformer(node)) {
    const int index = source.indices.empty() ? 0 : std::max(0, source.indices.front());
    if (!inputOf(node, "input[" + std::to_string(index) + "].inputGeometry", out, why))
      return false;
    deform(node, index, out);
    return true;
  }
  if (node.typeName == "groupParts" || node.typeName == "transformGeometry") {
    if (!inputOf(node, "inputGeometry", out, why))
      return false;
    std::string bad;
    if (node.typeName == "transformGeometry" && !transformGeometryPoints(node, out.cvs, bad))
      pass(node, bad, false);
    return true;
  }
  std::string bad;
  if (generateNurbsPrimitive(node, out, bad))
    return true;
  why = node.name + " is not evaluated (" + bad + ")";
  return false;
}

bool SurfaceChain::inputOf(const Node& node, const std::string& key, NurbsData& out, std::string& why) {
  const Connection* in = incomingConnection(&node, key);
  if (in)
    return surfaceAt(in->remote, out, why);
  why = node.name + " is not evaluated (nothing is connected to its " + key + ")";
  return false;
}

// The deformer moves the CVs, in the order the surface keeps them (u major),
// which is the order of its weights; one the host cannot evaluate passes them on.
void SurfaceChain::deform(const Node& node, int index, NurbsData& out) {
  if (!movesPointsAlone(node)) {
    pass(node, "the host deforms only meshes with " + node.typeName + " nodes", false);
    return;
  }
  std::string said;
  DeformerSources sources{[](const PlugRef&, MeshData&) { return false; }, shape_};
  if (!deformPoints(node, index, out.cvs, sources, said))
    pass(node, said, false);
  else if (!said.empty())
    pass(node, said, true);
}

void SurfaceChain::pass(const Node& node, const std::string& why, bool evaluated) {
  passed_.push_back("through " + named(node) +
                    (evaluated ? ": " + why
                               : " is not evaluated (" + why + "); the surface takes the geometry upstream of it"));
}

}  // namespace OmbrixHost
