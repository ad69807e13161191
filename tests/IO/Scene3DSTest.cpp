#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "HvTL/LittleEndian.h"
#include "IO/Scene3DS.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"
#include "Support/SceneLoad.h"
#include "Support/TempPath.h"

namespace {

// Builds chunks: Chunk(id, payload + sub-chunks).
std::vector<uint8_t> Chunk(uint16_t id, const std::vector<uint8_t>& body, int lengthDelta = 0) {
  std::vector<uint8_t> out(6);
  StoreU16LE(&out[0], id);
  StoreU32LE(&out[2], static_cast<uint32_t>(static_cast<int>(body.size()) + 6 + lengthDelta));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

std::vector<uint8_t> U16s(std::initializer_list<uint16_t> values) {
  std::vector<uint8_t> out;
  for (uint16_t v : values) out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
  return out;
}

std::vector<uint8_t> F32s(std::initializer_list<float> values) {
  std::vector<uint8_t> out;
  for (float v : values) {
    uint8_t b[4];
    StoreF32LE(b, v);
    out.insert(out.end(), b, b + 4);
  }
  return out;
}

std::vector<uint8_t> Text(const char* text) {
  return std::vector<uint8_t>(text, text + std::strlen(text) + 1);
}

std::unique_ptr<HvModel> Load(const std::vector<uint8_t>& bytes) {
  TempPath path("test.3ds");
  std::ofstream(path.str(), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return LoadFirstModel<Scene3DS>(path.c_str());
}

// Why the load of these bytes failed: "offset N: REASON".
std::string LoadError(const std::vector<uint8_t>& bytes) {
  TempPath path("damaged.3ds");
  std::ofstream(path.str(), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  HvIO stream(path.c_str(), HvIO::kRead);
  Scene3DS format;
  format.Attach(&stream, 0);
  Scene scene;
  EXPECT_EQ(format.Load(&scene, "", nullptr), 0);
  for (int i = 0; i < scene.NodeCount(); ++i) delete static_cast<HvModel*>(scene.NodeAt(i)->Payload());
  return "offset " + std::to_string(format.LastFailure().offset) + ": " + format.LastFailure().reason;
}

std::vector<uint8_t> MaterialChunk(const char* name, const std::vector<uint8_t>& colour) {
  return Chunk(0xAFFF, Join({Chunk(0xA000, Text(name)), colour}));
}

std::vector<uint8_t> Mesh(const std::vector<uint8_t>& faces) {
  const auto points = Chunk(0x4110, Join({U16s({3}), F32s({1, 2, 3, 4, 2, 3, 1, 5, 3})}));
  const auto uv = Chunk(0x4140, Join({U16s({3}), F32s({0.25f, 0.75f, 1, 1, 0, 0})}));
  return Chunk(0x4000, Join({Text("box"), Chunk(0x4100, Join({points, uv, faces}))}));
}

}  // namespace

TEST(Scene3DS, PointsTurnYUpAndTexturesFlip) {
  const auto colour = Chunk(0xA020, Join({Chunk(0x0011, {255, 128, 0}), Chunk(0x0012, {1, 2, 3})}));
  const auto faces = Chunk(0x4120, Join({U16s({2, 0, 1, 2, 0, 0, 1, 7, 0}),
                                         Chunk(0x4130, Join({Text("red"), U16s({1, 0})}))}));
  const auto file = Chunk(0x4D4D, Chunk(0x3D3D, Join({MaterialChunk("red", colour), Mesh(faces)})));
  std::unique_ptr<HvModel> model = Load(file);
  ASSERT_NE(model, nullptr);
  ASSERT_EQ(model->TotalPolygonCount(), 1);  // the face naming point 7 is left out
  PolygonData data;
  ASSERT_TRUE(model->GetPolygon(PolygonId{0, 0, 1}, data));
  EXPECT_EQ(data.positions[0], Vector3(1, 3, -2));
  EXPECT_FLOAT_EQ(data.u[0], 0.25f);
  EXPECT_FLOAT_EQ(data.v[0], 0.25f);
  const ::Material* red = model->FindMaterial("red", false);
  ASSERT_NE(red, nullptr);
  EXPECT_EQ(data.material, red);
  EXPECT_EQ(red->GetColor("DiffuseColor"), 0xFFFF8000u);
}

TEST(Scene3DS, DamagedChunksAreSkippedOrRefused) {
  // A colour chunk of the wrong length is skipped whole; the mesh after it
  // is still read.
  const auto oddColour = Chunk(0xA020, Join({Chunk(0x0011, {255, 0, 0, 0})}));
  const auto faces = Chunk(0x4120, U16s({1, 0, 1, 2, 0}));
  const auto file = Chunk(0x4D4D, Chunk(0x3D3D, Join({MaterialChunk("m", oddColour), Mesh(faces)})));
  std::unique_ptr<HvModel> model = Load(file);
  ASSERT_NE(model, nullptr);
  EXPECT_EQ(model->TotalPolygonCount(), 1);
  EXPECT_EQ(model->FindMaterial("m", false)->GetColor("DiffuseColor"), 0x404040u);
  // A face count larger than its chunk, a chunk longer than the file and a
  // file cut inside a chunk are refused with where and why.
  EXPECT_EQ(LoadError(Chunk(0x4D4D, Chunk(0x3D3D, Mesh(Chunk(0x4120, U16s({500, 0, 1, 2, 0})))))),
            "offset 112: face count 500 is more than the 8 bytes left can hold");
  EXPECT_EQ(LoadError(Chunk(0x4D4D, Chunk(0x3D3D, Mesh(faces), 1000))),
            "offset 120: the file ends 1000 bytes before the end of chunk 0x3D3D");
  auto cut = Chunk(0x4D4D, Chunk(0x3D3D, Mesh(faces)));
  cut.resize(cut.size() - 3);
  EXPECT_EQ(LoadError(cut), "offset 112: the file ends inside the face records (1 announced)");
}
