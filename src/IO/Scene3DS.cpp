#include "IO/Scene3DS.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "HvTL/LittleEndian.h"
#include "IO/SceneReaderSupport.h"
#include "Math/PolygonNormal.h"
#include "Math/ProgressSink.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"
#include "Shader/ShaderValue.h"

namespace {

// Files larger than this are not read.
constexpr uint64_t kMaxFileBytes = uint64_t{1} << 31;

class Reader3DS {
 public:
  Reader3DS(std::vector<uint8_t> data, HvModel& model, ProgressSink* progress)
      : data_(std::move(data)), model_(model), progress_(progress) {}

  void Run();

 private:
  // Bytes left before the end of the innermost chunk being read.
  size_t Left() const { return limit_ > at_ ? limit_ - at_ : 0; }
  bool U16(uint16_t& value) {
    if (Left() < 2) return false;
    value = LoadU16LE(&data_[at_]);
    at_ += 2;
    return true;
  }
  bool U32(uint32_t& value) {
    if (Left() < 4) return false;
    value = LoadU32LE(&data_[at_]);
    at_ += 4;
    return true;
  }
  float F32At(size_t offset) const { return LoadF32LE(&data_[offset]); }
  // A zero-terminated text of at most `maximum` bytes; the position goes
  // just after its terminator (or to the end of what could be read).
  std::string Text(size_t maximum);

  void Points(size_t end);
  void TextureCoordinates(size_t end);
  void Faces(size_t end);
  void FaceMaterials(size_t end);
  void MaterialName(size_t end);
  void Colour(const char* channel, size_t end);
  void Map(const char* channel, size_t end);

