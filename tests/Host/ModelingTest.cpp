// Modelling history as Maya writes it: meshes combined and parted, faces
// deleted, turned over and extruded, and the messages for values the host
// cannot use.
#include "HistoryScene.h"

#include <maya/MFloatArray.h>
#include <maya/MIntArray.h>
#include <maya/MPointArray.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using namespace HistoryScene;

namespace {

// The cube pCube<n> (pCubeShape<n>, made by polyCube<n>) of the given size;
// `history` runs between polyCube<n> and the shape, `last` feeding the shape.
std::string cube(int n, const std::string& transform, double size, const std::string& history,
                 const std::string& last) {
  const std::string i = std::to_string(n), name = "pCube" + i, shape = "pCubeShape" + i, creator = "polyCube" + i;
  std::string w = std::to_string(size);
  return "createNode transform -n \"" + name + "\";\n" + transform + "createNode mesh -n \"" + shape + "\" -p \"" +
         name + "\";\n\tsetAttr -k off \".v\";\n\tsetAttr \".vir\" yes;\n\tsetAttr \".vif\" yes;\n"
         "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n\tsetAttr \".cuvs\" -type \"string\" \"map1\";\n"
         "createNode polyCube -n \"" + creator + "\";\n\tsetAttr \".w\" " + w + ";\n\tsetAttr \".h\" " + w +
         ";\n\tsetAttr \".d\" " + w + ";\n\tsetAttr \".cuv\" 4;\n" + history + "connectAttr \"" +
         (last.empty() ? creator + ".out" : last) + "\" \"" + shape + ".i\";\n";
}

// A shape made by history alone, as Maya makes polySurfaceShape1 for a unite.
std::string resultShape(const std::string& transform, const std::string& shape) {
  return "createNode transform -n \"" + transform + "\";\ncreateNode mesh -n \"" + shape + "\" -p \"" + transform +
         "\";\n\tsetAttr -k off \".v\";\n\tsetAttr \".vir\" yes;\n\tsetAttr \".vif\" yes;\n"
         "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n\tsetAttr \".cuvs\" -type \"string\" \"map1\";\n";
}

// Two cubes, one moved 2 along X, the other scaled by 2, combined by polyUnite1
// into polySurfaceShape1 (their own shapes left as intermediate objects).
std::string unitedCubes(const std::string& inputs) {
  std::string s = cube(1, "\tsetAttr \".t\" -type \"double3\" 2 0 0 ;\n", 1, "", "") +
                  cube(2, "\tsetAttr \".s\" -type \"double3\" 2 2 2 ;\n", 1, "", "") +
                  resultShape("polySurface1", "polySurfaceShape1") +
                  "createNode polyUnite -n \"polyUnite1\";\n\tsetAttr -s 2 \".ip\";\n\tsetAttr -s 2 \".im\";\n"
                  "createNode groupId -n \"groupId1\";\n\tsetAttr \".ihi\" 0;\n"
                  "createNode groupParts -n \"groupParts1\";\n\tsetAttr \".ihi\" 0;\n"
                  "\tsetAttr \".ic\" -type \"componentList\" 1 \"f[0:11]\";\n" +
                  inputs +
                  "connectAttr \"polyUnite1.out\" \"groupParts1.ig\";\nconnectAttr \"groupId1.id\" \"groupParts1.gi\";\n"
                  "connectAttr \"groupParts1.og\" \"polySurfaceShape1.i\";\n";
  s.replace(s.find("\"pCubeShape1\" -p \"pCube1\";\n") + 27, 0, "\tsetAttr \".io\" yes;\n");
  return s;
}

const char* kBothCubes =
    "connectAttr \"pCubeShape1.o\" \"polyUnite1.ip[0]\";\nconnectAttr \"pCubeShape2.o\" \"polyUnite1.ip[1]\";\n"
    "connectAttr \"pCubeShape1.wm\" \"polyUnite1.im[0]\";\nconnectAttr \"pCubeShape2.wm\" \"polyUnite1.im[1]\";\n";

bool mentions(const std::vector<std::string>& problems, const std::string& text) {
  return joined(problems).find(text) != std::string::npos;
}

// The scene loads with `said` among its lines, the shape with these counts.
void expectSaid(const std::string& scene, const std::string& said, const char* shape, int vertices, int faces) {
  auto problems = loadScene(scene);
  EXPECT_TRUE(mentions(problems, said)) << joined(problems);
  pointsWithCounts(shape, vertices, faces);
}

}  // namespace

TEST_F(HostTest, UniteCombinesTransformedMeshesInOrderAndKeepsWhatIsSound) {
  auto problems = loadScene(unitedCubes(kBothCubes));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("polySurfaceShape1", 16, 12);
  expectPoint(p, 0, 1.5, -0.5, 0.5);   // the first cube's vertex 0, moved 2 along X
  expectPoint(p, 8, -1, -1, 1);        // the second's, scaled by 2
  expectPoint(p, 15, 1, -1, -1);
  MFnMesh united(path("polySurfaceShape1"));
  EXPECT_EQ(united.numUVs(), 28);
  EXPECT_EQ(cornersOf("polySurfaceShape1", 6), (std::vector<int>{8, 9, 11, 10}));
  EXPECT_NEAR(signedVolume("polySurfaceShape1"), 1 + 8, 1e-9);

  // An input whose history cannot give a mesh is left out; the rest come through.
  problems = loadScene(unitedCubes(std::string(kBothCubes) + "createNode polyMoveUV -n \"a\";\n"
                                                              "connectAttr \"a.out\" \"a.ip\";\n"
                                                              "connectAttr \"a.out\" \"polyUnite1.ip[2]\";\n"));
  EXPECT_TRUE(mentions(problems, "through polyUnite1 (polyUnite): its inputs 2 give no mesh and are left out"))
      << joined(problems);
  pointsWithCounts("polySurfaceShape1", 16, 12);

  // A boolean the host does not evaluate gives its inputs combined, not nothing.
  std::string boolean = unitedCubes(
      "connectAttr \"pCubeShape1.o\" \"polyCBoolOp1.ip[0]\";\nconnectAttr \"pCubeShape2.o\" \"polyCBoolOp1.ip[1]\";\n"
      "connectAttr \"pCubeShape1.wm\" \"polyCBoolOp1.im[0]\";\nconnectAttr \"pCubeShape2.wm\" \"polyCBoolOp1.im[1]\";\n");
  boolean.replace(boolean.find("createNode polyUnite -n \"polyUnite1\""), 36, "createNode polyCBoolOp -n \"polyCBoolOp1\"");
  boolean.replace(boolean.find("\"polyUnite1.out\""), 16, "\"polyCBoolOp1.out\"");
  problems = loadScene(boolean);
  EXPECT_TRUE(mentions(problems, "polySurfaceShape1: construction history through polyCBoolOp1 (polyCBoolOp) is not "
                                 "evaluated (the host does not evaluate polyCBoolOp nodes); the mesh takes its inputs "
                                 "combined"))
      << joined(problems);
  expectPoint(pointsWithCounts("polySurfaceShape1", 16, 12), 0, 1.5, -0.5, 0.5);
}

namespace {

// pCubeShape1 instanced under pCube2 (mirrored across X and moved 3 along
// it) and pCube3 (moved 3 back along Z, scaled by 2), its three instances
// combined by polyUnite1 as Maya writes it: every input from the first path's
// outMesh, each inputMat from its own path's worldMatrix, each instance's
// groupId through its own path. (A public castle scene that unites four
// instances of one shape this way, beside the OBJ Maya exported of it, has
// every copy in its own place.)
std::string unitedInstances() {
  std::string s = cube(1, "", 1, "", "") +
                  "createNode transform -n \"pCube2\";\n\tsetAttr \".t\" -type \"double3\" 3 0 0 ;\n"
                  "\tsetAttr \".s\" -type \"double3\" -1 1 1 ;\n"
                  "createNode transform -n \"pCube3\";\n\tsetAttr \".t\" -type \"double3\" 0 0 -3 ;\n"
                  "\tsetAttr \".s\" -type \"double3\" 2 2 2 ;\n" +
                  resultShape("polySurface1", "polySurfaceShape1") +
                  "parent -s -nc -r -add \"|pCube1|pCubeShape1\" \"pCube2\" ;\n"
                  "parent -s -nc -r -add \"|pCube1|pCubeShape1\" \"pCube3\" ;\n"
                  "createNode polyUnite -n \"polyUnite1\";\n\tsetAttr -s 3 \".ip\";\n\tsetAttr -s 3 \".im\";\n";
  for (int i = 1; i <= 3; ++i) {
    const std::string n = std::to_string(i), k = std::to_string(i - 1), path = "\"|pCube" + n + "|pCubeShape1";
    s += "createNode groupId -n \"groupId" + n + "\";\n\tsetAttr \".ihi\" 0;\n"
         "connectAttr \"groupId" + n + ".id\" " + path + ".iog.og[0].gid\";\n"
         "connectAttr \":initialShadingGroup.mwc\" " + path + ".iog.og[0].gco\";\n"
         "connectAttr \"groupId" + n + ".id\" " + path + ".ciog.cog[0].cgid\";\n"
         "connectAttr \"|pCube1|pCubeShape1.o\" \"polyUnite1.ip[" + k + "]\";\n"
         "connectAttr " + path + ".wm\" \"polyUnite1.im[" + k + "]\";\n";
  }
  s.replace(s.find("\"pCubeShape1\" -p \"pCube1\";\n") + 27, 0, "\tsetAttr \".io\" yes;\n");
  return s + "connectAttr \"polyUnite1.out\" \"polySurfaceShape1.i\";\n";
}

}  // namespace

TEST_F(HostTest, UniteOfInstancesPlacesEachCopyThroughItsOwnInstance) {
  auto problems = loadScene(unitedInstances());
  EXPECT_EQ(joined(problems), "");
  MPointArray p = pointsWithCounts("polySurfaceShape1", 24, 18);
  expectPoint(p, 0, -0.5, -0.5, 0.5);
  expectPoint(p, 8, 3.5, -0.5, 0.5);
  expectPoint(p, 16, -1, -1, -2);
  expectPoint(p, 23, 1, -1, -4);
  // The mirrored copy's faces are turned over, their first corner kept, so that
  // they face out as Maya's do: in the OBJs Maya exported of public scenes that
  // unite mirrored copies, a couch and a starship have 918 of 918 and 3661 of
  // 3668 faces with Maya's corners this way, 620 and 2752 without the turn.
  EXPECT_EQ(cornersOf("polySurfaceShape1", 6), (std::vector<int>{8, 10, 11, 9}));
  EXPECT_EQ(uvIdsOf("polySurfaceShape1", 6), (std::vector<int>{14, 16, 17, 15}));
  EXPECT_EQ(cornersOf("polySurfaceShape1", 12), (std::vector<int>{16, 17, 19, 18}));
  EXPECT_NEAR(signedVolume("polySurfaceShape1"), 1 + 1 + 8, 1e-9);
}

TEST_F(HostTest, SeparateGivesEachPieceItsShellInFaceOrder) {
  std::string scene = unitedCubes(kBothCubes);
  scene.replace(scene.find("\"polySurfaceShape1\" -p \"polySurface1\";\n") + 39, 0, "\tsetAttr \".io\" yes;\n");
  scene += resultShape("polySurface2", "polySurfaceShape2") + resultShape("polySurface3", "polySurfaceShape3") +
           "createNode polySeparate -n \"polySeparate1\";\n\tsetAttr \".ic\" 2;\n\tsetAttr -s 2 \".out\";\n"
           "createNode groupParts -n \"groupParts2\";\n\tsetAttr \".ihi\" 0;\n"
           "\tsetAttr \".ic\" -type \"componentList\" 1 \"f[0:5]\";\n"
           "createNode groupParts -n \"groupParts3\";\n\tsetAttr \".ihi\" 0;\n"
           "\tsetAttr \".ic\" -type \"componentList\" 1 \"f[0:5]\";\n"
           "connectAttr \"polySurfaceShape1.o\" \"polySeparate1.ip\";\n"
           "connectAttr \"polySeparate1.out[0]\" \"groupParts2.ig\";\n"
           "connectAttr \"polySeparate1.out[1]\" \"groupParts3.ig\";\n"
           "connectAttr \"groupParts2.og\" \"polySurfaceShape2.i\";\n"
           "connectAttr \"groupParts3.og\" \"polySurfaceShape3.i\";\n";
  auto problems = loadScene(scene);
  expectAllEvaluated(problems);
  expectPoint(pointsWithCounts("polySurfaceShape2", 8, 6), 0, 1.5, -0.5, 0.5);
  expectPoint(pointsWithCounts("polySurfaceShape3", 8, 6), 0, -1, -1, 1);
  EXPECT_EQ(MFnMesh(path("polySurfaceShape3")).numUVs(), 14);
  EXPECT_EQ(cornersOf("polySurfaceShape3", 0), (std::vector<int>{0, 1, 3, 2}));

  // A piece the mesh does not have: said, and the whole mesh rather than nothing.
  std::string far = scene;
  far.replace(far.find("polySeparate1.out[1]"), 20, "polySeparate1.out[5]");
  expectSaid(far, "polySurfaceShape3: construction history through polySeparate1 (polySeparate) is not "
                               "evaluated (its output[5] names no piece of the mesh, which has 2)", "polySurfaceShape3", 16, 12);

  // Specific shells (remShells) each make a piece, in their listed order, and
  // the other shells together one more, the last. (The sword scene of pair
  // n030-damaryllis-sword-export separates a mesh of 6 shells with remShells [0], then the second piece, of
  // 5 shells, with [0, 2] into three, and that third piece into its three
  // shells: the pieces Maya exported have those shells.)
  std::string chosen = scene;
  chosen.replace(chosen.find("\tsetAttr -s 2 \".out\""), 0, "\tsetAttr \".rs\" -type \"Int32Array\" 1 1 ;\n");
  expectAllEvaluated(loadScene(chosen));
  expectPoint(pointsWithCounts("polySurfaceShape2", 8, 6), 0, -1, -1, 1);
  expectPoint(pointsWithCounts("polySurfaceShape3", 8, 6), 0, 1.5, -0.5, 0.5);
  chosen.replace(chosen.find("1 1 ;"), 5, "2 1 0 ;");  // every shell chosen: no other piece
  expectAllEvaluated(loadScene(chosen));
  expectPoint(pointsWithCounts("polySurfaceShape3", 8, 6), 0, 1.5, -0.5, 0.5);
  chosen.replace(chosen.find("polySeparate1.out[1]"), 20, "polySeparate1.out[2]");
  expectSaid(chosen, "(its output[2] names no piece of the mesh, which has 2)", "polySurfaceShape3", 16, 12);
  chosen.replace(chosen.find("2 1 0 ;"), 7, "1 4 ;");
  expectSaid(chosen, "(its remShells name shell 4 of a mesh of 2)", "polySurfaceShape3", 16, 12);
}

namespace {

// A plane of 2 x 2 quads (vertex i has UV i) through `history` to its shape.
std::string plane(const std::string& history, const std::string& last) {
  std::string s = creatorScene("Plane", "\tsetAttr \".sw\" 2;\n\tsetAttr \".sh\" 2;\n\tsetAttr \".cuv\" 2;\n");
  s.erase(s.find("connectAttr \"polyPlane1.out\""));
  return s + history + "connectAttr \"" + last + "\" \"pPlaneShape1.i\";\n";
}

// A cylinder of the given settings whose shape takes `last`, the end of `history`.
std::string cylinder(const std::string& settings, const std::string& history, const std::string& last) {
  std::string s = creatorScene("Cylinder", settings);
  s.erase(s.find("connectAttr \"polyCylinder1.out\""));
  return s + history + "connectAttr \"" + last + "\" \"pCylinderShape1.i\";\n";
}

// The node `type`1 of the given settings between the plane and its shape.
std::string planeNode(const std::string& type, const std::string& settings) {
  const std::string name = type + "1";
  return plane("createNode " + type + " -n \"" + name + "\";\n" + settings + "connectAttr \"polyPlane1.out\" \"" + name +
                   ".ip\";\n",
               name + ".out");
}

std::string deletion(const std::string& components) {
  return "createNode deleteComponent -n \"deleteComponent1\";\n\tsetAttr \".dc\" -type \"componentList\" " +
         components + ";\nconnectAttr \"polyPlane1.out\" \"deleteComponent1.ig\";\n";
}

}  // namespace

