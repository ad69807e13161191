// Reads a project file back into a model (ObvFormat::Load): each polygon is
// rebuilt from its triangle fan by the first/last flags, positions from the
// mesh's vertex table, all in the model's frame again.
#include <cstring>
#include <string>
#include <vector>

#include "HvTL/LittleEndian.h"
#include "IO/ObvFormat.h"
#include "IO/ObvLayout.h"
#include "IO/BinaryReader.h"
#include "Math/PainterFrame.h"
#include "Math/ProgressSink.h"
#include "Model3D/HvModel.h"

namespace {

struct TriangleRecord {
  uint32_t vertex[3];
  int32_t uv[6];
  uint32_t first, last;
  int32_t material;
  Vector3 normals[3];
  Vector3 face;
};

struct MeshRecord {
  std::string name;
  std::vector<TriangleRecord> triangles;
  std::vector<Vector3> vertices;
};

struct MaterialRecord {
  std::string name;
  uint32_t word = 0;
  uint32_t present[Obv::kChannelCount] = {};
  uint32_t values[Obv::kChannelCount] = {};
};

Vector3 Unflip(float x, float y, float z) { return Vector3(x, -y, -z); }

std::string FixedText(const char* bytes, size_t width) {
  return std::string(bytes, strnlen(bytes, width));
}

class ProjectReader {
 public:
  explicit ProjectReader(BinaryReader& in) : in_(in) {}

  // Reads everything; on failure the reader's Failure() says where and why.
  bool Read();
  void Build(HvModel& model) const;

 private:
  bool Fail(const char* reason) { return in_.Fail(reason); }
  bool ReadMesh(MeshRecord& mesh);
  bool ReadTriangle(TriangleRecord& t);
  bool ReadMaterial(MaterialRecord& material);
  bool ReadNames();
  bool ReadString(std::string& text);
  bool AddPolygon(HvModel& model, const MeshRecord& mesh, size_t first, size_t end) const;

