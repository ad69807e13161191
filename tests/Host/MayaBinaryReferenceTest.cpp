// File references a Maya Binary scene holds (its FRDI and FREF chunks), read
// as the "file -rdi" and "file -r" lines of a Maya ASCII scene are: Maya
// ASCII and Maya Binary assets under their namespaces, deferred, missing and
// cyclic references, and saving them back as references.
#include "HistoryScene.h"
#include "MayaBinaryBuild.h"
#include "Support/FileText.h"

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace HistoryScene;
using namespace MayaBinaryBuild;

namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

fs::path freshDir(const std::string& name) {
  fs::path dir = fs::temp_directory_path() / ("host-mb-references-" + name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

// One reference as Maya 2016 and later save it: FRDI (the depth, then as
// FREF) and FREF: path, namespace, the namespace and deferred bytes, the
// reference node, NUL bytes, the options and the file type.
struct Ref {
  std::string path, ns, node, type;
  bool deferred = false;
  std::string fields(bool fref) const {
    return cstr(path) + cstr(ns) + '\x01' + (fref || deferred ? '\x01' : '\x00') + cstr(node) +
           std::string(fref ? 8 : 3, '\0') + cstr("VERS|2020|UVER|undef|") + cstr(type) + std::string(fref ? 12 : 2, '\0');
  }
};

std::string referenceGroups(const Iff& f, const std::vector<Ref>& refs) {
  std::string out;
  for (const auto& r : refs)
    out += f.group("FRDI", f.chunk("FRDI", i32(1) + r.fields(false)));
  for (const auto& r : refs)
    out += f.group("FREF", f.chunk("FREF", r.fields(true)));
  return out;
}

const char* kLampAscii =
    "//Maya ASCII 2020 scene\n"
    "createNode transform -n \"lamp\";\n\tsetAttr \".t\" -type \"double3\" 0 5 0 ;\n";

std::vector<std::string> containing(const std::vector<std::string>& lines, const std::string& part) {
  std::vector<std::string> out;
  for (const auto& l : lines)
    if (l.find(part) != std::string::npos)
      out.push_back(l);
  return out;
}

std::string referencesOf(const std::string& stats) {
  const auto from = stats.find("\"references\":[");
  return from == std::string::npos ? "" : stats.substr(from, stats.find(']', from) - from);
}

std::vector<std::string> openScene(const fs::path& file) {
  std::vector<std::string> problems;
  OmbrixHost::loadSceneFile(file.generic_string(), problems);
  return problems;
}

}  // namespace

TEST_F(HostTest, MayaBinaryShotLoadsItsAsciiAndBinaryAssetsAsMayaOpensIt) {
  for (bool wide : {false, true}) {
    SCOPED_TRACE(wide ? "FOR8" : "FOR4");
    const Iff f{wide};
    fs::path dir = freshDir(wide ? "shot8" : "shot4");
    writeFile(dir / "assets" / "lamp.ma", kLampAscii);
    writeFile(dir / "assets" / "crate.mb", boxScene(f, quadValue()));
    const std::vector<Ref> refs = {{"assets/lamp.ma", "lamp", "lampRN", "mayaAscii"},
                                   {"C:/Users/anna/project/scenes/assets/crate.mb", "crate", "crateRN", "mayaBinary"},
                                   {"assets/crate.mb", "later", "laterRN", "mayaBinary", true},
                                   {"assets/ghost.ma", "ghost", "ghostRN", "mayaAscii"}};
    const std::string shot = boxScene(f, quadValue(), referenceGroups(f, refs));
    writeFile(dir / "shot.mb", shot);

    auto problems = openScene(dir / "shot.mb");
    // Each asset's nodes under its namespace, values in their own units.
    EXPECT_EQ(mel("getAttr lamp:lamp.ty"), "5");
    EXPECT_EQ(mel("getAttr crate:box.r"), "0 90 0");
    EXPECT_EQ(mel("polyEvaluate -v crate:boxShape"), "4");
    EXPECT_EQ(mel("getAttr box.t"), "1 2 3");
    EXPECT_EQ(mel("objExists later:box"), "0");
    // The missing one told once, at its chunk, with every path tried; the rest loads.
    auto ghost = containing(problems, "ghostRN");
    ASSERT_EQ(ghost.size(), 1u) << joined(problems);
    const std::string at = "shot.mb: offset " + std::to_string(shot.rfind("FREF")) + ": Warning";
    EXPECT_NE(ghost[0].find(at), std::string::npos) << ghost[0];
    EXPECT_NE(ghost[0].find("Warning: reference ghostRN: cannot find \"assets/ghost.ma\"; tried"), std::string::npos)
        << ghost[0];
    EXPECT_EQ(problems.size(), 1u) << joined(problems);

    const std::string stats = OmbrixHost::sceneStatsJson();
    EXPECT_NE(stats.find("{\"node\":\"lampRN\",\"namespace\":\"lamp\",\"file\":\""), std::string::npos) << stats;
    EXPECT_NE(stats.find("assets/lamp.ma\",\"depth\":1,\"state\":\"loaded\"}"), std::string::npos) << stats;
    EXPECT_NE(stats.find("assets/crate.mb\",\"depth\":1,\"state\":\"loaded\"}"), std::string::npos) << stats;
    EXPECT_NE(stats.find("{\"node\":\"laterRN\",\"namespace\":\"later\",\"file\":\""), std::string::npos) << stats;
    EXPECT_NE(stats.find("\"depth\":1,\"state\":\"deferred\"}"), std::string::npos) << stats;
    EXPECT_NE(stats.find("ghost.ma\",\"depth\":1,\"state\":\"missing\"}"), std::string::npos) << stats;

    // Saved as Maya ASCII, the references stay references and reload the same.
    std::string error;
    ASSERT_TRUE(OmbrixHost::saveMayaAscii((dir / "again.ma").generic_string(), error)) << error;
    const std::string text = ReadText(dir / "again.ma");
    EXPECT_NE(text.find("file -r -ns \"crate\" -dr 1 -rfn \"crateRN\" -op \"VERS|2020|UVER|undef|\" -typ \"mayaBinary\" "
                        "\"C:/Users/anna/project/scenes/assets/crate.mb\";\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("file -rdi 1 -ns \"later\" -dr 1 -rfn \"laterRN\""), std::string::npos) << text;
    EXPECT_EQ(text.find("lamp:lamp"), std::string::npos);
    problems = openScene(dir / "again.ma");
    EXPECT_EQ(containing(problems, "Warning: reference").size(), 1u) << joined(problems);
    EXPECT_EQ(mel("getAttr crate:box.r"), "0 90 0");
    EXPECT_EQ(referencesOf(OmbrixHost::sceneStatsJson()), referencesOf(stats));
  }
}

TEST_F(HostTest, MayaBinaryReferencesNestAndACycleAcrossBothKindsIsCut) {
  for (bool wide : {false, true}) {
    SCOPED_TRACE(wide ? "FOR8" : "FOR4");
    const Iff f{wide};
    fs::path dir = freshDir(wide ? "cycle8" : "cycle4");
    // shot.mb -> set.mb -> lamp.ma -> shot.mb: the last closes a cycle.
    writeFile(dir / "lamp.ma", std::string(kLampAscii) +
                                   "file -rdi 1 -ns \"shot\" -rfn \"shotRN\" -typ \"mayaBinary\" \"shot.mb\";\n"
                                   "file -r -ns \"shot\" -dr 1 -rfn \"shotRN\" -typ \"mayaBinary\" \"shot.mb\";\n");
    writeFile(dir / "set.mb", boxScene(f, quadValue(), referenceGroups(f, {{"lamp.ma", "lamp", "lampRN", "mayaAscii"}})));
    writeFile(dir / "shot.mb", boxScene(f, quadValue(), referenceGroups(f, {{"set.mb", "set", "setRN", "mayaBinary"}})));

    auto problems = openScene(dir / "shot.mb");
    EXPECT_EQ(mel("getAttr set:lamp:lamp.ty"), "5");
    EXPECT_EQ(mel("getAttr set:box.t"), "1 2 3");
    EXPECT_EQ(mel("objExists set:lamp:shot:box"), "0");
    auto cycle = containing(problems, "a reference cycle");
    ASSERT_EQ(cycle.size(), 1u) << joined(problems);
    EXPECT_NE(cycle[0].find("lamp.ma:5: Warning: reference set:lamp:shotRN: \""), std::string::npos) << cycle[0];
    EXPECT_EQ(problems.size(), 1u) << joined(problems);
    const std::string stats = OmbrixHost::sceneStatsJson();
    EXPECT_NE(stats.find("{\"node\":\"set:lampRN\",\"namespace\":\"set:lamp\",\"file\":\""), std::string::npos) << stats;
    EXPECT_NE(stats.find("lamp.ma\",\"depth\":2,\"state\":\"loaded\"}"), std::string::npos) << stats;
    EXPECT_NE(stats.find("shot.mb\",\"depth\":3,\"state\":\"cycle\"}"), std::string::npos) << stats;
  }
}

TEST_F(HostTest, MayaBinaryReferencesThatCannotBeReadAreToldByOffsetAndTheRestLoads) {
  for (bool wide : {false, true}) {
    SCOPED_TRACE(wide ? "FOR8" : "FOR4");
    const Iff f{wide};
    fs::path dir = freshDir(wide ? "bad8" : "bad4");
    writeFile(dir / "lamp.ma", kLampAscii);
    const Ref lamp{"lamp.ma", "lamp", "lampRN", "mayaAscii"};
    std::string prefixed = lamp.fields(true);
    prefixed[cstr(lamp.path).size() + cstr(lamp.ns).size()] = '\0';  // not into the namespace: a layout not known
    const std::string refs = f.group("FREF", f.chunk("FREF", cstr("lamp.ma") + cstr("cut"))) +
                             f.group("FREF", f.chunk("FREF", prefixed)) +
                             f.group("FREF", f.chunk("FREF", lamp.fields(true) + cstr("more") + cstr("texts"))) +
                             referenceGroups(f, {lamp});
    const std::string shot = boxScene(f, quadValue(), refs);
    writeFile(dir / "shot.mb", shot);
    auto problems = openScene(dir / "shot.mb");
    ASSERT_EQ(problems.size(), 3u) << joined(problems);
    EXPECT_NE(problems[0].find("shot.mb: offset " + std::to_string(shot.find("FREF", shot.find("FREF") + 4)) +
                               ": the reference is cut off (skipped)"),
              std::string::npos)
        << problems[0];
    EXPECT_NE(problems[1].find("the reference to lamp.ma is laid out as this reader does not know"), std::string::npos)
        << problems[1];
    EXPECT_NE(problems[2].find("holds more texts than its options and file type"), std::string::npos) << problems[2];
    // The sound reference loads; the skipped ones leave no record.
    EXPECT_EQ(mel("getAttr lamp:lamp.ty"), "5");
    EXPECT_EQ(referencesOf(OmbrixHost::sceneStatsJson()).find("},{"), std::string::npos);
  }
}

TEST_F(HostTest, MayaBinaryReferenceEditsApplyOnceTheAssetIsRead) {
  for (bool wide : {false, true}) {
    SCOPED_TRACE(wide ? "FOR8" : "FOR4");
    const Iff f{wide};
    fs::path dir = freshDir(wide ? "edits8" : "edits4");
    writeFile(dir / "lamp.ma", kLampAscii);
    // The reference node's edits as Maya saves them: the owner, then lists of
    // groups (a count, each a reference node, a count and the edits).
    auto referenceNode = [&](const std::string& edits, int count) {
      return f.group("REFN", f.chunk("CREA", "\x90" + cstr("lampRN") + kUuid) +
                                 f.attr("STR ", "fn[0]", cstr("lamp.ma")) +
                                 f.chunk("REFE", cstr("ed") + '\x20' + cstr("lampRN") + i32(1) + cstr("lampRN") +
                                                     i32(0) + i32(1) + cstr("lampRN") + i32(count) + edits));
    };
    const std::string edits = i32(2) + cstr("|lamp:lamp") + cstr("translate") + cstr(" -type \"double3\" 0 7 0") +
                              i32(0) + cstr("|lamp:lamp") + cstr("|box") + cstr("-s -r ") + i32(2) +
                              cstr("|lamp:gone") + cstr("visibility") + cstr(" 0");
    const std::string refs = referenceGroups(f, {{"lamp.ma", "lamp", "lampRN", "mayaAscii"}});
    writeFile(dir / "shot.mb", boxScene(f, quadValue(), refs + referenceNode(edits, 3)));

    auto problems = openScene(dir / "shot.mb");
    EXPECT_EQ(mel("getAttr lamp:lamp.ty"), "7");
    EXPECT_EQ(path("lamp:lamp").fullPathName(), MString("|box|lamp:lamp"));
    ASSERT_EQ(problems.size(), 1u) << joined(problems);
    EXPECT_NE(problems[0].find("shot.mb: offset "), std::string::npos) << problems[0];
    EXPECT_NE(problems[0].find(": Warning: reference edit of lampRN (kind 2) not applied: the reference holds no node "
                               "|lamp:gone"),
              std::string::npos)
        << problems[0];
    std::string error;
    ASSERT_TRUE(OmbrixHost::saveMayaAscii((dir / "again.ma").generic_string(), error)) << error;
    EXPECT_NE(ReadText(dir / "again.ma")
                  .find("\t\t\"lampRN\" 3\n\t\t2 \"|lamp:lamp\" \"translate\" \" -type \\\"double3\\\" 0 7 0\""),
              std::string::npos);

    // An edit whose layout is not known here leaves the reference's edits out, told once; the asset loads.
    const std::string relationship = i32(7) + cstr("link") + cstr("lightLinker1");
    writeFile(dir / "shot.mb", boxScene(f, quadValue(), refs + referenceNode(relationship, 1)));
    problems = openScene(dir / "shot.mb");
    ASSERT_EQ(problems.size(), 1u) << joined(problems);
    EXPECT_NE(problems[0].find("the edits of lampRN are not applied: edit 1 of lampRN: edits of kind 7 are not known "
                               "in Maya Binary (skipped)"),
              std::string::npos)
        << problems[0];
    EXPECT_EQ(mel("getAttr lamp:lamp.ty"), "5");
  }
}
