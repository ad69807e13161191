// The export driver end to end inside one process: the project file and the
// log file in the exchange directory, the stale paths file, the load token.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ExportFixture.h"

#include <maya/MDagPath.h>
#include <maya/MFloatArray.h>
#include <maya/MFnMesh.h>
#include <maya/MIntArray.h>
#include <maya/MSelectionList.h>

#include "HostSession.h"
#include "HvCore/HvIO.h"
#include "IO/FormatRegistry.h"
#include "IO/ObvFormat.h"
#include "Exchange/ExchangePaths.h"
#include "Maya/ExportFlow.h"
#include "Exchange/ExportRecord.h"
#include "Exchange/PainterLink.h"
#include "Maya/PluginState.h"
#include "Platform/Process.h"
#include "Platform/Registry.h"

namespace {

namespace fs = std::filesystem;
constexpr uint32_t kMayaObvToken = 2500946208u;

std::string contents(const fs::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// An exchange directory of its own (the native build keeps its registry in a
// file of its own too), the formats started, and a painter bridge.
class ExportFlowTest : public ExportTest {
 protected:
  void SetUp() override {
    ExportTest::SetUp();
    const std::string id = std::to_string(Platform::CurrentProcessId());
#ifndef _WIN32
    registry_ = fs::current_path() / ("export-registry-" + id);
    setenv("OMBRIX_REGISTRY", registry_.string().c_str(), 1);
#endif
    exchange_ = fs::current_path() / ("export-exchange-" + id);
    fs::create_directories(exchange_);
    setTempDirectory(exchange_.string());
    StartupFormats();
    gPainterBridge = new PainterBridge();
  }
  void TearDown() override {
    delete gPainterBridge;
    gPainterBridge = nullptr;
    TeardownModelFormats();
    TeardownSceneReaders();
    clearTempDirectory();
    fs::remove_all(exchange_);
#ifndef _WIN32
    fs::remove(registry_);
#endif
  }

  static void setTempDirectory(const std::string& value) {
    Platform::RegistryKey key = nullptr;
    ASSERT_NE(Platform::CreateUserKey(kPainterRegistryKey, "", key), Platform::KeyDisposition::kFailed);
    ASSERT_TRUE(Platform::SetStringValue(key, "Temp Directory", value.c_str()));
    Platform::CloseKey(key);
  }
  static void clearTempDirectory() {
    Platform::RegistryKey key = nullptr;
    Platform::CreateUserKey(kPainterRegistryKey, "", key);
    Platform::DeleteValue(key, "Temp Directory");
    Platform::CloseKey(key);
  }

  std::unique_ptr<HvModel> readProject() {
    auto model = std::make_unique<HvModel>();
    const std::string path = (exchange_ / "Maya.obv").string();
    HvIO stream(path.c_str(), HvIO::kRead);
    ObvFormat format;
    format.Attach(&stream, 0);
    EXPECT_EQ(format.Identify(), 1);
    EXPECT_EQ(format.Load(model.get(), "", nullptr, nullptr), 1) << format.LastError();
    return model;
  }

  uint32_t token() const { return gPainterBridge->link()->loadToken(); }

  ExportRecord readRecord() const {
    ExportRecord record;
    std::string error;
    EXPECT_TRUE(readExportRecordFile((exchange_ / "Maya.obvrecord.json").string().c_str(), record, error)) << error;
    return record;
  }

  fs::path registry_;
  fs::path exchange_;
};

}  // namespace

TEST_F(ExportFlowTest, ExportWritesProjectAndLogAndStoresTheToken) {
  cube("box");
  scene("setAttr box.translate 0 2 0;");
  shader("wood");
  fileTexture("woodFile", "wood.tga", "wood.color");
  load();
  mel("sets -e -forceElement woodSG boxShape;");
  std::ofstream(exchange_ / "Maya.obvpaths") << "stale";
  EXPECT_EQ(runExport(0), 1);
  EXPECT_FALSE(fs::exists(exchange_ / "Maya.obvpaths"));
  EXPECT_EQ(contents(exchange_ / "OBVLLOG" / "2500946208.log"), "Maya.obv\n");
  EXPECT_EQ(token(), kMayaObvToken);

  auto project = readProject();
  ASSERT_EQ(groupNames(*project), (std::vector<std::string>{"boxShape"}));
  EXPECT_EQ(project->Group(0, false)->PolygonCount(), 6);
  EXPECT_EQ(materialNames(*project), (std::vector<std::string>{"lambert1", "wood"}));
  EXPECT_NE(mapOf(*project, "wood", "DiffuseColor").find("wood.tga"), std::string::npos);
  BoundingBox box;
  ASSERT_TRUE(project->Bounds(box));
  EXPECT_FLOAT_EQ(box.min.y, 1.5f);
  EXPECT_FLOAT_EQ(box.max.y, 2.5f);

  // The record beside it: what each group and material came from.
  const ExportRecord record = readRecord();
  ASSERT_EQ(record.groups.size(), 1u);
  const RecordedGroup& group = record.groups[0];
  EXPECT_EQ(group.name, "boxShape");
  EXPECT_EQ(group.dagPath, "|box|boxShape");
  EXPECT_EQ(group.uuid.size(), 36u);
  EXPECT_EQ(group.uvSet, "map1");
  EXPECT_EQ(group.polygons, 6u);
  EXPECT_EQ(group.vertices, 8u);
  EXPECT_EQ(group.worldMatrix[13], 2.0);  // the translation row
  EXPECT_EQ(record.frame, 1.0);
  EXPECT_EQ(record.time.size(), 20u);
  ASSERT_EQ(record.materials.size(), 2u);
  EXPECT_EQ(record.materials[1].shader, "wood");
  EXPECT_EQ(record.materials[1].shadingEngine, "woodSG");
  // The shader's and the shading group's own UUIDs, which survive renames.
  EXPECT_EQ(record.materials[1].shaderUuid.size(), 36u);
  EXPECT_EQ(record.materials[1].shadingEngineUuid.size(), 36u);
  EXPECT_NE(record.materials[1].shaderUuid, record.materials[1].shadingEngineUuid);
  EXPECT_NE(record.materials[1].shaderUuid, group.uuid);
  ASSERT_EQ(record.materials[1].channels.size(), 1u);
  EXPECT_EQ(record.materials[1].channels[0].channel, "DiffuseColor");
  EXPECT_NE(record.materials[1].channels[0].file.find("wood.tga"), std::string::npos);
  EXPECT_EQ(record.materials[1].channels[0].modified, "");  // no such file

  // Again: the same names and token, the file replaced.
  mel("delete box;");
  EXPECT_EQ(runExport(0), 1);
  EXPECT_EQ(token(), kMayaObvToken);
  EXPECT_EQ(readProject()->GroupCount(), 0);
  EXPECT_TRUE(readRecord().groups.empty());
  EXPECT_FALSE(fs::exists(exchange_ / "Maya.obvrecord.json.tmp"));
}

TEST_F(ExportFlowTest, TheRecordKeepsTheUuidThroughARenameAndNamesEachInstance) {
  cube("box");
  scene("createNode transform -n second; parent -add -s -nc -r \"|box|boxShape\" second;");
  load();
  ASSERT_EQ(runExport(0), 1);
  const ExportRecord before = readRecord();
  ASSERT_EQ(before.groups.size(), 2u);
  EXPECT_EQ(before.groups[0].dagPath, "|box|boxShape");
  EXPECT_EQ(before.groups[1].dagPath, "|second|boxShape");
  // Two paths of one node: one UUID.
  EXPECT_EQ(before.groups[0].uuid, before.groups[1].uuid);
  EXPECT_EQ(before.groups[0].topology, before.groups[1].topology);
  mel("rename boxShape crateShape;");
  // The points' digest is of the shape's own space, whatever places it.
  mel("setAttr second.translate 3 4 5; setAttr second.rotateY 30;");
  ASSERT_EQ(runExport(0), 1);
  const ExportRecord after = readRecord();
  ASSERT_EQ(after.groups.size(), 2u);
  EXPECT_EQ(after.groups[0].dagPath, "|box|crateShape");
  EXPECT_EQ(after.groups[0].uuid, before.groups[0].uuid);
  EXPECT_EQ(after.groups[1].worldMatrix[12], 3.0);
  EXPECT_EQ(after.groups[0].points, before.groups[0].points);
  EXPECT_EQ(after.groups[1].points, before.groups[1].points);
  EXPECT_EQ(after.groups[0].points, after.groups[1].points);
  // The shape's points changed (a taller cube) change both instances' digests alike.
  mel("setAttr boxMaker.height 3;");
  ASSERT_EQ(runExport(0), 1);
  const ExportRecord moved = readRecord();
  ASSERT_EQ(moved.groups.size(), 2u);
  EXPECT_NE(moved.groups[0].points, after.groups[0].points);
  EXPECT_EQ(moved.groups[0].points, moved.groups[1].points);
  EXPECT_EQ(moved.groups[0].topology, after.groups[0].topology);
}

// A UV set named for the export is read instead of the current one; a mesh
// without it gives its current set and a warning.
TEST_F(ExportFlowTest, ANamedUvSetIsReadWhereTheMeshHasIt) {
  cube("box");
  cube("crate");
  load();
  MSelectionList named;
  named.add("boxShape");
  MDagPath box;
  ASSERT_EQ(named.getDagPath(0, box), MStatus::kSuccess);
  MFnMesh mesh(box);
  const MString lightmap("lightmap");
  ASSERT_EQ(mesh.createUVSetWithName(lightmap), lightmap);
  MFloatArray us, vs;
  MIntArray counts, ids;
  us.append(0.0f), us.append(1.0f), us.append(1.0f), us.append(0.0f);
  vs.append(0.0f), vs.append(0.0f), vs.append(1.0f), vs.append(1.0f);
  for (int face = 0; face < 6; ++face) {
    counts.append(4);
    for (int corner = 0; corner < 4; ++corner) ids.append(corner);
  }
  ASSERT_EQ(mesh.setUVs(us, vs, &lightmap), MStatus::kSuccess);
  ASSERT_EQ(mesh.assignUVs(counts, ids, &lightmap), MStatus::kSuccess);
  OmbrixHost::captureDisplayed(true);
  ASSERT_EQ(runExport(0, nullptr, "lightmap"), 1);
  const std::vector<std::string> shown = OmbrixHost::displayedMessages();
  OmbrixHost::captureDisplayed(false);
  const ExportRecord record = readRecord();
  ASSERT_EQ(record.groups.size(), 2u);
  EXPECT_EQ(record.groups[0].uvSet, "lightmap");
  EXPECT_EQ(record.groups[0].uvs, 4u);
  EXPECT_EQ(record.groups[1].uvSet, "map1");
  EXPECT_EQ(record.groups[1].uvs, 14u);
  EXPECT_EQ(shown, std::vector<std::string>{
                       "Warning: Ombrix Vael export: crateShape: no UV set \"lightmap\"; its current set \"map1\" is exported"});
  // Without a name, the current sets.
  ASSERT_EQ(runExport(0), 1);
  EXPECT_EQ(readRecord().groups[0].uvSet, "map1");
}

TEST_F(ExportFlowTest, ARecordThatCannotTakeItsPlaceIsDeletedOrReported) {
  fs::create_directories(exchange_ / "Maya.obvrecord.json" / "inside");
  cube("box");
  load();
  testing::internal::CaptureStderr();
  EXPECT_EQ(runExport(0), 1);  // the project file is in place
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("could not replace "), std::string::npos) << err;
  EXPECT_NE(err.find("Maya.obvrecord.json"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(exchange_ / "Maya.obvrecord.json.tmp"));
  EXPECT_EQ(readProject()->GroupCount(), 1);
}

TEST_F(ExportFlowTest, WithoutALogFileTheTokenIsZero) {
  EXPECT_EQ(runExport(0), 1);
  ASSERT_EQ(token(), kMayaObvToken);
  // The log directory cannot be made: a file stands where it would be.
  fs::remove_all(exchange_ / "OBVLLOG");
  std::ofstream(exchange_ / "OBVLLOG") << "in the way";
  runExport(0);
  EXPECT_EQ(token(), 0u);
}

TEST_F(ExportFlowTest, ATooLongExchangePathIsAnErrorNotTheDefaultFile) {
  // The directory itself fits its buffer; joined to the file name it does not.
  const std::string base = exchange_.string() + "/";
  setTempDirectory(base + std::string(995 - base.size(), 'd'));
  fs::remove("c:\\temp\\maya.obv");
  testing::internal::CaptureStderr();
  EXPECT_EQ(runExport(0), 0);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Exchange path too long"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists("c:\\temp\\maya.obv"));
  EXPECT_EQ(token(), 0u);
}

// A failed export leaves the last good one whole: Maya.obv, the log file
// and the token as they were, no temporary file, one line naming the file.
class FailedExportTest : public ExportFlowTest {
 protected:
  // A first, good export of one cube into `directory`.
  void exportGood(const fs::path& directory) {
    setTempDirectory(directory.string());
    cube("first");
    load();
    ASSERT_EQ(runExport(0), 1);
    good_ = contents(directory / "Maya.obv");
    ASSERT_FALSE(good_.empty());
    goodRecord_ = contents(directory / "Maya.obvrecord.json");
    ASSERT_FALSE(goodRecord_.empty());
    log_ = fs::last_write_time(directory / "OBVLLOG" / "2500946208.log");
  }
  // Runs an export that must fail and answers what it printed.
  static std::string failingExport() {
    testing::internal::CaptureStderr();
    EXPECT_EQ(runExport(0), 0);
    return testing::internal::GetCapturedStderr();
  }
  void expectLastGoodKept(const fs::path& directory) {
    EXPECT_EQ(contents(directory / "Maya.obv"), good_);
    EXPECT_FALSE(fs::exists(directory / "Maya.obv.tmp"));
    EXPECT_EQ(contents(directory / "Maya.obvrecord.json"), goodRecord_);
    EXPECT_FALSE(fs::exists(directory / "Maya.obvrecord.json.tmp"));
    EXPECT_EQ(fs::last_write_time(directory / "OBVLLOG" / "2500946208.log"), log_);
    EXPECT_EQ(contents(directory / "OBVLLOG" / "2500946208.log"), "Maya.obv\n");
    EXPECT_EQ(token(), kMayaObvToken);
  }
  static void manyCubes(int count) {
    for (int i = 0; i < count; ++i) cube("many" + std::to_string(i));
    load();
  }
#ifndef _WIN32
  // A small tmpfs at `directory` (we may run as root); false when mounting
  // is not permitted here.
  bool mountTmpfs(const fs::path& directory, const std::string& options) {
    fs::create_directories(directory);
    const std::string command =
        "mount -t tmpfs -o " + options + " ombrix-test '" + directory.string() + "' 2>/dev/null";
    mounted_ = std::system(command.c_str()) == 0;
    if (mounted_) mountPoint_ = directory;
    return mounted_;
  }
  static bool remount(const fs::path& directory, const std::string& options) {
    const std::string command =
        "mount -o remount," + options + " '" + directory.string() + "' 2>/dev/null";
    return std::system(command.c_str()) == 0;
  }
  void TearDown() override {
    if (mounted_) std::system(("umount '" + mountPoint_.string() + "'").c_str());
    ExportFlowTest::TearDown();
  }
  bool mounted_ = false;
  fs::path mountPoint_;
#endif
  std::string good_;
  std::string goodRecord_;
  fs::file_time_type log_;
};

TEST_F(FailedExportTest, ADirectoryThatCannotHoldFilesKeepsTheLastToken) {
  exportGood(exchange_);
  // A path whose parent is a regular file: no one, root included, can write there.
  std::ofstream(exchange_ / "plain") << "a file";
  setTempDirectory((exchange_ / "plain" / "sub").string());
  const std::string err = failingExport();
  EXPECT_NE(err.find("Ombrix Vael export: could not write "), std::string::npos) << err;
  EXPECT_NE(err.find("Maya.obv: "), std::string::npos) << err;
  EXPECT_NE(err.find("Error: Ombrix Vael export:"), std::string::npos) << err;
  expectLastGoodKept(exchange_);
}

TEST_F(FailedExportTest, AProjectFilePlaceTakenByADirectoryIsReported) {
  fs::create_directories(exchange_ / "Maya.obv");
  const std::string err = failingExport();
  EXPECT_NE(err.find("could not replace"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(exchange_ / "Maya.obv.tmp"));
  EXPECT_FALSE(fs::exists(exchange_ / "OBVLLOG"));
  EXPECT_EQ(token(), 0u);  // there never was a good export
}

#ifndef _WIN32
TEST_F(FailedExportTest, AFullDiskKeepsTheLastGoodExport) {
  const fs::path disk = exchange_ / "disk";
  if (!mountTmpfs(disk, "size=64k")) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
  exportGood(disk);
  manyCubes(120);  // far more than the 64 KiB left
  const std::string err = failingExport();
  EXPECT_NE(err.find("Maya.obv: no space left on device"), std::string::npos) << err;
  expectLastGoodKept(disk);
}

TEST_F(FailedExportTest, AReadOnlyExchangeDirectoryKeepsTheLastGoodExport) {
  const fs::path disk = exchange_ / "disk";
  if (!mountTmpfs(disk, "size=1m")) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
  exportGood(disk);
  ASSERT_TRUE(remount(disk, "ro"));
  const std::string err = failingExport();
  EXPECT_NE(err.find("Maya.obv: read-only file system"), std::string::npos) << err;
  expectLastGoodKept(disk);
}

TEST_F(FailedExportTest, AReaderOfTheOldFileKeepsReadingItWhole) {
  exportGood(exchange_);
  std::ifstream reader(exchange_ / "Maya.obv", std::ios::binary);
  manyCubes(3);
  EXPECT_EQ(runExport(0), 1);
  std::stringstream old;
  old << reader.rdbuf();
  EXPECT_EQ(old.str(), good_);
  EXPECT_EQ(readProject()->GroupCount(), 3);
}
#else
TEST_F(FailedExportTest, AFileHeldOpenIsNotReplacedAndStaysWhole) {
  // The C runtime opens without FILE_SHARE_DELETE, as a reading painter
  // does: Windows refuses to replace the file while it is open.
  exportGood(exchange_);
  std::FILE* reader = std::fopen((exchange_ / "Maya.obv").string().c_str(), "rb");
  ASSERT_NE(reader, nullptr);
  manyCubes(3);
  const std::string err = failingExport();
  std::fclose(reader);
  EXPECT_NE(err.find("could not replace "), std::string::npos) << err;
  expectLastGoodKept(exchange_);
  // Once the reader has let go, the next export replaces it.
  EXPECT_EQ(runExport(0), 1);
  EXPECT_EQ(readProject()->GroupCount(), 3);
}
#endif
