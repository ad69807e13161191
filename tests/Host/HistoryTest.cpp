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

// A cube's shape fed by the given history; the cube's creation node is polyCube1.
std::string cubeScene(const std::string& history, const std::string& last) {
  return "createNode transform -n \"pCube1\";\n"
         "createNode mesh -n \"pCubeShape1\" -p \"pCube1\";\n"
         "\tsetAttr -k off \".v\";\n\tsetAttr \".vir\" yes;\n\tsetAttr \".vif\" yes;\n"
         "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n\tsetAttr \".cuvs\" -type \"string\" \"map1\";\n"
         "createNode polyCube -n \"polyCube1\";\n\tsetAttr \".w\" 2;\n\tsetAttr \".h\" 2;\n\tsetAttr \".d\" 2;\n"
         "\tsetAttr \".cuv\" 4;\n" +
         history + "connectAttr \"" + last + "\" \"pCubeShape1.i\";\n";
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
  EXPECT_EQ(cube.numUVs(), 14);
  MPointArray points = pointsOf("pCubeShape1");
  for (unsigned int i = 0; i < points.length(); ++i) {
    EXPECT_NEAR(std::fabs(points[i].x), 0.5, 1e-9);
    EXPECT_NEAR(std::fabs(points[i].y - 3.0), 0.5, 1e-9);
    EXPECT_NEAR(std::fabs(points[i].z), 0.5, 1e-9);
  }
  // The cube's first two UVs are (0.375, 0) and (0.625, 0); only they move.
  MFloatArray us, vs;
  cube.getUVs(us, vs);
  ASSERT_EQ(us.length(), 14u);
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

TEST_F(HostTest, SkinClusterBlendsTheJointsOverATweakedOrigShape) {
  // joint2 sits 1 up from joint1 at bind time and is now turned 90 degrees about Z.
  std::string rig = std::string(kBarShapes) +
      "createNode joint -n \"joint1\";\n\tsetAttr \".uoc\" 1;\n"
      "createNode joint -n \"joint2\" -p \"joint1\";\n\tsetAttr \".t\" -type \"double3\" 0 1 0 ;\n"
      "\tsetAttr \".r\" -type \"double3\" 0 0 45 ;\n\tsetAttr \".jo\" -type \"double3\" 0 0 45 ;\n"
      "createNode skinCluster -n \"skinCluster1\";\n"
      "\tsetAttr -s 6 \".wl\";\n"
      "\tsetAttr \".wl[0].w[0]\"  1;\n\tsetAttr \".wl[1].w[0]\"  1;\n"
      "\tsetAttr -s 2 \".wl[2].w[0:1]\"  0.5 0.5;\n\tsetAttr -s 2 \".wl[3].w[0:1]\"  0.5 0.5;\n"
      "\tsetAttr \".wl[4].w[1]\"  1;\n\tsetAttr \".wl[5].w[1]\"  1;\n"
      "\tsetAttr -s 2 \".pm\";\n"
      "\tsetAttr \".pm[0]\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n"
      "\tsetAttr \".pm[1]\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 -1 0 1;\n"
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
  auto problems = loadScene(rig);
  expectAllEvaluated(problems);
  MPointArray p = pointsOf("barShape");
  ASSERT_EQ(p.length(), 6u);
  expectPoint(p, 0, -0.5, 0, 0);
  expectPoint(p, 1, 0.5, 0, 1);  // the tweak, carried by joint1
  // Half joint1 (in place), half joint2 (turned about (0, 1, 0), taking (x, 1) to (0, 1 + x)).
  expectPoint(p, 2, -0.25, 0.75, 0);
  expectPoint(p, 3, 0.25, 1.25, 0);
  // joint2 alone: (x, 1) from the joint turns to (-1, 1 + x).
  expectPoint(p, 4, -1, 0.5, 0);
  expectPoint(p, 5, -1, 1.5, 0);

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
                                  "evaluated (its weightList has 4 entries for a mesh of 6 vertices); the mesh takes the "
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

  // Dual-quaternion skinning is computed as linear and said so.
  problems = loadScene(rig + "setAttr \"skinCluster1.sm\" 1;\n");
  EXPECT_NE(joined(problems).find("barShape: construction history through skinCluster1 (skinCluster): dual-quaternion "
                                  "skinning is evaluated as linear blend skinning"),
            std::string::npos)
      << joined(problems);
  expectPoint(pointsOf("barShape"), 4, -1, 0.5, 0);
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
  auto problems = loadScene(cubeScene("createNode polyBevel3 -n \"polyBevel1\";\n\tsetAttr \".f\" 0.2;\n"
                                      "connectAttr \"polyCube1.out\" \"polyBevel1.ip\";\n",
                                      "polyBevel1.out"));
  EXPECT_NE(joined(problems).find("history.ma:5: pCubeShape1: construction history through polyBevel1 (polyBevel3) is "
                                  "not evaluated (the host does not evaluate polyBevel3 nodes); the mesh takes the "
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
  EXPECT_EQ(told, "Warning: pCubeShape1: construction history through polyBevel1 (polyBevel3) is not evaluated (the "
                  "host does not evaluate polyBevel3 nodes); the mesh takes the geometry upstream of it\n");

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
