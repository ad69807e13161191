#include "IO/Scene3DS.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "IO/BinaryReader.h"
#include "IO/SceneReaderSupport.h"
#include "Math/PainterFrame.h"
#include "Math/PolygonNormal.h"
#include "Math/ProgressSink.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"
#include "Shader/ShaderValue.h"

namespace {

class Reader3DS {
 public:
  Reader3DS(BinaryReader& in, HvModel& model, ProgressSink* progress)
      : in_(in), model_(model), progress_(progress) {}

  // False when the file is damaged; what was read before stays in the model.
  bool Run();

 private:
  // One chunk inside the innermost chunk entered: its id is acted on and it
  // is either left (skipped) or stays entered so that its sub-chunks follow.
  bool Chunk();
  bool Points();
  bool TextureCoordinates();
  bool Faces();
  bool FaceMaterials();
  bool MaterialName();
  void Colour(const char* channel, uint32_t length);
  void Map(const char* channel);
  // A sub-chunk header, entered; the caller leaves it.
  bool SubChunk(const char* what);

  BinaryReader& in_;
  HvModel& model_;
  ProgressSink* progress_;
  std::vector<Vector3> points_;
  std::vector<float> u_, v_;
  size_t textureCount_ = 0;
  Material* material_ = nullptr;
  Shader* shader_ = nullptr;
  int base_ = 0;
};

bool Reader3DS::Run() {
  ProgressSink::SetTotal(progress_, static_cast<double>(in_.Size()));
  uint16_t id = 0;
  uint32_t length = 0;
  // The main chunk bounds the file's chunks; its id is not checked.
  if (!in_.U16(id, "the main chunk header") || !in_.U32(length, "the main chunk header"))
    return false;
  if (length < 6) return in_.Fail("the main chunk is shorter than its header");
  in_.Enter(length - 6, "the main chunk");
  while (!in_.Failed()) {
    while (in_.Depth() > 1 && in_.Left() == 0) in_.Leave();
    if (in_.Left() == 0 || !Chunk()) break;
  }
  while (in_.Depth() > 0) in_.Leave();  // a chunk cut short fails here
  model_.SetEdgeSmoothnessAll(0.5, true);
  model_.ComputeCornerNormalsAll(0.4);
  return !in_.Failed();
}

bool Reader3DS::Chunk() {
  ProgressSink::SetPosition(progress_, static_cast<double>(in_.Offset()));
  uint16_t id = 0;
  uint32_t length = 0;
  if (!in_.U16(id, "a chunk header") || !in_.U32(length, "a chunk header")) return false;
  char what[32];
  std::snprintf(what, sizeof what, "chunk 0x%04X", static_cast<unsigned>(id));
  if (length < 6) return in_.Fail(std::string(what) + " is shorter than its header");
  if (!in_.Enter(length - 6, what)) return false;
  bool descend = true;
  switch (id) {
    case 0x3D3D: case 0x4100: case 0xAFFF: break;
    case 0x3D3E: {
      uint32_t version = 0;
      descend = length == 10 && in_.U32(version, "the mesh version");
      break;
    }
    case 0x4000: {
      std::string name;
      in_.Text(name, 1000, "an object name");
      break;
    }
    case 0x4110: Points(); break;
    case 0x4140: TextureCoordinates(); break;
    case 0x4120: Faces(); break;
    case 0x4130: FaceMaterials(); break;
    case 0xA000: MaterialName(); break;
    case 0xA010: Colour("AmbientColor", length); descend = false; break;
    case 0xA020: Colour("DiffuseColor", length); descend = false; break;
    case 0xA030: Colour("SpecularColor", length); descend = false; break;
    case 0xA200: Map("DiffuseColor"); break;
    case 0xA210: Map("Opacity"); break;
    case 0xA220: Map("Reflection"); break;
    case 0xA230: Map("Bump"); break;
    case 0xA33C: Map("SpecularColor"); break;
    default: descend = false;
  }
  if (!descend) in_.Leave();  // what is left of the chunk is skipped
  return !in_.Failed();
}

bool Reader3DS::Points() {
  uint16_t count = 0;
  if (!in_.U16(count, "a point count") || !in_.Holds(count, 12, "point")) return false;
  points_.clear();
  for (uint16_t i = 0; i < count; ++i) {
    float x = 0, y = 0, z = 0;
    if (!in_.F32(x, "a point") || !in_.F32(y, "a point") || !in_.F32(z, "a point")) return false;
    points_.emplace_back(x, z, -static_cast<double>(y));
  }
  return true;
}

bool Reader3DS::TextureCoordinates() {
  uint16_t count = 0;
  if (!in_.U16(count, "a texture coordinate count") ||
      !in_.Holds(count, 8, "texture coordinate"))
    return false;
  u_.clear();
  v_.clear();
  for (uint16_t i = 0; i < count; ++i) {
    float u = 0, v = 0;
    if (!in_.F32(u, "a texture coordinate") || !in_.F32(v, "a texture coordinate")) return false;
    u_.push_back(u);
    v_.push_back(flipVf(v));
  }
  textureCount_ = count;
  return true;
}

bool Reader3DS::Faces() {
  base_ = model_.TotalPolygonCount();
  const size_t textured = textureCount_;
  textureCount_ = 0;
  uint16_t count = 0;
  if (!in_.U16(count, "a face count") || !in_.Holds(count, 8, "face")) return false;
  PolygonDesc desc;
  desc.Resize(3);
  for (uint16_t f = 0; f < count; ++f) {
    ProgressSink::SetPosition(progress_, static_cast<double>(in_.Offset()));
    uint16_t index[4] = {};
    for (uint16_t& value : index)
      if (!in_.U16(value, "a face")) return false;
    // A face naming a point beyond the list is left out.
    if (index[0] >= points_.size() || index[1] >= points_.size() || index[2] >= points_.size())
      continue;
    for (int k = 0; k < 3; ++k) {
      desc.positions[k] = points_[index[k]];
      const bool hasUv = index[k] < textured;
      desc.u[k] = hasUv ? u_[index[k]] : 0.0f;
      desc.v[k] = hasUv ? v_[index[k]] : 0.0f;
      desc.weights[k] = 1.0f;
    }
    Vector3 normal = TriangleNormal(desc.positions, 3);
    if (!std::isfinite(normal.x) || !std::isfinite(normal.y) || !std::isfinite(normal.z))
      normal = Vector3();
    desc.faceNormal = normal;
    for (int k = 0; k < 3; ++k) desc.normals[k] = normal;
    desc.material = material_;
    desc.aux = shader_;
    model_.AddPolygon(desc);
  }
  return true;
}

bool Reader3DS::FaceMaterials() {
  std::string name;
  uint16_t count = 0;
  if (!in_.Text(name, 511, "a face material name") || !in_.U16(count, "a face material count") ||
      !in_.Holds(count, 2, "face number"))
    return false;
  Material* material = model_.FindMaterial(name.c_str(), true);
  Shader* shader = model_.FindShader(name.c_str(), true);
  for (uint16_t i = 0; i < count; ++i) {
    uint16_t face = 0;
    if (!in_.U16(face, "a face number")) return false;
    if (material == nullptr) continue;
    model_.SetPolygonMaterial(base_ + face, material);
    model_.SetPolygonAux(base_ + face, shader);
  }
  return true;
}

bool Reader3DS::MaterialName() {
  std::string name;
  if (!in_.Text(name, 500, "a material name")) return false;
  material_ = model_.FindMaterial(name.c_str(), true);
  shader_ = model_.FindShader(name.c_str(), true);
  shader_->Root()->SetString("BaseType", "BRDF");
  return true;
}

bool Reader3DS::SubChunk(const char* what) {
  uint16_t id = 0;
  uint32_t length = 0;
  if (!in_.U16(id, what) || !in_.U32(length, what)) {
    in_.Enter(0, what);
    return false;
  }
  if (length < 6) {
    in_.Enter(0, what);
    return in_.Fail(std::string(what) + " is shorter than its header");
  }
  return in_.Enter(length - 6, what);
}

void Reader3DS::Colour(const char* channel, uint32_t length) {
  // Only the 24-byte form (two 9-byte colour sub-chunks) is read, and only
  // inside a material; any other colour chunk is skipped whole.
  if (length != 24 || material_ == nullptr || shader_ == nullptr) return;
  uint8_t rgb[3] = {};
  const bool read = SubChunk("a colour sub-chunk") && in_.Bytes(rgb, 3, "a colour");
  in_.Leave();
  if (!read) return;
  const uint32_t packed = 0xFF000000u | uint32_t(rgb[0]) << 16 | uint32_t(rgb[1]) << 8 | rgb[2];
  material_->SetColor(channel, packed);
  shader_->Root()->SetColorPacked(channel, packed);
}

void Reader3DS::Map(const char* channel) {
  // The percentage sub-chunk, then the file name sub-chunk; a map chunk
  // too short for a sub-chunk names no file.
  if (in_.Left() < 6) return;
  SubChunk("a map percentage sub-chunk");
  in_.Leave();
  std::string fileName;
  const bool named = SubChunk("a map file name sub-chunk") &&
                     in_.Text(fileName, static_cast<size_t>(in_.Left()), "a map file name");
  in_.Leave();
  if (!named || shader_ == nullptr) return;
  ShaderNode* root = shader_->Root();
  const ShaderValue* existing = root->Value(channel);
  uint32_t multiplier = 0;
  const bool hadValue = existing != nullptr;
  if (hadValue) existing->AsColorPacked(multiplier);
  ShaderNode* image = shader_->CreateNode();
  image->SetString("BaseType", "Image");
  image->SetString("FileName", fileName.c_str());
  if (hadValue) image->SetColorPacked("ColorMultiplier", multiplier);
  root->SetLink(channel, image, "OutColor");
}

}  // namespace

int Scene3DS::Identify() { return StartsWith(Stream(), Start(), "MM", 2) ? 1 : 0; }

int Scene3DS::Load(Scene* scene, const char* options, ProgressSink* progress) {
  ClearFailure();
  HvIO* stream = Stream();
  if (scene == nullptr || stream == nullptr || !stream->IsOpen()) return Refuse("stream not open");
  HvModel* target = AddTargetModel(*scene, options);
  stream->SetByteOrder(HvIO::kLittleEndian);
  BinaryReader in(*stream, Start(), BinaryReader::kLittleEndian);
  Reader3DS reader(in, *target, progress);
  if (reader.Run()) return 1;
  SetFailure(in.Failure());
  return 0;
}
