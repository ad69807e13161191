// Edits of a mesh's construction history within a session: the next read
// of the mesh (MFnMesh, polyEvaluate) evaluates its history again; undo
// takes the edit back and the mesh answers as before it.
#include "HistoryScene.h"

#include <maya/MDGModifier.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MPointArray.h>

#include <cmath>
#include <string>

using namespace HistoryScene;

namespace {

double largestX(const char* shape) {
  MPointArray points = pointsOf(shape);
  double x = 0.0;
  for (unsigned i = 0; i < points.length(); ++i)
    x = std::max(x, points[i].x);
  return x;
}

int polygonsOf(const char* shape) { return MFnMesh(HostTest::path(shape)).numPolygons(); }

int iteratedPolygons(const char* shape) {
  int count = 0;
  for (MItMeshPolygon it(HostTest::path(shape)); !it.isDone(); it.next())
    ++count;
  return count;
}

MPlug plugOf(const char* node, const char* attribute) {
  MPlug plug = MFnDependencyNode(HostTest::node(node)).findPlug(attribute, true);
  EXPECT_FALSE(plug.isNull()) << node << "." << attribute;
  return plug;
}

// A quad without history: vertex 1 at (1, 0, 0) tweaked by (0, 0, 1).
const char* kTweakedQuad =
    "createNode transform -n \"quad\";\n"
    "createNode mesh -n \"quadShape\" -p \"quad\";\n"
    "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
    "\tsetAttr \".pt[1]\" -type \"float3\" 0 0 1 ;\n"
    "\tsetAttr -s 4 \".vt[0:3]\"  0 0 0 1 0 0 1 1 0 0 1 0;\n"
    "\tsetAttr -s 4 \".ed[0:3]\"  0 1 0 1 2 0 2 3 0 3 0 0;\n"
    "\tsetAttr -s 1 -ch 4 \".fc[0]\" -type \"polyFaces\" f 4 0 1 2 3;\n";

}  // namespace

TEST_F(HostTest, CreationNodeEditsReachTheMeshOnItsNextRead) {
  expectAllEvaluated(loadScene(creatorScene("Cube", "")));
  const MPointArray first = pointsOf("pCubeShape1");
  EXPECT_DOUBLE_EQ(largestX("pCubeShape1"), 0.5);

  mel("setAttr polyCube1.width 2");
  EXPECT_DOUBLE_EQ(largestX("pCubeShape1"), 1.0);

  // Three divisions across: 3 + 3 faces top and bottom, 3 + 3 front and back, 1 + 1 at the sides.
  mel("setAttr polyCube1.subdivisionsWidth 3");
  EXPECT_EQ(polygonsOf("pCubeShape1"), 14);
  EXPECT_EQ(iteratedPolygons("pCubeShape1"), 14);
  EXPECT_EQ(mel("polyEvaluate -f pCubeShape1"), "14");
  EXPECT_EQ(mel("polyEvaluate -v pCubeShape1"), std::to_string(pointsOf("pCubeShape1").length()));

  mel("setAttr polyCube1.subdivisionsWidth 1");
  mel("setAttr polyCube1.width 1");
  expectSamePoints(pointsOf("pCubeShape1"), first);
}

TEST_F(HostTest, HistoryConnectionsMadeOrBrokenReachTheMesh) {
  expectAllEvaluated(loadScene(creatorScene("Cube", "\tsetAttr \".w\" 2;\n")));
  const MPointArray first = pointsOf("pCubeShape1");

  // Cut off from its history the mesh keeps what it showed last.
  mel("disconnectAttr polyCube1.output pCubeShape1.inMesh");
  mel("setAttr polyCube1.width 5");
  expectSamePoints(pointsOf("pCubeShape1"), first);

  mel("connectAttr polyCube1.output pCubeShape1.inMesh");
  EXPECT_DOUBLE_EQ(largestX("pCubeShape1"), 2.5);

  // Another creation node in its place.
  mel("createNode polyCube -n wide");
  mel("setAttr wide.width 8");
  mel("connectAttr -f wide.output pCubeShape1.inMesh");
  EXPECT_DOUBLE_EQ(largestX("pCubeShape1"), 4.0);

  // Deleting the node that fed it leaves the mesh as it was.
  mel("delete wide");
  EXPECT_DOUBLE_EQ(largestX("pCubeShape1"), 4.0);
}

