#include <gtest/gtest.h>

#include "Support/ExpectVector.h"

#include <cmath>

#include "Math/BoundingBox.h"
#include "Math/Matrix3.h"
#include "Math/PolygonNormal.h"
#include "Math/WeightedBlend.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

TEST(PolygonNormal, TriangleUsesTheFirstTwoEdges) {
  ExpectNear(TriangleNormal({0, 0, 0}, {1, 0, 0}, {1, 1, 0}), 0, 0, 1);
  ExpectNear(TriangleNormalUnnormalised({0, 0, 0}, {2, 0, 0}, {2, 2, 0}), 0, 0, 4);
  const Vector3 quad[] = {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}};
  ExpectNear(TriangleNormal(quad, 4), 0, 0, -1);
}

TEST(PolygonNormal, PlaneFitOfAQuad) {
  const Vector3 square[] = {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
  ExpectNear(PlaneNormal(square, 4), 0, 0, 1);
  // A non-planar quad gets the best-fitting plane's normal.
  const Vector3 bent[] = {{0, 0, 2}, {1, 0, 2.1f}, {1, 1, 2}, {0, 1, 2.1f}};
  const Vector3 n = PlaneNormal(bent, 4);
  EXPECT_NEAR(n.Length(), 1.0, 1e-6);
  EXPECT_GT(n.z, 0.99);
}

TEST(PolygonNormal, PlaneFitFollowsTheWinding) {
  // The same square wound the other way faces the other way.
  const Vector3 square[] = {{0, 0, 1}, {0, 1, 1}, {1, 1, 1}, {1, 0, 1}};
  ExpectNear(PlaneNormal(square, 4), 0, 0, -1);
}

TEST(PolygonNormal, SingularPlaneFitFallsBackToTheFirstCorners) {
  const Vector3 square[] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  ExpectNear(PlaneNormal(square, 4), 0, 0, 1);
  const Vector3 tilted[] = {{1, 0, 1}, {0, 1, 0}, {-1, 0, -1}, {0, -1, 0}};
  const Vector3 n = PlaneNormal(tilted, 4);
  ASSERT_TRUE(std::isfinite(n.x) && std::isfinite(n.y) && std::isfinite(n.z));
  ExpectNear(n, -std::sqrt(0.5), 0, std::sqrt(0.5));
  const Vector3 line[] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}};
  ExpectNear(PlaneNormal(line, 4), 0, 0, 0);
}

TEST(WeightedBlend, SphericalLinearAndOpposite) {
  ExpectNear(WeightedBlend({1, 0, 0}, 1, {0, 1, 0}, 1), std::sqrt(0.5), std::sqrt(0.5), 0);
  ExpectNear(WeightedBlend({2, 0, 0}, 1, {4, 0, 0}, 3), 1, 0, 0);  // weighted linear mix
  ExpectNear(WeightedBlend({0, 0, 1}, 1, {0, 0, -1}, 5), 0, 0, 1);
  ExpectNear(WeightedBlend({0, 0, 0}, 1, {0, 3, 0}, 1), 0, 1, 0);
  ExpectNear(WeightedBlend({0, 0, 2}, 1, {0, 0, 0}, 1), 0, 0, 1);
  // A weight of 3:1 leans toward a by three quarters of the angle.
  const Vector3 r = WeightedBlend({1, 0, 0}, 3, {0, 1, 0}, 1);
  EXPECT_NEAR(std::atan2(r.y, r.x), kPi / 8, 1e-6);
}

TEST(Matrix3, SolveMultiplyAndRotation) {
  Matrix3 m;
  m.Set(0, 0, 2);
  m.Set(1, 1, 4);
  m.Set(2, 2, 8);
  m.Set(0, 2, 1);
  EXPECT_FALSE(m.Set(3, 0, 1));
  EXPECT_DOUBLE_EQ(m.Determinant(), 64);
  const Vector3 b = Matrix3::Transform(m, {1, 2, 3});
  ExpectNear(Matrix3::Solve(m, b), 1, 2, 3);
  const Matrix3 rz = RotationFromEuler(0, 0, kPi / 2);
  ExpectNear(Matrix3::Transform(rz, {1, 0, 0}), 0, 1, 0);
  // x first, then z: (0, 1, 0) -> (0, 0, 1) -> (0, 0, 1).
  const Matrix3 rxz = RotationFromEuler(kPi / 2, 0, kPi / 2);
  ExpectNear(Matrix3::Transform(rxz, {0, 1, 0}), 0, 0, 1);
  ExpectNear(Matrix3::Transform(rxz, {1, 0, 0}), 0, 1, 0);
  const Matrix3 product = Matrix3::Multiply(rz, rz);
  ExpectNear(Matrix3::Transform(product, {1, 0, 0}), -1, 0, 0);
}

TEST(BoundingBox, StartsEmptyAndExtends) {
  BoundingBox box;
  EXPECT_FALSE(box.IsValid());
  box.Extend({2, 3, 4});
  EXPECT_TRUE(box.IsValid());
  EXPECT_EQ(box.min, Vector3(2, 3, 4));
  EXPECT_EQ(box.max, Vector3(2, 3, 4));
  box.Extend({-1, 5, 4});
  EXPECT_EQ(box.min, Vector3(-1, 3, 4));
  EXPECT_EQ(box.max, Vector3(2, 5, 4));
}
