#include "HostFixture.h"

#include <maya/MDagPathArray.h>
#include <maya/MItDag.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

TEST_F(HostTest, InstancedShapeHasOnePathPerParentWithItsOwnMatrix) {
  MObject shape = quadMesh("pA");
  MFnDagNode second;
  MObject t2 = second.create("transform", "pB");
  ASSERT_EQ(second.addChild(shape, MFnDagNode::kNextPos, true), MStatus::kSuccess);
  node("pB");
  MFnDependencyNode(node("pB")).findPlug("translateX").setValue(5.0);

  MDagPathArray paths;
  ASSERT_EQ(MDagPath::getAllPathsTo(shape, paths), MStatus::kSuccess);
  ASSERT_EQ(paths.length(), 2u);
  EXPECT_EQ(paths[0].fullPathName(), "|pA|pAShape");
  EXPECT_EQ(paths[1].fullPathName(), "|pB|pAShape");
  // The shape's own name no longer tells the paths apart.
  EXPECT_EQ(paths[0].partialPathName(), "pA|pAShape");
  EXPECT_EQ(paths[1].partialPathName(), "pB|pAShape");
  EXPECT_EQ(paths[1].instanceNumber(), 1u);

  MPoint corner(1, 0, 0);
  MPoint a = corner * paths[0].inclusiveMatrix();
  MPoint b = corner * paths[1].inclusiveMatrix();
  EXPECT_DOUBLE_EQ(a.x, 1.0);
  EXPECT_DOUBLE_EQ(b.x, 6.0);
  EXPECT_TRUE(MFnDagNode(shape).isInstanced());
  (void)t2;
}

TEST_F(HostTest, UniqueShapeNameIsItsPartialPath) {
  quadMesh("pA");
  MDagPath p = path("pAShape");
  EXPECT_EQ(p.fullPathName(), "|pA|pAShape");
  EXPECT_EQ(p.partialPathName(), "pAShape");
  EXPECT_TRUE(p.hasFn(MFn::kMesh));
  EXPECT_TRUE(p.hasFn(MFn::kShape));
  EXPECT_EQ(static_cast<int>(p.apiType()), 286);
}

TEST_F(HostTest, TransformsComposeScaleRotateTranslateDownThePath) {
  quadMesh("child");
  mel("createNode transform -n grp; parent child grp;");
  mel("setAttr grp.translate 1 2 3; setAttr child.rotateY 90; setAttr child.scale 2 2 2;");
  MPoint p = MPoint(1, 0, 0) * path("childShape").inclusiveMatrix();
  // Scaled to x = 2, turned about y by 90 degrees to z = -2, then moved by (1, 2, 3).
  EXPECT_NEAR(p.x, 1.0, 1e-12);
  EXPECT_NEAR(p.y, 2.0, 1e-12);
  EXPECT_NEAR(p.z, 1.0, 1e-12);
  EXPECT_NEAR(MFnDependencyNode(node("child")).findPlug("rotateY").asDouble(), 1.57079632679489661923, 1e-12);
}

TEST_F(HostTest, DagIteratorOrders) {
  mel("createNode transform -n a; createNode transform -n b -p a; createNode transform -n c -p b;"
      "createNode transform -n d -p a; createNode transform -n e;");
  auto walk = [](MItDag& it) {
    std::vector<std::string> names;
    for (; !it.isDone(); it.next()) {
      MDagPath p;
      it.getPath(p);
      names.push_back(p.length() ? p.partialPathName().asChar() : "<world>");
    }
    return names;
  };
  MItDag depth(MItDag::kDepthFirst);
  depth.reset(node("a"), MItDag::kDepthFirst, MFn::kInvalid);
  EXPECT_EQ(walk(depth), (std::vector<std::string>{"a", "b", "c", "d"}));

  MItDag breadth(MItDag::kBreadthFirst);
  std::vector<std::string> all = walk(breadth);
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(all.front(), "<world>");
  auto at = [&](const char* n) { return std::find(all.begin(), all.end(), n) - all.begin(); };
  EXPECT_LT(at("e"), at("b"));
  EXPECT_LT(at("d"), at("c"));
  EXPECT_LT(at("b"), at("c"));
}