TEST_F(HostTest, UndoneHistoryEditsGiveTheFirstAnswerBack) {
  expectAllEvaluated(loadScene(creatorScene("Cube", "")));
  const MPointArray first = pointsOf("pCubeShape1");

  MDGModifier widen;
  ASSERT_EQ(widen.newPlugValueDouble(plugOf("polyCube1", "width"), 3.0), MStatus::kSuccess);
  ASSERT_EQ(widen.doIt(), MStatus::kSuccess);
  EXPECT_DOUBLE_EQ(largestX("pCubeShape1"), 1.5);
  ASSERT_EQ(widen.undoIt(), MStatus::kSuccess);
  expectSamePoints(pointsOf("pCubeShape1"), first);
  ASSERT_EQ(widen.doIt(), MStatus::kSuccess);
  EXPECT_DOUBLE_EQ(largestX("pCubeShape1"), 1.5);
  ASSERT_EQ(widen.undoIt(), MStatus::kSuccess);

  MDGModifier divide;
  ASSERT_EQ(divide.newPlugValueInt(plugOf("polyCube1", "subdivisionsHeight"), 4), MStatus::kSuccess);
  ASSERT_EQ(divide.doIt(), MStatus::kSuccess);
  EXPECT_EQ(polygonsOf("pCubeShape1"), 2 + 4 * 4);
  ASSERT_EQ(divide.undoIt(), MStatus::kSuccess);
  EXPECT_EQ(polygonsOf("pCubeShape1"), 6);

  // An undone disconnection hands the mesh back to its history, which changed meanwhile.
  MDGModifier cut;
  ASSERT_EQ(cut.disconnect(plugOf("polyCube1", "output"), plugOf("pCubeShape1", "inMesh")), MStatus::kSuccess);
  ASSERT_EQ(cut.doIt(), MStatus::kSuccess);
  mel("setAttr polyCube1.width 2");
  EXPECT_DOUBLE_EQ(largestX("pCubeShape1"), 0.5);
  ASSERT_EQ(cut.undoIt(), MStatus::kSuccess);
  EXPECT_DOUBLE_EQ(largestX("pCubeShape1"), 1.0);
}

TEST_F(HostTest, AnEditReachesEveryShapeItFeedsAfterItsConnectionsChange) {
  // One history node feeding two meshes, each a member of a set with many
  // members: an edit of it reaches both, then the one still connected after
  // the other's connection is cut, then both again once the cut is undone.
  std::string scene = creatorScene("Cube", "") + "createNode transform -n \"copy\";\n"
                      "createNode mesh -n \"copyShape\" -p \"copy\";\n"
                      "connectAttr \"polyCube1.out\" \"copyShape.i\";\n";
  for (int i = 0; i < 50; ++i)
    scene += "createNode transform -n \"member" + std::to_string(i) + "\";\n";
  for (const char* shape : {"pCubeShape1", "copyShape"})
    scene += "connectAttr \"" + std::string(shape) + ".iog\" \":initialShadingGroup.dsm\" -na;\n";
  for (int i = 0; i < 50; ++i)
    scene += "connectAttr \"member" + std::to_string(i) + ".iog\" \":initialShadingGroup.dsm\" -na;\n";
  expectAllEvaluated(loadScene(scene));
  mel("setAttr polyCube1.width 2");
  EXPECT_DOUBLE_EQ(largestX("pCubeShape1"), 1.0);
  EXPECT_DOUBLE_EQ(largestX("copyShape"), 1.0);

  MDGModifier cut;
  ASSERT_EQ(cut.disconnect(plugOf("polyCube1", "output"), plugOf("pCubeShape1", "inMesh")), MStatus::kSuccess);
  ASSERT_EQ(cut.doIt(), MStatus::kSuccess);
  mel("setAttr polyCube1.width 4");
  EXPECT_DOUBLE_EQ(largestX("pCubeShape1"), 1.0);
  EXPECT_DOUBLE_EQ(largestX("copyShape"), 2.0);
  ASSERT_EQ(cut.undoIt(), MStatus::kSuccess);
  mel("setAttr polyCube1.width 6");
  EXPECT_DOUBLE_EQ(largestX("pCubeShape1"), 3.0);
  EXPECT_DOUBLE_EQ(largestX("copyShape"), 3.0);
  // The second connection cut for good: only the first mesh follows.
  mel("disconnectAttr polyCube1.out copyShape.i");
  mel("setAttr polyCube1.width 8");
  EXPECT_DOUBLE_EQ(largestX("pCubeShape1"), 4.0);
  EXPECT_DOUBLE_EQ(largestX("copyShape"), 3.0);
}

