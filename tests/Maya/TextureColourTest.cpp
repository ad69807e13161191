// The texture import's file nodes as Maya would have them, against the host:
// colour managed as `shadingNode -isColorManaged` makes them (and the shared
// Maya-saved scenes that carry those connections), colour spaces the scene's
// OCIO config holds, UDIM nodes as Maya saves them, the colour space and its
// file rules set before the name, and the viewport's materialInfo links.
// Every change is undone and redone back to the same saved scene.
#include <filesystem>

#include "ColourSession.h"
#include "Maya/TextureTestSupport.h"
#include "TextureImport/ColourSpaceNames.h"

namespace {

namespace fs = std::filesystem;

const char* const kChannels[] = {"DiffuseColor", "Bump", "Ambient", "SpecularColor", "Opacity"};
const char kSrgb2026[] = "sRGB Encoded Rec.709 (sRGB)";

// A map to connect: its data's kind as the plan names it ("sRGB", "Raw").
PlannedTexture connect(const std::string& channel, const std::string& file) {
  PlannedTexture texture;
  texture.channel = channel;
  texture.action = TextureAction::kConnect;
  texture.file = file;
  texture.colorSpace = channel == "Bump" || channel == "Opacity" ? "Raw" : "sRGB";
  return texture;
}

// The shader's material with the five channels, the maps given connected.
MaterialPlan materialOf(const std::string& shader, const std::vector<PlannedTexture>& maps) {
  MaterialPlan plan;
  plan.material = shader;
  plan.shader = shader;
  plan.shadingEngine = shader + "SG";
  for (const char* channel : kChannels) {
    PlannedTexture texture;
    texture.channel = channel;
    texture.colorSpace = std::string(channel) == "Bump" || std::string(channel) == "Opacity" ? "Raw" : "sRGB";
    for (const PlannedTexture& given : maps)
      if (given.channel == channel) texture = given;
    plan.textures.push_back(texture);
  }
  return plan;
}

class TextureColourTest : public TextureTestBase {
 protected:
  // Maya 2026's default config unless a test says otherwise.
  void SetUp() override {
    TextureTestBase::SetUp();
    OmbrixHost::useMayaDefaultColourConfig(2026);
  }
  void TearDown() override { OmbrixHost::useMayaDefaultColourConfig(2026); }

 public:
  // Saved, opened again into a new scene: the scene text it then gives.
  static std::string reopenedText() {
    const std::string path = scenePath("reopened");
    std::string error;
    EXPECT_TRUE(OmbrixHost::saveMayaAscii(path, error)) << error;
    OmbrixHost::resetScene();
    std::vector<std::string> problems;
    EXPECT_TRUE(OmbrixHost::loadMayaAscii(path, problems)) << (problems.empty() ? "" : problems[0]);
    std::remove(path.c_str());
    return sceneText();
  }

  // Undo gives `before` back, redo `after`, twice over.
  static void expectUndoRedo(TextureConnection& connection, const std::string& before, const std::string& after) {
    for (int round = 0; round < 2; ++round) {
      ASSERT_EQ(connection.undoIt(), MStatus::kSuccess);
      EXPECT_EQ(sceneText(), before);
      ASSERT_EQ(connection.doIt(), MStatus::kSuccess);
      EXPECT_EQ(sceneText(), after);
    }
  }

