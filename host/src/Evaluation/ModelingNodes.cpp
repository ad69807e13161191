#include "ModelingNodes.h"

#include "ModelingSteps.h"
#include "ComponentLists.h"

#include <cmath>

namespace OmbrixHost {
namespace {

using Step = bool (*)(const Node&, MeshData&, std::string&);

struct ModelingNode {
  const char* type;
  const char* input;
  Step apply;
};

const ModelingNode kNodes[] = {
    {"deleteComponent", "inputGeometry", deleteComponents}, {"polyNormal", "inputPolymesh", reverseNormals},
    {"polyExtrudeFace", "inputPolymesh", extrudeFaces},     {"polyExtrudeEdge", "inputPolymesh", extrudeEdges},
    {"polySmoothFace", "inputPolymesh", smoothFaces},       {"polySplitRing", "inputPolymesh", splitRing},
    {"polySplit", "inputPolymesh", splitFaces},
    {"polyMirror", "inputPolymesh", mirrorMesh},            {"polyBridgeEdge", "inputPolymesh", bridgeEdges},
    {"polyBevel3", "inputPolymesh", bevelEdges},            {"polyTriangulate", "inputPolymesh", triangulateFaces},
    {"polyCloseBorder", "inputPolymesh", closeBorders},     {"polyMergeVert", "inputPolymesh", mergeVertices},
    {"polySoftEdge", "inputPolymesh", keepMesh},            {"polyNormalPerVertex", "inputPolymesh", keepMesh},
    {"polyQuad", "inputPolymesh", quadrangulate},           {"polyDelEdge", "inputPolymesh", deleteEdges},
    {"polySewEdge", "inputPolymesh", sewEdges},             {"polySplitEdge", "inputPolymesh", splitEdges},
    {"polyConnectComponents", "inputPolymesh", connectComponents}, {"polyAppend", "inputPolymesh", appendFace},
    {"polyAppendVertex", "inputPolymesh", appendVertexFace},
};

const char* const kMalformed = "its input mesh has faces of fewer than three corners or of points it does not have";

const ModelingNode* modelingNode(const Node& node) {
  for (const auto& entry : kNodes)
    if (node.typeName == entry.type)
      return &entry;
  return nullptr;
}

}  // namespace

bool listedComponents(const Node& node, MFn::Type type, int count, bool allWhenEmpty, std::vector<bool>& chosen,
                      std::string& why) {
  ListedElements listed = listedElements(node, type, count);
  if (!listed.unreadable.empty()) {
    why = "its component \"" + listed.unreadable + "\" cannot be read";
    return false;
  }
  chosen.assign(static_cast<std::size_t>(count), allWhenEmpty && !listed.given);
  for (int f : listed.elements)
    chosen[static_cast<std::size_t>(f)] = true;
  if (!listed.stray.empty())
    why = strayNote(listed,
                    type == MFn::kMeshEdgeComponent ? "edge" : type == MFn::kMeshVertComponent ? "vertex" : "face",
                    count);
  return true;
}

bool allNumbers(std::initializer_list<double> values, std::string& why) {
  for (double v : values)
    if (!std::isfinite(v)) {
      why = "a value is not a number";
      return false;
    }
  return true;
}

bool worldPoints(const Node& node, const MeshData& mesh, std::vector<Point3>& points, std::string& why) {
  points = mesh.points;
  const Value matrix = node.value("inputMatrix");
  if (node.number("worldSpace", 0.0) == 0.0 || matrix.kind == Value::kNone)
    return true;
  Matrix4 toWorld;
  if (!Matrix4::fromValue(&matrix, toWorld)) {
    why = "its inputMatrix is not a matrix";
    return false;
  }
  for (auto& p : points)
    p = toWorld.apply(p);
  return true;
}

bool chosenEdges(const Node& node, const MeshData& mesh, MeshEdges& edges, std::vector<bool>& chosen, std::string& why) {
  edges = meshEdges(mesh);
  return listedComponents(node, MFn::kMeshEdgeComponent, edges.count(), false, chosen, why);
}

bool finishWithNewUVs(const PolygonList& list, MeshData& mesh, const char* faces, std::string& why) {
  const bool withUVs = hasUVs(mesh);
  mesh = list.toMesh();
  if (withUVs && why.empty())
    why = std::string("the UVs of its ") + faces + " are laid out by mayahost; Maya's layout may differ";
  return true;
}

const char* modelingInput(const Node& node) {
  const ModelingNode* entry = modelingNode(node);
  return entry ? entry->input : nullptr;
}

bool applyModeling(const Node& node, MeshData& mesh, std::string& why) {
  const ModelingNode* entry = modelingNode(node);
  mesh.rebuildFaceStarts();
  if (entry && !wellFormed(mesh)) {
    why = kMalformed;
    return false;
  }
  return entry && entry->apply(node, mesh, why);
}

}  // namespace OmbrixHost
