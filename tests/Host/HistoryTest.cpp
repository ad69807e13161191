// Construction history as Maya writes it into Maya ASCII scenes: modifiers,
// deformers driven by joints and targets, and history the host cannot evaluate.
#include "HistoryScene.h"

#include <maya/MFloatArray.h>
#include <maya/MIntArray.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace HistoryScene;

namespace {

// The shape "p<Kind>Shape1" under "p<Kind>1", its UV set map1, fed through
// `history` from the creation node "poly<Kind>1" (set up by `settings`);
// `last` is the plug that drives the shape.
std::string fedScene(const std::string& kind, const std::string& shapeAttrs, const std::string& settings,
                     const std::string& history, const std::string& last) {
  const std::string t = "p" + kind + "1", shape = "p" + kind + "Shape1";
  return "createNode transform -n \"" + t + "\";\n" + "createNode mesh -n \"" + shape + "\" -p \"" + t +
         "\";\n" + shapeAttrs +
         "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n\tsetAttr \".cuvs\" -type \"string\" \"map1\";\n"
         "createNode poly" + kind + " -n \"poly" + kind + "1\";\n" + settings + history + "connectAttr \"" + last +
         "\" \"" + shape + ".i\";\n";
}

// A cube's shape fed by the given history; the cube's creation node is polyCube1.
std::string cubeScene(const std::string& history, const std::string& last) {
  return fedScene("Cube", "\tsetAttr -k off \".v\";\n\tsetAttr \".vir\" yes;\n\tsetAttr \".vif\" yes;\n",
                  "\tsetAttr \".w\" 2;\n\tsetAttr \".h\" 2;\n\tsetAttr \".d\" 2;\n\tsetAttr \".cuv\" 4;\n", history, last);
}

// A bar of two quads up Y (-0.5..0.5 by 0..2) as an intermediate "Orig" shape,
// the way a deformed mesh keeps its undeformed geometry.
const char* kBarShapes =
    "createNode transform -n \"bar\";\n"
    "createNode mesh -n \"barShape\" -p \"bar\";\n"
    "\tsetAttr -k off \".v\";\n\tsetAttr \".vir\" yes;\n"
    "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
    "createNode mesh -n \"barShapeOrig\" -p \"bar\";\n"
    "\tsetAttr -k off \".v\";\n\tsetAttr \".io\" yes;\n"
    "\tsetAttr -s 6 \".vt[0:5]\"  -0.5 0 0 0.5 0 0 -0.5 1 0 0.5 1 0 -0.5 2 0 0.5 2 0;\n"
    "\tsetAttr -s 7 \".ed[0:6]\"  0 1 0 0 2 0 1 3 0 2 3 0 2 4 0 3 5 0 4 5 0;\n"
    "\tsetAttr -s 2 -ch 8 \".fc[0:1]\" -type \"polyFaces\" f 4 0 2 -4 -2 f 4 3 5 -7 -5;\n";

// A unit box whose top (2, 3, 5, 4) was extruded up to 8 to 11, as pair c061's
// Glass is built: its edges and faces as Maya lists them, its 12 UVs one per
// point, numbered as a planar projection of every face numbers them (each
// point's as its first face reaches it).
const char* kGlassBox =
    "createNode transform -n \"glass\";\n"
    "createNode mesh -n \"glassShape\" -p \"glass\";\n"
    "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
    "createNode mesh -n \"glassShapeOrig\" -p \"glass\";\n"
    "\tsetAttr \".io\" yes;\n"
    "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
    "\tsetAttr -s 12 \".uvst[0].uvsp[0:11]\" -type \"float2\" 0 0 0.1 0 0.2 0 0.3 0 0.4 0 0.5 0 0.6 0 0.7 0 "
    "0.8 0 0.9 0 1 0 1 0.1;\n"
    "\tsetAttr \".cuvs\" -type \"string\" \"map1\";\n"
    "\tsetAttr -s 12 \".vt[0:11]\"  -0.5 -0.5 0.5 0.5 -0.5 0.5 -0.5 0.5 0.5 0.5 0.5 0.5 -0.5 0.5 -0.5 0.5 0.5 -0.5 "
    "-0.5 -0.5 -0.5 0.5 -0.5 -0.5 -0.5 1 0.5 0.5 1 0.5 0.5 1 -0.5 -0.5 1 -0.5;\n"
    "\tsetAttr -s 20 \".ed[0:19]\"  0 1 0 2 3 0 4 5 0 6 7 0 0 2 0 1 3 0 2 4 0 3 5 0 4 6 0 5 7 0 6 0 0 7 1 0 "
    "2 8 0 3 9 0 8 9 0 5 10 0 9 10 0 4 11 0 11 10 0 8 11 0;\n"
    "\tsetAttr -s 10 -ch 40 \".fc[0:9]\" -type \"polyFaces\" "
    "f 4 0 5 -2 -5 mu 0 4 0 1 2 3 f 4 14 16 -19 -20 mu 0 4 4 5 6 7 f 4 2 9 -4 -9 mu 0 4 8 9 10 11 "
    "f 4 3 11 -1 -11 mu 0 4 11 10 1 0 f 4 -12 -10 -8 -6 mu 0 4 1 10 9 2 f 4 10 4 6 8 mu 0 4 11 0 3 8 "
    "f 4 1 13 -15 -13 mu 0 4 3 2 5 4 f 4 7 15 -17 -14 mu 0 4 2 9 6 5 f 4 -3 17 18 -16 mu 0 4 9 8 7 6 "
    "f 4 -7 12 19 -18 mu 0 4 8 3 4 7;\n";

}  // namespace

