#include "IO/SceneMDL.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "HvTL/LittleEndian.h"
#include "IMGLib/Canvas.h"
#include "IMGLib/PixelFormat.h"
#include "IO/BinaryReader.h"
#include "IO/SceneReaderSupport.h"
#include "Math/Matrix3.h"
#include "Math/ProgressSink.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"

namespace {

constexpr size_t kCommandBytes = 65530;

class MdlReader {
 public:
  MdlReader(BinaryReader& in, HvModel& model, ProgressSink* progress)
      : in_(in), model_(model), progress_(progress) {}

  // False when the file is damaged; what was read before stays in the model.
  bool Run();

 private:
  // To a table of `count` records of `bytes` bytes at `offset`, all inside the file.
  bool Table(int32_t count, int32_t offset, uint64_t bytes, const char* what);
  bool Bones(int32_t count, int32_t offset);
  bool Vertices(int32_t count, int32_t bonesOffset, int32_t offset);
  bool Textures(int32_t count, int32_t offset);
  bool Texture(int t, uint64_t offset);
  bool Meshes(int32_t count, int32_t offset);
  bool Commands(int32_t offset, void* material, void* shader);
  void Triangle(const int16_t* a, const int16_t* b, const int16_t* c, void* material, void* shader);

  BinaryReader& in_;
  HvModel& model_;
  ProgressSink* progress_;
  std::vector<Matrix3> rotations_;
  std::vector<Vector3> positions_;
  std::vector<Vector3> vertices_;
  int width_ = 0, height_ = 0;  // of the last texture read
  // Command bytes left to walk: meshes may point at the same commands, but
  // together they walk no more than the file holds.
  uint64_t budget_ = 0;
};

bool MdlReader::Run() {
  budget_ = in_.Size();
  uint8_t header[244];
  if (!in_.Bytes(header, sizeof header, "the header")) return false;
  auto field = [&](const uint8_t* record, size_t at) {
    return static_cast<int32_t>(LoadU32LE(record + at));
  };
  // The header states the file's length: a shorter file has lost its end.
  const uint32_t length = LoadU32LE(header + 72);
  if (length > in_.Size()) {
    in_.SeekTo(in_.Size(), "the end of the file");
    return in_.Fail("the file ends before the " + std::to_string(length) +
                    " bytes its header states");
  }
  // A file of skins alone (no body part, or a body part without models)
  // has textures and no geometry.
  uint8_t part[76] = {}, model[112] = {};
  const bool geometry =
      field(header, 204) > 0 &&
      in_.SeekTo(static_cast<uint32_t>(field(header, 208)), "the body part table") &&
      in_.Bytes(part, sizeof part, "the first body part") && field(part, 64) > 0;
  if (geometry && (!in_.SeekTo(static_cast<uint32_t>(field(part, 72)), "the model table") ||
                   !in_.Bytes(model, sizeof model, "the first model")))
    return false;
  if (in_.Failed()) return false;
  const bool read = (!geometry || Bones(field(header, 140), field(header, 144))) &&
                    (!geometry || Vertices(field(model, 80), field(model, 84), field(model, 88))) &&
                    Textures(field(header, 180), field(header, 184)) &&
                    (!geometry || Meshes(field(model, 72), field(model, 76)));
  model_.SetEdgeSmoothnessAll(0.5, true);
  model_.ComputeCornerNormalsAll(0.4);
  return read;
}

bool MdlReader::Table(int32_t count, int32_t offset, uint64_t bytes, const char* what) {
  if (count < 0) return in_.Fail(std::string(what) + " count " + std::to_string(count) + " is negative");
  if (count == 0) return true;
  if (offset < 0) return in_.Fail(std::string(what) + " table offset " + std::to_string(offset) + " is negative");
  return in_.SeekTo(static_cast<uint64_t>(offset), what) &&
         in_.Holds(static_cast<uint64_t>(count), bytes, what);
}

bool MdlReader::Bones(int32_t count, int32_t offset) {
  if (!Table(count, offset, 112, "bone")) return false;
  for (int32_t i = 0; i < count; ++i) {
    uint8_t bone[112];
    if (!in_.Bytes(bone, sizeof bone, "a bone record")) return false;
    const auto parent = static_cast<int32_t>(LoadU32LE(bone + 32));
    Matrix3 rotation = RotationFromEuler(LoadF32LE(bone + 76), LoadF32LE(bone + 80), LoadF32LE(bone + 84));
    Vector3 position(LoadF32LE(bone + 64), LoadF32LE(bone + 68), LoadF32LE(bone + 72));
    // Parents precede their children; any other parent index is ignored.
    if (parent >= 0 && parent < i) {
      const size_t p = static_cast<size_t>(parent);
      rotation = Matrix3::Multiply(rotations_[p], rotation);
      position = Vector3::Add(Matrix3::Transform(rotations_[p], position), positions_[p]);
    }
    rotations_.push_back(rotation);
    positions_.push_back(position);
  }
  return true;
}

bool MdlReader::Vertices(int32_t count, int32_t bonesOffset, int32_t offset) {
  if (!Table(count, bonesOffset, 1, "vertex bone")) return false;
  std::vector<uint8_t> bones(static_cast<size_t>(count));
  if (count > 0 && !in_.Bytes(bones.data(), bones.size(), "the vertex bone table")) return false;
  if (!Table(count, offset, 12, "vertex")) return false;
  vertices_.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    float xyz[3];
    for (float& value : xyz)
      if (!in_.F32(value, "the vertex table")) return false;
    Vector3 w(xyz[0], xyz[1], xyz[2]);
    const size_t bone = bones[static_cast<size_t>(i)];
    if (bone < rotations_.size())
      w = Vector3::Add(Matrix3::Transform(rotations_[bone], w), positions_[bone]);
    vertices_.emplace_back(w.x, w.z, -static_cast<double>(w.y));
  }
  return true;
}

