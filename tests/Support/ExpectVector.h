#pragma once
// Component-wise closeness of a vector, with the failing component named.
#include <gtest/gtest.h>

#include "Math/Vector3.h"

inline void ExpectNear(const Vector3& v, double x, double y, double z, double eps = 1e-6) {
  EXPECT_NEAR(v.x, x, eps);
  EXPECT_NEAR(v.y, y, eps);
  EXPECT_NEAR(v.z, z, eps);
}
