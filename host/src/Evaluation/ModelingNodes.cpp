#include "ModelingNodes.h"

#include "ModelingSteps.h"
#include "Modifiers.h"

namespace OmbrixHost {

bool listedFaces(const Node& node, int count, bool allWhenEmpty, std::vector<bool>& chosen, std::string& why) {
  ListedElements listed = listedElements(node, MFn::kMeshPolygonComponent, count);
  if (!listed.unreadable.empty()) {
    why = "its component \"" + listed.unreadable + "\" cannot be read";
    return false;
  }
  chosen.assign(static_cast<std::size_t>(count), allWhenEmpty && !listed.given);
  for (int f : listed.elements)
    chosen[static_cast<std::size_t>(f)] = true;
  if (!listed.stray.empty())
    why = "its components " + quotedList(listed.stray) + " name no face of the mesh (which has " +
          std::to_string(count) + ") and are left out";
  return true;
}

const char* modelingInput(const Node& node) {
  if (node.typeName == "deleteComponent")
    return "inputGeometry";
  for (const char* type : {"polyNormal", "polyExtrudeFace", "polySmoothFace", "polySplitRing", "polyExtrudeEdge", "polyMirror", "polyBridgeEdge"})
    if (node.typeName == type)
      return "inputPolymesh";
  return nullptr;
}

bool applyModeling(const Node& node, MeshData& mesh, std::string& why) {
  if (node.typeName == "deleteComponent")
    return deleteComponents(node, mesh, why);
  if (node.typeName == "polyNormal")
    return reverseNormals(node, mesh, why);
  if (node.typeName == "polySmoothFace")
    return smoothFaces(node, mesh, why);
  if (node.typeName == "polySplitRing")
    return splitRing(node, mesh, why);
  if (node.typeName == "polyExtrudeEdge")
    return extrudeEdges(node, mesh, why);
  if (node.typeName == "polyMirror")
    return mirrorMesh(node, mesh, why);
  if (node.typeName == "polyBridgeEdge")
    return bridgeEdges(node, mesh, why);
  if (node.typeName == "polyExtrudeFace")
    return extrudeFaces(node, mesh, why);
  return false;
}

}  // namespace OmbrixHost
