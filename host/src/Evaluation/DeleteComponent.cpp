// deleteComponent: the faces, edges and vertices of its deleteComponents list
// taken out of the mesh. A face goes with its corners; an edge between two
// faces goes by joining them into one (the lower keeps its place); a vertex on
// two edges only leaves the faces it is a corner of (a face left with fewer
// than three corners goes), while one on more edges stays; points and UVs
// nothing uses any more go too. What remains keeps its order: faces,
// points and UVs, and the edges too (not renumbered by walking the faces).
#include "Components.h"
#include "FaceJoins.h"
#include "MeshEdges.h"
#include "ModelingSteps.h"
#include "PolygonList.h"

#include <set>

namespace OmbrixHost {
namespace {

struct Deletion {
  std::vector<bool> faces;
  std::vector<int> edges;
  std::vector<int> vertices;
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
        out.vertices.push_back(e);
      }
    }
    if (!inRange || (type != MFn::kMeshPolygonComponent && type != MFn::kMeshEdgeComponent &&
                     type != MFn::kMeshVertComponent))
      out.stray.push_back(text);
  }
  return true;
}

// The points of `vertices` that lie on two edges only: each leaves the
// polygons it is a corner of, and a polygon left with fewer than three corners goes.
void removeWingedPoints(PolygonList& list, const std::vector<int>& vertices) {
  std::vector<std::set<int>> neighbours(list.points.size());
  for (const auto& p : list.polygons)
    for (std::size_t k = 0; k < p.vertices.size(); ++k) {
      const int a = p.vertices[k], b = p.vertices[(k + 1) % p.vertices.size()];
      neighbours[static_cast<std::size_t>(a)].insert(b);
      neighbours[static_cast<std::size_t>(b)].insert(a);
    }
  std::vector<bool> winged(list.points.size(), false);
  for (int v : vertices)
    winged[static_cast<std::size_t>(v)] = neighbours[static_cast<std::size_t>(v)].size() == 2;
  std::vector<Polygon> remaining;
  for (auto& p : list.polygons) {
    Polygon left{{}, std::vector<std::vector<int>>(p.uvs.size()), std::move(p.holes)};
    for (std::size_t k = 0; k < p.vertices.size(); ++k) {
      if (winged[static_cast<std::size_t>(p.vertices[k])])
        continue;
      left.vertices.push_back(p.vertices[k]);
      for (std::size_t s = 0; s < p.uvs.size(); ++s)
        left.uvs[s].push_back(p.uvs[s][k]);
    }
    if (left.vertices.size() >= 3)
      remaining.push_back(std::move(left));
  }
  list.polygons = std::move(remaining);
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
  removeWingedPoints(list, deletion.vertices);
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
  if (!notes.empty())
    why = notes;
  return true;
}

}  // namespace OmbrixHost
