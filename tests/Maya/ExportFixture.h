#pragma once
// A fresh host scene per test, scene-building MEL for the export's cases, and
// readers of what the export put into the model.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Host/HostFixture.h"
#include "Maya/SceneExport.h"
#include "Model3D/HvModel.h"
#include "Model3D/PolygonData.h"

// Scenes are written as Maya ASCII statements and loaded in one go, so that
// the host evaluates their creation nodes as Maya does when it opens a file.
class ExportTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    pending().clear();
  }

 public:
  static std::string& pending() {
    static std::string text;
    return text;
  }
  // Statements for the scene to load.
  static void scene(const std::string& text) { pending() += text + "\n"; }
  // Loads the statements gathered so far as a new scene.
  static void load() {
    std::vector<std::string> problems;
    OmbrixHost::loadMayaAsciiText("//Maya ASCII 2018 scene\n" + pending(), "export-test.ma", problems);
    pending().clear();
    for (const std::string& problem : problems) ADD_FAILURE() << problem;
  }

  // A polyCube-made mesh "<name>Shape" under transform <name> (6 quads, UVs).
  static void cube(const std::string& name, const std::string& parent = "") {
    scene("createNode transform -n " + name + (parent.empty() ? "" : " -p " + parent) + ";" +
        "createNode mesh -n " + name + "Shape -p " + name + ";" + "createNode polyCube -n " + name +
        "Maker;" + "connectAttr " + name + "Maker.out " + name + "Shape.inMesh;");
  }
  // A renderable shading group <shader>SG with a new shader node.
  static void shader(const std::string& shaderName, const std::string& type = "lambert") {
    scene("createNode " + type + " -n " + shaderName + ";" +
        "sets -renderable true -noSurfaceShader true -empty -name " + shaderName + "SG;" +
        "connectAttr " + shaderName + ".outColor " + shaderName + "SG.surfaceShader;");
  }
  // A file texture node holding a file name, feeding `plug` (e.g. blinn1.color).
  static void fileTexture(const std::string& name, const std::string& fileName, const std::string& plug) {
    scene("createNode file -n " + name + "; setAttr -type \"string\" " + name + ".fileTextureName \"" +
          fileName + "\";");
    if (!plug.empty()) scene("connectAttr " + name + ".outColor " + plug + ";");
  }

  static std::unique_ptr<HvModel> exported(int selectionFlag = 0) {
    if (!pending().empty()) load();
    auto model = std::make_unique<HvModel>();
    EXPECT_EQ(gatherMayaScene(*model, selectionFlag), MStatus::kSuccess);
    return model;
  }

  static std::vector<std::string> groupNames(HvModel& model) {
    std::vector<std::string> names;
    for (int i = 0; i < model.GroupCount(); ++i) {
      char name[256] = {};
      model.GetGroupName(i, name, sizeof name);
      names.push_back(name);
    }
    return names;
  }

  static std::vector<std::string> materialNames(HvModel& model) {
    std::vector<std::string> names;
    for (int i = 0; i < model.MaterialCount(); ++i) names.push_back(model.Material(i, false)->Name().Text());
    return names;
  }

  // The material name of a polygon, "" for none.
  static std::string polygonMaterial(HvModel& model, int group, int polygon) {
    PolygonData data;
    EXPECT_TRUE(model.Group(group, false)->GetPolygon(polygon, data));
    const auto* material = static_cast<const Material*>(data.material);
    return material != nullptr ? material->Name().Text() : "";
  }

  static std::string mapOf(HvModel& model, const std::string& material, const char* channel) {
    Material* m = model.FindMaterial(material.c_str(), false);
    EXPECT_NE(m, nullptr) << material;
    return m != nullptr ? m->GetMapFileName(channel) : "";
  }
};
