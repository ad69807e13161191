// UV construction history as Maya writes it into Maya ASCII scenes:
// projections, flips, sew-moves, automatic projections and layouts.
#include "HistoryScene.h"

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
                        std::string("\tsetAttr \".ix\" -type \"matrix\" ") + kIdentity +
                            ";\n\tsetAttr \".ws\" yes;\n\tsetAttr \".pc\" -type \"double3\" " + centre + " ;\n" +
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

  // On the axis (the cube's edge at x = z = 1), a corner takes the direction of the rest of its face.
  loadScene(cubeProjection("polyCylProj", "1 0 1", "\tsetAttr \".ps\" -type \"double2\" 360 2 ;\n"));
  int front = 0;
  expectUV(uvAt("pCubeShape1", front, 1, 1, 1), 0.25, 1);
  expectUV(uvAt("pCubeShape1", front, -1, 1, 1), 0.25, 1);

  // Latitude up the sphere: asin(1 / sqrt(3)) = 35.26 degrees of 180.
  problems = loadScene(cubeProjection("polySphProj", "0 0 0", "\tsetAttr \".ps\" -type \"double2\" 360 180 ;\n"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  expectUV(uvAt("pCubeShape1", 0, 1, 1, 1), 0.625, 0.5 + std::asin(1.0 / std::sqrt(3.0)) / 3.14159265358979323846);
  // Maya's default sweeps, 180 by 90 degrees, map half the way round and up onto the unit square.
  loadScene(cubeProjection("polySphProj", "0 0 0", ""));
  expectUV(uvAt("pCubeShape1", 0, 1, -1, 1), 0.75, 0.5 - std::asin(1.0 / std::sqrt(3.0)) / (3.14159265358979323846 / 2));

  problems = loadScene(cubeProjection("polySphProj", "0 0 0", "\tsetAttr \".ps\" -type \"double2\" 360 0 ;\n"));
  expectFound(problems, "(polySphProj) is not evaluated (its projectionScale gives a projectionVerticalSweep of 0)");
}
