#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "IO/Hv3Format.h"
#include "IO/ValueCodeTable.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"
#include "Support/FileText.h"
#include "Support/SceneLoad.h"
#include "Support/TempPath.h"

namespace {

void AddPolygon(HvModel& model, int corners, float scale) {
  PolygonDesc desc;
  desc.Resize(corners);
  for (int i = 0; i < corners; ++i) {
    desc.positions[i] = Vector3(scale * std::cos(i * 6.2831853 / corners),
                                scale * std::sin(i * 6.2831853 / corners), 0.0);
    desc.u[i] = 0.123456789f * static_cast<float>(i);
    desc.v[i] = 0.5f;
  }
  model.AddPolygon(desc);
}

std::string Save(HvModel* model, const TempPath& path) {
  Scene scene;
  if (model != nullptr) {
    auto node = std::make_unique<SceneNode>(SceneNode::kMeshSet);
    node->SetPayload(model);
    scene.AddNode(std::move(node));
  }
  {
    HvIO stream(path.c_str(), HvIO::kWrite);
    Hv3Format format;
    format.Attach(&stream, 0);
    EXPECT_EQ(format.Save(&scene, 0, nullptr), 1);
  }
  return ReadText(path.str());
}

std::unique_ptr<HvModel> Load(const TempPath& path) { return LoadFirstModel<Hv3Format>(path.c_str()); }

}  // namespace

TEST(ValueCodeTable, HuffmanCodesByCount) {
  ValueCodeTable table;
  for (int i = 0; i < 5; ++i) table.Add(0.0);
  table.Add(1.0);
  table.Add(1.0);
  table.Add(2.0);
  table.Build();
  // Queue by count: 2.0 (1), 1.0 (2), 0.0 (5); 2.0 + 1.0 -> 3, then 3 + 5.
  EXPECT_EQ(table.Code(2.0), "00");
  EXPECT_EQ(table.Code(1.0), "01");
  EXPECT_EQ(table.Code(0.0), "1");
  ValueCodeTable single;
  single.Add(0.0);
  single.Build();
  EXPECT_EQ(single.Code(0.0), "");
}

TEST(Hv3Format, StubBlocksAndAnEmptyScene) {
  TempPath path("empty.hv3");
  const std::string text = Save(nullptr, path);
  EXPECT_EQ(text,
            "#!/bin/sh\necho Halvera Temporary FileFormat!\nexit 0\n###\nHV3File\n( // 0\n"
            ") // 0\n\nexit 0\n\n");
}

TEST(Hv3Format, AllZeroModelHasOneValueWithTheEmptyCode) {
  TempPath path("zero.hv3");
  PolygonDesc desc;
  desc.Resize(3);
  HvModel zeros;
  zeros.AddPolygon(desc);
  const std::string text = Save(&zeros, path);
  EXPECT_NE(text.find("\t\t\tCount=1\n\t\t\t0,\n"), std::string::npos);
  EXPECT_NE(text.find("\t\t\t3:               \n"), std::string::npos);  // 15 blanks
  std::unique_ptr<HvModel> back = Load(path);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->TotalPolygonCount(), 1);
}

TEST(Hv3Format, RoundTripKeepsSixDigitsAndSkipsOddCornerCounts) {
  HvModel model;
  Shader* shader = model.Shader(0, true);
  shader->Root()->SetColor("DiffuseColor", 1, 0, 0, 1);
  AddPolygon(model, 4, 2.0f);
  AddPolygon(model, 16, 1.0f);  // written, not read back
  TempPath path("round.hv3");
  const std::string text = Save(&model, path);
  EXPECT_NE(text.find("\t\tShader\n\t\t( // 2\n\t\t\tBRDF=" + std::to_string(shader->Root()->Id()) +
                      "\n\t\t\t( // 3\n\t\t\t\tDiffuseColor=RGBA(1.000000,0.000000,0.000000,1.000000)\n"),
            std::string::npos);
  EXPECT_NE(text.find("\t\t\t16:"), std::string::npos);
  std::unique_ptr<HvModel> back = Load(path);
  ASSERT_NE(back, nullptr);
  ASSERT_EQ(back->TotalPolygonCount(), 1);
  PolygonData data;
  ASSERT_TRUE(back->GetPolygon(PolygonId{0, 0, 1}, data));
  ASSERT_EQ(data.count, 4);
  EXPECT_FLOAT_EQ(data.positions[0].x, 2.0f);
  EXPECT_FLOAT_EQ(data.u[1], 0.123457f);  // "%g" keeps six significant digits
  EXPECT_FLOAT_EQ(data.v[2], 0.5f);
  EXPECT_NE(data.aux, nullptr);  // shader 0, given the grey diffuse colour
  const ShaderValue* diffuse = back->Shader(0, false)->Root()->Value("DiffuseColor");
  ASSERT_NE(diffuse, nullptr);
  double r, g, b, a;
  EXPECT_TRUE(diffuse->AsColor(r, g, b, a));
  EXPECT_FLOAT_EQ(static_cast<float>(r), 0.8f);
}

TEST(Hv3Format, IdentifyNeedsExitEarlyOn) {
  TempPath path("plain.hv3");
  std::ofstream(path.str()) << std::string(120, 'x') << "exit\n";
  HvIO stream(path.c_str(), HvIO::kRead);
  Hv3Format format;
  format.Attach(&stream, 0);
  EXPECT_EQ(format.Identify(), 0);
}
