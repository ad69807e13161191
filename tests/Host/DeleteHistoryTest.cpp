// listHistory and Delete History ("delete -ch") as Maya answers them.
#include <maya/MFloatArray.h>

#include "Host/HostFixture.h"

#include <filesystem>

namespace {

// A plane shaded per face: two groupParts between its creation node and the
// mesh, a groupId per face group, as Maya saves such a mesh.
const char kShadedPlane[] =
    "//Maya ASCII 2022 scene\n"
    "requires maya \"2022\";\n"
    "createNode transform -n \"pPlane1\";\n"
    "createNode mesh -n \"pPlaneShape1\" -p \"pPlane1\";\n"
    "\tsetAttr -s 2 \".iog[0].og\";\n"
    "createNode polyPlane -n \"polyPlane1\";\n"
    "\tsetAttr \".sw\" 2;\n"
    "\tsetAttr \".sh\" 1;\n"
    "createNode lambert -n \"red\";\n"
    "createNode shadingEngine -n \"redSG\";\n"
    "createNode lambert -n \"blue\";\n"
    "createNode shadingEngine -n \"blueSG\";\n"
    "createNode groupId -n \"groupId1\";\n"
    "createNode groupParts -n \"groupParts1\";\n"
    "\tsetAttr \".ic\" -type \"componentList\" 1 \"f[0]\";\n"
    "createNode groupId -n \"groupId2\";\n"
    "createNode groupParts -n \"groupParts2\";\n"
    "\tsetAttr \".ic\" -type \"componentList\" 1 \"f[1]\";\n"
    "connectAttr \"red.oc\" \"redSG.ss\";\n"
    "connectAttr \"blue.oc\" \"blueSG.ss\";\n"
    "connectAttr \"polyPlane1.out\" \"groupParts1.ig\";\n"
    "connectAttr \"groupId1.id\" \"groupParts1.gi\";\n"
    "connectAttr \"groupParts1.og\" \"groupParts2.ig\";\n"
    "connectAttr \"groupId2.id\" \"groupParts2.gi\";\n"
    "connectAttr \"groupParts2.og\" \"pPlaneShape1.i\";\n"
    "connectAttr \"groupId1.id\" \"pPlaneShape1.iog.og[0].gid\";\n"
    "connectAttr \"groupId2.id\" \"pPlaneShape1.iog.og[1].gid\";\n"
    "connectAttr \"pPlaneShape1.iog.og[0]\" \"redSG.dsm\" -na;\n"
    "connectAttr \"pPlaneShape1.iog.og[1]\" \"blueSG.dsm\" -na;\n"
    "connectAttr \"groupId1.msg\" \"redSG.gn\" -na;\n"
    "connectAttr \"groupId2.msg\" \"blueSG.gn\" -na;\n";

std::string uvText(const char* shape) {
  MFnMesh mesh(HostTest::path(shape));
  MFloatArray us, vs;
  mesh.getUVs(us, vs);
  MIntArray counts, ids;
  mesh.getAssignedUVs(counts, ids);
  std::string out;
  for (unsigned i = 0; i < us.length(); ++i)
    out += std::to_string(us[i]) + "," + std::to_string(vs[i]) + " ";
  for (unsigned i = 0; i < ids.length(); ++i)
    out += std::to_string(ids[i]) + " ";
  return out;
}

class HistoryTest : public HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    std::vector<std::string> problems;
    ASSERT_TRUE(OmbrixHost::loadMayaAsciiText(kShadedPlane, "shaded.ma", problems))
        << (problems.empty() ? "" : problems[0]);
  }
};

TEST_F(HistoryTest, ListHistoryNamesTheGroupIdsOfPerFaceShading) {
  EXPECT_EQ(mel("listHistory pPlane1"), "pPlaneShape1 groupParts2 groupId1 groupId2 groupParts1 polyPlane1");
}

TEST_F(HistoryTest, DeleteHistoryKeepsGeometryUVsAndPerFaceShading) {
  const std::string uvs = uvText("pPlaneShape1");
  const int polygons = MFnMesh(path("pPlaneShape1")).numPolygons();
  mel("select -r pPlane1; delete -ch");
  EXPECT_EQ(mel("ls -type polyPlane"), "");
  EXPECT_EQ(mel("ls -type groupParts"), "");
  EXPECT_EQ(mel("ls -type groupId"), "groupId1 groupId2");
  EXPECT_EQ(mel("listHistory pPlane1"), "pPlaneShape1 groupId1 groupId2");
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numPolygons(), polygons);
  EXPECT_EQ(uvText("pPlaneShape1"), uvs);
  EXPECT_EQ(mel("sets -q redSG"), "pPlaneShape1.f[0]");
  EXPECT_EQ(mel("sets -q blueSG"), "pPlaneShape1.f[1]");
  // The mesh keeps all of it through a save and a load.
  const std::string saved = "history-test-saved.ma";
  std::string error;
  ASSERT_TRUE(OmbrixHost::saveMayaAscii(saved, error)) << error;
  std::vector<std::string> problems;
  ASSERT_TRUE(OmbrixHost::loadMayaAscii(saved, problems));
  EXPECT_EQ(uvText("pPlaneShape1"), uvs);
  EXPECT_EQ(mel("sets -q blueSG"), "pPlaneShape1.f[1]");
  std::filesystem::remove(saved);
}

TEST_F(HistoryTest, DeleteHistoryLeavesNodesThatFeedSomethingElse) {
  quadMesh("other");
  mel("disconnectAttr groupParts2.og pPlaneShape1.i; connectAttr polyPlane1.out otherShape.i;"
      "connectAttr groupParts2.og pPlaneShape1.i");
  mel("delete -ch pPlane1");
  EXPECT_EQ(mel("ls -type polyPlane"), "polyPlane1");
  EXPECT_EQ(mel("ls -type groupParts"), "");
}

}  // namespace
