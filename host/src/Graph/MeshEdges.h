#pragma once
// The edges of a mesh and the edge each face-vertex starts: corner k of a face
// walks from its vertex to the face's next corner.
#include "GeometryData.h"

#include <utility>
#include <vector>

namespace OmbrixHost {

struct MeshEdges {
  std::vector<std::pair<int, int>> ends;  // the two vertices of each edge
  // Per face-vertex: the edge from it to the next corner, e when walked from
  // ends[e].first, -e - 1 when walked the other way.
  std::vector<long long> loops;

  int count() const { return static_cast<int>(ends.size()); }
  // The edge a face-vertex starts, whichever way it walks it.
  static int edgeOf(long long loop) { return loop >= 0 ? static_cast<int>(loop) : static_cast<int>(-loop - 1); }
};

// Edges in the order the faces first use them.
MeshEdges faceOrderEdges(const MeshData& m);
// The edges the mesh's data gives (as a file lists them) when every face
// walks edges of that list; else those of faceOrderEdges.
MeshEdges meshEdges(const MeshData& m);

// Gives `after` an edge list in the order of `before`'s edges (those of a mesh
// it was made from by taking parts away, `pointIds` naming each old point's
// new number or -1): the edges its faces still walk keep their order, any
// others follow in the order the faces first use them. This is how Maya
// numbers the edges that remain when components are deleted.
void keepEdgeOrder(const MeshEdges& before, const std::vector<int>& pointIds, MeshData& after);

}  // namespace OmbrixHost
