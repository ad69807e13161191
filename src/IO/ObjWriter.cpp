// The OBJ writer: three de-duplicated lists (positions, normals, texture
// coordinates) in pool order, then the faces group by group.
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "HvCore/HvIO.h"
#include "IO/ObjFormat.h"
#include "IO/UniquePointPool.h"
#include "Math/PainterFrame.h"
#include "Math/ProgressSink.h"
#include "Model3D/HvModel.h"
#include "Model3D/WorkerRanges.h"

namespace {

// Buffered text output to the stream.
class TextOut {
 public:
  explicit TextOut(HvIO& stream) : stream_(stream) {}
  ~TextOut() { Flush(); }
  void Put(const char* text) {
    buffer_ += text;
    if (buffer_.size() > (1 << 16)) Flush();
  }
  template <typename... Values>
  void Format(const char* format, Values... values) {
    char text[128];
    std::snprintf(text, sizeof text, format, values...);
    Put(text);
  }
  // The value as "%12.8g" writes it: to_chars in general format with
  // precision 8 gives printf's digits and exponent; NaN and infinity go to
  // printf itself (C libraries differ on the sign of a NaN).
  void Number(double value) {
    char text[40];
    if (!std::isfinite(value)) {
      std::snprintf(text, sizeof text, "%12.8g", value);
      buffer_ += text;
      return;
    }
    const std::to_chars_result result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 8);
    const size_t length = static_cast<size_t>(result.ptr - text);
    if (length < 12) buffer_.append(12 - length, ' ');
    buffer_.append(text, length);
  }
  void Integer(int value) {
    char text[16];
    const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
    buffer_.append(text, static_cast<size_t>(result.ptr - text));
  }
  // Numbers after `prefix`, each after a blank, then the line end.
  template <typename... Values>
  void NumberLine(const char* prefix, Values... values) {
    buffer_ += prefix;
    ((buffer_ += ' ', Number(values)), ...);
    Put("\n");
  }
  void Flush() {
    if (!buffer_.empty()) stream_.Write(buffer_.data(), buffer_.size());
    buffer_.clear();
  }

 private:
  HvIO& stream_;
  std::string buffer_;
};

PointRecord Position(const PolygonData& desc, int i) {
  return PointRecord(desc.positions[i].x, desc.positions[i].y, desc.positions[i].z);
}
PointRecord Normal(const PolygonData& desc, int i) {
  return PointRecord(desc.normals[i].x, desc.normals[i].y, desc.normals[i].z);
}
PointRecord Texture(const PolygonData& desc, int i) { return PointRecord(desc.u[i], desc.v[i], 0); }

// Every readable polygon of a group, in order.
template <typename Visit>
void ForEachPolygon(HvModel& model, int group, PolygonData& desc, Visit visit) {
  PolygonId id;
  model.IdForGroup(group, id);
  while (id.IsValid()) {
    if (model.GetPolygon(id, desc)) visit(desc);
    if (!model.NextInGroup(group, id, id)) break;
  }
}

}  // namespace

int WriteObj(HvModel& model, HvIO& stream, ProgressSink* progress, const char* savedBy) {
  TextOut out(stream);
  out.Put("# OBJ (Wavefront) file\n");
  out.Put(savedBy);
  out.Put("# ombrix-bridge.invalid\n\n");
  if (progress != nullptr) {
    double polygons = 0;
    for (int g = 0; g < model.GroupCount(); ++g)
      if (const HvMesh* mesh = model.Group(g, false)) polygons += mesh->PolygonCount();
    progress->SetTotal(2 * polygons);
  }
  UniquePointPool positions, normals, textures;
  PolygonData desc;
  int faces = 0;
  // The corners' records go to the three pools in batches, each pool on a
  // worker of its own; `located` keeps where each corner's record went, in
  // walk order, for the face lines.
  UniquePointPool* const pools[3] = {&positions, &textures, &normals};
  std::array<std::vector<PointRecord>, 3> pending;
  std::array<std::vector<uint64_t>, 3> located;
  auto locatePending = [&] {
    ForEachRange(3, 1, [&](size_t begin, size_t end) {
      for (size_t k = begin; k < end; ++k) {
        for (const PointRecord& record : pending[k]) located[k].push_back(pools[k]->Locate(record));
        pending[k].clear();
      }
    });
  };
  constexpr size_t kBatchCorners = size_t{1} << 16;
  for (int g = 0; g < model.GroupCount(); ++g) {
    model.SetCurrentGroup(g);
    ForEachPolygon(model, g, desc, [&](const PolygonData& polygon) {
      if (polygon.count < 1) return;
      ++faces;
      for (int i = 0; i < polygon.count; ++i) {
        pending[0].push_back(Position(polygon, i));
        pending[1].push_back(Texture(polygon, i));
        pending[2].push_back(Normal(polygon, i));
      }
      if (pending[0].size() >= kBatchCorners) locatePending();
    });
  }
  locatePending();
  out.Put("# OBJ summary:\n");
  out.Format("#     vertices   (v)  = %d\n", positions.Count());
  out.Format("#     UV coords  (tv) = %d\n", textures.Count());
  out.Format("#     normals    (vn) = %d\n", normals.Count());
  out.Format("#     faces      (f)  = %d\n\n", faces);
  out.Put("# vertices\n\n");
  positions.ForEach([&](const PointRecord& p) { out.NumberLine("v", p[0], p[1], p[2]); });
  out.Put("\n# normals\n\n");
  normals.ForEach([&](const PointRecord& n) { out.NumberLine("vn", n[0], n[1], n[2]); });
  out.Put("\n# texture vertices\n\n");
  textures.ForEach([&](const PointRecord& t) { out.NumberLine("vt", t[0], flipV(t[1])); });
  out.Put("\n");
  char name[2048];
  size_t corner = 0;
  for (int g = 0; g < model.GroupCount(); ++g) {
    model.GetGroupName(g, name, sizeof name);
    out.Put("g ");
    out.Put(name);
    out.Put("\n");
    ForEachPolygon(model, g, desc, [&](const PolygonData& polygon) {
      if (polygon.count < 1) return;
      out.Put("f ");
      // The same walk as the first pass: each corner's records are where
      // that pass put them (what Find would answer).
      for (int i = 0; i < polygon.count; ++i, ++corner) {
        out.Integer(positions.Index(located[0][corner]) + 1);
        out.Put("/");
        out.Integer(textures.Index(located[1][corner]) + 1);
        out.Put("/");
        out.Integer(normals.Index(located[2][corner]) + 1);
        out.Put(" ");
      }
      out.Put("\n");
    });
  }
  out.Put("\n# end of file\n\n");
  return 1;
}
