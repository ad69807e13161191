// Painted maps onto shaders against the host: the node networks made for
// every shader family and channel, re-pointing and reloading, tiles and
// colour spaces, texture nodes other shaders use, undo and redo back to the
// same saved scene, a shader found after a rename, and the colour map
// linked to the shading group's materialInfo for the viewport.
#include <maya/MPlugArray.h>
#include <maya/MUuid.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Host/HostFixture.h"
#include "Maya/ExportFixture.h"
#include "ColourSession.h"
#include "Maya/EchoMessage.h"
#include "Maya/TextureTestSupport.h"
#include "Platform/Process.h"

namespace {

const char* const kChannels[] = {"DiffuseColor", "Bump", "Ambient", "SpecularColor", "Opacity"};

PlannedTexture map(const std::string& channel, TextureAction action, const std::string& file) {
  PlannedTexture texture;
  texture.channel = channel;
  texture.action = action;
  texture.file = file;
  texture.colorSpace = channel == "Bump" || channel == "Opacity" ? "Raw" : "sRGB";
  return texture;
}

// A plan of the shader's material with the five channels, none to change.
MaterialPlan materialOf(const std::string& shader) {
  MaterialPlan plan;
  plan.material = shader + "SG";
  plan.shader = shader;
  plan.shadingEngine = shader + "SG";
  for (const char* channel : kChannels) plan.textures.push_back(map(channel, TextureAction::kNotFound, ""));
  return plan;
}

PlannedTexture& channelOf(MaterialPlan& plan, const std::string& channel) {
  for (PlannedTexture& texture : plan.textures)
    if (texture.channel == channel) return texture;
  return plan.textures.front();
}

class TextureConnectionTest : public TextureTestBase {
 protected:
  // The colour spaces of Maya 2022-2025's default config, "sRGB" and "Raw"
  // (TextureColourTest has the others).
  void SetUp() override {
    HostTest::SetUp();
    OmbrixHost::useMayaDefaultColourConfig(2025);
  }
  void TearDown() override { OmbrixHost::useMayaDefaultColourConfig(2026); }

