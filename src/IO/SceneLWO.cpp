#include "IO/SceneLWO.h"

#include <cmath>
#include <cstring>
#include <algorithm>
#include <map>
#include <tuple>
#include <memory>
#include <string>
#include <vector>

#include "IO/BinaryReader.h"
#include "IO/ModelIOUtil.h"
#include "IO/SceneReaderSupport.h"
#include "Math/PainterFrame.h"
#include "Math/SeamFix.h"
#include "Math/TextureProjection.h"
#include "Model3D/HvModel.h"
#include "Model3D/PolygonDesc.h"
#include "Model3D/Scene.h"
#include "Shader/ShaderValue.h"

namespace {

// The LightWave view of the binary reader: big-endian values named after
// the format's types, each failure naming the chunk being read.
class Cursor {
 public:
  Cursor(BinaryReader& in, std::string what) : in_(in), what_(std::move(what)) {}
  uint64_t Left() const { return in_.Left(); }
  bool U1(uint32_t& v) {
    uint8_t byte = 0;
    if (!in_.U8(byte, what_.c_str())) return false;
    v = byte;
    return true;
  }
  bool U2(uint32_t& v) {
    uint16_t word = 0;
    if (!in_.U16(word, what_.c_str())) return false;
    v = word;
    return true;
  }
  bool U4(uint32_t& v) { return in_.U32(v, what_.c_str()); }
  bool F4(float& f) { return in_.F32(f, what_.c_str()); }
  bool Vec(float (&v)[3]) { return F4(v[0]) && F4(v[1]) && F4(v[2]); }
  bool Id(std::string& id) {
    char bytes[4];
    if (!in_.Bytes(bytes, 4, what_.c_str())) return false;
    id.assign(bytes, 4);
    return true;
  }
  // A zero-terminated string padded to an even length.
  bool S0(std::string& text) {
    if (!in_.Text(text, static_cast<size_t>(in_.Left()), (what_ + "'s name").c_str())) return false;
    if ((text.size() + 1) % 2 != 0 && in_.Left() > 0) in_.Skip(1, what_.c_str());
    return true;
  }
  // Walks the chunks from here to the end of the current one: an id, a
  // length (4 bytes for chunks, 2 for sub-chunks) and the data, padded to
  // an even length. Each visit reads inside the chunk it visits.
  template <typename Visit>
  void Chunks(bool longLengths, Visit visit) {
    std::string id;
    uint32_t length = 0;
    while (in_.Left() > 0 && Id(id) && (longLengths ? U4(length) : U2(length))) {
      Cursor data(in_, (longLengths ? "chunk " : "sub-chunk ") + id);
      if (in_.Enter(length, data.what_.c_str())) visit(id, data);
      in_.Leave();
      if (length % 2 != 0 && in_.Left() > 0) in_.Skip(1, what_.c_str());
    }
  }
  // Reads a sub-chunk of `length` bytes from here, then goes on after it.
  template <typename Visit>
  void Within(uint32_t length, const std::string& what, Visit visit) {
    Cursor data(in_, what);
    if (in_.Enter(length, what.c_str())) visit(data);
    in_.Leave();
  }
  // A variable-length index: 2 bytes, or 0xFF and 3 more.
  bool VX(uint32_t& v) {
    uint32_t first = 0, second = 0;
    if (!U1(first) || !U1(second)) return false;
    if (first != 0xFF) {
      v = first << 8 | second;
      return true;
    }
    uint32_t rest = 0;
    if (!U2(rest)) return false;
    v = second << 16 | rest;
    return true;
  }

 private:
  BinaryReader& in_;
  std::string what_;
};

struct Texture {
  int projection = -1;  // 0 planar, 1 cylindrical, 2 spherical, 5 UV; -1 none
  int axis = 1;
  float centre[3] = {0, 0, 0};
  float size[3] = {1, 1, 1};
  std::string uvMap;
  uint32_t clip = 0;
  std::string fileName;
};

struct Surface {
  float colour[3] = {0.8f, 0.8f, 0.8f};
  bool coloured = false;
  Texture texture;
};

struct Polygon {
  std::vector<uint32_t> points;
  int tag = -1;
};

class LwoReader {
 public:
  LwoReader(BinaryReader& in, HvModel& model) : in_(in), model_(model) {}

  // True when the file is an IFF FORM of a LightWave type; the reader is
  // left at its start.
  static bool IsLightWave(BinaryReader& in);
  // False when the file is damaged; what was read before the damage is
  // built into the model all the same.
  bool Run();

