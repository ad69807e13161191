// Maya ASCII details: how Maya splits data, what the host keeps as written,
// and what it reports.
#include "HostFixture.h"
#include "HostObject.h"

#include <maya/MFnSet.h>
#include <maya/MMatrix.h>
#include <maya/MPlugArray.h>
#include <maya/MUuid.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> loadText(const std::string& body) {
  std::vector<std::string> problems;
  OmbrixHost::loadMayaAsciiText("//Maya ASCII 2018 scene\n" + body, "t.ma", problems);
  return problems;
}

std::string saveAndRead() {
  fs::path file = fs::temp_directory_path() / "ombrix-host-scenefile.ma";
  std::string error;
  EXPECT_TRUE(OmbrixHost::saveMayaAscii(file.string(), error)) << error;
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

const char* kQuadMesh =
    "createNode transform -n \"q\";\n"
    "createNode mesh -n \"qShape\" -p \"q\";\n"
    "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
    "\tsetAttr -s 2 \".uvst[0].uvsp[0:1]\" -type \"float2\" 0 0 1 0;\n"
    "\tsetAttr -s 2 \".uvst[0].uvsp[2:3]\" -type \"float2\" 1 1 0 1;\n"
    "\tsetAttr -s 2 \".vt[0:1]\" 0 0 0 1 0 0;\n"
    "\tsetAttr -s 2 \".vt[2:3]\" 1 1 0 0 1 0;\n"
    "\tsetAttr -s 4 \".ed[0:3]\" 0 1 0 1 2 0 2 3 0 3 0 0;\n"
    "\tsetAttr \".pt[1].pnty\" 0.5;\n";

}  // namespace

TEST_F(HostTest, ModifiedIsSetByEditsAndClearedByOpenSaveAndNew) {
  EXPECT_EQ(mel("file -q -modified"), "0") << "a new scene";
  EXPECT_TRUE(loadText(kQuadMesh).empty());
  EXPECT_EQ(mel("file -q -mf"), "0") << "an opened scene";
  mel("setAttr q.tx 2");
  EXPECT_EQ(mel("file -q -mf"), "1");
  saveAndRead();
  EXPECT_EQ(mel("file -q -mf"), "0") << "a saved scene";
  mel("createNode transform -n extra");
  EXPECT_EQ(mel("file -q -mf"), "1");
  mel("file -f -new");
  EXPECT_EQ(mel("file -q -mf"), "0");
}

TEST_F(HostTest, DataSplitOverSeveralStatementsComesTogether) {
  // Two triangles in two statements, over a fifth edge given on its own.
  auto problems = loadText(std::string(kQuadMesh) + "\tsetAttr \".ed[4]\" 0 2 0;\n"
                           "\tsetAttr -ch 3 \".fc[0]\" -type \"polyFaces\" \n\t\tf 3 0 1 -5\n\t\tmu 0 3 0 1 2;\n"
                           "\tsetAttr -ch 3 \".fc[1]\" -type \"polyFaces\" \n\t\tf 3 4 2 3\n\t\tmu 0 3 0 2 3;\n");
  EXPECT_TRUE(problems.empty()) << problems[0];
  MFnMesh mesh(path("qShape"));
  EXPECT_EQ(mesh.numVertices(), 4);
  EXPECT_EQ(mesh.numPolygons(), 2);
  EXPECT_EQ(mesh.numUVs(), 4);
  MIntArray second;
  mesh.getPolygonVertices(1, second);
  EXPECT_EQ(OmbrixHost::Access::items(second), (std::vector<int>{0, 2, 3}));
  MPoint tweaked;
  mesh.getPoint(1, tweaked);
  EXPECT_DOUBLE_EQ(tweaked.y, 0.5);
  float u, v;
  mesh.getPolygonUV(1, 1, u, v);
  EXPECT_EQ(u, 1.0f);
  EXPECT_EQ(v, 1.0f);
}

TEST_F(HostTest, PolyFacesErrorsNameTheProblem) {
  auto problems = loadText(std::string(kQuadMesh) + "\tsetAttr \".fc[0]\" -type \"polyFaces\" f 4 0 1 2 3 mu 0 3 0 1 2;\n"
                                                    "\tsetAttr \".fc[0]\" -type \"polyFaces\" f 4 0 1 2 3;\n"
                                                    "\tsetAttr \".fc[0]\" -type \"polyFaces\" g 1;\n"
                                                    "\tsetAttr \".fc[5]\" -type \"polyFaces\" f 3 0 1 2;\n"
                                                    "\tsetAttr \".fc[0]\" -type \"float3\" 0 1 2;\n");
  auto has = [&](const std::string& text) {
    for (const auto& p : problems)
      if (p.find(text) != std::string::npos)
        return true;
    return false;
  };
  EXPECT_TRUE(has("t.ma:11: setAttr: mu gives 3 UVs for a face of 4 corners"));
  EXPECT_TRUE(has("t.ma:14: qShape: the faces 5 to 5 are refused: the faces from 1 before them are not given"));
  EXPECT_TRUE(has("t.ma:13: setAttr: unexpected \"g\" in the polyFaces data (qShape.fc[0] is refused)"));
  EXPECT_TRUE(has("t.ma:15: setAttr: the block names the type \"float3\", the array's first block \"polyFaces\""));
  EXPECT_EQ(MFnMesh(path("qShape")).numPolygons(), 1);
}

