// Which painted file each exported material's channel gets back: found in a
// folder by name pattern (aliases, tokens, tile sets), or the exported file
// reloaded when it changed on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Platform/FileSystem.h"
#include "Support/TextureFolder.h"
#include "TextureImport/TexturePlan.h"

namespace {

const char* const kChannels[] = {"DiffuseColor", "Bump", "Ambient", "SpecularColor", "Opacity"};

ExportRecord RecordOf(const std::vector<std::string>& materials) {
  ExportRecord record;
  for (const std::string& name : materials) {
    RecordedMaterial material;
    material.shader = name;
    material.shadingEngine = name + "SG";
    material.shaderUuid = "UUID-" + name;
    record.materials.push_back(material);
  }
  return record;
}

std::vector<MaterialPlan> Plan(const ExportRecord& record, const TextureSearch& search) {
  std::vector<MaterialPlan> plans;
  std::string error;
  EXPECT_TRUE(planTextureImport(record, search, plans, error)) << error;
  return plans;
}

std::vector<MaterialPlan> PlanFolder(const ExportRecord& record, const TextureFolder& folder,
                                     const std::string& pattern = "<material>_<channel>.<ext>") {
  TextureSearch search;
  search.dir = folder.dir();
  search.pattern = pattern;
  return Plan(record, search);
}

const PlannedTexture& Channel(const MaterialPlan& plan, const std::string& channel) {
  for (const PlannedTexture& texture : plan.textures) {
    if (texture.channel == channel) return texture;
  }
  static const PlannedTexture none;
  ADD_FAILURE() << "no " << channel;
  return none;
}

// The file name the plan connects, or "" when the channel gets nothing from the folder.
std::string Connected(const MaterialPlan& plan, const std::string& channel) {
  const PlannedTexture& texture = Channel(plan, channel);
  if (texture.action != TextureAction::kConnect) return "";
  const size_t slash = texture.file.find_last_of("/\\");
  return texture.file.substr(slash + 1);
}

TEST(TexturePlan, EveryAliasConnectsItsChannelInItsColourSpace) {
  const struct {
    const char* channel;
    std::vector<const char*> aliases;
    const char* colorSpace;
  } rows[] = {{"DiffuseColor", {"BaseColor", "Diffuse", "Albedo", "Color", "DiffuseColor"}, "sRGB"},
              {"Bump", {"Normal", "Bump", "Height"}, "Raw"},
              {"Ambient", {"Emissive", "Emission", "Ambient"}, "sRGB"},
              {"SpecularColor", {"Specular", "SpecularColor"}, "sRGB"},
              {"Opacity", {"Opacity", "Alpha"}, "Raw"}};
  for (const auto& row : rows) {
    for (const char* alias : row.aliases) {
      TextureFolder folder("aliases");
      folder.Add(std::string("wood_") + alias + ".png");
      const std::vector<MaterialPlan> plans = PlanFolder(RecordOf({"wood"}), folder);
      ASSERT_EQ(plans.size(), 1u);
      ASSERT_EQ(plans[0].textures.size(), 5u);
      for (size_t i = 0; i < 5; ++i) {
        const PlannedTexture& texture = plans[0].textures[i];
        EXPECT_EQ(texture.channel, kChannels[i]);
        const bool wanted = texture.channel == row.channel;
        EXPECT_EQ(texture.action, wanted ? TextureAction::kConnect : TextureAction::kNotFound) << alias;
        if (wanted) {
          EXPECT_EQ(texture.colorSpace, row.colorSpace) << alias;
        }
      }
      EXPECT_EQ(Channel(plans[0], "Bump").normalMap, std::string(alias) == "Normal") << alias;
    }
  }
}

TEST(TexturePlan, NamesCompareAsciiLettersInEitherCaseAndOtherBytesExactly) {
  TextureFolder folder("Текстуры и пробелы");
  folder.Add("WOOD Floor_basecolor.PNG");
  folder.Add("дерево пол_Normal.tga");
  folder.Add("Дерево пол_Specular.png");  // another first letter in Cyrillic: not this material
  folder.Add("wood floor_Specular.txt");   // not an image
  folder.Add("wood floor_Opacity.png/");   // a folder
  const std::vector<MaterialPlan> plans = PlanFolder(RecordOf({"wood Floor", "дерево пол"}), folder);
  ASSERT_EQ(plans.size(), 2u);
  EXPECT_EQ(Connected(plans[0], "DiffuseColor"), "WOOD Floor_basecolor.PNG");
  EXPECT_EQ(Connected(plans[0], "SpecularColor"), "");
  EXPECT_EQ(Connected(plans[0], "Opacity"), "");
  EXPECT_EQ(Connected(plans[1], "Bump"), "дерево пол_Normal.tga");
  EXPECT_TRUE(Channel(plans[1], "Bump").normalMap);
  EXPECT_EQ(Connected(plans[1], "SpecularColor"), "");
  EXPECT_EQ(plans[1].shaderUuid, "UUID-дерево пол");
  EXPECT_EQ(plans[1].shadingEngine, "дерево полSG");
}

TEST(TexturePlan, PatternTokens) {
  TextureFolder folder("tokens");
  folder.Add("maps-wood-BaseColor.jpeg");
  folder.Add("maps-wood-Bump.EXR");
  folder.Add("maps-wood-Specular.tiff");
  folder.Add("maps-wood_pCube1-Opacity.png");
  folder.Add("maps-wood-Ambient");
  // A material switched per object: <shader> is its shader, <material> its
  // name with the '|' a file name cannot hold.
  std::vector<MaterialPlan> plans = PlanFolder(RecordOf({"wood|pCube1"}), folder, "maps-<shader>-<channel>.<ext>");
  ASSERT_EQ(plans.size(), 1u);
  EXPECT_EQ(plans[0].material, "wood|pCube1");
  EXPECT_EQ(plans[0].shader, "wood");
  EXPECT_EQ(Connected(plans[0], "DiffuseColor"), "maps-wood-BaseColor.jpeg");
  EXPECT_EQ(Connected(plans[0], "Bump"), "maps-wood-Bump.EXR");
  EXPECT_FALSE(Channel(plans[0], "Bump").normalMap);
  EXPECT_EQ(Connected(plans[0], "SpecularColor"), "maps-wood-Specular.tiff");
  EXPECT_EQ(Connected(plans[0], "Ambient"), "");
  plans = PlanFolder(RecordOf({"wood|pCube1"}), folder, "MAPS-<Material>-<CHANNEL>.<ext>");
  EXPECT_EQ(Connected(plans[0], "Opacity"), "maps-wood_pCube1-Opacity.png");
  EXPECT_EQ(Connected(plans[0], "DiffuseColor"), "");
}

TEST(TexturePlan, PatternsWithUnknownTokensOrFoldersAreRefused) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<shader>";
  for (const std::string& pattern :
       {std::string("<material>_<chanel>.<ext>"), std::string("<material>_<channel"),
        std::string("maps/<material>.<ext>"), deep}) {
    TextureSearch search;
    search.pattern = pattern;
    std::vector<MaterialPlan> plans;
    std::string error;
    EXPECT_FALSE(planTextureImport(RecordOf({""}), search, plans, error)) << pattern.substr(0, 40);
    EXPECT_NE(error.find("pattern"), std::string::npos) << error;
  }
}

