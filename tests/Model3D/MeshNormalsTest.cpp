#include <gtest/gtest.h>

#include "Support/ExpectVector.h"

#include <cmath>

#include "Model3D/MeshBuilders.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// A closed cone of `count` triangles around the apex (0, 0, 1).
void AddCone(HvMesh& mesh, int count) {
  for (int i = 0; i < count; ++i) {
    const double a0 = 2 * kPi * i / count, a1 = 2 * kPi * (i + 1) / count;
    AddCorners(mesh, {{0, 0, 1},
                      {std::cos(a0), std::sin(a0), 0},
                      {std::cos(a1), std::sin(a1), 0}});
  }
}

}  // namespace

TEST(MeshNormals, SharpCubeCornersTakeTheirFaceNormals) {
  for (float lo : {-1.0f, 10.0f}) {  // around the origin and far from it
    HvMesh mesh;
    AddCube(mesh, lo);
    ASSERT_EQ(mesh.EdgeCount(), 12);
    ExpectNear(mesh.Polygon(0)->faceNormal, 1, 0, 0);
    ExpectNear(mesh.Polygon(5)->faceNormal, 0, 0, -1);
    mesh.SetEdgeSmoothness(0.5, false);
    mesh.ComputeCornerNormals(0.4);
    for (int p = 0; p < 6; ++p) {
      const MeshPolygon& polygon = *mesh.Polygon(p);
      for (int c = 0; c < 4; ++c) ExpectNear(polygon.Corner(c).normal, polygon.faceNormal.x,
                                             polygon.faceNormal.y, polygon.faceNormal.z);
    }
  }
}

TEST(MeshNormals, SmoothCubeCornersBlendTheThreeFaces) {
  HvMesh mesh;
  AddCube(mesh);
  mesh.SetEdgeSmoothness(0.0, false);  // cos 90 degrees = 0 >= 0: every edge smooth
  mesh.ComputeCornerNormals(0.4);
  const MeshPolygon& top = *mesh.Polygon(4);  // +z, corner 2 at (1, 1, 1)
  const Vector3 n = top.Corner(2).normal;
  EXPECT_NEAR(n.Length(), 1.0, 1e-6);
  EXPECT_NEAR(n.x, 0.577, 0.1);
  EXPECT_NEAR(n.y, 0.577, 0.1);
  EXPECT_NEAR(n.z, 0.577, 0.1);
}

TEST(MeshNormals, SmoothnessThresholdSignAndTwoSidedFlag) {
  HvMesh mesh;
  AddCorners(mesh, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  AddCorners(mesh, {{1, 0, 0}, {0, 1, 0}, {1, 1, 0}});  // same edge direction: back to back
  const MeshEdge* shared = mesh.Polygon(0)->Corner(1).edge;
  ASSERT_EQ(shared->polygonCount, 2);
  mesh.SetEdgeSmoothness(-0.5, false);
  EXPECT_EQ(shared->smoothness, 0.0f);
  mesh.SetEdgeSmoothness(0.5, true);
  EXPECT_EQ(shared->smoothness, 1.0f);
  EXPECT_EQ(mesh.Polygon(0)->Corner(0).edge->smoothness, 1.0f);  // open edge
}

TEST(MeshNormals, IsolatedPolygonGetsItsCornerDirection) {
  HvMesh mesh;
  AddCorners(mesh, {{0, 0, 0}, {0, 0, 2}, {0, 3, 0}});
  mesh.ComputeCornerNormals(0.4);
  for (int c = 0; c < 3; ++c) ExpectNear(mesh.Polygon(0)->Corner(c).normal, -1, 0, 0);
}

// Tilt of the apex normal of polygon 0 off the cone's axis.
double ApexTilt(int count) {
  HvMesh mesh;
  AddCone(mesh, count);
  mesh.SetEdgeSmoothness(0.0, false);
  mesh.ComputeCornerNormals(0.4);
  const Vector3 apex = mesh.Polygon(0)->Corner(0).normal;
  EXPECT_NEAR(apex.Length(), 1.0, 1e-6);
  EXPECT_GT(apex.z, 0.7);
  return std::hypot(apex.x, apex.y);
}

TEST(MeshNormals, FanWalksStopAfterFiftyCrossings) {
  // A whole fan takes part: the incremental blend stays within a few
  // degrees of the axis, however many polygons share the apex.
  EXPECT_LT(ApexTilt(20), 0.06);
  EXPECT_LT(ApexTilt(51), 0.06);
  // Past 51 polygons the walks stop after 50 crossings, part of the fan is
  // left out and the normal leans toward the part that was reached.
  EXPECT_GT(ApexTilt(60), 0.15);
  EXPECT_GT(ApexTilt(200), 0.5);
}
