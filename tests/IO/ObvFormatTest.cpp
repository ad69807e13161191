#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "HvTL/LittleEndian.h"
#include "IO/FormatRegistry.h"
#include "IO/ImageFormatList.h"
#include "IO/ObvFormat.h"
#include "Model3D/HvModel.h"
#include "Platform/FileSystem.h"
#include "Support/TempPath.h"

namespace {

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

void AddPolygon(HvModel& model, std::initializer_list<Vector3> corners, Material* material) {
  PolygonDesc desc;
  desc.Resize(static_cast<int>(corners.size()));
  int i = 0;
  for (const Vector3& p : corners) {
    desc.positions[i] = p;
    desc.normals[i] = Vector3(0, 0, 1);
    desc.u[i] = 0.25f * static_cast<float>(i);
    desc.v[i] = 0.1f + 0.2f * static_cast<float>(i);
    desc.weights[i] = 1.0f;
    ++i;
  }
  desc.material = material;
  ASSERT_TRUE(model.AddPolygon(desc));
}

// Two groups: a quad and a triangle sharing a corner, then a lone triangle.
void BuildModel(HvModel& model) {
  Material* wood = model.FindMaterial("Wood", true);
  wood->SetColor("DiffuseColor", 0xFF806040u);
  wood->SetMapFileName("DiffuseColor", "c:/textures/wood.tga");
  wood->SetMapFileName("Bump", "bump.png");
  wood->SetWord(4);
  Material* metal = model.FindMaterial("Metal", true);
  model.SetCurrentGroup(0);
  model.SetGroupName(0, "Table");
  AddPolygon(model, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, wood);
  AddPolygon(model, {{1, 0, 0}, {2, 0, 0}, {1, 1, 0}}, metal);
  model.SetCurrentGroup(1);
  model.SetGroupName(1, "Lamp");
  AddPolygon(model, {{0, 0, 5}, {0.5f, 0, 5}, {0, 0.5f, 5}}, nullptr);
}

class ObvFormatTest : public ::testing::Test {
 protected:
  void SetUp() override { StartupFormats(); }
  void TearDown() override {
    TeardownModelFormats();
    TeardownSceneReaders();
  }

  int Save(HvModel& model, const TempPath& path, const char* options) {
    return SaveModelByName(&model, HvString(path.c_str()), "OBV", options, nullptr, nullptr);
  }

  bool Load(const TempPath& path, HvModel& model, std::string* error = nullptr) {
    HvIO stream(path.c_str(), HvIO::kRead);
    ObvFormat format;
    format.Attach(&stream, 0);
    const bool ok = format.Identify() == 1 && format.Load(&model, "", nullptr, nullptr) == 1;
    if (error != nullptr) *error = format.LastError();
    return ok;
  }

  bool Verify(const TempPath& path) {
    HvIO stream(path.c_str(), HvIO::kRead);
    ObvFormat format;
    format.Attach(&stream, 0);
    return format.Verify() == 1;
  }
};

}  // namespace

TEST_F(ObvFormatTest, EmptyModelHasHeaderTrailerListAndCheckWords) {
  HvModel model;
  TempPath packed("empty.obv"), unpacked("empty-p.obv");
  ASSERT_EQ(Save(model, packed, ""), 1);
  ASSERT_EQ(Save(model, unpacked, "p"), 1);
  const std::vector<uint8_t> bytes = ReadAll(packed.str());
  ASSERT_EQ(bytes.size(), 324u + 8 + 116 + 8 + 8);
  EXPECT_EQ(ReadAll(unpacked.str()).size(), 324u + 8 + 116 + 4 + 8);
  EXPECT_EQ(std::memcmp(bytes.data(), "Ombrix Vael Project File\n\0", 26), 0);
  EXPECT_EQ(std::memcmp(bytes.data() + 32, "V01.01\n\0", 8), 0);
  EXPECT_EQ(LoadU32LE(&bytes[64]), 3u);
  EXPECT_STREQ(reinterpret_cast<const char*>(&bytes[68]), packed.c_str());
  EXPECT_EQ(LoadU32LE(&bytes[332]), 25000u);
  EXPECT_EQ(LoadU32LE(&bytes[332 + 112]), 1u);  // packed flag
  EXPECT_TRUE(Verify(packed));
  EXPECT_TRUE(Verify(unpacked));
}