 private:
  void ReadLwo2(Cursor& chunks);
  void ReadLwob(Cursor& chunks);
  void Points(Cursor& in);
  void Polygons2(Cursor& in);
  void Tags(Cursor& in);
  void PolygonTags(Cursor& in);
  void Map(Cursor& in, bool perPolygon);
  void Surface2(Cursor& in);
  void Block(Cursor& in, Surface& surface);
  void Clip(Cursor& in);
  void PolygonsB(Cursor& in);
  void SurfaceB(Cursor& in);
  void Build();
  void TextureCoordinates(const Texture& texture, const Polygon& polygon, size_t index,
                          PolygonDesc& desc) const;

  BinaryReader& in_;
  HvModel& model_;
  std::vector<Vector3> points_;  // as in the file
  size_t layerBase_ = 0;
  std::vector<Polygon> polygons_;
  size_t polygonBase_ = 0;
  std::vector<std::string> tags_;
  std::map<std::string, Surface> surfaces_;
  std::map<uint32_t, std::string> clips_;
  std::map<std::string, std::map<uint32_t, std::pair<float, float>>> vmaps_;
  std::map<std::string, std::map<std::pair<uint32_t, uint32_t>, std::pair<float, float>>> vmads_;
};

bool LwoReader::IsLightWave(BinaryReader& in) {
  char header[12] = {};
  if (!in.Bytes(header, sizeof header, "the FORM header")) return false;
  const std::string id(header, 4), type(header + 8, 4);
  if (id != "FORM") return in.Fail("not an IFF file (no FORM at its start)");
  if (type != "LWO2" && type != "LXOB" && type != "LWOB" && type != "LWLO")
    return in.Fail("not a LightWave object (FORM type " + type + ")");
  return in.SeekTo(0, "the FORM header");
}

bool LwoReader::Run() {
  Cursor file(in_, "the FORM header");
  std::string id, type;
  uint32_t length = 0;
  if (!file.Id(id) || !file.U4(length)) return false;
  file.Within(length, "the FORM chunk", [&](Cursor& form) {
    if (!form.Id(type)) return;
    if (type == "LWO2" || type == "LXOB")
      ReadLwo2(form);
    else
      ReadLwob(form);
  });
  Build();
  return !in_.Failed();
}

void LwoReader::ReadLwo2(Cursor& chunks) {
  chunks.Chunks(true, [&](const std::string& id, Cursor& in) {
    if (id == "PNTS") Points(in);
    else if (id == "POLS") Polygons2(in);
    else if (id == "TAGS") Tags(in);
    else if (id == "PTAG") PolygonTags(in);
    else if (id == "VMAP") Map(in, false);
    else if (id == "VMAD") Map(in, true);
    else if (id == "SURF") Surface2(in);
    else if (id == "CLIP") Clip(in);
  });
}

void LwoReader::Points(Cursor& in) {
  layerBase_ = points_.size();
  float v[3];
  while (in.Left() >= 12 && in.Vec(v)) points_.emplace_back(v[0], v[1], v[2]);
}

void LwoReader::Polygons2(Cursor& in) {
  std::string type;
  polygonBase_ = polygons_.size();
  if (!in.Id(type)) return;
  const bool faces = type == "FACE" || type == "PTCH";
  uint32_t header = 0;
  while (in.Left() > 0 && in.U2(header)) {
    const uint32_t count = header & 0x03FF;
    Polygon polygon;
    bool whole = true;
    for (uint32_t i = 0; i < count; ++i) {
      uint32_t index = 0;
      if (!in.VX(index)) return;
      if (layerBase_ + index >= points_.size()) whole = false;
      polygon.points.push_back(static_cast<uint32_t>(layerBase_) + index);
    }
    // Every polygon keeps its place (tags address them by position); only
    // faces of three or more known points are built.
    if (!faces || !whole || count < 3) polygon.points.clear();
    polygons_.push_back(std::move(polygon));
  }
}

void LwoReader::Tags(Cursor& in) {
  std::string tag;
  while (in.Left() > 0 && in.S0(tag)) tags_.push_back(tag);
}

void LwoReader::PolygonTags(Cursor& in) {
  std::string type;
  if (!in.Id(type) || type != "SURF") return;
  uint32_t polygon = 0, tag = 0;
  while (in.Left() > 0 && in.VX(polygon) && in.U2(tag)) {
    const size_t index = polygonBase_ + polygon;
    if (index < polygons_.size()) polygons_[index].tag = static_cast<int>(tag);
  }
}

void LwoReader::Map(Cursor& in, bool perPolygon) {
  std::string type, name;
  uint32_t dimension = 0;
  if (!in.Id(type) || !in.U2(dimension) || !in.S0(name) || type != "TXUV" || dimension < 2) return;
  uint32_t point = 0, polygon = 0;
  float u = 0, v = 0;
  while (in.Left() > 0 && in.VX(point) && (!perPolygon || in.VX(polygon)) && in.F4(u) && in.F4(v)) {
    for (uint32_t i = 2; i < dimension; ++i) {
      float extra;
      if (!in.F4(extra)) return;
    }
    const auto globalPoint = static_cast<uint32_t>(layerBase_ + point);
    if (perPolygon)
      vmads_[name][{globalPoint, static_cast<uint32_t>(polygonBase_ + polygon)}] = {u, v};
    else
      vmaps_[name][globalPoint] = {u, v};
  }
}

void LwoReader::Surface2(Cursor& in) {
  std::string name, source;
  if (!in.S0(name) || !in.S0(source)) return;
  Surface& surface = surfaces_[name];
  in.Chunks(false, [&](const std::string& id, Cursor& sub) {
    if (id == "COLR" && sub.Vec(surface.colour)) surface.coloured = true;
    if (id == "BLOK" && surface.texture.projection < 0) Block(sub, surface);
  });
}

void LwoReader::Block(Cursor& in, Surface& surface) {
  std::string id, ordinal, channel;
  uint32_t length = 0;
  if (!in.Id(id) || id != "IMAP" || !in.U2(length)) return;
  // The block header: an ordinal and sub-chunks, among them the channel.
  in.Within(length, "a block header", [&](Cursor& header) {
    header.S0(ordinal);
    header.Chunks(false, [&](const std::string& field, Cursor& sub) {
      if (field == "CHAN") sub.Id(channel);
    });
  });
  if (channel != "COLR") return;
  Texture texture;
  texture.projection = 0;
  in.Chunks(false, [&](const std::string& field, Cursor& sub) {
    uint32_t value = 0;
    if (field == "PROJ" && sub.U2(value)) texture.projection = static_cast<int>(value);
    if (field == "AXIS" && sub.U2(value)) texture.axis = static_cast<int>(value % 3);
    if (field == "IMAG" && sub.VX(value)) texture.clip = value;
    if (field == "VMAP") sub.S0(texture.uvMap);
    if (field == "TMAP")
      sub.Chunks(false, [&](const std::string& part, Cursor& values) {
        if (part == "CNTR") values.Vec(texture.centre);
        if (part == "SIZE") values.Vec(texture.size);
      });
  });
  surface.texture = texture;
}

void LwoReader::Clip(Cursor& in) {
  uint32_t index = 0;
  if (!in.U4(index)) return;
  in.Chunks(false, [&](const std::string& id, Cursor& sub) {
    std::string name;
    if (id == "STIL" && sub.S0(name)) clips_[index] = name;
  });
}

void LwoReader::ReadLwob(Cursor& chunks) {
  chunks.Chunks(true, [&](const std::string& id, Cursor& in) {
    if (id == "PNTS") Points(in);
    else if (id == "SRFS") Tags(in);
    else if (id == "POLS") PolygonsB(in);
    else if (id == "SURF") SurfaceB(in);
  });
}

void LwoReader::PolygonsB(Cursor& in) {
  uint32_t count = 0;
  while (in.Left() > 0 && in.U2(count)) {
    Polygon polygon;
    bool whole = true;
    for (uint32_t i = 0; i < count; ++i) {
      uint32_t index = 0;
      if (!in.U2(index)) return;
      if (index >= points_.size()) whole = false;
      polygon.points.push_back(index);
    }
    uint32_t surface = 0;
    if (!in.U2(surface)) return;
    auto signedSurface = static_cast<int16_t>(surface);
    if (signedSurface < 0) {  // detail polygons follow: read them as polygons too
      signedSurface = static_cast<int16_t>(-signedSurface);
      uint32_t details = 0;
      if (!in.U2(details)) return;
    }
    polygon.tag = signedSurface - 1;
    if (!whole || count < 3) polygon.points.clear();
    polygons_.push_back(std::move(polygon));
  }
}

void LwoReader::SurfaceB(Cursor& in) {
  std::string name;
  if (!in.S0(name)) return;
  Surface& surface = surfaces_[name];
  in.Chunks(false, [&](const std::string& id, Cursor& sub) {
    uint32_t r = 0, g = 0, b = 0, flags = 0;
    std::string text;
    if (id == "COLR" && sub.U1(r) && sub.U1(g) && sub.U1(b)) {
      surface.colour[0] = r / 255.0f;
      surface.colour[1] = g / 255.0f;
      surface.colour[2] = b / 255.0f;
      surface.coloured = true;
    }
    if (id == "CTEX" && sub.S0(text)) {
      surface.texture.projection = text.find("Planar") != std::string::npos        ? 0
                                   : text.find("Cylindrical") != std::string::npos ? 1
                                   : text.find("Spherical") != std::string::npos   ? 2
                                                                                   : -1;
    }
    if (id == "TIMG" && sub.S0(text) && text != "(none)") surface.texture.fileName = text;
    if (id == "TFLG" && sub.U2(flags))
      surface.texture.axis = (flags & 1) != 0 ? 0 : (flags & 2) != 0 ? 1 : 2;
    if (id == "TSIZ") sub.Vec(surface.texture.size);
    if (id == "TCTR") sub.Vec(surface.texture.centre);
  });
}

void LwoReader::TextureCoordinates(const Texture& texture, const Polygon& polygon, size_t index,
                                   PolygonDesc& desc) const {
  const int count = static_cast<int>(polygon.points.size());
  for (int i = 0; i < count; ++i) {
    const Vector3& p = points_[polygon.points[static_cast<size_t>(i)]];
    float u = 0, v = 0;
    if (texture.projection == 5) {
      const auto mad = vmads_.find(texture.uvMap);
      const auto map = vmaps_.find(texture.uvMap);
      const auto key = std::make_pair(polygon.points[static_cast<size_t>(i)], static_cast<uint32_t>(index));
      if (mad != vmads_.end() && mad->second.count(key) != 0) {
        std::tie(u, v) = mad->second.at(key);
      } else if (map != vmaps_.end() && map->second.count(key.first) != 0) {
        std::tie(u, v) = map->second.at(key.first);
      }
    } else if (texture.projection >= 0 && texture.projection <= 2) {
      PointRecord record(p.x, p.y, p.z);
      const Vector3 centre(texture.centre[0], texture.centre[1], texture.centre[2]);
      const Vector3 size(texture.size[0], texture.size[1], texture.size[2]);
      if (texture.projection == 0) ProjectPlanar(record, centre, size, texture.axis);
      if (texture.projection == 1) ProjectCylindrical(record, centre, size, texture.axis);
      if (texture.projection == 2) ProjectSpherical(record, centre, texture.axis);
      u = record[3];
      v = record[4];
    }
    desc.u[i] = std::isfinite(u) ? u : 0.0f;
    desc.v[i] = std::isfinite(v) ? flipVf(v) : 0.0f;
  }
  // Keep polygons that straddle the wrap of a round projection contiguous.
  if (texture.projection == 1 || texture.projection == 2) SeamFix(desc, kSeamU);
}

void LwoReader::Build() {
  std::vector<Material*> materials(tags_.size(), nullptr);
  std::vector<Shader*> shaders(tags_.size(), nullptr);
  for (size_t t = 0; t < tags_.size(); ++t) {
    const auto found = surfaces_.find(tags_[t]);
    if (found == surfaces_.end()) continue;
    const Surface& surface = found->second;
    materials[t] = model_.FindMaterial(tags_[t].c_str(), true);
    shaders[t] = model_.FindShader(tags_[t].c_str(), true);
    const uint32_t colour = PackColor(surface.colour[0], surface.colour[1], surface.colour[2], 1.0);
    if (surface.coloured) {
      materials[t]->SetColor("DiffuseColor", colour);
      shaders[t]->Root()->SetColorPacked("DiffuseColor", colour);
    }
    std::string file = surface.texture.fileName;
    const auto clip = clips_.find(surface.texture.clip);
    if (file.empty() && clip != clips_.end()) file = clip->second;
    if (!file.empty()) {
      materials[t]->SetMapFileName("DiffuseColor", file.c_str());
      ShaderNode* image = shaders[t]->CreateNode();
      image->SetString("BaseType", "Image");
      image->SetString("FileName", file.c_str());
      if (surface.coloured) image->SetColorPacked("ColorMultiplier", colour);
      shaders[t]->Root()->SetLink("DiffuseColor", image, "OutColor");
    }
  }
  Texture fallbackTexture;
  if (!vmads_.empty() || !vmaps_.empty()) {
    fallbackTexture.projection = 5;
    fallbackTexture.uvMap = !vmads_.empty() ? vmads_.begin()->first : vmaps_.begin()->first;
  }
  PolygonDesc desc;
  for (size_t index = 0; index < polygons_.size(); ++index) {
    const Polygon& polygon = polygons_[index];
    if (polygon.points.size() < 3 || !desc.Resize(static_cast<int>(polygon.points.size()))) continue;
    for (size_t i = 0; i < polygon.points.size(); ++i) {
      const Vector3& p = points_[polygon.points[i]];
      desc.positions[i] = Vector3(p.x, p.y, -static_cast<double>(p.z));
      desc.normals[i] = Vector3();
      desc.weights[i] = 1.0f;
      desc.u[i] = desc.v[i] = 0.0f;
    }
    const bool tagged = polygon.tag >= 0 && static_cast<size_t>(polygon.tag) < tags_.size();
    desc.material = tagged ? materials[static_cast<size_t>(polygon.tag)] : nullptr;
    desc.aux = tagged ? shaders[static_cast<size_t>(polygon.tag)] : nullptr;
    desc.faceNormal = Vector3();
    // A surface without a colour texture still takes the file's UV map, when
    // there is one.
    Texture texture = fallbackTexture;
    if (tagged) {
      const auto found = surfaces_.find(tags_[static_cast<size_t>(polygon.tag)]);
      if (found != surfaces_.end() && found->second.texture.projection >= 0)
        texture = found->second.texture;
    }
    TextureCoordinates(texture, polygon, index, desc);
    model_.AddPolygon(desc);
  }
  model_.SetEdgeSmoothnessAll(0.5, true);
  model_.ComputeCornerNormalsAll(0.4);
}

// Big-endian output of one IFF file.
class LwoWriter {
 public:
  void U2(uint32_t v) { Bytes({uint8_t(v >> 8), uint8_t(v)}); }
  void U4(uint32_t v) { Bytes({uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)}); }
  void F4(float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    U4(bits);
  }
  void Id(const char* id) { out_.insert(out_.end(), id, id + 4); }
  void S0(const std::string& text) {
    out_.insert(out_.end(), text.begin(), text.end());
    out_.push_back(0);
    if ((text.size() + 1) & 1) out_.push_back(0);
  }
  void VX(uint32_t v) {
    if (v < 0xFF00) U2(v);
    else U4(0xFF000000u | v);
  }
  // Starts a chunk whose 4-byte length is filled in by End.
  size_t Begin(const char* id) {
    Id(id);
    U4(0);
    return out_.size();
  }
  void End(size_t start) {
    const auto length = static_cast<uint32_t>(out_.size() - start);
    for (int i = 0; i < 4; ++i) out_[start - 4 + static_cast<size_t>(i)] = uint8_t(length >> (24 - 8 * i));
    if (length & 1) out_.push_back(0);
  }
  std::vector<uint8_t>& Bytes() { return out_; }

