#include <gtest/gtest.h>

#include "Math/SeamFix.h"
#include "Math/TextureProjection.h"

TEST(TextureProjection, AzimuthAndElevation) {
  EXPECT_DOUBLE_EQ(Azimuth(1, 0), 0.75);
  EXPECT_DOUBLE_EQ(Azimuth(0, 1), 1.0);
  EXPECT_DOUBLE_EQ(Azimuth(-1, 0), 1.25);
  EXPECT_DOUBLE_EQ(Elevation(1, 0, 0), 0.5);
  EXPECT_DOUBLE_EQ(Elevation(0, 1, 0), 1.0);
  // The horizontal distance is taken in the azimuth's x-z plane.
  EXPECT_DOUBLE_EQ(Elevation(0, 1, 1), 0.75);
}

TEST(TextureProjection, PlanarPerAxis) {
  PointRecord p(3, 4, 5);
  ProjectPlanar(p, {1, 1, 1}, {4, 4, 8}, 2);
  EXPECT_FLOAT_EQ(p[3], 1.0f);   // 2/4 + 0.5
  EXPECT_FLOAT_EQ(p[4], 1.25f);  // 3/4 + 0.5
  ProjectPlanar(p, {1, 1, 1}, {4, 4, 8}, 0);
  EXPECT_FLOAT_EQ(p[3], 1.0f);   // w = 4/8
  EXPECT_FLOAT_EQ(p[4], 1.25f);
  ProjectPlanar(p, {1, 1, 1}, {4, 4, 8}, 1);
  EXPECT_FLOAT_EQ(p[3], 1.0f);
  EXPECT_FLOAT_EQ(p[4], 1.0f);
  EXPECT_EQ(p[0], 3.0f);  // the position is left alone
}

TEST(TextureProjection, CylindricalAndSpherical) {
  PointRecord p(0, 2, 1);
  ProjectCylindrical(p, {0, 0, 0}, {1, 4, 1}, 1);
  EXPECT_FLOAT_EQ(p[3], 1.0f);  // Azimuth(0, 1)
  EXPECT_FLOAT_EQ(p[4], 1.0f);  // 2/4 + 0.5
  PointRecord q(0, 0, 3);
  ProjectCylindrical(q, {0, 0, 0}, {1, 1, 6}, 2);
  EXPECT_FLOAT_EQ(q[3], 0.75f);
  EXPECT_FLOAT_EQ(q[4], 1.0f);
  PointRecord s(1, 0, 0);
  ProjectSpherical(s, {0, 0, 0}, 1);
  EXPECT_FLOAT_EQ(s[3], 0.75f);
  EXPECT_FLOAT_EQ(s[4], 0.5f);
  PointRecord top(0, 0, 5);  // axis 2: z is the pole
  ProjectSpherical(top, {0, 0, 0}, 2);
  EXPECT_FLOAT_EQ(top[4], 1.0f);
}

TEST(SeamFix, ShiftsTheHighSideOfAStraddlingPolygon) {
  float u[] = {0.05f, 0.95f, 0.9f};
  float v[] = {0.1f, 0.9f, 0.2f};
  EXPECT_TRUE(SeamFix(u, v, 3, kSeamU));
  EXPECT_FLOAT_EQ(u[0], 0.05f);
  EXPECT_NEAR(u[1], -0.05f, 1e-6);
  EXPECT_NEAR(u[2], -0.1f, 1e-6);
  EXPECT_FLOAT_EQ(v[1], 0.9f);  // v did not take part
  float narrow[] = {0.2f, 0.3f, 0.6f};
  EXPECT_FALSE(SeamFix(narrow, nullptr, 3, kSeamU | kSeamV));
  EXPECT_FALSE(SeamFix(u, v, 3, 0));
}
