#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "IO/SceneLWO.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"
#include "Support/SceneLoad.h"
#include "Support/TempPath.h"

namespace {

std::unique_ptr<HvModel> Load(const TempPath& path) { return LoadFirstModel<SceneLWO>(path.c_str()); }

}  // namespace

TEST(SceneLWO, WrittenLwo2ReadsBack) {
  HvModel model;
  Material* paint = model.FindMaterial("Paint", true);
  paint->SetColor("DiffuseColor", 0xFF336699u);
  PolygonDesc desc;
  desc.Resize(4);
  const Vector3 corners[4] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0.5f}, {0, 1, -0.5f}};
  for (int i = 0; i < 4; ++i) {
    desc.positions[i] = corners[i];
    desc.u[i] = 0.25f * static_cast<float>(i);
    desc.v[i] = 0.1f * static_cast<float>(i);
    desc.weights[i] = 1.0f;
  }
  desc.material = paint;
  model.AddPolygon(desc);
  desc.material = nullptr;
  desc.positions[0] = Vector3(5, 5, 5);
  model.AddPolygon(desc);

  TempPath path("round.lwo");
  {
    Scene scene;
    auto node = std::make_unique<SceneNode>(SceneNode::kMeshSet);
    node->SetPayload(&model);
    scene.AddNode(std::move(node));
    HvIO stream(path.c_str(), HvIO::kWrite);
    SceneLWO format;
    format.Attach(&stream, 0);
    ASSERT_EQ(format.Save(&scene, 0, nullptr), 1);
  }
  std::unique_ptr<HvModel> back = Load(path);
  ASSERT_NE(back, nullptr);
  ASSERT_EQ(back->TotalPolygonCount(), 2);
  PolygonData data;
  ASSERT_TRUE(back->GetPolygon(PolygonId{0, 0, 1}, data));
  ASSERT_EQ(data.count, 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(data.positions[i], corners[i]);
  EXPECT_FLOAT_EQ(data.u[2], 0.5f);
  EXPECT_NEAR(data.v[3], 0.3f, 1e-6);
  const Material* read = back->FindMaterial("Paint", false);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(data.material, read);
  EXPECT_EQ(read->GetColor("DiffuseColor"), 0xFF336699u);
  ASSERT_TRUE(back->GetPolygon(PolygonId{0, 1, 1}, data));
  EXPECT_STREQ(static_cast<const Material*>(data.material)->Name().Text(), "Default");
}

TEST(SceneLWO, DamagedFilesAreRefusedWithWhereAndWhy) {
  TempPath path("bad.lwo");
  auto load = [&](const std::string& bytes, int& nodes) {
    std::ofstream(path.str(), std::ios::binary) << bytes;
    HvIO stream(path.c_str(), HvIO::kRead);
    SceneLWO format;
    format.Attach(&stream, 0);
    Scene scene;
    EXPECT_EQ(format.Load(&scene, "", nullptr), 0);
    nodes = scene.NodeCount();
    for (int i = 0; i < nodes; ++i) delete static_cast<HvModel*>(scene.NodeAt(i)->Payload());
    return "offset " + std::to_string(format.LastFailure().offset) + ": " + format.LastFailure().reason;
  };
  int nodes = 0;
  EXPECT_EQ(load("FORM\x7F\xFF\xFF\xFFLWO2PNTS\xFF\xFF\xFF\xFF", nodes),
            "offset 20: the file ends 4294967295 bytes before the end of chunk PNTS");
  EXPECT_EQ(nodes, 1);  // the model read so far, for those who ask for it
  // Not a LightWave object at all: nothing is added to the scene.
  EXPECT_EQ(load("FORMxxxxTEXT", nodes), "offset 12: not a LightWave object (FORM type TEXT)");
  EXPECT_EQ(nodes, 0);
}
