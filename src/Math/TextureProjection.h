#pragma once
// Texture projections of the LWO texture maps. Each takes a point record
// whose first three components are a position, the projection centre and an
// axis (0 = x, 1 = y, 2 = z), and stores u and v into components 3 and 4.
#include "Math/PointRecord.h"
#include "Math/Vector3.h"

void ProjectPlanar(PointRecord& point, const Vector3& centre, const Vector3& size, int axis);
void ProjectCylindrical(PointRecord& point, const Vector3& centre, const Vector3& size, int axis);
void ProjectSpherical(PointRecord& point, const Vector3& centre, int axis);

// atan2(z, x) / 2pi + 0.75.
double Azimuth(double x, double z);
// atan2(y, horizontal distance) / pi + 0.5, where the horizontal distance is
// measured in the same x-z plane as the azimuth.
double Elevation(double x, double y, double z);
