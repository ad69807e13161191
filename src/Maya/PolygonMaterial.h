#pragma once
// Which shading entry shades a polygon: the first shading group (in table
// order) whose members hold the polygon's object, whole or by a face
// component that contains the polygon.
#include <maya/MString.h>

#include <vector>

// The entry index, -1 when none is found (or a vertex component is met,
// with a message), -2 when polygonIndex is -1 and a face component is met.
int findPolygonMaterial(const MString& fullPath, const MString& partialPath, int polygonIndex);

// The same answers for every polygon of one object, worked out once from the
// object's members: what the export asks polygon by polygon.
class MeshShading {
 public:
  MeshShading(const MString& fullPath, const MString& partialPath, int polygonCount);
  // Entry of a polygon, -1 for none or an index outside the object.
  int entry(int polygonIndex) const;

 private:
  std::vector<int> entries_;
};
