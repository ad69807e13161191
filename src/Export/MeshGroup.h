#pragma once
// One mesh as one new group of the model, from plain arrays: its polygons'
// world-space corners, the UV set's values with v flipped into the model's
// frame, and each polygon's material; then the group's edge smoothness and
// corner normals.
#include <vector>

#include "Model3D/PolygonArrays.h"

class HvModel;

// An edge is smooth (smoothness 1, else 0) when its two polygons' normals
// meet at |cos| >= kSmoothEdgeCosine (60 degrees, either facing); a corner
// normal averages the polygons around the corner across edges whose
// smoothness reaches kCornerNormalSmoothness, that is across smooth edges.
constexpr double kSmoothEdgeCosine = 0.5;
constexpr double kCornerNormalSmoothness = 0.4;

// What the assembly left out, for the caller to report.
struct MeshGroupCounts {
  int badFaces = 0;      // polygons with fewer than three corners (kept)
  int unsoundFaces = 0;  // polygons with a corner without a sound point (left out)
};

// materials: the model's material index of each polygon, -1 (or a polygon
// past its end) for none.
MeshGroupCounts addMeshGroup(HvModel& model, const char* name, const PolygonArrays& arrays,
                             const WorldPoints& world, const std::vector<int>& materials);