TEST_F(HostTest, VertexEditsOfAMeshKeepPointsAndTweaksApart) {
  loadScene(kTweakedQuad);
  expectPoint(pointsOf("quadShape"), 1, 1, 0, 1);

  // .vt moves the point under its tweak; .pt replaces the tweak.
  mel("setAttr quadShape.vt[1] 2 0 0");
  expectPoint(pointsOf("quadShape"), 1, 2, 0, 1);
  mel("setAttr quadShape.pt[1] 0 0 3");
  expectPoint(pointsOf("quadShape"), 1, 2, 0, 3);
  mel("setAttr quadShape.pt[1].pz 0");
  expectPoint(pointsOf("quadShape"), 1, 2, 0, 0);
  // A vertex tweaked for the first time.
  mel("setAttr quadShape.pt[2] 0 1 0");
  MPointArray points = pointsOf("quadShape");
  expectPoint(points, 2, 1, 2, 0);
  expectPoint(points, 0, 0, 0, 0);

  // On a mesh with history the tweaks go on top of what the history gives, also after an edit of it.
  loadScene(creatorScene("Cube", ""));
  mel("setAttr pCubeShape1.pt[0] 0 1 0");
  expectPoint(pointsOf("pCubeShape1"), 0, -0.5, 0.5, 0.5);
  mel("setAttr polyCube1.width 2");
  expectPoint(pointsOf("pCubeShape1"), 0, -1, 0.5, 0.5);
}

namespace {

// The cube of polyCube1 with vertices 0 and 5 tweaked, as Maya saves a shape with history.
std::string tweakedCube() {
  std::string scene = creatorScene("Cube", "");
  const std::string shapeLine = "createNode mesh -n \"pCubeShape1\" -p \"pCube1\";\n";
  scene.insert(scene.find(shapeLine) + shapeLine.size(),
               "\tsetAttr -s 2 \".pt\";\n"
               "\tsetAttr \".pt[0]\" -type \"float3\" 0.1 0.2 0.30000001 ;\n"
               "\tsetAttr \".pt[5]\" -type \"float3\" 0 -0.73599243 0 ;\n");
  return scene;
}

}  // namespace

TEST_F(HostTest, SavedMeshesKeepTheirVertexTweaks) {
  // With history: the tweaks are saved on the shape, without its own points, and
  // reopen on top of what the history gives.
  expectAllEvaluated(loadScene(tweakedCube()));
  mel("setAttr pCubeShape1.pt[3] 0 0 2");
  const MPointArray tweaked = pointsOf("pCubeShape1");
  expectPoint(tweaked, 0, -0.4, -0.3, 0.80000001);
  const std::string saved = saveAndReopen();
  expectSamePoints(pointsOf("pCubeShape1"), tweaked);
  EXPECT_NE(saved.find("\tsetAttr -s 3 \".pt\";\n\tsetAttr \".pt[0]\" -type \"float3\" 0.10000000000000001 "
                       "0.20000000000000001 0.30000000999999998 ;\n\tsetAttr \".pt[3]\" -type \"float3\" 0 0 2 ;\n"
                       "\tsetAttr \".pt[5]\" -type \"float3\" 0 -0.73599243000000003 0 ;\n"),
            std::string::npos)
      << saved;
  EXPECT_EQ(saved.find("\".vt"), std::string::npos) << saved;
  // Saved again, the tweaks are the same.
  EXPECT_EQ(saveAndReopen(), saved);
  // A history edit after the reopening still gets the tweaks on top.
  mel("setAttr polyCube1.width 2");
  expectPoint(pointsOf("pCubeShape1"), 0, -0.9, -0.3, 0.80000001);

  // Without history the points are saved as they are, and reopen the same.
  loadScene(kTweakedQuad);
  const MPointArray quad = pointsOf("quadShape");
  saveAndReopen();
  expectSamePoints(pointsOf("quadShape"), quad);
  expectPoint(quad, 1, 1, 0, 1);
}

