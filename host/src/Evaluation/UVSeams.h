#pragma once
// Cutting and sewing UV shells along mesh edges, as Maya's Cut and Sew UV
// Edges do: the mesh keeps its vertices and faces, only UV ids change.
#include "GeometryData.h"
#include "MeshEdges.h"

#include <vector>

namespace OmbrixHost {

// Along each edge marked in `cut`, the face-vertices of the faces on one side
// take new UVs (copies of the values they shared), so that the shells part
// there. Around an end vertex the faces stay one piece across each edge that
// is not cut and whose faces share its UVs at both ends (an edge parted at
// either end before is a seam already); a vertex whose faces stay one piece
// keeps its UV. The new ids follow the existing ones, numbered as `order` says.
enum class CutOrder {
  // As polyMapCut numbers them: the cut edges from the highest
  // down, each one's start vertex, then its end. Round a vertex, the piece of
  // the face walking the cut edge into it keeps the id, then the pieces met
  // going round from that face, each across the edge its corner there starts,
  // take new ones.
  kMapCut,
  // The piece holding the vertex's lowest face-vertex keeps the id; the others
  // take new ones in the order their face-vertices are first met.
  kFirstCorner,
};
void cutUVs(const MeshData& m, const MeshEdges& edges, const std::vector<bool>& cut, UVSet& set, CutOrder order);

// Removes the UVs not `kept`, those after them moving down; gives each old
// id's new one (-1 for those removed). The caller renumbers the face-vertices.
std::vector<int> keepUVs(UVSet& set, const std::vector<bool>& kept);

// Along each of the `sewn` edges that two faces share, the UVs of the two
// faces at each end become one: the lower id, with its value. The ids merged
// away are removed and those above them move down.
void sewUVs(const MeshData& m, const MeshEdges& edges, const std::vector<int>& sewn, UVSet& set);

}  // namespace OmbrixHost
