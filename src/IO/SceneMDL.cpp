#include "IO/SceneMDL.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "HvTL/LittleEndian.h"
#include "IMGLib/Canvas.h"
#include "IMGLib/ImageHandles.h"
#include "IMGLib/PixelFormat.h"
#include "IO/SceneReaderSupport.h"
#include "Math/Matrix3.h"
#include "Math/ProgressSink.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"

namespace {

constexpr uint64_t kMaxFileBytes = uint64_t{1} << 30;
constexpr size_t kCommandBytes = 65530;

class MdlReader {
 public:
  MdlReader(std::vector<uint8_t> data, HvModel& model, ProgressSink* progress)
      : data_(std::move(data)), model_(model), progress_(progress) {}

  void Run();

 private:
  // A record of `size` bytes at `offset` lies inside the file.
  bool Holds(int64_t offset, uint64_t size) const {
    return offset >= 0 && static_cast<uint64_t>(offset) <= data_.size() &&
           size <= data_.size() - static_cast<uint64_t>(offset);
  }
  int32_t I32(size_t offset) const { return static_cast<int32_t>(LoadU32LE(&data_[offset])); }
  float F32(size_t offset) const { return LoadF32LE(&data_[offset]); }

  void Bones(int32_t count, int32_t offset);
  void Vertices(int32_t count, int32_t bonesOffset, int32_t offset);
  void Textures(int32_t count, int32_t offset);
  void Meshes(int32_t count, int32_t offset);
  void Commands(size_t offset, void* material, void* shader);