 public:
  static int count(const char* type) {
    MStringArray listed;
    EXPECT_EQ(MGlobal::executeCommand(MString("ls -type ") + type, listed), MStatus::kSuccess);
    return static_cast<int>(listed.length());
  }
};

// Where each family takes each channel, and the node between file and shader.
struct FamilyCase {
  const char* type;
  const char* inputs[5];       // in kChannels' order
};

const FamilyCase kFamilies[] = {
    {"lambert", {"color", "normalCamera", "incandescence", "specularColor", "transparency"}},
    {"blinn", {"color", "normalCamera", "incandescence", "specularColor", "transparency"}},
    {"standardSurface", {"baseColor", "normalCamera", "emissionColor", "specularColor", "opacity"}},
    {"aiStandardSurface", {"baseColor", "normalCamera", "emissionColor", "specularColor", "opacity"}},
    {"openPBRSurface", {"baseColor", "normalCamera", "emissionColor", "specularColor", "geometryOpacity"}},
    {"usdPreviewSurface", {"diffuseColor", "normal", "emissiveColor", "specularColor", "opacity"}},
};

TEST_F(TextureConnectionTest, ConnectsEveryChannelOfEveryShaderFamily) {
  for (const FamilyCase& family : kFamilies) {
    SCOPED_TRACE(family.type);
    OmbrixHost::resetScene();
    const std::string shader = std::string(family.type) + "Paint";
    mel(std::string("createNode ") + family.type + " -n " + shader);
    const bool usd = std::string(family.type) == "usdPreviewSurface";
    MaterialPlan plan = materialOf(shader);
    for (PlannedTexture& texture : plan.textures) {
      texture.action = TextureAction::kConnect;
      texture.file = "/maps/" + shader + "_" + texture.channel + ".png";
      texture.normalMap = usd && texture.channel == "Bump";  // the only kind its normal takes
    }
    const auto connection = run({plan});
    // A lambert has no specular colour: that map has nowhere to go.
    const bool lambert = std::string(family.type) == "lambert";
    const int maps = lambert ? 4 : 5;
    EXPECT_EQ(connection->connected(), maps);
    ASSERT_EQ(connection->lines().size(), 1u);
    EXPECT_EQ(connection->lines()[0].find("SpecularColor not connected: lambertPaint has no specularColor") !=
                  std::string::npos,
              lambert);
    EXPECT_EQ(count("file"), maps);
    EXPECT_EQ(count("place2dTexture"), maps);

    for (int c = 0; c < 5; ++c) {
      const std::string channel = kChannels[c];
      SCOPED_TRACE(channel);
      if (lambert && channel == "SpecularColor") continue;
      const std::string input = shader + "." + family.inputs[c];
      std::string driver = sourceOf(input);
      ASSERT_FALSE(driver.empty());
      std::string file = nodeOf(driver);
      const std::string between = mel("nodeType " + file);
      if (channel == "Bump" && std::string(family.inputs[c]) == "normalCamera") {
        EXPECT_EQ(between, "bump2d");
        EXPECT_EQ(driver, file + ".outNormal");
        driver = sourceOf(file + ".bumpValue");
        file = nodeOf(driver);
        EXPECT_EQ(driver, file + ".outAlpha");
        EXPECT_EQ(mel("getAttr " + file + ".alphaIsLuminance"), "1");
        EXPECT_EQ(mel("getAttr " + nodeOf(sourceOf(input)) + ".bumpInterp"), "0");
      } else if (std::string(family.inputs[c]) == "transparency") {
        // As Maya-saved public scenes wire a transparency map (file.ot ->
        // lambert.it in every one found; none puts a reverse in a shading network).
        EXPECT_EQ(driver, file + ".outTransparency");
        EXPECT_EQ(mel("getAttr " + file + ".alphaIsLuminance"), "1");
      } else if (std::string(family.inputs[c]) == "geometryOpacity" ||
                 (std::string(family.type) == "usdPreviewSurface" && channel == "Opacity")) {
        EXPECT_EQ(driver, file + ".outAlpha");
        EXPECT_EQ(mel("getAttr " + file + ".alphaIsLuminance"), "1");
      } else {
        EXPECT_EQ(driver, file + ".outColor");
      }
      EXPECT_EQ(mel("nodeType " + file), "file");
      EXPECT_EQ(mel("getAttr " + file + ".fileTextureName"), "/maps/" + shader + "_" + channel + ".png");
      EXPECT_EQ(mel("getAttr " + file + ".colorSpace"), c == 1 || c == 4 ? "Raw" : "sRGB");
      EXPECT_EQ(mel("getAttr " + file + ".ignoreColorSpaceFileRules"), "1");
      // Placed as the Hypershade places it.
      const std::string placement = nodeOf(sourceOf(file + ".uvCoord"));
      EXPECT_EQ(sourceOf(file + ".uvCoord"), placement + ".outUV");
      EXPECT_EQ(sourceOf(file + ".uvFilterSize"), placement + ".outUvFilterSize");
      EXPECT_EQ(sourceOf(file + ".rotateUV"), placement + ".rotateUV");
      EXPECT_EQ(sourceOf(file + ".vertexCameraOne"), placement + ".vertexCameraOne");
    }
    EXPECT_EQ(mel("getAttr -s defaultTextureList1.textures"), std::to_string(maps));
    // A place2dTexture per map, and the bump2d where there is one.
    EXPECT_EQ(mel("getAttr -s defaultRenderUtilityList1.utilities"), std::to_string(maps + (usd ? 0 : 1)));
    EXPECT_EQ(count("reverse"), 0);
  }
}

TEST_F(TextureConnectionTest, RepointsAndReloadsTheFileNodeAlreadyOnTheInput) {
  mel("createNode blinn -n wood");
  MaterialPlan plan = materialOf("wood");
  channelOf(plan, "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, "/a/wood_BaseColor.png");
  channelOf(plan, "Bump") = map("Bump", TextureAction::kConnect, "/a/wood_Height.png");
  channelOf(plan, "Opacity") = map("Opacity", TextureAction::kConnect, "/a/wood_Opacity.png");
  run({plan});
  const std::string before = sceneText();

  // Painted again into another folder, now with a normal map: the same nodes take the new names.
  for (PlannedTexture& texture : plan.textures) {
    if (texture.action != TextureAction::kConnect) continue;
    texture.file.replace(0, 2, "/b");
  }
  channelOf(plan, "Bump").normalMap = true;
  mel("setAttr -type \"string\" " + nodeOf(sourceOf("wood.color")) + ".colorSpace \"Raw\"");
  const auto again = run({plan});
  EXPECT_EQ(again->connected(), 3);
  EXPECT_EQ(count("file"), 3);
  EXPECT_EQ(count("place2dTexture"), 3);
  EXPECT_EQ(count("bump2d"), 1);
  const std::string color = nodeOf(sourceOf("wood.color"));
  EXPECT_EQ(mel("getAttr " + color + ".fileTextureName"), "/b/wood_BaseColor.png");
  EXPECT_EQ(mel("getAttr " + color + ".colorSpace"), "sRGB");  // set again with the name
  const std::string bump = nodeOf(sourceOf("wood.normalCamera"));
  EXPECT_EQ(mel("getAttr " + bump + ".bumpInterp"), "1");
  EXPECT_EQ(mel("getAttr " + nodeOf(sourceOf(bump + ".bumpValue")) + ".fileTextureName"), "/b/wood_Height.png");
  EXPECT_EQ(mel("getAttr " + nodeOf(sourceOf("wood.transparency")) + ".fileTextureName"), "/b/wood_Opacity.png");

  // Reloaded: the name set again, nothing else changed; one undo takes it back.
  const std::string connected = sceneText();
  MaterialPlan reload = materialOf("wood");
  channelOf(reload, "DiffuseColor") = map("DiffuseColor", TextureAction::kReload, "/b/wood_BaseColor.png");
  channelOf(reload, "SpecularColor") = map("SpecularColor", TextureAction::kReload, "/b/none.png");
  const auto reloaded = run({reload});
  EXPECT_EQ(reloaded->reloaded(), 1);
  ASSERT_EQ(reloaded->lines().size(), 1u);
  EXPECT_NE(reloaded->lines()[0].find("; SpecularColor not reloaded: no texture node on wood"), std::string::npos);
  EXPECT_TRUE(reloaded->hasChanges());
  EXPECT_EQ(sceneText(), connected);
  EXPECT_EQ(mel("getAttr " + color + ".fileTextureName"), "/b/wood_BaseColor.png");
  EXPECT_NE(before, connected);
}

TEST_F(TextureConnectionTest, UndoAndRedoGiveBackTheSameScene) {
  mel("createNode lambert -n clay");
  mel("createNode standardSurface -n metal");
  mel("createNode usdPreviewSurface -n glass");
  std::vector<MaterialPlan> plans;
  for (const char* shader : {"clay", "metal", "glass"}) {
    MaterialPlan plan = materialOf(shader);
    for (PlannedTexture& texture : plan.textures) {
      texture.action = TextureAction::kConnect;
      texture.file = std::string("/p/") + shader + "_" + texture.channel + ".png";
      texture.normalMap = texture.channel == "Bump";
    }
    plans.push_back(plan);
  }
  const std::string before = sceneText();
  const auto connection = run(plans);
  const std::string after = sceneText();
  ASSERT_NE(before, after);
  ASSERT_EQ(connection->undoIt(), MStatus::kSuccess);
  EXPECT_EQ(sceneText(), before);
  EXPECT_EQ(count("file"), 0);
  ASSERT_EQ(connection->doIt(), MStatus::kSuccess);
  EXPECT_EQ(sceneText(), after);
  ASSERT_EQ(connection->undoIt(), MStatus::kSuccess);
  EXPECT_EQ(sceneText(), before);
  ASSERT_EQ(connection->doIt(), MStatus::kSuccess);

  // Saved and opened again: the same scene.
  const std::string path = "texture-reload-" + std::to_string(Platform::CurrentProcessId()) + ".ma";
  std::string error;
  ASSERT_TRUE(OmbrixHost::saveMayaAscii(path, error)) << error;
  OmbrixHost::resetScene();
  std::vector<std::string> problems;
  EXPECT_TRUE(OmbrixHost::loadMayaAscii(path, problems)) << (problems.empty() ? "" : problems[0]);
  std::remove(path.c_str());
  EXPECT_EQ(sceneText(), after);
  EXPECT_EQ(sourceOf("glass.normal"), nodeOf(sourceOf("glass.normal")) + ".outColor");
}

TEST_F(TextureConnectionTest, TileSetsBecomeOneFileNodeInUdimMode) {
  mel("createNode aiStandardSurface -n skin");
  MaterialPlan plan = materialOf("skin");
  PlannedTexture& color = channelOf(plan, "DiffuseColor");
  color = map("DiffuseColor", TextureAction::kConnect, "/t/skin_BaseColor.1001.png");
  color.tilePattern = "/t/skin_BaseColor.<UDIM>.png";
  color.tiles = {1001, 1002, 1011};
  run({plan});
  EXPECT_EQ(count("file"), 1);
  const std::string file = nodeOf(sourceOf("skin.baseColor"));
  EXPECT_EQ(mel("getAttr " + file + ".uvTilingMode"), "3");
  EXPECT_EQ(mel("getAttr " + file + ".fileTextureName"), "/t/skin_BaseColor.1001.png");
  EXPECT_EQ(mel("getAttr " + file + ".fileTextureNamePattern"), "");  // Maya computes it from the name

  // Painted again as one file: the node leaves UDIM mode.
  color.tiles.clear();
  color.tilePattern.clear();
  color.file = "/t/skin_BaseColor.png";
  run({plan});
  EXPECT_EQ(mel("getAttr " + file + ".uvTilingMode"), "0");
}

TEST_F(TextureConnectionTest, FindsARenamedShaderAndSaysWhenOneIsGone) {
  mel("createNode phong -n stone");
  const std::string uuid = MFnDependencyNode(node("stone")).uuid().asString().asChar();
  mel("rename stone granite");
  MaterialPlan renamed = materialOf("stone");
  renamed.shaderUuid = uuid;
  channelOf(renamed, "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, "/s/Камень с пробелом.png");
  MaterialPlan gone = materialOf("marble");
  channelOf(gone, "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, "/s/marble.png");
  const auto connection = run({renamed, gone});
  EXPECT_EQ(connection->connected(), 1);
  ASSERT_EQ(connection->lines().size(), 2u);
  EXPECT_EQ(connection->lines()[1], "marbleSG: shader marble is no longer in the scene; nothing changed");
  EXPECT_EQ(mel("getAttr " + nodeOf(sourceOf("granite.color")) + ".fileTextureName"), "/s/Камень с пробелом.png");

  // Without a UUID the name finds it.
  MaterialPlan byName = materialOf("granite");
  channelOf(byName, "SpecularColor") = map("SpecularColor", TextureAction::kConnect, "/s/granite_Specular.png");
  EXPECT_EQ(run({byName})->connected(), 1);
  EXPECT_FALSE(sourceOf("granite.specularColor").empty());
}

TEST_F(TextureConnectionTest, PreviewChangesNothing) {
  mel("createNode lambert -n paper");
  MaterialPlan plan = materialOf("paper");
  channelOf(plan, "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, "/p/paper_BaseColor.png");
  const std::string before = sceneText();
  const auto preview = run({plan}, true);
  EXPECT_EQ(preview->connected(), 1);
  EXPECT_FALSE(preview->hasChanges());
  EXPECT_EQ(preview->lines().size(), 1u);
  EXPECT_EQ(sceneText(), before);
}

}  // namespace


namespace {

// A shader switched per object: the file node the switch gives the material's
// object is re-pointed; an object the switch gives no file, and an input
// another node drives, are left as they are and named on the line.
TEST_F(TextureConnectionTest, SwitchedShadersKeepTheirSwitch) {
  quadMesh("crate");
  quadMesh("ball");
  mel("createNode blinn -n paint; createNode tripleShadingSwitch -n paintSwitch; createNode file -n crateFile;");
  mel("connectAttr paintSwitch.output paint.color; connectAttr crateFile.outColor paintSwitch.input[0].inTriple;");
  mel("connectAttr crateShape.instObjGroups[0] paintSwitch.input[0].inShape;");
  mel("connectAttr ball|ballShape.instObjGroups[0] paintSwitch.input[1].inShape;");
  mel("createNode tripleShadingSwitch -n glowSwitch; connectAttr glowSwitch.output paint.incandescence;");
  MaterialPlan crate = materialOf("paint");
  crate.material = "paint|crateShape";
  crate.shader = "paint|crateShape";
  channelOf(crate, "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, "/m/crate.png");
  MaterialPlan ball = crate;
  ball.material = "paint|ballShape";
  channelOf(ball, "DiffuseColor").file = "/m/ball.png";
  channelOf(ball, "Ambient") = map("Ambient", TextureAction::kConnect, "/m/glow.png");
  const std::string before = sceneText();
  const auto connection = run({crate, ball});
  EXPECT_EQ(connection->connected(), 1);
  EXPECT_EQ(count("file"), 1);
  EXPECT_EQ(sourceOf("paint.color"), "paintSwitch.output");
  EXPECT_EQ(mel("getAttr crateFile.fileTextureName"), "/m/crate.png");
  ASSERT_EQ(connection->lines().size(), 2u);
  EXPECT_NE(connection->lines()[1].find("; DiffuseColor not connected: paint.color is driven by paintSwitch"),
            std::string::npos);
  EXPECT_NE(connection->lines()[1].find("; Ambient not connected: paint.incandescence is driven by glowSwitch"),
            std::string::npos);
  ASSERT_EQ(connection->undoIt(), MStatus::kSuccess);
  EXPECT_EQ(sceneText(), before);
}

}  // namespace

namespace {

// The material lines carry Windows paths, quotes and names beyond ASCII: they
// reach the Script Editor as written.
TEST_F(TextureConnectionTest, LinesArePrintedAsWritten) {
  const char* const lines[] = {"wood: reloaded DiffuseColor C:\\new\\tiles\\wood.png", "a \"quoted\" name; 100%",
                               "Камень: not found Bump"};
  for (const char* line : lines) {
    testing::internal::CaptureStdout();
    echoMessage(line);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string(line) + "\n");
    EXPECT_TRUE(echoFits(line));
  }
  EXPECT_FALSE(echoFits(std::string(1100, 'x').c_str()));
}

}  // namespace

namespace {

// The texture nodes of Arnold and of USD shading take the new name in place
// (behind Arnold's normal map too), and a reload sets it again.
TEST_F(TextureConnectionTest, RendererTextureNodesAreRepointedInPlace) {
  mel("createNode aiStandardSurface -n metal; createNode aiImage -n metalColor; createNode aiImage -n metalNormal;");
  mel("createNode aiNormalMap -n metalNormalMap; connectAttr metalColor.outColor metal.baseColor;");
  mel("connectAttr metalNormal.outColor metalNormalMap.input; connectAttr metalNormalMap.outValue metal.normalCamera;");
  mel("createNode usdPreviewSurface -n glass; createNode usdUVTexture -n glassColor;");
  mel("connectAttr glassColor.outColor glass.diffuseColor;");
  MaterialPlan metal = materialOf("metal");
  channelOf(metal, "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, "/r/metal_BaseColor.png");
  channelOf(metal, "Bump") = map("Bump", TextureAction::kConnect, "/r/metal_Normal.png");
  MaterialPlan glass = materialOf("glass");
  channelOf(glass, "DiffuseColor") = map("DiffuseColor", TextureAction::kReload, "/old/glass.png");
  mel("setAttr -type \"string\" glassColor.file \"/old/glass.png\"");
  const std::string before = sceneText();
  const auto connection = run({metal, glass});
  EXPECT_EQ(connection->connected(), 2);
  EXPECT_EQ(connection->reloaded(), 1);
  EXPECT_EQ(count("file"), 0);
  EXPECT_EQ(mel("getAttr metalColor.filename"), "/r/metal_BaseColor.png");
  EXPECT_EQ(mel("getAttr metalNormal.filename"), "/r/metal_Normal.png");
  EXPECT_EQ(mel("getAttr glassColor.file"), "/old/glass.png");
  ASSERT_EQ(connection->lines().size(), 2u);
  EXPECT_NE(connection->lines()[0].find("; DiffuseColor onto metalColor: its tiling and colour space are left as they were"),
            std::string::npos);
  ASSERT_EQ(connection->undoIt(), MStatus::kSuccess);
  EXPECT_EQ(sceneText(), before);
}

}  // namespace

namespace {

// A shader seen by two objects: its colour switched per object (a file for
// each), its bump shared by both through one bump2d, its glow and
// transparency not connected. Gives the two objects' materials, no maps yet.
std::vector<MaterialPlan> sharedShaderScene() {
  HostTest::quadMesh("crate");
  HostTest::quadMesh("ball");
  HostTest::mel("createNode blinn -n paint; createNode tripleShadingSwitch -n paintSwitch;");
  HostTest::mel("createNode file -n crateFile; createNode file -n ballFile; connectAttr paintSwitch.output paint.color;");
  HostTest::mel("connectAttr crateFile.outColor paintSwitch.input[0].inTriple;");
  HostTest::mel("connectAttr crateShape.instObjGroups[0] paintSwitch.input[0].inShape;");
  HostTest::mel("connectAttr ballFile.outColor paintSwitch.input[1].inTriple;");
  HostTest::mel("connectAttr ball|ballShape.instObjGroups[0] paintSwitch.input[1].inShape;");
  HostTest::mel("createNode bump2d -n paintBump; createNode file -n bumpFile; setAttr -type \"string\" "
                "bumpFile.fileTextureName \"/old/bumps.png\"; connectAttr bumpFile.outAlpha paintBump.bumpValue;");
  HostTest::mel("connectAttr paintBump.outNormal paint.normalCamera;");
  std::vector<MaterialPlan> plans;
  for (const char* object : {"crateShape", "ballShape"}) {
    MaterialPlan plan = materialOf("paint");
    plan.material = plan.shader = std::string("paint|") + object;
    plans.push_back(plan);
  }
  return plans;
}

bool has(const std::string& line, const std::string& part) { return line.find(part) != std::string::npos; }

// Switched inputs take each object's map on that object's entry; a map for
// one object on the shared bump would change the other object's: it is left
// alone, the line says why, and the shared bump keeps its file.
TEST_F(TextureConnectionTest, ObjectsMapsGoToTheirSwitchEntryNotToSharedInputs) {
  std::vector<MaterialPlan> plans = sharedShaderScene();
  MaterialPlan& crate = plans[0];
  MaterialPlan& ball = plans[1];
  channelOf(crate, "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, "/m/crate.png");
  channelOf(ball, "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, "/m/ball.png");
  channelOf(ball, "Bump") = map("Bump", TextureAction::kConnect, "/m/paint_ballShape_Normal.png");
  channelOf(ball, "Bump").normalMap = true;
  for (bool preview : {true, false}) {
    SCOPED_TRACE(preview ? "preview" : "run");
    const auto connection = run(plans, preview);
    EXPECT_EQ(connection->connected(), 2);
    ASSERT_EQ(connection->lines().size(), 2u);
    EXPECT_EQ(connection->lines()[1],
              std::string("paint|ballShape: ") + (preview ? "would connect" : "connected") +
                  " DiffuseColor ball.png (sRGB); not found Ambient, SpecularColor, Opacity; Bump "
                  "paint_ballShape_Normal.png left alone: paint's normalCamera is shared with crateShape");
  }
  EXPECT_EQ(count("file"), 3);
  EXPECT_EQ(count("bump2d"), 1);
  const char* const values[][2] = {{"crateFile.fileTextureName", "/m/crate.png"},
                                   {"ballFile.fileTextureName", "/m/ball.png"},
                                   {"bumpFile.fileTextureName", "/old/bumps.png"},
                                   {"paintBump.bumpInterp", "0"}};
  for (const auto& value : values) EXPECT_EQ(mel(std::string("getAttr ") + value[0]), value[1]);
  const char* const links[][2] = {{"paint.color", "paintSwitch.output"},
                                  {"paint.normalCamera", "paintBump.outNormal"},
                                  {"paintBump.bumpValue", "bumpFile.outAlpha"}};
  for (const auto& link : links) EXPECT_EQ(sourceOf(link[0]), link[1]);
}

// A shared input changes when every object's material brings the same file
// (once, one network for all); different files, or a map for only some of
// the objects, leave it as it was and every such material's line says so.
TEST_F(TextureConnectionTest, SharedInputsChangeOnlyWhenEveryObjectAgrees) {
  std::vector<MaterialPlan> plans = sharedShaderScene();
  for (MaterialPlan& plan : plans) {
    channelOf(plan, "Ambient") = map("Ambient", TextureAction::kConnect, "/m/paint_Emissive.png");
    channelOf(plan, "Bump") = map("Bump", TextureAction::kConnect, "/m/paint_Normal.png");
  }
  channelOf(plans[0], "Opacity") = map("Opacity", TextureAction::kConnect, "/m/crate_Opacity.png");
  channelOf(plans[1], "Opacity") = map("Opacity", TextureAction::kConnect, "/m/ball_Opacity.png");
  const std::string before = sceneText();
  const auto connection = run(plans);
  EXPECT_EQ(connection->connected(), 2);
  ASSERT_EQ(connection->lines().size(), 2u);
  for (const std::string& line : connection->lines()) {
    SCOPED_TRACE(line);
    EXPECT_TRUE(has(line, "connected Bump paint_Normal.png (Raw), Ambient paint_Emissive.png (sRGB)"));
    EXPECT_FALSE(has(line, "Opacity.png (Raw)"));
  }
  EXPECT_TRUE(has(connection->lines()[0],
                  "; Opacity crate_Opacity.png left alone: paint's transparency is shared with ballShape"));
  EXPECT_TRUE(has(connection->lines()[1],
                  "; Opacity ball_Opacity.png left alone: paint's transparency is shared with crateShape"));
  // One new network, on the glow; the bump's file re-pointed once.
  EXPECT_EQ(count("file"), 4);
  EXPECT_EQ(count("place2dTexture"), 1);
  EXPECT_EQ(mel("getAttr bumpFile.fileTextureName"), "/m/paint_Normal.png");
  const std::string glow = nodeOf(sourceOf("paint.incandescence"));
  ASSERT_FALSE(glow.empty());
  EXPECT_EQ(mel("getAttr " + glow + ".fileTextureName"), "/m/paint_Emissive.png");
  EXPECT_EQ(sourceOf("paint.transparency"), "");
  ASSERT_EQ(connection->undoIt(), MStatus::kSuccess);
  EXPECT_EQ(sceneText(), before);

  // Only one object with a map: the other would change too.
  channelOf(plans[0], "Ambient") = map("Ambient", TextureAction::kNotFound, "");
  const auto one = run(plans);
  EXPECT_TRUE(has(one->lines()[1], "; Ambient paint_Emissive.png left alone: paint's incandescence is shared with crateShape"));
  EXPECT_EQ(sourceOf("paint.incandescence"), "");
}

}  // namespace

namespace {

// One file node a switch gives both objects is shared like an input: their
// different maps leave it alone, the same map re-points it once.
TEST_F(TextureConnectionTest, AFileNodeTheSwitchGivesBothObjectsIsShared) {
  std::vector<MaterialPlan> plans = sharedShaderScene();
  mel("connectAttr -f crateFile.outColor paintSwitch.input[1].inTriple;");
  channelOf(plans[0], "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, "/m/crate.png");
  channelOf(plans[1], "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, "/m/ball.png");
  const auto differ = run(plans);
  EXPECT_EQ(differ->connected(), 0);
  EXPECT_FALSE(differ->hasChanges());
  ASSERT_EQ(differ->lines().size(), 2u);
  EXPECT_TRUE(has(differ->lines()[1], "; DiffuseColor ball.png left alone: crateFile is shared with crateShape"));

  channelOf(plans[1], "DiffuseColor").file = "/m/crate.png";
  const auto same = run(plans);
  EXPECT_EQ(same->connected(), 1);
  EXPECT_EQ(mel("getAttr crateFile.fileTextureName"), "/m/crate.png");
  EXPECT_EQ(count("file"), 3);
}

}  // namespace

namespace {

// The emission weight of each current shader: raised from Maya's default 0
// with the glow map, said on the line, put back by the same undo; a weight
// the artist set is left, and shaders without one say nothing. Where the node
// reference was out of reach, Maya-saved public scenes settled the names:
// standardSurface's ".e" and aiStandardSurface's ".emission" set to 1 beside
// an emission colour, Maya 2026's OpenPBRShowcase.ma (maya-usd) glowing with
// ".elu"; 1000 nits is what maya-usd's openPBRSurface reader sets.
TEST_F(TextureConnectionTest, AGlowMapTurnsTheShadersEmissionOn) {
  const char* const weights[][3] = {{"standardSurface", "emission", "1"},
                                    {"aiStandardSurface", "emission", "1"},
                                    {"openPBRSurface", "emissionLuminance", "1000"},
                                    {"usdPreviewSurface", "", ""},
                                    {"blinn", "", ""}};
  for (const auto& weight : weights) {
    SCOPED_TRACE(weight[0]);
    OmbrixHost::resetScene();
    mel(std::string("createNode ") + weight[0] + " -n lamp");
    MaterialPlan plan = materialOf("lamp");
    channelOf(plan, "Ambient") = map("Ambient", TextureAction::kConnect, "/g/lamp_Emissive.png");
    const std::string before = sceneText();
    const std::string previewed = std::string("lamp.") + weight[1] + " would be " + weight[2] + " (was 0)";
    EXPECT_EQ(has(run({plan}, true)->lines()[0], previewed), *weight[1] != 0);
    EXPECT_EQ(sceneText(), before);
    const auto connection = run({plan});
    ASSERT_EQ(connection->lines().size(), 1u);
    if (*weight[1] == 0) {
      EXPECT_FALSE(has(connection->lines()[0], "(was 0)")) << connection->lines()[0];
      continue;
    }
    EXPECT_TRUE(has(connection->lines()[0], std::string("; lamp.") + weight[1] + " set to " + weight[2] +
                                                " (was 0) so that the Ambient map shows"))
        << connection->lines()[0];
    EXPECT_EQ(mel(std::string("getAttr lamp.") + weight[1]), weight[2]);
    ASSERT_EQ(connection->undoIt(), MStatus::kSuccess);
    EXPECT_EQ(sceneText(), before);
    EXPECT_EQ(mel(std::string("getAttr lamp.") + weight[1]), "0");

    // A weight set by the artist stays.
    mel(std::string("setAttr lamp.") + weight[1] + " 0.25");
    const auto again = run({plan});
    EXPECT_FALSE(has(again->lines()[0], "(was 0)"));
    EXPECT_EQ(mel(std::string("getAttr lamp.") + weight[1]), "0.25");
  }
}

// Export, the painted maps imported, export again: for every shader family
// the import connects, the export reads each map back on its channel from
// the network the import made (the lambert family has no specular colour).
TEST_F(TextureConnectionTest, TheExportReadsEveryNetworkTheImportMakes) {
  for (const FamilyCase& family : kFamilies) {
    SCOPED_TRACE(family.type);
    ExportTest::cube("box");
    ExportTest::shader("paint", family.type);
    ExportTest::load();
    mel("sets -e -forceElement paintSG boxShape;");
    for (const char* channel : kChannels) EXPECT_EQ(ExportTest::mapOf(*ExportTest::exported(), "paint", channel), "");
    MaterialPlan plan = materialOf("paint");
    plan.material = "paint";
    for (PlannedTexture& texture : plan.textures) {
      texture.action = TextureAction::kConnect;
      texture.file = "/r/paint_" + texture.channel + ".png";
      texture.normalMap = texture.channel == "Bump";
    }
    run({plan});
    const auto model = ExportTest::exported();
    for (const PlannedTexture& texture : plan.textures) {
      const bool none = std::string(family.type) == "lambert" && texture.channel == "SpecularColor";
      EXPECT_EQ(ExportTest::mapOf(*model, "paint", texture.channel.c_str()), none ? "" : texture.file)
          << texture.channel;
    }
  }
}

// An opacity map that an earlier import put behind a reverse node, which the
// export does not read: re-pointed, it is rewired as Maya wires a
// transparency map, and one undo puts the reverse back.
TEST_F(TextureConnectionTest, AnOpacityMapBehindAReverseIsRewiredAsMayaWiresIt) {
  mel("createNode lambert -n veil; createNode file -n veilFile; createNode reverse -n veilReverse;");
  mel("connectAttr veilFile.outColor veilReverse.input; connectAttr veilReverse.output veil.transparency;");
  MaterialPlan plan = materialOf("veil");
  channelOf(plan, "Opacity") = map("Opacity", TextureAction::kConnect, "/v/veil_Opacity.png");
  const std::string before = sceneText();
  const auto connection = run({plan});
  EXPECT_EQ(sourceOf("veil.transparency"), "veilFile.outTransparency");
  EXPECT_EQ(mel("getAttr veilFile.alphaIsLuminance"), "1");
  EXPECT_EQ(mel("getAttr veilFile.fileTextureName"), "/v/veil_Opacity.png");
  EXPECT_EQ(count("file"), 1);
  ASSERT_EQ(connection->lines().size(), 1u);
  EXPECT_TRUE(has(connection->lines()[0], "; Opacity from veilFile.outTransparency in place of veilReverse"))
      << connection->lines()[0];
  ASSERT_EQ(connection->undoIt(), MStatus::kSuccess);
  EXPECT_EQ(sceneText(), before);
}

// The USD preview surface's normal takes -1..1: a normal map's file node is
// given a colour gain of 2 and an offset of -1, as Maya's USD support
// expects them (a file node already there too); a height map is not
// connected there, and the line says why. Maya's documentation is silent on
// it: maya-usd settled it (usdPreviewSurfaceWriter.cpp warns of any other
// gain, offset or alpha on a file node there; testUsdExport8BitNormalMap.py
// expects a normal map there exported with scale 2, bias -1).
TEST_F(TextureConnectionTest, NormalMapsOnAUsdPreviewSurfaceAreScaledToMinusOneToOne) {
  mel("createNode usdPreviewSurface -n glass");
  MaterialPlan plan = materialOf("glass");
  channelOf(plan, "Bump") = map("Bump", TextureAction::kConnect, "/n/glass_Height.png");
  const std::string before = sceneText();
  const auto height = run({plan});
  EXPECT_EQ(height->connected(), 0);
  EXPECT_FALSE(height->hasChanges());
  EXPECT_TRUE(has(height->lines()[0], "; Bump glass_Height.png not connected: glass.normal takes a tangent-space "
                                      "normal map, and this is not one"))
      << height->lines()[0];
  EXPECT_EQ(sceneText(), before);

  channelOf(plan, "Bump") = map("Bump", TextureAction::kConnect, "/n/glass_Normal.png");
  channelOf(plan, "Bump").normalMap = true;
  const auto normal = run({plan});
  const std::string file = nodeOf(sourceOf("glass.normal"));
  EXPECT_EQ(sourceOf("glass.normal"), file + ".outColor");
  const char* const values[][2] = {{"colorGainR", "2"},    {"colorGainG", "2"},    {"colorGainB", "2"},
                                   {"colorOffsetR", "-1"}, {"colorOffsetG", "-1"}, {"colorOffsetB", "-1"},
                                   {"alphaGain", "1"},     {"alphaOffset", "0"},   {"colorSpace", "Raw"}};
  for (const auto& value : values) EXPECT_EQ(mel("getAttr " + file + "." + value[0]), value[1]) << value[0];
  ASSERT_EQ(normal->undoIt(), MStatus::kSuccess);
  EXPECT_EQ(sceneText(), before);

  // A file node already on the normal, read as it is: re-pointed and scaled, undone alike.
  mel("createNode file -n glassNormal; connectAttr glassNormal.outColor glass.normal;");
  const std::string wired = sceneText();
  const auto repointed = run({plan});
  EXPECT_EQ(count("file"), 1);
  EXPECT_EQ(mel("getAttr glassNormal.fileTextureName"), "/n/glass_Normal.png");
  EXPECT_EQ(mel("getAttr glassNormal.colorOffsetG"), "-1");
  EXPECT_EQ(mel("getAttr glassNormal.colorGainB"), "2");
  ASSERT_EQ(repointed->undoIt(), MStatus::kSuccess);
  EXPECT_EQ(sceneText(), wired);
}

// A UUID that several nodes share: a file referenced twice under two
// namespaces gives each of its nodes, in both, the UUID the file holds.
// Each material takes the node of its full name; a name that none has takes
// the first, and its line names it.
TEST_F(TextureConnectionTest, ShadersOfAFileReferencedTwiceAreToldApart) {
  const std::string dir = "texture-references-" + std::to_string(Platform::CurrentProcessId());
  const std::string asset = dir + "/wood.ma";
  const std::string uuid = "2F6A4C1E-4B7D-9C3A-11E0-8D5B7A6C4E21";
  std::filesystem::create_directories(dir);
  const char* const header = "//Maya ASCII 2026 scene\n//Codeset: UTF-8\n";
  std::ofstream(asset, std::ios::binary) << header << "createNode blinn -n \"wood\";\n\trename -uid \"" << uuid
                                         << "\";\n";
  std::string shot = header;
  for (const char* kind : {"-rdi 1", "-r"})
    for (const char* ns : {"a", "b"})
      shot += std::string("file ") + kind + " -ns \"" + ns + "\" -rfn \"" + ns + "RN\" -op \"v=0;\" -typ \"mayaAscii\" \"" +
              std::filesystem::absolute(asset).generic_string() + "\";\n";
  std::vector<std::string> problems;
  ASSERT_TRUE(OmbrixHost::loadMayaAsciiText(shot, dir + "/shot.ma", problems));
  EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems);
  std::filesystem::remove_all(dir);

  // Maya answers a UUID with every node holding it.
  MSelectionList holders;
  ASSERT_EQ(holders.add(MUuid(MString(uuid.c_str()))), MStatus::kSuccess);
  ASSERT_EQ(holders.length(), 2u);

  std::vector<MaterialPlan> plans;
  for (const char* shader : {"a:wood", "b:wood", "c:wood"}) {
    plans.push_back(materialOf(shader));
    plans.back().shaderUuid = uuid;
  }
  for (int i = 0; i < 2; ++i) {
    const std::string prefix = std::string("/w/") + "ab"[i] + "_wood_";
    channelOf(plans[i], "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, prefix + "BaseColor.png");
    channelOf(plans[i], "SpecularColor") = map("SpecularColor", TextureAction::kConnect, prefix + "Specular.png");
  }
  channelOf(plans[2], "Ambient") = map("Ambient", TextureAction::kConnect, "/w/c_wood_Emissive.png");
  const std::string before = sceneText();
  const auto connection = run(plans);
  EXPECT_EQ(mel("getAttr " + nodeOf(sourceOf("a:wood.color")) + ".fileTextureName"), "/w/a_wood_BaseColor.png");
  EXPECT_EQ(mel("getAttr " + nodeOf(sourceOf("b:wood.color")) + ".fileTextureName"), "/w/b_wood_BaseColor.png");
  EXPECT_EQ(mel("getAttr " + nodeOf(sourceOf("b:wood.specularColor")) + ".fileTextureName"), "/w/b_wood_Specular.png");
  EXPECT_EQ(mel("getAttr " + nodeOf(sourceOf("a:wood.incandescence")) + ".fileTextureName"), "/w/c_wood_Emissive.png");
  ASSERT_EQ(connection->lines().size(), 3u);
  EXPECT_FALSE(has(connection->lines()[0], "took")) << connection->lines()[0];
  EXPECT_FALSE(has(connection->lines()[1], "took")) << connection->lines()[1];
  EXPECT_TRUE(has(connection->lines()[2], "; shader c:wood not found by name; took a:wood, which has its UUID"))
      << connection->lines()[2];
  ASSERT_EQ(connection->undoIt(), MStatus::kSuccess);
  EXPECT_EQ(sceneText(), before);
}

}  // namespace

namespace {

// One wood file node (listed as a texture) on the colour of two lamberts, one
// bump2d on both their normals.
void sharedFileScene() {
  HostTest::mel("createNode lambert -n lambert2; createNode lambert -n lambert3;");
  HostTest::mel("createNode file -n wood_file; createNode place2dTexture -n wood_place;");
  HostTest::mel("setAttr -type \"string\" wood_file.fileTextureName \"/old/wood.tga\";");
  HostTest::mel("connectAttr wood_place.outUV wood_file.uvCoord; connectAttr -na wood_file.message "
                "defaultTextureList1.textures;");
  HostTest::mel("connectAttr wood_file.outColor lambert2.color; connectAttr wood_file.outColor lambert3.color;");
  HostTest::mel("createNode bump2d -n woodBump; connectAttr wood_file.outAlpha woodBump.bumpValue;");
  HostTest::mel("connectAttr woodBump.outNormal lambert2.normalCamera; "
                "connectAttr woodBump.outNormal lambert3.normalCamera;");
}

// A texture another shader uses is not re-pointed for one shader's map: a
// new network takes its place on that shader's input, and undo gives back
// the same scene.
TEST_F(TextureConnectionTest, AFileNodeAnotherShaderUsesIsReplacedNotRepointed) {
  sharedFileScene();
  MaterialPlan plan = materialOf("lambert2");
  channelOf(plan, "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, "/m/lambert2_BaseColor.png");
  channelOf(plan, "Bump") = map("Bump", TextureAction::kConnect, "/m/lambert2_Height.png");
  const std::string before = sceneText();
  const auto preview = run({plan}, true);
  ASSERT_EQ(preview->lines().size(), 1u);
  EXPECT_TRUE(has(preview->lines()[0], "; DiffuseColor onto a new file node: wood_file is shared with lambert2's "
                                        "normalCamera; Bump onto a new file node: wood_file is shared with lambert3"));
  EXPECT_EQ(sceneText(), before);

  const auto connection = run({plan});
  EXPECT_EQ(connection->connected(), 2);
  ASSERT_EQ(connection->lines().size(), 1u);
  EXPECT_EQ(connection->lines()[0],
            "lambert2SG: connected DiffuseColor lambert2_BaseColor.png (sRGB), Bump lambert2_Height.png (Raw); "
            "not found Ambient, SpecularColor, Opacity; DiffuseColor onto a new file node: wood_file is shared "
            "with lambert2's normalCamera; Bump onto a new file node: wood_file is shared with lambert3");
  const std::string color = nodeOf(sourceOf("lambert2.color"));
  ASSERT_NE(color, "wood_file");
  EXPECT_EQ(mel("getAttr " + color + ".fileTextureName"), "/m/lambert2_BaseColor.png");
  const std::string bump = nodeOf(sourceOf("lambert2.normalCamera"));
  ASSERT_NE(bump, "woodBump");
  EXPECT_EQ(mel("getAttr " + nodeOf(sourceOf(bump + ".bumpValue")) + ".fileTextureName"), "/m/lambert2_Height.png");
  // The other shader looks as it did.
  EXPECT_EQ(mel("getAttr wood_file.fileTextureName"), "/old/wood.tga");
  EXPECT_EQ(sourceOf("lambert3.color"), "wood_file.outColor");
  EXPECT_EQ(sourceOf("lambert3.normalCamera"), "woodBump.outNormal");
  EXPECT_EQ(count("file"), 3);

  ASSERT_EQ(connection->undoIt(), MStatus::kSuccess);
  EXPECT_EQ(sceneText(), before);
  ASSERT_EQ(connection->doIt(), MStatus::kSuccess);
  EXPECT_EQ(sourceOf("lambert2.color"), color + ".outColor");
}

// Every shader on the texture given the same map: the node is re-pointed once.
TEST_F(TextureConnectionTest, AFileNodeEveryUserGetsTheSameMapForIsRepointedOnce) {
  sharedFileScene();
  std::vector<MaterialPlan> plans;
  for (const char* shader : {"lambert2", "lambert3"}) {
    plans.push_back(materialOf(shader));
    channelOf(plans.back(), "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, "/m/wood_BaseColor.png");
    channelOf(plans.back(), "Bump") = map("Bump", TextureAction::kConnect, "/m/wood_BaseColor.png");
  }
  const auto connection = run(plans);
  EXPECT_EQ(connection->connected(), 4);
  for (const std::string& line : connection->lines()) EXPECT_FALSE(has(line, "new file node")) << line;
  EXPECT_EQ(count("file"), 1);
  EXPECT_EQ(count("bump2d"), 1);
  EXPECT_EQ(mel("getAttr wood_file.fileTextureName"), "/m/wood_BaseColor.png");
  EXPECT_EQ(sourceOf("lambert2.color"), "wood_file.outColor");
  EXPECT_EQ(sourceOf("lambert3.normalCamera"), "woodBump.outNormal");
}

// A switch's file node that another shader uses too: the switch is not
// rewired, the node not re-pointed.
TEST_F(TextureConnectionTest, ASwitchesFileNodeAnotherShaderUsesIsLeftAlone) {
  std::vector<MaterialPlan> plans = sharedShaderScene();
  mel("createNode lambert -n lambert3; connectAttr crateFile.outColor lambert3.color;");
  channelOf(plans[0], "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, "/m/crate.png");
  const std::string before = sceneText();
  const auto connection = run(plans);
  EXPECT_EQ(connection->connected(), 0);
  EXPECT_TRUE(has(connection->lines()[0], "; DiffuseColor crate.png left alone: crateFile is shared with lambert3"));
  EXPECT_EQ(sceneText(), before);
}

// A shading group with its materialInfo, connected as Maya saves them.
void shadingGroupWithInfo(const std::string& shader, const std::string& info) {
  HostTest::mel("createNode shadingEngine -n " + shader + "SG; createNode materialInfo -n " + info + ";");
  HostTest::mel("connectAttr " + shader + ".oc " + shader + "SG.ss; connectAttr " + shader + "SG.msg " + info +
                ".sg; connectAttr " + shader + ".msg " + info + ".m;");
}

// The viewport's colour map: the file node on a shader's colour is linked to
// its group's materialInfo once, in the same undo, and a linked node stays.
TEST_F(TextureConnectionTest, TheColourMapIsShownInTheViewport) {
  mel("createNode lambert -n clay");
  shadingGroupWithInfo("clay", "materialInfo1");
  MaterialPlan plan = materialOf("clay");
  channelOf(plan, "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, "/p/clay_BaseColor.png");
  channelOf(plan, "Bump") = map("Bump", TextureAction::kConnect, "/p/clay_Height.png");
  const std::string before = sceneText();
  const auto connection = run({plan});
  const std::string color = nodeOf(sourceOf("clay.color"));
  EXPECT_EQ(mel("listConnections -s 1 -d 0 materialInfo1.texture"), color);
  const std::string after = sceneText();
  EXPECT_TRUE(has(after, "connectAttr \"" + color + ".message\" \"materialInfo1.texture[0]\";"));
  ASSERT_EQ(connection->undoIt(), MStatus::kSuccess);
  EXPECT_EQ(sceneText(), before);
  ASSERT_EQ(connection->doIt(), MStatus::kSuccess);

  // Painted again: the same file node, linked once.
  channelOf(plan, "DiffuseColor").file = "/q/clay_BaseColor.png";
  run({plan});
  EXPECT_EQ(nodeOf(sourceOf("clay.color")), color);
  EXPECT_EQ(mel("listConnections -s 1 -d 0 materialInfo1.texture"), color);
  EXPECT_EQ(mel("getAttr -size materialInfo1.texture"), "1");
}

// A new file node in place of a shared one takes its place in the viewport
// too; a group showing some other texture keeps it.
TEST_F(TextureConnectionTest, AReplacedColourMapIsReplacedInTheViewport) {
  sharedFileScene();
  shadingGroupWithInfo("lambert2", "materialInfo2");
  shadingGroupWithInfo("lambert3", "materialInfo3");
  mel("connectAttr -na wood_file.msg materialInfo2.t; createNode file -n stone_file; "
      "connectAttr -na stone_file.msg materialInfo3.t;");
  MaterialPlan second = materialOf("lambert2");
  channelOf(second, "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, "/m/lambert2_BaseColor.png");
  MaterialPlan third = materialOf("lambert3");
  channelOf(third, "DiffuseColor") = map("DiffuseColor", TextureAction::kConnect, "/m/lambert3_BaseColor.png");
  run({second, third});
  const std::string color = nodeOf(sourceOf("lambert2.color"));
  ASSERT_NE(color, "wood_file");
  EXPECT_EQ(mel("listConnections -s 1 -d 0 materialInfo2.texture"), color);
  EXPECT_EQ(mel("listConnections -s 1 -d 0 materialInfo3.texture"), "stone_file");
}

}  // namespace
