// The UV import against the host: scenes built in-process, maya.cor files
// built byte by byte in the exchange directory.
#include <maya/MFnNurbsSurface.h>
#include <maya/MItDag.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MTypes.h>
#include <maya/MPlugArray.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>

#include "Host/HostFixture.h"
#include "Exchange/ExchangePaths.h"
#include "Maya/MayaImportUVs.h"
#include "Maya/MeshUvArrays.h"
#include "Maya/UvImportChanges.h"
#include "Platform/FileSystem.h"
#include "Platform/Process.h"
#include "Platform/Registry.h"
#include "Support/FileText.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

struct Corner {
  float x, y, z, u, v;  // Maya world frame; u, v as Maya shows them
};

void PutF32(std::string& out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  for (int i = 0; i < 4; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

// A record in the file's frame: (x, -y, -z); the file's v is Maya's v.
void PutRecord(std::string& out, const Corner (&c)[3]) {
  for (const Corner& k : c) {
    PutF32(out, k.x);
    PutF32(out, -k.y);
    PutF32(out, -k.z);
    PutF32(out, k.u);
    PutF32(out, k.v);
  }
}

class ImportUVsTest : public HostTest {
 public:
  void SetUp() override {
    HostTest::SetUp();
    const std::string id = std::to_string(Platform::CurrentProcessId());
#ifndef _WIN32
    registry_ = "ombrix-test-registry-uv-" + id;
    setenv("OMBRIX_REGISTRY", registry_.c_str(), 1);
#endif
    directory_ = "exchange-uv-" + id;
    Platform::MakeDirectory(directory_.c_str());
    Platform::RegistryKey key = nullptr;
    ASSERT_NE(Platform::CreateUserKey(kPainterRegistryKey, "Base Directory", key),
              Platform::KeyDisposition::kFailed);
    ASSERT_TRUE(Platform::SetStringValue(key, "Temp Directory", directory_.c_str()));
    Platform::CloseKey(key);
    char path[kExchangeBufferSize];
    getCorrespondenceFilePath("maya.cor", path, nullptr);
    corPath_ = path;
    std::remove(corPath_.c_str());
  }
  void TearDown() override {
    std::remove(corPath_.c_str());
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
#ifndef _WIN32
    std::remove(registry_.c_str());
#endif
  }

  void WriteCor(const std::vector<std::vector<Corner>>& triangles) {
    std::string bytes = "CORR";
    const uint32_t n = static_cast<uint32_t>(triangles.size());
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((n >> (8 * i)) & 0xFF);
    for (const auto& t : triangles) PutRecord(bytes, {t[0], t[1], t[2]});
    WriteText(corPath_, bytes);
  }

  // Runs the import; its two streams land in out_ and err_, what it shows
  // in the Script Editor in shown_, what it changed in changes_.
  MStatus Import() {
    changes_ = std::make_unique<UvImportChanges>();
    OmbrixHost::captureDisplayed(true);
    CaptureStdout();
    CaptureStderr();
    const MStatus status = importUVs(*changes_);
    out_ = GetCapturedStdout();
    err_ = GetCapturedStderr();
    shown_ = OmbrixHost::displayedMessages();
    OmbrixHost::captureDisplayed(false);
    return status;
  }

  static void Select(const char* name) { MGlobal::selectByName(name, MGlobal::kAddToList); }

  static void PolygonUV(const char* shape, int p, int k, float& u, float& v) {
    MFnMesh mesh(path(shape));
    u = v = -1.0f;
    mesh.getPolygonUV(p, k, u, v);
  }

  // A strip of `count` triangles along x, each with its own UVs (0.01 t).
  static MObject triangleStrip(const char* name, int count) {
    MFnDagNode transform;
    MObject t = transform.create("transform", name);
    MFloatPointArray points;
    MIntArray counts, connects;
    MFloatArray us, vs;
    for (int i = 0; i < count; ++i) {
      points.append(MFloatPoint(float(i), 0, 0));
      points.append(MFloatPoint(float(i) + 1, 0, 0));
      points.append(MFloatPoint(float(i), 1, 0));
      counts.append(3);
      for (int k = 0; k < 3; ++k) {
        connects.append(3 * i + k);
        us.append(0.01f * float(i));
        vs.append(0.5f);
      }
    }
    MFnMesh mesh;
    MObject shape = mesh.create(3 * count, count, points, counts, connects, us, vs, t);
    MFnDependencyNode(shape).setName(MString(name) + "Shape");
    MIntArray uvCounts, uvIds;
    for (int i = 0; i < 3 * count; ++i) uvIds.append(i);
    mesh.assignUVs(counts, uvIds);
    return shape;
  }

  std::string registry_, directory_, corPath_, out_, err_;
  std::vector<std::string> shown_;
  std::unique_ptr<UvImportChanges> changes_;
};

Corner At(float x, float y, float z, float u, float v) { return {x, y, z, u, v}; }

// Strip triangle i with new UVs (u0 + k/8, 0.25).
std::vector<Corner> StripRecord(int i, float u0) {
  const float x = float(i);
  return {At(x, 0, 0, u0, 0.25f), At(x + 1, 0, 0, u0 + 0.125f, 0.25f), At(x, 1, 0, u0 + 0.25f, 0.25f)};
}

TEST_F(ImportUVsTest, EmptySelectionOnlyFinishes) {
  WriteCor({});
  EXPECT_EQ(Import(), MStatus::kSuccess);
  EXPECT_EQ(out_, "");
  EXPECT_EQ(err_, "Finished Importing UV's\n");
  EXPECT_FALSE(OmbrixHost::waitCursorOn());
}

// In interactive Maya the import shows the wait cursor and takes it away again,
// on success and on failure; in batch Maya (the tests above) it never asks for it.
TEST_F(ImportUVsTest, InteractiveImportLeavesTheWaitCursorOff) {
  OmbrixHost::setInteractive(true);
  EXPECT_EQ(Import(), MStatus::kFailure);  // no correspondence file
  EXPECT_EQ(out_ + err_, "");
  EXPECT_FALSE(OmbrixHost::waitCursorOn());
  WriteCor({});
  EXPECT_EQ(Import(), MStatus::kSuccess);
  EXPECT_EQ(err_, "Finished Importing UV's\n");
  EXPECT_FALSE(OmbrixHost::waitCursorOn());
}

TEST_F(ImportUVsTest, MissingOrForeignFileFailsSilentlyAndTouchesNothing) {
  triangleStrip("strip", 2);
  Select("strip");
  EXPECT_EQ(Import(), MStatus::kFailure);
  EXPECT_EQ(out_ + err_, "");
  EXPECT_FALSE(OmbrixHost::waitCursorOn());
  // The artist learns of it in the Script Editor.
  EXPECT_EQ(shown_, std::vector<std::string>{"Warning: Ombrix Vael UV import: no correspondence file to import: " + corPath_});
  WriteText(corPath_, "CORX\0\0\0\0");
  EXPECT_EQ(Import(), MStatus::kFailure);
  EXPECT_EQ(out_ + err_, "");
  EXPECT_TRUE(changes_->empty());
  float u, v;
  PolygonUV("stripShape", 1, 0, u, v);
  EXPECT_FLOAT_EQ(u, 0.01f);
}

TEST_F(ImportUVsTest, TwelveTrianglesFiveMatchedFastMethod) {
  triangleStrip("strip", 12);
  std::vector<std::vector<Corner>> records;
  for (int i : {0, 3, 4, 8, 11}) records.push_back(StripRecord(i, 0.5f));
  records.push_back(StripRecord(20, 0.5f));  // matches nothing
  WriteCor(records);
  Select("strip");
  EXPECT_EQ(Import(), MStatus::kSuccess);
  EXPECT_EQ(out_, "Polygons affected: 5    (Total of: 12)\n"
                  "There is no construction history, using fast method\n");
  EXPECT_EQ(err_, "Importing UV's for |strip|stripShape\nFinished Importing UV's\n");
  // No export before it: matched as placed now, and said once.
  ASSERT_EQ(shown_.size(), 2u);
  EXPECT_EQ(shown_[0].rfind("Warning: Ombrix Vael UV import: no usable export record (", 0), 0u) << shown_[0];
  EXPECT_NE(shown_[0].find("no such file"), std::string::npos) << shown_[0];
  EXPECT_EQ(shown_[1], "Info: Ombrix Vael UV import: stripShape: Polygons affected: 5 (Total of: 12)");
  for (int p = 0; p < 12; ++p) {
    const bool matched = p == 0 || p == 3 || p == 4 || p == 8 || p == 11;
    for (int k = 0; k < 3; ++k) {
      float u, v;
      PolygonUV("stripShape", p, k, u, v);
      EXPECT_FLOAT_EQ(u, matched ? 0.5f + 0.125f * float(k) : 0.01f * float(p)) << p << "," << k;
      EXPECT_FLOAT_EQ(v, matched ? 0.25f : 0.5f) << p << "," << k;
    }
  }
  // Distinct (position, u, v): the strip's corners never coincide.
  EXPECT_EQ(MFnMesh(path("stripShape")).numUVs(), 36);
}

TEST_F(ImportUVsTest, APolygonWithAnUnsoundPointMatchesNothing) {
  triangleStrip("strip", 2);
  MFnMesh(path("stripShape")).setPoint(3, MPoint(std::numeric_limits<double>::infinity(), 0, 0));
  // Triangle 1 with its unsound corner at the origin: it must not match.
  WriteCor({StripRecord(0, 0.5f), {At(0, 0, 0, 0.9f, 0.9f), At(2, 0, 0, 0.9f, 0.9f), At(1, 1, 0, 0.9f, 0.9f)}});
  Select("strip");
  ASSERT_EQ(Import(), MStatus::kSuccess);
  EXPECT_EQ(out_, "Polygons affected: 1    (Total of: 2)\n"
                  "There is no construction history, using fast method\n");
  float u, v;
  PolygonUV("stripShape", 1, 1, u, v);
  EXPECT_FLOAT_EQ(u, 0.01f);
  EXPECT_FLOAT_EQ(v, 0.5f);
  PolygonUV("stripShape", 0, 1, u, v);
  EXPECT_FLOAT_EQ(u, 0.625f);
}

TEST_F(ImportUVsTest, SharedPositionsWithEqualUVsShareOneUV) {
  quadMesh("quad", true);  // two triangles sharing (0,0,0) and (1,1,0)
  WriteCor({{At(0, 0, 0, 0.1f, 0.1f), At(1, 0, 0, 0.2f, 0.1f), At(1, 1, 0, 0.3f, 0.3f)},
            {At(0, 0, 0, 0.1f, 0.1f), At(1, 1, 0, 0.3f, 0.3f), At(0, 1, 0, 0.4f, 0.4f)}});
  Select("quad");
  ASSERT_EQ(Import(), MStatus::kSuccess);
  EXPECT_EQ(MFnMesh(path("quadShape")).numUVs(), 4);
  MFnMesh mesh(path("quadShape"));
  int a = -1, b = -2;
  mesh.getPolygonUVid(0, 0, a);
  mesh.getPolygonUVid(1, 0, b);
  EXPECT_EQ(a, b);
}

TEST_F(ImportUVsTest, QuadCornersBeyondTheThirdComeFromTheFan) {
  quadMesh("quad");
  quadMesh("lone");
  WriteCor({{At(0, 0, 0, 0.1f, 0.9f), At(1, 0, 0, 0.2f, 0.8f), At(1, 1, 0, 0.3f, 0.7f)},
            {At(0, 0, 0, 0.1f, 0.9f), At(1, 1, 0, 0.3f, 0.7f), At(0, 1, 0, 0.4f, 0.6f)}});
  Select("quad");
  ASSERT_EQ(Import(), MStatus::kSuccess);
  const float expected[4][2] = {{0.1f, 0.9f}, {0.2f, 0.8f}, {0.3f, 0.7f}, {0.4f, 0.6f}};
  for (int k = 0; k < 4; ++k) {
    float u, v;
    PolygonUV("quadShape", 0, k, u, v);
    EXPECT_FLOAT_EQ(u, expected[k][0]) << k;
    EXPECT_NEAR(v, expected[k][1], 1e-6) << k;
  }
  // Without the second fan triangle the fourth corner keeps its own UV.
  WriteCor({{At(0, 0, 0, 0.1f, 0.9f), At(1, 0, 0, 0.2f, 0.8f), At(1, 1, 0, 0.3f, 0.7f)}});
  MGlobal::clearSelectionList();
  Select("lone");
  {
    MFnMesh lone(path("loneShape"));
    MFloatArray us, vs;
    MIntArray counts, ids;
    for (int k = 0; k < 4; ++k) us.append(0.7f), vs.append(0.05f * float(k)), ids.append(k);
    counts.append(4);
    lone.setUVs(us, vs);
    lone.assignUVs(counts, ids);
  }
  float before_u, before_v, u, v;
  PolygonUV("loneShape", 0, 3, before_u, before_v);
  ASSERT_EQ(Import(), MStatus::kSuccess);
  PolygonUV("loneShape", 0, 3, u, v);
  EXPECT_EQ(u, before_u);
  EXPECT_EQ(v, before_v);
  PolygonUV("loneShape", 0, 2, u, v);
  EXPECT_FLOAT_EQ(u, 0.3f);
}

TEST_F(ImportUVsTest, TransformWithTwoMeshesAndOtherSelectionItems) {
  MFnDagNode().create("transform", "pair");
  triangleStrip("a", 1);
  triangleStrip("b", 1);
  mel("parent a b pair");
  mel("createNode lambert -n paint");
  WriteCor({StripRecord(0, 0.5f)});
  Select("pair");
  Select("paint");  // no DAG node: nothing under it is walked
  ASSERT_EQ(Import(), MStatus::kSuccess);
  EXPECT_EQ(err_, "Importing UV's for |pair|a|aShape\nImporting UV's for |pair|b|bShape\n"
                  "Finished Importing UV's\n");
}

TEST_F(ImportUVsTest, NurbsSurfacesAreRefusedAndTheWalkGoesOn) {
  std::vector<std::string> problems;
  ASSERT_TRUE(OmbrixHost::loadMayaAscii(std::string(OMBRIX_EXAMPLE_SCENES) + "/nurbs_sphere.ma", problems));
  triangleStrip("strip", 1);
  WriteCor({StripRecord(0, 0.5f)});
  mel("select -r nurbsSphere1 strip");
  ASSERT_EQ(Import(), MStatus::kSuccess);
  EXPECT_NE(err_.find("Cannot set UV's for NURBS surfaces\n"), std::string::npos);
  EXPECT_NE(err_.find("Importing UV's for |strip|stripShape\n"), std::string::npos);
}

TEST_F(ImportUVsTest, TruncatedFileImportsWhatItHoldsAndSaysSo) {
  triangleStrip("strip", 2);
  std::string bytes = "CORR";
  bytes += std::string("\x05\x00\x00\x00", 4);
  const auto r = StripRecord(1, 0.5f);
  PutRecord(bytes, {r[0], r[1], r[2]});
  WriteText(corPath_, bytes + "abc");
  Select("strip");
  ASSERT_EQ(Import(), MStatus::kSuccess);
  EXPECT_NE(err_.find(": the file ends after 1 of 5 records; importing those\n"), std::string::npos);
  EXPECT_NE(out_.find("Polygons affected: 1    (Total of: 2)"), std::string::npos);
}

TEST_F(ImportUVsTest, RefusedAssignmentRestoresThePreviousUVs) {
  triangleStrip("strip", 2);
  MFnMesh mesh(path("stripShape"));
  MeshUvArrays bad;
  bad.us.push_back(0.9f);
  bad.vs.push_back(0.9f);
  bad.uvCounts = {3, 3};
  bad.uvIds = {0, 1, 2, 3, 4, 5};  // ids 1..5 do not exist
  MeshUvArrays before;
  ASSERT_TRUE(readMeshUVs(mesh, mesh.currentUVSetName(), before));
  EXPECT_EQ(replaceMeshUVs(mesh, mesh.currentUVSetName(), bad, before), MStatus::kFailure);
  EXPECT_EQ(mesh.numUVs(), 6);
  float u, v;
  PolygonUV("stripShape", 1, 2, u, v);
  EXPECT_FLOAT_EQ(u, 0.01f);
  EXPECT_FLOAT_EQ(v, 0.5f);
}

// A mesh with construction history: a polyPlane feeding the shape.
const char kPlaneScene[] =
    "//Maya ASCII 2016 scene\n"
    "requires maya \"2016\";\n"
    "createNode transform -n \"pPlane1\";\n"
    "createNode mesh -n \"pPlaneShape1\" -p \"pPlane1\";\n"
    "createNode polyPlane -n \"polyPlane1\";\n"
    "\tsetAttr \".sw\" 2;\n"
    "\tsetAttr \".sh\" 1;\n"
    "connectAttr \"polyPlane1.out\" \"pPlaneShape1.i\";\n";

// The UV a record gives polygon p's corner k at `point`.
using PlaneUV = void (*)(int p, int k, const MPoint& point, float& u, float& v);

// Corner k of polygon p gets u = (4p + k) / 8, v = 0.5.
void CornerOrderUV(int p, int k, const MPoint&, float& u, float& v) {
  u = 0.125f * float(4 * p + k);
  v = 0.5f;
}

// Loads the plane scene and writes records for both quads' fans, read back
// from the mesh itself, with the UVs `uvOf` gives.
void LoadPlaneWithRecords(ImportUVsTest& test, PlaneUV uvOf = CornerOrderUV) {
  std::vector<std::string> problems;
  ASSERT_TRUE(OmbrixHost::loadMayaAsciiText(kPlaneScene, "plane.ma", problems))
      << (problems.empty() ? "" : problems[0]);
  MFnMesh mesh(HostTest::path("pPlaneShape1"));
  ASSERT_EQ(mesh.numPolygons(), 2);
  std::vector<std::vector<Corner>> records;
  MMatrix world = HostTest::path("pPlaneShape1").inclusiveMatrix();
  for (int p = 0; p < 2; ++p) {
    MIntArray verts;
    mesh.getPolygonVertices(p, verts);
    std::vector<Corner> corners;
    for (unsigned k = 0; k < verts.length(); ++k) {
      MPoint point;
      mesh.getPoint(verts[k], point, MSpace::kObject);
      point = point * world;
      float u, v;
      uvOf(p, static_cast<int>(k), point, u, v);
      corners.push_back(At(float(point.x), float(point.y), float(point.z), u, v));
    }
    for (size_t k = 2; k < corners.size(); ++k) records.push_back({corners[0], corners[k - 1], corners[k]});
  }
  test.WriteCor(records);
}

// Upstream of a node's (or a mesh's) input plug: the node's name.
std::string SourceOf(const MFnDependencyNode& node, const char* plug) {
  MPlugArray sources;
  if (!node.findPlug(plug, true).connectedTo(sources, true, false) || sources.length() != 1) return "";
  return MFnDependencyNode(sources[0].node()).name().asChar();
}

// The two quads' records give their shared edge other UVs on each side: the
// painter parted them, so the faces' UVs are made anew.
TEST_F(ImportUVsTest, HistoryWithANewUvSharingGetsItsUVsMadeAnew) {
  LoadPlaneWithRecords(*this);
  MFnMesh mesh(path("pPlaneShape1"));
  Select("pPlane1");
  ASSERT_EQ(Import(), MStatus::kSuccess);
  EXPECT_EQ(out_, "Polygons affected: 2    (Total of: 2)\n"
                  "There is construction history, using slow method\n");
  // polyPlane1 -> polyMapDel1 (every face) -> polyTweakUV1 -> inMesh; no
  // edge has the same UVs on both sides, so nothing is sewn.
  EXPECT_EQ(SourceOf(mesh, "inMesh"), "polyTweakUV1");
  MFnDependencyNode tweak(node("polyTweakUV1"));
  EXPECT_EQ(SourceOf(tweak, "inputPolymesh"), "polyMapDel1");
  EXPECT_EQ(SourceOf(MFnDependencyNode(node("polyMapDel1")), "inputPolymesh"), "polyPlane1");
  EXPECT_EQ(mel("getAttr polyMapDel1.inputComponents"), "f[*]");
  EXPECT_EQ(mel("getAttr polyMapDel1.uvSetName"), "map1");
  EXPECT_EQ(mel("objExists polyMapSew1"), "0");
  // One newUV element per face-vertex, polygon then corner order.
  MPlug newUV = tweak.findPlug("newUV", true);
  ASSERT_EQ(newUV.numElements(), 8u);
  for (unsigned i = 0; i < 8; ++i) {
    MPlug element = newUV.elementByLogicalIndex(i);
    MIntArray verts;
    mesh.getPolygonVertices(static_cast<int>(i / 4), verts);
    EXPECT_EQ(element.child(0).asInt(), static_cast<int>(i / 4)) << i;
    EXPECT_EQ(element.child(1).asInt(), verts[i % 4]) << i;
    EXPECT_FLOAT_EQ(element.child(2).asFloat(), 0.125f * float(i)) << i;
    EXPECT_NEAR(element.child(3).asFloat(), 0.5f, 1e-6) << i;
  }
  EXPECT_EQ(mel("polyEvaluate -uvcoord pPlane1"), "8");
  // The UVs come through a save and a load.
  const std::string saved = directory_ + "/plane-saved.ma";
  std::string error;
  ASSERT_TRUE(OmbrixHost::saveMayaAscii(saved, error)) << error;
  OmbrixHost::resetScene();
  std::vector<std::string> problems;
  ASSERT_TRUE(OmbrixHost::loadMayaAscii(saved, problems));
  for (int p = 0; p < 2; ++p)
    for (int k = 0; k < 4; ++k) {
      float u, v;
      PolygonUV("pPlaneShape1", p, k, u, v);
      EXPECT_FLOAT_EQ(u, 0.125f * float(4 * p + k)) << p << "," << k;
      EXPECT_NEAR(v, 0.5f, 1e-6);
    }
  std::remove(saved.c_str());
}

// A mesh shaded per face without construction history: Maya's listHistory
// names its groupId nodes, yet nothing feeds its geometry.
TEST_F(ImportUVsTest, GroupIdsWithoutInputGeometryTakeTheFastMethod) {
  triangleStrip("strip", 2);
  mel("createNode groupId -n groupId1; createNode groupId -n groupId2;"
      "connectAttr groupId1.id stripShape.iog[0].og[0].gid; connectAttr groupId2.id stripShape.iog[0].og[1].gid");
  MStringArray history;
  MGlobal::executeCommand("listHistory stripShape", history, false, false);
  ASSERT_EQ(history.length(), 3u);
  WriteCor({StripRecord(1, 0.5f)});
  Select("strip");
  ASSERT_EQ(Import(), MStatus::kSuccess);
  EXPECT_NE(out_.find("using fast method"), std::string::npos) << out_;
  EXPECT_EQ(mel("ls -type polyTweakUV"), "");
  float u, v;
  PolygonUV("stripShape", 1, 2, u, v);
  EXPECT_FLOAT_EQ(u, 0.75f);
}

// The bits of a layout, so that "as before" means exactly as before.
std::string Bits(const MeshUvArrays& layout) {
  std::string out;
  auto floats = [&out](const std::vector<float>& values) {
    for (const float value : values) {
      uint32_t bits;
      std::memcpy(&bits, &value, 4);
      out += std::to_string(bits) + " ";
    }
    out += "| ";
  };
  auto ints = [&out](const std::vector<int>& values) {
    for (const int value : values) out += std::to_string(value) + " ";
    out += "| ";
  };
  floats(layout.us);
  floats(layout.vs);
  ints(layout.uvCounts);
  ints(layout.uvIds);
  return out;
}

std::string LayoutOf(const char* shape) {
  MFnMesh mesh(HostTest::path(shape));
  MeshUvArrays layout;
  readMeshUVs(mesh, mesh.currentUVSetName(), layout);
  return Bits(layout);
}

TEST_F(ImportUVsTest, UndoPutsTheFastMethodsLayoutBackBitForBitAndRedoAppliesItAgain) {
  triangleStrip("strip", 3);
  {
    // An unassigned UV and a face without UVs must come back too.
    MFnMesh mesh(path("stripShape"));
    MFloatArray us, vs;
    MIntArray counts, ids;
    for (int i = 0; i < 7; ++i) us.append(0.1f * float(i) + 0.01f), vs.append(0.3f);
    for (int f = 0; f < 3; ++f) counts.append(f == 1 ? 0 : 3);
    for (int i : {0, 1, 2, 3, 4, 5}) ids.append(i);
    mesh.setUVs(us, vs);
    ASSERT_EQ(mesh.assignUVs(counts, ids), MStatus::kSuccess);
  }
  const std::string before = LayoutOf("stripShape");
  const std::string nodes = mel("ls");
  WriteCor({StripRecord(0, 0.5f), StripRecord(2, 0.25f)});
  Select("strip");
  ASSERT_EQ(Import(), MStatus::kSuccess);
  ASSERT_FALSE(changes_->empty());
  const std::string after = LayoutOf("stripShape");
  ASSERT_NE(after, before);
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(changes_->undo(), MStatus::kSuccess);
    EXPECT_EQ(LayoutOf("stripShape"), before) << round;
    EXPECT_EQ(mel("ls"), nodes);
    EXPECT_EQ(changes_->redo(), MStatus::kSuccess);
    EXPECT_EQ(LayoutOf("stripShape"), after) << round;
  }
}

// The tweak node's plug values, face, vertex, u, v per element.
std::string TweakValues(const MObject& node) {
  MPlug newUV = MFnDependencyNode(node).findPlug("newUV", true);
  std::string out;
  for (unsigned i = 0; i < newUV.numElements(); ++i) {
    MPlug element = newUV.elementByLogicalIndex(i);
    out += std::to_string(element.child(0).asInt()) + "," + std::to_string(element.child(1).asInt()) + "," +
           std::to_string(element.child(2).asFloat()) + "," + std::to_string(element.child(3).asFloat()) + " ";
  }
  return out;
}

std::string InMeshSource(const char* shape) {
  MPlugArray sources;
  if (!MFnMesh(HostTest::path(shape)).findPlug("inMesh", true).connectedTo(sources, true, false) ||
      sources.length() == 0)
    return "";
  return MFnDependencyNode(sources[0].node()).name().asChar();
}

TEST_F(ImportUVsTest, UndoTakesTheTweakNodeOutAndRedoPutsItBackFilled) {
  LoadPlaneWithRecords(*this);
  triangleStrip("strip", 1);
  const std::string nodes = mel("ls");
  const std::string stripBefore = LayoutOf("stripShape");
  mel("select -r pPlane1");
  ASSERT_EQ(Import(), MStatus::kSuccess);
  ASSERT_EQ(InMeshSource("pPlaneShape1"), "polyTweakUV1");
  const std::string filled = TweakValues(node("polyTweakUV1"));
  ASSERT_FALSE(filled.empty());
  EXPECT_EQ(mel("getAttr polyTweakUV1.uvSetName"), "map1");
  EXPECT_EQ(changes_->undo(), MStatus::kSuccess);
  EXPECT_EQ(mel("ls"), nodes);
  EXPECT_EQ(InMeshSource("pPlaneShape1"), "polyPlane1");
  EXPECT_EQ(LayoutOf("stripShape"), stripBefore);
  EXPECT_EQ(changes_->redo(), MStatus::kSuccess);
  ASSERT_EQ(InMeshSource("pPlaneShape1"), "polyTweakUV1");
  EXPECT_EQ(TweakValues(node("polyTweakUV1")), filled);
  EXPECT_EQ(SourceOf(MFnDependencyNode(node("polyTweakUV1")), "inputPolymesh"), "polyMapDel1");
  EXPECT_EQ(mel("getAttr polyMapDel1.inputComponents"), "f[*]");
}

// A UV that follows the position.
void PositionUV(int, int, const MPoint& point, float& u, float& v) {
  u = float(0.1 + 0.3 * point.x);
  v = float(0.7 - 0.3 * point.z);
}

// Records whose UV follows the position keep the plane's sharing (a UV per
// vertex): its UVs are moved in place, by offsets that give the painter's
// values, and no UV is added.
TEST_F(ImportUVsTest, MovedUVsBecomeOffsetsOfTheUVsTheyMove) {
  std::vector<std::string> problems;
  ASSERT_TRUE(OmbrixHost::loadMayaAsciiText(kPlaneScene, "plane.ma", problems));
  const int uvsBefore = MFnMesh(path("pPlaneShape1")).numUVs();
  LoadPlaneWithRecords(*this, PositionUV);
  MFnMesh mesh(path("pPlaneShape1"));
  Select("pPlane1");
  ASSERT_EQ(Import(), MStatus::kSuccess);
  EXPECT_EQ(SourceOf(mesh, "inMesh"), "polyTweakUV1");
  EXPECT_EQ(SourceOf(MFnDependencyNode(node("polyTweakUV1")), "inputPolymesh"), "polyPlane1");
  EXPECT_EQ(MFnDependencyNode(node("polyTweakUV1")).findPlug("newUV", true).numElements(), 0u);
  EXPECT_EQ(mel("objExists polyMapDel1"), "0");
  EXPECT_EQ(mel("polyEvaluate -uvcoord pPlane1"), std::to_string(uvsBefore));
  const std::string saved = directory_ + "/moved-saved.ma";
  std::string error;
  ASSERT_TRUE(OmbrixHost::saveMayaAscii(saved, error)) << error;
  OmbrixHost::resetScene();
  ASSERT_TRUE(OmbrixHost::loadMayaAscii(saved, problems));
  MFnMesh reopened(path("pPlaneShape1"));
  EXPECT_EQ(reopened.numUVs(), uvsBefore);
  for (int p = 0; p < 2; ++p) {
    MIntArray verts;
    reopened.getPolygonVertices(p, verts);
    for (int k = 0; k < 4; ++k) {
      MPoint point;
      reopened.getPoint(verts[static_cast<unsigned>(k)], point);
      float u, v, wantU, wantV;
      PositionUV(p, k, point, wantU, wantV);
      PolygonUV("pPlaneShape1", p, k, u, v);
      // Exact where old + offset can give the value in float, else one step of the offset's precision off.
      EXPECT_NEAR(u, wantU, 6e-8) << p << "," << k;
      EXPECT_NEAR(v, wantV, 6e-8) << p << "," << k;
    }
  }
  std::remove(saved.c_str());
}

// One run over a mesh with history and one without: one undo takes both back.
TEST_F(ImportUVsTest, OneUndoTakesBackEveryMeshOfTheRun) {
  LoadPlaneWithRecords(*this);
  std::vector<std::vector<Corner>> records;
  triangleStrip("strip", 2);
  const std::string stripBefore = LayoutOf("stripShape");
  const std::string nodes = mel("ls");
  // The plane's records stay in the file; the strip's first triangle joins them.
  std::string bytes = ReadText(corPath_);
  const auto r = StripRecord(0, 0.5f);
  PutRecord(bytes, {r[0], r[1], r[2]});
  const uint32_t n = 5;
  for (int i = 0; i < 4; ++i) bytes[static_cast<size_t>(4 + i)] = static_cast<char>((n >> (8 * i)) & 0xFF);
  WriteText(corPath_, bytes);
  mel("select -r pPlane1 strip");
  ASSERT_EQ(Import(), MStatus::kSuccess);
  ASSERT_NE(LayoutOf("stripShape"), stripBefore);
  ASSERT_EQ(InMeshSource("pPlaneShape1"), "polyTweakUV1");
  EXPECT_EQ(changes_->undo(), MStatus::kSuccess);
  EXPECT_EQ(LayoutOf("stripShape"), stripBefore);
  EXPECT_EQ(mel("ls"), nodes);
}

// A selected shader is no DAG node: nothing is walked for it, whatever the
// DAG iterator would do with it as a root.
TEST_F(ImportUVsTest, ItemsThatAreNoDagNodesAreNotWalked) {
  triangleStrip("a", 1);
  triangleStrip("b", 1);
  mel("createNode lambert -n paint");
  WriteCor({StripRecord(0, 0.5f)});
  Select("a");
  Select("paint");
  ASSERT_EQ(Import(), MStatus::kSuccess);
  EXPECT_EQ(err_, "Importing UV's for |a|aShape\nFinished Importing UV's\n");
}

}  // namespace