TEST_F(ObvFormatTest, FansFlagsVertexSharingAndFrame) {
  HvModel model;
  BuildModel(model);
  TempPath path("fans.obv");
  ASSERT_EQ(Save(model, path, ""), 1);
  const std::vector<uint8_t> b = ReadAll(path.str());
  EXPECT_EQ(LoadU32LE(&b[48]), 2u);  // meshes
  EXPECT_EQ(LoadU32LE(&b[52]), 2u);  // materials
  const size_t mesh = 332;
  EXPECT_EQ(LoadF32LE(&b[mesh + 12]), 0.0f);   // min x
  EXPECT_EQ(LoadF32LE(&b[mesh + 16]), -1.0f);  // -(max y)
  EXPECT_EQ(LoadF32LE(&b[mesh + 24]), 2.0f);   // max x
  EXPECT_STREQ(reinterpret_cast<const char*>(&b[mesh + 44]), "Table");
  ASSERT_EQ(LoadU32LE(&b[mesh + 76]), 3u);  // quad 2 + triangle 1
  const size_t t0 = mesh + 80, t1 = t0 + 104, t2 = t1 + 104;
  EXPECT_EQ(LoadU32LE(&b[t0 + 36]), 1u);  // quad: first
  EXPECT_EQ(LoadU32LE(&b[t0 + 44]), 0u);
  EXPECT_EQ(LoadU32LE(&b[t1 + 36]), 0u);
  EXPECT_EQ(LoadU32LE(&b[t1 + 44]), 1u);  // quad: last
  EXPECT_EQ(LoadU32LE(&b[t2 + 36]), 1u);  // triangle: both
  EXPECT_EQ(LoadU32LE(&b[t2 + 44]), 1u);
  EXPECT_EQ(LoadU32LE(&b[t1 + 0]), 0u);  // second fan triangle: c0, c2, c3
  EXPECT_EQ(LoadU32LE(&b[t1 + 4]), 2u);
  EXPECT_EQ(LoadU32LE(&b[t1 + 8]), 3u);
  EXPECT_EQ(LoadU32LE(&b[t2 + 0]), 1u);  // (1, 0, 0) is shared with the quad
  EXPECT_EQ(LoadU32LE(&b[t2 + 8]), 2u);  // (1, 1, 0) too
  EXPECT_EQ(static_cast<int32_t>(LoadU32LE(&b[t0 + 52])), 0);  // Wood
  EXPECT_EQ(static_cast<int32_t>(LoadU32LE(&b[t2 + 52])), 1);  // Metal
  EXPECT_EQ(static_cast<int32_t>(LoadU32LE(&b[t0 + 16])), 58982);  // 1 - 0.1 in 16.16
  EXPECT_EQ(LoadF32LE(&b[t0 + 64]), -1.0f);   // corner normal z negated
  EXPECT_EQ(LoadF32LE(&b[t0 + 100]), -1.0f);  // face normal z negated
  const size_t trailer = t2 + 104;
  EXPECT_EQ(static_cast<int32_t>(LoadU32LE(&b[trailer + 128])), -2);  // material changed
  EXPECT_EQ(LoadU32LE(&b[trailer + 132]), 5u);                        // distinct positions
  EXPECT_EQ(LoadF32LE(&b[trailer + 136 + 12 + 4]), -0.0f);            // vertex 1: -y
  EXPECT_TRUE(Verify(path));
}

TEST_F(ObvFormatTest, SignedZerosAreDistinctVertices) {
  HvModel model;
  AddPolygon(model, {{0.0f, 0, 0}, {1, 0, 0}, {0, 1, 0}}, nullptr);
  AddPolygon(model, {{-0.0f, 0, 0}, {1, 0, 0}, {0, 1, 0}}, nullptr);
  TempPath path("zeros.obv");
  ASSERT_EQ(Save(model, path, ""), 1);
  const std::vector<uint8_t> b = ReadAll(path.str());
  EXPECT_EQ(LoadU32LE(&b[332 + 80 + 2 * 104 + 132]), 4u);
}

