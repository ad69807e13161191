#include "ModelingNodes.h"
#include "PolygonList.h"

#include <algorithm>

namespace OmbrixHost {
namespace {

// The chosen shells in their order, then the faces of all the others (if any) in face order.
std::vector<std::vector<int>> chosenPieces(const std::vector<std::vector<int>>& shells, const std::vector<int>& chosen) {
  std::vector<std::vector<int>> pieces;
  for (int shell : chosen)
    pieces.push_back(shells[static_cast<std::size_t>(shell)]);
  std::vector<int> rest;
  for (std::size_t s = 0; s < shells.size(); ++s)
    if (std::find(chosen.begin(), chosen.end(), static_cast<int>(s)) == chosen.end())
      rest.insert(rest.end(), shells[s].begin(), shells[s].end());
  std::sort(rest.begin(), rest.end());
  if (!rest.empty())
    pieces.push_back(std::move(rest));
  return pieces;
}

}  // namespace

bool separatePiece(MeshData& mesh, int index, const std::vector<int>& chosen, std::string& why) {
  if (!wellFormed(mesh)) {
    why = "its input mesh has faces of fewer than three corners or of points it does not have";
    return false;
  }
  PolygonList list = PolygonList::of(mesh);
  const std::vector<std::vector<int>> shells = polygonShells(list);
  for (int shell : chosen)
    if (shell < 0 || static_cast<std::size_t>(shell) >= shells.size()) {
      why = "its remShells name shell " + std::to_string(shell) + " of a mesh of " + std::to_string(shells.size());
      return false;
    }
  const std::vector<std::vector<int>> pieces = chosen.empty() ? shells : chosenPieces(shells, chosen);
  if (index < 0 || static_cast<std::size_t>(index) >= pieces.size()) {
    why = "its output[" + std::to_string(index) + "] names no piece of the mesh, which has " +
          std::to_string(pieces.size());
    return false;
  }
  std::vector<Polygon> piece;
  for (int f : pieces[static_cast<std::size_t>(index)])
    piece.push_back(std::move(list.polygons[static_cast<std::size_t>(f)]));
  list.polygons = std::move(piece);
  mesh = list.toMesh();
  return true;
}

}  // namespace OmbrixHost
