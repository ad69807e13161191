#pragma once
// New points on edges taken into the faces that walk them, and faces cut in
// two between two such points or listed corners: what polySplitRing and
// polyConnectComponents share.
#include "MeshEdges.h"
#include "PolygonList.h"

#include <map>
#include <utility>
#include <vector>

namespace OmbrixHost {

struct EdgePoint {
  int point;   // in the list's points
  int from;    // the edge's end the point lies `t` of the way from
  double t;
};

// Each face walking an edge of `onEdges` takes its point as a corner (its UVs
// between the edge's, shared where the faces share those). A face then holding
// exactly two stops (new corners, or corners whose point `stops` marks) not
// joined by one of its edges is cut in two between them: the part holding
// its first corner keeps its place, the other follows the list's polygons.
// `mesh` is the mesh the list was made of, `edges` its edges.
void cutFaces(PolygonList& list, const MeshData& mesh, const MeshEdges& edges, const std::map<int, EdgePoint>& onEdges,
              const std::vector<bool>& stops);

// As a ring of cuts makes them: each face walking an edge of `onEdges` takes
// its point as a corner, and each face of `ring` (in the ring's order, each
// walking two edges of `onEdges`) is cut in two between their points. The
// face keeps its corners on the side the points are measured from, the other
// side's corners giving way to the points in their places; the other part,
// made the same way from the far side, follows the list's polygons in the
// ring's order. A part that loses the face's first corner starts at the
// point before it, or where there is none, at the point the ring leaves the
// face by. `ring` gives (face, the new point the ring leaves it by).
void cutRing(PolygonList& list, const MeshData& mesh, const MeshEdges& edges, const std::map<int, EdgePoint>& onEdges,
             const std::vector<std::pair<int, int>>& ring);

}  // namespace OmbrixHost
