// Creation nodes number their points, faces, UVs and edges as the meshes
// Maya saved for the same settings do: history elsewhere in a scene names
// components by these numbers.
#include "HistoryScene.h"

#include <maya/MFloatArray.h>
#include <maya/MPointArray.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace HistoryScene;

namespace {

struct Corners {
  int face;
  std::vector<int> points, uvs;
};

void expectFaces(const char* shape, const std::vector<Corners>& faces) {
  for (const Corners& f : faces) {
    EXPECT_EQ(cornersOf(shape, f.face), f.points) << "face " << f.face;
    if (!f.uvs.empty()) {
      EXPECT_EQ(uvIdsOf(shape, f.face), f.uvs) << "face " << f.face;
    }
  }
}

void expectPoints(const char* shape, const std::map<unsigned int, MPoint>& points) {
  MPointArray p = pointsOf(shape);
  for (const auto& [i, expected] : points)
    EXPECT_LT(p[i].distanceTo(expected), 1e-6) << "vertex " << i;
}

void expectUVs(const char* shape, const std::map<unsigned int, std::pair<float, float>>& uvs) {
  MFloatArray us, vs;
  MFnMesh(HostTest::path(shape)).getUVs(us, vs);
  for (const auto& [i, expected] : uvs) {
    ASSERT_LT(i, us.length());
    EXPECT_NEAR(us[i], expected.first, 1e-6) << "UV " << i;
    EXPECT_NEAR(vs[i], expected.second, 1e-6) << "UV " << i;
  }
}

// The creation node poly<Kind>1 as Maya saves it with `settings`, loaded
// without a word said, its shape holding these counts.
void loadCounted(const std::string& kind, const std::string& settings, int vertices, int faces, int edges, int uvs,
                 const std::string& savedBy = "2018") {
  auto problems = loadSceneSavedBy(savedBy, creatorScene(kind, settings));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MFnMesh mesh(HostTest::path(("p" + kind + "Shape1").c_str()));
  EXPECT_EQ(mesh.numVertices(), vertices);
  EXPECT_EQ(mesh.numPolygons(), faces);
  EXPECT_EQ(mesh.numEdges(), edges);
  if (uvs >= 0) {
    EXPECT_EQ(mesh.numUVs(), uvs);
  }
}

}  // namespace

TEST_F(HostTest, CylinderNumbersItsMeshAsMayaDoes) {
  // As Maya creates it (one cap ring, UVs keeping the aspect ratio); the
  // numbers are those of the mesh Maya saved for it. Maya 2024 saved the UVs
  // below (pair c009's cylinder); Maya 2017 to 2022 put the side's top row and
  // the caps' centres elsewhere (the test after this one).
  loadCounted("Cylinder", "\tsetAttr \".sc\" 1;\n\tsetAttr \".cuv\" 3;\n", 42, 60, 100, 84, "2024");
  const char* shape = "pCylinderShape1";
  // Each ring starts one step round from +x; the caps' centres last.
  expectPoints(shape, {{0, MPoint(0.95105651, -1, -0.30901699)},
                       {19, MPoint(1, -1, 0)},
                       {20, MPoint(0.95105651, 1, -0.30901699)},
                       {39, MPoint(1, 1, 0)},
                       {40, MPoint(0, -1, 0)},
                       {41, MPoint(0, 1, 0)}});
  // The sides, then the bottom's fan (each from the point further round),
  // then the top's; the top's UVs run round the other way.
  expectFaces(shape, {{0, {0, 1, 21, 20}, {20, 21, 42, 41}},
                      {19, {19, 0, 20, 39}, {39, 40, 61, 60}},
                      {20, {1, 0, 40}, {1, 0, 82}},
                      {39, {0, 19, 40}, {0, 19, 82}},
                      {40, {20, 21, 41}, {80, 79, 83}},
                      {58, {38, 39, 41}, {62, 81, 83}},
                      {59, {39, 20, 41}, {81, 80, 83}}});
  // The bottom cap's rim, the side's two rows, the top cap's rim, the centres.
  expectUVs(shape, {{0, {0.64860266f, 0.10796607f}},
                    {4, {0.5f, 0.0f}},
                    {19, {0.65625f, 0.15625f}},
                    {20, {0.375f, 0.3125f}},
                    {40, {0.62499976f, 0.3125f}},
                    {41, {0.375f, 0.6875f}},
                    {61, {0.62499976f, 0.6875f}},
                    {62, {0.64860266f, 0.79546607f}},
                    {66, {0.5f, 0.68749994f}},
                    {81, {0.65625f, 0.84375f}},
                    {82, {0.5f, 0.15625f}},
                    {83, {0.5f, 0.84375f}}});
  // The rings, the sides up, the bottom's spokes out, the top's in.
  expectEdges({{0, {0, 1}},
               {19, {19, 0}},
               {20, {20, 21}},
               {39, {39, 20}},
               {40, {0, 20}},
               {59, {19, 39}},
               {60, {40, 0}},
               {79, {40, 19}},
               {80, {20, 41}},
               {99, {39, 41}}},
              shape);
}

