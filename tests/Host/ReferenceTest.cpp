// File references in Maya ASCII scenes, as Maya opens them: namespaces,
// nesting, deferred and missing references, the reference nodes' edits,
// where referenced files are found, and saving the references back.
#include "HostFixture.h"
#include "References.h"
#include "Support/FileText.h"
#include <maya/MPlugArray.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char* kHeader = "//Maya ASCII 2018ff09 scene\n//Codeset: 1252\n";

void writeText(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

// A copy of the reference project, so that saved scenes land beside the
// shot; it is the session's workspace, as a pipeline sets Maya's project.
fs::path projectCopy(const std::string& name) {
  fs::path dir = fs::temp_directory_path() / ("ombrix-host-references-" + name);
  fs::remove_all(dir);
  fs::copy(OMBRIX_REFERENCE_DATA, dir, fs::copy_options::recursive);
  OmbrixHost::setWorkspaceRoot(dir.generic_string());
  return dir;
}

std::vector<std::string> load(const fs::path& scene) {
  std::vector<std::string> problems;
  OmbrixHost::loadMayaAscii(scene.generic_string(), problems);
  return problems;
}

std::vector<std::string> containing(const std::vector<std::string>& lines, const std::string& part) {
  std::vector<std::string> out;
  for (const auto& l : lines)
    if (l.find(part) != std::string::npos)
      out.push_back(l);
  return out;
}

// "file -r" line of a test asset, as Maya writes it.
std::string referenceLines(const std::string& ns, const std::string& path, const std::string& node = "",
                           const std::string& type = "mayaAscii") {
  const std::string rfn = node.empty() ? ns + "RN" : node;
  return "file -rdi 1 -ns \"" + ns + "\" -rfn \"" + rfn + "\" -op \"v=0;\" -typ \"" + type + "\" \"" + path + "\";\n" +
         "file -r -ns \"" + ns + "\" -dr 1 -rfn \"" + rfn + "\" -op \"v=0;\" -typ \"" + type + "\" \"" + path + "\";\n";
}

std::string box(const std::string& name) {
  return "createNode transform -n \"" + name + "\";\ncreateNode mesh -n \"" + name + "Shape\" -p \"" + name +
         "\";\ncreateNode polyCube -n \"" + name + "Cube\";\nconnectAttr \"" + name + "Cube.out\" \"" + name +
         "Shape.i\";\n";
}

// Whether `from` (node.attribute) feeds `to`.
bool connected(const std::string& from, const std::string& to) {
  auto split = [](const std::string& plug) {
    auto dot = plug.find('.');
    return std::make_pair(plug.substr(0, dot), plug.substr(dot + 1));
  };
  auto [toNode, toAttr] = split(to);
  MFnDependencyNode fn(HostTest::node(toNode.c_str()));
  MPlugArray sources;
  fn.findPlug(toAttr.c_str()).connectedTo(sources, true, false);
  for (unsigned int i = 0; i < sources.length(); ++i) {
    auto [fromNode, fromAttr] = split(from);
    MFnDependencyNode source(sources[i].node());
    if (source.name() == MString(fromNode.c_str()) && sources[i].partialName() == MString(fromAttr.c_str()))
      return true;
  }
  return false;
}

}  // namespace

class ReferenceTest : public HostTest {};

