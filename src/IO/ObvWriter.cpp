// The project file writer (ObvFormat::Save). Layout: docs/FORMATS.md.
#include <cmath>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "HvTL/LittleEndian.h"
#include "IO/ChecksumWriter.h"
#include "IO/ImageFormatList.h"
#include "IO/ObvFormat.h"
#include "IO/ObvLayout.h"
#include "IO/PositionIndex.h"
#include "Math/BoundingBox.h"
#include "Math/PainterFrame.h"
#include "Math/ProgressSink.h"
#include "Model3D/HvModel.h"

namespace {

using MaterialIndex = std::unordered_map<const void*, int32_t>;

// A record assembled in place, then written in one piece; positions and
// normals go in the painter's frame, (x, -y, -z).
class Record {
 public:
  void U32(uint32_t value) {
    StoreU32LE(bytes_ + size_, value);
    size_ += 4;
  }
  void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
  void Flipped(const Vector3& v) {
    StoreF32LE(bytes_ + size_, v.x);
    StoreF32LE(bytes_ + size_ + 4, -v.y);
    StoreF32LE(bytes_ + size_ + 8, -v.z);
    size_ += 12;
  }
  void WriteTo(ChecksumWriter& out) {
    out.Bytes(bytes_, size_);
    size_ = 0;
  }

 private:
  uint8_t bytes_[Obv::kTriangleBytes];
  size_t size_ = 0;
};

void WriteIdentity(ChecksumWriter& out, int size) {
  for (int row = 0; row < size; ++row)
    for (int col = 0; col < size; ++col) out.F32(row == col ? 1.0f : 0.0f);
}

bool Written(const MeshPolygon* polygon) { return polygon != nullptr && polygon->count >= 3; }

// How many polygons ahead the vertex table is asked for the slots of corners.
constexpr int kVertexLookahead = 4;

class ProjectWriter {
 public:
  ProjectWriter(HvModel& model, HvIO& stream, bool packed, ProgressSink* progress)
      : model_(model), stream_(stream), out_(stream), packed_(packed), progress_(progress) {}

  int Run();

 private:
  void WriteHeader(int meshCount);
  void WriteMesh(const HvMesh& mesh);
  void WriteTriangles(const MeshPolygon& polygon, int32_t materialIndex);
  // The vertex-table slots of a later polygon's corners, asked for ahead.
  void PrefetchVertices(const HvMesh& mesh, int polygonIndex) const;
  void WriteMaterial(int index, Material& material);
  void WriteTrailer();
  void WriteNames();
  void WriteCheckWords();
  std::string ChannelImageName(int material, int channel) const;

