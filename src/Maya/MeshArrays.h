#pragma once
// A Maya mesh read in one go for a pass over its polygons: the vertices once
// in world space, and the polygons' vertex counts, indices and UVs as whole
// arrays (what MItMeshPolygon would give face by face, without a call per
// face or corner). Shared by the export and the UV import.
#include <maya/MIntArray.h>
#include <maya/MString.h>

#include <vector>

#include "Math/Vector3.h"
#include "Maya/MeshUvArrays.h"

class MFnMesh;
class MMatrix;

struct WorldPoints {
  std::vector<Vector3> points;  // f32, as the model stores them
  std::vector<bool> finite;     // false where f32 cannot hold the point (NaN, infinite, too large)
};

// Every vertex of the mesh times `world`, once.
WorldPoints worldPoints(const MFnMesh& mesh, const MMatrix& world);

struct MeshArrays {
  MIntArray counts, connects;
  MeshUvArrays uv;  // uv.uvCounts empty when the UV set cannot be read

  MeshArrays(const MFnMesh& mesh, const MString& uvSet);
};

// One polygon's place in the arrays, moved on face by face.
struct PolygonCursor {
  unsigned int face = 0;
  unsigned int corner = 0;    // first index of the face in connects
  unsigned int uvCorner = 0;  // first id of the face in uvIds
};

// The polygon's vertex count, 0 for a negative one.
int polygonSize(const MeshArrays& arrays, const PolygonCursor& at);
// True when the polygon's count corners lie inside the vertex indices.
bool cornersInRange(const MeshArrays& arrays, const PolygonCursor& at, int count);
// True when every corner of the polygon has a UV of the set.
bool hasUVs(const MeshArrays& arrays, const PolygonCursor& at, int count);
void advance(const MeshArrays& arrays, PolygonCursor& at);