TEST(TexturePlan, MaterialNamesHoldingPatternCharactersAreTakenLiterally) {
  TextureFolder folder("literal names");
  folder.Add("[x].+(y)_BaseColor.png");
  folder.Add("_ext__Bump.png");
  folder.Add("a_Specular.png");
  folder.Add("ns_wood_Opacity.png");
  const std::vector<MaterialPlan> plans = PlanFolder(RecordOf({"[x].+(y)", "<ext>", "*", "ns:wood"}), folder);
  ASSERT_EQ(plans.size(), 4u);
  EXPECT_EQ(Connected(plans[3], "Opacity"), "ns_wood_Opacity.png");
  EXPECT_EQ(Connected(plans[0], "DiffuseColor"), "[x].+(y)_BaseColor.png");
  EXPECT_EQ(Connected(plans[1], "Bump"), "_ext__Bump.png");
  EXPECT_EQ(Connected(plans[1], "DiffuseColor"), "");
  EXPECT_EQ(Connected(plans[2], "SpecularColor"), "");
}

TEST(TexturePlan, TileSets) {
  TextureFolder folder("tiles");
  // Tiles with a gap, beside a plain file for the same channel.
  folder.Add("wood_BaseColor.1003.png");
  folder.Add("wood_BaseColor.1001.png");
  folder.Add("wood_BaseColor.png");
  // One tile alone, its number in the name; '_' before the number.
  folder.Add("wood_Normal_1001.png");
  // Not a tile number.
  folder.Add("wood_Specular.1000.png");
  const std::vector<MaterialPlan> plans = PlanFolder(RecordOf({"wood"}), folder);
  const PlannedTexture& color = Channel(plans[0], "DiffuseColor");
  EXPECT_EQ(color.action, TextureAction::kConnect);
  EXPECT_EQ(color.file, folder.dir() + Platform::PathSeparator() + "wood_BaseColor.1001.png");
  EXPECT_EQ(color.tilePattern, folder.dir() + Platform::PathSeparator() + "wood_BaseColor.<UDIM>.png");
  EXPECT_EQ(color.tiles, (std::vector<uint32_t>{1001, 1003}));
  EXPECT_EQ(color.passedOver, std::vector<std::string>{"wood_BaseColor.png"});
  const PlannedTexture& bump = Channel(plans[0], "Bump");
  EXPECT_EQ(bump.tiles, std::vector<uint32_t>{1001});
  EXPECT_EQ(bump.tilePattern, folder.dir() + Platform::PathSeparator() + "wood_Normal_<UDIM>.png");
  EXPECT_EQ(Connected(plans[0], "SpecularColor"), "");

  // A pattern with <udim> takes tiles only, and only where it says.
  const std::vector<MaterialPlan> dotted = PlanFolder(RecordOf({"wood"}), folder, "<material>_<channel>.<udim>.<ext>");
  EXPECT_EQ(Channel(dotted[0], "DiffuseColor").tiles, (std::vector<uint32_t>{1001, 1003}));
  EXPECT_TRUE(Channel(dotted[0], "DiffuseColor").passedOver.empty());
  EXPECT_EQ(Connected(dotted[0], "Bump"), "");
}

