#pragma once
// Polygons of a list joined across the edges between them, as deleting an
// edge joins the two faces beside it: the lower-numbered face (or the one it
// has become part of) takes the other in, keeping its place and first corner.
#include "DisjointSets.h"
#include "MeshEdges.h"
#include "PolygonList.h"

#include <vector>

namespace OmbrixHost {

// Per edge, the faces walking it, in face order.
std::vector<std::vector<int>> facesOfEdges(const MeshData& m, const MeshEdges& edges);

class FaceJoins {
 public:
  explicit FaceJoins(PolygonList& list);
  // Joins the faces now holding polygons a and b across the edge x-y, which one
  // walks from x to y and the other back. False, nothing changed, when they are
  // one face already or do not walk the edge so.
  bool join(int a, int b, int x, int y);
  // Whether polygon f went into another.
  bool joinedAway(int f) { return owner_.find(static_cast<std::size_t>(f)) != static_cast<std::size_t>(f); }
  // The list without the polygons joined away or `dropped`.
  void removeJoined(const std::vector<bool>& dropped);

 private:
  PolygonList& list_;
  DisjointSets owner_;
};

}  // namespace OmbrixHost