bool MdlReader::Textures(int32_t count, int32_t offset) {
  if (!Table(count, offset, 80, "texture")) return false;
  ProgressSink::SetTotal(progress_, count - 1);
  for (int32_t t = 0; t < count; ++t) {
    ProgressSink::SetPosition(progress_, t);
    if (!Texture(t, static_cast<uint64_t>(offset) + static_cast<uint64_t>(t) * 80)) return false;
  }
  return true;
}

bool MdlReader::Texture(int t, uint64_t offset) {
  uint8_t record[80];
  if (!in_.SeekTo(offset, "a texture record") ||
      !in_.Bytes(record, sizeof record, "a texture record"))
    return false;
  const auto width = static_cast<int32_t>(LoadU32LE(record + 68));
  const auto height = static_cast<int32_t>(LoadU32LE(record + 72));
  const auto pixels = static_cast<int32_t>(LoadU32LE(record + 76));
  Shader* shader = model_.Shader(t, true);
  shader->Root()->SetString("BaseType", "BRDF");
  ShaderNode* node = shader->CreateNode();
  node->SetString("BaseType", "Image");
  shader->Root()->SetLink("DiffuseColor", node, "OutColor");
  if (width <= 0 || height <= 0) return true;  // a skin without pixels
  const uint64_t area = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  if (pixels < 0 || !in_.SeekTo(static_cast<uint32_t>(pixels), "a skin's pixels") ||
      !in_.Holds(area + 768, 1, "skin byte"))
    return in_.Fail(std::string("a skin's pixels lie outside the file"));
  HvImage indexed;
  if (!indexed.SetFormat(width, height, kPixelIndex8)) return true;
  uint8_t palette[768];
  if (!in_.Bytes(indexed.Data(), static_cast<size_t>(area), "a skin's pixels") ||
      !in_.Bytes(palette, sizeof palette, "a skin's palette"))
    return false;
  for (int i = 0; i < 256; ++i)
    indexed.Palette()->SetEntry(i, 0xFF000000u | uint32_t(palette[3 * i]) << 16 |
                                       uint32_t(palette[3 * i + 1]) << 8 | palette[3 * i + 2]);
  auto picture = std::make_unique<HvImage>();
  if (!picture->SetFormat(width, height, kPixelARGB32)) return true;
  Canvas canvas(*picture);
  canvas.Draw(indexed, 0, 0);
  auto holder = std::make_unique<ImageHolder>();
  holder->AdoptImage(std::move(picture));
  holder->SetName("Internal");
  node->SetImage("ShaderImage", shader->AdoptImageHolder(std::move(holder)));
  width_ = width;
  height_ = height;
  return true;
}

