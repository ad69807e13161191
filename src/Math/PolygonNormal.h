#pragma once
// Face normals of polygons given by their corner positions.
#include "Math/Vector3.h"

// normalise((p1 - p0) x (p2 - p1)).
Vector3 TriangleNormal(const Vector3& p0, const Vector3& p1, const Vector3& p2);
// (p1 - p0) x (p2 - p1), not normalised.
Vector3 TriangleNormalUnnormalised(const Vector3& p0, const Vector3& p1, const Vector3& p2);
// The same for the first three corners of a polygon (count >= 3).
Vector3 TriangleNormal(const Vector3* corners, int count);
Vector3 TriangleNormalUnnormalised(const Vector3* corners, int count);

// Least-squares fit of the plane n.p = 1 through all corners (S n = c with
// S = sum p p^T, c = sum p), normalised. The fitted normal is turned to agree
// with the polygon's winding. When the fit is singular (the plane passes
// through the origin) the first three corners' normalised cross product is
// used instead; a fully degenerate polygon gives (0, 0, 0).
Vector3 PlaneNormal(const Vector3* corners, int count);
