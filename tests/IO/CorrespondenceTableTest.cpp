// The correspondence file reader and table: files are built byte by byte here.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "IO/CorrespondenceTable.h"
#include "IO/CorrespondenceWriter.h"
#include "Model3D/HvModel.h"
#include "Model3D/PolygonDesc.h"
#include "Support/FileText.h"
#include "Support/TempPath.h"

namespace {

// A record as the file holds it: 15 floats, three corners of x y z u v.
using FileRecord = std::vector<float>;

void PutU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutF32(std::string& out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  PutU32(out, bits);
}

std::string CorFile(const std::vector<FileRecord>& records, int32_t count) {
  std::string out = "CORR";
  PutU32(out, static_cast<uint32_t>(count));
  for (const FileRecord& r : records)
    for (float value : r) PutF32(out, value);
  return out;
}

std::string CorFile(const std::vector<FileRecord>& records) {
  return CorFile(records, static_cast<int32_t>(records.size()));
}

// Corners given in the file's frame; u = 0.1 k, v = 0.25.
FileRecord Triangle(float x0, float y0, float z0, float x1, float y1, float z1, float x2, float y2,
                    float z2, float u = 0.5f) {
  return {x0, y0, z0, u, 0.25f, x1, y1, z1, u, 0.25f, x2, y2, z2, u, 0.25f};
}

// A polygon description with Maya-frame corners.
void Describe(PolygonDesc& desc, const std::vector<float>& xyz) {
  desc.Resize(static_cast<int>(xyz.size() / 3));
  for (int c = 0; c < desc.count; ++c)
    desc.positions[c] = Vector3(xyz[3 * c], xyz[3 * c + 1], xyz[3 * c + 2]);
}

class CorrespondenceTest : public ::testing::Test {
 protected:
  int Load(const std::string& bytes, CorrespondenceLoadInfo* info = nullptr) {
    WriteText(path_.str(), bytes);
    return loadCorrespondenceFile(table_, path_.c_str(), info);
  }
  const CorrespondenceRecord* Find(const std::vector<float>& mayaXyz) {
    PolygonDesc desc;
    Describe(desc, mayaXyz);
    return findCorrespondence(table_, desc);
  }

  TempPath path_{"table.cor"};
  CorrespondenceTable table_;
};

TEST_F(CorrespondenceTest, EmptyFileLoadsAndFindsNothing) {
  EXPECT_EQ(Load(CorFile({})), 1);
  EXPECT_EQ(table_.Size(), 0u);
  EXPECT_EQ(Find({0, 0, 0, 1, 0, 0, 0, 1, 0}), nullptr);
  EXPECT_EQ(Load(CorFile({}, -7)), 1);
  EXPECT_EQ(table_.Size(), 0u);
}

TEST_F(CorrespondenceTest, FrameAndFlipOnLoad) {
  ASSERT_EQ(Load(CorFile({Triangle(1, 2, 3, 4, 5, 6, 7, 8, 9)})), 1);
  const CorrespondenceRecord* r = Find({1, -2, -3, 4, -5, -6, 7, -8, -9});
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->corner[0].y, -2.0f);
  EXPECT_EQ(r->corner[2].z, -9.0f);
  EXPECT_EQ(r->corner[1].u, 0.5f);
  EXPECT_EQ(r->corner[1].v, 0.75f);
  // The file's own frame does not match; nor does a rotated corner order.
  EXPECT_EQ(Find({1, 2, 3, 4, 5, 6, 7, 8, 9}), nullptr);
  EXPECT_EQ(Find({4, -5, -6, 7, -8, -9, 1, -2, -3}), nullptr);
  // Corners past the third play no part.
  EXPECT_EQ(Find({1, -2, -3, 4, -5, -6, 7, -8, -9, 100, 100, 100}), r);
}

TEST_F(CorrespondenceTest, HashOfTheDocumentedRecord) {
  CorrespondenceRecord r{};
  const float xyz[9] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f};
  for (int c = 0; c < 3; ++c) r.corner[c] = {xyz[3 * c], xyz[3 * c + 1], xyz[3 * c + 2], 0, 0};
  EXPECT_EQ(correspondenceHash(r), 663);
  // File frame (x, -y, -z) of those Maya-frame corners lands in bucket 663.
  ASSERT_EQ(Load(CorFile({Triangle(0.1f, -0.2f, -0.3f, 0.4f, -0.5f, -0.6f, 0.7f, -0.8f, -0.9f)})), 1);
  EXPECT_EQ(table_.Bucket(663).size(), 1u);
}