  // A shader on a shading group with its materialInfo, as Maya makes them.
  static void shadingGroup(const std::string& type, const std::string& shader) {
    mel("createNode " + type + " -n " + shader + "; createNode shadingEngine -n " + shader +
        "SG; createNode materialInfo -n " + shader + "Info;");
    mel("connectAttr " + shader + ".outColor " + shader + "SG.surfaceShader; connectAttr " + shader + "SG.message " +
        shader + "Info.shadingGroup; connectAttr " + shader + ".message " + shader + "Info.material;");
  }
};

// Every new file node gets the four connections Maya's
// `shadingNode -asTexture -isColorManaged` makes, in the import's one undo.
TEST_F(TextureColourTest, NewFileNodesAreColourManagedAsShadingNodeMakesThem) {
  EXPECT_EQ(mel("nodeType defaultColorMgtGlobals"), "colorManagementGlobals");
  EXPECT_EQ(mel("getAttr defaultColorMgtGlobals.cmEnabled"), "1");
  EXPECT_EQ(mel("getAttr defaultColorMgtGlobals.configFileEnabled"), "0");
  mel("createNode lambert -n clay");
  const std::string before = sceneText();
  const auto connection = run({materialOf("clay", {connect("DiffuseColor", "/p/clay_BaseColor.png"),
                                                   connect("Bump", "/p/clay_Height.png")})});
  const std::string color = nodeOf(sourceOf("clay.color"));
  const std::string height = nodeOf(sourceOf(nodeOf(sourceOf("clay.normalCamera")) + ".bumpValue"));
  for (const std::string& file : {color, height}) {
    SCOPED_TRACE(file);
    EXPECT_EQ(mel("nodeType " + file), "file");
    EXPECT_EQ(sourceOf(file + ".colorManagementEnabled"), "defaultColorMgtGlobals.cmEnabled");
    EXPECT_EQ(sourceOf(file + ".colorManagementConfigFileEnabled"), "defaultColorMgtGlobals.configFileEnabled");
    EXPECT_EQ(sourceOf(file + ".colorManagementConfigFilePath"), "defaultColorMgtGlobals.configFilePath");
    EXPECT_EQ(sourceOf(file + ".workingSpace"), "defaultColorMgtGlobals.workingSpaceName");
  }
  const std::string after = sceneText();
  EXPECT_NE(after.find("connectAttr \"defaultColorMgtGlobals.cmEnabled\" \"" + color + ".colorManagementEnabled\";"),
            std::string::npos)
      << after;
  expectUndoRedo(*connection, before, after);
  EXPECT_EQ(reopenedText(), after);
}

// The shared scenes Maya saved carry these connections: they load
// onto the typed attributes, save and load again the same.
TEST_F(TextureColourTest, MayaSavedScenesKeepTheirColourManagementConnections) {
  const fs::path shared = OMBRIX_SHARED_MAYA;
  const std::pair<fs::path, std::vector<std::string>> scenes[] = {
      {shared / "rel_project" / "scenes" / "TextureTest.ma", {"file1"}},
      {shared / "UsdExportUVSwitchTest.ma", {"file1", "file2"}}};
  for (const auto& [scene, files] : scenes) {
    SCOPED_TRACE(scene.string());
    if (!fs::exists(scene)) GTEST_SKIP() << "no shared scenes";
    OmbrixHost::resetScene();
    std::vector<std::string> problems;
    EXPECT_TRUE(OmbrixHost::loadMayaAscii(scene.string(), problems)) << (problems.empty() ? "" : problems[0]);
    for (const std::string& file : files) {
      EXPECT_EQ(sourceOf(file + ".cme"), "defaultColorMgtGlobals.cmEnabled");
      EXPECT_EQ(sourceOf(file + ".cmcf"), "defaultColorMgtGlobals.configFileEnabled");
      EXPECT_EQ(sourceOf(file + ".cmcp"), "defaultColorMgtGlobals.configFilePath");
      EXPECT_EQ(sourceOf(file + ".ws"), "defaultColorMgtGlobals.workingSpaceName");
    }
    EXPECT_EQ(mel("getAttr defaultColorMgtGlobals.configFileEnabled"), "1");
    const std::string loaded = sceneText();
    EXPECT_NE(loaded.find("connectAttr \"defaultColorMgtGlobals.configFilePath\" \"file1.colorManagementConfigFilePath\";"),
              std::string::npos);
    EXPECT_EQ(reopenedText(), loaded);
  }
  OmbrixHost::setWorkspaceRoot("");
}

// The host answers the input spaces of the Maya it stands for.
TEST_F(TextureColourTest, TheHostAnswersItsConfigsInputSpaces) {
  MStringArray spaces;
  ASSERT_EQ(MGlobal::executeCommand("colorManagementPrefs -q -inputSpaceNames", spaces), MStatus::kSuccess);
  std::vector<std::string> names;
  for (unsigned int i = 0; i < spaces.length(); ++i) names.push_back(spaces[i].asChar());
  EXPECT_NE(std::find(names.begin(), names.end(), kSrgb2026), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "Raw"), names.end());
  EXPECT_EQ(std::find(names.begin(), names.end(), "sRGB"), names.end());
  OmbrixHost::useMayaDefaultColourConfig(2025);
  ASSERT_EQ(MGlobal::executeCommand("colorManagementPrefs -q -inputSpaceNames", spaces), MStatus::kSuccess);
  names.clear();
  for (unsigned int i = 0; i < spaces.length(); ++i) names.push_back(spaces[i].asChar());
  EXPECT_NE(std::find(names.begin(), names.end(), "sRGB"), names.end());
  EXPECT_EQ(std::find(names.begin(), names.end(), kSrgb2026), names.end());
  EXPECT_EQ(mel("colorManagementPrefs -q -configFilePath"),
            "<MAYA_RESOURCES>/OCIO-configs/Maya2022-default/config.ocio");
  // Maya's names in the documentation's order: the first the config holds.
  EXPECT_EQ(configColourSpace("sRGB", {"Raw", "sRGB", kSrgb2026}), kSrgb2026);
  EXPECT_EQ(configColourSpace("Raw", {"Utility - Raw"}), "");
}

