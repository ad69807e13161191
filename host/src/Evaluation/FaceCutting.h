#pragma once
// New points on edges taken into the faces that walk them, and faces cut in
// two between two such points or listed corners: what polySplitRing and
// polyConnectComponents share.
#include "MeshEdges.h"
#include "PolygonList.h"

#include <map>
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

}  // namespace OmbrixHost
