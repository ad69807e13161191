#pragma once
// A mesh as a list of polygons whose corners carry their vertex and a UV per
// UV set, for the modelling nodes that change a mesh's topology: they edit
// the polygons and append points and UVs, then make a mesh of them again.
#include "GeometryData.h"

#include <vector>

namespace OmbrixHost {

struct Polygon {
  std::vector<int> vertices;
  std::vector<std::vector<int>> uvs;  // per UV set, per corner; -1 where the corner has none
  std::vector<Polygon> holes = {};    // loops cut out of it, their corners alike
};

struct PolygonList {
  std::vector<Point3> points;
  std::vector<UVSet> sets;  // values and names; the ids live on the polygons
  int currentUVSet = 0;
  std::vector<Polygon> polygons;

  static PolygonList of(const MeshData& m);
  // The mesh of the polygons and their holes. Points and UVs no polygon or
  // hole uses are dropped and those after them move down, keeping their order.
  MeshData toMesh() const;
  // Each point's number in toMesh's mesh; -1 for those it drops.
  std::vector<int> pointIds() const;
  // A copy of the UV `uv` of set `set`, appended; -1 stays -1.
  int copyUV(std::size_t set, int uv);
  // A new UV of set `set` between UVs a and b (t from a to b); -1 when either is -1.
  int blendUV(std::size_t set, int a, int b, double t);
  int addPoint(Point3 p);
};

// Each polygon's corners renamed by `into` (old point -> new), a corner
// repeating the one before it (or the first, at the end) dropped; polygons
// left with fewer than three corners go.
void renameCorners(PolygonList& list, const std::vector<int>& into);

// Every face has three corners or more, each a point of the mesh, and the
// corners add up to the face list: what the modelling nodes need of their input.
bool wellFormed(const MeshData& m);

// Whether any UV set of the mesh holds UVs.
bool hasUVs(const MeshData& m);

// Groups of polygons joined by shared edges (vertex pairs), each in the order of
// its lowest polygon, polygons ascending within it.
std::vector<std::vector<int>> polygonShells(const PolygonList& list);

}  // namespace OmbrixHost
