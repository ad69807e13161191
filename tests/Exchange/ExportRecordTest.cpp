// The export record: what the writer writes the reader reads back whole,
// and damaged or hostile bytes are refused with a reason, never a crash.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "Exchange/ExchangePaths.h"
#include "Exchange/ExportRecord.h"
#include "Support/FileText.h"

namespace {

namespace fs = std::filesystem;

ExportRecord SampleRecord() {
  ExportRecord record;
  record.scene = "C:/scenes/room \"final\".ma";
  record.time = "2026-12-08T17:00:00Z";
  record.frame = 24.5;
  RecordedGroup group;
  group.name = "chairShape";
  group.dagPath = "|room|chair|chairShape";
  group.uuid = "91F7C3AB-4141-6C61-E3FA-AD917BF85BAA";
  group.uvSet = "map2";
  group.polygons = 1200;
  group.vertices = 1302;
  group.uvs = 4294967295u;
  group.topology = 0xfedcba9876543210ull;
  group.points = 0x0123456789abcdefull;
  group.worldMatrix[12] = -3.25;
  group.worldMatrix[0] = 1e-300;
  record.groups.push_back(group);
  record.materials.push_back({"woodSG", "wood", {{"DiffuseColor", "C:/tex/wood.tga", "2026-01-02T03:04:05Z"},
                                                 {"Bump", "C:/tex/missing.tga", ""}},
                              "5B7E2C41-4D1A-9F3E-0C7B-8E2AA1D4F601", "5B7E2C41-4D1A-9F3E-0C7B-8E2AA1D4F602"});
  record.materials.push_back({"", "lambert1", {}, "", ""});
  return record;
}

bool Parse(const std::string& text, std::string& error) {
  ExportRecord record;
  return parseExportRecord(text.data(), text.size(), record, error);
}

TEST(ExportRecord, WhatIsWrittenReadsBackField_for_field) {
  const ExportRecord written = SampleRecord();
  for (const bool oneLine : {false, true}) {
    const std::string text = exportRecordText(written, oneLine);
    ExportRecord read;
    std::string error;
    ASSERT_TRUE(parseExportRecord(text.data(), text.size(), read, error)) << error;
    EXPECT_EQ(read.scene, written.scene);
    EXPECT_EQ(read.time, written.time);
    EXPECT_EQ(read.frame, written.frame);
    ASSERT_EQ(read.groups.size(), 1u);
    const RecordedGroup& g = read.groups[0];
    EXPECT_EQ(g.dagPath, "|room|chair|chairShape");
    EXPECT_EQ(g.uuid, written.groups[0].uuid);
    EXPECT_EQ(g.uvSet, "map2");
    EXPECT_EQ(g.polygons, 1200u);
    EXPECT_EQ(g.vertices, 1302u);
    EXPECT_EQ(g.uvs, 4294967295u);
    EXPECT_EQ(g.topology, 0xfedcba9876543210ull);
    EXPECT_EQ(g.points, 0x0123456789abcdefull);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(g.worldMatrix[i], written.groups[0].worldMatrix[i]) << i;
    ASSERT_EQ(read.materials.size(), 2u);
    EXPECT_EQ(read.materials[0].shadingEngine, "woodSG");
    ASSERT_EQ(read.materials[0].channels.size(), 2u);
    EXPECT_EQ(read.materials[0].channels[1].file, "C:/tex/missing.tga");
    EXPECT_EQ(read.materials[0].channels[1].modified, "");
    EXPECT_EQ(read.materials[0].shaderUuid, written.materials[0].shaderUuid);
    EXPECT_EQ(read.materials[0].shadingEngineUuid, written.materials[0].shadingEngineUuid);
    EXPECT_EQ(read.materials[1].shaderUuid, "");
  }
}

TEST(ExportRecord, RecordsWithoutTheMaterialUuidsStillRead) {
  const std::string text = exportRecordText(SampleRecord(), true);
  EXPECT_NE(text.find("\"shaderUuid\""), std::string::npos);
  // The second material has none, so its keys are left out.
  EXPECT_EQ(text.find("\"shaderUuid\"", text.find("lambert1")), std::string::npos);
  std::string old = text;
  for (const char* key : {",\"shaderUuid\":\"5B7E2C41-4D1A-9F3E-0C7B-8E2AA1D4F601\"",
                          ",\"shadingEngineUuid\":\"5B7E2C41-4D1A-9F3E-0C7B-8E2AA1D4F602\""}) {
    const size_t at = old.find(key);
    ASSERT_NE(at, std::string::npos) << key;
    old.erase(at, std::string(key).size());
  }
  ExportRecord read;
  std::string error;
  ASSERT_TRUE(parseExportRecord(old.data(), old.size(), read, error)) << error;
  EXPECT_EQ(read.materials[0].shaderUuid, "");
  EXPECT_EQ(read.materials[0].shadingEngineUuid, "");
  EXPECT_TRUE(read.groups[0].pointsRecorded);
  // A record written before the points digest was kept still reads, saying so.
  const std::string key = ",\"points\":\"0123456789abcdef\"";
  const size_t at = old.find(key);
  ASSERT_NE(at, std::string::npos);
  old.erase(at, key.size());
  ASSERT_TRUE(parseExportRecord(old.data(), old.size(), read, error)) << error;
  EXPECT_FALSE(read.groups[0].pointsRecorded);
  EXPECT_EQ(read.groups[0].topology, 0xfedcba9876543210ull);
}

TEST(ExportRecord, NamesThatAreNotUtf8AreWrittenReadably) {
  ExportRecord record;
  record.scene = "C:/sc\xe8nes/a.ma";  // a Windows code page byte
  const std::string text = exportRecordText(record);
  std::string error;
  EXPECT_TRUE(Parse(text, error)) << error;
}

TEST(ExportRecord, DamagedRecordsAreRefusedWithTheirReason) {
  const std::string good = exportRecordText(SampleRecord(), true);
  struct Case {
    std::string text;
    const char* reason;
  };
  const Case cases[] = {
      {"", "offset"},
      {good.substr(0, good.size() / 2), "offset"},
      {"[1,2]", "not a JSON object"},
      {"{\"format\":\"something else\",\"version\":1}", "not an export record"},
      {std::string(good).replace(good.find("\"version\":1"), 11, "\"version\":7"), "unknown version 7"},
      {std::string(good).replace(good.find("\"polygons\":1200"), 15, "\"polygons\":-1"), "\"polygons\" is not a count"},
      {std::string(good).replace(good.find("\"uvs\":4294967295"), 16, "\"uvs\":4294967296"), "\"uvs\" is not a count"},
      {std::string(good).replace(good.find("\"topology\":\""), 12, "\"topology\":\"x"), "\"topology\""},
      {std::string(good).replace(good.find("[1e-300"), 7, "[\"1\""), "16 finite numbers"},
      {std::string(good).replace(good.find("[1e-300,"), 8, "["), "16 numbers"},
      {std::string(good).replace(good.find("\"scene\""), 7, "\"scenery\""), "\"scene\" missing"},
      {std::string(good).replace(good.find("\"frame\":24.5"), 12, "\"frame\":\"24\""), "\"frame\" is not a number"},
      {std::string(good).replace(good.find("\"groups\":["), 10, "\"groups\":[7,"), "a group is not an object"},
      {std::string(good).replace(good.find("\"shaderUuid\":\""), 14, "\"shaderUuid\":7,\"x\":\""), "\"shaderUuid\" is not a string"},
      {std::string(10000, '[') + std::string(10000, ']'), "nested deeper"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(Parse(c.text, error)) << c.text;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error << "\n" << c.text;
  }
}

TEST(ExportRecord, TopologyDigestChangesWithFacesAndTheirVertices) {
  const int32_t counts[] = {4, 4};
  const int32_t connects[] = {0, 1, 2, 3, 3, 2, 4, 5};
  const uint64_t digest = topologyDigest(counts, 2, connects, 8);
  EXPECT_EQ(digest, topologyDigest(counts, 2, connects, 8));
  const int32_t turned[] = {1, 2, 3, 0, 3, 2, 4, 5};
  EXPECT_NE(digest, topologyDigest(counts, 2, turned, 8));
  const int32_t split[] = {3, 3, 4};
  const int32_t splitConnects[] = {0, 1, 2, 0, 2, 3, 3, 2, 4, 5};
  EXPECT_NE(digest, topologyDigest(split, 3, splitConnects, 10));
  EXPECT_NE(topologyDigest(nullptr, 0, nullptr, 0), digest);
}

TEST(ExportRecord, PointsDigestChangesWithAnyCoordinate) {
  const double points[] = {0, 0, 0, 1, 0, 0, 0, 1, 0.5};
  const uint64_t digest = pointsDigest(points, 3);
  EXPECT_EQ(digest, pointsDigest(points, 3));
  for (size_t i = 0; i < 9; ++i) {
    double moved[9];
    std::copy(points, points + 9, moved);
    moved[i] = std::nextafter(moved[i], 2.0);
    EXPECT_NE(pointsDigest(moved, 3), digest) << i;
  }
  EXPECT_NE(pointsDigest(points, 2), digest);
}

TEST(ExportRecord, TimesAreUtcCalendarDates) {
  EXPECT_EQ(isoUtcTime(0), "1970-01-01T00:00:00Z");
  EXPECT_EQ(isoUtcTime(951782400), "2000-02-29T00:00:00Z");
  EXPECT_EQ(isoUtcTime(4102444799), "2099-12-31T23:59:59Z");
  EXPECT_EQ(isoUtcTime(-1), "1969-12-31T23:59:59Z");
}

TEST(ExportRecord, FileRoundTripAndItsNameBesideTheProject) {
  char path[kExchangeBufferSize];
  getRecordFilePath("dir.v2/Maya.obv", path);
  EXPECT_STREQ(path, "dir.v2/Maya.obvrecord.json");
  getPathsFilePath("dir.v2/Maya.obv", path);
  EXPECT_STREQ(path, "dir.v2/Maya.obvpaths");

  const std::string file = "export-record-test.obvrecord.json";
  std::string error;
  ASSERT_TRUE(writeExportRecordFile(file.c_str(), SampleRecord(), error)) << error;
  ExportRecord read;
  EXPECT_TRUE(readExportRecordFile(file.c_str(), read, error)) << error;
  EXPECT_EQ(read.groups.size(), 1u);
  fs::remove(file);
  EXPECT_FALSE(readExportRecordFile(file.c_str(), read, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(writeExportRecordFile("no-such-folder/x.obvrecord.json", SampleRecord(), error));
}

// The fuzzer's kept inputs: refused or read, never a crash.
TEST(ExportRecord, EveryKeptFuzzInputIsReadWithoutHarm) {
  int read = 0;
  for (const char* folder : {"fuzz/corpus/fuzz_export_record", "tests/data/fuzz/fuzz_export_record"}) {
    std::error_code failure;
    for (const auto& entry : fs::directory_iterator(fs::path(OMBRIX_SOURCE_DIR) / folder, failure)) {
      const std::string bytes = ReadText(entry.path());
      ExportRecord record;
      std::string error;
      parseExportRecord(bytes.data(), bytes.size(), record, error);
      ++read;
    }
  }
  EXPECT_GT(read, 0);
}

}  // namespace