TEST_F(HostTest, RemovingATransformTakesItsChildren) {
  MObject shape = quadMesh("gone");
  MObject transform = MFnDagNode(shape).parent(0);
  ASSERT_EQ(MGlobal::removeFromModel(transform), MStatus::kSuccess);
  EXPECT_TRUE(shape.isNull());
  MSelectionList list;
  EXPECT_FALSE(list.add("goneShape"));
}

namespace {

const double kDegree = 3.14159265358979323846 / 180.0;

// A transform whose translateY and rotateY are keyed as Maya saves keys (the
// robot scene's joints: three keys, auto tangents), and its pCube's corner
// (0.5, 0.5, 0.5), world, at the time the scene gives time1.
MPoint keyedCorner(const std::string& time, const std::string& linearUnit, const std::string& rotateKeys) {
  const std::string scene =
      "//Maya ASCII 2017 scene\nrequires maya \"2017\";\ncurrentUnit -l " + linearUnit +
      " -a degree -t film;\n"
      "createNode transform -n \"box\";\n"
      "createNode mesh -n \"boxShape\" -p \"box\";\n"
      "createNode polyCube -n \"polyCube1\";\n"
      "createNode animCurveTL -n \"box_translateY\";\n\tsetAttr \".tan\" 18;\n"
      "\tsetAttr -s 3 \".ktv[0:2]\"  1 2 12 2\n\t\t 24 2;\n"
      "createNode animCurveTA -n \"box_rotateY\";\n\tsetAttr \".tan\" 18;\n"
      "\tsetAttr -s 3 \".ktv[0:2]\"  " + rotateKeys + ";\n" +
      (time.empty() ? "" : "select -ne :time1;\n\tsetAttr \".o\" " + time + ";\n") +
      "connectAttr \"polyCube1.out\" \"boxShape.i\";\n"
      "connectAttr \"box_translateY.o\" \"box.ty\";\n"
      "connectAttr \"box_rotateY.o\" \"box.ry\";\n";
  std::vector<std::string> problems;
  OmbrixHost::loadMayaAsciiText(scene, "keyed.ma", problems);
  return MPoint(0.5, 0.5, 0.5) * HostTest::path("boxShape").inclusiveMatrix();
}

}  // namespace

TEST_F(HostTest, KeyedTransformsStandWhereTheirCurvesPutThemAtTheSceneTime) {
  // At the first key (frame 1): turned 90 degrees about y, raised by 2.
  MPoint p = keyedCorner("1", "centimeter", "1 90 12 -50 24 90");
  EXPECT_NEAR(p.x, 0.5, 1e-9);
  EXPECT_NEAR(p.y, 2.5, 1e-9);
  EXPECT_NEAR(p.z, -0.5, 1e-9);
  // No time saved is frame 1 too; at the middle key (frame 12) turned -50 degrees.
  EXPECT_NEAR(keyedCorner("", "centimeter", "1 90 12 -50 24 90").z, -0.5, 1e-9);
  p = keyedCorner("12", "centimeter", "1 90 12 -50 24 90");
  EXPECT_NEAR(p.x, 0.5 * std::cos(-50 * kDegree) + 0.5 * std::sin(-50 * kDegree), 1e-9);
  // Keys in metres place it in metres; after the last key the last value holds.
  p = keyedCorner("30", "meter", "1 0 12 0 24 0");
  EXPECT_NEAR(p.y, 200.5, 1e-9);
  // Between keys of different values the tangents decide, which the host does
  // not evaluate: the stored rotation (none) stands, a constant curve still applies.
  p = keyedCorner("6", "centimeter", "1 90 12 -50 24 90");
  EXPECT_NEAR(p.x, 0.5, 1e-9);
  EXPECT_NEAR(p.y, 2.5, 1e-9);
  EXPECT_NEAR(p.z, 0.5, 1e-9);
}