TEST_F(CorrespondenceTest, FirstInFileOrderWinsAndShortFractionsShareBucketZero) {
  std::vector<FileRecord> records;
  for (int i = 0; i < 50; ++i)
    records.push_back(Triangle(float(i), 0.5f, -2.0f, 1, 1, 1, 0, 0, 1, 0.01f * float(i)));
  records.push_back(Triangle(3, 0.5f, -2.0f, 1, 1, 1, 0, 0, 1, 0.9f));  // duplicate of record 3
  ASSERT_EQ(Load(CorFile(records)), 1);
  EXPECT_EQ(table_.Bucket(0).size(), 51u);
  for (int i = 0; i < 50; ++i) {
    const CorrespondenceRecord* r = Find({float(i), -0.5f, 2.0f, 1, -1, -1, 0, 0, -1});
    ASSERT_NE(r, nullptr) << i;
    EXPECT_EQ(r->corner[0].u, 0.01f * float(i));
  }
  // The bucket keeps file order: the duplicate comes last.
  EXPECT_EQ(table_.Bucket(0).back()->corner[0].u, 0.9f);
}

TEST_F(CorrespondenceTest, FirstOfManyRecordsWinsWhereverItsRepeatsFall) {
  // 1000 records of 37 distinct keys: each key's repeats fall in other runs
  // of the reading and after the index has grown several times.
  std::vector<FileRecord> records;
  for (int i = 0; i < 1000; ++i) {
    const float k = float(i % 37);
    records.push_back(Triangle(k, k * 0.25f, -k, 1, 2, 3, 0, k, 1, 0.001f * float(i)));
  }
  ASSERT_EQ(Load(CorFile(records)), 1);
  EXPECT_EQ(table_.Size(), 1000u);
  for (int i = 0; i < 37; ++i) {
    const float k = float(i);
    const CorrespondenceRecord* r = Find({k, -k * 0.25f, k, 1, -2, -3, 0, -k, -1});
    ASSERT_NE(r, nullptr) << i;
    EXPECT_EQ(r, &table_.Records()[static_cast<size_t>(i)]) << i;
  }
  EXPECT_EQ(Find({37, -9.25f, 37, 1, -2, -3, 0, -37, -1}), nullptr);
}

TEST_F(CorrespondenceTest, SignedZerosShareTheBucketAndCompareEqual) {
  // The sign bit is bit 31 of the pattern: no multiple of it reaches the low
  // 12 bits, so -0.0 and +0.0 hash alike, and they compare equal.
  ASSERT_EQ(Load(CorFile({Triangle(0.0f, 1, 2, 3, 4, 5, 6, 7, 8)})), 1);
  EXPECT_NE(Find({-0.0f, -1, -2, 3, -4, -5, 6, -7, -8}), nullptr);
  EXPECT_NE(Find({0.0f, -1, -2, 3, -4, -5, 6, -7, -8}), nullptr);
}

TEST_F(CorrespondenceTest, NaNAndInfinities) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  ASSERT_EQ(Load(CorFile({Triangle(nan, 0, 0, 1, 0, 0, 0, 1, 0), Triangle(inf, 0, 0, 1, 0, 0, 0, 1, 0),
                          {1, 0, 0, nan, inf, 2, 0, 0, 0, 0, 3, 0, 0, 0, 0}})),
            1);
  EXPECT_EQ(table_.Size(), 3u);
  EXPECT_EQ(Find({nan, 0, 0, 1, 0, 0, 0, 1, 0}), nullptr);  // NaN equals nothing
  EXPECT_NE(Find({inf, 0, 0, 1, 0, 0, 0, -1, 0}), nullptr);
  const CorrespondenceRecord* r = Find({1, 0, 0, 2, 0, 0, 3, 0, 0});
  ASSERT_NE(r, nullptr);
  EXPECT_TRUE(std::isnan(r->corner[0].u));
  EXPECT_EQ(r->corner[0].v, -inf);
}

TEST_F(CorrespondenceTest, BadMagicOrMissingFileLeavesTheTableAlone) {
  ASSERT_EQ(Load(CorFile({Triangle(1, 2, 3, 4, 5, 6, 7, 8, 9)})), 1);
  std::string bad = CorFile({});
  bad[2] = 'X';
  CorrespondenceLoadInfo info;
  EXPECT_EQ(Load(bad, &info), 0);
  EXPECT_NE(info.error.find("CORR"), std::string::npos);
  EXPECT_EQ(Load("CO", &info), 0);
  EXPECT_EQ(Load("", &info), 0);
  EXPECT_EQ(loadCorrespondenceFile(table_, "no-such-dir/none.cor", &info), 0);
  EXPECT_EQ(info.error, "cannot open the file");
  EXPECT_EQ(table_.Size(), 1u);
  EXPECT_NE(Find({1, -2, -3, 4, -5, -6, 7, -8, -9}), nullptr);
}

