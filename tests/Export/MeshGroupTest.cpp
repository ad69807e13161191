// The export's core without Maya: plain mesh arrays to a model group.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "Export/MeshGroup.h"
#include "Model3D/HvModel.h"
#include "Model3D/PolygonDesc.h"

namespace {

// A unit quad (0..3) and a triangle (1, 4, 2) beside it, in the z = 0 plane,
// every corner with its own UV (u = vertex / 10, v = 0.25).
struct QuadAndTriangle {
  PolygonArrays arrays;
  WorldPoints world;

  QuadAndTriangle() {
    world.points = {Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(1, 1, 0), Vector3(0, 1, 0), Vector3(2, 0, 0)};
    world.finite.assign(world.points.size(), true);
    arrays.counts = {4, 3};
    arrays.connects = {0, 1, 2, 3, 1, 4, 2};
    arrays.uv.uvCounts = {4, 3};
    arrays.uv.uvIds = {0, 1, 2, 3, 4, 5, 6};
    for (int i = 0; i < 7; ++i) {
      arrays.uv.us.push_back(static_cast<float>(arrays.connects[static_cast<size_t>(i)]) / 10.0f);
      arrays.uv.vs.push_back(0.25f);
    }
  }
};

// Polygon `index` of the group, with its material and corner normals.
const PolygonDesc& Polygon(HvModel& model, int group, int index, PolygonDesc& desc) {
  EXPECT_TRUE(model.GetPolygonFull({group, index, 1}, desc)) << group << " " << index;
  return desc;
}

std::string GroupName(HvModel& model, int group) {
  char name[64] = "";
  model.GetGroupName(group, name, sizeof name);
  return name;
}

}  // namespace

TEST(MeshGroupTest, CornersUVsInTheModelsFrameAndMaterialsPerPolygon) {
  QuadAndTriangle mesh;
  HvModel model;
  model.Material(0, true)->SetName("first");
  model.Material(1, true)->SetName("second");
  addMeshGroup(model, "earlier", {}, {}, {});
  const MeshGroupCounts counts = addMeshGroup(model, "meshShape", mesh.arrays, mesh.world, {1});
  EXPECT_EQ(counts.badFaces, 0);
  EXPECT_EQ(counts.unsoundFaces, 0);
  ASSERT_EQ(model.GroupCount(), 2);
  EXPECT_EQ(GroupName(model, 1), "meshShape");
  model.SetCurrentGroup(1);
  ASSERT_EQ(model.CurrentGroupPolygonCount(), 2);
  PolygonDesc quad;
  Polygon(model, 1, 0, quad);
  ASSERT_EQ(quad.count, 4);
  EXPECT_EQ(quad.positions[2].x, 1.0f);
  EXPECT_EQ(quad.positions[2].y, 1.0f);
  EXPECT_FLOAT_EQ(quad.u[3], 0.3f);
  EXPECT_EQ(quad.v[3], 0.75f);  // 1 - v
  EXPECT_EQ(quad.material, model.Material(1, false));
  // The materials list stops before the triangle: it has none.
  PolygonDesc triangle;
  Polygon(model, 1, 1, triangle);
  ASSERT_EQ(triangle.count, 3);
  EXPECT_EQ(triangle.positions[1].x, 2.0f);
  EXPECT_EQ(triangle.material, nullptr);
}

TEST(MeshGroupTest, PolygonsWithoutUVsReadZeroAndTheOthersKeepTheirOwn) {
  QuadAndTriangle mesh;
  // The quad has no UVs (count 0 in the set): the triangle's ids follow at once.
  mesh.arrays.uv.uvCounts = {0, 3};
  mesh.arrays.uv.uvIds = {4, 5, 6};
  HvModel model;
  addMeshGroup(model, "m", mesh.arrays, mesh.world, {});
  PolygonDesc quad;
  Polygon(model, 0, 0, quad);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(quad.u[k], 0.0f) << k;
    EXPECT_EQ(quad.v[k], 0.0f) << k;  // not flipped to 1
  }
  PolygonDesc triangle;
  Polygon(model, 0, 1, triangle);
  EXPECT_FLOAT_EQ(triangle.u[1], 0.4f);
  EXPECT_EQ(triangle.v[1], 0.75f);
  // An id past the UVs leaves the polygon without UVs rather than reading past them.
  mesh.arrays.uv.uvIds = {4, 5, 99};
  HvModel other;
  addMeshGroup(other, "m", mesh.arrays, mesh.world, {});
  PolygonDesc desc;
  EXPECT_EQ(Polygon(other, 0, 1, desc).u[1], 0.0f);
}