TEST_F(HostTest, ModifiersMoveTheCubeOrItsUvsAndPassTheRestThrough) {
  // Freeze Transformations with history on: scale 0.5, then up 3.
  auto problems = loadScene(cubeScene(
      "createNode polyColorPerVertex -n \"polyColorPerVertex1\";\n"
      "\tsetAttr \".vclr[0].vxal\" 1;\n\tsetAttr \".cn\" -type \"string\" \"colorSet1\";\n"
      "createNode polyMapCut -n \"polyMapCut1\";\n\tsetAttr \".ics\" -type \"componentList\" 1 \"e[0:3]\";\n"
      "createNode polyMoveUV -n \"polyMoveUV1\";\n\tsetAttr \".ics\" -type \"componentList\" 1 \"map[0:1]\";\n"
      "\tsetAttr \".t\" -type \"double2\" 0.25 0.5;\n"
      "createNode transformGeometry -n \"transformGeometry1\";\n"
      "\tsetAttr \".txf\" -type \"matrix\" 0.5 0 0 0 0 0.5 0 0 0 0 0.5 0 0 3 0 1;\n"
      "connectAttr \"polyCube1.out\" \"polyColorPerVertex1.ip\";\n"
      "connectAttr \"polyColorPerVertex1.out\" \"polyMapCut1.ip\";\n"
      "connectAttr \"polyMapCut1.out\" \"polyMoveUV1.ip\";\n"
      "connectAttr \"polyMoveUV1.out\" \"transformGeometry1.ig\";\n",
      "transformGeometry1.og"));
  expectAllEvaluated(problems);
  MFnMesh cube(path("pCubeShape1"));
  EXPECT_EQ(cube.numVertices(), 8);
  EXPECT_EQ(cube.numPolygons(), 6);
  // Cutting the four edges along x parts the front from the top and the top
  // from the back (the bottom already lies apart): at each of their ends the
  // face beyond the cut keeps only a seam to its side, which holds nothing.
  EXPECT_EQ(cube.numUVs(), 20);
  MPointArray points = pointsOf("pCubeShape1");
  for (unsigned int i = 0; i < points.length(); ++i) {
    EXPECT_NEAR(std::fabs(points[i].x), 0.5, 1e-9);
    EXPECT_NEAR(std::fabs(points[i].y - 3.0), 0.5, 1e-9);
    EXPECT_NEAR(std::fabs(points[i].z), 0.5, 1e-9);
  }
  // The cube's first two UVs are (0.375, 0) and (0.625, 0); only they move.
  MFloatArray us, vs;
  cube.getUVs(us, vs);
  ASSERT_EQ(us.length(), 20u);
  EXPECT_FLOAT_EQ(us[0], 0.625f);
  EXPECT_FLOAT_EQ(vs[0], 0.5f);
  EXPECT_FLOAT_EQ(us[1], 0.875f);
  EXPECT_FLOAT_EQ(us[2], 0.375f);
  EXPECT_FLOAT_EQ(vs[2], 0.25f);

  // Vertices moved on a mesh with history: a polyTweak node between the cube and the shape.
  expectAllEvaluated(loadScene(cubeScene("createNode polyTweak -n \"polyTweak1\";\n"
                                         "\tsetAttr \".uopa\" yes;\n"
                                         "\tsetAttr -s 2 \".tk[0:1]\" -type \"float3\" 0 0.5 0  0 0 -1;\n"
                                         "connectAttr \"polyCube1.out\" \"polyTweak1.ip\";\n",
                                         "polyTweak1.out")));
  points = pointsOf("pCubeShape1");
  expectPoint(points, 0, -1, -0.5, 1);
  expectPoint(points, 1, 1, -1, 0);
  expectPoint(points, 2, -1, 1, 1);

  // invertTransform undoes the same matrix: the cube of 2 comes out scaled by 2 and down 6.
  loadScene(cubeScene("createNode transformGeometry -n \"transformGeometry1\";\n"
                      "\tsetAttr \".txf\" -type \"matrix\" 0.5 0 0 0 0 0.5 0 0 0 0 0.5 0 0 3 0 1;\n"
                      "\tsetAttr \".itf\" yes;\n"
                      "connectAttr \"polyCube1.out\" \"transformGeometry1.ig\";\n",
                      "transformGeometry1.og"));
  points = pointsOf("pCubeShape1");
  ASSERT_EQ(points.length(), 8u);
  for (unsigned int i = 0; i < points.length(); ++i)
    EXPECT_NEAR(std::fabs(points[i].y + 6.0), 2.0, 1e-9);
}

// skinCluster1 with the given weightList statements and the joints' bind matrices.
std::string barSkin(const std::string& weights) {
  return "createNode skinCluster -n \"skinCluster1\";\n" + weights +
         "\tsetAttr -s 2 \".pm\";\n"
         "\tsetAttr \".pm[0]\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n"
         "\tsetAttr \".pm[1]\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 -1 0 1;\n";
}

// The bar's skinCluster1: its bottom two points on joint1, its middle two half
// on each joint, its top two on joint2 (bound 1 up from joint1).
const std::string kBarSkin = barSkin(
    "\tsetAttr -s 6 \".wl\";\n"
    "\tsetAttr \".wl[0].w[0]\"  1;\n\tsetAttr \".wl[1].w[0]\"  1;\n"
    "\tsetAttr -s 2 \".wl[2].w[0:1]\"  0.5 0.5;\n\tsetAttr -s 2 \".wl[3].w[0:1]\"  0.5 0.5;\n"
    "\tsetAttr \".wl[4].w[1]\"  1;\n\tsetAttr \".wl[5].w[1]\"  1;\n");

// The bar skinned by `skin` over a tweaked Orig shape: joint2 sits 1 up from
// joint1 at bind time and is now turned 90 degrees about Z.
std::string barRig(const std::string& skin) {
  return std::string(kBarShapes) +
      "createNode joint -n \"joint1\";\n\tsetAttr \".uoc\" 1;\n"
      "createNode joint -n \"joint2\" -p \"joint1\";\n\tsetAttr \".t\" -type \"double3\" 0 1 0 ;\n"
      "\tsetAttr \".r\" -type \"double3\" 0 0 45 ;\n\tsetAttr \".jo\" -type \"double3\" 0 0 45 ;\n"
      + skin +
      "\tsetAttr \".gm\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n"
      "\tsetAttr -s 2 \".ma\";\n\tsetAttr -s 2 \".dpf[0:1]\"  4 4;\n\tsetAttr \".mi\" 5;\n"
      "createNode tweak -n \"tweak1\";\n"
      "\tsetAttr -s 1 \".vl[0].vt[1]\" -type \"float3\" 0 0 1;\n"
      "createNode groupParts -n \"skinCluster1GroupParts\";\n"
      "\tsetAttr \".ihi\" 0;\n\tsetAttr \".ic\" -type \"componentList\" 1 \"vtx[*]\";\n"
      "createNode groupId -n \"skinCluster1GroupId\";\n\tsetAttr \".ihi\" 0;\n"
      "connectAttr \"skinCluster1GroupParts.og\" \"skinCluster1.ip[0].ig\";\n"
      "connectAttr \"skinCluster1GroupId.id\" \"skinCluster1.ip[0].gi\";\n"
      "connectAttr \"joint1.wm\" \"skinCluster1.ma[0]\";\n"
      "connectAttr \"joint2.wm\" \"skinCluster1.ma[1]\";\n"
      "connectAttr \"tweak1.og[0]\" \"skinCluster1GroupParts.ig\";\n"
      "connectAttr \"barShapeOrig.w\" \"tweak1.ip[0].ig\";\n"
      "connectAttr \"skinCluster1.og[0]\" \"barShape.i\";\n";
}