TEST_F(ReferenceTest, ShotLoadsItsReferencesWithTheirEditsAsMayaOpensIt) {
  auto problems = load(projectCopy("shot") / "scenes" / "shot.ma");
  // Two loaded copies of one asset under their namespaces, a nested reference with the edits of both files.
  EXPECT_EQ(mel("getAttr pillow:pCube1.tx"), "5");
  EXPECT_EQ(mel("getAttr pillow1:pCube1.tx"), "0");
  EXPECT_EQ(mel("getAttr livingRoomLamp:lampBase.tx"), "-4");
  EXPECT_EQ(mel("getAttr livingRoomLamp:bulb:pSphere1.ty"), "3");
  EXPECT_EQ(mel("getAttr livingRoomLamp:bulb:pSphere1.sy"), "2");
  EXPECT_EQ(mel("objExists pSphere1"), "0");
  // The asset's shared nodes (its camera) are the shot's own.
  EXPECT_EQ(mel("objExists pillow:persp"), "0");
  EXPECT_EQ(mel("objExists pillow:perspShape"), "0");
  // parent, addAttr, setAttr, deleteAttr, connectAttr and placeholder edits.
  EXPECT_EQ(path("pillow1:pCube1").fullPathName(), MString("|set_grp|pillow1:pCube1"));
  EXPECT_EQ(mel("getAttr pillow1:pCube1.ry"), "45");
  EXPECT_EQ(mel("getAttr pillow:pCube1.squash"), "0.25");
  EXPECT_EQ(mel("objExists pillow:pCube1.note"), "0");
  EXPECT_EQ(mel("objExists pillow1:pCube1.note"), "1");
  EXPECT_TRUE(connected("pCube1_translateY.o", "pillow:pCube1.ty"));
  EXPECT_TRUE(connected("pillow:pCube1.sy", "pillow1:pCube1.sy"));
  // Shading of the referenced file keeps its namespace.
  EXPECT_TRUE(connected("pillow:lambert2.oc", "pillow:lambert2SG.ss"));
  // The deferred reference and the missing one make no nodes; each missing thing is told once.
  EXPECT_EQ(mel("objExists crate:crateBox1"), "0");
  auto ghost = containing(problems, "ghostRN");
  ASSERT_EQ(ghost.size(), 1u) << ::testing::PrintToString(problems);
  EXPECT_NE(ghost[0].find("shot.ma:15: Warning: reference ghostRN: cannot find"), std::string::npos) << ghost[0];
  EXPECT_NE(ghost[0].find("scenes/assets/ghost.ma\", \""), std::string::npos) << ghost[0];
  auto lacking = containing(problems, "|pillow:pCube2");
  ASSERT_EQ(lacking.size(), 1u);
  EXPECT_NE(lacking[0].find("shot.ma:35: Warning: reference edit of pillowRN"), std::string::npos) << lacking[0];
  EXPECT_EQ(problems.size(), 2u) << ::testing::PrintToString(problems);

  const std::string stats = OmbrixHost::sceneStatsJson();
  EXPECT_NE(stats.find("{\"node\":\"livingRoomLamp:bulbRN\",\"namespace\":\"livingRoomLamp:bulb\",\"file\":\""), std::string::npos);
  EXPECT_NE(stats.find("scenes/assets/bulb.ma\",\"depth\":2,\"state\":\"loaded\"}"), std::string::npos) << stats;
  EXPECT_NE(stats.find("\"node\":\"crateRN\",\"namespace\":\"crate\""), std::string::npos);
  EXPECT_NE(stats.find("crate.ma\",\"depth\":1,\"state\":\"deferred\"}"), std::string::npos) << stats;
  EXPECT_NE(stats.find("ghost.ma\",\"depth\":1,\"state\":\"missing\"}"), std::string::npos) << stats;
}

TEST_F(ReferenceTest, SavedSceneKeepsItsReferencesAndReloadsTheSame) {
  fs::path dir = projectCopy("save");
  load(dir / "scenes" / "shot.ma");
  const std::string before = OmbrixHost::sceneStatsJson();
  std::string error;
  ASSERT_TRUE(OmbrixHost::saveMayaAscii((dir / "scenes" / "again.ma").generic_string(), error)) << error;
  const std::string text = ReadText(dir / "scenes" / "again.ma");
  EXPECT_NE(text.find("file -rdi 2 -ns \"bulb\" -rfn \"livingRoomLamp:bulbRN\" -op \"v=0;\" -typ \"mayaAscii\" "
                      "\"scenes/assets/bulb.ma\";\n"),
            std::string::npos);
  EXPECT_NE(text.find("file -rdi 1 -ns \"crate\" -dr 1 -rfn \"crateRN\""), std::string::npos);
  EXPECT_NE(text.find("file -r -ns \"livingRoomLamp\" -dr 1 -rfn \"lampRN\" -op \"v=0;\" -typ \"mayaAscii\" "
                      "\"assets/lamp.ma\";\n"),
            std::string::npos);
  EXPECT_EQ(text.find("file -r -ns \"bulb\""), std::string::npos);
  // Referenced nodes come back from their files, not from the scene.
  EXPECT_EQ(text.find("createNode mesh"), std::string::npos);
  EXPECT_EQ(text.find("pillow:lambert2"), std::string::npos);
  EXPECT_NE(text.find("\t\t\"livingRoomLamp:bulbRN\" 1\n\t\t2 \"|livingRoomLamp:bulb:pSphere1\" \"scale\" \" -type \\\"double3\\\" 2 2 2\""),
            std::string::npos);
  auto problems = load(dir / "scenes" / "again.ma");
  EXPECT_EQ(problems.size(), 2u) << ::testing::PrintToString(problems);
  EXPECT_EQ(OmbrixHost::sceneStatsJson(), before);
  EXPECT_EQ(path("pillow1:pCube1").fullPathName(), MString("|set_grp|pillow1:pCube1"));
}