TEST_F(HostTest, CylinderSavedByMayaBefore2023KeepsThatVersionsLayout) {
  // Maya 2017 to 2022 raise the side's top row to v 0.68843985 and drop the
  // caps' centres to 0.15 and 0.8375, their rims staying where Maya 2024 puts
  // them: so every default cylinder those versions saved stores it (pairs
  // c030, c043, c047, c053), and so Maya's OBJ exports of c052 (Maya 2020:
  // twenty sides, one and three rows) and c069 (Maya 2017: six sides) give it.
  const std::string oneRow = "\tsetAttr \".sc\" 1;\n\tsetAttr \".cuv\" 3;\n";
  for (const char* version : {"2017", "2020", "2022"}) {
    loadCounted("Cylinder", oneRow, 42, 60, 100, 84, version);
    expectUVs("pCylinderShape1", {{19, {0.65625f, 0.15625f}},
                                  {20, {0.375f, 0.3125f}},
                                  {41, {0.375f, 0.68843985f}},
                                  {61, {0.62499976f, 0.68843985f}},
                                  {66, {0.5f, 0.68749994f}},
                                  {81, {0.65625f, 0.84375f}},
                                  {82, {0.5f, 0.15000001f}},
                                  {83, {0.5f, 0.83749998f}}});
  }
  // Three rows share the raised side evenly (c052's polyCylinder5 under its extrusion).
  loadCounted("Cylinder", "\tsetAttr \".sh\" 3;\n" + oneRow, 82, 100, 180, 126, "2020");
  expectUVs("pCylinderShape1", {{41, {0.375f, 0.43781328f}}, {62, {0.375f, 0.56312656f}}, {83, {0.375f, 0.68843985f}}});
  // Maya 2023 saves the layout of Maya 2024 (c060's lamp).
  loadCounted("Cylinder", oneRow, 42, 60, 100, 84, "2023");
  expectUVs("pCylinderShape1", {{41, {0.375f, 0.6875f}}, {82, {0.5f, 0.15625f}}});
}

TEST_F(HostTest, CylinderWithTwoCapRingsNumbersItsRingsAlongTheProfile) {
  // Two cap rings: the bottom's inner ring first, the side's two rings, the
  // top's inner ring, the centres; faces and UVs in that order too.
  loadCounted("Cylinder", "\tsetAttr \".sc\" 2;\n\tsetAttr \".cuv\" 3;\n", 82, 100, 180, 124);
  const char* shape = "pCylinderShape1";
  expectPoints(shape, {{0, MPoint(0.47552826, -1, -0.15450850)},
                       {20, MPoint(0.95105651, -1, -0.30901699)},
                       {40, MPoint(0.95105651, 1, -0.30901699)},
                       {79, MPoint(0.5, 1, 0)},
                       {80, MPoint(0, -1, 0)},
                       {81, MPoint(0, 1, 0)}});
  expectFaces(shape, {{0, {0, 1, 21, 20}, {0, 1, 21, 20}},
                      {19, {19, 0, 20, 39}, {19, 0, 20, 39}},
                      {20, {20, 21, 41, 40}, {40, 41, 62, 61}},
                      {40, {40, 41, 61, 60}, {100, 99, 119, 120}},
                      {58, {58, 59, 79, 78}, {82, 101, 121, 102}},
                      {60, {1, 0, 80}, {1, 0, 122}},
                      {80, {60, 61, 81}, {120, 119, 123}}});
  expectEdges({{0, {0, 1}},
               {79, {79, 60}},
               {80, {0, 20}},
               {139, {59, 79}},
               {140, {80, 0}},
               {160, {60, 81}},
               {179, {79, 81}}},
              shape);
}

