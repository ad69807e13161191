#include <gtest/gtest.h>

#include "Model3D/HvModel.h"
#include "Model3D/MeshBuilders.h"
#include "Model3D/Scene.h"

namespace {

void AddTriangle(HvModel& model, float z) {
  PolygonDesc desc;
  Describe(desc, {{0, 0, z}, {1, 0, z}, {0, 1, z}});
  ASSERT_TRUE(model.AddPolygon(desc));
}

}  // namespace

TEST(HvModel, FirstPolygonCreatesGroupZeroNamedDefault) {
  HvModel model;
  AddTriangle(model, 0);
  EXPECT_EQ(model.GroupCount(), 1);
  EXPECT_EQ(model.CurrentGroupIndex(), 0);
  char name[16];
  EXPECT_TRUE(model.GetGroupName(0, name, sizeof name));
  EXPECT_STREQ(name, "Default");
  EXPECT_TRUE(model.GetGroupName(3, name, sizeof name));
  EXPECT_STREQ(name, "Unknown");
  EXPECT_TRUE(model.GetGroupName(0, name, 4));
  EXPECT_STREQ(name, "Def");
}

TEST(HvModel, HolesCountAsEmptyAndStopNameScans) {
  HvModel model;
  ASSERT_NE(model.Group(5, true), nullptr);
  EXPECT_EQ(model.GroupCount(), 6);
  EXPECT_EQ(model.Group(2, false), nullptr);
  EXPECT_EQ(model.TotalPolygonCount(), 0);
  model.SetGroupName(5, "far");
  EXPECT_EQ(model.FindGroup("far"), -1);  // behind the hole at 0
  model.SetGroupName(0, "near");
  EXPECT_EQ(model.FindGroup("near"), 0);
  EXPECT_EQ(model.Group(-1, true), nullptr);
  model.ClearGroups();
  EXPECT_EQ(model.GroupCount(), 0);
  EXPECT_EQ(model.CurrentGroupIndex(), -1);
}

TEST(HvModel, IterationVisitsGroupsThenPolygonsSkippingEmptyPositions) {
  HvModel model;
  model.SetCurrentGroup(0);
  AddTriangle(model, 0);
  AddTriangle(model, 1);
  model.SetCurrentGroup(1);
  AddTriangle(model, 2);
  std::vector<std::pair<int, int>> visited, skipped;
  PolygonId id;
  PolygonData data;
  for (bool more = model.First(id); more && id.IsValid(); more = model.Next(id, id)) {
    if (model.GetPolygon(id, data))
      visited.emplace_back(id.group, id.polygon);
    else
      skipped.emplace_back(id.group, id.polygon);
  }
  EXPECT_EQ(visited, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {1, 0}}));
  // (2, -1) is the step past the last group; Next ends after it.
  EXPECT_EQ(skipped, (std::vector<std::pair<int, int>>{{0, 2}, {1, -1}, {1, 1}, {2, -1}}));
  PolygonId in{1, 0, 1}, out;
  EXPECT_TRUE(model.NextInGroup(1, in, out));
  EXPECT_EQ(out, (PolygonId{1, 1, 1}));
  in = {1, 1, 1};
  EXPECT_TRUE(model.NextInGroup(1, in, out));
  EXPECT_EQ(out, (PolygonId{-1, 0, 0}));
  EXPECT_FALSE(model.Next(PolygonId{}, out));
  HvModel empty;
  EXPECT_FALSE(empty.First(id));
  EXPECT_EQ(id, (PolygonId{-1, -1, -1}));
}

TEST(HvModel, GetPolygonFullFillsTheAdjacencyGroup) {
  HvModel model;
  model.SetCurrentGroup(2);
  PolygonDesc desc;
  Describe(desc, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  model.AddPolygon(desc);
  Describe(desc, {{1, 1, 0}, {0, 1, 0}, {1, 0, 0}});
  model.AddPolygon(desc);
  PolygonDesc full;
  ASSERT_TRUE(model.GetPolygonFull(PolygonId{2, 0, 1}, full));
  EXPECT_EQ(full.adjacency[1], (PolygonId{2, 1, 1}));
  EXPECT_EQ(full.adjacency[0].group, -1);
  EXPECT_FALSE(model.GetPolygonFull(PolygonId{2, 2, 1}, full));
  EXPECT_EQ(full.count, 0);
}

TEST(HvModel, PassesOverAllGroupsLeaveTheLastCurrent) {
  HvModel model;
  model.SetCurrentGroup(0);
  AddTriangle(model, 0);
  model.SetCurrentGroup(2);
  AddTriangle(model, 1);
  model.SetCurrentGroup(0);
  model.SetEdgeSmoothnessAll(0.5, false);
  EXPECT_EQ(model.CurrentGroupIndex(), 2);
  EXPECT_NE(model.Group(1, false), nullptr);  // the pass filled the hole
  model.ComputeCornerNormalsAll(0.4);
  EXPECT_FALSE(model.IsGroupDefective(0));
  BoundingBox box;
  ASSERT_TRUE(model.Bounds(box));
  EXPECT_EQ(box.min, Vector3(0, 0, 0));
  EXPECT_EQ(box.max, Vector3(1, 1, 1));
  HvModel empty;
  ASSERT_TRUE(empty.Bounds(box));
  EXPECT_FALSE(box.IsValid());
  EXPECT_EQ(box.min, Vector3(1, 1, 1));
}

TEST(HvModel, MaterialsAndShadersAreFoundOrCreatedByName) {
  HvModel model;
  Material* x = model.FindMaterial("x", true);
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(model.FindMaterial("x", true), x);
  EXPECT_STREQ(x->Name().Text(), "x");
  EXPECT_EQ(x->Index(), 0);
  EXPECT_EQ(model.FindMaterial("y", false), nullptr);
  EXPECT_EQ(model.IndexOfMaterial(x), 0);
  EXPECT_EQ(model.IndexOfMaterial(nullptr), -1);
  model.Material(3, true);
  EXPECT_EQ(model.FindMaterial("z", true)->Index(), 1);  // the first free slot

  Shader* unnamed = model.Shader(0, true);
  EXPECT_STREQ(unnamed->Name().Text(), "Unnamed");
  HvModel other;
  Shader* s = other.FindShader("x", true);
  EXPECT_EQ(other.Shader(0, false), s);
  EXPECT_STREQ(s->Name().Text(), "x");
  EXPECT_EQ(other.FindShader("x", false), s);
  model.ClearAll();
  EXPECT_EQ(model.MaterialCount(), 0);
  EXPECT_EQ(model.ShaderCount(), 1);  // shaders live as long as the model
}

TEST(Scene, NodesFillHolesAndFirstModelFindsTheMeshSet) {
  Scene scene;
  HvModel model;
  EXPECT_TRUE(scene.AddNode(nullptr));
  scene.AddNode(std::make_unique<SceneNode>(7));
  auto meshSet = std::make_unique<SceneNode>(SceneNode::kMeshSet);
  meshSet->SetPayload(&model);
  EXPECT_EQ(meshSet->Transform().m[5], 1.0f);
  scene.AddNode(std::move(meshSet));
  EXPECT_EQ(scene.NodeCount(), 2);
  EXPECT_EQ(scene.FirstModel(), &model);
  scene.SetNodeAt(0, nullptr);
  scene.AddNode(std::make_unique<SceneNode>(9));
  EXPECT_EQ(scene.NodeAt(0)->Kind(), 9u);
  EXPECT_EQ(scene.NodeCount(), 2);
}