// Colour maps take the config's sRGB name, data its raw name: Maya
// 2026's and Maya 2022-2025's default configs.
TEST_F(TextureColourTest, ColourSpacesAreTheConfigsNames) {
  for (const int version : {2026, 2025}) {
    SCOPED_TRACE(version);
    OmbrixHost::resetScene();
    OmbrixHost::useMayaDefaultColourConfig(version);
    const std::string srgb = version == 2026 ? kSrgb2026 : "sRGB";
    mel("createNode standardSurface -n metal");
    const auto connection = run({materialOf("metal", {connect("DiffuseColor", "/p/metal_BaseColor.png"),
                                                      connect("Opacity", "/p/metal_Opacity.png")})});
    const std::string color = nodeOf(sourceOf("metal.baseColor"));
    EXPECT_EQ(mel("getAttr " + color + ".colorSpace"), srgb);
    EXPECT_EQ(mel("getAttr " + color + ".ignoreColorSpaceFileRules"), "1");
    const std::string opacity = nodeOf(sourceOf("metal.opacity"));
    EXPECT_EQ(mel("getAttr " + opacity + ".colorSpace"), "Raw");
    ASSERT_EQ(connection->lines().size(), 1u);
    EXPECT_NE(connection->lines()[0].find("DiffuseColor metal_BaseColor.png (" + srgb + ")"), std::string::npos)
        << connection->lines()[0];
    EXPECT_NE(connection->lines()[0].find("Opacity metal_Opacity.png (Raw)"), std::string::npos);
  }
}