bool MdlReader::Meshes(int32_t count, int32_t offset) {
  if (!Table(count, offset, 20, "mesh")) return false;
  for (int32_t i = 0; i < count; ++i) {
    uint8_t mesh[20];
    if (!in_.SeekTo(static_cast<uint32_t>(offset) + static_cast<uint64_t>(i) * 20, "a mesh record") ||
        !in_.Bytes(mesh, sizeof mesh, "a mesh record"))
      return false;
    const auto commands = static_cast<int32_t>(LoadU32LE(mesh + 4));
    const auto skin = static_cast<int32_t>(LoadU32LE(mesh + 8));
    void* material = skin >= 0 ? model_.Material(skin, false) : nullptr;
    void* shader = skin >= 0 ? model_.Shader(skin, false) : nullptr;
    if (!Commands(commands, material, shader)) return false;
  }
  return true;
}

bool MdlReader::Commands(int32_t offset, void* material, void* shader) {
  if (offset < 0 || !in_.SeekTo(static_cast<uint32_t>(offset), "a mesh's triangle commands"))
    return in_.Fail("a mesh's triangle commands lie outside the file");
  // The commands are read from a 65530-byte window; a file that ends
  // inside them is damaged, a longer command stream is cut at the window.
  const size_t window = static_cast<size_t>(std::min<uint64_t>(kCommandBytes, in_.Left()));
  const bool cutByFile = window < kCommandBytes;
  std::vector<int16_t> words(window / 2);
  for (int16_t& word : words)
    if (!in_.I16(word, "the triangle commands")) return false;
  size_t at = 0;
  auto ends = [&]() {
    return cutByFile ? in_.Fail("the file ends inside a mesh's triangle commands") : true;
  };
  while (at < words.size()) {
    if (budget_ < 2) return true;
    const int count = words[at++];
    budget_ -= 2;
    if (count == 0) return true;
    const bool fan = count < 0;
    const int n = fan ? -count : count;
    const int16_t *a = nullptr, *b = nullptr;
    for (int k = 0; k < n; ++k) {
      if (budget_ < 8) return true;
      if (at + 4 > words.size()) return ends();
      const int16_t* c = &words[at];
      at += 4;
      budget_ -= 8;
      if (k >= 2) {
        if (fan || k % 2 == 0) Triangle(a, c, b, material, shader);
        else Triangle(a, b, c, material, shader);
      }
      if (!fan || k < 2) a = b;
      b = c;
    }
  }
  return ends();
}

void MdlReader::Triangle(const int16_t* a, const int16_t* b, const int16_t* c, void* material,
                         void* shader) {
  const int16_t* corners[3] = {a, b, c};
  PolygonDesc desc;
  desc.Resize(3);
  for (int j = 0; j < 3; ++j) {
    const auto vertex = static_cast<uint16_t>(corners[j][0]);
    if (vertex >= vertices_.size()) return;  // a vertex beyond the table: left out
    desc.positions[j] = vertices_[vertex];
    desc.normals[j] = Vector3();
    // Without any texture there is no size to scale by: (0, 0).
    desc.u[j] = width_ > 0 ? static_cast<float>(corners[j][2]) / width_ : 0.0f;
    desc.v[j] = height_ > 0 ? static_cast<float>(corners[j][3]) / height_ : 0.0f;
    desc.weights[j] = 1.0f;
  }
  desc.material = material;
  desc.aux = shader;
  desc.faceNormal = Vector3();
  model_.AddPolygon(desc);
}

}  // namespace

int SceneMDL::Identify() { return StartsWith(Stream(), Start(), "IDST", 4) ? 1 : 0; }

int SceneMDL::Load(Scene* scene, const char* options, ProgressSink* progress) {
  ClearFailure();
  HvIO* stream = Stream();
  if (scene == nullptr || stream == nullptr || !stream->IsOpen()) return Refuse("stream not open");
  HvModel* target = AddTargetModel(*scene, options);
  BinaryReader in(*stream, Start(), BinaryReader::kLittleEndian);
  MdlReader reader(in, *target, progress);
  if (reader.Run()) return 1;
  SetFailure(in.Failure());
  return 0;
}