// A name alone finds its node however deep it lies (Maya's files give every
// parent by its name alone, -p "name", when that name is unique); twins under
// two parents need their paths; an instance named alone is its first path,
// "|name" the path straight under the world, wherever that stands among them.
TEST_F(HostTest, NamesFindNodesAtAnyDepthAndPathsTellTwinsAndInstancesApart) {
  std::string scene = "//Maya ASCII 2018 scene\nrequires maya \"2018\";\n", full;
  for (int i = 0; i < 300; ++i) {
    const std::string name = "n" + std::to_string(i);
    scene += "createNode transform -n \"" + name + "\"" + (i ? " -p \"n" + std::to_string(i - 1) + "\"" : "") +
             ";\n\tsetAttr \".t\" -type \"double3\" 0 1 0 ;\n";
    full += "|" + name;
  }
  std::vector<std::string> problems;
  ASSERT_TRUE(OmbrixHost::loadMayaAsciiText(scene, "chain.ma", problems));
  EXPECT_EQ(std::string(path("n299").fullPathName().asChar()), full);
  EXPECT_NEAR((MPoint() * path("n299").inclusiveMatrix()).y, 300.0, 1e-9);
  EXPECT_EQ(mel("setAttr n299.tx 2; getAttr n299.tx"), "2");

  mel("createNode transform -n g1; createNode transform -n a -p g1; createNode transform -n g2;"
      "createNode transform -n a -p g2;");
  EXPECT_NE(melError("getAttr a.tx").find("More than one object matches name: a"), std::string::npos);
  EXPECT_EQ(mel("objExists a"), "1");
  EXPECT_EQ(std::string(path("g2|a").fullPathName().asChar()), "|g2|a");
  EXPECT_NE(melError("select \"|a\"").find("No object matches name: |a"), std::string::npos);

  // t under g1 first, then also under the world: "|t" is its second path.
  mel("createNode transform -n t -p g1; parent -add -w t; createNode polyUnite -n u;"
      "connectAttr t.wm u.im[0]; connectAttr \"|t.wm\" u.im[1]; connectAttr \"g1|t.wm\" u.im[2];");
  EXPECT_EQ(mel("listConnections -p 1 u.im"), "t.worldMatrix[0] t.worldMatrix[1] t.worldMatrix[0]");
  EXPECT_EQ(mel("objExists \"|t\"; objExists \"|g1|t\""), "1");

  // Partial path names: a unique name alone, twins and instances by their parents.
  EXPECT_EQ(std::string(path("n299").partialPathName().asChar()), "n299");
  EXPECT_EQ(std::string(path("g2|a").partialPathName().asChar()), "g2|a");
  EXPECT_EQ(std::string(path("g1|t").partialPathName().asChar()), "g1|t");

  // Saved and loaded again: the same paths, instances and connections.
  const std::string saved = (std::filesystem::temp_directory_path() /
                             ("host-names-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                              std::string(".ma")))
                                .string();
  std::string error;
  ASSERT_TRUE(OmbrixHost::saveMayaAscii(saved, error)) << error;
  problems.clear();
  EXPECT_TRUE(OmbrixHost::loadMayaAscii(saved, problems)) << (problems.empty() ? "" : problems[0]);
  std::filesystem::remove(saved);
  EXPECT_EQ(std::string(path("n299").fullPathName().asChar()), full);
  EXPECT_EQ(std::string(path("g1|a").fullPathName().asChar()), "|g1|a");
  EXPECT_EQ(std::string(path("g2|a").fullPathName().asChar()), "|g2|a");
  EXPECT_EQ(mel("listConnections -p 1 u.im"), "t.worldMatrix[0] t.worldMatrix[1] t.worldMatrix[0]");
  EXPECT_EQ(mel("getAttr n299.tx"), "2");
}