TEST_F(HostTest, DeleteComponentTakesFacesAndJoinsFacesAcrossEdges) {
  std::string scene = plane(deletion("1 \"f[0]\""), "deleteComponent1.og");
  auto problems = loadScene(scene);
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pPlaneShape1", 8, 3);
  expectPoint(p, 0, 0, 0, 0.5);  // vertex 1 of the plane, now the first
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 8);
  EXPECT_EQ(cornersOf("pPlaneShape1", 0), (std::vector<int>{0, 1, 4, 3}));

  // The edge between faces 0 and 1 (vertices 1 and 4): one face of six corners.
  scene = plane(deletion("1 \"e[3]\""), "deleteComponent1.og");
  problems = loadScene(scene);
  expectAllEvaluated(problems);
  pointsWithCounts("pPlaneShape1", 9, 3);
  EXPECT_EQ(cornersOf("pPlaneShape1", 0), (std::vector<int>{0, 1, 2, 5, 4, 3}));

  // Vertices: those on two edges only (the plane's corners) leave their faces;
  // the others stay. c022-claytonwatkins-robot-for-paint settled it: its
  // deleteComponent43 names every vertex (vtx[0:27]) of polyMirror13's mesh of
  // 28, and Maya's OBJ keeps 24 of them, less the loose ends of an extruded edge.
  scene = plane(deletion("1 \"vtx[0:8]\""), "deleteComponent1.og");
  problems = loadScene(scene);
  expectAllEvaluated(problems);
  p = pointsWithCounts("pPlaneShape1", 5, 4);
  expectPoint(p, 0, 0, 0, 0.5);
  for (int face = 0; face < 4; ++face)
    EXPECT_EQ(cornersOf("pPlaneShape1", face).size(), 3u) << face;
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 5);
  scene = plane(deletion("1 \"vtx[4]\""), "deleteComponent1.og");
  expectAllEvaluated(loadScene(scene));
  pointsWithCounts("pPlaneShape1", 9, 4);

  // Components out of range, unreadable, or none at all.
  for (const auto& [list, said, faces] :
       std::vector<std::tuple<std::string, std::string, int>>{
           {"2 \"f[40]\" \"f[3]\"", "(deleteComponent): its components \"f[40]\" name nothing of the mesh", 3},
           {"1 \"f[0:\"", "is not evaluated (its component \"f[0:\" cannot be read)", 4},
           {"0", "its deleteComponents list is empty; the mesh is unchanged", 4}}) {
    scene = plane(deletion(list), "deleteComponent1.og");
    problems = loadScene(scene);
    EXPECT_TRUE(mentions(problems, said)) << joined(problems);
    EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numPolygons(), faces) << list;
  }
}

namespace {

std::string normals(const std::string& first, const std::string& second) {
  std::string s = "createNode polyNormal -n \"polyNormal1\";\n" + first +
                  "connectAttr \"polyCube1.out\" \"polyNormal1.ip\";\n";
  if (second.empty())
    return s;
  return s + "createNode polyNormal -n \"polyNormal2\";\n" + second +
         "connectAttr \"polyNormal1.out\" \"polyNormal2.ip\";\n";
}

const char* kFirstFace = "\tsetAttr \".ics\" -type \"componentList\" 1 \"f[0]\";\n\tsetAttr \".unm\" no;\n";

}  // namespace

TEST_F(HostTest, PolyNormalReversesFacesAndConformsOrPropagatesShells) {
  // Reverse: face 0 walks its corners the other way, from the same first corner.
  auto problems = loadScene(cube(1, "", 2, normals(kFirstFace, ""), "polyNormal1.out"));
  expectAllEvaluated(problems);
  EXPECT_EQ(cornersOf("pCubeShape1", 0), (std::vector<int>{0, 2, 3, 1}));
  EXPECT_NEAR(signedVolume("pCubeShape1"), 8 - 2 * 4 / 3.0, 1e-9);  // one face of the six turned in

  // Conform: the cube agrees with most of its faces again.
  problems = loadScene(cube(1, "", 2,
                            normals(kFirstFace, "\tsetAttr \".ics\" -type \"componentList\" 1 \"f[*]\";\n"
                                                "\tsetAttr \".nm\" 2;\n"),
                            "polyNormal2.out"));
  expectAllEvaluated(problems);
  EXPECT_EQ(cornersOf("pCubeShape1", 0), (std::vector<int>{0, 1, 3, 2}));
  EXPECT_NEAR(signedVolume("pCubeShape1"), 8, 1e-9);

  // Propagate from the reversed face: the whole cube turns inside out.
  problems = loadScene(cube(1, "", 2, normals(kFirstFace, std::string(kFirstFace) + "\tsetAttr \".nm\" 1;\n"),
                            "polyNormal2.out"));
  expectAllEvaluated(problems);
  EXPECT_NEAR(signedVolume("pCubeShape1"), -8, 1e-9);

  // Reverse and cut: face 0 on its own, with four points of its own.
  problems = loadScene(cube(1, "", 2, normals(std::string(kFirstFace) + "\tsetAttr \".nm\" 3;\n", ""),
                            "polyNormal1.out"));
  expectAllEvaluated(problems);
  pointsWithCounts("pCubeShape1", 12, 6);

  problems = loadScene(cube(1, "", 2, normals("\tsetAttr \".nm\" 9;\n", ""), "polyNormal1.out"));
  EXPECT_TRUE(mentions(problems, "is not evaluated (its normalMode 9")) << joined(problems);
  EXPECT_NEAR(signedVolume("pCubeShape1"), 8, 1e-9);
  problems = loadScene(cube(1, "", 2,
                            normals("\tsetAttr \".ics\" -type \"componentList\" 2 \"f[0]\" \"f[6:7]\";\n", ""),
                            "polyNormal1.out"));
  EXPECT_TRUE(mentions(problems, "(polyNormal): its components \"f[6:7]\" name no face of the mesh (which has 6)"))
      << joined(problems);
  EXPECT_EQ(cornersOf("pCubeShape1", 0), (std::vector<int>{0, 2, 3, 1}));
}

namespace {

// polySplitRingN on the listed edges of the mesh it is connected to.
std::string cubeSplitRing(int n, const std::string& edges, const std::string& settings) {
  const std::string i = std::to_string(n);
  return "createNode polySplitRing -n \"polySplitRing" + i + "\";\n\tsetAttr \".uopa\" yes;\n"
         "\tsetAttr \".ics\" -type \"componentList\" " + edges + ";\n" + settings +
         "\tsetAttr \".sma\" 29.999999999999996;\n\tsetAttr \".p[0]\"  0 0 1;\n\tsetAttr \".fq\" yes;\n";
}

// polyExtrudeFace1 on the cube's faces, as Maya saves it (world space, its
// inputMatrix that of the object, by default none).
std::string extrusion(const std::string& faces, const std::string& settings,
                      const std::string& matrix = "1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1") {
  return "createNode polyExtrudeFace -n \"polyExtrudeFace1\";\n\tsetAttr \".ics\" -type \"componentList\" " + faces +
         ";\n\tsetAttr \".ix\" -type \"matrix\" " + matrix + ";\n\tsetAttr \".ws\" yes;\n"
         "\tsetAttr \".rs\" 56501;\n" + settings + "\tsetAttr \".c[0]\"  0 1 1;\n"
         "\tsetAttr \".cbn\" -type \"double3\" -1 1 -1 ;\n\tsetAttr \".cbx\" -type \"double3\" 1 1 1 ;\n"
         "connectAttr \"polyCube1.out\" \"polyExtrudeFace1.ip\";\n";
}

}  // namespace

// The cube's edges keep their numbers through an extrusion, those of the
// lifted face's border staying at its base; walking that border, the edges up
// from its corners not yet numbered, then each lifted copy of a border edge
// (running as the edge does), follow. As n011-cepheron-bank-model's pCube5
// shows: its polySplitRing22 after extruding f[0] names the ring round the
// lifted face as e[0:3], e[14] and e[18], and polySplitRing24 names the
// copies of e[5] and e[4] as e[16] and e[19].
TEST_F(HostTest, ExtrudeFaceNumbersItsNewEdgesAlongTheBorder) {
  const std::string lifted = extrusion("1 \"f[0]\"", "\tsetAttr \".tk\" 0.5;\n");
  for (const auto& [edges, root] : std::vector<std::pair<std::string, std::string>>{
           {"3 \"e[0:3]\" \"e[14]\" \"e[18]\"", "18"}, {"4 \"e[4:5]\" \"e[8:9]\" \"e[16]\" \"e[19]\"", "16"}}) {
    const std::string ring = cubeSplitRing(1, edges, "\tsetAttr \".wt\" 0.5;\n\tsetAttr \".re\" " + root + ";\n") +
                             "connectAttr \"polyExtrudeFace1.out\" \"polySplitRing1.ip\";\n";
    expectAllEvaluated(loadScene(cube(1, "", 2, lifted + ring, "polySplitRing1.output")));
    // Six faces round the ring, each cut in two.
    pointsWithCounts("pCubeShape1", 18, 16);
  }
}

