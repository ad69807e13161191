#pragma once
// Which shading entry shades a polygon: the first shading group (in table
// order) whose members hold the polygon's object, whole or by a face
// component that contains the polygon.
#include <maya/MString.h>

#include <vector>

struct ShadingTable;

// The entry index, -1 when none is found (or a vertex component is met,
// with a message), -2 when polygonIndex is -1 and a face component is met.
int findPolygonMaterial(const ShadingTable& table, const MString& fullPath, const MString& partialPath,
                        int polygonIndex);

// The same answers for every polygon of one object, worked out once from the
// object's members: what the export asks polygon by polygon.
class MeshShading {
 public:
  MeshShading(const ShadingTable& table, const MString& fullPath, const MString& partialPath, int polygonCount);
  // Entry of each polygon, -1 for none.
  const std::vector<int>& entries() const { return entries_; }

 private:
  std::vector<int> entries_;
};