// Where barRig's weights put the bar's points.
void expectSkinnedBar(const MPointArray& p) {
  ASSERT_EQ(p.length(), 6u);
  expectPoint(p, 0, -0.5, 0, 0);
  expectPoint(p, 1, 0.5, 0, 1);  // the tweak, carried by joint1
  // Half joint1 (in place), half joint2 (turned about (0, 1, 0), taking (x, 1) to (0, 1 + x)).
  expectPoint(p, 2, -0.25, 0.75, 0);
  expectPoint(p, 3, 0.25, 1.25, 0);
  // joint2 alone: (x, 1) from the joint turns to (-1, 1 + x).
  expectPoint(p, 4, -1, 0.5, 0);
  expectPoint(p, 5, -1, 1.5, 0);
}

TEST_F(HostTest, SkinClusterBlendsTheJointsOverATweakedOrigShape) {
  const std::string rig = barRig(kBarSkin);
  auto problems = loadScene(rig);
  expectAllEvaluated(problems);
  MPointArray p = pointsOf("barShape");
  expectSkinnedBar(p);

  // Maya's sparse form of the same weights: per vertex the count, then influence/weight pairs.
  std::string sparse = rig;
  const std::size_t from = sparse.find("\tsetAttr \".wl[0].w[0]\"");
  const std::size_t to = sparse.find("\tsetAttr -s 2 \".pm\"");
  sparse.replace(from, to - from, "\tsetAttr \".wl[0:5].w\"\n\t\t1 0 1\n\t\t1 0 1\n\t\t2 0 0.5 1 0.5\n"
                                  "\t\t2 0 0.5 1 0.5\n\t\t1 1 1\n\t\t1 1 1;\n");
  problems = loadScene(sparse);
  EXPECT_EQ(problems.size(), 0u) << joined(problems);
  p = pointsOf("barShape");
  expectPoint(p, 1, 0.5, 0, 1);
  expectPoint(p, 3, 0.25, 1.25, 0);
  expectPoint(p, 5, -1, 1.5, 0);
  // A row naming an influence the skinCluster lacks: that weight is refused, and said so.
  problems = loadScene(sparse.replace(sparse.find("\t\t1 1 1;"), 8, "\t\t1 7 1;"));
  EXPECT_NE(joined(problems).find("history.ma:21: skinCluster1: the weight of vertex 5 names influence 7, which the "
                                  "skinCluster does not have; 1 weight is refused"),
            std::string::npos)
      << joined(problems);
  EXPECT_EQ(OmbrixHost::loadRefusals().geometry, 1);

  // The envelope at a half puts every vertex halfway between the tweaked bar and the skinned one.
  loadScene(rig + "setAttr \"skinCluster1.en\" 0.5;\n");
  p = pointsOf("barShape");
  expectPoint(p, 4, -0.75, 1.25, 0);
  expectPoint(p, 1, 0.5, 0, 1);

  // Weights for four of the six vertices: the bar comes through as the tweak left it.
  std::string shortList = rig;
  shortList.replace(shortList.find("\tsetAttr \".wl[4].w[1]\"  1;\n"), 27, "");
  shortList.replace(shortList.find("\tsetAttr \".wl[5].w[1]\"  1;\n"), 27, "");
  problems = loadScene(shortList);
  EXPECT_NE(joined(problems).find("history.ma:5: barShape: construction history through skinCluster1 (skinCluster) is not "
                                  "evaluated (its weightList has 4 entries for 6 points (vertices or CVs)); the mesh takes the "
                                  "geometry upstream of it"),
            std::string::npos)
      << joined(problems);
  p = pointsOf("barShape");
  expectPoint(p, 1, 0.5, 0, 1);
  expectPoint(p, 5, 0.5, 2, 0);
  // A bind pre-matrix of NaNs: the same fallback, naming the influence.
  std::string nanBind = rig;
  nanBind.replace(nanBind.find("0 0 1 0 0 -1 0 1"), 16, "0 0 1 0 0 nan 0 1");
  problems = loadScene(nanBind);
  EXPECT_NE(joined(problems).find("(the matrices of influence 1 are not numbers); the mesh takes the geometry upstream"),
            std::string::npos)
      << joined(problems);
  expectPoint(pointsOf("barShape"), 4, -0.5, 2, 0);

  // Dual-quaternion skinning: a vertex held by one joint goes where linear skinning puts it,
  // one held by both turns by half the angle about joint2, at its distance from it.
  problems = loadScene(rig + "setAttr \"skinCluster1.sm\" 1;\n");
  expectAllEvaluated(problems);
  p = pointsOf("barShape");
  expectPoint(p, 4, -1, 0.5, 0);
  expectPoint(p, 1, 0.5, 0, 1);
  expectPoint(p, 2, -std::sqrt(0.125), 1 - std::sqrt(0.125), 0);
}

