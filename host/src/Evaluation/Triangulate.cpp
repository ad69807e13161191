// polyTriangulate: each listed face (every face when none are listed) of more
// than three corners cut into triangles fanning out from its first corner, in
// corner order; the first triangle keeps the face's number, the others follow
// the mesh's faces. Points and UVs are unchanged. polySoftEdge and
// polyNormalPerVertex change only edge hardness and normals, which the host
// does not keep: the mesh passes through them unchanged.
#include "ModelingSteps.h"

namespace OmbrixHost {

bool triangulateFaces(const Node& node, MeshData& mesh, std::string& why) {
  std::vector<bool> chosen;
  if (!listedComponents(node, MFn::kMeshPolygonComponent, mesh.numFaces(), true, chosen, why))
    return false;
  PolygonList list = PolygonList::of(mesh);
  const std::size_t faces = list.polygons.size();
  for (std::size_t f = 0; f < faces; ++f) {
    if (!chosen[f] || list.polygons[f].vertices.size() <= 3)
      continue;
    const Polygon face = list.polygons[f];
    for (std::size_t k = 1; k + 1 < face.vertices.size(); ++k) {
      Polygon triangle{{face.vertices[0], face.vertices[k], face.vertices[k + 1]}, {}};
      for (const auto& ids : face.uvs)
        triangle.uvs.push_back({ids[0], ids[k], ids[k + 1]});
      if (k == 1)
        list.polygons[f] = std::move(triangle);
      else
        list.polygons.push_back(std::move(triangle));
    }
  }
  mesh = list.toMesh();
  return true;
}

bool keepMesh(const Node&, MeshData&, std::string&) { return true; }

}  // namespace OmbrixHost