TEST_F(HostTest, TweakPlugsReadTheMeshsTweaks) {
  expectAllEvaluated(loadScene(tweakedCube()));
  EXPECT_EQ(mel("getAttr -size pCubeShape1.pt"), "2");
  EXPECT_EQ(mel("getAttr pCubeShape1.pt[5]"), "0 -0.735992 0");
  EXPECT_EQ(mel("getAttr pCubeShape1.pt[0].px"), "0.1");
  EXPECT_EQ(mel("getAttr pCubeShape1.pnts[0].pntz"), "0.30000001");
  EXPECT_EQ(mel("getAttr pCubeShape1.pt[3]"), "0 0 0");

  // What setAttr gives a tweak, getAttr and MPlug read back.
  mel("setAttr pCubeShape1.pt[3] 0 0 2");
  mel("setAttr pCubeShape1.pt[3].py 1");
  EXPECT_EQ(mel("getAttr pCubeShape1.pt[3]"), "0 1 2");
  EXPECT_EQ(mel("getAttr -size pCubeShape1.pt"), "3");
  MPlug tweaks = plugOf("pCubeShape1", "pt");
  EXPECT_EQ(tweaks.numElements(), 3u);
  EXPECT_FLOAT_EQ(tweaks.elementByLogicalIndex(5).child(1).asFloat(), -0.73599243f);
  EXPECT_FLOAT_EQ(tweaks.elementByLogicalIndex(3).child(2).asFloat(), 2.0f);
  EXPECT_FLOAT_EQ(tweaks.elementByLogicalIndex(7).child(0).asFloat(), 0.0f);
  // MPlug writes the tweak the mesh is moved by.
  ASSERT_EQ(tweaks.elementByLogicalIndex(7).child(0).setValue(0.25), MStatus::kSuccess);
  EXPECT_EQ(mel("getAttr pCubeShape1.pt[7]"), "0.25 0 0");
  expectPoint(pointsOf("pCubeShape1"), 7, 0.75, -0.5, -0.5);

  // getAttr answers in the working unit, MPlug in centimetres.
  mel("currentUnit -l mm");
  EXPECT_EQ(mel("getAttr pCubeShape1.pt[3]"), "0 10 20");
  mel("setAttr pCubeShape1.pt[3].px 5");
  EXPECT_EQ(mel("getAttr pCubeShape1.pt[3]"), "5 10 20");
  EXPECT_FLOAT_EQ(tweaks.elementByLogicalIndex(3).child(0).asFloat(), 0.5f);
}

TEST_F(HostTest, UpdateSurfaceHandsAMeshsEditsToTheMeshesItFeeds) {
  loadScene(std::string(kTweakedQuad) +
            "createNode transform -n \"copy\";\n"
            "createNode mesh -n \"copyShape\" -p \"copy\";\n"
            "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
            "connectAttr \"quadShape.o\" \"copyShape.i\";\n");
  expectPoint(pointsOf("copyShape"), 1, 1, 0, 1);
  MFnMesh quad(path("quadShape"));
  ASSERT_EQ(quad.setPoint(0, MPoint(0, 0, 5)), MStatus::kSuccess);
  ASSERT_EQ(quad.updateSurface(), MStatus::kSuccess);
  // The edited mesh keeps its edit; the copy follows it, tweak and all.
  expectPoint(pointsOf("quadShape"), 0, 0, 0, 5);
  const MPointArray copied = pointsOf("copyShape");
  expectPoint(copied, 0, 0, 0, 5);
  expectPoint(copied, 1, 1, 0, 1);
}