  std::vector<uint8_t> data_;
  HvModel& model_;
  ProgressSink* progress_;
  size_t at_ = 6;
  size_t limit_ = 0;
  std::vector<size_t> parents_;  // ends of the chunks being descended into
  std::vector<Vector3> points_;
  std::vector<float> u_, v_;
  size_t textureCount_ = 0;
  Material* material_ = nullptr;
  Shader* shader_ = nullptr;
  int base_ = 0;
};

std::string Reader3DS::Text(size_t maximum) {
  const size_t end = std::min(at_ + std::min(maximum, Left()), limit_);
  size_t stop = at_;
  while (stop < end && data_[stop] != 0) ++stop;
  std::string text(reinterpret_cast<const char*>(&data_[at_]), stop - at_);
  at_ = std::min(stop + 1, limit_);
  return text;
}

void Reader3DS::Run() {
  ProgressSink::SetTotal(progress_, static_cast<double>(data_.size()));
  for (;;) {
    // Leave the chunks that end here; the innermost bounds every read.
    while (!parents_.empty() && at_ >= parents_.back()) parents_.pop_back();
    limit_ = parents_.empty() ? data_.size() : parents_.back();
    ProgressSink::SetPosition(progress_, static_cast<double>(at_));
    const size_t start = at_;
    uint16_t id = 0;
    uint32_t length = 0;
    if (!U16(id) || !U32(length)) break;
    if (length < 6) break;  // unreadable data ends the read
    // A chunk never reaches past its parent or the file.
    const size_t end = std::min(start + static_cast<size_t>(length), limit_);
    limit_ = end;
    bool descend = true;
    switch (id) {
      case 0x3D3D: case 0x4100: case 0xAFFF: break;
      case 0x3D3E: {
        uint32_t version = 0;
        descend = length == 10 && U32(version);
        break;
      }
      case 0x4000: Text(1000); break;
      case 0x4110: Points(end); break;
      case 0x4140: TextureCoordinates(end); break;
      case 0x4120: Faces(end); break;
      case 0x4130: FaceMaterials(end); break;
      case 0xA000: MaterialName(end); break;
      case 0xA010: Colour("AmbientColor", end); descend = false; break;
      case 0xA020: Colour("DiffuseColor", end); descend = false; break;
      case 0xA030: Colour("SpecularColor", end); descend = false; break;
      case 0xA200: Map("DiffuseColor", end); break;
      case 0xA210: Map("Opacity", end); break;
      case 0xA220: Map("Reflection", end); break;
      case 0xA230: Map("Bump", end); break;
      case 0xA33C: Map("SpecularColor", end); break;
      default: descend = false;
    }
    if (descend) {
      parents_.push_back(end);
    } else {
      at_ = std::max(at_, end);  // skip what is left of the chunk
    }
  }
  model_.SetEdgeSmoothnessAll(0.5, true);
  model_.ComputeCornerNormalsAll(0.4);
}

void Reader3DS::Points(size_t end) {
  uint16_t count = 0;
  if (!U16(count) || static_cast<size_t>(count) * 12 > end - at_) {
    at_ = end;  // a point count the chunk cannot hold: the chunk is skipped
    return;
  }
  points_.clear();
  for (uint16_t i = 0; i < count; ++i, at_ += 12)
    points_.emplace_back(F32At(at_), F32At(at_ + 8), -static_cast<double>(F32At(at_ + 4)));
}

void Reader3DS::TextureCoordinates(size_t end) {
  uint16_t count = 0;
  if (!U16(count) || static_cast<size_t>(count) * 8 > end - at_) {
    at_ = end;
    return;
  }
  u_.clear();
  v_.clear();
  for (uint16_t i = 0; i < count; ++i, at_ += 8) {
    u_.push_back(F32At(at_));
    v_.push_back(static_cast<float>(1.0 - F32At(at_ + 4)));
  }
  textureCount_ = count;
}

void Reader3DS::Faces(size_t end) {
  base_ = model_.TotalPolygonCount();
  uint16_t count = 0;
  if (!U16(count) || static_cast<size_t>(count) * 8 > end - at_) {
    at_ = end;
    textureCount_ = 0;
    return;
  }
  PolygonDesc desc;
  desc.Resize(3);
  for (uint16_t f = 0; f < count; ++f, at_ += 8) {
    ProgressSink::SetPosition(progress_, static_cast<double>(at_));
    const uint16_t index[3] = {LoadU16LE(&data_[at_]), LoadU16LE(&data_[at_ + 2]),
                               LoadU16LE(&data_[at_ + 4])};
    // A face naming a point beyond the list is left out.
    if (index[0] >= points_.size() || index[1] >= points_.size() || index[2] >= points_.size())
      continue;
    for (int k = 0; k < 3; ++k) {
      desc.positions[k] = points_[index[k]];
      const bool textured = index[k] < textureCount_;
      desc.u[k] = textured ? u_[index[k]] : 0.0f;
      desc.v[k] = textured ? v_[index[k]] : 0.0f;
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
  textureCount_ = 0;
}

void Reader3DS::FaceMaterials(size_t end) {
  const std::string name = Text(511);
  uint16_t count = 0;
  Material* material = model_.FindMaterial(name.c_str(), true);
  Shader* shader = model_.FindShader(name.c_str(), true);
  if (material == nullptr || !U16(count) || static_cast<size_t>(count) * 2 > end - at_) {
    at_ = end;
    return;
  }
  for (uint16_t i = 0; i < count; ++i, at_ += 2) {
    const int face = base_ + LoadU16LE(&data_[at_]);
    model_.SetPolygonMaterial(face, material);
    model_.SetPolygonAux(face, shader);
  }
}

void Reader3DS::MaterialName(size_t end) {
  (void)end;
  const std::string name = Text(500);
  material_ = model_.FindMaterial(name.c_str(), true);
  shader_ = model_.FindShader(name.c_str(), true);
  shader_->Root()->SetString("BaseType", "BRDF");
}

void Reader3DS::Colour(const char* channel, size_t end) {
  // Only the 24-byte form (two 9-byte colour sub-chunks) is read, and only
  // inside a material; any other colour chunk is skipped whole.
  if (end - (at_ - 6) != 24 || material_ == nullptr || shader_ == nullptr) return;
  uint16_t id = 0;
  uint32_t length = 0;
  if (!U16(id) || !U32(length) || length < 9 || length - 6 > Left()) return;
  const uint32_t packed = 0xFF000000u | uint32_t(data_[at_]) << 16 | uint32_t(data_[at_ + 1]) << 8 |
                          data_[at_ + 2];
  material_->SetColor(channel, packed);
  shader_->Root()->SetColorPacked(channel, packed);
}

void Reader3DS::Map(const char* channel, size_t end) {
  uint16_t id = 0;
  uint32_t length = 0;
  // The percentage sub-chunk, then the file name sub-chunk.
  if (!U16(id) || !U32(length) || length < 6 || length - 6 > Left()) {
    at_ = end;
    return;
  }
  at_ += length - 6;
  if (!U16(id) || !U32(length) || length < 6 || length - 6 > Left()) {
    at_ = end;
    return;
  }
  const size_t nameEnd = at_ + length - 6;
  const size_t saved = limit_;
  limit_ = nameEnd;
  const std::string fileName = Text(length - 6);
  limit_ = saved;
  at_ = nameEnd;
  if (shader_ == nullptr) return;
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
  HvIO* stream = Stream();
  if (scene == nullptr || stream == nullptr) return 1;
  HvModel* target = AddTargetModel(*scene, options);
  std::vector<uint8_t> data;
  if (!ReadRest(*stream, Start(), kMaxFileBytes, data)) return 1;
  stream->SetByteOrder(HvIO::kLittleEndian);
  Reader3DS reader(std::move(data), *target, progress);
  reader.Run();
  return 1;
}
