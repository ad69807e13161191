#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Math/Scalar.h"
#include "Math/Vector3.h"

TEST(Wrap, IntoTheRange) {
  EXPECT_DOUBLE_EQ(Wrap(10, 0, 360), 10);
  EXPECT_DOUBLE_EQ(Wrap(370, 0, 360), 10);
  EXPECT_DOUBLE_EQ(Wrap(-1, 0, 360), 359);
  EXPECT_DOUBLE_EQ(Wrap(-1000, 0, 360), 80);
  EXPECT_DOUBLE_EQ(Wrap(1000, 0, 360), 280);
  EXPECT_DOUBLE_EQ(Wrap(360, 0, 360), 0);
  EXPECT_DOUBLE_EQ(Wrap(-0.25, -1, 1), -0.25);
  EXPECT_DOUBLE_EQ(Wrap(5, 3, 3), 3);  // no width
}

TEST(Scalar, MinMaxAndFiniteness) {
  EXPECT_EQ(Min(1.0f, 2.0f), 1.0f);
  EXPECT_EQ(Max(1.0, 2.0), 2.0);
  // Min keeps b when a >= b, Max keeps b unless a > b: -0.0 vs +0.0 tells.
  EXPECT_TRUE(std::signbit(Min(0.0f, -0.0f)));
  EXPECT_TRUE(std::signbit(Max(0.0f, -0.0f)));
  EXPECT_TRUE(IsFinite(1e300));
  EXPECT_FALSE(IsFinite(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(IsFinite(std::nan("")));
}

TEST(Vector3, ComponentsAndArithmetic) {
  Vector3 v;
  EXPECT_TRUE(v.Set(2, 5));
  EXPECT_FALSE(v.Set(3, 1));
  EXPECT_EQ(v.Get(2), 5.0);
  EXPECT_EQ(v.Get(-1), 0.0);
  EXPECT_EQ(Vector3::Cross({1, 0, 0}, {0, 1, 0}), Vector3(0, 0, 1));
  EXPECT_EQ(Vector3::Dot({1, 2, 3}, {4, 5, 6}), 32.0);
  EXPECT_EQ(Vector3(3, 4, 0).Length(), 5.0);
  EXPECT_EQ(Vector3::Normalise({0, 0, 2}), Vector3(0, 0, 1));
  EXPECT_FALSE(std::isfinite(Vector3::Normalise({0, 0, 0}).x));
  EXPECT_NE(Vector3(0, 0, 0), Vector3(0, std::nanf(""), 0));
}