TEST_F(ObvFormatTest, ModelRoundTripsThroughTheFile) {
  HvModel model;
  BuildModel(model);
  TempPath path("roundtrip.obv");
  ASSERT_EQ(Save(model, path, ""), 1);
  HvModel back;
  std::string error;
  ASSERT_TRUE(Load(path, back, &error)) << error;
  ASSERT_EQ(back.GroupCount(), 2);
  char name[32];
  back.GetGroupName(1, name, sizeof name);
  EXPECT_STREQ(name, "Lamp");
  ASSERT_EQ(back.MaterialCount(), 2);
  const Material* wood = back.Material(0, false);
  EXPECT_STREQ(wood->Name().Text(), "Wood");
  EXPECT_EQ(wood->GetColor("DiffuseColor"), 0xFF806040u);
  EXPECT_EQ(wood->GetWord(), 4u);
  EXPECT_STREQ(wood->GetMapFileName("DiffuseColor"), "c:/textures/wood.tga");
  EXPECT_STREQ(wood->GetMapFileName("Bump"), "bump.png");

  PolygonId a, b;
  PolygonData original, read;
  bool moreA = model.First(a), moreB = back.First(b);
  int compared = 0;
  while (moreA && moreB) {
    const bool gotA = model.GetPolygon(a, original);
    const bool gotB = back.GetPolygon(b, read);
    ASSERT_EQ(gotA, gotB);
    if (gotA) {
      ASSERT_EQ(original.count, read.count);
      for (int i = 0; i < read.count; ++i) {
        EXPECT_EQ(original.positions[i], read.positions[i]);
        EXPECT_EQ(original.normals[i], read.normals[i]);
        EXPECT_NEAR(original.u[i], read.u[i], 1.0 / 65536);
        EXPECT_NEAR(original.v[i], read.v[i], 1.0 / 65536);
      }
      const int materialA = model.IndexOfMaterial(static_cast<Material*>(original.material));
      EXPECT_EQ(materialA, back.IndexOfMaterial(static_cast<Material*>(read.material)));
      ++compared;
    }
    moreA = model.Next(a, a);
    moreB = back.Next(b, b);
  }
  EXPECT_EQ(compared, 3);
}

TEST_F(ObvFormatTest, DamagedFilesAreRefusedCleanly) {
  HvModel model;
  BuildModel(model);
  TempPath good("good.obv"), bad("bad.obv");
  ASSERT_EQ(Save(model, good, ""), 1);
  const std::vector<uint8_t> bytes = ReadAll(good.str());
  for (size_t cut = 0; cut < bytes.size(); cut += 7) {
    WriteAll(bad.str(), std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(cut)));
    HvModel partial;
    EXPECT_FALSE(Load(bad, partial)) << "cut at " << cut;
  }
  std::vector<uint8_t> huge = bytes;
  StoreU32LE(&huge[332 + 76], 0x7FFFFFFFu);  // triangle count
  WriteAll(bad.str(), huge);
  HvModel model2;
  std::string error;
  EXPECT_FALSE(Load(bad, model2, &error));
  // Refused before anything is allocated for it.
  EXPECT_EQ(error.rfind("triangle count 2147483647 is more than the ", 0), 0u) << error;
  std::vector<uint8_t> stray = bytes;
  StoreU32LE(&stray[332 + 80], 999u);  // a vertex index beyond the table
  WriteAll(bad.str(), stray);
  EXPECT_FALSE(Load(bad, model2, &error));
  EXPECT_FALSE(Verify(bad));
}

TEST_F(ObvFormatTest, SaveByNameFindsExactNamesOnly) {
  HvModel model;
  TempPath path("byname.obv");
  WriteAll(path.str(), {1, 2, 3});
  EXPECT_EQ(SaveModelByName(&model, HvString(path.c_str()), "obv", "", nullptr, nullptr), 0);
  EXPECT_EQ(SaveModelByName(&model, HvString(path.c_str()), "NONE", "", nullptr, nullptr), 0);
  EXPECT_EQ(ReadAll(path.str()).size(), 3u);  // untouched
  EXPECT_EQ(SaveModelByName(&model, HvString("no/such/dir/x.obv"), "OBV", "", nullptr, nullptr), 0);
}

