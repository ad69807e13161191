#pragma once
// Cutting and sewing UV shells along mesh edges, as Maya's Cut and Sew UV
// Edges do: the mesh keeps its vertices and faces, only UV ids change.
#include "GeometryData.h"
#include "MeshEdges.h"

#include <vector>

namespace OmbrixHost {

// Along each edge marked in `cut`, the face-vertices of the faces on one side
// take new UVs (copies of the values they shared), so that the shells part
// there. Where the faces around an end vertex stay joined by edges not cut,
// that vertex keeps its UV. Of the parts around a vertex, the one holding the
// lowest face-vertex keeps the UV id; the others' new ids follow the existing ones.
void cutUVs(const MeshData& m, const MeshEdges& edges, const std::vector<bool>& cut, UVSet& set);

// Removes the UVs not `kept`, those after them moving down; gives each old
// id's new one (-1 for those removed). The caller renumbers the face-vertices.
std::vector<int> keepUVs(UVSet& set, const std::vector<bool>& kept);

// Along each of the `sewn` edges that two faces share, the UVs of the two
// faces at each end become one: the lower id, with its value. The ids merged
// away are removed and those above them move down.
void sewUVs(const MeshData& m, const MeshEdges& edges, const std::vector<int>& sewn, UVSet& set);

}  // namespace OmbrixHost