TEST_F(HostTest, UnknownNodesAndAttributesAreKeptAsWritten) {
  auto problems = loadText(
      "createNode myPluginNode -n \"custom\";\n"
      "\tsetAttr \".someData\" -type \"dataPolyComponent\" Index_Data Edge 0 ;\n"
      "\tsetAttr \".weights[0:2]\"  0.5 0.25 0.125;\n"
      "createNode transform -n \"t\";\n"
      "\taddAttr -ci true -sn \"nts\" -ln \"notes\" -dt \"string\";\n"
      "\tsetAttr \".nts\" -type \"string\" \"a note\";\n"
      "\tsetAttr \".r\" -type \"double3\" 0 90 0 ;\n"
      "select -ne :someNewerDefault;\n"
      "\tsetAttr \".x\" 3;\n"
      "connectAttr \"custom.out\" \"t.tx\";\n"
      "connectAttr \"custom.msg\" \":someNewerDefault.list\" -na;\n"
      "connectAttr \"t.msg\" \":someNewerDefault.list\" -na;\n");
  EXPECT_TRUE(problems.empty()) << problems[0];
  MPlugArray sources;
  MFnDependencyNode(node("t")).findPlug("translateX").connectedTo(sources, true, false);
  ASSERT_EQ(sources.length(), 1u);
  EXPECT_EQ(MFnDependencyNode(sources[0].node()).typeName(), "myPluginNode");
  EXPECT_EQ(mel("getAttr t.notes"), "a note");
  std::string text = saveAndRead();
  EXPECT_NE(text.find("createNode myPluginNode -n \"custom\";"), std::string::npos);
  EXPECT_NE(text.find("setAttr \".someData\" -type \"dataPolyComponent\" Index_Data Edge 0 ;"), std::string::npos);
  EXPECT_NE(text.find("setAttr \".weights[0:2]\"  0.5 0.25 0.125;"), std::string::npos);
  EXPECT_NE(text.find("addAttr -ci true -sn \"nts\" -ln \"notes\" -dt \"string\";"), std::string::npos);
  EXPECT_NE(text.find("setAttr \".rotate.rotateY\" 90;"), std::string::npos);
  EXPECT_NE(text.find("select -ne :someNewerDefault;"), std::string::npos);
  EXPECT_NE(text.find("connectAttr \"t.message\" \"someNewerDefault.list[1]\";"), std::string::npos);
  EXPECT_EQ(text.find("lambert1.outColor"), std::string::npos) << "new-scene connections are not written";
}

TEST_F(HostTest, InstancesAreWrittenAndReadBackWithTheirOrder) {
  quadMesh("first");
  mel("createNode transform -n second; setAttr second.translateZ 4;"
      "parent -add -s -nc -r \"|first|firstShape\" second;");
  mel("sets -renderable true -noSurfaceShader true -empty -name sg;");
  MFnSet(node("sg")).addMember(path("|second|firstShape"));
  std::string text = saveAndRead();
  EXPECT_NE(text.find("parent -s -nc -r -add \"|first|firstShape\" \"second\";"), std::string::npos);
  std::vector<std::string> problems;
  ASSERT_TRUE(OmbrixHost::loadMayaAscii((fs::temp_directory_path() / "ombrix-host-scenefile.ma").string(), problems));
  MSelectionList members;
  MFnSet(node("sg")).getMembers(members, true);
  ASSERT_EQ(members.length(), 1u);
  MDagPath p;
  members.getDagPath(0, p);
  EXPECT_EQ(p.fullPathName(), "|second|firstShape");
  EXPECT_DOUBLE_EQ((MPoint(0, 0, 0) * p.inclusiveMatrix()).z, 4.0);
}

TEST_F(HostTest, HostileNumbersAndNamesAreRefused) {
  auto problems = loadText("createNode transform -n \"t\";\n"
                           "\tsetAttr \".t\" -type \"double3\" 1e999999 2 3;\n"
                           "\tsetAttr \".tx\" nan;\n"
                           "createNode mesh -n \"m\" -p \"t\";\n"
                           "\tsetAttr -s 3 \".vt[0:2000000000]\" 0 0 0;\n"
                           "\tsetAttr \".uvst[999].uvsn\" -type \"string\" \"far\";\n"
                           "\tsetAttr -s 1 \".fc[0]\" -type \"polyFaces\" f 2000000000;\n"
                           "ls \"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b\";\n");
  EXPECT_GE(problems.size(), 4u);
  MFnMesh mesh(path("m"));
  EXPECT_LE(mesh.numVertices(), 1);
  EXPECT_EQ(mesh.numPolygons(), 0);
}

