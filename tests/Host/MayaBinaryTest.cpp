// Maya Binary scenes: the two rig files Maya 2020 saved, files built here
// chunk by chunk in both container widths (read back as their Maya ASCII
// equivalents are), and damaged files.
#include "HistoryScene.h"
#include "MayaBinaryBuild.h"
#include "Support/FileText.h"

#include <maya/MFloatArray.h>
#include <maya/MPointArray.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace HistoryScene;
using namespace MayaBinaryBuild;

namespace {

namespace fs = std::filesystem;

const fs::path kRigs = fs::path(OMBRIX_SHARED_MAYA) / "mb";

std::vector<std::string> loadBinary(const std::string& bytes, bool* complete = nullptr) {
  std::vector<std::string> problems;
  bool ok = OmbrixHost::loadMayaBinaryData(bytes, "scene.mb", problems);
  if (complete)
    *complete = ok;
  return problems;
}

// The scene summary without the file kind, which is all that may differ.
std::string statsWithoutFormat() {
  std::string stats = OmbrixHost::sceneStatsJson();
  auto at = stats.find(",\"format\":");
  return at == std::string::npos ? stats : stats.substr(0, at) + "}";
}

// The same nodes as Maya 2015 writes them: no UUIDs, no 0x80 on nodes at
// the top; times in 32-bit ticks of 1/6000 s. A groupParts node names faces,
// and the mesh carries normals and a second UV set with no UVs.
std::string olderScene(const Iff& f, const std::string& mesh) {
  std::string box = f.chunk("CREA", "\x0c" + cstr("box")) + f.attr("DBL3", "t", f64(1) + f64(2) + f64(3));
  std::string shape = f.chunk("CREA", "\x04" + cstr("boxShape") + cstr("box")) + f.attr("MESH", "o", mesh);
  std::string parts = f.chunk("CREA", std::string(1, '\0') + cstr("groupParts1")) +
                      f.attr("CMP#", "ic", i32(1) + "CMDF" + i32(2) + i32(0) + i32(0) + i32(2) + i32(4));
  std::string time = f.chunk("SLCT", ":time1") + f.attr("DBLE", "o", i32(250 * 12));
  return f.group("Maya", f.group("HEAD", f.chunk("VERS", "2015")) + f.group("XFRM", box) + f.group("DMSH", shape) +
                             f.group("GRPP", parts) + f.group("SLCT", time));
}

// The quad with a normal per corner and a second UV set that gives none.
std::string quadWithNormals() {
  std::string m = quadValue();
  std::string normals = i32(12);
  for (int k = 0; k < 4; ++k)
    normals += f32(0) + f32(1) + f32(0);
  std::string uvs = normals + i32(0) + i32(2) + i32(0) + cstr("map1") + i32(8);
  for (float v : {0.f, 0.f, 1.f, 0.f, 1.f, 1.f, 0.f, 1.f})
    uvs += f32(v);
  uvs += i32(4) + i32(0) + i32(1) + i32(3) + i32(2) + cstr("shadow") + i32(0) + i32(4);
  for (int k = 0; k < 4; ++k)
    uvs += i32(-1);
  const std::size_t facesEnd = 4 + 12 * 4 + 4 + 8 * 4 + 4 + 4 * 4;
  return m.substr(0, facesEnd) + uvs;
}

const char* kBoxAscii =
    "//Maya ASCII 2020 scene\n"
    "requires maya \"2020\";\nrequires \"stereoCamera\" \"10.0\";\n"
    "currentUnit -l centimeter -a degree -t film;\nfileInfo \"application\" \"maya\";\n"
    "createNode transform -n \"box\";\n"
    "\tsetAttr \".t\" -type \"double3\" 1 2 3 ;\n\tsetAttr \".r\" -type \"double3\" 0 90 0 ;\n"
    "createNode mesh -n \"boxShape\" -p \"box\";\n"
    "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
    "\tsetAttr -s 4 \".uvst[0].uvsp[0:3]\" -type \"float2\" 0 0 1 0 1 1 0 1;\n"
    "\tsetAttr -s 4 \".vt[0:3]\"  -0.5 0 0.5 0.5 0 0.5 -0.5 0 -0.5 0.5 0 -0.5;\n"
    "\tsetAttr -s 4 \".ed[0:3]\"  0 1 0 0 2 0 1 3 0 2 3 0;\n"
    "\tsetAttr -ch 4 \".fc[0]\" -type \"polyFaces\" f 4 0 2 -4 -2 mu 0 4 0 1 3 2;\n"
    "connectAttr \"boxShape.iog\" \":initialShadingGroup.dsm\" -na;\n";

}  // namespace

