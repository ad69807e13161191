// Shading groups into materials: the entries, their texture files per
// channel, shading switches, and the material of each polygon.
#include <filesystem>
#include <fstream>

#include "ExportFixture.h"
#include "Maya/MaterialTranslation.h"
#include "Maya/PolygonMaterial.h"
#include "Maya/ShadingTable.h"

namespace {

using Names = std::vector<std::string>;
namespace fs = std::filesystem;

// A workspace folder of its own; the host's file location query answers
// "unknown" for every file not in it.
class WorkspaceExportTest : public ExportTest {
 protected:
  void SetUp() override {
    ExportTest::SetUp();
    root_ = fs::current_path() / "export-workspace";
    fs::create_directories(root_ / "maps");
    std::ofstream(root_ / "maps" / "sky.tga") << "x";
    OmbrixHost::setWorkspaceRoot(root_.generic_string());
  }
  void TearDown() override { fs::remove_all(root_); }
  std::string workspace() const { return root_.generic_string() + "/"; }
  fs::path root_;
};

// blinn1 on spheres and cubes, its color through a switch naming both shapes.
void switchScene() {
  ExportTest::cube("pSphere");
  ExportTest::cube("pCube");
  ExportTest::shader("blinn1", "blinn");
  ExportTest::fileTexture("skyFile", "sky.tga", "");
  ExportTest::fileTexture("woodFile", "wood.tga", "");
  ExportTest::scene("createNode tripleShadingSwitch -n sw;"
                  "connectAttr pSphereShape.instObjGroups[0] sw.input[0].inShape;"
                  "connectAttr skyFile.outColor sw.input[0].inTriple;"
                  "connectAttr pCubeShape.instObjGroups[0] sw.input[1].inShape;"
                  "connectAttr woodFile.outColor sw.input[1].inTriple;"
                  "connectAttr sw.output blinn1.color;");
}

}  // namespace

TEST_F(WorkspaceExportTest, FileTexturesGiveChannelsTheirLocations) {
  cube("box");
  shader("woodLambert", "blinn");
  fileTexture("skyFile", "maps/sky.tga", "woodLambert.color");
  fileTexture("lostFile", "maps/wood.tga", "woodLambert.incandescence");
  scene("createNode lambert -n pattern; connectAttr pattern.outColor woodLambert.transparency;"
        "setAttr woodLambert.specularColor 1 0 0;");
  load();
  mel("sets -e -forceElement woodLambertSG boxShape;");
  auto model = exported(0);
  EXPECT_EQ(materialNames(*model), (Names{"lambert1", "woodLambert"}));
  // Found by the host, and not found: then the workspace-relative name.
  EXPECT_EQ(mapOf(*model, "woodLambert", "DiffuseColor"), workspace() + "maps/sky.tga");
  EXPECT_EQ(mapOf(*model, "woodLambert", "Ambient"), workspace() + "maps/wood.tga");
  // A procedural texture and a plain colour leave no trace.
  EXPECT_EQ(mapOf(*model, "woodLambert", "Opacity"), "");
  EXPECT_EQ(mapOf(*model, "woodLambert", "SpecularColor"), "");
  EXPECT_EQ(polygonMaterial(*model, 0, 3), "woodLambert");
}

TEST_F(WorkspaceExportTest, BumpComesThroughBumpValueOrDirectly) {
  shader("bumpy", "blinn");
  shader("direct", "blinn");
  fileTexture("bumpFile", "maps/bumps.tga", "");
  fileTexture("directFile", "maps/direct.tga", "");
  scene("createNode bump2d -n b2; connectAttr bumpFile.outAlpha b2.bumpValue; connectAttr b2.outNormal bumpy.normalCamera;"
      "connectAttr directFile.outColor direct.normalCamera;");
  auto model = exported(0);
  EXPECT_EQ(mapOf(*model, "bumpy", "Bump"), workspace() + "maps/bumps.tga");
  EXPECT_EQ(mapOf(*model, "direct", "Bump"), workspace() + "maps/direct.tga");
}