TEST_F(HostTest, NamespacedNamesStayWhole) {
  auto problems = loadText("createNode transform -n \"chars:hero\";\n"
                           "createNode mesh -n \"chars:heroShape\" -p \"chars:hero\";\n"
                           "\tsetAttr -s 3 \".vt[0:2]\" 0 0 0 1 0 0 0 1 0;\n"
                           "\tsetAttr -s 3 \".ed[0:2]\" 0 1 0 1 2 0 2 0 0;\n"
                           "\tsetAttr -ch 3 \".fc[0]\" -type \"polyFaces\" f 3 0 1 2;\n"
                           "createNode lambert -n \"chars:skin\";\n"
                           "createNode shadingEngine -n \"chars:skinSG\";\n\tsetAttr \".ro\" yes;\n"
                           "connectAttr \"chars:skin.oc\" \"chars:skinSG.ss\";\n"
                           "connectAttr \"chars:heroShape.iog\" \":chars:skinSG.dsm\" -na;\n");
  EXPECT_TRUE(problems.empty()) << problems[0];
  EXPECT_EQ(path("chars:heroShape").fullPathName(), "|chars:hero|chars:heroShape");
  EXPECT_NE(OmbrixHost::sceneStatsJson().find("{\"name\":\"chars:heroShape\",\"path\":\"|chars:hero|chars:heroShape\""),
            std::string::npos);
  MSelectionList members;
  MFnSet(node("chars:skinSG")).getMembers(members, true);
  EXPECT_EQ(members.length(), 1u);
}

// Node UUIDs: those a scene file gives are kept through renames and saves;
// a node without one gets one when first asked, and keeps it.
TEST_F(HostTest, UuidsFromTheFileAreKeptAndNewNodesGetTheirOwn) {
  ASSERT_TRUE(loadText("createNode transform -n \"box\";\n"
                       "\trename -uid \"DC7B0E2F-4A1B-2C3D-8E9F-0123456789AB\";\n"
                       "createNode transform -n \"other\";\n")
                  .empty());
  const char* kBoxUuid = "DC7B0E2F-4A1B-2C3D-8E9F-0123456789AB";
  EXPECT_STREQ(MFnDependencyNode(node("box")).uuid().asString().asChar(), kBoxUuid);
  mel("rename box crate;");
  EXPECT_STREQ(MFnDependencyNode(node("crate")).uuid().asString().asChar(), kBoxUuid);

  const MUuid other = MFnDependencyNode(node("other")).uuid();
  ASSERT_TRUE(other.valid());
  EXPECT_EQ(MFnDependencyNode(node("other")).uuid(), other);
  EXPECT_NE(other, MFnDependencyNode(node("crate")).uuid());

  // "rename -uid NODE UUID" sets it; a malformed one is refused.
  mel("rename -uid other \"00000000-1111-2222-3333-444444444444\";");
  EXPECT_STREQ(MFnDependencyNode(node("other")).uuid().asString().asChar(), "00000000-1111-2222-3333-444444444444");
  EXPECT_NE(melError("rename -uid other \"not-a-uuid\";").find("not a UUID"), std::string::npos);

  const std::string saved = saveAndRead();
  EXPECT_NE(saved.find("createNode transform -n \"crate\";\n\trename -uid \"DC7B0E2F-4A1B-2C3D-8E9F-0123456789AB\";"),
            std::string::npos)
      << saved;
  EXPECT_EQ(MUuid(MString("dc7b0e2f-4a1b-2c3d-8e9f-0123456789ab")).asString(), MString(kBoxUuid));
  MStatus status;
  EXPECT_FALSE(MUuid(MString("DC7B0E2F4A1B2C3D8E9F0123456789AB"), &status).valid());
  EXPECT_FALSE(status);
}

TEST_F(HostTest, SceneNameAndCurrentTimeComeFromTheOpenedFile) {
  EXPECT_EQ(mel("file -q -sn;"), "");
  EXPECT_EQ(mel("currentTime -q;"), "1");
  const fs::path file = fs::current_path() / "host-scenename.ma";
  std::ofstream(file) << "//Maya ASCII 2016 scene\nrequires maya \"2016\";\nselect -ne :time1;\n\tsetAttr \".o\" 24;\n";
  std::vector<std::string> problems;
  ASSERT_TRUE(OmbrixHost::loadSceneFile(file.string(), problems));
  EXPECT_EQ(mel("file -q -sn;"), file.generic_string());
  EXPECT_EQ(mel("currentTime -q;"), "24");
  mel("file -f -new;");
  EXPECT_EQ(mel("file -q -sn;"), "");
  fs::remove(file);
}
