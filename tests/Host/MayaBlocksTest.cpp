// Scenes as Maya saves long arrays: in blocks, with the size and data type
// on the first; sparse tweaks and weights; holed faces; and what a load
// refuses, reported and counted.
#include "HistoryChainWriter.h"
#include "HostFixture.h"
#include "HostSceneWalk.h"
#include "MayaBlockScene.h"
#include "Support/FileText.h"

#include <maya/MFloatArray.h>
#include <maya/MPoint.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using MayaBlockScene::Grid;

std::vector<std::string> loadText(const std::string& body) {
  std::vector<std::string> problems;
  EXPECT_TRUE(OmbrixHost::loadMayaAsciiText("//Maya ASCII 2020 scene\nrequires maya \"2020\";\n" + body, "t.ma", problems));
  return problems;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines)
    out += l + "\n";
  return out;
}

// Every face, point and UV of the grid, checked where each block begins and ends.
void expectWholeGrid(const Grid& g) {
  MFnMesh mesh(HostTest::path("gridShape"));
  ASSERT_EQ(mesh.numPolygons(), g.faces());
  ASSERT_EQ(mesh.numVertices(), g.vertices());
  ASSERT_EQ(mesh.numUVs(), g.vertices());
  MIntArray counts, connects;
  mesh.getVertices(counts, connects);
  MIntArray uvCounts, uvIds;
  mesh.getAssignedUVs(uvCounts, uvIds);
  ASSERT_EQ(uvIds.length(), connects.length());
  for (int f = 0; f < g.faces(); ++f) {
    const int r = f / g.columns, c = f % g.columns;
    const int expected[4] = {g.vertex(r, c), g.vertex(r, c + 1), g.vertex(r + 1, c + 1), g.vertex(r + 1, c)};
    for (int k = 0; k < 4; ++k) {
      ASSERT_EQ(connects[static_cast<unsigned>(4 * f + k)], expected[k]) << "face " << f;
      ASSERT_EQ(uvIds[static_cast<unsigned>(4 * f + k)], expected[k]) << "face " << f;
    }
  }
  MFloatArray us, vs;
  mesh.getUVs(us, vs);
  const int last = g.vertices() - 1;
  EXPECT_FLOAT_EQ(us[static_cast<unsigned>(last)], 1.0f);
  EXPECT_FLOAT_EQ(vs[static_cast<unsigned>(last)], 1.0f);
  MPoint p;
  mesh.getPoint(last, p);
  EXPECT_DOUBLE_EQ(p.x, g.columns);
  EXPECT_DOUBLE_EQ(p.z, -g.rows);
}

}  // namespace

TEST_F(HostTest, MeshesInMayasBlocksArriveWhole) {
  for (Grid g : {Grid{1, 1}, Grid{499, 1}, Grid{500, 1}, Grid{501, 1}, Grid{1000, 100}}) {
    auto problems = loadText(MayaBlockScene::gridMesh(g));
    EXPECT_TRUE(problems.empty()) << g.faces() << " faces: " << joined(problems);
    expectWholeGrid(g);
    EXPECT_EQ(OmbrixHost::loadRefusals().total, 0);
  }
  // The blocks in the opposite order, the typed first block last.
  Grid reversed{1201, 1, true};
  auto problems = loadText(MayaBlockScene::gridMesh(reversed));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  expectWholeGrid(reversed);
}

TEST_F(HostTest, MillionFaceMeshInMayasBlocksArrivesWhole) {
  if (std::getenv("OMBRIX_DIGEST_FULL") == nullptr)
    GTEST_SKIP() << "set OMBRIX_DIGEST_FULL to run";
  Grid g{1000, 1000};
  auto problems = loadText(MayaBlockScene::gridMesh(g));
  EXPECT_TRUE(problems.empty()) << joined(problems);
  expectWholeGrid(g);
}

TEST_F(HostTest, BlocksThatContradictTheFirstAreRefusedAndTheRestLoads) {
  const std::string mesh = MayaBlockScene::gridMesh(Grid{501, 1});
  auto withLine = [&](const std::string& statement) {
    std::string text = mesh + statement;
    const int line = 3 + static_cast<int>(std::count(mesh.begin(), mesh.end(), '\n'));
    return std::make_pair(text, "t.ma:" + std::to_string(line) + ": setAttr: ");
  };
  struct Case {
    const char* statement;
    const char* reason;
  };
  const Case cases[] = {
      {"\tsetAttr \".fc[400:401]\" f 4 0 503 -502 -504 f 4 1 504 -503 -505;\n",
       "the block [400:401] gives elements an earlier block gave (gridShape.fc[400:401] is refused)"},
      {"\tsetAttr \".vt[1004:1004]\" 9 9 9;\n", "the block [1004:1004] is beyond the declared size 1004"},
      {"\tsetAttr \".uvst[0].uvsp[1004:1004]\" -type \"double2\" 0 0;\n",
       "the block names the type \"double2\", the array's first block \"float2\""},
  };
  for (const Case& c : cases) {
    auto [text, where] = withLine(c.statement);
    auto problems = loadText(text);
    EXPECT_NE(joined(problems).find(where + c.reason), std::string::npos) << joined(problems);
    EXPECT_EQ(OmbrixHost::loadRefusals().geometry, 1);
    expectWholeGrid(Grid{501, 1});
  }
}