TEST_F(HostTest, MayaBinaryRigsLoadWithEveryNodeAndTheirSkinnedCubeAtItsPose) {
  // The layout rig binds the cube to its root joint alone; the animation rig
  // adds a control and a joint above and below it.
  const std::vector<std::string> animOnly = {"bot_ctrl", "bot_ctrlShape", "bot_jnt", "top_ctrl",
                                             "top_ctrlShape", "top_jnt", "makeNurbCircle1"};
  for (const char* file : {"rig.anim.mb", "rig.layout.mb"}) {
    SCOPED_TRACE(file);
    const bool anim = std::string(file) == "rig.anim.mb";
    if (!fs::exists(kRigs / file))
      GTEST_SKIP() << "no " << (kRigs / file);
    std::vector<std::string> problems;
    EXPECT_TRUE(OmbrixHost::loadSceneFile((kRigs / file).string(), problems)) << joined(problems);
    EXPECT_EQ(joined(problems).find("connectAttr"), std::string::npos) << joined(problems);
    expectAllEvaluated(problems);
    for (const char* name :
         {"persp", "perspShape", "top", "front", "side", "cube", "geo", "mesh", "meshShape", "meshShapeOrig", "rig",
          "root_ctrl", "root_ctrlShape", "root", "skinCluster1", "tweak1", "skinCluster1Set", "skinCluster1GroupId",
          "skinCluster1GroupParts", "tweakSet1", "groupId2", "groupParts2", "bindPose1",
          "uiConfigurationScriptNode", "sceneConfigurationScriptNode", "shapeEditorManager"})
      EXPECT_EQ(mel(std::string("objExists ") + name), "1") << name;
    for (const auto& name : animOnly)
      EXPECT_EQ(mel("objExists " + name), anim ? "1" : "0") << name;
    EXPECT_EQ(mel("objExists polyCube1"), anim ? "0" : "1");
    EXPECT_EQ(mel("nodeType root"), "joint");
    EXPECT_EQ(mel("nodeType skinCluster1"), "skinCluster");
    EXPECT_EQ(mel("nodeType bindPose1"), "dagPose");
    EXPECT_NE(OmbrixHost::sceneStatsJson().find("\"format\":\"mayaBinary\""), std::string::npos);

    // The cube whole: 8 corners, 6 quads, 14 UVs on map1.
    MFnMesh orig(path("meshShapeOrig"));
    EXPECT_EQ(orig.numVertices(), 8);
    EXPECT_EQ(orig.numPolygons(), 6);
    EXPECT_EQ(orig.numUVs(), 14);
    float u, v;
    ASSERT_EQ(orig.getPolygonUV(4, 1, u, v), MStatus::kSuccess);
    EXPECT_FLOAT_EQ(u, 0.875f);  // face 4, corner 1: UV 10
    EXPECT_FLOAT_EQ(v, 0.0f);
    // In the animation rig the offset parent matrices put bot_jnt 0.5 up and
    // top_jnt 0.5 down, where they were bound: the top four corners (on
    // bot_jnt) and the bottom four (on top_jnt) come out where the undeformed
    // cube has them; the layout rig's root joint holds all at the origin.
    MPointArray p = pointsOf("meshShape");
    ASSERT_EQ(p.length(), 8u);
    expectPoint(p, 0, -0.5, -0.5, 0.5);
    expectPoint(p, 3, 0.5, 0.5, 0.5);
    expectPoint(p, 4, -0.5, 0.5, -0.5);
    expectPoint(p, 7, 0.5, -0.5, -0.5);
  }

  // The animation rig posed: bot_ctrl's offset parent matrix raised from 0.5 to 1.5 (the
  // double at row 3, column 1 of its opm value) carries bot_jnt, and with it the top four
  // corners, 1 up; the bottom four stay on top_jnt.
  std::string rig = ReadText(kRigs / "rig.anim.mb");
  const auto opm = rig.find(std::string("opm\0", 4), rig.find(std::string("bot_ctrl\0root_ctrl", 18)));
  ASSERT_NE(opm, std::string::npos);
  rig.replace(opm + 5 + 13 * 8, 8, f64(1.5));
  auto problems = loadBinary(rig);
  expectAllEvaluated(problems);
  MPointArray p = pointsOf("meshShape");
  ASSERT_EQ(p.length(), 8u);
  expectPoint(p, 2, -0.5, 1.5, 0.5);
  expectPoint(p, 5, 0.5, 1.5, -0.5);
  expectPoint(p, 0, -0.5, -0.5, 0.5);
  expectPoint(p, 6, -0.5, -0.5, -0.5);
}

