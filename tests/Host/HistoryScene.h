#pragma once
// Scenes as Maya saves them, loaded into the host, and what their meshes hold.
#include "HostFixture.h"
#include "Support/FileText.h"

#include <maya/MPoint.h>
#include <maya/MIntArray.h>
#include <maya/MPointArray.h>
#include <maya/MVector.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace HistoryScene {

// The scene as the Maya `version` ("2018", "2024") saves it.
inline std::vector<std::string> loadSceneSavedBy(const std::string& version, const std::string& body) {
  std::vector<std::string> problems;
  OmbrixHost::loadMayaAsciiText("//Maya ASCII " + version + " scene\nrequires maya \"" + version +
                                    "\";\ncurrentUnit -l centimeter -a degree -t film;\n" + body,
                                "history.ma", problems);
  return problems;
}

inline std::vector<std::string> loadScene(const std::string& body) { return loadSceneSavedBy("2018", body); }

inline std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines)
    out += l + "\n";
  return out;
}

// The load said `text` among its problems.
inline void expectReported(const std::vector<std::string>& problems, const std::string& text) {
  EXPECT_NE(joined(problems).find(text), std::string::npos) << joined(problems);
}

inline void expectAllEvaluated(const std::vector<std::string>& problems) {
  EXPECT_EQ(joined(problems).find("not evaluated"), std::string::npos) << joined(problems);
}

inline MPointArray pointsOf(const char* shape) {
  MFnMesh mesh(HostTest::path(shape));
  MPointArray points;
  EXPECT_EQ(mesh.getPoints(points), MStatus::kSuccess) << shape;
  return points;
}

inline void expectPoint(const MPointArray& points, unsigned int i, double x, double y, double z) {
  ASSERT_LT(i, points.length());
  EXPECT_NEAR(points[i].x, x, 1e-9) << "vertex " << i;
  EXPECT_NEAR(points[i].y, y, 1e-9) << "vertex " << i;
  EXPECT_NEAR(points[i].z, z, 1e-9) << "vertex " << i;
}

// A shape "p<Kind>Shape1" under "p<Kind>1", made by the creation node "poly<Kind>1", as Maya saves it.
inline std::string creatorScene(const std::string& kind, const std::string& settings) {
  std::string t = "p" + kind + "1", shape = "p" + kind + "Shape1", node = "poly" + kind + "1";
  return "createNode transform -n \"" + t + "\";\n" + "createNode mesh -n \"" + shape + "\" -p \"" + t +
         "\";\n" + "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n" + "createNode poly" + kind +
         " -n \"" + node + "\";\n" + settings + "connectAttr \"" + node + ".out\" \"" + shape + ".i\";\n";
}

// The same points, bit for bit.
inline void expectSamePoints(const MPointArray& a, const MPointArray& b) {
  ASSERT_EQ(a.length(), b.length());
  for (unsigned i = 0; i < a.length(); ++i)
    EXPECT_TRUE(a[i].x == b[i].x && a[i].y == b[i].y && a[i].z == b[i].z) << "vertex " << i;
}

inline double distance(const MPoint& a, const MPoint& b) { return (a - b).length(); }

// The shape's points, once its vertex and face counts are checked.
inline MPointArray pointsWithCounts(const char* shape, int vertices, int faces) {
  MFnMesh mesh(HostTest::path(shape));
  EXPECT_EQ(mesh.numVertices(), vertices) << shape;
  EXPECT_EQ(mesh.numPolygons(), faces) << shape;
  return pointsOf(shape);
}

// The points of the shape's face, from its first corner.
inline std::vector<int> cornersOf(const char* shape, int face) {
  MIntArray c;
  MFnMesh(HostTest::path(shape)).getPolygonVertices(face, c);
  std::vector<int> out;
  for (unsigned int k = 0; k < c.length(); ++k)
    out.push_back(c[k]);
  return out;
}

// The UV ids of the shape's face, from its first corner.
inline std::vector<int> uvIdsOf(const char* shape, int face) {
  MFnMesh mesh(HostTest::path(shape));
  std::vector<int> out;
  for (int k = 0; k < mesh.polygonVertexCount(face); ++k) {
    int id = -1;
    mesh.getPolygonUVid(face, k, id);
    out.push_back(id);
  }
  return out;
}

// The shape's edges run between these points.
inline void expectEdges(const std::map<int, std::pair<int, int>>& edges, const char* shape = "pCubeShape1") {
  for (const auto& [e, expected] : edges) {
    int2 ends = {-1, -1};
    MFnMesh(HostTest::path(shape)).getEdgeVertices(e, ends);
    EXPECT_EQ(std::make_pair(ends[0], ends[1]), expected) << "edge " << e;
  }
}

inline MVector vec(const MPoint& p) { return MVector(p.x, p.y, p.z); }

// The volume the faces enclose, positive when they all look outwards.
inline double signedVolume(const char* shape) {
  MFnMesh mesh(HostTest::path(shape));
  MPointArray p = pointsOf(shape);
  double volume = 0;
  for (int f = 0; f < mesh.numPolygons(); ++f) {
    MIntArray c;
    mesh.getPolygonVertices(f, c);
    for (unsigned int k = 1; k + 1 < c.length(); ++k) {
      MVector a = vec(p[c[0]]), b = vec(p[c[k]]), d = vec(p[c[k + 1]]);
      volume += a * (b ^ d) / 6;
    }
  }
  return volume;
}

// Saves the scene as Maya ASCII, opens the saved file in its place and gives
// its text.
inline std::string saveAndReopen() {
  const std::filesystem::path saved = std::filesystem::current_path() / "history-saved.ma";
  std::string error;
  EXPECT_TRUE(OmbrixHost::saveMayaAscii(saved.string(), error)) << error;
  const std::string text = ReadText(saved);
  std::vector<std::string> problems;
  EXPECT_TRUE(OmbrixHost::loadMayaAscii(saved.string(), problems));
  EXPECT_EQ(joined(problems), "");
  std::filesystem::remove(saved);
  return text;
}

}  // namespace HistoryScene