TEST_F(ReferenceTest, BadReferencesAreToldWithFileAndLineAndTheRestLoads) {
  fs::path dir = fs::temp_directory_path() / "ombrix-host-references-bad";
  fs::remove_all(dir);
  // a.ma -> b.ma -> a.ma: the cycle is cut where it closes.
  writeText(dir / "a.ma", std::string(kHeader) + referenceLines("b", "b.ma") + box("boxA"));
  writeText(dir / "b.ma", std::string(kHeader) + referenceLines("a", "a.ma") + box("boxB"));
  writeText(dir / "self.ma", std::string(kHeader) + referenceLines("me", "self.ma") + box("boxSelf"));
  writeText(dir / "rig.fbx", "Kaydara FBX Binary");
  // A chain of references far deeper than any scene nests them.
  for (int k = 0; k < 40; ++k)
    writeText(dir / ("deep" + std::to_string(k) + ".ma"),
              std::string(kHeader) + referenceLines("d", "deep" + std::to_string(k + 1) + ".ma"));
  writeText(dir / "deep40.ma", std::string(kHeader) + box("bottom"));
  writeText(dir / "shot.ma", std::string(kHeader) + referenceLines("a", "a.ma") + referenceLines("me", "self.ma") +
                                 referenceLines("rig", "rig.fbx", "rigRN", "FBX export") + referenceLines("d", "deep0.ma") +
                                 referenceLines("a", "a.ma", "second_aRN") + box("own"));
  auto problems = load(dir / "shot.ma");
  auto cycle = containing(problems, "a reference cycle");
  ASSERT_EQ(cycle.size(), 3u) << ::testing::PrintToString(problems);
  EXPECT_NE(cycle[0].find("b.ma:4: Warning: reference a:b:aRN: \""), std::string::npos) << cycle[0];
  EXPECT_NE(cycle[1].find("self.ma:4: Warning: reference me:meRN:"), std::string::npos) << cycle[1];
  auto binary = containing(problems, "rigRN");
  ASSERT_EQ(binary.size(), 1u);
  EXPECT_NE(binary[0].find("shot.ma:8: Warning: reference rigRN: \""), std::string::npos) << binary[0];
  EXPECT_NE(binary[0].find("rig.fbx\": files of type \"FBX export\" are not read by this host; tried"),
            std::string::npos)
      << binary[0];
  auto deep = containing(problems, "references nest deeper than 32");
  EXPECT_EQ(deep.size(), 1u) << ::testing::PrintToString(problems);
  auto clash = containing(problems, "namespace \"a\" is in use");
  ASSERT_EQ(clash.size(), 1u) << ::testing::PrintToString(problems);
  EXPECT_NE(clash[0].find("shot.ma:12: Warning: reference second_aRN: namespace \"a\" is in use; the reference is "
                          "read into \"a1\""),
            std::string::npos);
  // What is sound loads.
  EXPECT_EQ(mel("objExists own"), "1");
  EXPECT_EQ(mel("objExists a:boxA"), "1");
  EXPECT_EQ(mel("objExists a:b:boxB"), "1");
  EXPECT_EQ(mel("objExists a1:boxA"), "1");
  EXPECT_EQ(mel("objExists me:boxSelf"), "1");
  EXPECT_EQ(mel("objExists d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:d:bottom"), "0");
  EXPECT_NE(OmbrixHost::sceneStatsJson().find("\"node\":\"rigRN\",\"namespace\":\"rig\""), std::string::npos);
}

TEST_F(ReferenceTest, ReferenceEditsThatCannotBeReadAreReportedAndTheSceneLoads) {
  fs::path dir = fs::temp_directory_path() / "ombrix-host-references-edits";
  fs::remove_all(dir);
  writeText(dir / "asset.ma", std::string(kHeader) + box("thing"));
  auto problems = load(dir / "asset.ma");
  writeText(dir / "shot.ma", std::string(kHeader) + referenceLines("x", "asset.ma") +
                                 "createNode reference -n \"xRN\";\n"
                                 "\tsetAttr \".ed\" -type \"dataReferenceEdits\" \n\t\t\"xRN\"\n\t\t\"xRN\" 2\n"
                                 "\t\t2 \"|x:thing\" \"translate\" \" -type \\\"double3\\\" 1 2 3\"\n"
                                 "\t\t9 \"|x:thing\";\n" +
                                 "createNode reference -n \"strayRN\";\n"
                                 "\tsetAttr \".ed\" -type \"dataReferenceEdits\" \n\t\t\"strayRN\"\n"
                                 "\t\t\"strayRN\" 1\n\t\t2 \"|y:thing\" \"visibility\" \" 0\";\n" +
                                 box("own"));
  problems = load(dir / "shot.ma");
  ASSERT_EQ(problems.size(), 2u) << ::testing::PrintToString(problems);
  EXPECT_NE(problems[0].find("shot.ma:6: setAttr: dataReferenceEdits: edit 2 of xRN: unknown edit kind 9"),
            std::string::npos)
      << problems[0];
  EXPECT_NE(problems[1].find("shot.ma:12: setAttr: reference edits on strayRN, which no file reference names"),
            std::string::npos)
      << problems[1];
  EXPECT_EQ(mel("objExists x:thing"), "1");
  EXPECT_EQ(mel("objExists own"), "1");
}