TEST_F(HostTest, MayaBinaryBuiltInBothWidthsReadsAsItsMayaAsciiTwin) {
  std::vector<std::string> problems;
  OmbrixHost::loadMayaAsciiText(kBoxAscii, "box.ma", problems);
  ASSERT_EQ(joined(problems), "");
  const std::string asciiStats = statsWithoutFormat();
  const MPointArray asciiPoints = [] {
    MPointArray points;
    MFnMesh(path("boxShape")).getPoints(points, MSpace::kWorld);
    return points;
  }();
  for (bool wide : {false, true}) {
    SCOPED_TRACE(wide ? "FOR8" : "FOR4");
    bool complete = false;
    problems = loadBinary(boxScene(Iff{wide}, quadValue()), &complete);
    EXPECT_TRUE(complete);
    EXPECT_EQ(joined(problems), "");
    EXPECT_EQ(statsWithoutFormat(), asciiStats);
    // Radians in the file, degrees for MEL; the header's version and plug-in.
    EXPECT_EQ(mel("getAttr box.r"), "0 90 0");
    EXPECT_EQ(mel("getAttr box.t"), "1 2 3");
    MPointArray points;
    MFnMesh shape(path("boxShape"));
    shape.getPoints(points, MSpace::kWorld);
    ASSERT_EQ(points.length(), asciiPoints.length());
    for (unsigned int i = 0; i < points.length(); ++i)
      EXPECT_LT(points[i].distanceTo(asciiPoints[i]), 1e-6) << i;
    MIntArray corners;
    shape.getPolygonVertices(0, corners);
    ASSERT_EQ(corners.length(), 4u);
    EXPECT_EQ(corners[2], 3);
    float u, v;
    shape.getPolygonUV(0, 2, u, v);
    EXPECT_FLOAT_EQ(u, 0.f);
    EXPECT_FLOAT_EQ(v, 1.f);
  }
}

TEST_F(HostTest, MayaBinaryOfMaya2015ReadsItsNodesTimesAndComponents) {
  bool complete = false;
  auto problems = loadBinary(olderScene(Iff{true}, quadWithNormals()), &complete);
  EXPECT_TRUE(complete);
  EXPECT_EQ(joined(problems), "");
  EXPECT_EQ(mel("getAttr box.t"), "1 2 3");
  EXPECT_EQ(path("boxShape").fullPathName(), MString("|box|boxShape"));
  EXPECT_EQ(mel("getAttr time1.o"), "12");  // 3000 ticks of 1/6000 s at 24 frames a second
  EXPECT_EQ(mel("getAttr groupParts1.ic"), "f[0] f[2:4]");
  MFnMesh shape(path("boxShape"));
  EXPECT_EQ(shape.numPolygons(), 1);
  MStringArray sets;
  shape.getUVSetNames(sets);
  ASSERT_EQ(sets.length(), 2u);
  EXPECT_EQ(sets[1], MString("shadow"));
  float u, v;
  EXPECT_EQ(shape.getPolygonUV(0, 2, u, v), MStatus::kSuccess);
  EXPECT_FLOAT_EQ(v, 1.f);
}