TEST_F(HostTest, SparseTweaksMoveTheirVerticesWhereverTheyStand) {
  Grid g{599, 1};  // 1200 vertices
  const std::string tweak = "\tsetAttr \".pt[1071]\" -type \"float3\" 0 2.5 0 ;\n";
  const std::string mesh = MayaBlockScene::gridMesh(g);
  const std::size_t points = mesh.find("\tsetAttr -s 1200 \".vt\"");
  for (const std::string& text : {mesh + tweak, mesh.substr(0, points) + tweak + mesh.substr(points)}) {
    auto problems = loadText(text);
    EXPECT_TRUE(problems.empty()) << joined(problems);
    MPoint p;
    MFnMesh(path("gridShape")).getPoint(1071, p);
    EXPECT_DOUBLE_EQ(p.y, 2.5);
    MFnMesh(path("gridShape")).getPoint(1070, p);
    EXPECT_DOUBLE_EQ(p.y, 0.0);
  }
  // A tweak past the mesh's vertices is refused, with its line; the others apply.
  auto problems = loadText(mesh + tweak + "\tsetAttr \".pt[1300]\" -type \"float3\" 0 1 0 ;\n");
  const int line = 4 + static_cast<int>(std::count(mesh.begin(), mesh.end(), '\n'));
  EXPECT_NE(joined(problems).find("t.ma:" + std::to_string(line) +
                                  ": gridShape: the tweak of vertex 1300 is refused: the mesh has 1200 vertices"),
            std::string::npos)
      << joined(problems);
  EXPECT_EQ(OmbrixHost::loadRefusals().geometry, 1);
  MPoint p;
  MFnMesh(path("gridShape")).getPoint(1071, p);
  EXPECT_DOUBLE_EQ(p.y, 2.5);
}

TEST_F(HostTest, HoledFacesKeepTheirHolesAndTheirOwnUvs) {
  // A square face with a square hole, each loop with its own UV row.
  auto problems = loadText(
      "createNode transform -n \"frame\";\n"
      "createNode mesh -n \"frameShape\" -p \"frame\";\n"
      "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
      "\tsetAttr -s 8 \".uvst[0].uvsp[0:7]\" -type \"float2\" 0 0 1 0 1 1 0 1 0.25 0.25 0.75 0.25 0.75 0.75 0.25 0.75;\n"
      "\tsetAttr -s 8 \".vt[0:7]\"  0 0 0 4 0 0 4 4 0 0 4 0 1 1 0 3 1 0 3 3 0 1 3 0;\n"
      "\tsetAttr -s 8 \".ed[0:7]\"  0 1 0 1 2 0 2 3 0 3 0 0 4 5 0 5 6 0 6 7 0 7 4 0;\n"
      "\tsetAttr -ch 8 \".fc[0]\" -type \"polyFaces\" \n"
      "\t\tf 4 0 1 2 3\n\t\tmu 0 4 0 1 2 3\n"
      "\t\th 4 -8 -7 -6 -5\n\t\tmu 0 4 4 7 6 5;\n"
      "\tsetAttr \".iog[0].og[0].gcl\" -type \"componentList\" 1 \"f[0]\";\n");
  EXPECT_TRUE(problems.empty()) << joined(problems);
  // The painter's model holds no holed polygon: the face arrives as the triangles of the
  // frame around the hole (area 16 - 4), each corner with its own loop's UV.
  MFnMesh mesh(path("frameShape"));
  ASSERT_EQ(mesh.numPolygons(), 8);
  double area = 0.0;
  for (int f = 0; f < mesh.numPolygons(); ++f) {
    MIntArray verts;
    mesh.getPolygonVertices(f, verts);
    ASSERT_EQ(verts.length(), 3u);
    MPoint p[3];
    for (unsigned k = 0; k < 3; ++k) {
      mesh.getPoint(verts[k], p[k]);
      int uv = -1;
      ASSERT_EQ(mesh.getPolygonUVid(f, static_cast<int>(k), uv), MStatus::kSuccess);
      EXPECT_EQ(uv, verts[k]) << "face " << f;  // the outer row names UV v for vertex v, and so does the hole's
    }
    area += ((p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[1].y - p[0].y) * (p[2].x - p[0].x)) / 2.0;
  }
  EXPECT_DOUBLE_EQ(area, 12.0);
  // Per-face component lists follow the face to its triangles.
  EXPECT_EQ(mel("getAttr frameShape.iog[0].og[0].gcl"), "f[0:7]");
}

// The Maya ASCII fuzzer's kept inputs load without harm, each a whole scene.
TEST_F(HostTest, EveryKeptMayaAsciiFuzzInputLoadsWithoutHarm) {
  namespace fs = std::filesystem;
  int read = 0;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(fs::path(OMBRIX_FUZZ_CORPUS) / "fuzz_maya_ascii", error)) {
    std::vector<std::string> problems;
    OmbrixHost::resetSession();
    OmbrixHost::loadMayaAsciiText(ReadText(entry.path()), entry.path().filename().string(), problems);
    OmbrixHost::sceneStatsJson();
    ++read;
  }
  EXPECT_GT(read, 0);
}