TEST(TexturePlan, SeveralFilesForOneChannelAreChosenByAliasThenTilesThenName) {
  TextureFolder folder("choice");
  folder.Add("wood_Diffuse.png");
  folder.Add("wood_BaseColor.tga");
  folder.Add("wood_BaseColor.png");
  folder.Add("wood_Height.png");
  folder.Add("wood_Bump.1001.png");
  const std::vector<MaterialPlan> plans = PlanFolder(RecordOf({"wood"}), folder);
  EXPECT_EQ(Connected(plans[0], "DiffuseColor"), "wood_BaseColor.png");
  EXPECT_EQ(Channel(plans[0], "DiffuseColor").passedOver,
            (std::vector<std::string>{"wood_BaseColor.tga", "wood_Diffuse.png"}));
  EXPECT_EQ(Connected(plans[0], "Bump"), "wood_Bump.1001.png");
  const std::string line = materialPlanLine(plans[0], true);
  EXPECT_NE(line.find("DiffuseColor also matched wood_Diffuse.png, not taken"), std::string::npos) << line;
  EXPECT_NE(line.find("Bump also matched wood_Height.png, not taken"), std::string::npos) << line;
}

TEST(TexturePlan, NormalMapsByNameOrByOption) {
  TextureFolder folder("normal maps");
  folder.Add("rock_nrm_Bump.png");
  folder.Add("abnormal_Bump.png");
  folder.Add("woodNormal_Height.png");
  const ExportRecord record = RecordOf({"rock_nrm", "abnormal", "woodNormal"});
  TextureSearch search;
  search.dir = folder.dir();
  std::vector<MaterialPlan> plans = Plan(record, search);
  EXPECT_TRUE(Channel(plans[0], "Bump").normalMap);
  EXPECT_FALSE(Channel(plans[1], "Bump").normalMap);
  EXPECT_TRUE(Channel(plans[2], "Bump").normalMap);
  search.normalMaps = true;
  plans = Plan(record, search);
  EXPECT_TRUE(Channel(plans[1], "Bump").normalMap);
  EXPECT_FALSE(Channel(plans[1], "DiffuseColor").normalMap);
}