 private:
  void Bytes(std::initializer_list<uint8_t> bytes) { out_.insert(out_.end(), bytes); }
  std::vector<uint8_t> out_;
};

}  // namespace

int SceneLWO::Identify() { return StartsWith(Stream(), Start(), "FORM", 4) ? 1 : 0; }

int SceneLWO::Load(Scene* scene, const char* options, ProgressSink* progress) {
  (void)progress;
  ClearFailure();
  HvIO* stream = Stream();
  if (scene == nullptr || stream == nullptr || !stream->IsOpen()) return Refuse("stream not open");
  BinaryReader in(*stream, Start(), BinaryReader::kBigEndian);
  if (!LwoReader::IsLightWave(in)) {
    SetFailure(in.Failure());
    return 0;
  }
  HvModel* target = AddTargetModel(*scene, options);
  LwoReader reader(in, *target);
  if (reader.Run()) return 1;
  SetFailure(in.Failure());
  return 0;
}

int SceneLWO::Save(Scene* scene, uint32_t word, ProgressSink* progress) {
  (void)word, (void)progress;
  HvModel* model = scene != nullptr ? scene->FirstModel() : nullptr;
  HvIO* stream = Stream();
  if (model == nullptr || stream == nullptr) return 0;
  // Surfaces: one per material, and "Default" for polygons without one.
  std::vector<std::string> tags;
  std::map<const void*, uint32_t> tagOf;
  std::vector<Vector3> points;
  std::map<std::tuple<uint32_t, uint32_t, uint32_t>, uint32_t> pointIndex;
  struct Face {
    std::vector<uint32_t> points;
    std::vector<std::pair<float, float>> uv;
    uint32_t tag;
  };
  std::vector<Face> faces;
  PolygonData data;
  PolygonId id;
  for (bool more = model->First(id); more && id.IsValid(); more = model->Next(id, id)) {
    if (!model->GetPolygon(id, data) || data.count < 3) continue;
    if (tagOf.count(data.material) == 0) {
      const auto* material = static_cast<const Material*>(data.material);
      tagOf[data.material] = static_cast<uint32_t>(tags.size());
      tags.push_back(material != nullptr && material->Name().Length() > 0 ? material->Name().Text()
                                                                          : "Default");
    }
    Face face{{}, {}, tagOf[data.material]};
    for (int i = 0; i < data.count; ++i) {
      const Vector3 p(data.positions[i].x, data.positions[i].y, -static_cast<double>(data.positions[i].z));
      uint32_t bits[3];
      std::memcpy(bits, &p, 12);
      const auto key = std::make_tuple(bits[0], bits[1], bits[2]);
      const auto found = pointIndex.find(key);
      uint32_t index = 0;
      if (found == pointIndex.end()) {
        index = static_cast<uint32_t>(points.size());
        pointIndex.emplace(key, index);
        points.push_back(p);
      } else {
        index = found->second;
      }
      face.points.push_back(index);
      face.uv.emplace_back(data.u[i], flipVf(data.v[i]));
    }
    faces.push_back(std::move(face));
  }
  LwoWriter out;
  const size_t form = out.Begin("FORM");
  out.Id("LWO2");
  size_t chunk = out.Begin("TAGS");
  for (const std::string& tag : tags) out.S0(tag);
  out.End(chunk);
  chunk = out.Begin("LAYR");
  out.U2(0);
  out.U2(0);
  for (int i = 0; i < 3; ++i) out.F4(0);
  out.S0("");
  out.End(chunk);
  chunk = out.Begin("PNTS");
  for (const Vector3& p : points) {
    out.F4(p.x);
    out.F4(p.y);
    out.F4(p.z);
  }
  out.End(chunk);
  chunk = out.Begin("POLS");
  out.Id("FACE");
  for (const Face& face : faces) {
    out.U2(static_cast<uint32_t>(std::min<size_t>(face.points.size(), 0x3FF)));
    for (size_t i = 0; i < face.points.size() && i < 0x3FF; ++i) out.VX(face.points[i]);
  }
  out.End(chunk);
  chunk = out.Begin("VMAD");
  out.Id("TXUV");
  out.U2(2);
  out.S0("UV");
  for (size_t f = 0; f < faces.size(); ++f)
    for (size_t i = 0; i < faces[f].points.size() && i < 0x3FF; ++i) {
      out.VX(faces[f].points[i]);
      out.VX(static_cast<uint32_t>(f));
      out.F4(faces[f].uv[i].first);
      out.F4(faces[f].uv[i].second);
    }
  out.End(chunk);
  chunk = out.Begin("PTAG");
  out.Id("SURF");
  for (size_t f = 0; f < faces.size(); ++f) {
    out.VX(static_cast<uint32_t>(f));
    out.U2(faces[f].tag);
  }
  out.End(chunk);
  for (size_t t = 0; t < tags.size(); ++t) {
    chunk = out.Begin("SURF");
    out.S0(tags[t]);
    out.S0("");
    const Material* material = model->FindMaterial(tags[t].c_str(), false);
    double rgba[4] = {0.8, 0.8, 0.8, 1.0};
    if (material != nullptr) UnpackColor(material->GetColor("DiffuseColor"), rgba);
    out.Id("COLR");
    out.U2(14);
    for (int i = 0; i < 3; ++i) out.F4(static_cast<float>(rgba[i]));
    out.VX(0);
    out.End(chunk);
  }
  out.End(form);
  std::vector<uint8_t>& bytes = out.Bytes();
  return stream->Write(bytes.data(), bytes.size()) == bytes.size() ? 1 : 0;
}