// Maya cuts a long run of sparse weight rows between statements wherever its
// line budget ends, even inside a vertex's row: the next statement then starts
// with the rest of that row under the same index. Settled by the Maya 2023 rig
// of UlamogStar/MayaUVU's MonoPedChar (".wl[448:616].w" ends with vertex 616's
// weight for influence 3, ".wl[616:935].w" starts with its weight for
// influence 6; -s 10814 ".wl" counts each vertex once).
TEST_F(HostTest, SkinWeightRowsCutInsideAVertexRowLoadWhole) {
  const std::string cut =
      "\tsetAttr -s 6 \".wl\";\n"
      "\tsetAttr \".wl[0:3].w\"\n\t\t1 0 1\n\t\t1 0 1\n\t\t2 0 0.5 1 0.5\n\t\t1 0 0.5;\n"
      "\tsetAttr \".wl[3:5].w\"\n\t\t1 1 0.5\n\t\t1 1 1\n\t\t1 1 1;\n";
  auto problems = loadScene(barRig(barSkin(cut)));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  expectSkinnedBar(pointsOf("barShape"));
  EXPECT_EQ(OmbrixHost::loadRefusals().total, 0);

  // Cut twice inside one row, the middle statement a row alone.
  const std::string twice =
      "\tsetAttr -s 6 \".wl\";\n"
      "\tsetAttr \".wl[0:2].w\"\n\t\t1 0 1\n\t\t1 0 1\n\t\t1 0 0.5;\n"
      "\tsetAttr \".wl[2:2].w\"\n\t\t1 1 0.5;\n"
      "\tsetAttr \".wl[2:5].w\"\n\t\t0\n\t\t2 0 0.5 1 0.5\n\t\t1 1 1\n\t\t1 1 1;\n";
  problems = loadScene(barRig(barSkin(twice)));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  expectSkinnedBar(pointsOf("barShape"));

  // A weight the earlier statement already gave is given twice: that statement is
  // refused with its file and line, and the skin falls back as for missing weights.
  std::string again = cut;
  again.replace(again.find("\t\t1 1 0.5\n"), 10, "\t\t1 0 0.25\n");
  problems = loadScene(barRig(barSkin(again)));
  expectReported(problems, "history.ma:28: setAttr: element 3 continues its row from an earlier block, but gives [0] "
                           "again (skinCluster1.wl[3:5].w is refused)");
  EXPECT_EQ(OmbrixHost::loadRefusals().geometry, 1);
  // A block that starts inside rows given before and not at their last is still refused.
  std::string inside = cut;
  inside.replace(inside.find(".wl[3:5].w"), 10, ".wl[2:4].w");
  problems = loadScene(barRig(barSkin(inside)));
  expectReported(problems, "history.ma:28: setAttr: the block [2:4] gives elements an earlier block gave");
}

TEST_F(HostTest, BlendShapeTargetsWithInBetweensAndOfAnotherTopology) {
  // Target 0 lifts the top two vertices by 1, with an in-between of 0.25 at weight 0.5;
  // target 1 is a triangle, which does not fit the bar.
  std::string scene = std::string(kBarShapes) +
      "createNode transform -n \"tri\";\n"
      "createNode mesh -n \"triShape\" -p \"tri\";\n"
      "\tsetAttr -s 3 \".vt[0:2]\"  0 0 0 1 0 0 0 1 0;\n"
      "\tsetAttr -s 3 \".ed[0:2]\"  0 1 0 1 2 0 2 0 0;\n"
      "\tsetAttr -ch 3 \".fc[0]\" -type \"polyFaces\" f 3 0 1 2;\n"
      "createNode blendShape -n \"blendShape1\";\n"
      "\tsetAttr -s 2 \".w[0:1]\"  0.75 1;\n"
      "\tsetAttr -s 2 \".it[0].itg[0].iti\";\n"
      "\tsetAttr \".it[0].itg[0].iti[5500].ipt\" -type \"pointArray\" 2 0 0.25 0 1 0 0.25 0 1 ;\n"
      "\tsetAttr \".it[0].itg[0].iti[5500].ict\" -type \"componentList\" 1 \"vtx[4:5]\";\n"
      "\tsetAttr \".it[0].itg[0].iti[6000].ipt\" -type \"pointArray\" 2 0 1 0 1 0 1 0 1 ;\n"
      "\tsetAttr \".it[0].itg[0].iti[6000].ict\" -type \"componentList\" 1 \"vtx[4:5]\";\n"
      "\tsetAttr \".it[0].itg[0].tw[5]\" 0.5;\n"
      "createNode groupParts -n \"blendShape1GroupParts\";\n"
      "\tsetAttr \".ic\" -type \"componentList\" 1 \"vtx[*]\";\n"
      "connectAttr \"barShapeOrig.w\" \"blendShape1GroupParts.ig\";\n"
      "connectAttr \"blendShape1GroupParts.og\" \"blendShape1.ip[0].ig\";\n"
      "connectAttr \"triShape.w\" \"blendShape1.it[0].itg[1].iti[6000].igt\";\n"
      "connectAttr \"blendShape1.og[0]\" \"barShape.i\";\n";
  auto problems = loadScene(scene);
  expectAllEvaluated(problems);
  EXPECT_NE(joined(problems).find("barShape: construction history through blendShape1 (blendShape): target 1 (item "
                                  "6000) is not a mesh of the same topology; the target is left out"),
            std::string::npos)
      << joined(problems);
  MPointArray p = pointsOf("barShape");
  ASSERT_EQ(p.length(), 6u);
  expectPoint(p, 0, -0.5, 0, 0);
  expectPoint(p, 3, 0.5, 1, 0);
  // Weight 0.75 lies halfway between the in-between (0.25 at 0.5) and the full target (1 at 1).
  expectPoint(p, 4, -0.5, 2.625, 0);
  expectPoint(p, 5, 0.5, 2.3125, 0);  // its target weight halves the lift

  // The same target connected as a mesh: the offsets are the target's points less the base's.
  std::string meshTarget = std::string(kBarShapes) +
      "createNode transform -n \"up\";\n"
      "createNode mesh -n \"upShape\" -p \"up\";\n"
      "\tsetAttr -s 6 \".vt[0:5]\"  -0.5 0 0 0.5 0 0 -0.5 1 0 0.5 1 0 -0.5 3 0 0.5 3 0;\n"
      "\tsetAttr -s 7 \".ed[0:6]\"  0 1 0 0 2 0 1 3 0 2 3 0 2 4 0 3 5 0 4 5 0;\n"
      "\tsetAttr -s 2 -ch 8 \".fc[0:1]\" -type \"polyFaces\" f 4 0 2 -4 -2 f 4 3 5 -7 -5;\n"
      "createNode blendShape -n \"blendShape1\";\n\tsetAttr \".w[0]\"  0.5;\n"
      "connectAttr \"upShape.w\" \"blendShape1.it[0].itg[0].iti[6000].igt\";\n"
      "connectAttr \"barShapeOrig.w\" \"blendShape1.ip[0].ig\";\n"
      "connectAttr \"blendShape1.og[0]\" \"barShape.i\";\n";
  problems = loadScene(meshTarget);
  EXPECT_TRUE(problems.empty()) << joined(problems);
  p = pointsOf("barShape");
  expectPoint(p, 4, -0.5, 2.5, 0);
  expectPoint(p, 1, 0.5, 0, 0);

  // An item at weight 0 (index 5000) alone offsets nothing, whatever it holds.
  std::string zeroItem = scene;
  zeroItem.replace(zeroItem.find("iti[6000].ipt"), 13, "iti[5000].ipt");
  zeroItem.replace(zeroItem.find("iti[6000].ict"), 13, "iti[5000].ict");
  zeroItem.replace(zeroItem.find("iti[5500].ipt"), 13, "iti[5000].ipt");
  zeroItem.replace(zeroItem.find("iti[5500].ict"), 13, "iti[5000].ict");
  loadScene(zeroItem);
  expectPoint(pointsOf("barShape"), 4, -0.5, 2, 0);
}