TEST_F(HostTest, CylinderWithoutCapRingsNumbersRowsAndCapsAsMayaDoes) {
  // Six rows, each cap one polygon: the rings bottom to top, then the sides
  // up row by row; the bottom cap from point 0 backwards, the top forwards.
  loadCounted("Cylinder", "\tsetAttr \".h\" 4.2;\n\tsetAttr \".sh\" 6;\n", 140, 122, 260, -1);
  const char* shape = "pCylinderShape1";
  expectPoints(shape, {{0, MPoint(0.95105651, -2.1, -0.30901699)},
                       {59, MPoint(1, -0.7, 0)},
                       {139, MPoint(1, 2.1, 0)}});
  expectFaces(shape, {{0, {0, 1, 21, 20}, {}},
                      {119, {119, 100, 120, 139}, {}},
                      {120, {0, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, {}}});
  std::vector<int> top;
  for (int i = 120; i < 140; ++i)
    top.push_back(i);
  expectFaces(shape, {{121, top, {}}});
  expectEdges({{0, {0, 1}}, {139, {139, 120}}, {140, {0, 20}}, {259, {119, 139}}}, shape);
}

TEST_F(HostTest, SphereNumbersItsMeshAsMayaDoes) {
  // As Maya creates it: twenty around, twenty up, radius 1.
  loadCounted("Sphere", "", 382, 400, 780, 439);
  const char* shape = "pSphereShape1";
  // The rings from the bottom up, each from one step round; the poles last.
  expectPoints(shape, {{0, MPoint(0.14877813, -0.98768836, -0.048340943)},
                       {19, MPoint(0.15643448, -0.98768836, 0)},
                       {180, MPoint(0.95105651, 0, -0.30901699)},
                       {380, MPoint(0, -1, 0)},
                       {381, MPoint(0, 1, 0)}});
  // The quads row by row, the fan round the bottom pole, the fan round the top.
  expectFaces(shape, {{0, {0, 1, 21, 20}, {0, 1, 22, 21}},
                      {359, {359, 340, 360, 379}, {376, 377, 398, 397}},
                      {360, {1, 0, 380}, {1, 0, 399}},
                      {379, {0, 19, 380}, {20, 19, 418}},
                      {380, {360, 361, 381}, {378, 379, 419}},
                      {399, {379, 360, 381}, {397, 398, 438}}});
  expectUVs(shape, {{0, {0.0f, 0.05f}}, {20, {1.0f, 0.05f}}, {398, {1.0f, 0.95f}}, {399, {0.025f, 0.0f}},
                    {418, {0.975f, 0.0f}}, {438, {0.975f, 1.0f}}});
  // The rings, up between them, the bottom pole's spokes out, the top's in.
  expectEdges({{0, {0, 1}},
               {19, {19, 0}},
               {379, {379, 360}},
               {380, {0, 20}},
               {739, {359, 379}},
               {740, {380, 0}},
               {759, {380, 19}},
               {760, {360, 381}},
               {779, {379, 381}}},
              shape);
}

TEST_F(HostTest, PlaneNumbersItsMeshAsMayaDoes) {
  // As Maya creates it: ten by ten, one unit square. Points and UVs in rows
  // along x from the front; each point's edges along its row, then back.
  loadCounted("Plane", "", 121, 100, 220, 121);
  const char* shape = "pPlaneShape1";
  expectPoints(shape, {{0, MPoint(-0.5, 0, 0.5)}, {10, MPoint(0.5, 0, 0.5)}, {120, MPoint(0.5, 0, -0.5)}});
  expectFaces(shape, {{0, {0, 1, 12, 11}, {0, 1, 12, 11}}, {99, {108, 109, 120, 119}, {108, 109, 120, 119}}});
  expectUVs(shape, {{0, {0.0f, 0.0f}}, {10, {1.0f, 0.0f}}, {120, {1.0f, 1.0f}}});
  expectEdges({{0, {0, 1}},
               {1, {0, 11}},
               {19, {9, 20}},
               {20, {10, 21}},
               {21, {11, 12}},
               {207, {108, 109}},
               {208, {108, 119}},
               {209, {109, 120}},
               {210, {110, 111}},
               {219, {119, 120}}},
              shape);
}

TEST_F(HostTest, TorusNumbersItsMeshAsMayaDoes) {
  // As Maya creates it: twenty around, twenty round the section, radius 1,
  // section radius 0.5.
  loadCounted("Torus", "", 400, 400, 800, 441);
  const char* shape = "pTorusShape1";
  // The section's rings from its inner equator up over the top, each from one step round.
  expectPoints(shape, {{0, MPoint(0.47552826, 0, -0.15450850)},
                       {20, MPoint(0.49880260, 0.15450850, -0.16207078)},
                       {119, MPoint(1, 0.5, 0)},
                       {399, MPoint(0.52447174, -0.15450850, 0)}});
  // Each face from its second point back to its first, then up to the next ring.
  expectFaces(shape, {{0, {1, 0, 20, 21}, {1, 0, 21, 22}},
                      {19, {0, 19, 39, 20}, {20, 19, 40, 41}},
                      {399, {380, 399, 19, 0}, {419, 418, 439, 440}}});
  // UV rows from v 1 down.
  expectUVs(shape, {{0, {0.0f, 1.0f}}, {21, {0.0f, 0.95f}}, {440, {1.0f, 0.0f}}});
  // The rings, up between them, the last ring back to the first.
  expectEdges({{0, {0, 1}}, {399, {399, 380}}, {400, {0, 20}}, {779, {379, 399}}, {780, {380, 0}}, {799, {399, 19}}},
              shape);
}

TEST_F(HostTest, ConeNumbersItsMeshAsMayaDoes) {
  // As Maya creates it (UVs keeping the aspect ratio): twenty around, radius 1, height 2.
  loadCounted("Cone", "\tsetAttr \".cuv\" 3;\n", 21, 21, 40, 42);
  const char* shape = "pConeShape1";
  expectPoints(shape, {{0, MPoint(0.95105651, -1, -0.30901699)}, {19, MPoint(1, -1, 0)}, {20, MPoint(0, 1, 0)}});
  // The base first, from point 0 backwards; then the side's faces, all meeting at the apex's one UV.
  std::vector<int> base{0};
  for (int i = 19; i > 0; --i)
    base.push_back(i);
  expectFaces(shape, {{0, base, base}, {1, {0, 1, 20}, {20, 21, 41}}, {20, {19, 0, 20}, {39, 40, 41}}});
  // The base's circle, the side's row, the apex.
  expectUVs(shape, {{0, {0.7377643f, 0.1727457f}},
                    {9, {0.25f, 0.25f}},
                    {20, {0.25f, 0.5f}},
                    {40, {0.75f, 0.5f}},
                    {41, {0.5f, 1.0f}}});
  // Round the base, then up to the apex.
  expectEdges({{0, {0, 1}}, {19, {19, 0}}, {20, {0, 20}}, {39, {19, 20}}}, shape);
}

TEST_F(HostTest, FourSidedConeIsWhollyAsMayaSavedIt) {
  // Every point, face, UV and edge of the cone Maya saved for four sides.
  loadCounted("Cone", "\tsetAttr \".sa\" 4;\n\tsetAttr \".cuv\" 3;\n", 5, 5, 8, 10);
  const char* shape = "pConeShape1";
  expectPoints(shape, {{0, MPoint(0, -1, -1)}, {1, MPoint(-1, -1, 0)}, {2, MPoint(0, -1, 1)}, {3, MPoint(1, -1, 0)},
                       {4, MPoint(0, 1, 0)}});
  expectFaces(shape, {{0, {0, 3, 2, 1}, {0, 3, 2, 1}},
                      {1, {0, 1, 4}, {4, 5, 9}},
                      {2, {1, 2, 4}, {5, 6, 9}},
                      {3, {2, 3, 4}, {6, 7, 9}},
                      {4, {3, 0, 4}, {7, 8, 9}}});
  expectUVs(shape, {{0, {0.5f, 0.0f}},
                    {1, {0.25f, 0.25f}},
                    {2, {0.5f, 0.5f}},
                    {3, {0.75f, 0.25f}},
                    {4, {0.25f, 0.5f}},
                    {5, {0.375f, 0.5f}},
                    {6, {0.5f, 0.5f}},
                    {7, {0.625f, 0.5f}},
                    {8, {0.75f, 0.5f}},
                    {9, {0.5f, 1.0f}}});
  expectEdges({{0, {0, 1}}, {1, {1, 2}}, {2, {2, 3}}, {3, {3, 0}}, {4, {0, 4}}, {5, {1, 4}}, {6, {2, 4}}, {7, {3, 4}}},
              shape);
}

TEST_F(HostTest, FourSidedCylinderIsWhollyAsMayaSavedIt) {
  // Every face, UV id and edge of the cylinder Maya saved for four sides and
  // one cap ring, its ring points, and the UVs its Maya versions agree on.
  loadCounted("Cylinder", "\tsetAttr \".sa\" 4;\n\tsetAttr \".sc\" 1;\n\tsetAttr \".cuv\" 3;\n", 10, 12, 20, 20);
  const char* shape = "pCylinderShape1";
  expectPoints(shape, {{0, MPoint(0, -1, -1)}, {1, MPoint(-1, -1, 0)}, {2, MPoint(0, -1, 1)}, {3, MPoint(1, -1, 0)},
                       {4, MPoint(0, 1, -1)}, {5, MPoint(-1, 1, 0)}, {6, MPoint(0, 1, 1)}, {7, MPoint(1, 1, 0)}});
  expectFaces(shape, {{0, {0, 1, 5, 4}, {4, 5, 10, 9}},
                      {1, {1, 2, 6, 5}, {5, 6, 11, 10}},
                      {2, {2, 3, 7, 6}, {6, 7, 12, 11}},
                      {3, {3, 0, 4, 7}, {7, 8, 13, 12}},
                      {4, {1, 0, 8}, {1, 0, 18}},
                      {5, {2, 1, 8}, {2, 1, 18}},
                      {6, {3, 2, 8}, {3, 2, 18}},
                      {7, {0, 3, 8}, {0, 3, 18}},
                      {8, {4, 5, 9}, {16, 15, 19}},
                      {9, {5, 6, 9}, {15, 14, 19}},
                      {10, {6, 7, 9}, {14, 17, 19}},
                      {11, {7, 4, 9}, {17, 16, 19}}});
  expectUVs(shape, {{0, {0.5f, 0.0f}},
                    {1, {0.34375f, 0.15625f}},
                    {2, {0.5f, 0.3125f}},
                    {3, {0.65625f, 0.15625f}},
                    {4, {0.375f, 0.3125f}},
                    {5, {0.4375f, 0.3125f}},
                    {8, {0.625f, 0.3125f}},
                    {14, {0.5f, 0.6875f}},
                    {15, {0.34375f, 0.84375f}},
                    {16, {0.5f, 1.0f}},
                    {17, {0.65625f, 0.84375f}}});
  expectEdges({{0, {0, 1}},  {1, {1, 2}},  {2, {2, 3}},  {3, {3, 0}},  {4, {4, 5}},  {5, {5, 6}},  {6, {6, 7}},
               {7, {7, 4}},  {8, {0, 4}},  {9, {1, 5}},  {10, {2, 6}}, {11, {3, 7}}, {12, {8, 0}}, {13, {8, 1}},
               {14, {8, 2}}, {15, {8, 3}}, {16, {4, 9}}, {17, {5, 9}}, {18, {6, 9}}, {19, {7, 9}}},
              shape);
}

TEST_F(HostTest, PipeNumbersItsMeshAsMayaDoes) {
  // Radius 0.45, a wall 0.15 thick, height 3 (made 1.5 high), twenty around,
  // as Maya saved it: the rings up the inside, out across the top, down the
  // outside, each from +X.
  loadCounted("Pipe", "\tsetAttr \".r\" 0.45;\n\tsetAttr \".h\" 3;\n\tsetAttr \".t\" 0.15;\n", 80, 80, 160, 105);
  const char* shape = "pPipeShape1";
  expectPoints(shape, {{0, MPoint(0.3, -0.75, 0)},
                       {1, MPoint(0.28531695, -0.75, -0.09270510)},
                       {20, MPoint(0.3, 0.75, 0)},
                       {40, MPoint(0.45, 0.75, 0)},
                       {60, MPoint(0.45, -0.75, 0)},
                       {79, MPoint(0.42797568, -0.75, 0.13905765)}});
  // Each face from its second point back to its first, then on to the next ring.
  expectFaces(shape, {{0, {1, 0, 20, 21}, {1, 0, 21, 22}},
                      {19, {0, 19, 39, 20}, {20, 19, 40, 41}},
                      {20, {21, 20, 40, 41}, {22, 21, 42, 43}},
                      {79, {60, 79, 19, 0}, {83, 82, 103, 104}}});
  expectUVs(shape, {{0, {0.0f, 1.0f}}, {21, {0.0f, 0.75f}}, {104, {1.0f, 0.0f}}});
  expectEdges({{0, {0, 1}}, {79, {79, 60}}, {80, {0, 20}}, {139, {59, 79}}, {140, {60, 0}}, {159, {79, 19}}}, shape);
}

TEST_F(HostTest, PipeIsMadeHalfAsTallAsItsHeightSays) {
  // Maya's pipe tool saves ".sc" 0; Maya's OBJ export of such default pipes
  // (the moonshine-bottle scenes) has 80 points, 80 faces and 105 UVs, as
  // with one subdivision, and spans 1 along the axis where the height says 2.
  loadCounted("Pipe", "\tsetAttr \".sc\" 0;\n", 80, 80, 160, 105);
  expectPoints("pPipeShape1", {{0, MPoint(0.5, -0.5, 0)}, {20, MPoint(0.5, 0.5, 0)}, {40, MPoint(1, 0.5, 0)},
                               {60, MPoint(1, -0.5, 0)}});
  // Cap subdivisions do not change that: twelve around, twelve up each wall
  // and four across each end (the steam-barrel pair), Maya's export has the
  // untweaked inner rings 1/12 apart from -0.5, and the bounds Maya stored
  // for the next node's faces are those of walls spanning 1.
  loadCounted("Pipe", "\tsetAttr \".sa\" 12;\n\tsetAttr \".sh\" 12;\n\tsetAttr \".sc\" 4;\n", 384, 384, 768, -1);
  expectPoints("pPipeShape1", {{12, MPoint(0.5, -0.5 + 1.0 / 12, 0)},
                               {144, MPoint(0.5, 0.5, 0)},
                               {156, MPoint(0.625, 0.5, 0)},
                               {192, MPoint(1, 0.5, 0)},
                               {336, MPoint(1, -0.5, 0)},
                               {372, MPoint(0.625, -0.5, 0)}});
  // One cap row, as Maya saved a pipe of height 9.80 and radius 4.45: the
  // first edge ring lies 2.45 below the centre in its polyExtrudeEdge's bounds.
  loadCounted("Pipe", "\tsetAttr \".r\" 4.4528894293606038;\n\tsetAttr \".h\" 9.7961630086672944;\n", 80, 80, 160,
              105);
  expectPoints("pPipeShape1", {{0, MPoint(3.9528894293606038, -2.4490407521668236, 0)},
                               {40, MPoint(4.4528894293606038, 2.4490407521668236, 0)}});
}