TEST_F(CorrespondenceTest, TruncatedFileKeepsTheWholeRecordsRead) {
  std::string bytes = CorFile({Triangle(1, 2, 3, 4, 5, 6, 7, 8, 9), Triangle(9, 8, 7, 6, 5, 4, 3, 2, 1)}, 5);
  bytes.resize(bytes.size() - 7);  // the second record is cut
  CorrespondenceLoadInfo info;
  ASSERT_EQ(Load(bytes, &info), 1);
  EXPECT_TRUE(info.truncated);
  EXPECT_EQ(info.announced, 5);
  EXPECT_EQ(info.read, 1u);
  EXPECT_EQ(info.error, "offset 68: the file ends after 1 of 5 records");
  EXPECT_EQ(table_.Size(), 1u);
  EXPECT_EQ(Load("CORR\x01", &info), 1);  // magic, then no whole count
  EXPECT_TRUE(info.truncated);
  EXPECT_EQ(table_.Size(), 0u);
}

TEST_F(CorrespondenceTest, HugeCountOnASmallFileAllocatesNothingLarge) {
  CorrespondenceLoadInfo info;
  ASSERT_EQ(Load(CorFile({Triangle(1, 2, 3, 4, 5, 6, 7, 8, 9)}, 0x7FFFFFFF), &info), 1);
  EXPECT_TRUE(info.truncated);
  EXPECT_EQ(info.read, 1u);
}

TEST_F(CorrespondenceTest, TrailingBytesAreNotRead) {
  CorrespondenceLoadInfo info;
  ASSERT_EQ(Load(CorFile({Triangle(1, 2, 3, 4, 5, 6, 7, 8, 9)}, 1) + "junk", &info), 1);
  EXPECT_EQ(info.trailingBytes, 4u);
  EXPECT_EQ(table_.Size(), 1u);
}

TEST_F(CorrespondenceTest, SecondLoadReplacesTheFirst) {
  ASSERT_EQ(Load(CorFile({Triangle(1, 2, 3, 4, 5, 6, 7, 8, 9)})), 1);
  ASSERT_EQ(Load(CorFile({Triangle(9, 8, 7, 6, 5, 4, 3, 2, 1)})), 1);
  EXPECT_EQ(table_.Size(), 1u);
  EXPECT_EQ(Find({1, -2, -3, 4, -5, -6, 7, -8, -9}), nullptr);
  EXPECT_NE(Find({9, -8, -7, 6, -5, -4, 3, -2, -1}), nullptr);
  clearCorrespondences(table_);
  EXPECT_EQ(Find({9, -8, -7, 6, -5, -4, 3, -2, -1}), nullptr);
}

// The writer against the byte layout above; records from a model's fans.
TEST(CorrespondenceWriterTest, FansInThePaintersFrameByteForByte) {
  HvModel model;
  model.SetCurrentGroup(0);
  PolygonDesc quad;
  quad.Resize(4);
  const float xyz[4][3] = {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, -1}};
  for (int c = 0; c < 4; ++c) {
    quad.positions[c] = Vector3(xyz[c][0], xyz[c][1], xyz[c][2]);
    quad.u[c] = 0.125f * float(c);
    quad.v[c] = 0.25f;  // model v: the painter's is 0.75
  }
  ASSERT_TRUE(model.AddPolygon(quad));
  std::vector<int> groups;
  const auto same = makeCorrespondenceRecords(model, CorrespondenceUvMode(), &groups);
  ASSERT_EQ(same.size(), 2u);
  EXPECT_EQ(groups, (std::vector<int>{0, 0}));
  TempPath path("writer.cor");
  std::string error;
  ASSERT_TRUE(writeCorrespondenceFile(path.c_str(), same, error)) << error;
  std::string expected = "CORR";
  PutU32(expected, 2);
  for (int t = 0; t < 2; ++t)
    for (int c : {0, t + 1, t + 2}) {
      PutF32(expected, xyz[c][0]);
      PutF32(expected, -xyz[c][1]);
      PutF32(expected, -xyz[c][2]);
      PutF32(expected, 0.125f * float(c));
      PutF32(expected, 0.75f);
    }
  EXPECT_EQ(ReadText(path.str()), expected);

  CorrespondenceUvMode mode;
  ASSERT_TRUE(parseCorrespondenceUvMode("shift:0.5:-0.25", mode));
  const auto shifted = makeCorrespondenceRecords(model, mode);
  EXPECT_EQ(shifted[1].corner[2].u, 0.375f + 0.5f);
  EXPECT_EQ(shifted[1].corner[2].v, 0.5f);
  ASSERT_TRUE(parseCorrespondenceUvMode("planar", mode));
  const auto planar = makeCorrespondenceRecords(model, mode);
  EXPECT_EQ(planar[0].corner[1].u, 1.0f);  // x 2 of extent 2
  EXPECT_EQ(planar[1].corner[2].v, 0.5f);  // y 1 of extent 2
  EXPECT_FALSE(parseCorrespondenceUvMode("shift:1", mode));
  EXPECT_FALSE(parseCorrespondenceUvMode("shift:a:1", mode));
  EXPECT_FALSE(parseCorrespondenceUvMode("round", mode));
}

}  // namespace
