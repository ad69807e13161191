// polyTriangulate: each listed face (every face when none are listed) of more
// than three corners cut into triangles fanning out from its first corner, in
// corner order, and each listed face with holes into the triangles of its
// surface around them; the first triangle keeps the face's number, the others
// follow the mesh's faces. Points and UVs are unchanged. polySoftEdge and
// polyNormalPerVertex change only edge hardness and normals, which the host
// does not keep: the mesh passes through them unchanged.
#include "ModelingSteps.h"
#include "HoledFaces.h"

namespace OmbrixHost {

namespace {

// The triangles of face f: a fan from its first corner, or for a face with
// holes the triangles of its surface around them, as the shape shows it.
std::vector<Polygon> trianglesOf(const MeshData& mesh, const Polygon& face, int f,
                                 const std::vector<const FaceHole*>& holes) {
  std::vector<Polygon> out;
  if (!holes.empty()) {
    const auto corners = holedFaceTriangleCorners(mesh, f, holes);
    for (std::size_t k = 0; k + 2 < corners.size(); k += 3) {
      Polygon triangle{{corners[k].vertex, corners[k + 1].vertex, corners[k + 2].vertex}, {}};
      for (std::size_t s = 0; s < face.uvs.size(); ++s)
        triangle.uvs.push_back({corners[k].uvIds[s], corners[k + 1].uvIds[s], corners[k + 2].uvIds[s]});
      out.push_back(std::move(triangle));
    }
    return out;
  }
  for (std::size_t k = 1; k + 1 < face.vertices.size(); ++k) {
    Polygon triangle{{face.vertices[0], face.vertices[k], face.vertices[k + 1]}, {}};
    for (const auto& ids : face.uvs)
      triangle.uvs.push_back({ids[0], ids[k], ids[k + 1]});
    out.push_back(std::move(triangle));
  }
  return out;
}

}  // namespace

bool triangulateFaces(const Node& node, MeshData& mesh, std::string& why) {
  std::vector<bool> chosen;
  if (!listedComponents(node, MFn::kMeshPolygonComponent, mesh.numFaces(), true, chosen, why))
    return false;
  mesh.rebuildFaceStarts();
  std::vector<std::vector<const FaceHole*>> holesOf(static_cast<std::size_t>(mesh.numFaces()));
  for (const FaceHole& hole : mesh.holes)
    if (hole.face >= 0 && hole.face < mesh.numFaces())
      holesOf[static_cast<std::size_t>(hole.face)].push_back(&hole);
  PolygonList list = PolygonList::of(mesh);
  const std::size_t faces = list.polygons.size();
  for (std::size_t f = 0; f < faces; ++f) {
    const Polygon& face = list.polygons[f];
    if (!chosen[f] || (face.vertices.size() <= 3 && face.holes.empty()))
      continue;
    std::vector<Polygon> triangles = trianglesOf(mesh, face, static_cast<int>(f), holesOf[f]);
    if (triangles.empty())
      continue;
    list.polygons[f] = std::move(triangles.front());
    for (std::size_t k = 1; k < triangles.size(); ++k)
      list.polygons.push_back(std::move(triangles[k]));
  }
  mesh = list.toMesh();
  return true;
}

bool keepMesh(const Node&, MeshData&, std::string&) { return true; }

}  // namespace OmbrixHost