TEST_F(ReferenceTest, ReferencedFilesAreLookedForWhereMayaLooks) {
  fs::path root = fs::temp_directory_path() / "ombrix-host-references-paths";
  fs::remove_all(root);
  writeText(root / "workspace.mel", "workspace -fr \"scene\" \"shots\";\nworkspace -fr \"mayaAscii\" \"shots\";\n");
  const std::string scene = (root / "shots" / "seq" / "s1.ma").generic_string();
  const std::string r = root.generic_string();
  // A path from another machine: below the scenes folder, then by its name, here and in the workspace.
  EXPECT_EQ(OmbrixHost::referenceCandidates("D:\\work\\proj\\shots\\props\\cup.ma", scene, r),
            (std::vector<std::string>{"D:/work/proj/shots/props/cup.ma", r + "/shots/seq/props/cup.ma",
                                      r + "/shots/seq/cup.ma", r + "/shots/props/cup.ma", r + "/shots/cup.ma"}));
  // A relative path: beside the scene, then from the workspace and its scenes folder.
  EXPECT_EQ(OmbrixHost::referenceCandidates("props/cup.ma", scene, r),
            (std::vector<std::string>{"props/cup.ma", r + "/shots/seq/props/cup.ma", r + "/props/cup.ma",
                                      r + "/shots/props/cup.ma"}));
#ifdef _WIN32
  _putenv_s("OMBRIX_ASSETS", "/srv/assets");
#else
  setenv("OMBRIX_ASSETS", "/srv/assets", 1);
#endif
  EXPECT_EQ(OmbrixHost::expandEnvironment("$OMBRIX_ASSETS/a.ma ${OMBRIX_ASSETS}/b %OMBRIX_ASSETS%/c $NOT_SET_HERE_X/d"),
            "/srv/assets/a.ma /srv/assets/b /srv/assets/c $NOT_SET_HERE_X/d");
  EXPECT_EQ(OmbrixHost::referenceCandidates("$OMBRIX_ASSETS/cup.ma", scene, "").front(), "/srv/assets/cup.ma");
}

TEST_F(ReferenceTest, OlderScenesReferenceWithRenamingPrefixesAndNoDepthInfo) {
  fs::path dir = fs::temp_directory_path() / "ombrix-host-references-prefix";
  fs::remove_all(dir);
  writeText(dir / "asset.ma", std::string(kHeader) + box("thing"));
  // Maya before namespaces by default: a prefix, and a reference loaded at its own line.
  writeText(dir / "shot.ma", std::string(kHeader) +
                                 "file -r -rpr \"Hero\" -rfn \"HeroRN\" -typ \"mayaAscii\" \"asset.ma\";\n"
                                 "file -r -rpr \"Idle\" -dr 1 -rfn \"IdleRN\" -typ \"mayaAscii\" \"asset.ma\";\n"
                                 "createNode reference -n \"HeroRN\";\n"
                                 "\tsetAttr \".ed\" -type \"dataReferenceEdits\" \n\t\t\"HeroRN\"\n\t\t\"HeroRN\" 1\n"
                                 "\t\t2 \"|Hero_thing\" \"translate\" \" -type \\\"double3\\\" 0 7 0\";\n");
  auto problems = load(dir / "shot.ma");
  EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems);
  EXPECT_EQ(mel("getAttr Hero_thing.ty"), "7");
  EXPECT_EQ(mel("objExists Hero_thingShape"), "1");
  EXPECT_EQ(mel("objExists Idle_thing"), "0");
  const std::string stats = OmbrixHost::sceneStatsJson();
  EXPECT_NE(stats.find("{\"node\":\"HeroRN\",\"namespace\":\"Hero\""), std::string::npos) << stats;
  EXPECT_NE(stats.find("{\"node\":\"IdleRN\",\"namespace\":\"Idle\""), std::string::npos) << stats;
  std::string error;
  ASSERT_TRUE(OmbrixHost::saveMayaAscii((dir / "again.ma").generic_string(), error)) << error;
  const std::string text = ReadText(dir / "again.ma");
  EXPECT_NE(text.find("file -rdi 1 -rpr \"Hero\" -rfn \"HeroRN\" -typ \"mayaAscii\" \"asset.ma\";\n"
                      "file -rdi 1 -rpr \"Idle\" -dr 1 -rfn \"IdleRN\" -typ \"mayaAscii\" \"asset.ma\";\n"
                      "file -r -rpr \"Hero\" -dr 1 -rfn \"HeroRN\""),
            std::string::npos)
      << text;
}

