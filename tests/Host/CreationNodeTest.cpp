// Creation nodes as Maya saves them: each node's counts, sizes and faces
// turned outwards, and the load's message for attributes out of range.
#include "HistoryScene.h"

#include <maya/MFloatArray.h>
#include <maya/MIntArray.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MVector.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace HistoryScene;

namespace {

// Every edge is walked once each way: the surface is closed and its faces turn alike.
bool closedAndConsistent(const char* shape) {
  MFnMesh mesh(HostTest::path(shape));
  std::map<std::pair<int, int>, int> walked;
  for (int f = 0; f < mesh.numPolygons(); ++f) {
    MIntArray c;
    mesh.getPolygonVertices(f, c);
    for (unsigned int k = 0; k < c.length(); ++k)
      ++walked[{c[k], c[(k + 1) % c.length()]}];
  }
  for (const auto& e : walked)
    if (e.second != 1 || walked.count({e.first.second, e.first.first}) != 1)
      return false;
  return true;
}

std::string settings(std::initializer_list<std::pair<const char*, double>> values) {
  std::string out;
  for (const auto& v : values) {
    char number[64];
    std::snprintf(number, sizeof number, "%.17g", v.second);
    out += std::string("\tsetAttr \".") + v.first + "\" " + number + ";\n";
  }
  return out;
}

}  // namespace

TEST_F(HostTest, ConeHasMayasCountsApexUpAndBaseDown) {
  auto scene = [](const std::string& settings) { return creatorScene("Cone", settings); };
  auto problems = loadScene(scene(""));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MFnMesh cone(path("pConeShape1"));
  EXPECT_EQ(cone.numVertices(), 21);
  EXPECT_EQ(cone.numPolygons(), 21);
  EXPECT_EQ(cone.numUVs(), 42);
  MPointArray p = pointsOf("pConeShape1");
  expectPoint(p, 20, 0, 1, 0);
  for (unsigned int i = 0; i < 20; ++i) {
    EXPECT_NEAR(p[i].y, -1, 1e-9);
    EXPECT_NEAR(std::hypot(p[i].x, p[i].z), 1, 1e-9);
  }
  MIntArray counts, connects;
  cone.getVertices(counts, connects);
  EXPECT_EQ(counts[0], 20);
  EXPECT_EQ(counts[20], 3);
  // The base faces down: its first three corners turn clockwise seen from above.
  MPoint a = p[connects[0]], b = p[connects[1]], c = p[connects[2]];
  double normalY = (b.z - a.z) * (c.x - a.x) - (b.x - a.x) * (c.z - a.z);
  EXPECT_LT(normalY, 0);

  // Radius 2, height 4, two rings along the height: a middle ring of radius 1 at y 0.
  loadScene(scene("\tsetAttr \".r\" 2;\n\tsetAttr \".h\" 4;\n\tsetAttr \".sa\" 8;\n\tsetAttr \".sh\" 2;\n"));
  MFnMesh taller(path("pConeShape1"));
  EXPECT_EQ(taller.numVertices(), 17);
  EXPECT_EQ(taller.numPolygons(), 17);
  p = pointsOf("pConeShape1");
  EXPECT_NEAR(p[8].y, 0, 1e-9);
  EXPECT_NEAR(std::hypot(p[8].x, p[8].z), 1, 1e-9);
  expectPoint(p, 16, 0, 2, 0);
}