  std::vector<uint8_t> data_;
  HvModel& model_;
  ProgressSink* progress_;
  std::vector<Matrix3> rotations_;
  std::vector<Vector3> positions_;
  std::vector<Vector3> vertices_;
  int width_ = 0, height_ = 0;  // of the last texture read
  // Command bytes left to walk: meshes may point at the same commands, but
  // together they walk no more than the file holds.
  size_t budget_ = 0;
};

void MdlReader::Run() {
  budget_ = data_.size();
  if (!Holds(0, 244)) return;
  const int32_t bodyParts = I32(208);
  if (!Holds(bodyParts, 76)) return;
  const int32_t models = I32(static_cast<size_t>(bodyParts) + 72);
  if (!Holds(models, 112)) return;
  const size_t m = static_cast<size_t>(models);
  Bones(I32(140), I32(144));
  Vertices(I32(m + 80), I32(m + 84), I32(m + 88));
  Textures(I32(180), I32(184));
  Meshes(I32(m + 72), I32(m + 76));
  model_.SetEdgeSmoothnessAll(0.5, true);
  model_.ComputeCornerNormalsAll(0.4);
}

void MdlReader::Bones(int32_t count, int32_t offset) {
  if (count <= 0 || !Holds(offset, static_cast<uint64_t>(count) * 112)) return;
  for (int32_t i = 0; i < count; ++i) {
    const size_t at = static_cast<size_t>(offset) + static_cast<size_t>(i) * 112;
    const int32_t parent = I32(at + 32);
    Matrix3 rotation = RotationFromEuler(F32(at + 76), F32(at + 80), F32(at + 84));
    Vector3 position(F32(at + 64), F32(at + 68), F32(at + 72));
    // Parents precede their children; any other parent index is ignored.
    if (parent >= 0 && parent < i) {
      const size_t p = static_cast<size_t>(parent);
      rotation = Matrix3::Multiply(rotations_[p], rotation);
      position = Vector3::Add(Matrix3::Transform(rotations_[p], position), positions_[p]);
    }
    rotations_.push_back(rotation);
    positions_.push_back(position);
  }
}

void MdlReader::Vertices(int32_t count, int32_t bonesOffset, int32_t offset) {
  if (count <= 0 || !Holds(bonesOffset, static_cast<uint64_t>(count)) ||
      !Holds(offset, static_cast<uint64_t>(count) * 12))
    return;
  for (int32_t i = 0; i < count; ++i) {
    const size_t at = static_cast<size_t>(offset) + static_cast<size_t>(i) * 12;
    Vector3 w(F32(at), F32(at + 4), F32(at + 8));
    const size_t bone = data_[static_cast<size_t>(bonesOffset) + static_cast<size_t>(i)];
    if (bone < rotations_.size())
      w = Vector3::Add(Matrix3::Transform(rotations_[bone], w), positions_[bone]);
    vertices_.emplace_back(w.x, w.z, -static_cast<double>(w.y));
  }
}

void MdlReader::Textures(int32_t count, int32_t offset) {
  if (count <= 0 || !Holds(offset, static_cast<uint64_t>(count) * 80)) return;
  ProgressSink::SetTotal(progress_, count - 1);
  for (int32_t t = 0; t < count; ++t) {
    ProgressSink::SetPosition(progress_, t);
    const size_t at = static_cast<size_t>(offset) + static_cast<size_t>(t) * 80;
    const int32_t width = I32(at + 68), height = I32(at + 72), pixels = I32(at + 76);
    Shader* shader = model_.Shader(t, true);
    shader->Root()->SetString("BaseType", "BRDF");
    ShaderNode* node = shader->CreateNode();
    node->SetString("BaseType", "Image");
    shader->Root()->SetLink("DiffuseColor", node, "OutColor");
    const uint64_t area = static_cast<uint64_t>(width > 0 ? width : 0) *
                          static_cast<uint64_t>(height > 0 ? height : 0);
    if (width <= 0 || height <= 0 || !Holds(pixels, area + 768)) continue;
    HvImage indexed;
    if (!indexed.SetFormat(width, height, kPixelIndex8)) continue;
    std::memcpy(indexed.Data(), &data_[static_cast<size_t>(pixels)], static_cast<size_t>(area));
    const uint8_t* palette = &data_[static_cast<size_t>(pixels) + static_cast<size_t>(area)];
    for (int i = 0; i < 256; ++i)
      indexed.Palette()->SetEntry(i, 0xFF000000u | uint32_t(palette[3 * i]) << 16 |
                                         uint32_t(palette[3 * i + 1]) << 8 | palette[3 * i + 2]);
    auto picture = std::make_unique<HvImage>();
    if (!picture->SetFormat(width, height, kPixelARGB32)) continue;
    Canvas canvas(*picture);
    canvas.Draw(indexed, 0, 0);
    auto holder = std::make_unique<ImageHolder>();
    holder->AdoptImage(std::move(picture));
    holder->SetName("Internal");
    node->SetImage("ShaderImage", RegisterImageHolder(std::move(holder)));
    width_ = width;
    height_ = height;
  }
}

void MdlReader::Meshes(int32_t count, int32_t offset) {
  if (count <= 0 || !Holds(offset, static_cast<uint64_t>(count) * 20)) return;
  for (int32_t i = 0; i < count; ++i) {
    const size_t at = static_cast<size_t>(offset) + static_cast<size_t>(i) * 20;
    const int32_t commands = I32(at + 4), skin = I32(at + 8);
    if (!Holds(commands, 2)) continue;
    Commands(static_cast<size_t>(commands), skin >= 0 ? model_.Material(skin, false) : nullptr,
             skin >= 0 ? model_.Shader(skin, false) : nullptr);
  }
}

void MdlReader::Commands(size_t offset, void* material, void* shader) {
  // The commands are read from a 65530-byte window, never past the file.
  const size_t end = offset + std::min(kCommandBytes, data_.size() - offset);
  size_t at = offset;
  auto i16 = [&](size_t where) { return static_cast<int16_t>(LoadU16LE(&data_[where])); };
  PolygonDesc desc;
  desc.Resize(3);
  while (at + 2 <= end && budget_ >= 2) {
    const int count = i16(at);
    at += 2;
    budget_ -= 2;
    if (count == 0) break;
    const bool fan = count < 0;
    const int n = fan ? -count : count;
    size_t a = 0, b = 0;
    for (int k = 0; k < n; ++k) {
      if (at + 8 > end || budget_ < 8) return;
      const size_t c = at;
      at += 8;
      budget_ -= 8;
      if (k >= 2) {
        const size_t corners[3] = {a, fan || k % 2 == 0 ? c : b, fan || k % 2 == 0 ? b : c};
        bool inside = true;
        for (int j = 0; j < 3; ++j) {
          const auto vertex = static_cast<uint16_t>(i16(corners[j]));
          if (vertex >= vertices_.size()) {
            inside = false;  // a vertex beyond the table: the triangle is left out
            break;
          }
          desc.positions[j] = vertices_[vertex];
          desc.normals[j] = Vector3();
          // Without any texture there is no size to scale by: (0, 0).
          desc.u[j] = width_ > 0 ? static_cast<float>(i16(corners[j] + 4)) / width_ : 0.0f;
          desc.v[j] = height_ > 0 ? static_cast<float>(i16(corners[j] + 6)) / height_ : 0.0f;
          desc.weights[j] = 1.0f;
        }
        if (inside) {
          desc.material = material;
          desc.aux = shader;
          desc.faceNormal = Vector3();
          model_.AddPolygon(desc);
        }
      }
      if (!fan || k < 2) a = b;
      b = c;
    }
  }
}

}  // namespace

int SceneMDL::Identify() { return StartsWith(Stream(), Start(), "IDST", 4) ? 1 : 0; }

int SceneMDL::Load(Scene* scene, const char* options, ProgressSink* progress) {
  HvIO* stream = Stream();
  if (scene == nullptr || stream == nullptr) return 1;
  HvModel* target = AddTargetModel(*scene, options);
  std::vector<uint8_t> data;
  if (!ReadRest(*stream, Start(), kMaxFileBytes, data)) return 1;
  MdlReader reader(std::move(data), *target, progress);
  reader.Run();
  return 1;
}