// Current Maya's surface shaders, Arnold's and the USD preview surface: each
// input that carries a map feeds the channel the lambert family's would.
TEST_F(WorkspaceExportTest, CurrentShadersGiveTheirMapsToTheFiveChannels) {
  struct Row {
    const char* type;
    const char* inputs[5];  // diffuse, bump, emission, specular, opacity
    bool floatOpacity;
  };
  const Row rows[] = {
      {"standardSurface", {"baseColor", "normalCamera", "emissionColor", "specularColor", "opacity"}, false},
      {"aiStandardSurface", {"baseColor", "normalCamera", "emissionColor", "specularColor", "opacity"}, false},
      {"openPBRSurface", {"baseColor", "normalCamera", "emissionColor", "specularColor", "geometryOpacity"}, true},
      {"usdPreviewSurface", {"diffuseColor", "normal", "emissiveColor", "specularColor", "opacity"}, true},
  };
  const char* channels[] = {"DiffuseColor", "Bump", "Ambient", "SpecularColor", "Opacity"};
  for (const Row& row : rows) {
    const std::string name = std::string(row.type) + "1";
    shader(name, row.type);
    for (int c = 0; c < 5; ++c) {
      const std::string tex = name + "_" + channels[c];
      fileTexture(tex, "maps/" + tex + ".tga", "");
      if (c == 1)
        scene("createNode bump2d -n " + tex + "_bump; connectAttr " + tex + ".outAlpha " + tex +
              "_bump.bumpValue; connectAttr " + tex + "_bump.outNormal " + name + "." + row.inputs[c] + ";");
      else
        scene("connectAttr " + tex + (c == 4 && row.floatOpacity ? ".outAlpha " : ".outColor ") + name + "." +
              row.inputs[c] + ";");
    }
  }
  auto model = exported(0);
  EXPECT_EQ(materialNames(*model), (Names{"lambert1", "standardSurface1", "aiStandardSurface1", "openPBRSurface1",
                                          "usdPreviewSurface1"}));
  for (const Row& row : rows)
    for (const char* channel : channels) {
      const std::string name = std::string(row.type) + "1";
      EXPECT_EQ(mapOf(*model, name, channel), workspace() + "maps/" + name + "_" + channel + ".tga");
    }
}

// The switch's inputs are paired by their own index, not by the order in
// which their plugs were connected (or come back from the host).
TEST_F(ExportTest, SwitchPairsEachInputsShapeWithItsOwnValue) {
  cube("pSphere");
  cube("pCube");
  cube("pCone");
  shader("surface1", "standardSurface");
  fileTexture("skyFile", "sky.tga", "");
  fileTexture("woodFile", "wood.tga", "");
  fileTexture("stoneFile", "stone.tga", "");
  scene("createNode tripleShadingSwitch -n sw;"
        "connectAttr woodFile.outColor sw.input[7].inTriple;"
        "connectAttr pCubeShape.instObjGroups[0] sw.input[7].inShape;"
        "connectAttr pSphereShape.instObjGroups[0] sw.input[2].inShape;"
        "connectAttr stoneFile.outColor sw.input[3].inTriple;"
        "connectAttr skyFile.outColor sw.input[2].inTriple;"
        "connectAttr pConeShape.instObjGroups[0] sw.input[3].inShape;"
        "connectAttr sw.output surface1.baseColor;");
  load();
  mel("sets -e -forceElement surface1SG pSphereShape pCubeShape pConeShape;");
  auto model = exported(0);
  EXPECT_EQ(materialNames(*model),
            (Names{"lambert1", "surface1|pSphereShape", "surface1|pConeShape", "surface1|pCubeShape"}));
  EXPECT_NE(mapOf(*model, "surface1|pSphereShape", "DiffuseColor").find("sky.tga"), std::string::npos);
  EXPECT_NE(mapOf(*model, "surface1|pConeShape", "DiffuseColor").find("stone.tga"), std::string::npos);
  EXPECT_NE(mapOf(*model, "surface1|pCubeShape", "DiffuseColor").find("wood.tga"), std::string::npos);
  EXPECT_EQ(polygonMaterial(*model, 2, 0), "surface1|pConeShape");
}