TEST_F(HostTest, PyramidHasEdgesOfSideLengthAndItsCountsForEachBase) {
  auto problems = loadScene(creatorScene("Pyramid", ""));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MPointArray p = pointsWithCounts("pPyramidShape1", 5, 5);
  const double half = std::sqrt(0.5) / 2;
  expectPoint(p, 0, std::sqrt(0.5), -half, 0);
  expectPoint(p, 4, 0, half, 0);
  EXPECT_NEAR(distance(p[0], p[1]), 1, 1e-9);
  EXPECT_NEAR(distance(p[0], p[4]), 1, 1e-9);

  // A triangular base (the first choice), edges 2 long, two rings: a tetrahedron cut at half height.
  loadScene(creatorScene("Pyramid", "\tsetAttr \".ns\" 0;\n\tsetAttr \".w\" 2;\n\tsetAttr \".sh\" 2;\n"));
  p = pointsWithCounts("pPyramidShape1", 7, 7);
  EXPECT_NEAR(distance(p[0], p[6]), 2, 1e-9);
  EXPECT_NEAR(p[3].y, 0, 1e-9);
  EXPECT_NEAR(std::hypot(p[3].x, p[3].z), 1 / std::sqrt(3.0), 1e-9);

  // Two cap subdivisions: a ring of four points inside the base and a centre, the base in 4 quads and 4 triangles.
  problems = loadScene(creatorScene("Pyramid", "\tsetAttr \".sc\" 2;\n"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  p = pointsWithCounts("pPyramidShape1", 10, 12);
  expectPoint(p, 9, 0, -half, 0);
  EXPECT_NEAR(std::hypot(p[5].x, p[5].z), std::sqrt(0.5) / 2, 1e-9);
  EXPECT_GT(signedVolume("pPyramidShape1"), 0);
}

TEST_F(HostTest, PrismHasSidesOfSideLengthAlongItsLength) {
  auto problems = loadScene(creatorScene("Prism", "\tsetAttr \".sc\" 0;\n"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MPointArray p = pointsWithCounts("pPrismShape1", 6, 5);
  expectPoint(p, 0, 1 / std::sqrt(3.0), -1, 0);
  EXPECT_NEAR(distance(p[0], p[1]), 1, 1e-9);
  EXPECT_NEAR(distance(p[0], p[3]), 2, 1e-9);

  // Six sides of 1 (radius 1), length 3, caps fanned to a centre point.
  loadScene(creatorScene("Prism", "\tsetAttr \".ns\" 6;\n\tsetAttr \".l\" 3;\n\tsetAttr \".sc\" 1;\n"));
  p = pointsWithCounts("pPrismShape1", 14, 18);
  expectPoint(p, 6, 1, 1.5, 0);
  expectPoint(p, 13, 0, 1.5, 0);
}

TEST_F(HostTest, PipeHasOuterAndInnerWallsJoinedByCaps) {
  auto problems = loadScene(creatorScene("Pipe", ""));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MFnMesh pipe(path("pPipeShape1"));
  EXPECT_EQ(pipe.numVertices(), 80);
  EXPECT_EQ(pipe.numPolygons(), 80);
  MPointArray p = pointsOf("pPipeShape1");
  expectPoint(p, 0, 0.5, -0.5, 0);
  expectPoint(p, 20, 0.5, 0.5, 0);
  expectPoint(p, 40, 1, 0.5, 0);
  expectPoint(p, 60, 1, -0.5, 0);
  // The inner wall's faces look at the axis.
  MIntArray corners;
  pipe.getPolygonVertices(0, corners);
  ASSERT_EQ(corners.length(), 4u);
  MVector normal = (p[corners[1]] - p[corners[0]]) ^ (p[corners[3]] - p[corners[0]]);
  EXPECT_LT(normal * MVector(p[corners[0]].x, 0, p[corners[0]].z), 0);

  // Two rows along the height and across each cap, a thinner wall, eight sides.
  loadScene(creatorScene("Pipe", "\tsetAttr \".h\" 4;\n\tsetAttr \".t\" 0.25;\n\tsetAttr \".sa\" 8;\n"
                                 "\tsetAttr \".sh\" 2;\n\tsetAttr \".sc\" 2;\n"));
  p = pointsWithCounts("pPipeShape1", 64, 64);
  expectPoint(p, 8, 0.75, 0, 0);
  expectPoint(p, 24, 0.875, 1, 0);
  expectPoint(p, 40, 1, 0, 0);

  // A wall as thick as the radius leaves no pipe: said at load, nothing made up.
  problems = loadScene(creatorScene("Pipe", "\tsetAttr \".t\" 1;\n"));
  EXPECT_NE(joined(problems).find("its thickness leaves no hole inside the pipe"), std::string::npos)
      << joined(problems);
}

TEST_F(HostTest, PlatonicSolidsHaveTheirCountsOnASphereOfTheRadiusFacingOut) {
  struct Solid {
    int type, vertices, faces, corners;
  };
  for (Solid s : {Solid{0, 20, 12, 5}, Solid{1, 12, 20, 3}, Solid{2, 6, 8, 3}, Solid{3, 4, 4, 3}}) {
    auto problems = loadScene(creatorScene("PlatonicSolid", "\tsetAttr \".st\" " + std::to_string(s.type) +
                                                             ";\n\tsetAttr \".r\" 2;\n"));
    EXPECT_TRUE(problems.empty()) << joined(problems);
    MPointArray p = pointsWithCounts("pPlatonicSolidShape1", s.vertices, s.faces);
    for (unsigned int i = 0; i < p.length(); ++i)
      EXPECT_NEAR(MVector(p[i].x, p[i].y, p[i].z).length(), 2, 1e-9) << s.type;
    MFnMesh mesh(path("pPlatonicSolidShape1"));
    for (int f = 0; f < s.faces; ++f) {
      MIntArray c;
      mesh.getPolygonVertices(f, c);
      ASSERT_EQ(static_cast<int>(c.length()), s.corners) << s.type;
      MVector normal = (p[c[1]] - p[c[0]]) ^ (p[c[2]] - p[c[0]]);
      EXPECT_GT(normal * MVector(p[c[0]].x, p[c[0]].y, p[c[0]].z), 0) << s.type << " face " << f;
      // Every edge of a face is as long as the first.
      for (unsigned int k = 1; k < c.length(); ++k)
        EXPECT_NEAR(distance(p[c[k]], p[c[(k + 1) % c.length()]]), distance(p[c[0]], p[c[1]]), 1e-9);
    }
  }
  auto problems = loadScene(creatorScene("PlatonicSolid", "\tsetAttr \".st\" 7;\n"));
  EXPECT_NE(joined(problems).find("its solidType is not one of the four solids"), std::string::npos)
      << joined(problems);
}

TEST_F(HostTest, SubdividedCubesAndConeCapsCloseTheirSurface) {
  auto problems = loadScene(creatorScene(
      "Cube", settings({{"w", 2}, {"h", 3}, {"d", 4}, {"sw", 2}, {"sh", 3}, {"sd", 4}})));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MPointArray p = pointsWithCounts("pCubeShape1", 54, 52);
  EXPECT_EQ(MFnMesh(path("pCubeShape1")).numUVs(), 77);
  EXPECT_TRUE(closedAndConsistent("pCubeShape1"));
  EXPECT_NEAR(signedVolume("pCubeShape1"), 24, 1e-9);
  for (unsigned int i = 0; i < p.length(); ++i)
    EXPECT_NEAR(std::fmax(std::fabs(p[i].x), std::fmax(std::fabs(p[i].y) / 1.5, std::fabs(p[i].z) / 2)), 1, 1e-9);
  // Every corner of every face has a UV inside the unit square.
  MFnMesh cube(path("pCubeShape1"));
  MFloatArray us, vs;
  cube.getUVs(us, vs);
  for (unsigned int i = 0; i < us.length(); ++i) {
    EXPECT_GE(us[i], 0.f);
    EXPECT_LE(vs[i], 1.f);
  }
  for (int f = 0; f < cube.numPolygons(); ++f)
    for (int k = 0; k < 4; ++k) {
      int id = -1;
      EXPECT_EQ(cube.getPolygonUVid(f, k, id), MStatus::kSuccess);
      EXPECT_GE(id, 0);
    }

  // Three cap subdivisions: two rings inside the base and its centre.
  problems = loadScene(creatorScene("Cone", settings({{"sc", 3}})));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  p = pointsWithCounts("pConeShape1", 62, 80);
  expectPoint(p, 61, 0, -1, 0);
  EXPECT_NEAR(std::hypot(p[21].x, p[21].z), 2.0 / 3, 1e-9);
  EXPECT_TRUE(closedAndConsistent("pConeShape1"));
  EXPECT_GT(signedVolume("pConeShape1"), 0);
}

TEST_F(HostTest, PipeRoundCapsBulgeOrKeepTheHeight) {
  auto topOf = [](const char* shape) {
    MPointArray p = pointsOf(shape);
    double top = -1e9;
    for (unsigned int i = 0; i < p.length(); ++i)
      top = std::fmax(top, p[i].y);
    return top;
  };
  auto problems = loadScene(creatorScene("Pipe", settings({{"sc", 4}, {"rcp", 1}})));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  pointsWithCounts("pPipeShape1", 200, 200);
  EXPECT_NEAR(topOf("pPipeShape1"), 0.75, 1e-9);
  EXPECT_TRUE(closedAndConsistent("pPipeShape1"));
  EXPECT_GT(signedVolume("pPipeShape1"), 0);
  loadScene(creatorScene("Pipe", settings({{"sc", 4}, {"rcp", 1}, {"rch", 1}})));
  EXPECT_NEAR(topOf("pPipeShape1"), 0.5, 1e-9);
  EXPECT_GT(signedVolume("pPipeShape1"), 0);
}

namespace {

// Every point of the shape from `first` on lies `radius` from `centre`.
void expectOnSphere(const char* shape, unsigned int first, MVector centre, double radius) {
  MPointArray p = pointsOf(shape);
  for (unsigned int i = first; i < p.length(); ++i)
    EXPECT_NEAR((vec(p[i]) - centre).length(), radius, 1e-9) << shape << " vertex " << i;
}

// The largest u and v of the shape's UVs.
std::pair<float, float> uvExtent(const char* shape) {
  MFloatArray us, vs;
  MFnMesh(HostTest::path(shape)).getUVs(us, vs);
  std::pair<float, float> extent{0.f, 0.f};
  for (unsigned int i = 0; i < us.length(); ++i)
    extent = {std::fmax(extent.first, us[i]), std::fmax(extent.second, vs[i])};
  return extent;
}

}  // namespace

TEST_F(HostTest, CylinderAndConeRoundCapsAreHalfSpheresOfTheRadius) {
  // Three cap rings domed: two rings and a centre over each end, a ring of the sphere each;
  // the bottom's rings first, the top's after the side's, the centres last.
  auto problems = loadScene(creatorScene("Cylinder", "\tsetAttr \".sc\" 3;\n\tsetAttr \".rcp\" yes;\n"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MPointArray p = pointsWithCounts("pCylinderShape1", 40 + 2 * 41, 20 + 2 * 60);
  expectPoint(p, 120, 0, -2, 0);
  expectPoint(p, 121, 0, 2, 0);
  for (unsigned int i = 0; i < 40; ++i) {
    EXPECT_NEAR((vec(p[i]) - MVector(0, -1, 0)).length(), 1, 1e-9) << i;
    EXPECT_NEAR((vec(p[80 + i]) - MVector(0, 1, 0)).length(), 1, 1e-9) << 80 + i;
  }
  EXPECT_TRUE(closedAndConsistent("pCylinderShape1"));
  double volume = signedVolume("pCylinderShape1"), pi = 3.14159265358979323846;
  EXPECT_GT(volume, 2 * 10 * std::sin(pi / 10));  // more than the flat-capped 20-gon prism
  EXPECT_LT(volume, 2 * pi + 4 * pi / 3);         // less than the capsule it approximates

  // Height compensation: the walls shortened by the radius, the domes' tops at the height.
  loadScene(creatorScene("Cylinder", "\tsetAttr \".h\" 4;\n\tsetAttr \".sc\" 3;\n\tsetAttr \".rcp\" yes;\n"
                                     "\tsetAttr \".rch\" yes;\n"));
  p = pointsWithCounts("pCylinderShape1", 122, 140);
  expectPoint(p, 59, 1, -1, 0);
  expectPoint(p, 79, 1, 1, 0);
  expectPoint(p, 121, 0, 2, 0);
  for (unsigned int i = 80; i < 120; ++i)
    EXPECT_NEAR((vec(p[i]) - MVector(0, 1, 0)).length(), 1, 1e-9) << i;
  // Without cap rings the ends stay flat polygons.
  loadScene(creatorScene("Cylinder", "\tsetAttr \".rcp\" yes;\n"));
  p = pointsWithCounts("pCylinderShape1", 40, 22);
  expectPoint(p, 39, 1, 1, 0);

  // The cone's base domed below it: a ring of radius 1/2 and the centre a radius down.
  problems = loadScene(creatorScene("Cone", "\tsetAttr \".sc\" 2;\n\tsetAttr \".rcp\" yes;\n"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  p = pointsWithCounts("pConeShape1", 42, 60);
  expectPoint(p, 41, 0, -2, 0);
  EXPECT_NEAR(p[21].y, -1 - std::sqrt(0.75), 1e-9);
  EXPECT_NEAR(std::hypot(p[21].x, p[21].z), 0.5, 1e-9);
  expectOnSphere("pConeShape1", 21, MVector(0, -1, 0), 1);
  EXPECT_TRUE(closedAndConsistent("pConeShape1"));
  EXPECT_GT(signedVolume("pConeShape1"), 10 * std::sin(pi / 10) * 2 / 3);  // more than the flat-based cone
}

TEST_F(HostTest, CreationNodesMakeNoUVsWithCreateUVsOff) {
  // As Maya writes it: an enum 0 on most nodes, a bool on the torus and the pipe.
  for (const char* kind : {"Cube", "Plane", "Sphere", "Cylinder", "Cone", "Torus", "Pyramid", "Prism", "Pipe", "Disc",
                           "Helix", "Platonic"}) {
    std::string shape = std::string("p") + kind + "Shape1";
    auto problems = loadScene(creatorScene(kind, ""));
    EXPECT_TRUE(problems.empty()) << kind << ": " << joined(problems);
    MFnMesh withUVs(path(shape.c_str()));
    int faces = withUVs.numPolygons();
    EXPECT_GT(withUVs.numUVs(), 0) << kind;
    bool isBool = std::string(kind) == "Torus" || std::string(kind) == "Pipe";
    problems = loadScene(creatorScene(kind, isBool ? "\tsetAttr \".cuv\" no;\n" : "\tsetAttr \".cuv\" 0;\n"));
    EXPECT_TRUE(problems.empty()) << kind << ": " << joined(problems);
    MFnMesh without(path(shape.c_str()));
    EXPECT_EQ(without.numPolygons(), faces) << kind;
    EXPECT_EQ(without.numUVs(), 0) << kind;
  }
}

TEST_F(HostTest, PlaneKeepsItsAspectRatioInUVsWhenAsked) {
  // Unnormalised (the default) the unit square; keeping the aspect ratio the longer side 0 to 1.
  struct Case {
    std::string settings;
    double u, v;
  };
  for (const Case& c : {Case{settings({{"w", 2}, {"sw", 2}, {"sh", 1}}), 1, 1},
                        Case{settings({{"w", 2}, {"sw", 2}, {"sh", 1}, {"cuv", 2}}), 1, 0.5},
                        Case{settings({{"h", 4}, {"cuv", 2}}), 0.25, 1}}) {
    loadScene(creatorScene("Plane", c.settings));
    auto extent = uvExtent("pPlaneShape1");
    EXPECT_FLOAT_EQ(extent.first, static_cast<float>(c.u)) << c.settings;
    EXPECT_FLOAT_EQ(extent.second, static_cast<float>(c.v)) << c.settings;
  }
}

namespace {

// Each edge's length in UV space over its length on the mesh, edge by edge.
std::vector<double> uvStretch(const char* shape) {
  MFnMesh mesh(HostTest::path(shape));
  MPointArray p = pointsOf(shape);
  MFloatArray us, vs;
  mesh.getUVs(us, vs);
  std::vector<double> out;
  for (int f = 0; f < mesh.numPolygons(); ++f) {
    MIntArray c;
    mesh.getPolygonVertices(f, c);
    for (unsigned int k = 0; k < c.length(); ++k) {
      int a = -1, b = -1;
      mesh.getPolygonUVid(f, static_cast<int>(k), a);
      mesh.getPolygonUVid(f, static_cast<int>((k + 1) % c.length()), b);
      out.push_back(std::hypot(us[b] - us[a], vs[b] - vs[a]) / distance(p[c[k]], p[c[(k + 1) % c.length()]]));
    }
  }
  return out;
}

}  // namespace

TEST_F(HostTest, CubeLaysOutItsUVsAsCreateUVsAsks) {
  const std::string box = "\tsetAttr \".w\" 2;\n\tsetAttr \".sw\" 2;\n";
  // Each face separately: six times two faces, each with the unit square of its own.
  auto problems = loadScene(creatorScene("Cube", box + "\tsetAttr \".cuv\" 2;\n"));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MFnMesh cube(path("pCubeShape1"));
  ASSERT_EQ(cube.numPolygons(), 10);
  EXPECT_EQ(cube.numUVs(), 40);
  MFloatArray us, vs;
  cube.getUVs(us, vs);
  for (unsigned int i = 0; i < us.length(); ++i) {
    EXPECT_TRUE(us[i] == 0 || us[i] == 1) << i;
    EXPECT_TRUE(vs[i] == 0 || vs[i] == 1) << i;
  }
  // Collectively (Maya's default): the wide front is as wide in UVs as the square sides.
  loadScene(creatorScene("Cube", box));
  auto stretch = uvStretch("pCubeShape1");
  EXPECT_GT(*std::max_element(stretch.begin(), stretch.end()), *std::min_element(stretch.begin(), stretch.end()) + 0.1);
  // Keeping the aspect ratio every edge is stretched alike, the cross 4 long fitted into 1;
  // without normalisation the UVs are as long as the edges.
  for (auto mode : {std::make_pair(4, 0.25), std::make_pair(1, 1.0)}) {
    loadScene(creatorScene("Cube", box + "\tsetAttr \".cuv\" " + std::to_string(mode.first) + ";\n"));
    for (double s : uvStretch("pCubeShape1"))
      ASSERT_NEAR(s, mode.second, 1e-6) << "createUVs " << mode.first;
  }
}

TEST_F(HostTest, TubesLayOutTheirUVsAsCreateUVsAsks) {
  const double pi = 3.14159265358979323846, around = 40 * std::sin(pi / 20);
  // Normalised (the default) the side is squeezed; unnormalised every edge keeps its length.
  loadScene(creatorScene("Cylinder", ""));
  auto stretch = uvStretch("pCylinderShape1");
  EXPECT_GT(*std::max_element(stretch.begin(), stretch.end()), 1.2 * *std::min_element(stretch.begin(), stretch.end()));
  loadScene(creatorScene("Cylinder", "\tsetAttr \".cuv\" 1;\n"));
  for (double s : uvStretch("pCylinderShape1"))
    ASSERT_NEAR(s, 1, 1e-5);
  struct Case {
    const char* kind;
    int mode;
    double u, v;
  };
  const double slant = std::sqrt(5.0), coil = std::hypot(6 * pi, 2.0), tube = 6.4 * std::sin(pi / 8) + 0.8;
  // The cone unrolled: as wide as the base runs round, the base's circle below the slant;
  // the helix's tube as long as its centre line and high as it runs round, the caps above.
  for (const Case& c :
       {Case{"Cone", 1, around, 2 + slant}, Case{"Helix", 1, coil, tube}, Case{"Helix", 3, 1, tube / coil}}) {
    loadScene(creatorScene(c.kind, "\tsetAttr \".cuv\" " + std::to_string(c.mode) + ";\n"));
    auto extent = uvExtent((std::string("p") + c.kind + "Shape1").c_str());
    EXPECT_NEAR(extent.first / c.u, 1, 1e-6) << c.kind << " " << c.mode;
    EXPECT_NEAR(extent.second / c.v, 1, 1e-6) << c.kind << " " << c.mode;
  }
}

TEST_F(HostTest, DiscsSliceTheirSidesByEachMode) {
  // As Maya creates it: twelve sides, each corner's quad in 2 x 2.
  auto problems = loadScene(creatorScene("Disc", ""));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MPointArray p = pointsWithCounts("pDiscShape1", 73, 48);
  EXPECT_EQ(MFnMesh(path("pDiscShape1")).numUVs(), 73);
  double widest = 0;
  for (unsigned int i = 0; i < p.length(); ++i) {
    EXPECT_NEAR(p[i].y, 0, 1e-12);
    widest = std::fmax(widest, std::hypot(p[i].x, p[i].z));
  }
  EXPECT_NEAR(widest, 1, 1e-9);

  struct Mode {
    int mode, vertices, faces;
  };
  for (Mode m : {Mode{0, 1 + 8 * 3 + 8 * 9, 72}, Mode{1, 49, 72}, Mode{2, 25, 24}, Mode{3, 33, 32}, Mode{4, 32, 25}}) {
    problems = loadScene(creatorScene(
        "Disc", settings({{"sides", 8}, {"subdivizionMode", m.mode}, {"subdivisions", 3}, {"radius", 2}})));
    EXPECT_TRUE(problems.empty()) << joined(problems);
    p = pointsWithCounts("pDiscShape1", m.vertices, m.faces);
    MFnMesh disc(path("pDiscShape1"));
    for (int f = 0; f < disc.numPolygons(); ++f) {
      MIntArray c;
      disc.getPolygonVertices(f, c);
      MVector normal = (p[c[1]] - p[c[0]]) ^ (p[c[2]] - p[c[0]]);
      ASSERT_GT(normal.y, 0) << "mode " << m.mode << " face " << f;
    }
    // The sides' corners lie on the radius; nothing lies beyond it.
    for (unsigned int i = 0; i < p.length(); ++i)
      EXPECT_LE(std::hypot(p[i].x, p[i].z), 2 + 1e-9) << m.mode;
  }
  // No subdivisions: the polygon of the sides alone.
  loadScene(creatorScene("Disc", settings({{"sides", 5}, {"subdivisions", 0}})));
  pointsWithCounts("pDiscShape1", 5, 1);
  // A scene saved by Maya: twenty sides in caps, five subdivisions, radius 7.
  loadScene(creatorScene("Disc", settings({{"sides", 20}, {"subdivizionMode", 3}, {"subdivisions", 5}, {"radius", 7}})));
  p = pointsWithCounts("pDiscShape1", 121, 120);
  expectPoint(p, 0, 0, 0, 0);
}

TEST_F(HostTest, HelixWindsItsTubeAroundTheAxis) {
  // As Maya creates it: three coils of fifty sections, eight sides, flat ends.
  auto problems = loadScene(creatorScene("Helix", ""));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MPointArray p = pointsWithCounts("pHelixShape1", 8 * 151, 8 * 150 + 2);
  EXPECT_EQ(MFnMesh(path("pHelixShape1")).numUVs(), 151 * 9 + 16);
  EXPECT_TRUE(closedAndConsistent("pHelixShape1"));
  double length = std::hypot(2 * 3.14159265358979323846 * 3, 2.0);
  double volume = signedVolume("pHelixShape1"), tube = 3.14159265358979323846 * 0.16 * length;
  EXPECT_GT(volume, 0.85 * tube);
  EXPECT_LT(volume, tube);
  // The first ring circles (1, -1, 0) and the last (1, 1, 0), half a coil in (-1, -2/3, 0).
  auto ringCentre = [&](unsigned int ring) {
    MVector c;
    for (unsigned int k = 0; k < 8; ++k)
      c = c + vec(p[ring * 8 + k]) * (1.0 / 8);
    return c;
  };
  for (auto expect : {std::make_pair(0u, MVector(1, -1, 0)), std::make_pair(150u, MVector(1, 1, 0)),
                      std::make_pair(25u, MVector(-1, -1 + 2.0 / 6, 0))}) {
    MVector c = ringCentre(expect.first);
    EXPECT_NEAR((c - expect.second).length(), 0, 1e-6) << expect.first;
    for (unsigned int k = 0; k < 8; ++k)
      EXPECT_NEAR((vec(p[expect.first * 8 + k]) - c).length(), 0.4, 1e-9);
  }
  // Counterclockwise seen from above: an eighth of a coil in, the tube is towards -z; clockwise towards +z.
  EXPECT_LT(ringCentre(6).z, 0);
  loadScene(creatorScene("Helix", settings({{"d", 0}, {"c", 4}, {"sc", 2}, {"rcp", 1}})));
  p = pointsWithCounts("pHelixShape1", 8 * 201 + 18, 8 * 200 + 32);
  EXPECT_GT(ringCentre(6).z, 0);
  EXPECT_TRUE(closedAndConsistent("pHelixShape1"));
  EXPECT_GT(signedVolume("pHelixShape1"), 0);
  // The round ends reach a tube radius beyond the flat ones.
  double along = std::hypot(8 * 3.14159265358979323846, 2.0);
  expectPoint(p, 8 * 201 + 8, 1, -1 - 0.4 * 2 / along, -0.4 * 8 * 3.14159265358979323846 / along);
}

TEST_F(HostTest, PlatonicBodiesAreSlicedAndInflatedOntoTheRadius) {
  struct Body {
    int primitive, vertices, faces;
  };
  for (Body body : {Body{0, 4, 4}, Body{1, 8, 6}, Body{2, 6, 8}, Body{3, 20, 12}, Body{4, 12, 20}}) {
    auto problems = loadScene(creatorScene("Platonic", settings({{"primitive", body.primitive}, {"radius", 2}})));
    EXPECT_TRUE(problems.empty()) << joined(problems);
    MPointArray p = pointsWithCounts("pPlatonicShape1", body.vertices, body.faces);
    for (unsigned int i = 0; i < p.length(); ++i)
      EXPECT_NEAR(vec(p[i]).length(), 2, 1e-9) << body.primitive;
    EXPECT_TRUE(closedAndConsistent("pPlatonicShape1")) << body.primitive;
    EXPECT_GT(signedVolume("pPlatonicShape1"), 0) << body.primitive;
  }
  // An icosahedron of twice-cut triangles pushed onto the sphere; a cube of 2 x 2 quads left flat.
  loadScene(creatorScene("Platonic", settings({{"subdivisionMode", 1}, {"subdivisions", 2}})));
  MPointArray p = pointsWithCounts("pPlatonicShape1", 122, 240);
  for (unsigned int i = 0; i < p.length(); ++i)
    EXPECT_NEAR(vec(p[i]).length(), 1, 1e-9);
  EXPECT_TRUE(closedAndConsistent("pPlatonicShape1"));
  loadScene(creatorScene("Platonic", settings({{"primitive", 1}, {"subdivisions", 1}, {"sphericalInflation", 0}})));
  p = pointsWithCounts("pPlatonicShape1", 26, 24);
  EXPECT_EQ(MFnMesh(path("pPlatonicShape1")).numUVs(), 6 * 9);
  EXPECT_NEAR(signedVolume("pPlatonicShape1"), std::pow(2 / std::sqrt(3.0), 3), 1e-9);
  EXPECT_TRUE(closedAndConsistent("pPlatonicShape1"));
}

TEST_F(HostTest, CreationNodesOutOfRangeAreRefusedAtLoad) {
  struct Bad {
    const char* kind;
    std::string settings;
    const char* message;
  };
  for (const Bad& bad : {Bad{"Disc", settings({{"sides", 2}}), "sides is out of range"},
                         Bad{"Disc", settings({{"subdivisions", -1}}), "subdivisions is out of range"},
                         Bad{"Disc", settings({{"subdivizionMode", 9}}), "subdivisionMode is out of range"},
                         Bad{"Disc", settings({{"sides", 4000}, {"subdivisions", 4000}}), "too many points"},
                         Bad{"Helix", settings({{"sco", 0}}), "subdivisionsCoil is out of range"},
                         Bad{"Helix", settings({{"c", 1e12}}), "too many points"},
                         Bad{"Helix", settings({{"c", -1}}), "no tube"},
                         Bad{"Helix", settings({{"r", 0}}), "radius, height or width is out of range"},
                         Bad{"Helix", settings({{"h", 0}, {"w", 0}}), "radius, height or width is out of range"},
                         Bad{"Helix", settings({{"sa", 4096}, {"sc", 1024}, {"sco", 1}, {"c", 1}}), "too many points"},
                         Bad{"Platonic", settings({{"primitive", 7}}), "primitive is out of range"},
                         Bad{"Platonic", settings({{"subdivisions", 1000}, {"subdivisionMode", 0}}), "too many points"},
                         Bad{"Cube", settings({{"sw", 0}}), "subdivisionsWidth is out of range"},
                         Bad{"Cube", settings({{"sw", 4000}, {"sh", 4000}, {"sd", 4000}}), "too many points"},
                         Bad{"Cone", settings({{"sc", -1}}), "subdivisionsCap is out of range"},
                         Bad{"Pyramid", settings({{"sc", 1e9}}), "subdivisionsCaps is out of range"}}) {
    auto problems = loadScene(creatorScene(bad.kind, bad.settings));
    EXPECT_NE(joined(problems).find(bad.message), std::string::npos) << bad.kind << ": " << joined(problems);
    std::string shape = std::string("p") + bad.kind + "Shape1";
    EXPECT_EQ(MFnMesh(path(shape.c_str())).numPolygons(), 0) << bad.kind;
  }
}

namespace {

// A face made by polyCreateFace1 (as polyCreateFacet makes it) in polySurfaceShape1.
std::string createdFace(const std::string& values) {
  return "createNode transform -n \"polySurface1\";\ncreateNode mesh -n \"polySurfaceShape1\" -p \"polySurface1\";\n"
         "\tsetAttr -k off \".v\";\n\tsetAttr \".vir\" yes;\n\tsetAttr \".vif\" yes;\n"
         "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n\tsetAttr \".cuvs\" -type \"string\" \"map1\";\n"
         "createNode polyCreateFace -n \"polyCreateFace1\";\n" +
         values + "connectAttr \"polyCreateFace1.out\" \"polySurfaceShape1.i\";\n";
}

// A 2 x 1 rectangle in the XZ plane, walked +X then -Z (facing +Y).
const char* kRectangle = "\tsetAttr -s 4 \".v[0:3]\" -type \"float3\"  0 0 0  2 0 0  2 0 -1  0 0 -1;\n";

}  // namespace

TEST_F(HostTest, CreateFaceMakesOneFaceOfItsPointsLaidFlatInUVs) {
  auto problems = loadScene(createdFace(std::string(kRectangle) + "\tsetAttr \".l[0]\" 4;\n\tsetAttr \".tx\" 1;\n"));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("polySurfaceShape1", 4, 1);
  expectPoint(p, 2, 2, 0, -1);
  MFnMesh face(path("polySurfaceShape1"));
  MFloatArray us, vs;
  face.getUVs(us, vs);
  ASSERT_EQ(us.length(), 4u);
  // U along the first edge, V across it; the longer side fills the unit square.
  EXPECT_FLOAT_EQ(us[1], 1.0f);
  EXPECT_FLOAT_EQ(vs[2], 0.5f);
  EXPECT_FLOAT_EQ(us[3], 0.0f);
  loadScene(createdFace(std::string(kRectangle) + "\tsetAttr \".tx\" 2;\n"));
  MFnMesh(path("polySurfaceShape1")).getUVs(us, vs);
  EXPECT_FLOAT_EQ(vs[2], 1.0f);  // stretched to fill it
  loadScene(createdFace(kRectangle));
  EXPECT_EQ(MFnMesh(path("polySurfaceShape1")).numUVs(), 0);

  // Two pieces to each edge: the middles follow the points their edges start at.
  loadScene(createdFace(std::string(kRectangle) + "\tsetAttr \".s\" 2;\n"));
  p = pointsWithCounts("polySurfaceShape1", 8, 1);
  expectPoint(p, 1, 1, 0, 0);
  expectPoint(p, 3, 2, 0, -0.5);

  // A second loop is a hole: its points follow the outline's.
  problems = loadScene(createdFace(
      "\tsetAttr -s 8 \".v[0:7]\" -type \"float3\"  0 0 0  4 0 0  4 0 -4  0 0 -4  1 0 -1  1 0 -3  3 0 -3  3 0 -1;\n"
      "\tsetAttr -s 2 \".l[0:1]\"  4 4;\n"));
  expectAllEvaluated(problems);
  MFnMesh holed(path("polySurfaceShape1"));
  EXPECT_EQ(holed.numVertices(), 8);

  // Loops that do not share out the points, a point that is not a number, no subdivision.
  for (const auto& [values, said] : std::vector<std::pair<std::string, std::string>>{
           {std::string(kRectangle) + "\tsetAttr -s 2 \".l[0:1]\"  3 1;\n", "its loop sizes do not share out its 4 vertices"},
           {std::string(kRectangle) + "\tsetAttr \".l[0]\" 5;\n", "its loop sizes do not share out its 4 vertices"},
           {"\tsetAttr -s 2 \".v[0:1]\" -type \"float3\"  0 0 0  1 0 0;\n", "it has fewer than three vertices"},
           {"\tsetAttr -s 3 \".v[0:2]\" -type \"float3\"  0 0 0  1 nan 0  1 0 1;\n", "its vertex 1 is not a number"},
           {std::string(kRectangle) + "\tsetAttr \".s\" 0;\n", "its subdivision is out of range"}}) {
    problems = loadScene(createdFace(values));
    expectReported(problems, "polySurfaceShape1: construction history through polyCreateFace1 (polyCreateFace) is not "
                             "evaluated (" + said);
  }
}

namespace {

// The shape's size along x, y and z.
MVector extents(const char* shape) {
  MPointArray p = pointsOf(shape);
  double lo[3] = {p[0].x, p[0].y, p[0].z}, hi[3] = {p[0].x, p[0].y, p[0].z};
  for (unsigned i = 1; i < p.length(); ++i) {
    const double q[3] = {p[i].x, p[i].y, p[i].z};
    for (unsigned k = 0; k < 3; ++k) {
      lo[k] = std::min(lo[k], q[k]);
      hi[k] = std::max(hi[k], q[k]);
    }
  }
  return MVector(hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]);
}

}  // namespace

// A creation node's sizes are distances in the scene's linear unit, as
// translations are; a matrix keeps centimetres. Settled by the foot scene of
// OwynnA/UVU-DGM1660-Intro-to-3D-Modeling's final project (Maya 2023): its
// polyCubes say `setAttr ".w" 1` and feed transformGeometry nodes whose
// matrices scale x by 1.1191737 and move it by -43.284568, and Maya's OBJ of
// pCube4 is 34.1124 cm wide (1.1191737 feet) around x = -43.284568 cm.
TEST_F(HostTest, CreationNodesTakeTheirSizesInTheScenesLinearUnit) {
  auto problems = loadScene("currentUnit -l inch -a degree -t film;\n" +
                            creatorScene("Cube", settings({{"w", 1}, {"h", 2}, {"d", 3}})));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MVector size = extents("pCubeShape1");
  EXPECT_NEAR(size.x, 2.54, 1e-9);
  EXPECT_NEAR(size.y, 5.08, 1e-9);
  EXPECT_NEAR(size.z, 7.62, 1e-9);
  double shown = 0.0;
  MGlobal::executeCommand("getAttr polyCube1.height", shown, false, false);
  EXPECT_DOUBLE_EQ(shown, 2.0);  // MEL answers in the scene's unit

  loadScene("currentUnit -l foot -a degree -t film;\n" + creatorScene("Sphere", settings({{"r", 1}})));
  MPointArray p = pointsOf("pSphereShape1");
  for (unsigned i = 0; i < p.length(); ++i)
    ASSERT_NEAR((p[i] - MPoint()).length(), 30.48, 1e-9) << "vertex " << i;
  loadScene("currentUnit -l foot -a degree -t film;\n" +
            creatorScene("Pipe", settings({{"r", 1}, {"h", 0.5}, {"t", 0.25}})));
  size = extents("pPipeShape1");
  EXPECT_NEAR(size.x, 60.96, 1e-6);
  EXPECT_NEAR(size.y, 7.62, 1e-9);
  loadScene("currentUnit -l foot -a degree -t film;\n" + creatorScene("Torus", settings({{"r", 1}, {"sr", 0.5}})));
  EXPECT_NEAR(extents("pTorusShape1").y, 30.48, 1e-9);  // the section's diameter

  // The cube of a foot through a transformGeometry whose matrix doubles it and moves it 10 cm.
  std::string moved = creatorScene("Cube", settings({{"w", 1}, {"h", 1}, {"d", 1}})) +
                      "createNode transformGeometry -n \"transformGeometry1\";\n"
                      "\tsetAttr \".txf\" -type \"matrix\" 2 0 0 0 0 1 0 0 0 0 1 0 10 0 0 1;\n"
                      "connectAttr \"polyCube1.out\" \"transformGeometry1.ig\";\n"
                      "connectAttr -f \"transformGeometry1.og\" \"pCubeShape1.i\";\n";
  problems = loadScene("currentUnit -l foot -a degree -t film;\n" + moved);
  expectAllEvaluated(problems);
  p = pointsOf("pCubeShape1");
  EXPECT_NEAR(extents("pCubeShape1").x, 60.96, 1e-9);
  double centre = 0.0;
  for (unsigned i = 0; i < p.length(); ++i)
    centre += p[i].x / p.length();
  EXPECT_NEAR(centre, 10.0, 1e-9);
}

namespace {

// polySurfaceShape1's faces are triangles covering 16 - 4 of the XZ plane
// (the square of 4 around its hole of 2), on all 8 points.
void expectTrianglesAroundTheHole(const std::vector<std::string>& problems) {
  expectAllEvaluated(problems);
  MFnMesh mesh(HostTest::path("polySurfaceShape1"));
  EXPECT_EQ(mesh.numVertices(), 8);
  double area = 0.0;
  for (int f = 0; f < mesh.numPolygons(); ++f) {
    MIntArray verts;
    mesh.getPolygonVertices(f, verts);
    ASSERT_EQ(verts.length(), 3u) << "face " << f;
    MPoint p[3];
    for (unsigned k = 0; k < 3; ++k)
      mesh.getPoint(verts[k], p[k]);
    area += std::fabs((p[1].x - p[0].x) * (p[2].z - p[0].z) - (p[1].z - p[0].z) * (p[2].x - p[0].x)) / 2.0;
  }
  EXPECT_NEAR(area, 12.0, 1e-9);
}

}  // namespace

// History keeps a face's holes: a node that rebuilds the face list passes the
// holes on with their points, and polyTriangulate cuts a holed face into the
// triangles of its surface around the holes, as the shape shows it. Maya's
// OBJ of the Table of Grace-deSchweinitz/3D-Modeling-Class-2024-
// (TableSPExportFinal, a history of UV nodes) keeps its two holed faces, each
// with its hole's 4 points.
TEST_F(HostTest, HoledFacesKeepTheirHolesThroughHistory) {
  const std::string holed =
      "\tsetAttr -s 8 \".v[0:7]\" -type \"float3\"  0 0 0  4 0 0  4 0 -4  0 0 -4  1 0 -1  1 0 -3  3 0 -3  3 0 -1;\n"
      "\tsetAttr -s 2 \".l[0:1]\"  4 4;\n\tsetAttr \".tx\" 1;\n";
  expectTrianglesAroundTheHole(loadScene(createdFace(
      holed + "createNode polyTriangulate -n \"polyTriangulate1\";\n"
              "\tsetAttr \".ics\" -type \"componentList\" 1 \"f[*]\";\n"
              "connectAttr \"polyCreateFace1.out\" \"polyTriangulate1.ip\";\n"
              "connectAttr -f \"polyTriangulate1.out\" \"polySurfaceShape1.i\";\n")));
  expectTrianglesAroundTheHole(loadScene(createdFace(
      holed + "createNode polyMergeVert -n \"polyMergeVert1\";\n"
              "\tsetAttr \".ics\" -type \"componentList\" 1 \"vtx[*]\";\n\tsetAttr \".d\" 0.01;\n"
              "connectAttr \"polyCreateFace1.out\" \"polyMergeVert1.ip\";\n"
              "connectAttr -f \"polyMergeVert1.out\" \"polySurfaceShape1.i\";\n")));
  EXPECT_EQ(MFnMesh(path("polySurfaceShape1")).numUVs(), 8);  // the hole keeps its UVs
}
