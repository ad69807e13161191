// polyConnectComponents: the listed edges and vertices joined by new edges
// across the faces holding them. Each listed edge takes a point at its
// middle (in edge order, after the mesh's points), which every face walking
// it takes as a corner; a face holding exactly two such points or listed
// corners not joined by one of its edges is cut in two between them, the part
// with its first corner keeping its place and the other following the mesh's
// faces. Listed faces, and faces holding more than two, are not cut: the
// paths Maya gathers them into are not described.
#include "FaceCutting.h"
#include "ModelingSteps.h"
#include "Point3Math.h"

#include <algorithm>

namespace OmbrixHost {

bool connectComponents(const Node& node, MeshData& mesh, std::string& why) {
  const MeshEdges edges = meshEdges(mesh);
  const ListedElements listedEdges = listedElements(node, MFn::kMeshEdgeComponent, edges.count());
  const ListedElements listedPoints =
      listedElements(node, MFn::kMeshVertComponent, static_cast<int>(mesh.points.size()));
  if (!listedEdges.unreadable.empty()) {
    why = "its component \"" + listedEdges.unreadable + "\" cannot be read";
    return false;
  }
  if (!listedElements(node, MFn::kMeshPolygonComponent, mesh.numFaces()).elements.empty()) {
    why = "it connects faces, which the host does not evaluate";
    return false;
  }
  std::string stray;
  for (const auto& item : listedEdges.stray)
    if (std::find(listedPoints.stray.begin(), listedPoints.stray.end(), item) != listedPoints.stray.end())
      stray += (stray.empty() ? "its components \"" : ", \"") + item + "\"";
  if (!stray.empty())
    why = stray + " name no edge or vertex of the mesh and are left out";
  PolygonList list = PolygonList::of(mesh);
  std::map<int, EdgePoint> onEdges;
  std::vector<int> order = listedEdges.elements;
  std::sort(order.begin(), order.end());
  order.erase(std::unique(order.begin(), order.end()), order.end());
  for (int e : order) {
    const auto [a, b] = edges.ends[static_cast<std::size_t>(e)];
    onEdges[e] = EdgePoint{list.addPoint(lerp(list.points[static_cast<std::size_t>(a)], list.points[static_cast<std::size_t>(b)], 0.5)),
                           a, 0.5};
  }
  std::vector<bool> stops(list.points.size(), false);
  for (int v : listedPoints.elements)
    stops[static_cast<std::size_t>(v)] = true;
  cutFaces(list, mesh, edges, onEdges, stops);
  mesh = list.toMesh();
  return true;
}

}  // namespace OmbrixHost
