// Topology after components are deleted, numbered as Maya numbers it, as the
// nodes downstream name it: bridges, unites and separated pieces.
#include "HistoryScene.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace HistoryScene;

namespace {

// A default sphere (20 x 20) cut down to a strip of 8 faces a row, as the
// tank scene of pair n069-naminerae-panthertankuvmap cuts one: first every
// row's faces 4-13 kept, then of those the first and last of each row taken too.
const char* kHalfSphereCuts =
    "\tsetAttr \".dc\" -type \"componentList\" 21 \"f[0:3]\" \"f[14:23]\" \"f[34:43]\" \"f[54:63]\" "
    "\"f[74:83]\" \"f[94:103]\" \"f[114:123]\" \"f[134:143]\" \"f[154:163]\" \"f[174:183]\" \"f[194:203]\" "
    "\"f[214:223]\" \"f[234:243]\" \"f[254:263]\" \"f[274:283]\" \"f[294:303]\" \"f[314:323]\" \"f[334:343]\" "
    "\"f[354:363]\" \"f[374:383]\" \"f[394:399]\";\n";
const char* kStripCuts =
    "\tsetAttr \".dc\" -type \"componentList\" 21 \"f[0]\" \"f[9:10]\" \"f[19:20]\" \"f[29:30]\" \"f[39:40]\" "
    "\"f[49:50]\" \"f[59:60]\" \"f[69:70]\" \"f[79:80]\" \"f[89:90]\" \"f[99:100]\" \"f[109:110]\" \"f[119:120]\" "
    "\"f[129:130]\" \"f[139:140]\" \"f[149:150]\" \"f[159:160]\" \"f[169:170]\" \"f[179:180]\" \"f[189:190]\" "
    "\"f[199]\";\n";

// pSphere<n>: a sphere through the two cuts into its intermediate shape, as
// Maya leaves the inputs of a combine.
std::string cutSphere(int n, const std::string& transform) {
  const std::string i = std::to_string(n), shape = "pSphereShape" + i, a = "deleteComponent" + std::to_string(2 * n - 1),
                    b = "deleteComponent" + std::to_string(2 * n);
  return "createNode transform -n \"pSphere" + i + "\";\n" + transform + "createNode mesh -n \"" + shape +
         "\" -p \"pSphere" + i + "\";\n\tsetAttr -k off \".v\";\n\tsetAttr \".io\" yes;\n"
         "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
         "createNode polySphere -n \"polySphere" + i + "\";\n"
         "createNode deleteComponent -n \"" + a + "\";\n" + kHalfSphereCuts +
         "createNode deleteComponent -n \"" + b + "\";\n" + kStripCuts +
         "connectAttr \"polySphere" + i + ".out\" \"" + a + ".ig\";\n"
         "connectAttr \"" + a + ".og\" \"" + b + ".ig\";\n"
         "connectAttr \"" + b + ".og\" \"" + shape + ".i\";\n";
}

// The border of one strip: its two long sides, each from pole to pole (the
// edges beside the poles included), numbered as the bridge in the tank scene
// names them, from edge `first` of the mesh on.
std::string stripBorder(int first) {
  std::string s;
  auto edge = [&s, first](int e) { s += " \"e[" + std::to_string(first + e) + "]\""; };
  for (int row = 0; row < 18; ++row) {
    edge(152 + 9 * row);
    edge(160 + 9 * row);
  }
  for (int e : {314, 322, 323, 331})
    edge(e);
  return s;
}

// Two cut spheres, the second moved 3 along X, combined by polyUnite1 into
// polySurfaceShape1, through `last` (fed by polyUnite1.out) when given.
std::string unitedStrips(const std::string& last) {
  std::string s = cutSphere(1, "") + cutSphere(2, "\tsetAttr \".t\" -type \"double3\" 3 0 0 ;\n") +
                  "createNode transform -n \"polySurface1\";\n"
                  "createNode mesh -n \"polySurfaceShape1\" -p \"polySurface1\";\n\tsetAttr -k off \".v\";\n"
                  "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
                  "createNode polyUnite -n \"polyUnite1\";\n\tsetAttr -s 2 \".ip\";\n\tsetAttr -s 2 \".im\";\n" +
                  last +
                  "connectAttr \"pSphereShape1.o\" \"polyUnite1.ip[0]\";\n"
                  "connectAttr \"pSphereShape2.o\" \"polyUnite1.ip[1]\";\n"
                  "connectAttr \"pSphereShape1.wm\" \"polyUnite1.im[0]\";\n"
                  "connectAttr \"pSphereShape2.wm\" \"polyUnite1.im[1]\";\n";
  return s + (last.empty() ? "connectAttr \"polyUnite1.out\" \"polySurfaceShape1.i\";\n"
                           : "connectAttr \"polyUnite1.out\" \"polyBridgeEdge1.ip\";\n"
                             "connectAttr \"polyBridgeEdge1.out\" \"polySurfaceShape1.i\";\n");
}

std::string bridgeNode(const std::string& edges, int count) {
  return "createNode polyBridgeEdge -n \"polyBridgeEdge1\";\n\tsetAttr \".ics\" -type \"componentList\" " +
         std::to_string(count) + edges +
         ";\n\tsetAttr \".ix\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n\tsetAttr \".c[0]\"  0 1 1;\n"
         "\tsetAttr \".dv\" 0;\n\tsetAttr \".sv1\" 9;\n\tsetAttr \".sv2\" 204;\n\tsetAttr \".d\" 1;\n";
}

}  // namespace