// A config with none of Maya's names (ACES 1.2's): one warning names
// it, the file rules stay on and choose, the line says so; undo as always.
TEST_F(TextureColourTest, AConfigWithoutMayasNamesLeavesTheChoiceToTheFileRules) {
  const std::string config = (fs::current_path() / ("aces-" + std::to_string(Platform::CurrentProcessId()) + ".ocio")).u8string();
  {
    std::ofstream out(fs::u8path(config), std::ios::binary);
    out << "ocio_profile_version: 1\nroles:\n  default: Utility - sRGB - Texture\n  data: Utility - Raw\n"
           "colorspaces:\n  - !<ColorSpace>\n    name: ACES - ACEScg\n    family: ACES\n"
           "  - !<ColorSpace>\n    name: Utility - Raw\n    isdata: true\n"
           "  - !<ColorSpace>\n    name: Utility - sRGB - Texture\n    family: Utility\n";
  }
  std::string error;
  const bool read = OmbrixHost::useOcioConfig(config, error);
  fs::remove(config);  // read at once: the config keeps only its path
  ASSERT_TRUE(read) << error;
  EXPECT_EQ(mel("colorManagementPrefs -q -configFilePath"), config);
  mel("createNode blinn -n wood");
  const std::string before = sceneText();
  OmbrixHost::captureDisplayed(true);
  const auto connection = run({materialOf("wood", {connect("DiffuseColor", "/p/wood_BaseColor.png"),
                                                   connect("Bump", "/p/wood_Normal.png")})});
  const std::vector<std::string> shown = OmbrixHost::displayedMessages();
  OmbrixHost::captureDisplayed(false);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Warning: Ombrix Vael texture import: the colour management config " + config +
                          " has none of Maya's sRGB names (sRGB Encoded Rec.709 (sRGB), sRGB); nor Maya's raw names "
                          "(Raw); Maya's file rules choose those maps' colour spaces");
  const std::string color = nodeOf(sourceOf("wood.color"));
  EXPECT_EQ(mel("getAttr " + color + ".ignoreColorSpaceFileRules"), "0");
  EXPECT_EQ(mel("getAttr " + color + ".colorSpace"), "Utility - sRGB - Texture");  // the Default rule's
  ASSERT_EQ(connection->lines().size(), 1u);
  EXPECT_NE(connection->lines()[0].find("DiffuseColor wood_BaseColor.png (colour space by Maya's file rules)"),
            std::string::npos)
      << connection->lines()[0];
  const std::string after = sceneText();
  EXPECT_EQ(after.find("ignoreColorSpaceFileRules"), std::string::npos);
  expectUndoRedo(*connection, before, after);
}

// A tile set is one file node as Maya saves it: UDIM mode, the
// lowest tile's name, no explicit pattern (none of 439 public scenes sets
// one; it would override the one Maya computes from the name). A node that
// had a pattern loses it; undo gives it back.
TEST_F(TextureColourTest, UdimNodesAreAsMayaSavesThem) {
  mel("createNode aiStandardSurface -n skin; createNode file -n skinGlow; connectAttr skinGlow.outColor "
      "skin.emissionColor; setAttr -type \"string\" skinGlow.fileTextureNamePattern \"/old/glow.<UDIM>.png\";");
  const std::string before = sceneText();
  PlannedTexture color = connect("DiffuseColor", "/t/skin_BaseColor.1001.png");
  color.tilePattern = "/t/skin_BaseColor.<UDIM>.png";
  color.tiles = {1001, 1002, 1011};
  PlannedTexture glow = connect("Ambient", "/t/skin_Emissive.1002.png");
  glow.tilePattern = "/t/skin_Emissive.<UDIM>.png";
  glow.tiles = {1002, 1003};
  const auto connection = run({materialOf("skin", {color, glow})});
  const std::string file = nodeOf(sourceOf("skin.baseColor"));
  EXPECT_EQ(mel("getAttr " + file + ".uvTilingMode"), "3");
  EXPECT_EQ(mel("getAttr " + file + ".fileTextureName"), "/t/skin_BaseColor.1001.png");
  EXPECT_EQ(mel("getAttr " + file + ".fileTextureNamePattern"), "");
  EXPECT_EQ(mel("getAttr skinGlow.uvTilingMode"), "3");
  EXPECT_EQ(mel("getAttr skinGlow.fileTextureName"), "/t/skin_Emissive.1002.png");
  EXPECT_EQ(mel("getAttr skinGlow.fileTextureNamePattern"), "");
  const std::string after = sceneText();
  EXPECT_EQ(after.find("fileTextureNamePattern\" -type \"string\" \"/"), std::string::npos) << after;
  expectUndoRedo(*connection, before, after);
  ASSERT_EQ(connection->undoIt(), MStatus::kSuccess);
  EXPECT_EQ(mel("getAttr skinGlow.fileTextureNamePattern"), "/old/glow.<UDIM>.png");
}