// The history fuzzer's kept inputs, each the chain of history it chooses,
// load and evaluate without harm, and every mesh reads through the interface.
TEST_F(HostTest, EveryKeptHistoryChainLoadsAndEvaluatesWithoutHarm) {
  namespace fs = std::filesystem;
  int read = 0;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(fs::path(OMBRIX_FUZZ_CORPUS) / "fuzz_history_chain", error)) {
    const std::string bytes = ReadText(entry.path());
    std::vector<std::string> problems;
    OmbrixHost::resetSession();
    OmbrixHost::loadMayaAsciiText(
        HistoryChain::sceneOf(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
        entry.path().filename().string(), problems);
    WalkLoadedScene();
    ++read;
  }
  EXPECT_GT(read, 0);
}

TEST_F(HostTest, HostileBlocksAndHolesAreRefusedWithoutHarm) {
  const std::string frame =
      "createNode transform -n \"frame\";\n"
      "createNode mesh -n \"frameShape\" -p \"frame\";\n"
      "\tsetAttr -s 2 \".uvst[0].uvsp[0:1]\" -type \"float2\" 0 0 1 0;\n"
      "\tsetAttr -s 8 \".vt[0:7]\"  0 0 0 4 0 0 4 4 0 0 4 0 1 1 0 3 1 0 3 3 0 1 3 0;\n"
      "\tsetAttr -s 8 \".ed[0:7]\"  0 1 0 1 2 0 2 3 0 3 0 0 4 5 0 5 6 0 6 7 0 7 4 0;\n"
      "\tsetAttr \".fc[0]\" -type \"polyFaces\" f 4 0 1 2 3 mu 0 4 0 1 0 1 h 4 -8 -7 -6 -5 mu 0 4 9 99 999 9999 h 0 h 2 4 5;\n"
      "\tsetAttr \".pt[4000000000:4000000001]\" 1 1 1 2 2 2;\n"
      "\tsetAttr -s 99999999999 \".ed\";\n"
      "\tsetAttr \".vt[3000000000]\" 1 1 1;\n";
  auto problems = loadText(frame);
  EXPECT_NE(joined(problems).find("t.ma:9: setAttr: invalid index range"), std::string::npos) << joined(problems);
  EXPECT_NE(joined(problems).find("t.ma:10: setAttr: the size 99999999999 of edge is more than the file could hold"),
            std::string::npos)
      << joined(problems);
  EXPECT_NE(joined(problems).find("t.ma:11: setAttr: Invalid attribute name: vt[3000000000]; its values are not used"),
            std::string::npos)
      << joined(problems);
  // The hole's UV ids past the set's two UVs are none; the frame still arrives as triangles.
  MFnMesh mesh(path("frameShape"));
  EXPECT_EQ(mesh.numPolygons(), 8);
  for (int f = 0; f < mesh.numPolygons(); ++f)
    for (int k = 0; k < 3; ++k) {
      float u = 0, v = 0;
      mesh.getPolygonUV(f, k, u, v);
    }
}

// On a mesh with history, the shape's tweaks go on top of what the history gives, and are
// bounded by its vertices: a 1 x 1 polyPlane has 4.
TEST_F(HostTest, TweaksOfAMeshWithHistoryMoveTheEvaluatedPoints) {
  const std::string plane =
      "createNode transform -n \"pPlane1\";\n"
      "createNode mesh -n \"pPlaneShape1\" -p \"pPlane1\";\n"
      "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
      "\tsetAttr -s 2 \".pt\";\n"
      "\tsetAttr \".pt[3]\" -type \"float3\" 0 0.75 0 ;\n";
  const std::string history =
      "createNode polyPlane -n \"polyPlane1\";\n\tsetAttr \".sw\" 1;\n\tsetAttr \".sh\" 1;\n"
      "connectAttr \"polyPlane1.out\" \"pPlaneShape1.i\";\n";
  auto problems = loadText(plane + history);
  EXPECT_TRUE(problems.empty()) << joined(problems);
  MFnMesh mesh(path("pPlaneShape1"));
  ASSERT_EQ(mesh.numVertices(), 4);
  MPoint p;
  mesh.getPoint(3, p);
  EXPECT_DOUBLE_EQ(p.y, 0.75);
  mesh.getPoint(2, p);
  EXPECT_DOUBLE_EQ(p.y, 0.0);

  problems = loadText(plane + "\tsetAttr \".pt[4]\" -type \"float3\" 0 1 0 ;\n" + history);
  EXPECT_NE(joined(problems).find("t.ma:8: pPlaneShape1: the tweak of vertex 4 is refused: the mesh has 4 vertices"),
            std::string::npos)
      << joined(problems);
  EXPECT_EQ(OmbrixHost::loadRefusals().geometry, 1);
}