TEST_F(HostTest, DamagedMayaBinaryFilesAreToldByOffsetAndTheSoundRestLoads) {
  const Iff f{true};
  const std::string sound = boxScene(f, quadValue());
  // Cut anywhere: never a crash, and a cut file is never taken as whole.
  for (std::size_t length = 0; length < sound.size(); length += 7) {
    bool complete = true;
    auto problems = loadBinary(sound.substr(0, length), &complete);
    EXPECT_FALSE(complete) << length;
    ASSERT_FALSE(problems.empty()) << length;
    EXPECT_EQ(problems[0].compare(0, 17, "scene.mb: offset "), 0) << problems[0];
  }
  // Cut inside the connections: the nodes before load, the shape outside any shading group.
  bool cutComplete = true;
  auto cutProblems = loadBinary(sound.substr(0, sound.find("CWFL") + 20), &cutComplete);
  EXPECT_FALSE(cutComplete);
  EXPECT_NE(joined(cutProblems).find("scene.mb: offset " + std::to_string(sound.find("CWFL") + 20) +
                                     ": the file ends before its Maya group does (" + std::to_string(sound.size()) +
                                     " bytes)"),
            std::string::npos)
      << joined(cutProblems);
  EXPECT_EQ(mel("getAttr box.t"), "1 2 3");
  EXPECT_EQ(MFnMesh(path("boxShape")).numPolygons(), 1);
  if (fs::exists(kRigs / "rig.anim.mb")) {
    const std::string rig = ReadText(kRigs / "rig.anim.mb");
    for (std::size_t length = 0; length < rig.size(); length += 997)
      loadBinary(rig.substr(0, length));
  }

  // A mesh whose vertex count exceeds its chunk: the mesh is left out, told, and the rest loads.
  auto problems = loadBinary(boxScene(f, quadValue(1 << 30)));
  EXPECT_NE(joined(problems).find("boxShape: the mesh is broken (the vertex count exceeds the chunk) (refused)"),
            std::string::npos)
      << joined(problems);
  EXPECT_EQ(mel("getAttr box.t"), "1 2 3");
  // It counts as refused geometry, as mayahost's exit status and --stats "refused" show.
  EXPECT_EQ(OmbrixHost::loadRefusals().geometry, 1);
  EXPECT_NE(OmbrixHost::sceneStatsJson().find("\"refused\":{\"total\":1,\"geometry\":1}"), std::string::npos);

  // A size past the parent group: the groups before it load.
  std::string overlong = sound;
  const auto shapeAt = overlong.find("DMSH") - 16;
  overlong.replace(shapeAt + 8, 8, be(1ull << 40, 8));
  bool complete = true;
  problems = loadBinary(overlong, &complete);
  EXPECT_FALSE(complete);
  EXPECT_NE(joined(problems).find("scene.mb: offset " + std::to_string(shapeAt) + ": the size of FOR8 (1099511627776) "
                                  "reaches past its group"),
            std::string::npos)
      << joined(problems);
  EXPECT_EQ(mel("getAttr box.t"), "1 2 3");

  // Groups nested without end, and a type code no table has: told, and skipped by their size.
  std::string nested = f.chunk("CREA", "\x80" + cstr("deep") + kUuid);
  for (int i = 0; i < 5000; ++i)
    nested = f.group("ZZZZ", nested);
  std::string strange = sound;
  strange.insert(strange.find("FOR8", 16), nested + f.group("ZZZZ", f.chunk("CREA", "\x80" + cstr("odd") + kUuid)));
  std::string top = strange.substr(0, 8) + be(strange.size() - 16, 8) + strange.substr(16);
  problems = loadBinary(top);
  EXPECT_NE(joined(problems).find("scene.mb: offset 40: the node group ZZZZ does not begin with CREA"), std::string::npos)
      << joined(problems);
  EXPECT_NE(joined(problems).find("the node type code \"ZZZZ\" is not known; odd is read as an unknown node"),
            std::string::npos)
      << joined(problems);
  EXPECT_EQ(mel("nodeType odd"), "unknown");
  EXPECT_EQ(mel("getAttr box.t"), "1 2 3");
  EXPECT_EQ(MFnMesh(path("boxShape")).numPolygons(), 1);

  // An element index far beyond what the file's bytes could fill is refused before anything is allocated.
  const std::string skin = f.chunk("CREA", "\x80" + cstr("skin") + kUuid) + f.attr("DBLE", "dpf[5]", f64(4)) +
                           f.attr("DBLE", "dpf[100000]", f64(4));
  problems = loadBinary(f.group("Maya", f.group("FSCL", skin)));
  EXPECT_NE(joined(problems).find("skinCluster skin: the indices in dpf[100000] are beyond what the file can hold"),
            std::string::npos)
      << joined(problems);
  EXPECT_EQ(mel("getAttr skin.dpf[5]"), "4");

  // Weight rows in two chunks, the second continuing the row the first ended with, as
  // Maya ASCII files cut them: per row a count, then influence and weight pairs.
  auto row = [](int influence, double weight) { return i32(1) + i32(influence) + f64(weight); };
  const std::string rows = f.chunk("CREA", "\x80" + cstr("skin") + kUuid) +
                           f.attr("DBLE", "wl[0:1].w", row(0, 1.0) + row(0, 0.25)) +
                           f.attr("DBLE", "wl[1:2].w", row(1, 0.75) + row(1, 1.0));
  problems = loadBinary(f.group("Maya", f.group("FSCL", rows)));
  EXPECT_EQ(joined(problems).find("wl["), std::string::npos) << joined(problems);  // no chunk refused
  EXPECT_EQ(mel("getAttr skin.wl[1].w[0]"), "0.25");
  EXPECT_EQ(mel("getAttr skin.wl[1].w[1]"), "0.75");
  EXPECT_EQ(mel("getAttr skin.wl[2].w[1]"), "1");

  // Not a Maya Binary file at all.
  problems = loadBinary(std::string("FOR4\0\0\0\x04Mayb", 12));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0], "scene.mb: offset 0: not a Maya Binary scene (its form is \"Mayb\", not \"Maya\")");
}

// Every input the Maya Binary fuzzer keeps is read again: refused or read, never a crash.
TEST_F(HostTest, MayaBinaryFuzzCorpusReadsWithoutHarm) {
  const fs::path corpus = fs::path(OMBRIX_FUZZ_CORPUS) / "fuzz_maya_binary";
  int read = 0;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(corpus, error)) {
    SCOPED_TRACE(entry.path().string());
    loadBinary(ReadText(entry.path()));
    OmbrixHost::sceneStatsJson();
    ++read;
  }
  EXPECT_GT(read, 0) << corpus;
}
