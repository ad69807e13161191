// deleteComponent: the faces, edges and vertices of its deleteComponents list
// taken out of the mesh. A face goes with its corners; an edge between two
// faces goes by joining them into one (the lower keeps its place); points and
// UVs nothing uses any more go too. What remains keeps its order: faces,
// points and UVs, and the edges too (not renumbered by walking the faces).
#include "Components.h"
#include "FaceJoins.h"
#include "MeshEdges.h"
#include "ModelingSteps.h"
#include "PolygonList.h"

namespace OmbrixHost {
namespace {

struct Deletion {
  std::vector<bool> faces;
  std::vector<int> edges;
  int vertices = 0;
  std::vector<std::string> stray;
};

bool readList(const Node& node, const MeshData& m, int edgeCount, Deletion& out, std::string& why) {
  const Value list = node.value("deleteComponents");
  out.faces.assign(static_cast<std::size_t>(m.numFaces()), false);
  if (list.kind != Value::kStrings || list.strings.empty()) {
    why = "its deleteComponents list is empty; the mesh is unchanged";
    return true;
  }
  for (const auto& text : list.strings) {
    MFn::Type type;
    std::vector<int> elements;
    if (!parseComponent(text, type, elements, -1)) {
      why = "its component \"" + text + "\" cannot be read";
      return false;
    }
    int count = type == MFn::kMeshPolygonComponent ? m.numFaces()
                : type == MFn::kMeshEdgeComponent  ? edgeCount
                                                   : static_cast<int>(m.points.size());
    bool inRange = true;
    for (int e : elements) {
      if (e < 0 || e >= count) {
        inRange = false;
      } else if (type == MFn::kMeshPolygonComponent) {
        out.faces[static_cast<std::size_t>(e)] = true;
      } else if (type == MFn::kMeshEdgeComponent) {
        out.edges.push_back(e);
      } else if (type == MFn::kMeshVertComponent) {
        ++out.vertices;
      }
    }
    if (!inRange || (type != MFn::kMeshPolygonComponent && type != MFn::kMeshEdgeComponent &&
                     type != MFn::kMeshVertComponent))
      out.stray.push_back(text);
  }
  return true;
}

}  // namespace

bool deleteComponents(const Node& node, MeshData& mesh, std::string& why) {
  const MeshEdges edges = meshEdges(mesh);
  Deletion deletion;
  if (!readList(node, mesh, edges.count(), deletion, why))
    return false;
  PolygonList list = PolygonList::of(mesh);
  FaceJoins joins(list);
  const std::vector<std::vector<int>> facesOfEdge = facesOfEdges(mesh, edges);
  int kept = 0;
  for (int e : deletion.edges) {
    const auto& faces = facesOfEdge[static_cast<std::size_t>(e)];
    const auto [x, y] = edges.ends[static_cast<std::size_t>(e)];
    if (faces.size() != 2 || deletion.faces[static_cast<std::size_t>(faces[0])] ||
        deletion.faces[static_cast<std::size_t>(faces[1])] || !joins.join(faces[0], faces[1], x, y))
      ++kept;
  }
  joins.removeJoined(deletion.faces);
  const std::vector<int> pointIds = list.pointIds();
  mesh = list.toMesh();
  keepEdgeOrder(edges, pointIds, mesh);
  std::string notes;
  for (const auto& item : deletion.stray)
    notes += (notes.empty() ? "its components \"" : ", \"") + item + "\"";
  if (!notes.empty())
    notes += " name nothing of the mesh it can delete and are left out";
  if (kept > 0)
    notes += std::string(notes.empty() ? "" : "; ") + std::to_string(kept) +
             " of its edges do not lie between two faces and are kept";
  if (deletion.vertices > 0)
    notes += std::string(notes.empty() ? "" : "; ") + "its vertices are not deleted (the host deletes faces and edges)";
  if (!notes.empty())
    why = notes;
  return true;
}

}  // namespace OmbrixHost