  BinaryReader& in_;
  std::vector<MeshRecord> meshes_;
  std::vector<MaterialRecord> materials_;
  std::vector<std::vector<std::string>> mapNames_;  // per material, per channel
  bool packed_ = false;
};

bool ProjectReader::Read() {
  uint8_t header[Obv::kHeaderBytes];
  if (!in_.Bytes(header, sizeof header, "the project header")) return false;
  if (std::memcmp(header, Obv::kHeaderText, sizeof Obv::kHeaderText - 1) != 0)
    return Fail("not a project file (header text missing)");
  const uint32_t meshCount = LoadU32LE(header + 48);
  const uint32_t materialCount = LoadU32LE(header + 52);
  if (LoadU32LE(header + 56) != 0) return Fail("optional trailer records are not supported");
  if (!in_.Skip(8, "the header check words")) return false;
  if (!in_.Holds(meshCount, Obv::kMeshHeaderBytes + Obv::kMeshTrailerBytes, "mesh")) return false;
  meshes_.resize(meshCount);
  for (MeshRecord& mesh : meshes_)
    if (!ReadMesh(mesh)) return false;
  if (!in_.Holds(materialCount, Obv::kMaterialBytes + Obv::kLayerBytes, "material")) return false;
  materials_.resize(materialCount);
  for (MaterialRecord& material : materials_)
    if (!ReadMaterial(material)) return false;
  uint32_t trailer[6];
  for (uint32_t& value : trailer)
    if (!in_.U32(value, "the trailer")) return false;
  uint32_t packed = 0;
  if (!in_.Skip(72 + 4 + 12, "the trailer") || !in_.U32(packed, "the trailer")) return false;
  packed_ = packed == 1;
  return ReadNames();
}

bool ProjectReader::ReadMesh(MeshRecord& mesh) {
  uint8_t header[Obv::kMeshHeaderBytes];
  if (!in_.Bytes(header, sizeof header, "a mesh header")) return false;
  mesh.name = FixedText(reinterpret_cast<const char*>(header + 44), Obv::kShortNameBytes);
  const uint32_t triangles = LoadU32LE(header + 76);
  if (!in_.Holds(triangles, Obv::kTriangleBytes, "triangle")) return false;
  mesh.triangles.resize(triangles);
  for (TriangleRecord& t : mesh.triangles)
    if (!ReadTriangle(t)) return false;
  uint32_t vertexCount = 0;
  if (!in_.Skip(128 + 4, "a mesh trailer") || !in_.U32(vertexCount, "a mesh trailer")) return false;
  if (!in_.Holds(vertexCount, Obv::kVertexBytes, "vertex")) return false;
  mesh.vertices.resize(vertexCount);
  for (Vector3& v : mesh.vertices) {
    float xyz[3];
    for (float& value : xyz)
      if (!in_.F32(value, "a vertex table")) return false;
    v = Unflip(xyz[0], xyz[1], xyz[2]);
  }
  for (const TriangleRecord& t : mesh.triangles)
    for (uint32_t index : t.vertex)
      if (index >= vertexCount) return Fail("triangle refers to a vertex beyond the table");
  return true;
}

bool ProjectReader::ReadTriangle(TriangleRecord& t) {
  uint8_t bytes[Obv::kTriangleBytes];
  if (!in_.Bytes(bytes, sizeof bytes, "a triangle record")) return false;
  for (int i = 0; i < 3; ++i) t.vertex[i] = LoadU32LE(bytes + 4 * i);
  for (int i = 0; i < 6; ++i) t.uv[i] = static_cast<int32_t>(LoadU32LE(bytes + 12 + 4 * i));
  t.first = LoadU32LE(bytes + 36);
  t.last = LoadU32LE(bytes + 44);
  t.material = static_cast<int32_t>(LoadU32LE(bytes + 52));
  for (int i = 0; i < 4; ++i) {
    const uint8_t* p = bytes + 56 + 12 * i;
    const Vector3 v = Unflip(LoadF32LE(p), LoadF32LE(p + 4), LoadF32LE(p + 8));
    (i < 3 ? t.normals[i] : t.face) = v;
  }
  return true;
}

bool ProjectReader::ReadMaterial(MaterialRecord& material) {
  uint8_t record[Obv::kMaterialBytes];
  if (!in_.Bytes(record, sizeof record, "a material record")) return false;
  material.word = LoadU32LE(record + 4);
  if (LoadU32LE(record + 8) != Obv::kChannelCount) return Fail("material without five channels");
  for (int c = 0; c < Obv::kChannelCount; ++c) {
    const uint8_t* entry = record + 12 + Obv::kChannelBytes * static_cast<size_t>(c);
    material.present[c] = LoadU32LE(entry);
    material.values[c] = LoadU32LE(entry + 44);
  }
  material.name = FixedText(reinterpret_cast<const char*>(record + 292), Obv::kShortNameBytes);
  const uint32_t layers = LoadU32LE(record + 344);
  if (!in_.Holds(layers, Obv::kLayerBytes, "layer")) return false;
  if (!in_.Skip(static_cast<uint64_t>(layers) * Obv::kLayerBytes, "a layer record")) return false;
  return true;
}

bool ProjectReader::ReadString(std::string& text) {
  uint32_t count = 0;
  if (!in_.U32(count, "the file-name list") || !in_.Holds(count, 1, "file name byte")) return false;
  text.assign(count, '\0');
  if (count > 0 && !in_.Bytes(&text[0], count, "a file name")) return false;
  text.resize(strnlen(text.c_str(), count));
  return true;
}

bool ProjectReader::ReadNames() {
  mapNames_.assign(materials_.size(), std::vector<std::string>(Obv::kChannelCount));
  std::string text;
  if (packed_) {
    if (!ReadString(text)) return false;  // the leading empty entry
    for (size_t m = 0; m < materials_.size(); ++m) {
      for (int c = 0; c < Obv::kChannelCount; ++c) {
        if (materials_[m].present[c] == 0) continue;
        if (!ReadString(mapNames_[m][static_cast<size_t>(c)]) || !ReadString(text)) return false;
      }
      if (!ReadString(text)) return false;
    }
  }
  uint32_t end = 0, sum = 0, xorWord = 0;
  if (!in_.U32(end, "the file-name list")) return false;
  if (!in_.U32(sum, "the closing check words") || !in_.U32(xorWord, "the closing check words"))
    return false;
  return true;
}

bool ProjectReader::AddPolygon(HvModel& model, const MeshRecord& mesh, size_t first,
                               size_t end) const {
  // Triangles first..end-1 are one fan: (c0, c1, c2), (c0, c2, c3), ...
  const size_t corners = end - first + 2;
  PolygonDesc desc;
  if (corners > static_cast<size_t>(PolygonCorners::kMaxCorners) ||
      !desc.Resize(static_cast<int>(corners)))
    return false;
  auto put = [&](size_t corner, const TriangleRecord& t, int k) {
    desc.positions[corner] = mesh.vertices[t.vertex[k]];
    desc.normals[corner] = t.normals[k];
    desc.u[corner] = static_cast<float>(Obv::FromFixed(t.uv[2 * k]));
    desc.v[corner] = flipVf(Obv::FromFixed(t.uv[2 * k + 1]));
    desc.weights[corner] = 1.0f;
  };
  const TriangleRecord& head = mesh.triangles[first];
  put(0, head, 0);
  put(1, head, 1);
  for (size_t i = first; i < end; ++i) put(i - first + 2, mesh.triangles[i], 2);
  desc.faceNormal = head.face;
  if (head.material >= 0 && head.material < model.MaterialCount())
    desc.material = model.Material(head.material, false);
  return model.AddPolygon(desc);
}

void ProjectReader::Build(HvModel& model) const {
  for (size_t m = 0; m < materials_.size(); ++m) {
    const MaterialRecord& record = materials_[m];
    Material* material = model.Material(static_cast<int>(m), true);
    material->SetName(record.name.c_str());
    material->SetWord(record.word);
    for (int c = 0; c < Obv::kChannelCount; ++c) {
      const char* channel = Obv::kChannels[c].name;
      if (Obv::kChannels[c].index != 1) material->SetColor(channel, record.values[c]);
      if (!mapNames_[m][static_cast<size_t>(c)].empty())
        material->SetMapFileName(channel, mapNames_[m][static_cast<size_t>(c)].c_str());
    }
  }
  for (size_t g = 0; g < meshes_.size(); ++g) {
    const MeshRecord& mesh = meshes_[g];
    model.SetCurrentGroup(static_cast<int>(g));
    model.SetGroupName(static_cast<int>(g), mesh.name.c_str());
    size_t first = 0;
    for (size_t i = 0; i < mesh.triangles.size(); ++i) {
      const bool closes = mesh.triangles[i].last != 0 || i + 1 == mesh.triangles.size() ||
                          mesh.triangles[i + 1].first != 0;
      if (!closes) continue;
      AddPolygon(model, mesh, first, i + 1);
      first = i + 1;
    }
  }
}

}  // namespace

int ObvFormat::Load(HvModel* model, const char* options, ProgressSink* progress, void* reserved) {
  (void)options, (void)reserved;
  HvIO* stream = Stream();
  ClearFailure();
  if (model == nullptr || stream == nullptr || !stream->IsOpen()) return Refuse("stream not open");
  ProgressSink::SetTotal(progress, 2);
  BinaryReader in(*stream, Start(), BinaryReader::kLittleEndian);
  ProjectReader reader(in);
  if (!reader.Read()) {
    SetFailure(in.Failure());
    return 0;
  }
  ProgressSink::SetPosition(progress, 1);
  reader.Build(*model);
  ProgressSink::SetPosition(progress, 2);
  return 1;
}