TEST_F(ReferenceTest, NestedReferenceSavedUnloadedStaysUnloadedInsideItsLoadedAsset) {
  fs::path dir = projectCopy("nested-deferred");
  std::string shot = ReadText(dir / "scenes" / "shot.ma");
  const std::string line = "file -rdi 2 -ns \"bulb\" -rfn";
  ASSERT_NE(shot.find(line), std::string::npos);
  shot.replace(shot.find(line), line.size(), "file -rdi 2 -ns \"bulb\" -dr 1 -rfn");
  writeText(dir / "scenes" / "shot.ma", shot);
  auto problems = load(dir / "scenes" / "shot.ma");
  // The edits kept for it (the asset's and the shot's) wait for it quietly.
  EXPECT_EQ(problems.size(), 2u) << ::testing::PrintToString(problems);
  EXPECT_EQ(mel("objExists livingRoomLamp:lampBase"), "1");
  EXPECT_EQ(mel("objExists livingRoomLamp:bulb:pSphere1"), "0");
  const std::string stats = OmbrixHost::sceneStatsJson();
  EXPECT_NE(stats.find("{\"node\":\"livingRoomLamp:bulbRN\",\"namespace\":\"livingRoomLamp:bulb\""), std::string::npos);
  EXPECT_NE(stats.find("bulb.ma\",\"depth\":2,\"state\":\"deferred\"}"), std::string::npos) << stats;
  std::string error;
  ASSERT_TRUE(OmbrixHost::saveMayaAscii((dir / "scenes" / "again.ma").generic_string(), error)) << error;
  const std::string text = ReadText(dir / "scenes" / "again.ma");
  EXPECT_NE(text.find(line.substr(0, line.size() - 5) + " -dr 1 -rfn \"livingRoomLamp:bulbRN\""), std::string::npos);
  EXPECT_NE(text.find("\t\t\"livingRoomLamp:bulbRN\" 1\n\t\t2 \"|livingRoomLamp:bulb:pSphere1\" \"scale\""),
            std::string::npos);
}

TEST_F(ReferenceTest, MayaBinaryFilesAreReferencedUnderTheirNamespace) {
  const fs::path rig = fs::path(OMBRIX_SHARED_MAYA) / "mb" / "rig.anim.mb";
  if (!fs::exists(rig))
    GTEST_SKIP() << rig << " is not here";
  fs::path dir = fs::temp_directory_path() / "ombrix-host-references-binary";
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::copy_file(rig, dir / "rig.anim.mb");
  // The shared rig is read-only, and Windows refuses to delete a read-only
  // file: writable, the next run can clear the folder.
  fs::permissions(dir / "rig.anim.mb", fs::perms::owner_write, fs::perm_options::add);
  writeText(dir / "shot.ma", std::string(kHeader) + referenceLines("rig", "rig.anim.mb", "rigRN", "mayaBinary") +
                                 "createNode reference -n \"rigRN\";\n"
                                 "\tsetAttr \".ed\" -type \"dataReferenceEdits\" \n\t\t\"rigRN\"\n\t\t\"rigRN\" 1\n"
                                 "\t\t2 \"|rig:cube\" \"translate\" \" -type \\\"double3\\\" 0 0 9\";\n");
  std::vector<std::string> problems;
  OmbrixHost::loadSceneFile((dir / "shot.ma").generic_string(), problems);
  EXPECT_TRUE(containing(problems, "Warning: reference").empty()) << ::testing::PrintToString(problems);
  EXPECT_EQ(mel("getAttr rig:cube.tz"), "9");
  const std::string stats = OmbrixHost::sceneStatsJson();
  EXPECT_NE(stats.find("{\"name\":\"rig:meshShape\",\"path\":\"|rig:cube|rig:geo|rig:mesh|rig:meshShape\",\"vertices\":8"),
            std::string::npos)
      << stats;
  EXPECT_NE(stats.find("rig.anim.mb\",\"depth\":1,\"state\":\"loaded\"}"), std::string::npos) << stats;
}
