#pragma once
// Small, sound model files of every binary and text format, built in
// memory or through our own writers, for the tests of damaged and repeated
// reads.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "HvCore/HvIO.h"
#include "HvTL/HvString.h"
#include "HvTL/LittleEndian.h"
#include "IO/FormatRegistry.h"
#include "IO/Hv3Format.h"
#include "IO/SceneLWO.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"

namespace SampleFiles {

using Bytes = std::vector<uint8_t>;

inline void Write(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A 3DS chunk: id, length (6 + payload), payload.
inline Bytes Chunk3ds(uint16_t id, const Bytes& payload) {
  Bytes out(6);
  StoreU16LE(&out[0], id);
  StoreU32LE(&out[2], static_cast<uint32_t>(payload.size() + 6));
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

inline void PutU16(Bytes& out, uint16_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); }
inline void PutU32(Bytes& out, uint32_t v) {
  uint8_t b[4];
  StoreU32LE(b, v);
  out.insert(out.end(), b, b + 4);
}
inline void PutF32(Bytes& out, float v) {
  uint8_t b[4];
  StoreF32LE(b, v);
  out.insert(out.end(), b, b + 4);
}

// One 3DS object of one triangle, with `pointCount` announced for its 3 points.
inline Bytes Object3ds(const char* name, uint16_t pointCount = 3) {
  Bytes points, faces, object(name, name + std::strlen(name) + 1);
  PutU16(points, pointCount);
  for (float v : {0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 0.f}) PutF32(points, v);
  PutU16(faces, 1);
  for (uint16_t v : {0, 1, 2, 0}) PutU16(faces, v);
  Bytes mesh = Chunk3ds(0x4110, points);
  const Bytes faceChunk = Chunk3ds(0x4120, faces);
  mesh.insert(mesh.end(), faceChunk.begin(), faceChunk.end());
  const Bytes meshChunk = Chunk3ds(0x4100, mesh);
  object.insert(object.end(), meshChunk.begin(), meshChunk.end());
  return Chunk3ds(0x4000, object);
}

// A 3DS file of the objects given.
inline Bytes File3ds(const std::vector<Bytes>& objects) {
  Bytes editor;
  for (const Bytes& object : objects) editor.insert(editor.end(), object.begin(), object.end());
  return Chunk3ds(0x4D4D, Chunk3ds(0x3D3D, editor));
}

// A studio model: one body part, one model of three vertices and one
// triangle strip, one 8 x 8 skin. `vertexCount` is what the model announces.
inline Bytes FileMdl(uint32_t vertexCount = 3) {
  const uint32_t partAt = 244, modelAt = partAt + 76, bonesAt = modelAt + 112;
  const uint32_t verticesAt = bonesAt + 4, meshAt = verticesAt + 36, commandsAt = meshAt + 20;
  const uint32_t textureAt = commandsAt + 2 + 3 * 8 + 2, pixelsAt = textureAt + 80;
  const uint32_t size = pixelsAt + 64 + 768;
  Bytes out(size, 0);
  auto put = [&](uint32_t at, uint32_t value) { StoreU32LE(&out[at], value); };
  std::memcpy(out.data(), "IDST", 4);
  put(72, size);
  put(180, 1), put(184, textureAt), put(204, 1), put(208, partAt);
  put(partAt + 64, 1), put(partAt + 72, modelAt);
  put(modelAt + 72, 1), put(modelAt + 76, meshAt);
  put(modelAt + 80, vertexCount), put(modelAt + 84, bonesAt), put(modelAt + 88, verticesAt);
  const float vertices[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  for (int i = 0; i < 9; ++i) StoreF32LE(&out[verticesAt + 4 * static_cast<uint32_t>(i)], vertices[i]);
  put(meshAt, 1), put(meshAt + 4, commandsAt);
  StoreU16LE(&out[commandsAt], 3);
  for (uint16_t k = 0; k < 3; ++k) StoreU16LE(&out[commandsAt + 2 + 8u * k], k);
  put(textureAt + 68, 8), put(textureAt + 72, 8), put(textureAt + 76, pixelsAt);
  return out;
}

// A model of `count` quads in two materials.
inline void Quads(HvModel& model, int count) {
  PolygonDesc desc;
  desc.Resize(4);
  for (int i = 0; i < count; ++i) {
    const double x = i;
    const Vector3 corners[4] = {{x, 0, 0}, {x + 1, 0, 0}, {x + 1, 1, 0}, {x, 1, 0}};
    for (int k = 0; k < 4; ++k) {
      desc.positions[k] = corners[k];
      desc.normals[k] = Vector3(0, 0, 1);
      desc.u[k] = static_cast<float>(corners[k].x);
      desc.v[k] = static_cast<float>(corners[k].y);
      desc.weights[k] = 1.0f;
    }
    desc.faceNormal = Vector3(0, 0, 1);
    desc.material = model.FindMaterial(i % 2 == 0 ? "even" : "odd", true);
    model.AddPolygon(desc);
  }
}

// A project file (formats started) of `count` quads.
inline void SaveProject(const std::string& path, int count) {
  HvModel model;
  Quads(model, count);
  SaveModelByName(&model, HvString(path.c_str()), "OBV", "", nullptr, nullptr);
}

// A scene of `count` quads saved by a scene reader's own save (LWO, HV3).
template <typename Format>
void SaveScene(const std::string& path, int count) {
  HvModel model;  // the scene's nodes do not own their models
  Quads(model, count);
  Scene scene;
  scene.AddNode(std::make_unique<SceneNode>(SceneNode::kMeshSet));
  scene.NodeAt(0)->SetPayload(&model);
  HvIO stream(path.c_str(), HvIO::kWrite);
  Format format;
  format.Attach(&stream, 0);
  format.Save(&scene, 0, nullptr);
}

inline std::string ObjText(int quads) {
  std::string text;
  for (int i = 0; i <= quads; ++i)
    text += "v " + std::to_string(i) + " 0 0\nv " + std::to_string(i) + " 1 0\n";
  for (int i = 0; i < quads; ++i) {
    const int a = 2 * i + 1;
    text += "f " + std::to_string(a) + " " + std::to_string(a + 2) + " " + std::to_string(a + 3) +
            " " + std::to_string(a + 1) + "\n";
  }
  return text;
}

}  // namespace SampleFiles