TEST(MeshGroupTest, UnsoundPolygonsAreLeftOutAndCountedSmallOnesKept) {
  QuadAndTriangle mesh;
  mesh.world.finite[4] = false;  // a point f32 cannot hold
  HvModel model;
  MeshGroupCounts counts = addMeshGroup(model, "m", mesh.arrays, mesh.world, {});
  EXPECT_EQ(counts.unsoundFaces, 1);
  EXPECT_EQ(model.TotalPolygonCount(), 1);

  // A vertex index past the points, and corners past the indices.
  QuadAndTriangle far;
  far.arrays.connects[5] = 40;
  far.arrays.counts = {4, 3, 3};
  HvModel second;
  counts = addMeshGroup(second, "m", far.arrays, far.world, {});
  EXPECT_EQ(counts.unsoundFaces, 2);
  EXPECT_EQ(second.TotalPolygonCount(), 1);

  // Fewer than three corners: reported, the rest still read.
  QuadAndTriangle small;
  small.arrays.counts = {4, 2, -1};
  small.arrays.connects.pop_back();
  HvModel third;
  counts = addMeshGroup(third, "m", small.arrays, small.world, {});
  EXPECT_EQ(counts.badFaces, 2);
  EXPECT_EQ(counts.unsoundFaces, 0);
  PolygonDesc desc;
  EXPECT_EQ(Polygon(third, 0, 0, desc).count, 4);

  // More corners than a polygon may have: skipped without reading them.
  QuadAndTriangle huge;
  huge.arrays.counts = {PolygonDesc::kMaxCorners + 1};
  HvModel fourth;
  counts = addMeshGroup(fourth, "m", huge.arrays, huge.world, {});
  EXPECT_EQ(counts.unsoundFaces, 0);
  EXPECT_EQ(fourth.TotalPolygonCount(), 0);
}

// Two quads sharing the edge x = 0, the second turned about it by `degrees`.
double SharedCornerNormalZ(double degrees) {
  const double a = degrees * std::acos(-1.0) / 180.0;
  const auto c = static_cast<float>(std::cos(a)), s = static_cast<float>(std::sin(a));
  PolygonArrays arrays;
  WorldPoints world;
  world.points = {Vector3(0, 0, 0), Vector3(0, 1, 0), Vector3(-1, 1, 0), Vector3(-1, 0, 0), Vector3(c, 1, s),
                  Vector3(c, 0, s)};
  world.finite.assign(6, true);
  arrays.counts = {4, 4};
  arrays.connects = {0, 1, 2, 3, 1, 0, 5, 4};
  HvModel model;
  addMeshGroup(model, "fold", arrays, world, {});
  PolygonDesc desc;
  return Polygon(model, 0, 0, desc).normals[0].z;
}

TEST(MeshGroupTest, CornerNormalsAverageAcrossEdgesUnderSixtyDegrees) {
  // Flat and gently folded: the shared corner's normal leans towards the
  // second quad; past 60 degrees the edge is hard and it stays the face's.
  EXPECT_NEAR(std::fabs(SharedCornerNormalZ(0.0)), 1.0, 1e-6);
  EXPECT_LT(std::fabs(SharedCornerNormalZ(40.0)), 0.99);
  EXPECT_NEAR(std::fabs(SharedCornerNormalZ(80.0)), 1.0, 1e-6);
}