TEST_F(HostTest, HistoryTheHostCannotEvaluateLeavesNoMeshEmpty) {
  // A node type the host does not know between the cube and its shape: the cube comes through.
  auto problems = loadScene(cubeScene("createNode polyReduce -n \"polyReduce1\";\n\tsetAttr \".ics\" -type "
                                      "\"componentList\" 1 \"f[*]\";\n\tsetAttr \".ver\" 1;\n\tsetAttr \".p\" 50;\n"
                                      "connectAttr \"polyCube1.out\" \"polyReduce1.ip\";\n",
                                      "polyReduce1.out"));
  EXPECT_NE(joined(problems).find("history.ma:5: pCubeShape1: construction history through polyReduce1 (polyReduce) is "
                                  "not evaluated (the host does not evaluate polyReduce nodes); the mesh takes the "
                                  "geometry upstream of it"),
            std::string::npos)
      << joined(problems);
  // Whatever reads the mesh first (the export) is told once, as a warning.
  testing::internal::CaptureStderr();
  MFnMesh cube(path("pCubeShape1"));
  EXPECT_EQ(cube.numPolygons(), 6);
  EXPECT_EQ(cube.numUVs(), 14);
  std::string told = testing::internal::GetCapturedStderr();
  told.erase(std::remove(told.begin(), told.end(), '\r'), told.end());
  EXPECT_EQ(told, "Warning: pCubeShape1: construction history through polyReduce1 (polyReduce) is not evaluated "
                  "(the host does not evaluate polyReduce nodes); the mesh takes the geometry upstream of it\n");

  // A transform of NaNs: the cube keeps its place.
  problems = loadScene(cubeScene("createNode transformGeometry -n \"transformGeometry1\";\n"
                                 "\tsetAttr \".txf\" -type \"matrix\" nan 0 0 0 0 1 0 0 0 0 1 0 0 3 0 1;\n"
                                 "connectAttr \"polyCube1.out\" \"transformGeometry1.ig\";\n",
                                 "transformGeometry1.og"));
  EXPECT_NE(joined(problems).find("(its transform is not a number); the mesh takes the geometry upstream of it"),
            std::string::npos)
      << joined(problems);
  MPointArray p = pointsOf("pCubeShape1");
  ASSERT_EQ(p.length(), 8u);
  EXPECT_NEAR(std::fabs(p[0].y), 1.0, 1e-9);

  // History in a cycle, and a modifier with nothing connected: no hang, the mesh keeps its file data.
  problems = loadScene(cubeScene("createNode polyMoveUV -n \"a\";\ncreateNode polyMoveUV -n \"b\";\n"
                                 "createNode polyMapSew -n \"c\";\n"
                                 "connectAttr \"a.out\" \"b.ip\";\nconnectAttr \"b.out\" \"a.ip\";\n",
                                 "b.out"));
  EXPECT_NE(joined(problems).find("is not evaluated (its history runs in a cycle"), std::string::npos)
      << joined(problems);
  EXPECT_EQ(MFnMesh(path("pCubeShape1")).numPolygons(), 0);
}

namespace {

// A plane of 2 x 2 quads, its vertices and UVs row by row (vertex i has UV i),
// fed through the given history. Its 12 edges are numbered as Maya numbers
// them: e[3] and e[8] are the middle column, from vertex 1 through 4 to 7.
std::string planeScene(const std::string& history, const std::string& last) {
  return fedScene("Plane", "", "\tsetAttr \".sw\" 2;\n\tsetAttr \".sh\" 2;\n\tsetAttr \".cuv\" 2;\n", history, last);
}

std::string seamNode(const char* type, const char* name, const std::string& components) {
  return std::string("createNode ") + type + " -n \"" + name + "\";\n\tsetAttr \".uopa\" yes;\n" +
         "\tsetAttr \".ics\" -type \"componentList\" " + components + ";\n";
}

// The UV id of each face-vertex, face by face.
std::vector<int> cornerUVs(const char* shape) {
  MIntArray counts, ids;
  EXPECT_EQ(MFnMesh(HostTest::path(shape)).getAssignedUVs(counts, ids), MStatus::kSuccess);
  std::vector<int> out;
  for (unsigned int i = 0; i < ids.length(); ++i)
    out.push_back(ids[i]);
  return out;
}

}  // namespace