// The tank scene's bridge (pair n069, polyBridgeEdge6 over such a strip and a
// stored cut sphere) names 80 edges which in Maya make two loops of 40
// border edges: that holds only when the edges left after faces are deleted
// keep their old order (the deleted ones taken out, points renumbered in
// order) and when polyUnite lists each input's edges after the one before.
TEST_F(HostTest, DeletedFacesLeaveTheOtherEdgesInTheirOrder) {
  auto problems = loadScene(unitedStrips(""));
  expectAllEvaluated(problems);
  // Each strip: 9 points in each of 19 rings, then the two poles; 8 edges round
  // each ring, 9 between rings, 9 to each pole.
  pointsWithCounts("pSphereShape1", 173, 160);
  EXPECT_EQ(MFnMesh(path("pSphereShape1")).numEdges(), 332);
  expectEdges({{0, {0, 1}}, {151, {169, 170}}, {152, {0, 9}}, {160, {8, 17}}, {314, {171, 0}}, {331, {170, 172}}},
              "pSphereShape1");
  pointsWithCounts("polySurfaceShape1", 346, 320);
  expectEdges({{332, {173, 174}}, {332 + 152, {173, 182}}, {663, {343, 345}}}, "polySurfaceShape1");

  problems = loadScene(unitedStrips(bridgeNode(stripBorder(0) + stripBorder(332), 80)));
  expectAllEvaluated(problems);
  pointsWithCounts("polySurfaceShape1", 346, 320 + 40);
}

namespace {

// Two strips of three quads, one above the other with a gap between, stored as
// Maya stores an intermediate mesh. The edges facing across the gap (4-5-6-7
// below, 8-9-10-11 above) are listed first, each strip's middle one after
// its two outer ones, so that neither chain touches itself in index order
// until its middle edge joins it.
const char* kStrips =
    "createNode transform -n \"pStrips1\";\n"
    "createNode mesh -n \"pStripsShape1\" -p \"pStrips1\";\n\tsetAttr -k off \".v\";\n"
    "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
    "createNode mesh -n \"pStripsShape1Orig\" -p \"pStrips1\";\n\tsetAttr -k off \".v\";\n\tsetAttr \".io\" yes;\n"
    "\tsetAttr -s 16 \".vt[0:15]\"  0 0 0 1 0 0 2 0 0 3 0 0 0 1 0 1 1 0 2 1 0 3 1 0\n"
    "\t\t 0 2 0 1 2 0 2 2 0 3 2 0 0 3 0 1 3 0 2 3 0 3 3 0;\n"
    "\tsetAttr -s 20 \".ed[0:19]\"  4 5 0 6 7 0 8 9 0 10 11 0 5 6 0 9 10 0 0 1 0 1 2 0\n"
    "\t\t 2 3 0 0 4 0 1 5 0 2 6 0 3 7 0 12 13 0 13 14 0 14 15 0 8 12 0 9 13 0 10 14 0 11 15 0;\n"
    "\tsetAttr -s 6 -ch 24 \".fc[0:5]\" -type \"polyFaces\" \n"
    "\t\tf 4 6 10 -1 -10\n\t\tf 4 7 11 -5 -11\n\t\tf 4 8 12 -2 -12\n"
    "\t\tf 4 2 17 -14 -17\n\t\tf 4 5 18 -15 -18\n\t\tf 4 3 19 -16 -19;\n";

}  // namespace

TEST_F(HostTest, BridgeFindsItsChainsWhateverOrderTheirEdgesAreNumberedIn) {
  const std::string scene = std::string(kStrips) + bridgeNode(" \"e[0:5]\"", 1) +
                            "connectAttr \"pStripsShape1Orig.o\" \"polyBridgeEdge1.ip\";\n"
                            "connectAttr \"polyBridgeEdge1.out\" \"pStripsShape1.i\";\n";
  auto problems = loadScene(scene);
  expectAllEvaluated(problems);
  pointsWithCounts("pStripsShape1", 16, 6 + 3);
  for (int f = 6; f < 9; ++f) {  // each new face spans the gap: two points below it, two above
    std::vector<int> corners = cornersOf("pStripsShape1", f);
    ASSERT_EQ(corners.size(), 4u);
    EXPECT_EQ(std::count_if(corners.begin(), corners.end(), [](int v) { return v >= 4 && v <= 7; }), 2) << f;
    EXPECT_EQ(std::count_if(corners.begin(), corners.end(), [](int v) { return v >= 8 && v <= 11; }), 2) << f;
  }
}
