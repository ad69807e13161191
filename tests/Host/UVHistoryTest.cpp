// UV construction history as Maya writes it into Maya ASCII scenes:
// projections, flips, sew-moves, automatic projections and layouts.
#include "HistoryScene.h"
#include "HostSession.h"

#include <maya/MFloatArray.h>
#include <maya/MIntArray.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

using namespace HistoryScene;

namespace {

const char* const kIdentity = "1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1";
const std::string kIdentityInput = std::string("\tsetAttr \".ix\" -type \"matrix\" ") + kIdentity + ";\n";

// The creation node "poly<Kind>1" feeding `history`, whose plug `last` drives the shape.
std::string uvScene(const std::string& kind, const std::string& settings, const std::string& history,
                    const std::string& last) {
  std::string scene = creatorScene(kind, settings);
  const std::string link = "connectAttr \"poly" + kind + "1.out\" \"p" + kind + "Shape1.i\";\n";
  scene.replace(scene.find(link), link.size(),
                history + "connectAttr \"" + last + "\" \"p" + kind + "Shape1.i\";\n");
  return scene;
}

// A node taking the creation node's mesh, as Maya writes a UV modifier.
std::string uvNode(const std::string& kind, const char* type, const std::string& components,
                   const std::string& settings) {
  std::string name = std::string(type) + "1";
  return "createNode " + std::string(type) + " -n \"" + name + "\";\n\tsetAttr \".uopa\" yes;\n" +
         "\tsetAttr \".ics\" -type \"componentList\" " + components + ";\n" + settings + "connectAttr \"poly" +
         kind + "1.out\" \"" + name + ".ip\";\n";
}

// polyPlanarProj1 on a one-quad plane (1 by 1 on XZ) whose object sits 5 up:
// seen from above, u along X and v along -Z, the quad filling the unit square.
std::string planarScene(const std::string& components, const std::string& settings) {
  return uvScene("Plane", "\tsetAttr \".sw\" 1;\n\tsetAttr \".sh\" 1;\n\tsetAttr \".cuv\" 2;\n",
                 uvNode("Plane", "polyPlanarProj", components,
                        "\tsetAttr \".ix\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 5 0 1;\n"
                        "\tsetAttr \".ws\" yes;\n\tsetAttr \".pc\" -type \"double3\" 0 5 0 ;\n"
                        "\tsetAttr \".ro\" -type \"double3\" -90 0 0 ;\n" +
                            settings + "\tsetAttr \".cam\" -type \"matrix\" " + kIdentity + ";\n") +
                     "connectAttr \"pPlaneShape1.wm\" \"polyPlanarProj1.mp\";\n",
                 "polyPlanarProj1.out");
}

// The UV of the face-vertex of `face` at the point (x, y, z).
std::pair<float, float> uvAt(const char* shape, int face, double x, double y, double z) {
  MFnMesh mesh(HostTest::path(shape));
  MPointArray points = pointsOf(shape);
  MIntArray vertices;
  mesh.getPolygonVertices(face, vertices);
  for (unsigned int k = 0; k < vertices.length(); ++k)
    if (distance(points[static_cast<unsigned int>(vertices[k])], MPoint(x, y, z)) < 1e-9) {
      float u = -99, v = -99;
      EXPECT_EQ(mesh.getPolygonUV(face, static_cast<int>(k), u, v), MStatus::kSuccess);
      return {u, v};
    }
  ADD_FAILURE() << "face " << face << " has no corner at " << x << " " << y << " " << z;
  return {-99.0f, -99.0f};
}

void expectUV(const std::pair<float, float>& uv, double u, double v) {
  EXPECT_NEAR(uv.first, u, 1e-5);
  EXPECT_NEAR(uv.second, v, 1e-5);
}

// Every face-vertex's UV, face by face.
std::vector<std::pair<float, float>> allCornerUVs(const char* shape) {
  MFnMesh mesh(HostTest::path(shape));
  std::vector<std::pair<float, float>> out;
  for (int f = 0; f < mesh.numPolygons(); ++f) {
    MIntArray vertices;
    mesh.getPolygonVertices(f, vertices);
    for (unsigned int k = 0; k < vertices.length(); ++k) {
      float u = 0, v = 0;
      mesh.getPolygonUV(f, static_cast<int>(k), u, v);
      out.emplace_back(u, v);
    }
  }
  return out;
}

void expectFound(const std::vector<std::string>& problems, const std::string& text) {
  EXPECT_NE(joined(problems).find(text), std::string::npos) << joined(problems);
}

}  // namespace