// The lifted copies of a piece's points follow the mesh's points in the order
// the piece's faces walk their edges, each edge giving its ends as the edge
// list has them (n034-gracedeschwein-lampspexport's pCube3: a face walking
// 225, 224, 226, 227 lifts 224 first). Each UV of the piece at its border is
// copied likewise for the lifted faces; a side face takes the edge's own UVs
// at its base and their copies at its top, and makes none
// (c032-gracebelt123-simpleblocked-beltgrace's pCube13: 26 UVs for four
// faces of a cube lifted together).
TEST_F(HostTest, ExtrudeFaceNumbersLiftedPointsAndUVsAsMaya) {
  // Face 4 (1 7 5 3) starts on edge 11, which runs from 7 to 1.
  auto problems = loadScene(cube(1, "", 2, extrusion("1 \"f[4]\"", "\tsetAttr \".tk\" 1;\n"), "polyExtrudeFace1.out"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MPointArray p = pointsWithCounts("pCubeShape1", 12, 10);
  expectPoint(p, 8, 2, -1, -1);  // the copy of 7
  expectPoint(p, 9, 2, -1, 1);   // the copy of 1
  EXPECT_EQ(cornersOf("pCubeShape1", 4), (std::vector<int>{9, 8, 10, 11}));
  EXPECT_EQ(MFnMesh(path("pCubeShape1")).numUVs(), 14 + 4);
  EXPECT_EQ(uvIdsOf("pCubeShape1", 4), (std::vector<int>{14, 15, 16, 17}));
  EXPECT_EQ(cornersOf("pCubeShape1", 6), (std::vector<int>{1, 7, 8, 9}));
  EXPECT_EQ(uvIdsOf("pCubeShape1", 6), (std::vector<int>{1, 10, 15, 14}));

  // A point inside the piece is lifted too and leaves its number, which the
  // points after it fill; its corners keep their UVs (c030-gracebelt123-
  // screwrobot-beltgrace's pSphere1: two rings of a sphere's faces). Here all
  // but the bottom: the top's four points are inside.
  problems = loadScene(cube(1, "", 2, extrusion("2 \"f[0:2]\" \"f[4:5]\"", "\tsetAttr \".lt\" -type \"double3\" 0 0 1 ;\n"),
                            "polyExtrudeFace1.out"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  p = pointsWithCounts("pCubeShape1", 12, 10);
  expectPoint(p, 2, -1, -1, -1);  // once point 6
  expectPoint(p, 7, -4 / 3.0, 4 / 3.0, 4 / 3.0);  // the copy of 2, lifted fourth (along its faces' mean normal)
  EXPECT_EQ(cornersOf("pCubeShape1", 0), (std::vector<int>{4, 5, 6, 7}));
  EXPECT_EQ(cornersOf("pCubeShape1", 3), (std::vector<int>{2, 3, 1, 0}));
  EXPECT_EQ(MFnMesh(path("pCubeShape1")).numUVs(), 14 + 6);
  EXPECT_EQ(uvIdsOf("pCubeShape1", 0), (std::vector<int>{14, 15, 3, 2}));
  EXPECT_EQ(uvIdsOf("pCubeShape1", 5), (std::vector<int>{19, 14, 2, 13}));
}

// localTranslate's z moves each point along the mean of its faces' unit
// normals, so a band round a cylinder swells out from the axis rather than
// moving along the band's normal, which cancels
// (c052-naminerae-panthertankcannonandwheels' pCylinder9: each point moved
// by z times the cosine of half a face's turn).
TEST_F(HostTest, ExtrudeFaceMovesPointsAlongTheirMeanNormals) {
  const auto problems = loadScene(
      cylinder("\tsetAttr \".sa\" 4;\n",
               "createNode polyExtrudeFace -n \"polyExtrudeFace1\";\n"
               "\tsetAttr \".ics\" -type \"componentList\" 1 \"f[0:3]\";\n\tsetAttr \".lt\" -type \"double3\" 0 0 1 ;\n"
               "connectAttr \"polyCylinder1.out\" \"polyExtrudeFace1.ip\";\n",
               "polyExtrudeFace1.out"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  const MPointArray p = pointsOf("pCylinderShape1");
  ASSERT_EQ(p.length(), 16u);
  for (unsigned int i = 8; i < 16; ++i) {
    EXPECT_NEAR(std::hypot(p[i].x, p[i].z), 1 + std::sqrt(0.5), 1e-9) << "vertex " << i;
    EXPECT_NEAR(std::fabs(p[i].y), 1, 1e-9) << "vertex " << i;
  }
}

// All the faces of a shell with a border: its faces stay, turned over, on
// copies of their UVs, after the mesh's faces and before the sides; the
// lifted faces' UVs at the border are copied after them
// (n004-ballred95-spaceceilinggun's pPlane1, a plane of 10 by 10 faces).
TEST_F(HostTest, ExtrudeFaceOfAWholeOpenShellKeepsItsFacesBelow) {
  auto problems = loadScene(planeNode("polyExtrudeFace", "\tsetAttr \".ics\" -type \"componentList\" 1 \"f[0:3]\";\n"
                                                         "\tsetAttr \".tk\" 1;\n"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MPointArray p = pointsWithCounts("pPlaneShape1", 18, 4 + 4 + 8);
  expectPoint(p, 4, 0, 0, 0);
  expectPoint(p, 11, 0, 1, 0);  // the centre, lifted third
  EXPECT_EQ(cornersOf("pPlaneShape1", 0), (std::vector<int>{9, 10, 11, 12}));
  EXPECT_EQ(cornersOf("pPlaneShape1", 4), (std::vector<int>{0, 3, 4, 1}));
  EXPECT_EQ(cornersOf("pPlaneShape1", 8), (std::vector<int>{0, 1, 10, 9}));
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 9 + 9 + 8);
  EXPECT_EQ(uvIdsOf("pPlaneShape1", 4), (std::vector<int>{9, 12, 11, 10}));
  EXPECT_EQ(uvIdsOf("pPlaneShape1", 0), (std::vector<int>{18, 19, 4, 20}));
  EXPECT_EQ(uvIdsOf("pPlaneShape1", 8), (std::vector<int>{0, 1, 19, 18}));
  EXPECT_NEAR(signedVolume("pPlaneShape1"), 1, 1e-9);  // closed, facing out
}

// With worldSpace on, offset and thickness are lengths in world space
// (n011-cepheron-bank-model's pCube4, scaled 3.18 by 1 by 0.243: its face
// inset by 0.1 and sunk by 0.05 in world units; n047-kadencampbell1-
// samuraihelmet's localTranslate likewise).
TEST_F(HostTest, ExtrudeFaceMovesByWorldLengths) {
  auto problems = loadScene(cube(1, "", 2,
                                 extrusion("1 \"f[1]\"", "\tsetAttr \".off\" 0.2;\n\tsetAttr \".tk\" 0.5;\n",
                                           "2 0 0 0 0 2 0 0 0 0 1 0 0 0 0 1"),
                                 "polyExtrudeFace1.out"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MPointArray p = pointsWithCounts("pCubeShape1", 12, 10);
  expectPoint(p, 8, -0.9, 1.25, 0.8);
  expectPoint(p, 10, 0.9, 1.25, -0.8);

  // An object that mirrors keeps its faces' normals: the top still rises.
  loadScene(cube(1, "", 2, extrusion("1 \"f[1]\"", "\tsetAttr \".tk\" 0.5;\n", "-1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1"),
                 "polyExtrudeFace1.out"));
  expectPoint(pointsOf("pCubeShape1"), 8, -1, 1.5, 1);
}

// An edge inside a piece (between two of its faces) keeps its number and the
// way it runs, now joining the lifted copies of its ends
// (c031-gracebelt123-airportplane's pSphere2: after lifting a sphere's cap,
// extruding the cap's triangles lifts the points of each ring edge in the
// order the sphere's edge runs).
TEST_F(HostTest, ExtrudeFaceKeepsEdgesInsideAPieceOnTheLiftedPoints) {
  const auto problems = loadScene(cube(1, "", 2, extrusion("1 \"f[0:1]\"", "\tsetAttr \".tk\" 0.5;\n"),
                                       "polyExtrudeFace1.out"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  pointsWithCounts("pCubeShape1", 14, 12);
  // Lifted in the order 0, 1, 3, 2, 5, 4: edge 1 (2 to 3) now runs from 11 to 10.
  expectEdges({{0, {0, 1}}, {1, {11, 10}}, {2, {4, 5}}});
}

// polyExtrudeEdge numbers as polyExtrudeFace does: each edge of a piece, in
// order, lifts its ends as the edge list has them; the new edges follow the
// mesh's, up from each point not yet numbered, then the lifted copy of the
// edge; a new face walks the edge against the last face beside it, from its
// far end, then up the near end and back along the copy
// (n044-kadencampbell1-drafting-tools' pCylinder1: after extruding the open
// bottom ring e[0:5] of a six-sided cylinder, the next polyExtrudeEdge names
// the copies e[26], e[28], e[30], e[32] and e[34:35], and Maya's export has
// face 12 as 1 0 13 14; n004-ballred95-spaceceilinggun's pCylinder2, whose
// ring has the cap beside it too, has face 60 as 0 1 43 42 before its
// polyNormal turns it).
TEST_F(HostTest, ExtrudeEdgeNumbersAsFacesDo) {
  const auto problems = loadScene(cylinder(
      "\tsetAttr \".sa\" 6;\n\tsetAttr \".sc\" 1;\n",
      "createNode deleteComponent -n \"deleteComponent1\";\n\tsetAttr \".dc\" -type \"componentList\" 1 \"f[6:11]\";\n"
      "createNode polyExtrudeEdge -n \"polyExtrudeEdge1\";\n\tsetAttr \".ics\" -type \"componentList\" 1 \"e[0:5]\";\n"
      "\tsetAttr \".ix\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n\tsetAttr \".ws\" yes;\n"
      "\tsetAttr \".lt\" -type \"double3\" 0 0 1 ;\n"
      "connectAttr \"polyCylinder1.out\" \"deleteComponent1.ig\";\n"
      "connectAttr \"deleteComponent1.og\" \"polyExtrudeEdge1.ip\";\n",
      "polyExtrudeEdge1.out"));
  EXPECT_FALSE(mentions(problems, "not evaluated")) << joined(problems);
  pointsWithCounts("pCylinderShape1", 13 + 6, 12 + 6);
  expectEdges({{24, {0, 13}}, {25, {1, 14}}, {26, {13, 14}}, {27, {2, 15}}, {28, {14, 15}}, {35, {18, 13}}},
              "pCylinderShape1");
  EXPECT_EQ(cornersOf("pCylinderShape1", 12), (std::vector<int>{1, 0, 13, 14}));
}

TEST_F(HostTest, ExtrudeFaceLiftsInsetsAndDividesTheSides) {
  // The top of a cube of 2 (y = 1), inset 0.2 and lifted 0.5 along its normal.
  auto problems = loadScene(cube(1, "", 2, extrusion("1 \"f[1]\"", "\tsetAttr \".off\" 0.2;\n\tsetAttr \".tk\" 0.5;\n"),
                                 "polyExtrudeFace1.out"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MPointArray p = pointsWithCounts("pCubeShape1", 12, 10);
  expectPoint(p, 8, -0.8, 1.5, 0.8);  // the copies of vertices 2, 3, 5 and 4
  expectPoint(p, 9, 0.8, 1.5, 0.8);
  expectPoint(p, 10, 0.8, 1.5, -0.8);
  expectPoint(p, 11, -0.8, 1.5, -0.8);
  expectPoint(p, 2, -1, 1, 1);
  EXPECT_EQ(cornersOf("pCubeShape1", 1), (std::vector<int>{8, 9, 10, 11}));
  EXPECT_EQ(cornersOf("pCubeShape1", 6), (std::vector<int>{2, 3, 9, 8}));
  EXPECT_NEAR(signedVolume("pCubeShape1"), 8 + 0.5 * (4 + 2.56 + 2 * 1.6) / 3, 1e-9);

  // Two divisions and a local translation: a ring halfway up each side.
  problems = loadScene(cube(1, "", 2,
                            extrusion("1 \"f[1]\"", "\tsetAttr \".lt\" -type \"double3\" 0 0 1 ;\n\tsetAttr \".d\" 2;\n"),
                            "polyExtrudeFace1.out"));
  expectAllEvaluated(problems);
  p = pointsWithCounts("pCubeShape1", 16, 14);
  expectPoint(p, 8, -1, 2, 1);
  expectPoint(p, 12, -1, 1.5, 1);  // the rings come after the lifted copies

  // localDirection sets the frame's x: a local move along x goes along Z here.
  loadScene(cube(1, "", 2,
                 extrusion("1 \"f[1]\"", "\tsetAttr \".lt\" -type \"double3\" 1 0 0 ;\n"
                                         "\tsetAttr \".ld\" -type \"double3\" 0 0 1 ;\n"),
                 "polyExtrudeFace1.out"));
  expectPoint(pointsOf("pCubeShape1"), 8, -1, 1, 2);

  // Faces kept together share the copies of their common edge; apart, they do not.
  problems = loadScene(cube(1, "", 2, extrusion("2 \"f[0]\" \"f[1]\"", "\tsetAttr \".lt\" -type \"double3\" 0 0 1 ;\n"),
                            "polyExtrudeFace1.out"));
  expectAllEvaluated(problems);
  pointsWithCounts("pCubeShape1", 14, 12);
  problems = loadScene(cube(1, "", 2,
                            extrusion("2 \"f[0]\" \"f[1]\"", "\tsetAttr \".lt\" -type \"double3\" 0 0 1 ;\n"
                                                              "\tsetAttr \".kft\" no;\n"),
                            "polyExtrudeFace1.out"));
  expectAllEvaluated(problems);
  pointsWithCounts("pCubeShape1", 16, 14);

  // Values it cannot use: said, and the cube comes through unchanged.
  for (const auto& [faces, settings, said] : std::vector<std::tuple<std::string, std::string, std::string>>{
           {"1 \"f[1]\"", "\tsetAttr \".off\" nan;\n", "is not evaluated (a value is not a number)"},
           {"1 \"f[1]\"", "\tsetAttr \".d\" 0;\n", "is not evaluated (its divisions 0"},
           {"1 \"f[9]\"", "", "(polyExtrudeFace): its components \"f[9]\" name no face of the mesh (which has 6)"}}) {
    expectSaid(cube(1, "", 2, extrusion(faces, settings), "polyExtrudeFace1.out"), said, "pCubeShape1", 8, 6);
  }
}

namespace {

std::string smoothing(const std::string& settings) {
  return "createNode polySmoothFace -n \"polySmoothFace1\";\n\tsetAttr \".ics\" -type \"componentList\" 1 \"f[*]\";\n"
         "\tsetAttr \".sdt\" 2;\n" + settings + "\tsetAttr \".suv\" yes;\n\tsetAttr \".ps\" 0.10000000149011612;\n"
         "\tsetAttr \".ro\" 1;\n\tsetAttr \".ma\" yes;\n\tsetAttr \".m08\" yes;\n"
         "connectAttr \"polyCube1.out\" \"polySmoothFace1.ip\";\n";
}

}  // namespace

TEST_F(HostTest, SmoothFaceDividesACubeAsCatmullClark) {
  auto problems = loadScene(cube(1, "", 2, smoothing(""), "polySmoothFace1.out"));
  expectAllEvaluated(problems);
  EXPECT_TRUE(mentions(problems, "(polySmoothFace): its UVs are divided plainly by mayahost")) << joined(problems);
  MPointArray p = pointsWithCounts("pCubeShape1", 26, 24);
  expectPoint(p, 0, -5 / 9.0, -5 / 9.0, 5 / 9.0);  // each corner: (F + 2R) / 3 of its three faces and edges
  expectPoint(p, 20, 0, 0, 1);                     // the front face's centre
  expectPoint(p, 14, 0, -0.75, 0.75);              // the first edge, of vertices 0 and 1
  EXPECT_EQ(cornersOf("pCubeShape1", 0), (std::vector<int>{0, 14, 20, 17}));
  EXPECT_GT(signedVolume("pCubeShape1"), 0);
  MFnMesh mesh(path("pCubeShape1"));
  EXPECT_EQ(mesh.numUVs(), 14 + 6 + 19);  // the cube's, a centre per face, a middle per UV edge

  // Continuity 0: the cube keeps its shape, each face in four.
  loadScene(cube(1, "", 2, smoothing("\tsetAttr \".c\" 0;\n"), "polySmoothFace1.out"));
  expectPoint(pointsWithCounts("pCubeShape1", 26, 24), 0, -1, -1, 1);
  // Two divisions: 96 faces.
  loadScene(cube(1, "", 2, smoothing("\tsetAttr \".dv\" 2;\n"), "polySmoothFace1.out"));
  pointsWithCounts("pCubeShape1", 98, 96);

  for (const auto& [settings, said] : std::vector<std::pair<std::string, std::string>>{
           {"\tsetAttr \".dv\" 40;\n", "is not evaluated (its divisions 40 would make more than"},
           {"\tsetAttr \".c\" nan;\n", "is not evaluated (a value is not a number)"}}) {
    expectSaid(cube(1, "", 2, smoothing(settings), "polySmoothFace1.out"), said, "pCubeShape1", 8, 6);
  }
}

// As c011-c10loser-udimexport's pCube3 shows (two rings round a cube, the
// second naming edges the first made, and Maya's export of the result): the
// ring is walked from its root edge, points and new faces numbered in the
// walk's order; each cut face keeps the side its weight runs from; a split
// edge keeps its part from its first point, and the far parts and cuts follow
// face by face along the walk.
TEST_F(HostTest, SplitRingNumbersPointsFacesAndEdgesAlongItsWalk) {
  const std::string first = cubeSplitRing(1, "2 \"e[6:7]\" \"e[10:11]\"", "\tsetAttr \".wt\" 0.25;\n\tsetAttr \".re\" 6;\n");
  auto problems = loadScene(cube(1, "", 1, first, "polySplitRing1.output") +
                            "connectAttr \"polyCube1.out\" \"polySplitRing1.ip\";\n");
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pCubeShape1", 12, 10);
  // Across the left face (f5) first: e[6] (2-4), e[10] (6-0), e[11] (7-1), e[7] (3-5).
  expectPoint(p, 8, -0.5, 0.5, 0.25);
  expectPoint(p, 9, -0.5, -0.5, 0.25);
  expectPoint(p, 10, 0.5, -0.5, 0.25);
  expectPoint(p, 11, 0.5, 0.5, 0.25);
  EXPECT_EQ(cornersOf("pCubeShape1", 1), (std::vector<int>{2, 3, 11, 8}));
  EXPECT_EQ(cornersOf("pCubeShape1", 5), (std::vector<int>{9, 0, 2, 8}));
  EXPECT_EQ(cornersOf("pCubeShape1", 6), (std::vector<int>{6, 9, 8, 4}));
  EXPECT_EQ(cornersOf("pCubeShape1", 8), (std::vector<int>{11, 10, 7, 5}));

  // The second ring names e[12] (8-4, the root's far part) and e[17] (11-5, e[7]'s).
  const std::string second = cubeSplitRing(2, "2 \"e[10:12]\" \"e[17]\"", "\tsetAttr \".wt\" 0.5;\n\tsetAttr \".re\" 12;\n");
  problems = loadScene(cube(1, "", 1, first + second, "polySplitRing2.output") +
                       "connectAttr \"polyCube1.out\" \"polySplitRing1.ip\";\n"
                       "connectAttr \"polySplitRing1.output\" \"polySplitRing2.ip\";\n");
  expectAllEvaluated(problems);
  pointsWithCounts("pCubeShape1", 16, 14);
  for (const auto& [face, corners] : std::vector<std::pair<unsigned int, std::vector<int>>>{
           {6, {13, 9, 8, 12}}, {8, {11, 10, 14, 15}}, {10, {6, 13, 12, 4}}, {12, {15, 14, 7, 5}}, {13, {12, 15, 5, 4}}})
    EXPECT_EQ(cornersOf("pCubeShape1", face), corners) << face;
}

// Several evenly spaced loops (splitType 2, two divisions by default), the
// weight left aside: the first loop lies nearest the far end of the root edge,
// its points and far parts numbered first; each later loop cuts the part the
// loop before kept. As c068-shawnhope-hammer-2's pCube3 shows: the tweak after
// its polySplitRing4 moves the first loop's points and the second's apart,
// and the bounds polyExtrudeFace3, 4 and 5 give f[29], f[25], f[5] and f[17]
// are those of the middle, kept and far parts; n018-cepheron-robot's pCube16
// (a two-loop ring before an extrusion) matches Maya's export.
TEST_F(HostTest, SplitRingLaysSeveralLoopsFromTheFarEnd) {
  const std::string ring = cubeSplitRing(1, "2 \"e[6:7]\" \"e[10:11]\"",
                                         "\tsetAttr \".wt\" 0.25;\n\tsetAttr \".re\" 6;\n\tsetAttr \".stp\" 2;\n");
  expectAllEvaluated(loadScene(cube(1, "", 1, ring, "polySplitRing1.output") +
                               "connectAttr \"polyCube1.out\" \"polySplitRing1.ip\";\n"));
  MPointArray p = pointsWithCounts("pCubeShape1", 16, 14);
  // e[6] (2-4), e[10] (6-0), e[11] (7-1), e[7] (3-5), the root's first point at z 0.5.
  const double sixth = 1.0 / 6;
  for (unsigned int loop = 0; loop < 2; ++loop) {
    const double z = loop == 0 ? -sixth : sixth;
    expectPoint(p, 8 + 4 * loop, -0.5, 0.5, z);
    expectPoint(p, 9 + 4 * loop, -0.5, -0.5, z);
    expectPoint(p, 10 + 4 * loop, 0.5, -0.5, z);
    expectPoint(p, 11 + 4 * loop, 0.5, 0.5, z);
  }
  auto spans = [&](unsigned int face, double lo, double hi) {
    for (int v : cornersOf("pCubeShape1", face)) {
      EXPECT_GE(p[static_cast<unsigned int>(v)].z, lo - 1e-9) << face;
      EXPECT_LE(p[static_cast<unsigned int>(v)].z, hi + 1e-9) << face;
    }
  };
  for (unsigned int face : {1u, 3u, 4u, 5u})  // the ring's faces keep the root's side
    spans(face, sixth, 0.5);
  for (unsigned int face = 6; face < 10; ++face)  // the first loop's far parts
    spans(face, -0.5, -sixth);
  for (unsigned int face = 10; face < 14; ++face)  // the middles the second loop cut off
    spans(face, -sixth, sixth);

  const std::string many = cubeSplitRing(1, "2 \"e[6:7]\" \"e[10:11]\"",
                                         "\tsetAttr \".stp\" 2;\n\tsetAttr \".div\" 4000;\n");
  expectSaid(cube(1, "", 1, many, "polySplitRing1.output") + "connectAttr \"polyCube1.out\" \"polySplitRing1.ip\";\n",
             "its divisions are not between 1 and 1000", "pCubeShape1", 8, 6);
}

namespace {

// polySplitRing1 on the plane's left column of faces: across the edges
// e[0] (vertices 0-1), e[5] (3-4) and e[10] (6-7).
std::string splitRing(const std::string& settings) {
  return planeNode("polySplitRing", "\tsetAttr \".uopa\" yes;\n"
                                    "\tsetAttr \".ics\" -type \"componentList\" 3 \"e[0]\" \"e[5]\" \"e[10]\";\n"
                                    "\tsetAttr \".ix\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n" +
                                        settings +
                                        "\tsetAttr \".sma\" 29.999999999999996;\n\tsetAttr \".p[0]\"  0 0 1;\n"
                                        "\tsetAttr \".fq\" yes;\n");
}

}  // namespace

TEST_F(HostTest, SplitRingCutsEachFaceOfTheRingAtItsWeight) {
  auto problems = loadScene(splitRing("\tsetAttr \".wt\" 0.5;\n\tsetAttr \".re\" 0;\n"));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pPlaneShape1", 12, 6);
  for (unsigned int k = 0; k < 3; ++k)  // the middles of e[0], e[5] and e[10], in that order
    expectPoint(p, 9 + k, -0.25, 0, (p[3 * k].z + p[3 * k + 1].z) / 2);
  EXPECT_EQ(cornersOf("pPlaneShape1", 0), (std::vector<int>{0, 9, 10, 3}));
  EXPECT_EQ(cornersOf("pPlaneShape1", 2), (std::vector<int>{3, 10, 11, 6}));
  // The far part lost the face's first corner: it starts at the point the
  // ring leaves the face by, as c011-c10loser-udimexport's pCube3 shows.
  EXPECT_EQ(cornersOf("pPlaneShape1", 4), (std::vector<int>{10, 9, 1, 4}));
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 12);

  // A quarter of the way from the root edge's first point, with direction off
  // too: it only picks the end an absolute weight is measured from (as
  // c026-devynbrunker-blocked-robot-updated's rings with direction off show).
  for (const char* direction : {"", "\tsetAttr \".dr\" no;\n"}) {
    loadScene(splitRing(std::string("\tsetAttr \".wt\" 0.25;\n") + direction + "\tsetAttr \".re\" 0;\n"));
    p = pointsOf("pPlaneShape1");
    for (unsigned int k = 9; k < 12; ++k)
      EXPECT_NEAR(p[k].x, -0.375, 1e-9) << k;
  }
  // Evenly spaced (splitType 2) with one division: the middle of each edge
  // whatever the weight, as n044-kadencampbell1-drafting-tools's pCube1 shows
  // (its two rings, weights 0.56 and 0.45, cut their edges in the middle).
  loadScene(splitRing("\tsetAttr \".wt\" 0.25;\n\tsetAttr \".re\" 0;\n\tsetAttr \".stp\" 2;\n\tsetAttr \".div\" 1;\n"));
  p = pointsOf("pPlaneShape1");
  for (unsigned int k = 9; k < 12; ++k)
    EXPECT_NEAR(p[k].x, -0.25, 1e-9) << k;
  expectSaid(splitRing("\tsetAttr \".wt\" 0.25;\n\tsetAttr \".ab\" yes;\n"),
             "its absolute weight (absoluteWeight) is not evaluated", "pPlaneShape1", 9, 4);

  std::string stray = splitRing("\tsetAttr \".wt\" 0.5;\n");
  stray.replace(stray.find("\"e[10]\""), 7, "\"e[80]\"");
  expectSaid(stray, "(polySplitRing): its components \"e[80]\" name no edge of the mesh (which has 12)", "pPlaneShape1", 11, 5);
  problems = loadScene(splitRing("\tsetAttr \".wt\" nan;\n"));
  EXPECT_TRUE(mentions(problems, "is not evaluated (a value is not a number)")) << joined(problems);
  pointsWithCounts("pPlaneShape1", 9, 4);
}

namespace {

// polyExtrudeEdge1 on the plane's edges, as Maya saves it.
std::string edgeExtrusion(const std::string& edges, const std::string& settings) {
  return planeNode("polyExtrudeEdge",
                   "\tsetAttr \".uopa\" yes;\n\tsetAttr \".ics\" -type \"componentList\" " + edges +
                       ";\n\tsetAttr \".ix\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n\tsetAttr \".ws\" yes;\n" +
                       settings + "\tsetAttr \".rs\" 47443;\n\tsetAttr \".c[0]\"  0 1 1;\n");
}

}  // namespace

TEST_F(HostTest, ExtrudeEdgeAddsAFaceAlongEachEdge) {
  // The border row of points 0, 1 and 2 (edges e[0] and e[2]) moved 1 along Z.
  auto problems = loadScene(edgeExtrusion("2 \"e[0]\" \"e[2]\"", "\tsetAttr \".t\" -type \"double3\" 0 0 1 ;\n"));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pPlaneShape1", 12, 6);
  for (unsigned int k = 0; k < 3; ++k)
    expectPoint(p, 9 + k, p[k].x, p[k].y, p[k].z + 1);
  EXPECT_EQ(cornersOf("pPlaneShape1", 4), (std::vector<int>{1, 0, 9, 10}));  // walking e[0] against face 0 beside it
  EXPECT_EQ(cornersOf("pPlaneShape1", 0), (std::vector<int>{0, 1, 4, 3}));

  // A border edge its face walks against the edge's own run (6 to 7, face 2
  // walking 7 to 6): its ends lift as the edge runs, the edges up from them
  // in that order too (c026-devynbrunker-blocked-robot-updated: the bounds of
  // the polyExtrudeEdge after one such extrusion put its e[330] up from the
  // edge's first end).
  problems = loadScene(edgeExtrusion("1 \"e[10]\"", ""));
  expectAllEvaluated(problems);
  pointsWithCounts("pPlaneShape1", 11, 5);
  expectEdges({{10, {6, 7}}, {12, {6, 9}}, {13, {7, 10}}, {14, {9, 10}}}, "pPlaneShape1");
  EXPECT_EQ(cornersOf("pPlaneShape1", 4), (std::vector<int>{6, 7, 10, 9}));

  // Parts that meet make one piece whose edges come in the order of their
  // numbers: e[9] (5 to 8) first, though e[10] began a part before e[11]
  // joined the two (n047-kadencampbell1-samuraihelmet: the copies of 14
  // edges met as three runs are named as that order numbers them).
  problems = loadScene(edgeExtrusion("1 \"e[9:11]\"", ""));
  expectAllEvaluated(problems);
  p = pointsWithCounts("pPlaneShape1", 13, 7);
  expectPoint(p, 9, p[5].x, p[5].y, p[5].z);
  expectEdges({{12, {5, 9}}, {13, {8, 10}}, {14, {9, 10}}, {15, {6, 11}}, {18, {12, 10}}}, "pPlaneShape1");

  // Apart, each edge has points of its own; two divisions make two rows.
  loadScene(edgeExtrusion("2 \"e[0]\" \"e[2]\"", "\tsetAttr \".kft\" no;\n"));
  pointsWithCounts("pPlaneShape1", 13, 6);
  loadScene(edgeExtrusion("1 \"e[0]\"", "\tsetAttr \".d\" 2;\n"));
  pointsWithCounts("pPlaneShape1", 13, 6);

  expectSaid(edgeExtrusion("2 \"e[0]\" \"e[50]\"", ""), "(polyExtrudeEdge): its components \"e[50]\" name no edge of the mesh (which has 12)", "pPlaneShape1", 11, 5);
  problems = loadScene(edgeExtrusion("1 \"e[0]\"", "\tsetAttr \".t\" -type \"double3\" 0 nan 1 ;\n"));
  EXPECT_TRUE(mentions(problems, "is not evaluated (a value is not a number)")) << joined(problems);
  pointsWithCounts("pPlaneShape1", 9, 4);
}

// The edges an extrusion adds are numbered even on a mesh that lists none;
// merging points keeps the edges' order, those that collapse or now run where
// an earlier one does going (c026-devynbrunker-blocked-robot-updated: each
// polyMergeVert after a pair of edge extrusions leaves the lifted copies
// where the next polyExtrudeEdge names them).
TEST_F(HostTest, ExtrudeEdgeThenMergeKeepsTheEdgeOrder) {
  const std::string scene = plane(
      "createNode polyExtrudeEdge -n \"polyExtrudeEdge1\";\n\tsetAttr \".ics\" -type \"componentList\" 2 \"e[0]\" "
      "\"e[2]\";\n\tsetAttr \".ws\" yes;\n"
      "createNode polyMergeVert -n \"polyMergeVert1\";\n\tsetAttr \".ics\" -type \"componentList\" 2 \"vtx[0]\" "
      "\"vtx[9]\";\n\tsetAttr \".d\" 0.001;\n"
      "connectAttr \"polyPlane1.out\" \"polyExtrudeEdge1.ip\";\n"
      "connectAttr \"polyExtrudeEdge1.out\" \"polyMergeVert1.ip\";\n",
      "polyMergeVert1.out");
  expectAllEvaluated(loadScene(scene));
  pointsWithCounts("pPlaneShape1", 11, 6);
  // Before the merge: up from 0 (12), up from 1, the copy 9-10, up from 2, the copy 10-11.
  expectEdges({{12, {1, 9}}, {13, {0, 9}}, {14, {2, 10}}, {15, {9, 10}}}, "pPlaneShape1");
  EXPECT_EQ(cornersOf("pPlaneShape1", 4), (std::vector<int>{1, 0, 9}));
}

namespace {

std::string mirror(const std::string& settings, const char* matrix = "1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1") {
  return planeNode("polyMirror", "\tsetAttr \".uopa\" yes;\n\tsetAttr \".ics\" -type \"componentList\" 1 \"f[*]\";\n"
                                 "\tsetAttr \".ix\" -type \"matrix\" " +
                                     std::string(matrix) + ";\n" + settings +
                                     "\tsetAttr \".fnf\" 4;\n\tsetAttr \".lnf\" 7;\n");
}

const char* const kWorld = "\tsetAttr \".ws\" yes;\n";
const char* const kMovedRight = "1 0 0 0 0 1 0 0 0 0 1 0 10 0 0 1";

}  // namespace

TEST_F(HostTest, MirrorAddsTheImageAcrossThePlaneAndMergesItsSeam) {
  // Across x = 0.5, the plane's right border: its three points there are shared.
  auto problems = loadScene(mirror(std::string(kWorld) + "\tsetAttr \".p\" -type \"double3\" 0.5 0 0 ;\n"));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pPlaneShape1", 15, 8);
  expectPoint(p, 9, 1.5, 0, p[0].z);  // the image of point 0
  EXPECT_EQ(cornersOf("pPlaneShape1", 4), (std::vector<int>{9, 11, 12, 10}));  // face 0's image, walked back
  EXPECT_EQ(cornersOf("pPlaneShape1", 5), (std::vector<int>{10, 12, 5, 2}));
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 9);

  // Without merging, every point has an image.
  loadScene(mirror(std::string(kWorld) + "\tsetAttr \".p\" -type \"double3\" 0.5 0 0 ;\n\tsetAttr \".mm\" 0;\n"));
  pointsWithCounts("pPlaneShape1", 18, 8);
  problems = loadScene(mirror(std::string(kWorld) + "\tsetAttr \".p\" -type \"double3\" 0.5 0 0 ;\n\tsetAttr \".mm\" 3;\n"));
  EXPECT_TRUE(mentions(problems, "(polyMirror): its border mode (mergeMode 3) is not evaluated; the image stays apart")) << joined(problems);
  pointsWithCounts("pPlaneShape1", 18, 8);

  problems = loadScene(mirror("\tsetAttr \".a\" 5;\n"));
  EXPECT_TRUE(mentions(problems, "is not evaluated (its axis 5 is none of X, Y and Z (0 to 2))")) << joined(problems);
  pointsWithCounts("pPlaneShape1", 9, 4);
  problems = loadScene(mirror("\tsetAttr \".p\" -type \"double3\" nan 0 0 ;\n"));
  EXPECT_TRUE(mentions(problems, "is not evaluated (a value is not a number)")) << joined(problems);
  std::string some = mirror("");
  some.replace(some.find("\"f[*]\""), 6, "\"f[1]\"");
  problems = loadScene(some);
  EXPECT_TRUE(mentions(problems, "is not evaluated (it mirrors some of the faces only, which the host does not evaluate)"))
      << joined(problems);
  pointsWithCounts("pPlaneShape1", 9, 4);
}

// c041-kayden18-robot (pCube3) settled the plane's space: without .ws its pivot
// (the object's scale pivot) is taken in the object's space, whatever inputMatrix holds.
TEST_F(HostTest, MirrorTakesThePlaneInTheObjectsSpaceUnlessWorldSpaceIsSet) {
  loadScene(mirror("\tsetAttr \".p\" -type \"double3\" 0.5 0 0 ;\n", kMovedRight));
  MPointArray p = pointsWithCounts("pPlaneShape1", 15, 8);
  expectPoint(p, 9, 1.5, 0, p[0].z);

  // In world space the plane lies at x = 0.5 of the world, 9.5 left of the points' origin.
  loadScene(mirror(std::string(kWorld) + "\tsetAttr \".p\" -type \"double3\" 0.5 0 0 ;\n", kMovedRight));
  p = pointsWithCounts("pPlaneShape1", 18, 8);
  expectPoint(p, 9, -18.5, 0, p[0].z);
}

// c022-claytonwatkins-robot-for-paint (polyMirror13: a mesh wholly at +x of the
// world's plane x = 0 kept whole, .fnf 11 of 11) and c041-kayden18-robot
// (pCube3, whose OBJ gives the numbering) settled what cutMesh keeps: the +axis
// side (axisDirection 1), faces crossing the plane cut there, the cut points
// after the points kept in the order of their edges, and a cut face whose first
// corner is not kept moved after the others.
TEST_F(HostTest, MirrorCutKeepsThePositiveSideAndCutsTheFacesAcrossThePlane) {
  // Cut at x = 0: the right column of faces is kept, its image goes left.
  auto problems = loadScene(mirror(std::string(kWorld) + "\tsetAttr \".cm\" yes;\n"));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pPlaneShape1", 9, 4);
  expectPoint(p, 0, 0, 0, p[0].z);   // point 1 of the plane, the first kept
  expectPoint(p, 6, -0.5, 0, p[1].z);  // the image of point 2 of the plane

  // axisDirection 0 keeps the left column.
  loadScene(mirror(std::string(kWorld) + "\tsetAttr \".ad\" 0;\n\tsetAttr \".cm\" yes;\n"));
  p = pointsWithCounts("pPlaneShape1", 9, 4);
  expectPoint(p, 0, -0.5, 0, p[0].z);
  expectPoint(p, 6, 0.5, 0, p[0].z);

  // Cut at x = 0.25: the right column is cut in two; the points at x = 0.5 stay,
  // the three cut points follow, shared with the image.
  loadScene(mirror(std::string(kWorld) + "\tsetAttr \".p\" -type \"double3\" 0.25 0 0 ;\n\tsetAttr \".cm\" yes;\n"));
  p = pointsWithCounts("pPlaneShape1", 9, 4);
  for (unsigned int i = 0; i < 3; ++i) {
    expectPoint(p, i, 0.5, 0, p[i].z);
    expectPoint(p, i + 3, 0.25, 0, p[i].z);
    expectPoint(p, i + 6, 0, 0, p[i].z);
  }
  const std::vector<int> face = cornersOf("pPlaneShape1", 0);
  ASSERT_EQ(face.size(), 4u);
  EXPECT_EQ(std::count_if(face.begin(), face.end(), [](int v) { return v >= 3 && v < 6; }), 2);
}

namespace {

// A column of three quads with the middle one deleted, bridged across the gap
// by the edges e[3] (points 2-3) and e[4] (points 4-5): the plane's edges in
// their order, less the two that only the deleted face had.
std::string bridge(const std::string& edges, const std::string& settings) {
  std::string s = creatorScene("Plane", "\tsetAttr \".sw\" 1;\n\tsetAttr \".sh\" 3;\n\tsetAttr \".cuv\" 2;\n");
  s.erase(s.find("connectAttr \"polyPlane1.out\""));
  return s + "createNode deleteComponent -n \"deleteComponent1\";\n"
             "\tsetAttr \".dc\" -type \"componentList\" 1 \"f[1]\";\n"
             "createNode polyBridgeEdge -n \"polyBridgeEdge1\";\n\tsetAttr \".ics\" -type \"componentList\" " +
         edges + ";\n\tsetAttr \".ix\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n\tsetAttr \".c[0]\"  0 1 1;\n" +
         settings + "\tsetAttr \".sv1\" 2;\n\tsetAttr \".sv2\" 4;\n\tsetAttr \".d\" 1;\n"
         "connectAttr \"polyPlane1.out\" \"deleteComponent1.ig\";\n"
         "connectAttr \"deleteComponent1.og\" \"polyBridgeEdge1.ip\";\n"
         "connectAttr \"polyBridgeEdge1.out\" \"pPlaneShape1.i\";\n";
}

}  // namespace

TEST_F(HostTest, BridgeEdgeJoinsTwoChainsAcrossTheGap) {
  auto problems = loadScene(bridge("2 \"e[3]\" \"e[4]\"", "\tsetAttr \".dv\" 0;\n"));
  expectAllEvaluated(problems);
  pointsWithCounts("pPlaneShape1", 8, 3);
  EXPECT_EQ(cornersOf("pPlaneShape1", 2), (std::vector<int>{2, 3, 5, 4}));  // the deleted face again
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 8 + 4);

  // One division: a row of points halfway.
  loadScene(bridge("2 \"e[3]\" \"e[4]\"", "\tsetAttr \".dv\" 1;\n"));
  MPointArray p = pointsWithCounts("pPlaneShape1", 10, 4);
  expectPoint(p, 8, (p[2].x + p[4].x) / 2, 0, (p[2].z + p[4].z) / 2);
  EXPECT_EQ(cornersOf("pPlaneShape1", 2), (std::vector<int>{2, 3, 9, 8}));

  for (const auto& [edges, said] : std::vector<std::pair<std::string, std::string>>{
           {"2 \"e[3]\" \"e[40]\"", "is not evaluated (its components \"e[40]\" name no edge of the mesh (which has 8))"},
           {"1 \"e[3]\"", "is not evaluated (its edges do not make two chains of as many edges to bridge)"},
           {"3 \"e[3]\" \"e[4:5]\"", "is not evaluated (its edges do not make two chains of as many edges to bridge)"}}) {
    problems = loadScene(bridge(edges, "\tsetAttr \".dv\" 0;\n"));
    EXPECT_TRUE(mentions(problems, said)) << joined(problems);
    pointsWithCounts("pPlaneShape1", 8, 2);
  }
}

namespace {

// Each edge of the shape as its two points.
std::vector<std::pair<int, int>> edgeEnds(const MDagPath& shape) {
  MFnMesh mesh(shape);
  std::vector<std::pair<int, int>> ends;
  for (int e = 0; e < mesh.numEdges(); ++e) {
    int2 pair = {-1, -1};
    mesh.getEdgeVertices(e, pair);
    ends.emplace_back(pair[0], pair[1]);
  }
  return ends;
}

}  // namespace

TEST_F(HostTest, BridgeEdgeLeavesTheMeshEdgesTheirNumbers) {
  // Settled by pair n066 (a pipe with faces deleted, bridged again and again):
  // the start points of its later bridges lie on the edges they list only
  // when each bridge leaves the edges it found their numbers.
  std::string gap = bridge("2 \"e[3]\" \"e[4]\"", "\tsetAttr \".dv\" 0;\n");
  gap.replace(gap.find("\"polyBridgeEdge1.out\" \"pPlaneShape1.i\""), 21, "\"deleteComponent1.og\"");
  expectAllEvaluated(loadScene(gap));
  const auto before = edgeEnds(path("pPlaneShape1"));
  ASSERT_EQ(before.size(), 8u);

  expectAllEvaluated(loadScene(bridge("2 \"e[3]\" \"e[4]\"", "\tsetAttr \".dv\" 0;\n")));
  const auto after = edgeEnds(path("pPlaneShape1"));
  ASSERT_EQ(after.size(), 10u);
  const std::vector<std::pair<int, int>> kept(after.begin(), after.begin() + 8);
  EXPECT_EQ(kept, before);
  // The two new edges across the gap come last.
  std::set<std::pair<int, int>> added;
  for (std::size_t e = 8; e < after.size(); ++e)
    added.insert(std::minmax(after[e].first, after[e].second));
  EXPECT_EQ(added, (std::set<std::pair<int, int>>{{2, 4}, {3, 5}}));
}

TEST_F(HostTest, ModellingNodesRefuseAnInputMeshOfPointsItDoesNotHave) {
  // An intermediate shape whose face names point 9 of its four: the extrude is not evaluated, no crash.
  const std::string scene =
      "createNode transform -n \"pPlane1\";\n"
      "createNode mesh -n \"pPlaneShape1\" -p \"pPlane1\";\n\tsetAttr -k off \".v\";\n"
      "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
      "createNode mesh -n \"pPlaneShape1Orig\" -p \"pPlane1\";\n\tsetAttr -k off \".v\";\n\tsetAttr \".io\" yes;\n"
      "\tsetAttr -s 4 \".vt[0:3]\"  -0.5 0 0.5 0.5 0 0.5 -0.5 0 -0.5 0.5 0 -0.5;\n"
      "\tsetAttr -s 4 \".ed[0:3]\"  0 1 0 0 2 0 1 9 0 2 9 0;\n"
      "\tsetAttr -ch 4 \".fc[0]\" -type \"polyFaces\" f 4 0 2 -4 -2;\n"
      "createNode polyExtrudeFace -n \"polyExtrudeFace1\";\n\tsetAttr \".ics\" -type \"componentList\" 1 \"f[0]\";\n"
      "\tsetAttr \".tk\" 1;\n"
      "connectAttr \"pPlaneShape1Orig.w\" \"polyExtrudeFace1.ip\";\n"
      "connectAttr \"polyExtrudeFace1.out\" \"pPlaneShape1.i\";\n";
  auto problems = loadScene(scene);
  EXPECT_TRUE(mentions(problems, "(polyExtrudeFace) is not evaluated (its input mesh has faces of fewer than three "
                                 "corners or of points it does not have)"))
      << joined(problems);
}

namespace {

std::string bevel(const std::string& edges, const std::string& settings) {
  return "createNode polyBevel3 -n \"polyBevel1\";\n\tsetAttr \".uopa\" yes;\n"
         "\tsetAttr \".ics\" -type \"componentList\" " + edges +
         ";\n\tsetAttr \".ix\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n\tsetAttr \".ws\" yes;\n"
         "\tsetAttr \".oaf\" yes;\n" + settings +
         "\tsetAttr \".at\" 180;\n\tsetAttr \".sn\" yes;\n\tsetAttr \".mv\" yes;\n\tsetAttr \".mvt\" 0.0001;\n"
         "\tsetAttr \".sa\" 30;\nconnectAttr \"polyCube1.out\" \"polyBevel1.ip\";\n";
}

}  // namespace

TEST_F(HostTest, BevelCutsEdgesIntoStripsAndCornersIntoFaces) {
  // Every edge of a cube of 2, fraction 0.5: each corner slides 0.5 along its edges.
  auto problems = loadScene(cube(1, "", 2, bevel("1 \"e[*]\"", ""), "polyBevel1.out"));
  expectAllEvaluated(problems);
  EXPECT_TRUE(mentions(problems, "(polyBevel3): its bevel is shaped by mayahost (one segment); Maya's may differ"))
      << joined(problems);
  MPointArray p = pointsWithCounts("pCubeShape1", 24, 6 + 12 + 8);
  std::vector<int> front = cornersOf("pCubeShape1", 0);
  ASSERT_EQ(front.size(), 4u);
  expectPoint(p, static_cast<unsigned int>(front[0]), -0.5, -0.5, 1);
  // |x|, |y|, |z| <= 1, each |x| + |y| <= 1.5 and |x| + |y| + |z| <= 2: 17/24 of each octant.
  EXPECT_NEAR(signedVolume("pCubeShape1"), 17 / 3.0, 1e-9);

  // One edge, e[0] (points 0-1): a strip between the front and the bottom, the sides gain a corner each.
  loadScene(cube(1, "", 2, bevel("1 \"e[0]\"", ""), "polyBevel1.out"));
  pointsWithCounts("pCubeShape1", 10, 7);
  EXPECT_NEAR(signedVolume("pCubeShape1"), 8 - 0.125 * 2, 1e-9);

  expectSaid(cube(1, "", 2, bevel("1 \"e[0]\"", "\tsetAttr \".f\" 3;\n"), "polyBevel1.out"),
             "is not evaluated (its fraction (0 to 1) or offset (not below 0) is out of range)", "pCubeShape1", 8, 6);
  expectSaid(cube(1, "", 2, bevel("1 \"e[99]\"", ""), "polyBevel1.out"),
             "(polyBevel3): its components \"e[99]\" name no edge of the mesh (which has 12)", "pCubeShape1", 8, 6);
}

TEST_F(HostTest, TriangulateFansFacesAndSoftEdgeKeepsTheMesh) {
  const std::string triangulate = "createNode polyTriangulate -n \"polyTriangulate1\";\n\tsetAttr \".ics\" -type "
                                  "\"componentList\" 1 \"f[0]\";\nconnectAttr \"polyCube1.out\" \"polyTriangulate1.ip\";\n"
                                  "createNode polySoftEdge -n \"polySoftEdge1\";\n\tsetAttr \".uopa\" yes;\n"
                                  "\tsetAttr \".ics\" -type \"componentList\" 1 \"e[*]\";\n"
                                  "\tsetAttr \".ix\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n"
                                  "\tsetAttr \".a\" 180;\n"
                                  "connectAttr \"polyTriangulate1.out\" \"polySoftEdge1.ip\";\n";
  auto problems = loadScene(cube(1, "", 2, triangulate, "polySoftEdge1.out"));
  expectAllEvaluated(problems);
  pointsWithCounts("pCubeShape1", 8, 7);
  EXPECT_EQ(cornersOf("pCubeShape1", 0), (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(cornersOf("pCubeShape1", 6), (std::vector<int>{0, 3, 2}));
  EXPECT_EQ(MFnMesh(path("pCubeShape1")).numUVs(), 14);
  EXPECT_NEAR(signedVolume("pCubeShape1"), 8, 1e-9);

  std::string stray = cube(1, "", 2, triangulate, "polySoftEdge1.out");
  stray.replace(stray.find("\"f[0]\""), 6, "\"f[9]\"");
  expectSaid(stray, "(polyTriangulate): its components \"f[9]\" name no face of the mesh (which has 6)", "pCubeShape1",
             8, 6);
}

TEST_F(HostTest, MergeVertWeldsListedPointsWithinItsDistance) {
  // The gap of the bridge scene closed instead: points 2 and 4, 3 and 5 a third apart.
  std::string scene = bridge("2 \"e[3]\" \"e[4]\"", "");
  const std::string merge = "createNode polyMergeVert -n \"polyMergeVert1\";\n"
                            "\tsetAttr \".ics\" -type \"componentList\" 1 \"vtx[2:5]\";\n"
                            "\tsetAttr \".ix\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n\tsetAttr \".d\" 0.5;\n";
  scene.replace(scene.find("createNode polyBridgeEdge"), 0, merge);
  scene.replace(scene.find("connectAttr \"deleteComponent1.og\" \"polyBridgeEdge1.ip\""), 0,
                "connectAttr \"deleteComponent1.og\" \"polyMergeVert1.ip\";\n");
  std::string merged = scene;
  merged.replace(merged.find("\"polyBridgeEdge1.out\" \"pPlaneShape1.i\""), 21, "\"polyMergeVert1.out\"");
  auto problems = loadScene(merged);
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pPlaneShape1", 6, 2);
  EXPECT_EQ(cornersOf("pPlaneShape1", 1), (std::vector<int>{2, 3, 5, 4}));
  EXPECT_NEAR(p[2].x, -0.5, 1e-9);
  EXPECT_NEAR(p[3].x, 0.5, 1e-9);

  std::string far = merged;
  far.replace(far.find("\".d\" 0.5"), 9, "\".d\" 0.1");
  loadScene(far);
  pointsWithCounts("pPlaneShape1", 8, 2);
  std::string stray = merged;
  stray.replace(stray.find("1 \"vtx[2:5]\""), 12, "2 \"vtx[2:5]\" \"vtx[50]\"");
  expectSaid(stray, "(polyMergeVert): its components \"vtx[50]\" name no vertex of the mesh (which has 8)",
             "pPlaneShape1", 6, 2);
}

TEST_F(HostTest, CloseBorderFillsEachBorderLoopWithAFace) {
  // The plane's border: one face of its eight outer points, walked against the plane's faces.
  auto problems = loadScene(planeNode("polyCloseBorder", "\tsetAttr \".ics\" -type \"componentList\" 1 \"e[*]\";\n"));
  expectAllEvaluated(problems);
  pointsWithCounts("pPlaneShape1", 9, 5);
  EXPECT_EQ(cornersOf("pPlaneShape1", 4), (std::vector<int>{1, 0, 3, 6, 7, 8, 5, 2}));
  // The new face walks only edges the mesh has, which keep their numbers
  // (n047-kadencampbell1-samuraihelmet: the next polyExtrudeEdge names eight
  // edges of the mesh that make one run, as its points show).
  expectEdges({{1, {0, 3}}, {3, {1, 4}}, {5, {3, 4}}, {10, {6, 7}}, {11, {7, 8}}}, "pPlaneShape1");
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numEdges(), 12);

  // A loop none of whose edges is listed stays open; an edge past the mesh is said.
  expectSaid(planeNode("polyCloseBorder", "\tsetAttr \".ics\" -type \"componentList\" 2 \"e[3]\" \"e[30]\";\n"),
             "(polyCloseBorder): its components \"e[30]\" name no edge of the mesh (which has 12)", "pPlaneShape1", 9, 4);
}

namespace {

// A default torus whose faces `deleted` are gone and whose borders are closed, as Maya saves it.
std::string closedTorus(const std::string& deleted) {
  return "createNode transform -n \"pTorus1\";\ncreateNode mesh -n \"pTorusShape1\" -p \"pTorus1\";\n"
         "createNode polyTorus -n \"polyTorus1\";\n"
         "createNode deleteComponent -n \"deleteComponent1\";\n\tsetAttr \".dc\" -type \"componentList\" " +
         deleted +
         ";\ncreateNode polyCloseBorder -n \"polyCloseBorder1\";\n"
         "\tsetAttr \".ics\" -type \"componentList\" 1 \"e[*]\";\n"
         "connectAttr \"polyTorus1.out\" \"deleteComponent1.ig\";\n"
         "connectAttr \"deleteComponent1.og\" \"polyCloseBorder1.ip\";\n"
         "connectAttr \"polyCloseBorder1.out\" \"pTorusShape1.i\";\n";
}

// Face ranges "f[a:b]", one per row of twenty, `first` to `last` along each row.
std::string rowRanges(int first, int last, int rows) {
  std::string list;
  for (int row = 0; row < rows; ++row)
    list += " \"f[" + std::to_string(20 * row + first) + ":" + std::to_string(20 * row + last) + "]\"";
  return list;
}

// A column loop of points `from`, `from` + 6, ..., walked up (or down) the rows.
std::vector<int> column(int from, bool up) {
  std::vector<int> points;
  for (int row = 0; row < 20; ++row)
    points.push_back(from + 6 * (up ? row : (20 - row) % 20));
  return points;
}

}  // namespace

TEST_F(HostTest, CloseBorderStartsBesideTheLoopsLowestPoint) {
  // The moonshine-bottle pair: a torus keeping five columns of faces (f[0:3]
  // and f[19] of each row), its two borders closed. Maya's export shows the
  // faces its extrusions made from them: the first new face starts at 10 and
  // runs up the rows to 4, the second starts at 11 and runs down through 5.
  auto problems = loadScene(closedTorus("20" + rowRanges(4, 18, 20)));
  expectAllEvaluated(problems);
  pointsWithCounts("pTorusShape1", 120, 102);
  std::vector<int> first = column(4, true), second = column(5, false);
  std::rotate(first.begin(), first.begin() + 1, first.end());
  std::rotate(second.begin(), second.end() - 1, second.end());
  EXPECT_EQ(cornersOf("pTorusShape1", 100), first);
  EXPECT_EQ(cornersOf("pTorusShape1", 101), second);

  // The bank pair: columns f[4:8] kept; the first face (left as it is by
  // the nodes after it) starts at 6 and runs down through 0, the second
  // starts at 11 and runs up to 5.
  problems = loadScene(closedTorus("21 \"f[0:3]\"" + rowRanges(9, 23, 19) + " \"f[389:399]\""));
  expectAllEvaluated(problems);
  pointsWithCounts("pTorusShape1", 120, 102);
  first = column(0, false);
  second = column(5, true);
  std::rotate(first.begin(), first.end() - 1, first.end());
  std::rotate(second.begin(), second.begin() + 1, second.end());
  EXPECT_EQ(cornersOf("pTorusShape1", 100), first);
  EXPECT_EQ(cornersOf("pTorusShape1", 101), second);
}

namespace {

// A path of points as Maya stores it on polySplit: each point's desc is
// -2147483648 plus its edge, its edge value the fraction from the edge's first point.
std::string splitPath(const std::vector<int>& edges, const std::vector<std::string>& fractions) {
  const std::string n = std::to_string(edges.size()), range = "[0:" + std::to_string(edges.size() - 1) + "]";
  std::string e = "\tsetAttr -s " + n + " \".e" + range + "\" ", d = "\tsetAttr -s " + n + " \".d" + range + "\" ";
  for (std::size_t i = 0; i < edges.size(); ++i) {
    e += " " + fractions[i];
    d += " " + std::to_string(-2147483648LL + edges[i]);
  }
  return e + ";\n" + d + ";\n";
}

// polySplit1 on a cube of side 1 (Maya's points, faces and edges).
std::string splitCube(const std::string& points) {
  return cube(1, "", 1,
              "createNode polySplit -n \"polySplit1\";\n" + points +
                  "\tsetAttr \".sma\" 180;\n\tsetAttr \".m2015\" yes;\nconnectAttr \"polyCube1.out\" \"polySplit1.ip\";\n",
              "polySplit1.out");
}

// The UV of a face's corner.
std::pair<float, float> cornerUV(int face, int corner) {
  float u = -1, v = -1;
  MFnMesh(HostTest::path("pCubeShape1")).getPolygonUV(face, corner, u, v);
  return {u, v};
}

int cornerUVid(int face, int corner) {
  int id = -1;
  MFnMesh(HostTest::path("pCubeShape1")).getPolygonUVid(face, corner, id);
  return id;
}


void expectUVBetween(std::pair<float, float> uv, std::pair<float, float> a, std::pair<float, float> b, double t) {
  EXPECT_NEAR(uv.first, a.first + t * (b.first - a.first), 1e-6);
  EXPECT_NEAR(uv.second, a.second + t * (b.second - a.second), 1e-6);
}

}  // namespace

TEST_F(HostTest, SplitCutsTheFaceBetweenPointsOnTwoOfItsEdges) {
  // A quarter along e[0] (points 0-1) and e[1] (2-3): the front face cut in two.
  auto problems = loadScene(splitCube(splitPath({0, 1}, {"0.25", "0.25"})));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pCubeShape1", 10, 7);
  expectPoint(p, 8, -0.25, -0.5, 0.5);
  expectPoint(p, 9, -0.25, 0.5, 0.5);
  // The part from the first point round the face to the second is the new
  // face; each part's corners in the order Maya gives them.
  EXPECT_EQ(cornersOf("pCubeShape1", 6), (std::vector<int>{1, 3, 9, 8}));
  EXPECT_EQ(cornersOf("pCubeShape1", 0), (std::vector<int>{8, 9, 2, 0}));
  // The faces beside the cut edges take their points as corners.
  EXPECT_EQ(cornersOf("pCubeShape1", 3), (std::vector<int>{6, 7, 1, 8, 0}));
  EXPECT_EQ(cornersOf("pCubeShape1", 1), (std::vector<int>{2, 9, 3, 5, 4}));
  // Edges as Maya numbers them: a split edge keeps its part from its first
  // point, the parts after the new points follow, then the cut.
  MFnMesh mesh(path("pCubeShape1"));
  EXPECT_EQ(mesh.numEdges(), 15);
  expectEdges({{0, {0, 8}}, {1, {2, 9}}, {12, {8, 1}}, {13, {9, 3}}, {14, {8, 9}}});

  // UVs between the edge's: shared where the faces share the edge's UVs
  // (e[1] between the front and the top), apart across the bottom's seam
  // (e[0]); made point by point, the face walking the edge forward first.
  EXPECT_EQ(mesh.numUVs(), 17);
  expectUVBetween(cornerUV(0, 0), cornerUV(0, 3), cornerUV(6, 0), 0.25);
  expectUVBetween(cornerUV(3, 3), cornerUV(3, 4), cornerUV(3, 2), 0.25);
  EXPECT_EQ(cornerUVid(0, 0), 14);
  EXPECT_EQ(cornerUVid(6, 3), 14);
  EXPECT_EQ(cornerUVid(3, 3), 15);
  EXPECT_EQ(cornerUVid(6, 2), 16);
  EXPECT_EQ(cornerUVid(1, 1), 16);

  // Two points on e[0], the later one nearer its first point: each point's
  // part of the edge runs to the next point along it.
  loadScene(splitCube(splitPath({0, 1, 0}, {"0.75", "0.5", "0.25"})));
  pointsWithCounts("pCubeShape1", 11, 8);
  EXPECT_EQ(cornersOf("pCubeShape1", 7), (std::vector<int>{2, 0, 10, 9}));
  expectEdges({{0, {0, 10}}, {12, {8, 1}}, {14, {10, 8}}, {16, {9, 10}}});

  // A fraction of 0 is the edge's first point: the cut runs from that corner.
  loadScene(splitCube(splitPath({0, 1}, {"0", "0.5"})));
  pointsWithCounts("pCubeShape1", 9, 7);
  EXPECT_EQ(cornersOf("pCubeShape1", 6), (std::vector<int>{1, 3, 8, 0}));
  EXPECT_EQ(cornersOf("pCubeShape1", 0), (std::vector<int>{0, 8, 2}));
}

TEST_F(HostTest, SplitLoopRoundACubeMeasuresEachFractionFromItsEdgesFirstPoint) {
  // Insert Edge Loop as Maya 2019 saved it: 0.3 along e[0], e[3], e[2], e[1]
  // and back to e[0]. Maya's next node extruded f[6] as the bottom's part from
  // x -0.5 to -0.2: the new faces come in the order of the cuts.
  auto problems = loadScene(splitCube(
      "\tsetAttr -s 5 \".e[0:4]\"  0.30000001 0.30000001 0.30000001 0.30000001\n\t\t 0.30000001;\n"
      "\tsetAttr -s 5 \".d[0:4]\"  -2147483648 -2147483645 -2147483646 -2147483647 -2147483648;\n"));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pCubeShape1", 12, 10);
  for (unsigned int k = 8; k < 12; ++k)
    EXPECT_NEAR(p[k].x, -0.2, 1e-6) << k;
  expectPoint(p, 9, p[9].x, -0.5, -0.5);  // on e[3], the bottom's back edge
  EXPECT_EQ(cornersOf("pCubeShape1", 6), (std::vector<int>{0, 6, 9, 8}));
  for (int f = 6; f < 10; ++f)
    for (int v : cornersOf("pCubeShape1", f))
      EXPECT_LT(p[static_cast<unsigned int>(v)].x, -0.1) << "face " << f;

  // The loop the other way round (e[0], e[1], e[2], e[3]) at 0.1: Maya's next
  // node extruded f[1] as the top's part from x -0.5 to -0.4, the part that
  // holds the top's first corner but does not run from the cut's first point.
  loadScene(splitCube(splitPath({0, 1, 2, 3, 0}, {"0.1", "0.1", "0.1", "0.1", "0.1"})));
  p = pointsWithCounts("pCubeShape1", 12, 10);
  EXPECT_EQ(cornersOf("pCubeShape1", 1), (std::vector<int>{9, 10, 4, 2}));
  EXPECT_EQ(cornersOf("pCubeShape1", 7), (std::vector<int>{3, 5, 10, 9}));
  EXPECT_NEAR(p[9].x, -0.4, 1e-6);

  // e[4] and e[5] run up the front, e[9] and e[8] down the back: 0.75 along
  // those is as high as 0.25 along these.
  loadScene(splitCube(splitPath({4, 5, 9, 8, 4}, {"0.25", "0.25", "0.75", "0.75", "0.25"})));
  p = pointsWithCounts("pCubeShape1", 12, 10);
  expectPoint(p, 8, -0.5, -0.25, 0.5);
  expectPoint(p, 9, 0.5, -0.25, 0.5);
  expectPoint(p, 10, 0.5, -0.25, -0.5);
  expectPoint(p, 11, -0.5, -0.25, -0.5);
}

namespace {

// Two polySplits one after the other on a cube of side 1.
std::string twoSplits(const std::string& first, const std::string& second) {
  return cube(1, "", 1,
              "createNode polySplit -n \"polySplit1\";\n" + first + "createNode polySplit -n \"polySplit2\";\n" + second +
                  "connectAttr \"polyCube1.out\" \"polySplit1.ip\";\nconnectAttr \"polySplit1.out\" \"polySplit2.ip\";\n",
              "polySplit2.out");
}

}  // namespace

TEST_F(HostTest, SplitAfterSplitNamesTheEdgesAsMayaNumberedThem) {
  // As Maya 2019 saved a loop and a second one on the same edge numbers, then
  // extruded f[1], f[8] and f[12] as the whole top: the edges keep their
  // parts from their first points, and each loop's new faces follow in path order.
  auto problems = loadScene(twoSplits(
      "\tsetAttr -s 5 \".e[0:4]\"  0.81220698 0.81220698 0.81220698 0.81220698\n\t\t 0.81220698;\n"
      "\tsetAttr -s 5 \".d[0:4]\"  -2147483648 -2147483645 -2147483646 -2147483647 -2147483648;\n",
      "\tsetAttr -s 5 \".e[0:4]\"  0.22543401 0.22543401 0.22543401 0.22543401\n\t\t 0.22543401;\n"
      "\tsetAttr -s 5 \".d[0:4]\"  -2147483648 -2147483645 -2147483646 -2147483647 -2147483648;\n"));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pCubeShape1", 16, 14);
  for (unsigned int k = 12; k < 16; ++k)
    EXPECT_NEAR(p[k].x, -0.5 + 0.22543401 * 0.81220698, 1e-6) << k;  // along e[0]'s part from x -0.5
  double low = 1, high = -1;
  for (int f : {1, 8, 12})
    for (int v : cornersOf("pCubeShape1", f)) {
      EXPECT_NEAR(p[static_cast<unsigned int>(v)].y, 0.5, 1e-9) << "face " << f;
      low = std::min(low, p[static_cast<unsigned int>(v)].x), high = std::max(high, p[static_cast<unsigned int>(v)].x);
    }
  EXPECT_NEAR(low, -0.5, 1e-9);
  EXPECT_NEAR(high, 0.5, 1e-9);

  // A loop on the cube's edges along x, then one on e[12] to e[15]: the parts
  // of those edges after the first loop's points, as Maya numbered them.
  problems = loadScene(twoSplits(splitPath({0, 1, 2, 3, 0}, {"0.8", "0.8", "0.8", "0.8", "0.8"}),
                                 splitPath({12, 13, 14, 15, 12}, {"0.5", "0.5", "0.5", "0.5", "0.5"})));
  expectAllEvaluated(problems);
  p = pointsWithCounts("pCubeShape1", 16, 14);
  for (unsigned int k = 12; k < 16; ++k)
    EXPECT_NEAR(p[k].x, 0.4, 1e-6) << k;
}

namespace {

// A 10-sided cylinder 1 high with one cap ring, as Maya lists its points,
// edges, faces and UVs, in an "Orig" shape feeding polySplit1 and polySplit2:
// points 0-9 round the bottom from 36 degrees on, 10-19 round the top, 20
// and 21 the caps' centres; edges the rings, the sides up, the spokes; faces
// the sides, the bottom's, the top's; UVs the bottom's, the side's two rows,
// the top's, the centres.
std::string splitCylinder(const std::string& first, const std::string& second) {
  std::ostringstream vt, ed, fc, uv;
  vt.precision(9);
  for (int ring = 0; ring < 2; ++ring)
    for (int i = 0; i < 10; ++i) {
      const double a = (i + 1) * 3.14159265358979 / 5;
      vt << " " << std::cos(a) << " " << (ring ? 0.5 : -0.5) << " " << -std::sin(a);
    }
  vt << " 0 -0.5 0 0 0.5 0";
  for (int ring = 0; ring < 2; ++ring)
    for (int i = 0; i < 10; ++i)
      ed << " " << 10 * ring + i << " " << 10 * ring + (i + 1) % 10 << " 0";
  for (int i = 0; i < 10; ++i)
    ed << " " << i << " " << 10 + i << " 1";
  for (int i = 0; i < 10; ++i)
    ed << " 20 " << i << " 1";
  for (int i = 0; i < 10; ++i)
    ed << " " << 10 + i << " 21 1";
  for (int i = 0; i < 44; ++i)
    uv << " " << (i % 11) / 10.0 << " " << (i / 11) / 4.0;
  for (int i = 0; i < 10; ++i)
    fc << " f 4 " << i << " " << 20 + (i + 1) % 10 << " " << -11 - i << " " << -21 - i << " mu 0 4 " << 10 + i << " "
       << 11 + i << " " << 22 + i << " " << 21 + i;
  for (int i = 0; i < 10; ++i)
    fc << " f 3 " << -1 - i << " " << -31 - i << " " << 30 + (i + 1) % 10 << " mu 0 3 " << (i + 1) % 10 << " " << i
       << " 42";
  for (int i = 0; i < 10; ++i)
    fc << " f 3 " << 10 + i << " " << 40 + (i + 1) % 10 << " " << -41 - i << " mu 0 3 " << 32 + (18 - i) % 10 << " "
       << 32 + (17 - i) % 10 << " 43";
  return "createNode transform -n \"pCylinder1\";\n"
         "createNode mesh -n \"pCylinderShape1\" -p \"pCylinder1\";\n"
         "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n\tsetAttr \".cuvs\" -type \"string\" \"map1\";\n"
         "createNode mesh -n \"pCylinderShape1Orig\" -p \"pCylinder1\";\n\tsetAttr \".io\" yes;\n"
         "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
         "\tsetAttr -s 44 \".uvst[0].uvsp[0:43]\" -type \"float2\"" + uv.str() + ";\n"
         "\tsetAttr \".cuvs\" -type \"string\" \"map1\";\n"
         "\tsetAttr -s 22 \".vt[0:21]\"" + vt.str() + ";\n"
         "\tsetAttr -s 50 \".ed[0:49]\"" + ed.str() + ";\n"
         "\tsetAttr -s 30 -ch 110 \".fc[0:29]\" -type \"polyFaces\"" + fc.str() + ";\n"
         "createNode polySplit -n \"polySplit1\";\n" + first + "createNode polySplit -n \"polySplit2\";\n" + second +
         "connectAttr \"pCylinderShape1Orig.w\" \"polySplit1.ip\";\nconnectAttr \"polySplit1.out\" \"polySplit2.ip\";\n"
         "connectAttr \"polySplit2.out\" \"pCylinderShape1.i\";\n";
}

}  // namespace

TEST_F(HostTest, SplitTwiceRoundACylinderGivesWhatMayaStored) {
  // Two loops up the sides (e[20] to e[29]) as a Maya scene holds them;
  // Maya stored the result as mesh data, whose numbers these are.
  const std::string sides = "\tsetAttr -s 11 \".d[0:10]\"  -2147483628 -2147483627 -2147483626 -2147483625 "
                            "-2147483624 -2147483623 \n\t\t-2147483622 -2147483621 -2147483620 -2147483619 -2147483628;\n";
  auto problems = loadScene(splitCylinder(
      "\tsetAttr -s 11 \".e[0:10]\"  0.73528898 0.73528898 0.73528898 0.73528898\n\t\t 0.73528898 0.73528898 "
      "0.73528898 0.73528898 0.73528898 0.73528898 0.73528898;\n" + sides,
      "\tsetAttr -s 11 \".e[0:10]\"  0.23084299 0.23084299 0.23084299 0.23084299\n\t\t 0.23084299 0.23084299 "
      "0.23084299 0.23084299 0.23084299 0.23084299 0.23084299;\n" + sides));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pCylinderShape1", 42, 50);
  EXPECT_NEAR(p[22].y, -0.5 + 0.73528898, 1e-6);
  EXPECT_NEAR(p[32].y, -0.5 + 0.23084299 * 0.73528898, 1e-6);
  MFnMesh mesh(path("pCylinderShape1"));
  EXPECT_EQ(mesh.numEdges(), 90);
  EXPECT_EQ(mesh.numUVs(), 66);
  EXPECT_EQ(cornersOf("pCylinderShape1", 0), (std::vector<int>{22, 23, 11, 10}));
  EXPECT_EQ(uvIdsOf("pCylinderShape1", 0), (std::vector<int>{45, 46, 22, 21}));
  EXPECT_EQ(cornersOf("pCylinderShape1", 9), (std::vector<int>{31, 22, 10, 19}));
  EXPECT_EQ(uvIdsOf("pCylinderShape1", 9), (std::vector<int>{54, 44, 31, 30}));
  EXPECT_EQ(cornersOf("pCylinderShape1", 30), (std::vector<int>{32, 33, 23, 22}));
  EXPECT_EQ(uvIdsOf("pCylinderShape1", 30), (std::vector<int>{56, 57, 46, 45}));
  EXPECT_EQ(cornersOf("pCylinderShape1", 39), (std::vector<int>{41, 32, 22, 31}));
  EXPECT_EQ(uvIdsOf("pCylinderShape1", 39), (std::vector<int>{65, 55, 44, 54}));
  EXPECT_EQ(cornersOf("pCylinderShape1", 40), (std::vector<int>{0, 1, 33, 32}));
  EXPECT_EQ(uvIdsOf("pCylinderShape1", 40), (std::vector<int>{10, 11, 57, 56}));
  expectEdges({{20, {0, 32}}, {50, {22, 10}}, {60, {22, 23}}, {69, {31, 22}}, {70, {32, 22}}, {89, {41, 32}}},
              "pCylinderShape1");
}

// Smoothing part of a mesh, as n069-naminerae-panthertankuvmap's pSphere2
// shows (polySmoothFace2 on 80 of a bridged sphere's 440 faces, and Maya's
// export of the result: every point and face away from the bridge's faces as
// Maya has them): face by face, the face's point and then those of its edges
// not yet divided follow the mesh's points; the quad about each face's first
// corner keeps its place and the others follow the mesh's faces, each quad
// from the point on its previous edge; the faces beside take the points of
// their divided edges as corners. Points on a face that is not divided stay,
// and so does the middle of an edge beside one; an edge between two divided
// faces is smoothed.
TEST_F(HostTest, SmoothFaceDividesPartOfTheMeshAsMaya) {
  const std::string part = "createNode polySmoothFace -n \"polySmoothFace1\";\n"
                           "\tsetAttr \".ics\" -type \"componentList\" 1 \"f[0:1]\";\n\tsetAttr \".sdt\" 2;\n"
                           "\tsetAttr \".suv\" yes;\n\tsetAttr \".m08\" yes;\n"
                           "connectAttr \"polyCube1.out\" \"polySmoothFace1.ip\";\n";
  auto problems = loadScene(cube(1, "", 2, part, "polySmoothFace1.out"));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pCubeShape1", 17, 12);
  expectPoint(p, 2, -1, 1, 1);      // on the top, divided, and the left, not: stays
  expectPoint(p, 8, 0, 0, 1);       // the front's centre
  expectPoint(p, 9, 0, -1, 1);      // (0 1), beside the bottom: its middle
  expectPoint(p, 11, 0, 0.75, 0.75);  // (3 2), between the front and the top: smoothed
  expectPoint(p, 13, 0, 1, 0);      // the top's centre, after the front's points
  expectPoint(p, 16, -1, 1, 0);     // (4 2), the top's last new edge
  EXPECT_EQ(cornersOf("pCubeShape1", 0), (std::vector<int>{12, 0, 9, 8}));
  EXPECT_EQ(cornersOf("pCubeShape1", 1), (std::vector<int>{16, 2, 11, 13}));
  EXPECT_EQ(cornersOf("pCubeShape1", 6), (std::vector<int>{9, 1, 10, 8}));
  EXPECT_EQ(cornersOf("pCubeShape1", 9), (std::vector<int>{11, 3, 14, 13}));
  EXPECT_EQ(cornersOf("pCubeShape1", 11), (std::vector<int>{15, 4, 16, 13}));
  EXPECT_EQ(cornersOf("pCubeShape1", 3), (std::vector<int>{6, 7, 1, 9, 0}));
  EXPECT_EQ(cornersOf("pCubeShape1", 4), (std::vector<int>{1, 7, 5, 14, 3, 10}));
  EXPECT_GT(signedVolume("pCubeShape1"), 0);

  // A mesh listing an edge no face walks (0 3, across the quad) is divided
  // all the same.
  problems = loadScene(
      "createNode transform -n \"pPlane1\";\ncreateNode mesh -n \"pPlaneShape1\" -p \"pPlane1\";\n"
      "createNode mesh -n \"pPlaneShape1Orig\" -p \"pPlane1\";\n\tsetAttr \".io\" yes;\n"
      "\tsetAttr -s 4 \".vt[0:3]\"  -0.5 0 0.5 0.5 0 0.5 -0.5 0 -0.5 0.5 0 -0.5;\n"
      "\tsetAttr -s 5 \".ed[0:4]\"  0 1 0 1 3 0 3 2 0 2 0 0 0 3 0;\n"
      "\tsetAttr \".fc[0]\" -type \"polyFaces\" f 4 0 1 2 3;\n"
      "createNode polySmoothFace -n \"polySmoothFace1\";\n\tsetAttr \".ics\" -type \"componentList\" 1 \"f[*]\";\n"
      "connectAttr \"pPlaneShape1Orig.w\" \"polySmoothFace1.ip\";\n"
      "connectAttr \"polySmoothFace1.out\" \"pPlaneShape1.i\";\n");
  expectAllEvaluated(problems);
  pointsWithCounts("pPlaneShape1", 9, 4);

  // More than one division of part of the mesh is not evaluated.
  std::string twice = part;
  twice.insert(twice.find("\tsetAttr \".sdt\""), "\tsetAttr \".dv\" 2;\n");
  expectSaid(cube(1, "", 2, twice, "polySmoothFace1.out"), "it smooths part of the mesh more than once", "pCubeShape1",
             8, 6);
}

// Maya's numbering of one division, as its exports of whole meshes smoothed
// once show (c008-ballred95-speedbike's polySurface14, c025-damaryllis-
// jackolanter-export's pCylinder1: every point and face in Maya's order) and
// as c025's pSphere1 shows for edges (two polySplits on the smoothed sphere
// whose new points all land on Maya's): the mesh's points, then one per edge
// in the order the faces first walk them, turned on by the count of faces,
// then one per face; each quad face's four quads turned as the cells of a
// grid, a triangle's not; each old edge's halves, then each face's inner
// edges in the order its quads walk them.
TEST_F(HostTest, SmoothFaceNumbersPointsFacesAndEdgesAsMaya) {
  // The cube's 12 edges walked from the front face: (0 1) first, so its
  // point is 8 + (0 + 6) % 12; the front face's centre is 8 + 12 + 0.
  loadScene(cube(1, "", 2, smoothing(""), "polySmoothFace1.out"));
  MPointArray p = pointsWithCounts("pCubeShape1", 26, 24);
  expectPoint(p, 8, -0.75, 0.75, 0);  // the seventh edge walked, (4 2), wraps round to the first place
  expectPoint(p, 9, 0.75, 0, -0.75);  // then (5 7)
  expectPoint(p, 25, -1, 0, 0);       // the last face's centre
  EXPECT_EQ(cornersOf("pCubeShape1", 0), (std::vector<int>{0, 14, 20, 17}));
  EXPECT_EQ(cornersOf("pCubeShape1", 1), (std::vector<int>{14, 1, 15, 20}));
  EXPECT_EQ(cornersOf("pCubeShape1", 2), (std::vector<int>{20, 15, 3, 16}));
  EXPECT_EQ(cornersOf("pCubeShape1", 3), (std::vector<int>{17, 20, 16, 2}));
  EXPECT_EQ(MFnMesh(path("pCubeShape1")).numEdges(), 48);
  // e[0] (0 1) and e[1] (2 3) in halves; the front face's inner edges.
  expectEdges({{0, {0, 14}}, {1, {14, 1}}, {2, {2, 16}}, {3, {16, 3}}, {24, {14, 20}}, {25, {20, 17}},
               {26, {15, 20}}, {27, {16, 20}}});

  // A cut across the front face's top-right quad, a quarter along the
  // half-edge 3 (16 to 3) and the inner edge 26 (15 to the centre): Maya's
  // edge numbers name the quad's sides, each from its first point.
  loadScene(cube(1, "", 2,
                 smoothing("") + "createNode polySplit -n \"polySplit1\";\n" + splitPath({3, 26}, {"0.25", "0.25"}) +
                     "connectAttr \"polySmoothFace1.out\" \"polySplit1.ip\";\n",
                 "polySplit1.out"));
  p = pointsWithCounts("pCubeShape1", 28, 25);
  expectPoint(p, 26, 0.25 * 5 / 9, 0.75 + 0.25 * (5 / 9.0 - 0.75), 0.75 + 0.25 * (5 / 9.0 - 0.75));
  expectPoint(p, 27, 0.5625, 0, 0.8125);
}

// A path of one point: on an edge it divides the edge there (the node
// reference's edgepoint: "the given edge is split into two new edges by
// inserting a new vertex"); at an end of the edge it changes nothing, as
// c047-maddokev108-jeep's loftedSurface39 shows (polySplit27, one point at
// 1 along e[19]: Maya's export is the mesh before it).
TEST_F(HostTest, SplitOfOnePointDividesItsEdgeOrLeavesTheMesh) {
  auto problems = loadScene(splitCube(splitPath({0}, {"0.25"})));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pCubeShape1", 9, 6);
  expectPoint(p, 8, -0.25, -0.5, 0.5);
  EXPECT_EQ(cornersOf("pCubeShape1", 0), (std::vector<int>{0, 8, 1, 3, 2}));
  EXPECT_EQ(cornersOf("pCubeShape1", 3), (std::vector<int>{6, 7, 1, 8, 0}));
  EXPECT_EQ(MFnMesh(path("pCubeShape1")).numEdges(), 13);
  expectEdges({{0, {0, 8}}, {12, {8, 1}}});

  for (const char* end : {"0", "1"}) {
    problems = loadScene(splitCube(splitPath({0}, {end})));
    expectAllEvaluated(problems);
    pointsWithCounts("pCubeShape1", 8, 6);
    EXPECT_EQ(cornersOf("pCubeShape1", 0), (std::vector<int>{0, 1, 3, 2})) << end;
  }
}

// Points inside a face, as c025-damaryllis-jackolanter-export's polySplit3
// to polySplit6 hold them (desc naming one of `vertices`, the object-space
// place; edge the face): numbered with the edge points in path order, they
// lie on the cut through the face, and the cut's edges follow in path order.
// The next polySplits there name those edges, and every new point of the
// four lands on one of Maya's export.
TEST_F(HostTest, SplitThroughAPointInsideAFaceCutsAlongIt) {
  auto problems = loadScene(splitCube("\tsetAttr -s 1 \".v[0]\" -type \"float3\"  0.25 0 0.5;\n"
                                      "\tsetAttr -s 3 \".e[0:2]\"  0.5 0 0.5;\n"
                                      "\tsetAttr -s 3 \".d[0:2]\"  -2147483648 0 -2147483647;\n"));
  EXPECT_TRUE(mentions(problems, "(polySplit): the UVs of its points inside faces are mayahost's")) << joined(problems);
  MPointArray p = pointsWithCounts("pCubeShape1", 11, 7);
  expectPoint(p, 8, 0, -0.5, 0.5);
  expectPoint(p, 9, 0.25, 0, 0.5);
  expectPoint(p, 10, 0, 0.5, 0.5);
  EXPECT_EQ(cornersOf("pCubeShape1", 0), (std::vector<int>{8, 9, 10, 2, 0}));
  EXPECT_EQ(cornersOf("pCubeShape1", 6), (std::vector<int>{1, 3, 10, 9, 8}));
  EXPECT_EQ(MFnMesh(path("pCubeShape1")).numEdges(), 16);
  expectEdges({{14, {8, 9}}, {15, {9, 10}}});
  EXPECT_EQ(cornerUVid(0, 1), cornerUVid(6, 3));  // one UV for the point, shared by both parts
}

TEST_F(HostTest, SplitWithPointsItCannotPlaceLeavesTheMeshFromUpstream) {
  const std::string notEvaluated = "(polySplit) is not evaluated (";
  expectSaid(splitCube(splitPath({0, 40}, {"0.5", "0.5"})),
             notEvaluated + "its point 1 (desc -2147483608) names no edge of the mesh (which has 12))", "pCubeShape1",
             8, 6);
  expectSaid(splitCube("\tsetAttr -s 2 \".e[0:1]\"  0.5 0.5;\n\tsetAttr -s 2 \".d[0:1]\"  3 -2147483647;\n"),
             notEvaluated + "its point 0 (desc 3) names no edge", "pCubeShape1", 8, 6);
  for (const char* bad : {"nan", "1.5", "-0.25"})
    expectSaid(splitCube(splitPath({0, 1}, {"0.5", bad})),
               notEvaluated + "its point 1 has no fraction between 0 and 1 along its edge)", "pCubeShape1", 8, 6);
  // e[0] (front bottom) and e[2] (back top) have no face in common.
  expectSaid(splitCube(splitPath({0, 2}, {"0.5", "0.5"})), notEvaluated + "its points 0 and 1 share no face)",
             "pCubeShape1", 8, 6);
  expectSaid(splitCube(splitPath({0, 0}, {"0.5", "0.5"})), notEvaluated + "its points 0 and 1 are one point)",
             "pCubeShape1", 8, 6);
  expectSaid(splitCube(""), notEvaluated + "it names no point)", "pCubeShape1", 8, 6);
  // Points inside faces: one past the faces, one where a path starts.
  const std::string inside = "\tsetAttr -s 1 \".v[0]\" -type \"float3\"  0 0 0.5;\n";
  expectSaid(splitCube(inside + "\tsetAttr -s 3 \".e[0:2]\"  0.5 6 0.5;\n"
                                "\tsetAttr -s 3 \".d[0:2]\"  -2147483648 0 -2147483647;\n"),
             notEvaluated + "its point 1 (desc 0) names no face of the mesh (which has 6) and place in it)", "pCubeShape1",
             8, 6);
  expectSaid(splitCube(inside + "\tsetAttr -s 2 \".e[0:1]\"  0 0.5;\n\tsetAttr -s 2 \".d[0:1]\"  0 -2147483647;\n"),
             notEvaluated + "its first point lies inside a face, not on an edge)", "pCubeShape1", 8, 6);
  const std::string across = splitPath({0, 1}, {"0.5", "0.5"});
  expectSaid(splitCube(across + "\tsetAttr \".s\" 3;\n"), notEvaluated + "it divides its cuts", "pCubeShape1", 8, 6);
  expectSaid(splitCube(across + "\tsetAttr \".de\" yes;\n"), notEvaluated + "it detaches the cut edges", "pCubeShape1",
             8, 6);
  // Edge flow would bend the points off the edges: they stay on them, and that is said.
  expectSaid(splitCube(across + "\tsetAttr \".ief\" yes;\n"), "its edge flow is left out", "pCubeShape1", 10, 7);
  // Points by face, triangle and barycentric coordinates, as older versions saved them.
  expectSaid(splitCube("\tsetAttr -s 2 \".sps[0].sp\";\n\tsetAttr \".sps[0].sp[0].f\" 2;\n"
                       "\tsetAttr \".sps[0].sp[0].t\" 1;\n\tsetAttr \".sps[0].sp[0].bc\" -type \"double3\" 0 1 0 ;\n"
                       "\tsetAttr \".sps[0].sp[1].f\" 5;\n\tsetAttr \".sps[0].sp[1].bc\" -type \"double3\" 1 0 0 ;\n"),
             notEvaluated + "its points are given by face, triangle and barycentric coordinates (splitPoints)", "pCubeShape1", 8,
             6);
}

namespace {

// The plane cut into triangles, then `next` (a node reading "polyTriangulate1.out") to the shape:
// faces 0-3 are the quads' first triangles ((0 1 4), (1 2 5), (3 4 7), (4 5 8)), 4-7 their second.
std::string triangulatedPlane(const std::string& before, const std::string& next, const std::string& last) {
  return plane(before + "createNode polyTriangulate -n \"polyTriangulate1\";\n"
                        "\tsetAttr \".ics\" -type \"componentList\" 1 \"f[*]\";\n"
                        "connectAttr \"" +
                   (before.empty() ? std::string("polyPlane1.out") : "polyTweak1.out") +
                   "\" \"polyTriangulate1.ip\";\n" + next,
               last);
}

std::string quad(const std::string& faces, const std::string& settings, const std::string& input) {
  return "createNode polyQuad -n \"polyQuad1\";\n\tsetAttr \".uopa\" yes;\n\tsetAttr \".ics\" -type \"componentList\" " +
         faces + ";\n\tsetAttr \".ix\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n" + settings +
         "connectAttr \"" + input + "\" \"polyQuad1.ip\";\n";
}

int faceCount(const char* shape) { return MFnMesh(HostTest::path(shape)).numPolygons(); }

}  // namespace

TEST_F(HostTest, QuadJoinsTrianglePairsIntoTheSquarestQuads) {
  // The triangulated plane gives its quads back, not the parallelograms across them.
  auto problems =
      loadScene(triangulatedPlane("", quad("1 \"f[0:7]\"", "", "polyTriangulate1.out"), "polyQuad1.out"));
  expectAllEvaluated(problems);
  pointsWithCounts("pPlaneShape1", 9, 4);
  EXPECT_EQ(cornersOf("pPlaneShape1", 0), (std::vector<int>{0, 1, 4, 3}));
  EXPECT_EQ(cornersOf("pPlaneShape1", 1), (std::vector<int>{1, 2, 5, 4}));
  EXPECT_EQ(cornersOf("pPlaneShape1", 3), (std::vector<int>{4, 5, 8, 7}));
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 9);
  loadScene(triangulatedPlane("", quad("1 \"f[0:7]\"", "\tsetAttr \".a\" 0;\n", "polyTriangulate1.out"), "polyQuad1.out"));
  EXPECT_EQ(faceCount("pPlaneShape1"), 4);  // co-planar triangles join at angle 0

  // The middle point raised by 0.5: each quad's triangles meet at 60 or 54.7 degrees, more than 30.
  const std::string raised = "createNode polyTweak -n \"polyTweak1\";\n\tsetAttr \".uopa\" yes;\n"
                             "\tsetAttr \".tk[4]\" -type \"float3\" 0 0.5 0;\nconnectAttr \"polyPlane1.out\" \"polyTweak1.ip\";\n";
  loadScene(triangulatedPlane(raised, quad("1 \"f[0:7]\"", "", "polyTriangulate1.out"), "polyQuad1.out"));
  EXPECT_EQ(faceCount("pPlaneShape1"), 8);

  // A UV cut along face 0's diagonal (edge 0-4, e[2]) keeps that pair apart while keepTextureBorders is on.
  const std::string cut = "createNode polyMapCut -n \"polyMapCut1\";\n\tsetAttr \".ics\" -type \"componentList\" 1 "
                          "\"e[2]\";\nconnectAttr \"polyTriangulate1.out\" \"polyMapCut1.ip\";\n";
  loadScene(triangulatedPlane("", cut + quad("1 \"f[*]\"", "", "polyMapCut1.out"), "polyQuad1.out"));
  EXPECT_EQ(faceCount("pPlaneShape1"), 5);
  EXPECT_EQ(cornersOf("pPlaneShape1", 0), (std::vector<int>{0, 1, 4}));
  loadScene(triangulatedPlane("", cut + quad("1 \"f[*]\"", "\tsetAttr \".ktb\" no;\n", "polyMapCut1.out"),
                              "polyQuad1.out"));
  EXPECT_EQ(faceCount("pPlaneShape1"), 4);

  // Only the first triangles listed: kept apart with keepGroupBorder, joined to their partners without it.
  loadScene(triangulatedPlane("", quad("1 \"f[0:3]\"", "", "polyTriangulate1.out"), "polyQuad1.out"));
  EXPECT_EQ(faceCount("pPlaneShape1"), 8);
  loadScene(triangulatedPlane("", quad("1 \"f[0:3]\"", "\tsetAttr \".kgb\" no;\n", "polyTriangulate1.out"),
                              "polyQuad1.out"));
  EXPECT_EQ(faceCount("pPlaneShape1"), 4);

  // An angle that is not a number, a face past the mesh.
  expectSaid(triangulatedPlane("", quad("1 \"f[*]\"", "\tsetAttr \".a\" nan;\n", "polyTriangulate1.out"),
                               "polyQuad1.out"),
             "(polyQuad) is not evaluated (a value is not a number)", "pPlaneShape1", 9, 8);
  expectSaid(triangulatedPlane("", quad("2 \"f[0:7]\" \"f[12]\"", "", "polyTriangulate1.out"), "polyQuad1.out"),
             "(polyQuad): its components \"f[12]\" name no face of the mesh (which has 8)", "pPlaneShape1", 9, 4);
}

TEST_F(HostTest, DelEdgeJoinsTheFacesBesideEachEdgeAndCleansWingedVertices) {
  // e[3] (1-4) joins faces 0 and 1, then e[7] (5-4) joins that face and face 3, which the first join took in.
  const std::string scene = planeNode("polyDelEdge", "\tsetAttr \".ics\" -type \"componentList\" 2 \"e[3]\" \"e[7]\";\n");
  auto problems = loadScene(scene);
  expectAllEvaluated(problems);
  pointsWithCounts("pPlaneShape1", 9, 2);
  EXPECT_EQ(cornersOf("pPlaneShape1", 0), (std::vector<int>{0, 1, 2, 5, 8, 7, 4, 3}));
  EXPECT_EQ(cornersOf("pPlaneShape1", 1), (std::vector<int>{3, 4, 7, 6}));
  loadScene(plane(deletion("2 \"e[3]\" \"e[7]\""), "deleteComponent1.og"));
  EXPECT_EQ(cornersOf("pPlaneShape1", 0), (std::vector<int>{0, 1, 2, 5, 8, 7, 4, 3}));

  // The middle column (e[3], e[8]) with cleanVertices: points 1, 4 and 7 are left with two edges and go.
  problems = loadScene(planeNode("polyDelEdge", "\tsetAttr \".ics\" -type \"componentList\" 2 \"e[3]\" \"e[8]\";\n"
                                                "\tsetAttr \".cv\" yes;\n"));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pPlaneShape1", 6, 2);
  EXPECT_EQ(cornersOf("pPlaneShape1", 0), (std::vector<int>{0, 1, 3, 2}));
  EXPECT_EQ(cornersOf("pPlaneShape1", 1), (std::vector<int>{2, 3, 5, 4}));
  expectPoint(p, 1, 0.5, 0, 0.5);
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 6);

  // A border edge stays; an edge past the mesh is said.
  expectSaid(planeNode("polyDelEdge", "\tsetAttr \".ics\" -type \"componentList\" 2 \"e[0]\" \"e[30]\";\n"),
             "(polyDelEdge): its components \"e[30]\" name no edge of the mesh (which has 12) and are left out; 1 of its "
             "edges do not lie between two faces and are kept",
             "pPlaneShape1", 9, 4);
}

namespace {

// The plane split along its middle column (e[1], e[7]), then `sew` (a node reading "polySplitEdge1.out").
std::string splitPlane(const std::string& split, const std::string& sew, const std::string& last) {
  return plane("createNode polySplitEdge -n \"polySplitEdge1\";\n\tsetAttr \".ics\" -type \"componentList\" 2 \"e[3]\" "
               "\"e[8]\";\n" + split + "connectAttr \"polyPlane1.out\" \"polySplitEdge1.ip\";\n" + sew,
               last);
}

std::string sewing(const std::string& edges, const std::string& settings) {
  return "createNode polySewEdge -n \"polySewEdge1\";\n\tsetAttr \".ics\" -type \"componentList\" " + edges +
         ";\n\tsetAttr \".ix\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n" + settings +
         "connectAttr \"polySplitEdge1.out\" \"polySewEdge1.ip\";\n";
}

}  // namespace

TEST_F(HostTest, SplitEdgePartsFacesAndSewEdgeJoinsThemAgain) {
  // Points 1, 4 and 7 copied for the right half (faces 1 and 3), after the mesh's points.
  auto problems = loadScene(splitPlane("", "", "polySplitEdge1.out"));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pPlaneShape1", 12, 4);
  EXPECT_EQ(cornersOf("pPlaneShape1", 0), (std::vector<int>{0, 1, 4, 3}));
  EXPECT_EQ(cornersOf("pPlaneShape1", 1), (std::vector<int>{9, 2, 5, 10}));
  EXPECT_EQ(cornersOf("pPlaneShape1", 3), (std::vector<int>{10, 5, 8, 11}));
  expectPoint(p, 9, 0, 0, 0.5);
  expectPoint(p, 11, 0, 0, -0.5);
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 12);

  // The split's borders sewn back (e[1] with e[7], e[8] with e[13]): the plane again, its UVs too.
  const std::string both = "4 \"e[1]\" \"e[7]\" \"e[8]\" \"e[13]\"";
  problems = loadScene(splitPlane("", sewing(both, ""), "polySewEdge1.out"));
  expectAllEvaluated(problems);
  pointsWithCounts("pPlaneShape1", 9, 4);
  EXPECT_EQ(cornersOf("pPlaneShape1", 1), (std::vector<int>{1, 2, 5, 4}));
  EXPECT_EQ(cornersOf("pPlaneShape1", 3), (std::vector<int>{4, 5, 8, 7}));
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 9);
  loadScene(splitPlane("", sewing(both, "\tsetAttr \".tx\" no;\n"), "polySewEdge1.out"));
  pointsWithCounts("pPlaneShape1", 9, 4);
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 12);

  // One pair listed: only its points merge. Right half moved 0.25 along X: sewn within a tolerance of 0.3 only.
  loadScene(splitPlane("", sewing("2 \"e[1]\" \"e[7]\"", ""), "polySewEdge1.out"));
  pointsWithCounts("pPlaneShape1", 10, 4);
  const std::string moved = "createNode polyTweak -n \"polyTweak1\";\n\tsetAttr \".uopa\" yes;\n"
                            "\tsetAttr -s 2 \".tk[9:10]\" -type \"float3\" 0.25 0 0  0.25 0 0;\n"
                            "connectAttr \"polySplitEdge1.out\" \"polyTweak1.ip\";\n";
  std::string far = splitPlane("", moved + sewing("2 \"e[1]\" \"e[7]\"", "\tsetAttr \".t\" 0.2;\n"), "polySewEdge1.out");
  far.replace(far.find("\"polySplitEdge1.out\" \"polySewEdge1.ip\""), 20, "\"polyTweak1.out\"");
  loadScene(far);
  pointsWithCounts("pPlaneShape1", 12, 4);
  far.replace(far.find("\".t\" 0.2"), 8, "\".t\" 0.3");
  loadScene(far);
  expectPoint(pointsWithCounts("pPlaneShape1", 10, 4), 1, 0, 0, 0.5);  // the lower point keeps its place

  // Bad values: splitting non-manifold edges, a tolerance that is not a number, an edge past the mesh.
  expectSaid(splitPlane("\tsetAttr \".op\" 0;\n", "", "polySplitEdge1.out"),
             "is not evaluated (it splits non-manifold edges (operation 0), which the host does not evaluate)",
             "pPlaneShape1", 9, 4);
  expectSaid(splitPlane("", sewing(both, "\tsetAttr \".t\" nan;\n"), "polySewEdge1.out"),
             "(polySewEdge) is not evaluated (a value is not a number)", "pPlaneShape1", 12, 4);
  expectSaid(splitPlane("", sewing("2 \"e[1]\" \"e[70]\"", ""), "polySewEdge1.out"),
             "(polySewEdge): its components \"e[70]\" name no edge of the mesh (which has 14)", "pPlaneShape1", 12, 4);
}

TEST_F(HostTest, ConnectComponentsCutsFacesBetweenListedEdgesAndVertices) {
  // e[0] (0-1) and e[5] (4-3) of face 0: their middles, points 9 and 10, joined across it; face 2 takes 10 too.
  auto problems =
      loadScene(planeNode("polyConnectComponents", "\tsetAttr \".ics\" -type \"componentList\" 2 \"e[0]\" \"e[5]\";\n"));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pPlaneShape1", 11, 5);
  expectPoint(p, 9, -0.25, 0, 0.5);
  expectPoint(p, 10, -0.25, 0, 0);
  EXPECT_EQ(cornersOf("pPlaneShape1", 0), (std::vector<int>{0, 9, 10, 3}));
  EXPECT_EQ(cornersOf("pPlaneShape1", 4), (std::vector<int>{9, 1, 4, 10}));
  EXPECT_EQ(cornersOf("pPlaneShape1", 2), (std::vector<int>{3, 10, 4, 7, 6}));
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 11);

  // Two opposite corners of face 0 cut it along its diagonal; two corners an edge apart cut nothing.
  loadScene(planeNode("polyConnectComponents", "\tsetAttr \".ics\" -type \"componentList\" 2 \"vtx[0]\" \"vtx[4]\";\n"));
  pointsWithCounts("pPlaneShape1", 9, 5);
  EXPECT_EQ(cornersOf("pPlaneShape1", 0), (std::vector<int>{0, 4, 3}));
  EXPECT_EQ(cornersOf("pPlaneShape1", 4), (std::vector<int>{0, 1, 4}));
  loadScene(planeNode("polyConnectComponents", "\tsetAttr \".ics\" -type \"componentList\" 1 \"vtx[0:1]\";\n"));
  pointsWithCounts("pPlaneShape1", 9, 4);

  // Faces are not connected; components past the mesh are said and left out.
  expectSaid(planeNode("polyConnectComponents", "\tsetAttr \".ics\" -type \"componentList\" 1 \"f[0:1]\";\n"),
             "(polyConnectComponents) is not evaluated (it connects faces, which the host does not evaluate)",
             "pPlaneShape1", 9, 4);
  expectSaid(planeNode("polyConnectComponents",
                       "\tsetAttr \".ics\" -type \"componentList\" 3 \"vtx[0]\" \"vtx[4]\" \"e[40]\";\n"),
             "(polyConnectComponents): its components \"e[40]\" name no edge or vertex of the mesh and are left out",
             "pPlaneShape1", 9, 5);
}

namespace {

// The plane without face 0, then polyAppend1 along the border edges `desc` names (as Maya saves them).
std::string appended(const std::string& desc, const std::string& settings) {
  return plane(deletion("1 \"f[0]\"") + "createNode polyAppend -n \"polyAppend1\";\n\tsetAttr " + desc + ";\n" +
                   settings + "connectAttr \"deleteComponent1.og\" \"polyAppend1.ip\";\n",
               "polyAppend1.out");
}

}  // namespace

TEST_F(HostTest, AppendAddsAFaceAlongBorderEdges) {
  // Without face 0 the plane's points 1..8 are 0..7 and its edges keep their order less the two only
  // face 0 had; the notch's border edges e[1] (0-3) and e[3] (2-3), each walked against its face, make
  // the triangle 0 3 2, facing up as the plane does.
  auto problems = loadScene(appended("-s 2 \".d[0:1]\"  -2147483647 -2147483645", "\tsetAttr \".tx\" 1;\n"));
  expectAllEvaluated(problems);
  pointsWithCounts("pPlaneShape1", 8, 4);
  EXPECT_EQ(cornersOf("pPlaneShape1", 3), (std::vector<int>{0, 3, 2}));
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 8 + 3);
  loadScene(appended("-s 2 \".d[0:1]\"  -2147483647 -2147483645", ""));
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 8);

  // An edge between two faces, a new point, no edges at all.
  for (const auto& [desc, said] : std::vector<std::pair<std::string, std::string>>{
           {"-s 2 \".d[0:1]\"  -2147483643 -2147483645", "(its descriptor 0 names no border edge of the mesh)"},
           {"-s 2 \".d[0:1]\"  -2147483647 0", "(it appends new points, which the host does not evaluate)"},
           {"\".tx\" 1", "(its desc list names no edges)"}})
    expectSaid(appended(desc, ""), said, "pPlaneShape1", 8, 3);
}

namespace {

// The plane without face 0, then polyAppendVertex1 through the points `desc`
// names, its new points `points`, as Maya saves them (the fish scenes).
std::string appendedThrough(const std::string& desc, const std::string& points) {
  return plane(deletion("1 \"f[0]\"") + "createNode polyAppendVertex -n \"polyAppendVertex1\";\n\tsetAttr \".uopa\" yes;\n" +
                   points + "\tsetAttr " + desc + ";\n\tsetAttr \".tx\" 2;\n" +
                   "connectAttr \"deleteComponent1.og\" \"polyAppendVertex1.ip\";\n",
               "polyAppendVertex1.out");
}

}  // namespace

TEST_F(HostTest, AppendVertexAddsAFaceThroughPointsOldAndNew) {
  // The points in the order listed, starting at the last, the new one (-1)
  // after the mesh's: the face 8 0 3 comes last, with UVs of its own
  // (c026-devynbrunker-blocked-robot-updated: desc -1 2 1 -1 gives Maya's
  // face 5 4 2 1, and its edge 1-5 is the e[6] the next polyExtrudeEdge names).
  auto problems = loadScene(
      appendedThrough("-s 3 \".d[0:2]\"  0 3 -1", "\tsetAttr -s 1 \".v[0]\" -type \"float3\"  -0.25 0 -0.25 ;\n"));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("pPlaneShape1", 9, 4);
  expectPoint(p, 8, -0.25, 0, -0.25);
  EXPECT_EQ(cornersOf("pPlaneShape1", 3), (std::vector<int>{8, 0, 3}));
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 8 + 3);

  // A point the mesh does not have, more new points than given, too few corners.
  for (const auto& [desc, said] : std::vector<std::pair<std::string, std::string>>{
           {"-s 3 \".d[0:2]\"  0 3 40", "(its descriptor 2 names no point of the mesh (holes are not evaluated))"},
           {"-s 3 \".d[0:2]\"  0 -1 -1", "(its descriptors name more new points than it holds)"},
           {"-s 2 \".d[0:1]\"  0 3", "(its descriptors make a face of fewer than three corners)"}})
    expectSaid(appendedThrough(desc, ""), said, "pPlaneShape1", 8, 3);
}
