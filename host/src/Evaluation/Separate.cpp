#include "ModelingNodes.h"
#include "PolygonList.h"

namespace OmbrixHost {

bool separatePiece(MeshData& mesh, int index, std::string& why) {
  if (!wellFormed(mesh)) {
    why = "its input mesh has faces of fewer than three corners or of points it does not have";
    return false;
  }
  PolygonList list = PolygonList::of(mesh);
  std::vector<std::vector<int>> shells = polygonShells(list);
  if (index < 0 || static_cast<std::size_t>(index) >= shells.size()) {
    why = "its output[" + std::to_string(index) + "] names no piece of the mesh, which has " +
          std::to_string(shells.size());
    return false;
  }
  std::vector<Polygon> piece;
  for (int f : shells[static_cast<std::size_t>(index)])
    piece.push_back(std::move(list.polygons[static_cast<std::size_t>(f)]));
  list.polygons = std::move(piece);
  mesh = list.toMesh();
  return true;
}

}  // namespace OmbrixHost