TEST_F(HostTest, MapCutPartsTheUvShellAlongItsEdgesAndMapSewJoinsItAgain) {
  const std::string cut = seamNode("polyMapCut", "polyMapCut1", "2 \"e[3]\" \"e[8]\"") +
                          "connectAttr \"polyPlane1.out\" \"polyMapCut1.ip\";\n";
  auto problems = loadScene(planeScene(cut, "polyMapCut1.out"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MFnMesh plane(path("pPlaneShape1"));
  EXPECT_EQ(plane.numVertices(), 9);
  EXPECT_EQ(plane.numPolygons(), 4);
  // Each of the seam's three vertices gets a second UV, numbered as polyMapCut
  // numbers them: the highest edge first (e[8], 4 to 7), its start, then its
  // end; at each, the face walking the edge into the vertex keeps its UV.
  EXPECT_EQ(plane.numUVs(), 12);
  std::vector<int> expected{0, 11, 9, 3, 1, 2, 5, 4, 3, 9, 7, 6, 4, 5, 8, 10};
  EXPECT_EQ(cornerUVs("pPlaneShape1"), expected);
  float u = 0, v = 0;
  plane.getUV(9, u, v);
  EXPECT_FLOAT_EQ(u, 0.5f);
  EXPECT_FLOAT_EQ(v, 0.5f);

  // Sewing the same edges merges each new UV back into the one it was copied from.
  const std::string sewn = cut + seamNode("polyMapSew", "polyMapSew1", "1 \"e[3:8]\"") +
                           "connectAttr \"polyMapCut1.out\" \"polyMapSew1.ip\";\n";
  problems = loadScene(planeScene(sewn, "polyMapSew1.out"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 9);
  EXPECT_EQ(cornerUVs("pPlaneShape1"), (std::vector<int>{0, 1, 4, 3, 1, 2, 5, 4, 3, 4, 7, 6, 4, 5, 8, 7}));

  // One edge from the border to the middle: the middle vertex stays joined round the other edges.
  loadScene(planeScene(seamNode("polyMapCut", "polyMapCut1", "1 \"e[3]\"") +
                           "connectAttr \"polyPlane1.out\" \"polyMapCut1.ip\";\n",
                       "polyMapCut1.out"));
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 10);
  // A border edge has nothing on its other side to part from.
  loadScene(planeScene(seamNode("polyMapCut", "polyMapCut1", "1 \"e[0]\"") +
                           "connectAttr \"polyPlane1.out\" \"polyMapCut1.ip\";\n",
                       "polyMapCut1.out"));
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 9);
}

TEST_F(HostTest, MapCutAfterAnotherTreatsItsSeamsAsParted) {
  // The middle column cut in two steps: e[3] (1 to 4) leaves the middle
  // vertex joined round the others, but its seam holds nothing when e[8]
  // (4 to 7) is cut after it, so the middle vertex parts as if both were cut
  // at once. Pair c041 (Maya 2017): pCube56's polyMapCut32 cuts one edge
  // beside polyMapCut31's seams, and its polyTweakUV22 lists 18 UVs, one more
  // than a seam holding the faces together would leave.
  auto node = [](const char* name, const char* edges, const char* from) {
    return seamNode("polyMapCut", name, edges) + "connectAttr \"" + from + ".out\" \"" + name + ".ip\";\n";
  };
  auto problems = loadScene(planeScene(node("polyMapCut1", "1 \"e[3]\"", "polyPlane1") +
                                           node("polyMapCut2", "1 \"e[8]\"", "polyMapCut1"),
                                       "polyMapCut2.out"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 12);
  // The first cut gives vertex 1 its copy (9); the second numbers the middle, then the end.
  EXPECT_EQ(cornerUVs("pPlaneShape1"), (std::vector<int>{0, 9, 10, 3, 1, 2, 5, 4, 3, 10, 7, 6, 4, 5, 8, 11}));
}

TEST_F(HostTest, MapCutNumbersItsCopiesEdgeByEdgeFromTheHighest) {
  // The cut of pair c061's Glass (Maya 2023), a box of ten faces extruded at
  // its foot, as Maya numbered it: its polyTweakUV moves each of the 22 UVs
  // as the OBJ Maya exported shows, every copy where its original projected
  // to. Vertex 8 parts in three, the faces met round it from face 1 (which
  // walks e[19] into it) taking 4, 12 and 13; vertex 9 keeps 5 for face 7.
  std::string box = kGlassBox;
  auto problems = loadScene(box + seamNode("polyMapCut", "polyMapCut1",
                                            "4 \"e[4:5]\" \"e[8:9]\" \"e[12:17]\" \"e[19]\"") +
                            "connectAttr \"glassShapeOrig.w\" \"polyMapCut1.ip\";\n"
                            "connectAttr \"polyMapCut1.out\" \"glassShape.i\";\n");
  EXPECT_TRUE(problems.empty()) << joined(problems);
  EXPECT_EQ(MFnMesh(path("glassShape")).numUVs(), 22);
  EXPECT_EQ(cornerUVs("glassShape"),
            (std::vector<int>{0, 1, 20, 3, 4, 17, 6, 14, 15, 9, 10, 11, 11, 10, 1, 0, 1, 10, 19, 2,
                              11, 0, 21, 8, 3, 20, 16, 12, 2, 19, 18, 5, 9, 15, 14, 6, 8, 21, 13, 7}));
}

TEST_F(HostTest, MapCutNamesTheEdgesAsTheFileListsThem) {
  // The bar's file lists its middle edge (vertices 2 and 3) as e[3]; its faces walk it third and fifth.
  std::string bar = kBarShapes;
  bar.replace(bar.find("\tsetAttr -s 2 -ch 8 \".fc"), std::string::npos,
              "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
              "\tsetAttr -s 6 \".uvst[0].uvsp[0:5]\" -type \"float2\" 0 0 1 0 0 0.5 1 0.5 0 1 1 1;\n"
              "\tsetAttr \".cuvs\" -type \"string\" \"map1\";\n"
              "\tsetAttr -s 2 -ch 8 \".fc[0:1]\" -type \"polyFaces\" f 4 0 2 -4 -2 mu 0 4 0 1 3 2 "
              "f 4 3 5 -7 -5 mu 0 4 2 3 5 4;\n");
  auto problems = loadScene(bar + seamNode("polyMapCut", "polyMapCut1", "1 \"e[3]\"") +
                            "connectAttr \"barShapeOrig.w\" \"polyMapCut1.ip\";\n"
                            "connectAttr \"polyMapCut1.out\" \"barShape.i\";\n");
  EXPECT_TRUE(problems.empty()) << joined(problems);
  EXPECT_EQ(MFnMesh(path("barShape")).numUVs(), 8);
  // Its start (2) stays with face 0, which walks it from 3 into 2; its end with face 1.
  EXPECT_EQ(cornerUVs("barShape"), (std::vector<int>{0, 1, 7, 2, 6, 3, 5, 4}));

  // An edge list naming a vertex by a number no int holds is refused where the file gives it.
  std::string huge = bar;
  huge.replace(huge.find("2 3 0 2 4"), 3, "2 7777777777 0");
  problems = loadScene(huge);
  EXPECT_NE(joined(problems).find("history.ma:13: setAttr: an edge names a vertex by a number that is no vertex index"),
            std::string::npos)
      << joined(problems);
}

TEST_F(HostTest, MapDelTakesTheUVsOffItsFacesAndNewUVsSewnRebuildTheShell) {
  auto problems = loadScene(planeScene(seamNode("polyMapDel", "polyMapDel1", "1 \"f[0]\"") +
                                           "connectAttr \"polyPlane1.out\" \"polyMapDel1.ip\";\n",
                                       "polyMapDel1.out"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  // UV 0 belonged to face 0 alone and goes; the others move down by one.
  MIntArray counts, ids;
  MFnMesh plane(path("pPlaneShape1"));
  ASSERT_EQ(plane.getAssignedUVs(counts, ids), MStatus::kSuccess);
  EXPECT_EQ(plane.numUVs(), 8);
  EXPECT_EQ(counts[0], 0);
  EXPECT_EQ(cornerUVs("pPlaneShape1"), (std::vector<int>{0, 1, 4, 3, 2, 3, 6, 5, 3, 4, 7, 6}));
  EXPECT_EQ(mel("polyEvaluate -v -e -f -t -uv pPlane1"), "9 12 4 8 8");
  EXPECT_EQ(mel("polyEvaluate -face -vertex pPlane1"), "4 9");
  EXPECT_EQ(mel("polyUVSet -q -currentUVSet pPlane1"), "map1");
  EXPECT_EQ(mel("polyUVSet -q -allUVSets pPlaneShape1"), "map1");
  EXPECT_NE(melError("polyEvaluate -uv -uvSetName other pPlane1").find("has no UV set \"other\""), std::string::npos);
  EXPECT_NE(melError("polyEvaluate pPlane1").find("give one or more of"), std::string::npos);

  // All faces off, a new UV at every corner (vertex i at (i, -i)), then sewn
  // along every edge: one UV per vertex again, each with its value.
  std::string newUVs = "createNode polyTweakUV -n \"polyTweakUV1\";\n\tsetAttr -s 16 \".nuv[0:15]\"";
  const int corners[16] = {0, 1, 4, 3, 1, 2, 5, 4, 3, 4, 7, 6, 4, 5, 8, 7};
  for (int c = 0; c < 16; ++c)
    newUVs += " " + std::to_string(c / 4) + " " + std::to_string(corners[c]) + " " + std::to_string(corners[c]) +
              " " + std::to_string(-corners[c]);
  problems = loadScene(planeScene(seamNode("polyMapDel", "polyMapDel1", "1 \"f[*]\"") + newUVs + ";\n" +
                                      seamNode("polyMapSew", "polyMapSew1", "1 \"e[0:11]\"") +
                                      "connectAttr \"polyPlane1.out\" \"polyMapDel1.ip\";\n"
                                      "connectAttr \"polyMapDel1.out\" \"polyTweakUV1.ip\";\n"
                                      "connectAttr \"polyTweakUV1.out\" \"polyMapSew1.ip\";\n",
                                  "polyMapSew1.out"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  EXPECT_EQ(mel("polyEvaluate -uvcoord pPlaneShape1"), "9");
  MFnMesh rebuilt(path("pPlaneShape1"));
  for (int c = 0; c < 16; ++c) {
    float u = -1, v = -1;
    ASSERT_EQ(rebuilt.getPolygonUV(c / 4, c % 4, u, v), MStatus::kSuccess);
    EXPECT_EQ(u, static_cast<float>(corners[c]));
    EXPECT_EQ(v, static_cast<float>(-corners[c]));
  }
  // Without the sew every corner keeps a UV of its own.
  problems = loadScene(planeScene(seamNode("polyMapDel", "polyMapDel1", "1 \"f[*]\"") + newUVs + ";\n" +
                                      "connectAttr \"polyPlane1.out\" \"polyMapDel1.ip\";\n"
                                      "connectAttr \"polyMapDel1.out\" \"polyTweakUV1.ip\";\n",
                                  "polyTweakUV1.out"));
  EXPECT_EQ(mel("polyEvaluate -uvcoord pPlaneShape1"), "16");
}

TEST_F(HostTest, MapCutAndSewNamingNoEdgesOfTheMeshSaySoAndApplyTheRest) {
  auto problems = loadScene(planeScene(seamNode("polyMapCut", "polyMapCut1", "3 \"e[3]\" \"e[40]\" \"f[0]\"") +
                                           "connectAttr \"polyPlane1.out\" \"polyMapCut1.ip\";\n",
                                       "polyMapCut1.out"));
  EXPECT_NE(joined(problems).find("history.ma:5: pPlaneShape1: construction history through polyMapCut1 "
                                  "(polyMapCut): its components \"e[40]\", \"f[0]\" name no edge of the mesh "
                                  "(which has 12) and are left out"),
            std::string::npos)
      << joined(problems);
  expectAllEvaluated(problems);
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 10);

  problems = loadScene(planeScene(seamNode("polyMapSew", "polyMapSew1", "0") +
                                      "connectAttr \"polyPlane1.out\" \"polyMapSew1.ip\";\n",
                                  "polyMapSew1.out"));
  EXPECT_NE(joined(problems).find("(polyMapSew): its inputComponents name no edges; the UVs are unchanged"),
            std::string::npos)
      << joined(problems);
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 9);

  // A UV set the mesh does not have: the UVs arriving at the node come through.
  problems = loadScene(planeScene(seamNode("polyMapCut", "polyMapCut1", "1 \"e[3]\"") +
                                      "\tsetAttr \".uvs\" -type \"string\" \"other\";\n"
                                      "connectAttr \"polyPlane1.out\" \"polyMapCut1.ip\";\n",
                                  "polyMapCut1.out"));
  EXPECT_NE(joined(problems).find("is not evaluated (the mesh has no UV set \"other\")"), std::string::npos)
      << joined(problems);
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 9);
}

TEST_F(HostTest, TweakTakesItsPointListAsOffsetsOrAsPoints) {
  std::string tweak = std::string(kBarShapes) +
                      "createNode tweak -n \"tweak1\";\n"
                      "\tsetAttr -s 2 \".pl[0].cp[0:1]\" -type \"double3\" 0 0 1  0 0.5 0;\n"
                      "\tsetAttr -s 1 \".vl[0].vt[5]\" -type \"float3\" 1 0 0;\n"
                      "connectAttr \"barShapeOrig.w\" \"tweak1.ip[0].ig\";\n"
                      "connectAttr \"tweak1.og[0]\" \"barShape.i\";\n";
  auto problems = loadScene(tweak);
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MPointArray p = pointsOf("barShape");
  expectPoint(p, 0, -0.5, 0, 1);
  expectPoint(p, 1, 0.5, 0.5, 0);
  expectPoint(p, 5, 1.5, 2, 0);
  expectPoint(p, 2, -0.5, 1, 0);

  // Not relative: the listed vertices go to the values themselves.
  loadScene(tweak + "setAttr \"tweak1.rtw\" no;\n");
  p = pointsOf("barShape");
  expectPoint(p, 0, 0, 0, 1);
  expectPoint(p, 1, 0, 0.5, 0);
  expectPoint(p, 3, 0.5, 1, 0);

  // Tweaks of vertices the bar does not have are left out, and said so.
  problems = loadScene(tweak + "setAttr \"tweak1.pl[0].cp[9]\" -type \"double3\" 5 5 5;\n");
  EXPECT_NE(joined(problems).find("(tweak): its tweaks of 1 vertices the mesh does not have (of 6) are left out"),
            std::string::npos)
      << joined(problems);
  expectPoint(pointsOf("barShape"), 0, -0.5, 0, 1);
}

TEST_F(HostTest, DualQuaternionSkinningKeepsATwistedVertexOnItsRadius) {
  // joint2 sits 1 up the bar from joint1 and is twisted 90 degrees about the bar (Y).
  std::string rig = std::string(kBarShapes) +
      "createNode joint -n \"joint1\";\n"
      "createNode joint -n \"joint2\" -p \"joint1\";\n\tsetAttr \".t\" -type \"double3\" 0 1 0 ;\n"
      "\tsetAttr \".r\" -type \"double3\" 0 90 0 ;\n"
      + kBarSkin +
      "\tsetAttr -s 2 \".ma\";\n"
      "connectAttr \"joint1.wm\" \"skinCluster1.ma[0]\";\n"
      "connectAttr \"joint2.wm\" \"skinCluster1.ma[1]\";\n"
      "connectAttr \"barShapeOrig.w\" \"skinCluster1.ip[0].ig\";\n"
      "connectAttr \"skinCluster1.og[0]\" \"barShape.i\";\n";
  const double h = std::sqrt(0.125);  // 0.5 at 45 degrees
  // Linear: the half-way vertices (radius 0.5) fall inside, to a radius of 0.35.
  expectAllEvaluated(loadScene(rig));
  MPointArray p = pointsOf("barShape");
  expectPoint(p, 2, -0.25, 1, 0.25);
  expectPoint(p, 4, 0, 2, 0.5);
  // Dual quaternion: turned 45 degrees, still 0.5 from the axis.
  expectAllEvaluated(loadScene(rig + "setAttr \"skinCluster1.sm\" 1;\n"));
  p = pointsOf("barShape");
  expectPoint(p, 2, -h, 1, h);
  expectPoint(p, 3, h, 1, -h);
  expectPoint(p, 4, 0, 2, 0.5);
  expectPoint(p, 0, -0.5, 0, 0);
  // Twisted 200 degrees, the blend takes the shorter way: half of -160 degrees.
  loadScene(rig + "setAttr \"skinCluster1.sm\" 1;\nsetAttr \"joint2.r\" -type \"double3\" 0 200 0;\n");
  const double turn = -80 * std::acos(-1.0) / 180;
  expectPoint(pointsOf("barShape"), 2, -0.5 * std::cos(turn), 1, 0.5 * std::sin(turn));

  // Weight blended: vertex 2 linear, vertex 3 dual quaternion, vertex 4 (one joint) either.
  std::string blended = rig + "setAttr \"skinCluster1.sm\" 2;\n";
  expectAllEvaluated(loadScene(blended + "setAttr \"skinCluster1.bw\" -type \"doubleArray\" 6 0 0 0 1 0.5 0 ;\n"));
  p = pointsOf("barShape");
  expectPoint(p, 2, -0.25, 1, 0.25);
  expectPoint(p, 3, h, 1, -h);
  expectPoint(p, 4, 0, 2, 0.5);
  // Too few blend weights: the vertices without one are skinned linearly, and the load says so.
  auto problems = loadScene(blended + "setAttr \"skinCluster1.bw\" -type \"doubleArray\" 3 1 1 1 ;\n");
  EXPECT_NE(joined(problems).find("skinCluster1 (skinCluster): its blendWeights has 3 values for a mesh of 6 "
                                  "vertices; the vertices without one are skinned linearly"),
            std::string::npos)
      << joined(problems);
  p = pointsOf("barShape");
  expectPoint(p, 2, -h, 1, h);
  expectPoint(p, 3, 0.25, 1, -0.25);

  // A joint scaled 2 and twisted: alone on a vertex, dual quaternion and linear agree.
  std::string scaled = rig + "setAttr \"joint2.s\" -type \"double3\" 2 2 2;\n";
  loadScene(scaled);
  MPointArray linear = pointsOf("barShape");
  expectPoint(linear, 5, 0, 3, -1);
  loadScene(scaled + "setAttr \"skinCluster1.sm\" 1;\n");
  p = pointsOf("barShape");
  expectPoint(p, 5, 0, 3, -1);
  expectPoint(p, 4, 0, 3, 1);
}

// In a scene in inches, the distances of modelling nodes are inches too (the
// extrusion's localTranslate and pivot, "linear" in polyExtrudeFacet's flags),
// while polyMoveUV's translate moves UVs by what it says.
TEST_F(HostTest, ModellingNodesTakeDistancesInTheScenesLinearUnit) {
  const std::string inches = "currentUnit -l inch -a degree -t film;\n";
  expectAllEvaluated(loadScene(inches + cubeScene("createNode polyExtrudeFace -n \"polyExtrudeFace1\";\n"
                                                  "\tsetAttr \".ics\" -type \"componentList\" 1 \"f[1]\";\n"
                                                  "\tsetAttr \".lt\" -type \"double3\" 0 0 1 ;\n"
                                                  "connectAttr \"polyCube1.out\" \"polyExtrudeFace1.ip\";\n",
                                                  "polyExtrudeFace1.out")));
  MPointArray p = pointsOf("pCubeShape1");
  double top = -1e9;
  for (unsigned i = 0; i < p.length(); ++i)
    top = std::max(top, p[i].y);
  EXPECT_NEAR(top, 2.54 + 2.54, 1e-9);  // the cube of 2 inches, its top face lifted 1 inch

  expectAllEvaluated(loadScene(inches + cubeScene("createNode polyMoveUV -n \"polyMoveUV1\";\n"
                                                  "\tsetAttr \".ics\" -type \"componentList\" 1 \"map[0:1]\";\n"
                                                  "\tsetAttr \".t\" -type \"double2\" 0.25 0.5;\n"
                                                  "connectAttr \"polyCube1.out\" \"polyMoveUV1.ip\";\n",
                                                  "polyMoveUV1.out")));
  MFloatArray us, vs;
  MFnMesh(path("pCubeShape1")).getUVs(us, vs);
  ASSERT_GE(us.length(), 2u);
  EXPECT_FLOAT_EQ(us[0], 0.625f);
  EXPECT_FLOAT_EQ(vs[0], 0.5f);
}
