#pragma once
// Weighted spherical blend of two directions (used to average corner
// normals). The result is not renormalised.
#include "Math/Vector3.h"

Vector3 WeightedBlend(const Vector3& a, double wa, const Vector3& b, double wb);