TEST_F(ObvFormatTest, AFailedSaveSaysWhy) {
  HvModel model;
  ReadFailure failure;
  EXPECT_EQ(SaveModelByName(&model, HvString("no/such/dir/x.obv"), "OBV", "", nullptr, nullptr, &failure), 0);
  EXPECT_EQ(failure.reason, Platform::ErrorText(ENOENT));
  // A sound save after it leaves no reason behind.
  TempPath path("why.obv");
  EXPECT_EQ(SaveModelByName(&model, HvString(path.c_str()), "OBV", "", nullptr, nullptr, &failure), 1);
  EXPECT_FALSE(failure.Failed());
#ifndef _WIN32
  BuildModel(model);
  EXPECT_EQ(SaveModelByName(&model, HvString("/dev/full"), "OBV", "", nullptr, nullptr, &failure), 0);
  EXPECT_EQ(failure.reason, Platform::ErrorText(ENOSPC));
#endif
}

namespace {

// A format that writes a few bytes and then fails.
class FailingFormat : public ModelFormat {
 public:
  FailingFormat() : ModelFormat("OBV") {}
  int Save(HvModel*, const char*, ProgressSink*, void*) override {
    Stream()->Write("partial", 7);
    return 0;
  }
};

}  // namespace

TEST_F(ObvFormatTest, AFailedFormatLeavesTheNextOneAFreshStream) {
  TeardownModelFormats();
  RegisterModelFormat(std::make_unique<FailingFormat>());
  RegisterModelFormat(std::make_unique<ObvFormat>());
  HvModel model;
  TempPath path("second.obv");
  ASSERT_EQ(Save(model, path, ""), 1);
  EXPECT_TRUE(Verify(path));
  EXPECT_EQ(ReadAll(path.str())[0], 'O');
}

#ifndef _WIN32
TEST_F(ObvFormatTest, AFullDiskIsNotReportedAsSaved) {
  HvModel model;
  BuildModel(model);
  EXPECT_EQ(SaveModelByName(&model, HvString("/dev/full"), "OBV", "", nullptr, nullptr), 0);
}
#endif

TEST_F(ObvFormatTest, ChannelImagesAreWrittenBesideTheProjectAndSizeTheRecord) {
  TempPath texture("tex.tga");
  HvImage image;
  ASSERT_TRUE(image.SetFormat(3, 2, 100));
  std::memset(image.Data(), 0x7F, 24);
  ASSERT_TRUE(SaveImageByName(image, texture.c_str(), "TGA"));

  HvModel model;
  Material* material = model.FindMaterial("Painted", true);
  material->SetMapFileName("DiffuseColor", texture.c_str());
  material->LoadMapImages();
  ASSERT_NE(material->GetMap("DiffuseColor"), nullptr);
  material->SetMapFileName("Opacity", "missing-file.png");
  TempPath path("images.obv");
  ASSERT_EQ(Save(model, path, "p"), 1);  // unpacked: every image is written out
  const std::vector<uint8_t> b = ReadAll(path.str());
  const size_t record = 332;
  EXPECT_EQ(LoadU32LE(&b[record + 12]), 1u);         // DiffuseColor present
  EXPECT_EQ(LoadU32LE(&b[record + 12 + 4 * 56]), 0u);  // Opacity: a name, no image, unpacked
  EXPECT_EQ(LoadU32LE(&b[record + 324]), 3u);        // width from the diffuse file
  EXPECT_EQ(LoadU32LE(&b[record + 328]), 2u);
  const char* written = "M0CM0.tga";  // the generated name, beside the project file
  HvImage back;
  EXPECT_TRUE(LoadImageFile(written, back));
  EXPECT_EQ(back.Width(), 3);
  std::remove(written);
}