TEST_F(ExportTest, OnlyRenderableGroupsWithAShaderMakeEntries) {
  shader("shared");
  scene("sets -renderable true -noSurfaceShader true -empty -name sharedSG2;"
      "connectAttr shared.outColor sharedSG2.surfaceShader;"
      "sets -renderable true -noSurfaceShader true -empty -name bareSG;"
      "createNode lambert -n unused; sets -empty -name plainSet;");
  EXPECT_EQ(materialNames(*exported(0)), (Names{"lambert1", "shared"}));
}

TEST_F(ExportTest, SwitchMakesOneEntryPerNamedShape) {
  switchScene();
  cube("pOther");
  load();
  mel("sets -e -forceElement blinn1SG pSphereShape pCubeShape pOtherShape;");
  auto model = exported(0);
  EXPECT_EQ(materialNames(*model), (Names{"lambert1", "blinn1|pSphereShape", "blinn1|pCubeShape"}));
  EXPECT_EQ(groupNames(*model), (Names{"pSphereShape", "pCubeShape", "pOtherShape"}));
  EXPECT_EQ(polygonMaterial(*model, 0, 0), "blinn1|pSphereShape");
  EXPECT_EQ(polygonMaterial(*model, 1, 5), "blinn1|pCubeShape");
  // An object the switch does not name: the shader's first entry.
  EXPECT_EQ(polygonMaterial(*model, 2, 0), "blinn1|pSphereShape");
  EXPECT_NE(mapOf(*model, "blinn1|pSphereShape", "DiffuseColor").find("sky.tga"), std::string::npos);
  EXPECT_NE(mapOf(*model, "blinn1|pCubeShape", "DiffuseColor").find("wood.tga"), std::string::npos);
}

TEST_F(ExportTest, SwitchWithoutShapesGivesItsDefault) {
  shader("blinn1", "blinn");
  fileTexture("fallback", "fallback.tga", "");
  scene("createNode tripleShadingSwitch -n sw; connectAttr fallback.outColor sw.default;"
      "connectAttr sw.output blinn1.color;"
      // A switch without any input at all, on another channel.
      "createNode tripleShadingSwitch -n idle; connectAttr idle.output blinn1.specularColor;");
  auto model = exported(0);
  EXPECT_EQ(materialNames(*model), (Names{"lambert1", "blinn1"}));
  EXPECT_NE(mapOf(*model, "blinn1", "DiffuseColor").find("fallback.tga"), std::string::npos);
  EXPECT_EQ(mapOf(*model, "blinn1", "SpecularColor"), "");
}

TEST_F(ExportTest, TwoSwitchesOnTwoChannelsFallBackToTheirDefaults) {
  cube("pSphere");
  cube("pCube");
  shader("blinn1", "blinn");
  for (const char* name : {"skyFile", "colorDefault", "shineFile", "shineDefault"})
    fileTexture(name, std::string(name) + ".tga", "");
  scene("createNode tripleShadingSwitch -n colorSw; createNode tripleShadingSwitch -n shineSw;"
      "connectAttr pSphereShape.instObjGroups[0] colorSw.input[0].inShape;"
      "connectAttr skyFile.outColor colorSw.input[0].inTriple;"
      "connectAttr colorDefault.outColor colorSw.default; connectAttr colorSw.output blinn1.color;"
      "connectAttr pCubeShape.instObjGroups[0] shineSw.input[0].inShape;"
      "connectAttr shineFile.outColor shineSw.input[0].inTriple;"
      "connectAttr shineDefault.outColor shineSw.default; connectAttr shineSw.output blinn1.specularColor;");
  auto model = exported(0);
  EXPECT_EQ(materialNames(*model), (Names{"lambert1", "blinn1|pSphereShape", "blinn1|pCubeShape"}));
  EXPECT_NE(mapOf(*model, "blinn1|pSphereShape", "DiffuseColor").find("skyFile.tga"), std::string::npos);
  EXPECT_NE(mapOf(*model, "blinn1|pSphereShape", "SpecularColor").find("shineDefault.tga"), std::string::npos);
  EXPECT_NE(mapOf(*model, "blinn1|pCubeShape", "DiffuseColor").find("colorDefault.tga"), std::string::npos);
  EXPECT_NE(mapOf(*model, "blinn1|pCubeShape", "SpecularColor").find("shineFile.tga"), std::string::npos);
}

