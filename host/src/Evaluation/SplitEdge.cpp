// polySplitEdge: the faces parted along the listed edges (operation 1, as in
// Maya). At each end of a split edge, the faces no longer joined round that
// point by edges not split take a copy of it, numbered after the mesh's
// points in the order the copies are first met; the group holding the point's
// first face-vertex keeps it. The UVs part along the same edges. Splitting
// non-manifold edges (operation 0) is not evaluated.
#include "ModelingSteps.h"
#include "UVSeams.h"

namespace OmbrixHost {

bool splitEdges(const Node& node, MeshData& mesh, std::string& why) {
  if (node.number("operation", 1.0) == 0.0) {
    why = "it splits non-manifold edges (operation 0), which the host does not evaluate";
    return false;
  }
  MeshEdges edges;
  std::vector<bool> chosen;
  if (!chosenEdges(node, mesh, edges, chosen, why))
    return false;
  // The corners' points parted as UVs part along a cut: ids past the points are copies.
  const std::size_t points = mesh.points.size();
  UVSet corners{"", std::vector<float>(points, 0.0f), std::vector<float>(points, 0.0f), mesh.faceConnects};
  cutUVs(mesh, edges, chosen, corners, CutOrder::kFirstCorner);
  for (auto& set : mesh.uvSets)
    cutUVs(mesh, edges, chosen, set, CutOrder::kFirstCorner);
  std::vector<Point3> copies(corners.us.size() - points);
  for (std::size_t c = 0; c < mesh.faceConnects.size(); ++c) {
    const std::size_t id = static_cast<std::size_t>(corners.uvIds[c]);
    if (id >= points)
      copies[id - points] = mesh.points[static_cast<std::size_t>(mesh.faceConnects[c])];
  }
  mesh.points.insert(mesh.points.end(), copies.begin(), copies.end());
  mesh.faceConnects = corners.uvIds;
  mesh = PolygonList::of(mesh).toMesh();
  return true;
}

}  // namespace OmbrixHost