TEST_F(HostTest, PlanarProjectionPlacesTheQuadAndItsImage) {
  auto problems = loadScene(planarScene("1 \"f[0]\"", "\tsetAttr \".ps\" -type \"double2\" 1 1 ;\n"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 4);
  expectUV(uvAt("pPlaneShape1", 0, -0.5, 0, 0.5), 0, 0);
  expectUV(uvAt("pPlaneShape1", 0, 0.5, 0, 0.5), 1, 0);
  expectUV(uvAt("pPlaneShape1", 0, 0.5, 0, -0.5), 1, 1);

  // Half the width across, the image centred at (0.25, 0.75), scaled (0.5, 2) and turned 90 degrees:
  // (0.5, 0, 0.5) is (1, -0.5) on the plane, (-0.5, -1) once turned clockwise, then (0, -1.25).
  problems = loadScene(planarScene("1 \"f[0]\"", "\tsetAttr \".ic\" -type \"double2\" 0.25 0.75 ;\n"
                                                 "\tsetAttr \".ra\" 90;\n"
                                                 "\tsetAttr \".ps\" -type \"double2\" 0.5 1 ;\n"
                                                 "\tsetAttr \".is\" -type \"double2\" 0.5 2 ;\n"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  expectUV(uvAt("pPlaneShape1", 0, 0.5, 0, 0.5), 0, -1.25);
  expectUV(uvAt("pPlaneShape1", 0, -0.5, 0, -0.5), 0.5, 2.75);
}

// The quad seen through a camera above it whose depth grows towards +Z
// (clip x = x, y = -z, w = y + z / 2), in a viewport 200 by 100 pixels.
std::string cameraScene(const std::string& settings) {
  std::string scene = planarScene("1 \"f[0]\"", "\tsetAttr \".ps\" -type \"double2\" 1 1 ;\n\tsetAttr \".per\" yes;\n" +
                                                    settings);
  const std::string identity = std::string("\tsetAttr \".cam\" -type \"matrix\" ") + kIdentity + ";\n";
  scene.replace(scene.find(identity), identity.size(),
                "\tsetAttr \".cam\" -type \"matrix\" 1 0 0 0 0 0 0 1 0 -1 0 0.5 0 0 0 0;\n"
                "\tsetAttr \".prgt\" 200;\n\tsetAttr \".ptop\" 100;\n");
  return scene;
}

TEST_F(HostTest, PerspectiveProjectionFitsThePointsAsTheCameraSeesThemIntoTheUnitSquare) {
  // Maya's camera projection leaves the projection box aside: the points seen
  // through the camera, in pixels, their bounds' lower left at (0, 0) and
  // their wider extent across the square. Pairs n027 (pCylinder2, a cylinder
  // moved after its projection, so seen as its inputMatrix placed it) and c068
  // (pPlane1, 8, 9, 10, 13) settled it: their UVs less their polyTweakUV's
  // offsets are those of every corner to within float precision.
  // Here the near edge (z = -0.5, 4.75 away) looks wider than the far one
  // (5.25 away): 21/19 by 2/19 of the viewport's half against 20/21 by 2/21.
  auto problems = loadScene(cameraScene(""));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 4);
  expectUV(uvAt("pPlaneShape1", 0, -0.5, 0, 0.5), 1.0 / 21, 0);
  expectUV(uvAt("pPlaneShape1", 0, 0.5, 0, 0.5), 20.0 / 21, 0);
  expectUV(uvAt("pPlaneShape1", 0, 0.5, 0, -0.5), 1, 10.0 / 21);
  expectUV(uvAt("pPlaneShape1", 0, -0.5, 0, -0.5), 0, 10.0 / 21);

  // What no pair shows stays the orthographic projection, and says so: an
  // image moved or scaled, a viewport not given, a point behind the camera.
  for (const std::string& unsettled :
       {std::string("\tsetAttr \".is\" -type \"double2\" 0.5 2 ;\n"), std::string("\tsetAttr \".prgt\" 0;\n"),
        std::string("\tsetAttr \".ix\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 -5 0 1;\n")}) {
    std::string scene = cameraScene("");
    scene.insert(scene.find("connectAttr \"polyPlane1.out\" \"polyPlanarProj1.ip\""), unsettled);
    problems = loadScene(scene);
    expectFound(problems, "as an orthographic one; Maya's layout may differ");
  }
}

TEST_F(HostTest, PlanarProjectionOfSomeFacesKeepsTheOthersUVs) {
  const std::string wide = "\tsetAttr \".w\" 2;\n\tsetAttr \".sw\" 2;\n\tsetAttr \".sh\" 1;\n";
  loadScene(creatorScene("Plane", wide + "\tsetAttr \".cuv\" 2;\n"));
  const auto before = allCornerUVs("pPlaneShape1");
  std::string scene = planarScene("1 \"f[1]\"", "\tsetAttr \".ps\" -type \"double2\" 1 1 ;\n");
  scene.replace(scene.find("\tsetAttr \".sw\" 1;\n\tsetAttr \".sh\" 1;\n"), 36, wide);
  auto problems = loadScene(scene);
  EXPECT_TRUE(problems.empty()) << joined(problems);
  // The left quad keeps its four UVs; the right one's two of its own go, and it takes four new ones.
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 8);
  const auto after = allCornerUVs("pPlaneShape1");
  ASSERT_EQ(after.size(), 8u);
  for (std::size_t c = 0; c < 4; ++c)
    EXPECT_EQ(after[c], before[c]) << "corner " << c;
  expectUV(uvAt("pPlaneShape1", 1, 1, 0, 0.5), 1.5, 0);
  expectUV(uvAt("pPlaneShape1", 1, 0, 0, -0.5), 0.5, 1);
}

TEST_F(HostTest, PlanarProjectionWithUnusableValuesSaysWhy) {
  const std::string size = "\tsetAttr \".ps\" -type \"double2\" 1 1 ;\n";
  auto problems = loadScene(planarScene("2 \"f[0]\" \"f[7]\"", size));
  expectFound(problems, "history.ma:5: pPlaneShape1: construction history through polyPlanarProj1 (polyPlanarProj): "
                        "its components \"f[7]\" name no face of the mesh (which has 1) and are left out");
  expectAllEvaluated(problems);
  expectUV(uvAt("pPlaneShape1", 0, 0.5, 0, -0.5), 1, 1);
  // A range reaching two billion faces past a mesh of one is cut to the mesh, not listed out.
  problems = loadScene(planarScene("1 \"f[0:2000000000]\"", size));
  expectFound(problems, "its components \"f[0:2000000000]\" name no face of the mesh (which has 1)");
  expectUV(uvAt("pPlaneShape1", 0, 0.5, 0, -0.5), 1, 1);

  loadScene(creatorScene("Plane", "\tsetAttr \".sw\" 1;\n\tsetAttr \".sh\" 1;\n\tsetAttr \".cuv\" 2;\n"));
  const auto plain = allCornerUVs("pPlaneShape1");
  problems = loadScene(planarScene("0", size));
  expectFound(problems, "(polyPlanarProj): its inputComponents name no faces; the UVs are unchanged");
  EXPECT_EQ(allCornerUVs("pPlaneShape1"), plain);

  problems = loadScene(planarScene("1 \"f[0]\"", "\tsetAttr \".ps\" -type \"double2\" nan 1 ;\n"));
  expectFound(problems, "polyPlanarProj1 (polyPlanarProj) is not evaluated (a value of its projection is not a "
                        "number); the mesh takes the geometry upstream of it");
  EXPECT_EQ(allCornerUVs("pPlaneShape1"), plain);

  problems = loadScene(planarScene("1 \"f[0]\"", "\tsetAttr \".ps\" -type \"double2\" 0 1 ;\n"));
  expectFound(problems, "is not evaluated (its projectionScale gives a projectionWidth of 0)");
  problems = loadScene(planarScene("1 \"f[0\"", size));
  expectFound(problems, "is not evaluated (its component \"f[0\" cannot be read)");
  EXPECT_EQ(allCornerUVs("pPlaneShape1"), plain);
}

namespace {

// A cube 2 on each side, all its faces projected by `type` about `centre`.
std::string cubeProjection(const char* type, const std::string& centre, const std::string& settings) {
  return uvScene("Cube", "\tsetAttr \".w\" 2;\n\tsetAttr \".h\" 2;\n\tsetAttr \".d\" 2;\n\tsetAttr \".cuv\" 4;\n",
                 uvNode("Cube", type, "1 \"f[0:5]\"",
                        kIdentityInput + "\tsetAttr \".ws\" yes;\n\tsetAttr \".pc\" -type \"double3\" " + centre +
                            " ;\n" +
                            settings + "\tsetAttr \".r\" 1.7320508075688772;\n"),
                 std::string(type) + "1.out");
}

// The cube's face whose corners all have z = -1.
int backFace() {
  MFnMesh mesh(HostTest::path("pCubeShape1"));
  MPointArray points = pointsOf("pCubeShape1");
  for (int f = 0; f < mesh.numPolygons(); ++f) {
    MIntArray vertices;
    mesh.getPolygonVertices(f, vertices);
    bool back = true;
    for (unsigned int k = 0; k < vertices.length(); ++k)
      back = back && std::fabs(points[static_cast<unsigned int>(vertices[k])].z + 1.0) < 1e-9;
    if (back)
      return f;
  }
  return -1;
}

}  // namespace

TEST_F(HostTest, CylindricalAndSphericalProjectionsOfTheCubesCorners) {
  // Round the Y axis from the front (+Z), 360 degrees across the map and 2 up it.
  auto problems = loadScene(cubeProjection("polyCylProj", "0 0 0", "\tsetAttr \".ps\" -type \"double2\" 360 2 ;\n"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  expectUV(uvAt("pCubeShape1", 0, 1, 1, 1), 0.625, 1);
  expectUV(uvAt("pCubeShape1", 0, -1, -1, 1), 0.375, 0);
  // The back face straddles the seam; corrected, it spans a quarter of the map, not three.
  int back = backFace();
  ASSERT_GE(back, 0);
  EXPECT_NEAR(std::fabs(uvAt("pCubeShape1", back, 1, 1, -1).first - uvAt("pCubeShape1", back, -1, 1, -1).first), 0.25,
              1e-5);
  loadScene(cubeProjection("polyCylProj", "0 0 0", "\tsetAttr \".ps\" -type \"double2\" 360 2 ;\n"
                                                   "\tsetAttr \".sc\" no;\n"));
  EXPECT_NEAR(std::fabs(uvAt("pCubeShape1", back, 1, 1, -1).first - uvAt("pCubeShape1", back, -1, 1, -1).first), 0.75,
              1e-5);

  // A corner right behind the axis takes its face's side of the seam, whichever way it leans by a
  // hair: centred just short of x = 1, the back face's corners at x = 1 lie at +179.99999 degrees,
  // yet the face stays whole at -180 to -126.87 with its corners at x = -1. Pair c060's LampBase
  // (Maya 2023, a cylinder projected about a centre 1.2e-7 off its axis) shows it: Maya's UVs less
  // the polyTweakUVs' offsets put such a face at U -0.5 to -0.4, not 1.5 to 1.6.
  loadScene(cubeProjection("polyCylProj", "0.9999999 0 0.5", "\tsetAttr \".ps\" -type \"double2\" 360 2 ;\n"));
  EXPECT_NEAR(uvAt("pCubeShape1", back, 1, 1, -1).first, 0.0, 1e-5);
  const double leftCorner = 0.5 - std::atan2(2.0, 1.5) / (2 * 3.14159265358979323846);  // 126.87 of 360 degrees
  EXPECT_NEAR(uvAt("pCubeShape1", back, -1, 1, -1).first, 0.5 - leftCorner, 1e-5);

  // On the axis (the cube's edge at x = z = 1) there is no way round: a corner there faces the front.
  loadScene(cubeProjection("polyCylProj", "1 0 1", "\tsetAttr \".ps\" -type \"double2\" 360 2 ;\n"));
  expectUV(uvAt("pCubeShape1", 0, 1, 1, 1), 0.5, 1);
  expectUV(uvAt("pCubeShape1", 0, -1, 1, 1), 0.25, 1);

  // Latitude up the sphere: asin(1 / sqrt(3)) = 35.26 degrees of 180.
  problems = loadScene(cubeProjection("polySphProj", "0 0 0", "\tsetAttr \".ps\" -type \"double2\" 360 180 ;\n"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  expectUV(uvAt("pCubeShape1", 0, 1, 1, 1), 0.625, 0.5 + std::asin(1.0 / std::sqrt(3.0)) / 3.14159265358979323846);
  // Maya's default sweeps, 180 by 90 degrees, map half the way round and up onto the unit square.
  loadScene(cubeProjection("polySphProj", "0 0 0", ""));
  expectUV(uvAt("pCubeShape1", 0, 1, -1, 1), 0.75,
           0.5 - std::asin(1.0 / std::sqrt(3.0)) / (3.14159265358979323846 / 2));

  problems = loadScene(cubeProjection("polySphProj", "0 0 0", "\tsetAttr \".ps\" -type \"double2\" 360 0 ;\n"));
  expectFound(problems, "(polySphProj) is not evaluated (its projectionScale gives a projectionVerticalSweep of 0)");
}

namespace {

// A plane 2 by 1, its UVs 0 to 1 across and 0 to 0.5 up.
const char* const kFlipPlane =
    "\tsetAttr \".w\" 2;\n\tsetAttr \".sw\" 1;\n\tsetAttr \".sh\" 1;\n\tsetAttr \".cuv\" 2;\n";

// polyFlipUV1 on that plane.
std::string flipScene(const std::string& components, const std::string& settings) {
  return uvScene("Plane", kFlipPlane,
                 uvNode("Plane", "polyFlipUV", components,
                        kIdentityInput + settings),
                 "polyFlipUV1.out");
}

// The plane's corner UVs, each mirrored: u about `u0` (when not NaN), v about `v0`.
std::vector<std::pair<float, float>> mirrored(std::vector<std::pair<float, float>> uvs, double u0, double v0) {
  for (auto& uv : uvs) {
    if (!std::isnan(u0))
      uv.first = static_cast<float>(2 * u0 - uv.first);
    if (!std::isnan(v0))
      uv.second = static_cast<float>(2 * v0 - uv.second);
  }
  return uvs;
}

void expectUVs(const std::vector<std::pair<float, float>>& actual,
               const std::vector<std::pair<float, float>>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i)
    expectUV(actual[i], expected[i].first, expected[i].second);
}

}  // namespace

TEST_F(HostTest, FlipMirrorsTheFacesUVsAboutThePivotTheirBoxOrTheMapsMiddle) {
  const double none = std::nan("");
  loadScene(creatorScene("Plane", kFlipPlane));
  const auto plane = allCornerUVs("pPlaneShape1");
  // As Maya saves a flip: horizontal about the pivot it was given.
  auto problems = loadScene(flipScene("1 \"f[0]\"", "\tsetAttr \".up\" yes;\n\tsetAttr \".pu\" 0.25;\n"
                                                    "\tsetAttr \".pv\" 0.75;\n"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  expectUVs(allCornerUVs("pPlaneShape1"), mirrored(plane, 0.25, none));
  loadScene(flipScene("1 \"f[0]\"", "\tsetAttr \".ft\" 1;\n\tsetAttr \".up\" yes;\n\tsetAttr \".pv\" 0.75;\n"));
  expectUVs(allCornerUVs("pPlaneShape1"), mirrored(plane, none, 0.75));
  // Local: about the middle of the faces' UVs (v 0 to 0.5); global: about the map's middle.
  loadScene(flipScene("1 \"f[0]\"", "\tsetAttr \".ft\" 1;\n"));
  expectUVs(allCornerUVs("pPlaneShape1"), mirrored(plane, none, 0.25));
  loadScene(flipScene("1 \"f[0]\"", "\tsetAttr \".ft\" 1;\n\tsetAttr \".l\" no;\n"));
  expectUVs(allCornerUVs("pPlaneShape1"), mirrored(plane, none, 0.5));

  problems = loadScene(flipScene("1 \"f[3]\"", "\tsetAttr \".up\" yes;\n"));
  expectFound(problems,
              "(polyFlipUV): its components \"f[3]\" name no face of the mesh (which has 1) and are left out");
  EXPECT_EQ(allCornerUVs("pPlaneShape1"), plane);
  problems = loadScene(flipScene("1 \"f[0]\"", "\tsetAttr \".up\" yes;\n\tsetAttr \".pu\" nan;\n"));
  expectFound(problems, "(polyFlipUV) is not evaluated (its pivot is not a number)");
  EXPECT_EQ(allCornerUVs("pPlaneShape1"), plane);
}

TEST_F(HostTest, FlippingOneFaceOfTheCubeCutsItsUVsFromTheOthersUnlessTold) {
  const std::string cube = "\tsetAttr \".cuv\" 4;\n";
  loadScene(creatorScene("Cube", cube));
  const auto before = allCornerUVs("pCubeShape1");
  const int uvs = MFnMesh(path("pCubeShape1")).numUVs();
  const std::string flip =
      uvNode("Cube", "polyFlipUV", "1 \"f[0]\"",
             kIdentityInput + "\tsetAttr \".up\" yes;\n"
             "\tsetAttr \".pu\" 0.5;\n");
  auto problems = loadScene(uvScene("Cube", cube, flip, "polyFlipUV1.out"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  auto after = allCornerUVs("pCubeShape1");
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t c = 0; c < after.size(); ++c)
    if (c < 4)
      expectUV(after[c], 1.0 - before[c].first, before[c].second);
    else
      EXPECT_EQ(after[c], before[c]) << "corner " << c;
  // The front face's UVs are those of the top and bottom faces too: it takes copies of its own.
  EXPECT_EQ(MFnMesh(path("pCubeShape1")).numUVs(), uvs + 4);

  std::string uncut = flip;
  uncut.insert(uncut.find("connectAttr"), "\tsetAttr \".cut\" no;\n");
  loadScene(uvScene("Cube", cube, uncut, "polyFlipUV1.out"));
  EXPECT_EQ(MFnMesh(path("pCubeShape1")).numUVs(), uvs);
  EXPECT_NE(allCornerUVs("pCubeShape1"), after);
}

namespace {

// Two quads up Y sharing the edge from vertex 2 to vertex 3 (e[3] in the file's
// list), each its own UV piece: the lower one the unit square, the upper one
// half as big at (2.5..3, 3..3.5), turned a quarter and, with `mirrored`, flipped.
std::string stripScene(const std::string& history, bool mirrored) {
  return std::string("createNode transform -n \"strip\";\n"
                     "createNode mesh -n \"stripShape\" -p \"strip\";\n"
                     "\tsetAttr -k off \".v\";\n\tsetAttr \".vir\" yes;\n"
                     "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
                     "\tsetAttr \".cuvs\" -type \"string\" \"map1\";\n"
                     "createNode mesh -n \"stripShapeOrig\" -p \"strip\";\n"
                     "\tsetAttr -k off \".v\";\n\tsetAttr \".io\" yes;\n"
                     "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
                     "\tsetAttr -s 8 \".uvst[0].uvsp[0:7]\" -type \"float2\" 0 0 1 0 1 1 0 1 3 3 3 3.5 ") +
         (mirrored ? "3.5 3.5 3.5 3" : "2.5 3.5 2.5 3") +
         ";\n"
         "\tsetAttr \".cuvs\" -type \"string\" \"map1\";\n"
         "\tsetAttr -s 6 \".vt[0:5]\"  -0.5 0 0 0.5 0 0 -0.5 1 0 0.5 1 0 -0.5 2 0 0.5 2 0;\n"
         "\tsetAttr -s 7 \".ed[0:6]\"  0 1 0 0 2 0 1 3 0 2 3 0 2 4 0 3 5 0 4 5 0;\n"
         "\tsetAttr -s 2 -ch 8 \".fc[0:1]\" -type \"polyFaces\" f 4 0 2 -4 -2 mu 0 4 0 1 2 3 "
         "f 4 3 5 -7 -5 mu 0 4 4 5 6 7;\n" +
         history + "connectAttr \"stripShapeOrig.w\" \"" +
         history.substr(history.find('"') + 1, history.find('"', history.find('"') + 1) - history.find('"') - 1) +
         ".ip\";\n";
}

std::string sewMove(const std::string& components, const std::string& settings = "") {
  return "createNode polyMapSewMove -n \"polyMapSewMove1\";\n\tsetAttr \".uopa\" yes;\n"
         "\tsetAttr \".ics\" -type \"componentList\" " +
         components + ";\n" + settings + "connectAttr \"polyMapSewMove1.out\" \"stripShape.i\";\n";
}

const char* const kStripLaidOut = "history.ma:5: UVs of stripShape come from polyMapSewMove1, laid out by mayahost; "
                                  "Maya's layout may differ: import the painter's UVs back, or delete history in "
                                  "Maya before exporting";

}  // namespace

TEST_F(HostTest, SewMoveBringsTheSmallerPieceOntoTheEdgeAndSewsIt) {
  for (bool mirroredPiece : {false, true}) {
    auto problems = loadScene(stripScene(sewMove("1 \"e[3]\""), mirroredPiece));
    expectAllEvaluated(problems);
    expectFound(problems, kStripLaidOut);
    // The export, reading the mesh, tells the artist once.
    testing::internal::CaptureStderr();
    MFnMesh strip(path("stripShape"));
    EXPECT_EQ(strip.numUVs(), 6) << mirroredPiece;
    MFnMesh again(path("stripShape"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: " + std::string(kStripLaidOut).substr(std::string("history.ma:5: ").size()) + "\n");
    // The upper quad turned, halved back to size (and mirrored back) onto the lower one's top edge.
    expectUV(uvAt("stripShape", 1, -0.5, 1, 0), 0, 1);
    expectUV(uvAt("stripShape", 1, 0.5, 1, 0), 1, 1);
    expectUV(uvAt("stripShape", 1, 0.5, 2, 0), 1, 2);
    expectUV(uvAt("stripShape", 1, -0.5, 2, 0), 0, 2);
    expectUV(uvAt("stripShape", 0, 0.5, 0, 0), 1, 0);
  }
}

TEST_F(HostTest, SewMoveRefusesPiecesOverItsLimitAndEdgesItCannotUse) {
  auto problems =
      loadScene(stripScene(sewMove("1 \"e[3]\"", "\tsetAttr \".lps\" yes;\n\tsetAttr \".nf\" 0;\n"), false));
  expectFound(problems, "(polyMapSewMove): 1 of its edges join pieces larger than numberFaces and are not sewn");
  EXPECT_EQ(joined(problems).find("laid out by mayahost"), std::string::npos) << joined(problems);
  EXPECT_EQ(MFnMesh(path("stripShape")).numUVs(), 8);
  expectUV(uvAt("stripShape", 1, 0.5, 2, 0), 2.5, 3.5);

  problems = loadScene(stripScene(sewMove("2 \"e[0]\" \"e[40]\""), false));
  expectFound(problems, "(polyMapSewMove): its components \"e[40]\" name no edge of the mesh (which has 7) and are "
                        "left out");
  EXPECT_EQ(MFnMesh(path("stripShape")).numUVs(), 8);
  problems = loadScene(stripScene(sewMove("0"), false));
  expectFound(problems, "(polyMapSewMove): its inputComponents name no edges; the UVs are unchanged");
}

TEST_F(HostTest, AutomaticProjectionAndLayoutPackPiecesApartInTheUnitSquareAndSaySo) {
  auto problems = loadScene(uvScene(
      "Cube", "\tsetAttr \".w\" 2;\n\tsetAttr \".h\" 2;\n\tsetAttr \".d\" 2;\n\tsetAttr \".cuv\" 4;\n",
      uvNode("Cube", "polyAutoProj", "1 \"f[0:5]\"",
             kIdentityInput + "\tsetAttr \".s\" -type \"double3\" 2 2 2 ;\n\tsetAttr \".ps\" 0.20000000298023224;\n"
                 "\tsetAttr \".dl\" yes;\n"),
      "polyAutoProj1.out"));
  expectAllEvaluated(problems);
  expectFound(problems, "history.ma:5: UVs of pCubeShape1 come from polyAutoProj1, laid out by mayahost");
  MFnMesh cube(path("pCubeShape1"));
  // Each side faces its own axis: six pieces of four UVs, squares of one size, none overlapping.
  EXPECT_EQ(cube.numUVs(), 24);
  const auto uvs = allCornerUVs("pCubeShape1");
  ASSERT_EQ(uvs.size(), 24u);
  struct Box {
    float lo[2] = {9, 9}, hi[2] = {-9, -9};
  };
  std::vector<Box> boxes(6);
  for (std::size_t c = 0; c < uvs.size(); ++c) {
    Box& b = boxes[c / 4];
    b.lo[0] = std::min(b.lo[0], uvs[c].first);
    b.hi[0] = std::max(b.hi[0], uvs[c].first);
    b.lo[1] = std::min(b.lo[1], uvs[c].second);
    b.hi[1] = std::max(b.hi[1], uvs[c].second);
  }
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_GE(boxes[i].lo[0], 0.0f);
    EXPECT_LE(boxes[i].hi[1], 1.0f);
    EXPECT_NEAR(boxes[i].hi[0] - boxes[i].lo[0], boxes[0].hi[0] - boxes[0].lo[0], 1e-5);
    EXPECT_NEAR(boxes[i].hi[1] - boxes[i].lo[1], boxes[i].hi[0] - boxes[i].lo[0], 1e-5);
    for (std::size_t j = 0; j < i; ++j)
      EXPECT_TRUE(boxes[i].lo[0] >= boxes[j].hi[0] || boxes[j].lo[0] >= boxes[i].hi[0] ||
                  boxes[i].lo[1] >= boxes[j].hi[1] || boxes[j].lo[1] >= boxes[i].hi[1])
          << "pieces " << i << " and " << j << " overlap";
  }

  // Layout: the strip's two pieces side by side in the unit square, the upper one still half the size.
  problems = loadScene(stripScene("createNode polyLayoutUV -n \"polyLayoutUV1\";\n\tsetAttr \".uopa\" yes;\n"
                                  "\tsetAttr \".ics\" -type \"componentList\" 1 \"f[0:1]\";\n"
                                  "\tsetAttr \".l\" 2;\n\tsetAttr \".sc\" 1;\n\tsetAttr \".se\" 0;\n"
                                  "connectAttr \"polyLayoutUV1.out\" \"stripShape.i\";\n",
                                  false));
  expectFound(problems, "history.ma:5: UVs of stripShape come from polyLayoutUV1, laid out by mayahost");
  auto lower = uvAt("stripShape", 0, 0.5, 1, 0), lowerStart = uvAt("stripShape", 0, -0.5, 1, 0);
  auto upper = uvAt("stripShape", 1, 0.5, 2, 0), upperStart = uvAt("stripShape", 1, 0.5, 1, 0);
  EXPECT_NEAR(std::hypot(upper.first - upperStart.first, upper.second - upperStart.second),
              std::hypot(lower.first - lowerStart.first, lower.second - lowerStart.second) / 2, 1e-5);
  for (const auto& uv : allCornerUVs("stripShape")) {
    EXPECT_GE(uv.first, 0.0f);
    EXPECT_LE(uv.first, 1.0f);
    EXPECT_GE(uv.second, 0.0f);
    EXPECT_LE(uv.second, 1.0f);
  }
}

TEST_F(HostTest, ContourProjectionStretchesAGridOfQuadsAndRefusesOtherFaces) {
  // Two quads side by side: the middle vertices go halfway along the rows, the corners to the square's corners.
  auto problems = loadScene(uvScene("Plane", "\tsetAttr \".w\" 2;\n\tsetAttr \".sw\" 2;\n\tsetAttr \".sh\" 1;\n",
                                    uvNode("Plane", "polyContourProj", "1 \"f[0:1]\"",
                                           kIdentityInput),
                                    "polyContourProj1.out"));
  expectAllEvaluated(problems);
  expectFound(problems, "UVs of pPlaneShape1 come from polyContourProj1, laid out by mayahost");
  EXPECT_EQ(MFnMesh(path("pPlaneShape1")).numUVs(), 6);
  auto middle = uvAt("pPlaneShape1", 0, 0, 0, 0.5), corner = uvAt("pPlaneShape1", 0, -1, 0, 0.5);
  // Halfway along its row, at one end of its column.
  float along = middle.first == 0.5f ? middle.second : middle.first;
  EXPECT_TRUE((middle.first == 0.5f) != (middle.second == 0.5f));
  EXPECT_TRUE(along == 0.0f || along == 1.0f);
  EXPECT_TRUE((corner.first == 0.0f || corner.first == 1.0f) && (corner.second == 0.0f || corner.second == 1.0f));

  // A closed cube has no corners to stretch between.
  problems = loadScene(cubeProjection("polyContourProj", "0 0 0", ""));
  expectFound(problems, "(polyContourProj) is not evaluated (its faces make no grid of quads with four corners)");
}

TEST_F(HostTest, SphericalProjectionOfASphereCorrectsTheSeamAndPlacesThePolesAsMayaDoes) {
  // Maya's default sweeps: 180 degrees round per unit of U, 90 up per unit of V, the front (+Z) at U 0.5.
  auto problems = loadScene(uvScene(
      "Sphere", "\tsetAttr \".sa\" 6;\n\tsetAttr \".sh\" 6;\n",
      uvNode("Sphere", "polySphProj", "1 \"f[0:35]\"",
             kIdentityInput +
                 "\tsetAttr \".ws\" yes;\n\tsetAttr \".pc\" -type \"double3\" 0 0 0 ;\n\tsetAttr \".r\" 1;\n"),
      "polySphProj1.out"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  // One UV per point, and one more for each point of the column at -150 degrees, whose faces
  // straddle the seam at the back.
  EXPECT_EQ(MFnMesh(path("pSphereShape1")).numUVs(), 37);
  const double lowRing = -0.866025403784, x = 0.25, z = 0.433012701892;
  const double third = 1.0 / 3.0, latitude = 0.5 - 60.0 / 90.0;
  int across = -1, behind = -1, bottomAcross = -1, topAcross = -1, top = -1;
  MFnMesh mesh(path("pSphereShape1"));
  MPointArray points = pointsOf("pSphereShape1");
  for (int f = 0; f < mesh.numPolygons(); ++f) {
    MIntArray v;
    mesh.getPolygonVertices(f, v);
    int left = 0, right = 0, pole = 0;
    for (unsigned int k = 0; k < v.length(); ++k) {
      const MPoint& p = points[static_cast<unsigned int>(v[k])];
      left += std::fabs(p.x + x * std::hypot(p.x, p.z) / 0.5) < 1e-6 && p.z < 0 ? 1 : 0;
      right += std::fabs(p.x - x * std::hypot(p.x, p.z) / 0.5) < 1e-6 && p.z < 0 ? 1 : 0;
      pole += std::hypot(p.x, p.z) < 1e-9 ? (p.y > 0 ? 2 : 1) : 0;
    }
    if (v.length() == 4 && left == 2 && right == 2 && across < 0)
      across = f;
    if (v.length() == 4 && left == 2 && right == 0 && behind < 0)
      behind = f;
    if (v.length() == 3 && left == 1 && right == 1)
      (pole == 1 ? bottomAcross : topAcross) = f;
    if (v.length() == 3 && pole == 2 && left == 0 && right == 0)
      top = f;
  }
  ASSERT_TRUE(across >= 0 && behind >= 0 && bottomAcross >= 0 && topAcross >= 0 && top >= 0);
  // (-0.25, -0.87, -0.43) is 150 degrees round to the left, 60 down: U -1/3, or 5/3 where its face
  // reaches across the seam from the right (+150 degrees, U 4/3).
  expectUV(uvAt("pSphereShape1", behind, -x, lowRing, -z), -third, latitude);
  expectUV(uvAt("pSphereShape1", across, -x, lowRing, -z), 5 * third, latitude);
  expectUV(uvAt("pSphereShape1", across, x, lowRing, -z), 4 * third, latitude);
  // The poles face the front, one UV each, in the triangles across the seam too: pair c067's four
  // spheres (Maya 2024, polySphProj over every face) keep each pole's single UV at U 0.5 while the
  // other corners of those triangles go round a turn.
  expectUV(uvAt("pSphereShape1", bottomAcross, 0, -1, 0), 0.5, -0.5);
  expectUV(uvAt("pSphereShape1", bottomAcross, -x, lowRing, -z), 5 * third, latitude);
  expectUV(uvAt("pSphereShape1", top, 0, 1, 0), 0.5, 1.5);
  expectUV(uvAt("pSphereShape1", topAcross, 0, 1, 0), 0.5, 1.5);
  // Numbering: each point's UV where the faces first reach it (one per point, 0 to 31), then those
  // moved across the seam.
  MIntArray ids;
  for (int f : {behind, across}) {
    MIntArray vertices;
    mesh.getPolygonVertices(f, vertices);
    for (unsigned int k = 0; k < vertices.length(); ++k) {
      const MPoint& p = points[static_cast<unsigned int>(vertices[k])];
      int id = -1;
      if (std::fabs(p.x + x) < 1e-6 && std::fabs(p.y - lowRing) < 1e-6 && p.z < 0)
        mesh.getPolygonUVid(f, static_cast<int>(k), id);
      if (id >= 0)
        ids.append(id);
    }
  }
  ASSERT_EQ(ids.length(), 2u);
  EXPECT_LT(ids[0], 32);
  EXPECT_GE(ids[1], 32);
}

TEST_F(HostTest, UVNodesWriteTheSetTheyNameAndSayOnceThatTheHostLaidItOut) {
  // A projection into a set the mesh does not have yet makes it; the current set keeps its UVs.
  auto problems = loadScene(planarScene("1 \"f[0]\"", "\tsetAttr \".ps\" -type \"double2\" 1 1 ;\n"
                                                      "\tsetAttr \".uvs\" -type \"string\" \"map2\";\n"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MFnMesh plane(path("pPlaneShape1"));
  EXPECT_EQ(plane.numUVs(MString("map2")), 4);
  EXPECT_EQ(plane.numUVs(MString("map1")), 4);
  float u = -1, v = -1;
  const MString map2("map2");
  plane.getPolygonUV(0, 0, u, v, &map2);
  EXPECT_TRUE((u == 0.0f || u == 1.0f) && (v == 0.0f || v == 1.0f)) << u << " " << v;

  // A flip of a set the mesh does not have passes the UVs through.
  problems = loadScene(flipScene("1 \"f[0]\"", "\tsetAttr \".uvs\" -type \"string\" \"map2\";\n"));
  expectFound(problems, "(polyFlipUV) is not evaluated (the mesh has no UV set \"map2\")");

  // An automatic projection laid out again: the mesh is told once.
  problems = loadScene(uvScene("Cube", "\tsetAttr \".cuv\" 4;\n",
                               uvNode("Cube", "polyAutoProj", "1 \"f[0:5]\"", kIdentityInput) +
                                   "createNode polyLayoutUV -n \"polyLayoutUV1\";\n\tsetAttr \".uopa\" yes;\n"
                                   "\tsetAttr \".ics\" -type \"componentList\" 1 \"f[0:5]\";\n"
                                   "connectAttr \"polyAutoProj1.out\" \"polyLayoutUV1.ip\";\n",
                               "polyLayoutUV1.out"));
  const std::string all = joined(problems);
  EXPECT_NE(all.find("UVs of pCubeShape1 come from polyAutoProj1, laid out by mayahost"), std::string::npos) << all;
  EXPECT_EQ(all.find("laid out by mayahost"), all.rfind("laid out by mayahost")) << all;
}

TEST_F(HostTest, AMeshDeformedFromAShapeWithUVHistoryIsToldOfItsLayout) {
  // The cube's "Orig" shape keeps its modelling history; a tweak deforms it into the shape shown.
  std::string scene = uvScene("Cube", "\tsetAttr \".cuv\" 4;\n",
                              uvNode("Cube", "polyAutoProj", "1 \"f[0:5]\"", kIdentityInput), "polyAutoProj1.out");
  for (const std::string from : {"-n \"pCubeShape1\"", "\"pCubeShape1.i\""})
    scene.replace(scene.find(from), from.size(), from.substr(0, from.find("Shape1")) + "Shape1Orig" +
                                                     from.substr(from.find("Shape1") + 6));
  scene += "createNode mesh -n \"pCubeShape1\" -p \"pCube1\";\n"
           "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
           "createNode tweak -n \"tweak1\";\n"
           "connectAttr \"pCubeShape1Orig.w\" \"tweak1.ip[0].ig\";\n"
           "connectAttr \"tweak1.og[0]\" \"pCubeShape1.i\";\n";
  auto problems = loadScene(scene);
  expectAllEvaluated(problems);
  EXPECT_EQ(problems.size(), 1u) << joined(problems);
  testing::internal::CaptureStderr();
  EXPECT_EQ(MFnMesh(path("pCubeShape1")).numUVs(), 24);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Warning: UVs of pCubeShape1 come from polyAutoProj1, laid out by mayahost; Maya's layout may differ: "
            "import the painter's UVs back, or delete history in Maya before exporting\n");
}

TEST_F(HostTest, StatsCountTheMeshesWhoseHistoryTheHostEvaluatedItsOwnWay) {
  // A layout the host makes itself counts its mesh as approximated, as a
  // perspective projection taken as an orthographic one does; a projection
  // the host makes as Maya does counts nothing.
  auto approximated = [] {
    const std::string stats = OmbrixHost::sceneStatsJson();
    const std::size_t at = stats.rfind("\"approximated\":");
    return at == std::string::npos ? std::string("none") : stats.substr(at + 15, 1);
  };
  loadScene(uvScene("Cube", "\tsetAttr \".cuv\" 4;\n", uvNode("Cube", "polyAutoProj", "1 \"f[0:5]\"", kIdentityInput),
                    "polyAutoProj1.out"));
  EXPECT_EQ(approximated(), "1");
  EXPECT_NE(OmbrixHost::sceneStatsJson().find("\"intermediate\":false,\"approximated\":true"), std::string::npos);

  const std::string planar = "\tsetAttr \".ps\" -type \"double2\" 1 1 ;\n";
  loadScene(planarScene("1 \"f[0]\"", planar));
  EXPECT_EQ(approximated(), "0");
  auto problems = loadScene(planarScene("1 \"f[0]\"", planar + "\tsetAttr \".per\" yes;\n"));
  expectFound(problems, "as an orthographic one; Maya's layout may differ");
  EXPECT_EQ(approximated(), "1");
}