  HvModel& model_;
  HvIO& stream_;
  ChecksumWriter out_;
  bool packed_;
  ProgressSink* progress_;
  MaterialIndex materialIndex_;
  PositionIndex vertices_;
  uint32_t flagsOr_ = 0;
  std::vector<std::string> collected_;  // the file-name list, in order ("" = empty entry)
};

int ProjectWriter::Run() {
  for (int i = 0; i < model_.MaterialCount(); ++i)
    if (Material* material = model_.Material(i, false)) materialIndex_.emplace(material, i);
  std::vector<const HvMesh*> meshes;
  for (int i = 0; i < model_.GroupCount(); ++i) {
    const HvMesh* mesh = model_.Group(i, false);
    if (mesh != nullptr && mesh->PolygonCount() > 0) meshes.push_back(mesh);
  }
  ProgressSink::SetTotal(progress_, model_.MaterialCount() + static_cast<double>(meshes.size()) + 2);
  WriteHeader(static_cast<int>(meshes.size()));
  const bool headerWritten = out_.Flush();
  ProgressSink::Advance(progress_, 1);
  WriteCheckWords();
  for (const HvMesh* mesh : meshes) {
    if (out_.Failed()) break;  // a failed write stops the mesh section
    WriteMesh(*mesh);
    ProgressSink::Advance(progress_, 1);
  }
  for (int i = 0; i < model_.MaterialCount(); ++i) {
    Material* material = model_.Material(i, false);
    Material placeholder;  // a hole in the material list reads as a default material
    WriteMaterial(i, material != nullptr ? *material : placeholder);
    ProgressSink::Advance(progress_, 1);
  }
  WriteTrailer();
  if (headerWritten) {
    WriteNames();
    out_.Flush();
    WriteCheckWords();
  }
  const bool complete = out_.Flush() && stream_.Flush() == 1;
  ProgressSink::Advance(progress_, 1);
  return headerWritten && complete ? 1 : 0;
}

// Both words as they stand before either is written: the sum word itself
// goes through the checksum and would change the xor.
void ProjectWriter::WriteCheckWords() {
  const uint32_t sum = out_.Sum(), xorWord = out_.Xor();
  out_.U32(sum);
  out_.U32(xorWord);
}

void ProjectWriter::WriteHeader(int meshCount) {
  out_.Padded(Obv::kHeaderText, 32);
  out_.Padded(Obv::kVersionText, 16);
  out_.U32(static_cast<uint32_t>(meshCount));
  out_.U32(static_cast<uint32_t>(model_.MaterialCount()));
  out_.U32(0);
  out_.U32(0);
  out_.U32(3);
  out_.Padded(stream_.Name().Text(), Obv::kNameBytes);
}

void ProjectWriter::WriteMesh(const HvMesh& mesh) {
  uint32_t triangles = 0;
  BoundingBox box;
  for (int i = 0; i < mesh.PolygonCount(); ++i) {
    const MeshPolygon* polygon = mesh.Polygon(i);
    if (!Written(polygon)) continue;  // fewer than 3 corners: no record, no count
    triangles += static_cast<uint32_t>(polygon->count - 2);
    for (int c = 0; c < polygon->count; ++c) box.Extend(polygon->Corner(c).position);
  }
  out_.U32(0);
  out_.U32(0);
  out_.U32(1);
  for (float value : {box.min.x, -box.max.y, -box.min.z, box.max.x, -box.min.y, -box.max.z})
    out_.F32(value);
  out_.U32(0);
  out_.U32(0);
  out_.Padded(mesh.GetName().Text(), Obv::kShortNameBytes);
  out_.U32(triangles);

  vertices_.Clear();
  // A closed triangle mesh has about half as many positions as triangles.
  vertices_.Reserve(triangles / 2);
  int32_t materialWord = -1;
  const void* previous = nullptr;
  bool first = true;
  for (int i = 0; i < mesh.PolygonCount(); ++i) {
    const MeshPolygon* polygon = mesh.Polygon(i);
    if (!Written(polygon)) continue;
    PrefetchVertices(mesh, i + kVertexLookahead);
    const auto found = materialIndex_.find(polygon->material);
    const int32_t index = found != materialIndex_.end() ? found->second : -1;
    WriteTriangles(*polygon, index);
    materialWord = !first && polygon->material != previous ? -2 : index;
    previous = polygon->material;
    first = false;
  }
  WriteIdentity(out_, 4);
  WriteIdentity(out_, 4);
  out_.I32(materialWord);
  out_.U32(vertices_.Count());
  Record vertex;
  for (const Vector3& p : vertices_.Positions()) {
    vertex.Flipped(p);
    vertex.WriteTo(out_);
  }
}

void ProjectWriter::PrefetchVertices(const HvMesh& mesh, int polygonIndex) const {
  if (polygonIndex >= mesh.PolygonCount()) return;
  const MeshPolygon* polygon = mesh.Polygon(polygonIndex);
  if (!Written(polygon)) return;
  for (int c = 0; c < polygon->count; ++c) vertices_.Prefetch(polygon->Corner(c).position);
}

void ProjectWriter::WriteTriangles(const MeshPolygon& polygon, int32_t materialIndex) {
  Vector3 face = polygon.faceNormal;
  if (face.LengthSquared() > 0.0) face = Vector3::Normalise(face);
  const int last = polygon.count - 2;
  Record record;
  for (int t = 1; t <= last; ++t) {
    const int corners[3] = {0, t, t + 1};
    for (int c : corners) record.U32(vertices_.IndexOf(polygon.Corner(c).position));
    for (int c : corners) {
      record.I32(Obv::ToFixed(polygon.Corner(c).u));
      record.I32(Obv::ToFixed(flipV(polygon.Corner(c).v)));
    }
    record.U32(t == 1 ? 1 : 0);
    record.U32(1);
    record.U32(t == last ? 1 : 0);
    record.U32(0);
    record.I32(materialIndex);
    for (int c : corners) record.Flipped(polygon.Corner(c).normal);
    record.Flipped(face);
    record.WriteTo(out_);
  }
}

std::string ProjectWriter::ChannelImageName(int material, int channel) const {
  if (channel < 0 || channel >= Obv::kChannelCount) return std::string();
  char name[64];
  std::snprintf(name, sizeof name, "%s%d%s%s%d.%s", "M", material, Obv::kChannels[channel].letter,
                "M", 0, "tga");
  // The project file's directory, with its separator, then the name.
  const std::string locator = stream_.Name().Text();
  const size_t separator = locator.find_last_of("/\\");
  return separator == std::string::npos ? name : locator.substr(0, separator + 1) + name;
}

void ProjectWriter::WriteMaterial(int index, Material& material) {
  uint32_t present[Obv::kChannelCount] = {};
  int width = 0, height = 0;
  bool sized = false;
  for (int c = 0; c < Obv::kChannelCount; ++c) {
    const char* channel = Obv::kChannels[c].name;
    const HvImage* image = material.GetMap(channel);
    const bool named = material.GetMapFileName(channel)[0] != '\0';
    if (image != nullptr && (!named || !packed_)) {
      const std::string name = ChannelImageName(index, c);
      SaveImageByName(*image, name.c_str(), "TGA");
      if (packed_) material.AssignMapFileName(channel, name.c_str());
    }
    present[c] = image != nullptr || (packed_ && named) ? 1 : 0;
    const char* fileName = material.GetMapFileName(channel);
    HvImage probe;
    if (!sized && fileName[0] != '\0' &&
        LoadImageFile(material.ResolveFilePath(fileName).Text(), probe)) {
      width = probe.Width();
      height = probe.Height();
      sized = true;
    }
  }
  flagsOr_ |= material.GetWord();
  out_.U32(1);
  out_.U32(material.GetWord());
  out_.U32(Obv::kChannelCount);
  for (int c = 0; c < Obv::kChannelCount; ++c) {
    const Obv::Channel& channel = Obv::kChannels[c];
    out_.U32(present[c]);
    out_.Padded(channel.name, Obv::kShortNameBytes);
    out_.U32(256);
    out_.U32(0);
    out_.U32(channel.index == 1 ? 0 : material.GetColor(channel.name));
    out_.U32(256);
    out_.U32(channel.index);
  }
  out_.Padded(material.Name().Text(), Obv::kShortNameBytes);
  out_.U32(static_cast<uint32_t>(width));
  out_.U32(static_cast<uint32_t>(height));
  out_.F32(1.0f);
  out_.U32(0);
  out_.U32(256);
  out_.U32(1);
  // The base layer record.
  for (uint32_t flag : present) out_.U32(flag);
  out_.Zeros(12);
  out_.Padded("Base Layer", Obv::kShortNameBytes);
  out_.U32(256);

  for (int c = 0; c < Obv::kChannelCount; ++c) {
    if (present[c] == 0) continue;
    collected_.emplace_back(material.GetMapFileName(Obv::kChannels[c].name));
    collected_.emplace_back();
  }
  collected_.emplace_back();
}

void ProjectWriter::WriteTrailer() {
  for (uint32_t value : {25000u, 50000u, flagsOr_, 0u, 62u, 6u}) out_.U32(value);
  WriteIdentity(out_, 3);
  WriteIdentity(out_, 3);
  out_.F32(1.0f);
  out_.U32(0);
  out_.U32(0);
  out_.U32(0);
  out_.U32(packed_ ? 1 : 0);
}

void ProjectWriter::WriteNames() {
  if (packed_) {
    out_.U32(0);
    for (const std::string& name : collected_) {
      if (name.empty()) {
        out_.U32(0);
        continue;
      }
      out_.U32(static_cast<uint32_t>(name.size() + 1));
      out_.Bytes(name.c_str(), name.size() + 1);
    }
  }
  out_.U32(0);
}

}  // namespace

int ObvFormat::Save(HvModel* model, const char* options, ProgressSink* progress, void* reserved) {
  (void)reserved;
  HvIO* stream = Stream();
  if (model == nullptr || stream == nullptr || !stream->IsOpen()) return 0;
  const bool packed = options == nullptr || options[0] != 'p';
  ProjectWriter writer(*model, *stream, packed, progress);
  return writer.Run();
}