TEST_F(ExportTest, FacesTakeTheGroupOfTheirComponent) {
  cube("split");
  shader("red");
  shader("blue");
  load();
  mel("sets -e -forceElement redSG split.f[0:2]; sets -e -forceElement blueSG split.f[3:5];");
  auto model = exported(0);
  for (int p = 0; p < 6; ++p) EXPECT_EQ(polygonMaterial(*model, 0, p), p < 3 ? "red" : "blue") << p;
}

TEST_F(ExportTest, FaceComponentsReachingPastTheMeshShadeOnlyItsFaces) {
  cube("split");
  shader("red");
  shader("blue");
  load();
  mel("sets -e -forceElement redSG split.f[4:40]; sets -e -forceElement blueSG split.f[0:1];");
  auto model = exported(0);
  const char* expected[] = {"blue", "blue", "", "", "red", "red"};
  for (int p = 0; p < 6; ++p) EXPECT_EQ(polygonMaterial(*model, 0, p), expected[p]) << p;
  // Asked one polygon at a time: an index the component names but the mesh
  // lacks has no material.
  const MDagPath shape = path("splitShape");
  const ShadingTable& table = shadingTable();
  const int red = findPolygonMaterial(table, shape.fullPathName(), shape.partialPathName(), 5);
  EXPECT_EQ(std::string(table.entries.at(static_cast<size_t>(red)).entryName.asChar()), "red");
  EXPECT_EQ(findPolygonMaterial(table, shape.fullPathName(), shape.partialPathName(), 2), -1);
  EXPECT_EQ(findPolygonMaterial(table, shape.fullPathName(), shape.partialPathName(), 7), -1);
  EXPECT_EQ(findPolygonMaterial(table, shape.fullPathName(), shape.partialPathName(), -1), -2);
}

TEST_F(ExportTest, UnshadedAndVertexShadedPolygonsHaveNoMaterial) {
  cube("bare");
  cube("dotted");
  shader("red");
  load();
  mel("sets -e -forceElement redSG dotted.vtx[0];");
  testing::internal::CaptureStderr();
  auto model = exported(0);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(polygonMaterial(*model, 0, 0), "");
  EXPECT_EQ(polygonMaterial(*model, 1, 0), "");
  // Once for the object, not once per polygon.
  EXPECT_EQ(err, "Shouldn't be here. No vertex/colour assignment yet!\n");
}

TEST_F(ExportTest, FileNamesStayOneMelString) {
  shader("odd", "blinn");
  // A name that would end the MEL string and run a command of its own.
  fileTexture("oddFile", "x\\\\\\\"; createNode transform -n injected; print \\\"", "odd.color");
  fileTexture("windowsFile", "C:\\\\new\\\\tex.tga", "odd.specularColor");
  load();
  MString name;
  MFnDependencyNode(node("oddFile")).findPlug("fileTextureName").getValue(name);
  ASSERT_EQ(std::string(name.asChar()), "x\\\"; createNode transform -n injected; print \"");
  auto model = exported(0);
  EXPECT_EQ(mel("objExists injected"), "0");
  EXPECT_EQ(mapOf(*model, "odd", "DiffuseColor"), mel("workspace -q -rd") + name.asChar());
  // An absolute name that cannot be found stays as it is.
  EXPECT_EQ(mapOf(*model, "odd", "SpecularColor"), "C:\\new\\tex.tga");
}

TEST(MelStringLiteral, EscapesQuotesBackslashesAndControls) {
  EXPECT_EQ(melStringLiteral("a\"b\\c\nd\te"), "\"a\\\"b\\\\c\\nd\\te\"");
  EXPECT_EQ(melStringLiteral(""), "\"\"");
}
