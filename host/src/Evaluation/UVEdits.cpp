#include "UVEdits.h"

#include "UVContour.h"
#include "UVProjections.h"
#include "UVShells.h"

namespace OmbrixHost {
namespace {

const char* const kTypes[] = {"polyPlanarProj", "polyCylProj", "polySphProj", "polyFlipUV",
                              "polyMapSewMove", "polyAutoProj", "polyLayoutUV", "polyContourProj"};

}  // namespace

bool isUVEdit(const Node& node) {
  const std::string& type = node.typeName;
  if (type.compare(0, 4, "poly") != 0)
    return false;
  for (const char* t : kTypes)
    if (type == t)
      return true;
  return false;
}

bool applyUVEdit(const Node& node, MeshData& mesh, std::string& why, bool& hostLayout) {
  const std::string& type = node.typeName;
  hostLayout = false;
  if (type == "polyFlipUV")
    return flipUVs(node, mesh, why);
  if (type == "polyMapSewMove")
    return sewMoveUVs(node, mesh, why, hostLayout);
  if (type == "polyAutoProj")
    return autoProjectUVs(node, mesh, why, hostLayout);
  if (type == "polyContourProj")
    return contourProjectUVs(node, mesh, why, hostLayout);
  if (type == "polyLayoutUV")
    return layoutUVs(node, mesh, why, hostLayout);
  return projectUVs(node, mesh, why);
}

}  // namespace OmbrixHost