TEST(TexturePlan, ExportedFilesAreReloadedWhenChangedAndTheFolderComesFirst) {
  TextureFolder exported("exported");
  TextureFolder painted("painted");
  ExportRecord record = RecordOf({"wood"});
  const char* const names[] = {"color.png", "bump.png", "glow.png", "spec.png"};
  for (int i = 0; i < 4; ++i) {
    const std::string path = exported.Add(names[i]);
    int64_t seconds = 0;
    ASSERT_TRUE(Platform::ModificationTime(path.c_str(), seconds));
    record.materials[0].channels.push_back({kChannels[i], path, isoUtcTime(seconds)});
  }
  record.materials[0].channels.push_back({"Opacity", exported.dir() + "/gone.png", "2026-01-01T00:00:00Z"});
  exported.Touch("bump.png", 3600);
  exported.Touch("glow.png", -60);
  painted.Add("wood_Specular.png");
  TextureSearch search;
  search.dir = painted.dir();
  const std::vector<MaterialPlan> plans = Plan(record, search);
  EXPECT_EQ(Channel(plans[0], "DiffuseColor").action, TextureAction::kUnchanged);
  EXPECT_EQ(Channel(plans[0], "Bump").action, TextureAction::kReload);
  EXPECT_EQ(Channel(plans[0], "Bump").file, exported.dir() + "/bump.png");
  EXPECT_EQ(Channel(plans[0], "Bump").colorSpace, "Raw");
  EXPECT_EQ(Channel(plans[0], "Ambient").action, TextureAction::kReload);
  EXPECT_EQ(Connected(plans[0], "SpecularColor"), "wood_Specular.png");
  EXPECT_EQ(Channel(plans[0], "Opacity").action, TextureAction::kNotFound);
  EXPECT_EQ(Channel(plans[0], "Opacity").file, "");

  // Without a folder: reloads only.
  const std::vector<MaterialPlan> reloads = Plan(record, TextureSearch());
  EXPECT_EQ(Channel(reloads[0], "SpecularColor").action, TextureAction::kUnchanged);
}

TEST(TexturePlan, AMissingFolderIsNamedAndAnEmptyRecordPlansNothing) {
  TextureSearch search;
  search.dir = "no such textures";
  std::vector<MaterialPlan> plans;
  std::string error;
  EXPECT_FALSE(planTextureImport(RecordOf({"wood"}), search, plans, error));
  EXPECT_NE(error.find("no such textures"), std::string::npos) << error;
  EXPECT_TRUE(plans.empty());

  TextureFolder folder("empty record");
  folder.Add("wood_BaseColor.png");
  search.dir = folder.dir();
  EXPECT_TRUE(Plan(ExportRecord(), search).empty());
}

TEST(TexturePlan, OneLinePerMaterial) {
  MaterialPlan plan;
  plan.material = "wood";
  for (const char* channel : kChannels) {
    PlannedTexture texture;
    texture.channel = channel;
    plan.textures.push_back(texture);
  }
  EXPECT_EQ(materialPlanLine(plan, false), "wood: not found DiffuseColor, Bump, Ambient, SpecularColor, Opacity");
  plan.textures[0] = {"DiffuseColor", TextureAction::kConnect, "t/wood_BaseColor.1001.png",
                      "t/wood_BaseColor.<UDIM>.png", {1001, 1002, 1003, 1005}, "sRGB", false, {}};
  plan.textures[1] = {"Bump", TextureAction::kConnect, "t\\wood_Normal.png", "", {}, "Raw", true, {}};
  plan.textures[2].action = TextureAction::kReload;
  plan.textures[2].file = "C:\\maps\\glow.png";
  plan.textures[3].action = TextureAction::kUnchanged;
  plan.textures[3].file = "/maps/spec.png";
  EXPECT_EQ(materialPlanLine(plan, false),
            "wood: connected DiffuseColor wood_BaseColor.<UDIM>.png (tiles 1001-1003, 1005, sRGB), "
            "Bump wood_Normal.png (normal map, Raw); reloaded Ambient glow.png; unchanged SpecularColor spec.png; "
            "not found Opacity");
  EXPECT_EQ(materialPlanLine(plan, true).substr(0, 20), "wood: would connect ");
  EXPECT_NE(materialPlanLine(plan, true).find("; would reload Ambient"), std::string::npos);
}

TEST(ListDirectory, NamesWithTheirKind) {
  TextureFolder folder("listing");
  folder.Add("b.png");
  folder.Add("ä ü.png");
  folder.Add("a/");
  std::vector<Platform::DirectoryEntry> entries;
  std::string reason;
  ASSERT_TRUE(Platform::ListDirectory(folder.dir().c_str(), entries, reason)) << reason;
  ASSERT_EQ(entries.size(), 3u);
  std::sort(entries.begin(), entries.end(),
            [](const Platform::DirectoryEntry& a, const Platform::DirectoryEntry& b) { return a.name < b.name; });
  EXPECT_EQ(entries[0].name, "a");
  EXPECT_TRUE(entries[0].directory);
  EXPECT_EQ(entries[1].name, "b.png");
  EXPECT_FALSE(entries[1].directory);
  EXPECT_EQ(entries[2].name, "ä ü.png");
  EXPECT_FALSE(Platform::ListDirectory((folder.dir() + "/b.png").c_str(), entries, reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_TRUE(entries.empty());
}

}  // namespace