// The file rules are turned off and the colour space set before the
// name: an undo puts the name back while the rules are still ignored, so it
// does not recompute the colour space the artist had chosen (ACEScg here,
// with the rules on).
TEST_F(TextureColourTest, UndoPutsTheNameBackBeforeTheFileRulesReturn) {
  mel("createNode blinn -n wood; createNode file -n woodFile; connectAttr woodFile.outColor wood.color;");
  mel("setAttr -type \"string\" woodFile.fileTextureName \"/old/wood.tga\";");
  mel("setAttr -type \"string\" woodFile.colorSpace \"ACEScg\";");
  const std::string before = sceneText();
  const auto connection = run({materialOf("wood", {connect("DiffuseColor", "/new/wood_BaseColor.png")})});
  EXPECT_EQ(mel("getAttr woodFile.fileTextureName"), "/new/wood_BaseColor.png");
  EXPECT_EQ(mel("getAttr woodFile.colorSpace"), kSrgb2026);
  EXPECT_EQ(mel("getAttr woodFile.ignoreColorSpaceFileRules"), "1");
  const std::string after = sceneText();
  expectUndoRedo(*connection, before, after);
  ASSERT_EQ(connection->undoIt(), MStatus::kSuccess);
  EXPECT_EQ(mel("getAttr woodFile.colorSpace"), "ACEScg");
  EXPECT_EQ(mel("getAttr woodFile.fileTextureName"), "/old/wood.tga");
}

// The viewport's link on the shading group's materialInfo: the
// shader's message for standardSurface, aiStandardSurface and
// usdPreviewSurface (as Hypershade links them: 57 of 61 standardSurface and
// 10 of 11 usdPreviewSurface links in maya-usd's Maya-saved scenes), the
// file's for the others; lambert1's on :initialMaterialInfo, which the new
// scene connects to :initialShadingGroup as Maya's does.
TEST_F(TextureColourTest, TheViewportLinkIsTheShadersOrTheFiles) {
  EXPECT_EQ(sourceOf("initialMaterialInfo.shadingGroup"), "initialShadingGroup.message");
  EXPECT_EQ(sceneText().find("initialMaterialInfo.sg"), std::string::npos);  // Maya's new scene writes none
  const char* const types[] = {"standardSurface", "aiStandardSurface", "usdPreviewSurface", "blinn", "openPBRSurface"};
  std::vector<MaterialPlan> plans;
  for (const char* type : types) {
    const std::string shader = std::string(type) + "Paint";
    shadingGroup(type, shader);
    plans.push_back(materialOf(shader, {connect("DiffuseColor", "/v/" + shader + "_BaseColor.png")}));
  }
  plans.push_back(materialOf("lambert1", {connect("DiffuseColor", "/v/lambert1_BaseColor.png")}));
  const std::string before = sceneText();
  const auto connection = run(plans);
  for (const char* type : types) {
    SCOPED_TRACE(type);
    const std::string shader = std::string(type) + "Paint";
    const bool byShader = std::string(type) != "blinn" && std::string(type) != "openPBRSurface";
    const std::string input = std::string(type) == "usdPreviewSurface" ? ".diffuseColor"
                              : std::string(type) == "blinn"            ? ".color"
                                                                         : ".baseColor";
    const std::string file = nodeOf(sourceOf(shader + input));
    EXPECT_EQ(mel("listConnections -s 1 -d 0 " + shader + "Info.texture"), byShader ? shader : file);
    EXPECT_EQ(mel("getAttr -size " + shader + "Info.texture"), "1");
  }
  const std::string lambertFile = nodeOf(sourceOf("lambert1.color"));
  EXPECT_EQ(mel("listConnections -s 1 -d 0 initialMaterialInfo.texture"), lambertFile);
  const std::string after = sceneText();
  expectUndoRedo(*connection, before, after);
  EXPECT_EQ(reopenedText(), after);
  EXPECT_EQ(sourceOf("initialMaterialInfo.shadingGroup"), "initialShadingGroup.message");
}

}  // namespace
