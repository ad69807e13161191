#include "IO/CorrespondenceWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "HvTL/LittleEndian.h"
#include "Math/BoundingBox.h"
#include "Model3D/HvMesh.h"
#include "Model3D/HvModel.h"
#include "Model3D/MeshPolygon.h"
#include "Platform/FileSystem.h"

namespace {

struct Planar {
  double x0 = 0.0, y0 = 0.0, scale = 1.0;
};

Planar PlanarFrame(HvModel& model) {
  Planar planar;
  BoundingBox box;
  if (!model.Bounds(box) || !box.IsValid()) return planar;
  planar.x0 = box.min.x;
  planar.y0 = box.min.y;
  const double extent = std::max(double(box.max.x) - box.min.x, double(box.max.y) - box.min.y);
  planar.scale = extent > 0.0 ? 1.0 / extent : 1.0;
  return planar;
}

// One corner in the painter's frame with its new texture coordinates.
CorrespondenceCorner PainterCorner(const MeshCorner& corner, const CorrespondenceUvMode& mode,
                                   const Planar& planar) {
  CorrespondenceCorner out{corner.position.x, -corner.position.y, -corner.position.z, corner.u,
                           static_cast<float>(1.0 - static_cast<double>(corner.v))};
  if (mode.kind == CorrespondenceUvMode::kPlanar) {
    out.u = static_cast<float>((corner.position.x - planar.x0) * planar.scale);
    out.v = static_cast<float>((corner.position.y - planar.y0) * planar.scale);
  } else if (mode.kind == CorrespondenceUvMode::kShift) {
    out.u = static_cast<float>(out.u + mode.du);
    out.v = static_cast<float>(out.v + mode.dv);
  }
  return out;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

bool ParseNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size();
}

}  // namespace

bool parseCorrespondenceUvMode(const std::string& text, CorrespondenceUvMode& mode) {
  mode = CorrespondenceUvMode();
  if (text == "same") return true;
  if (text == "planar") {
    mode.kind = CorrespondenceUvMode::kPlanar;
    return true;
  }
  const std::string prefix = "shift:";
  if (text.compare(0, prefix.size(), prefix) != 0) return false;
  const size_t colon = text.find(':', prefix.size());
  if (colon == std::string::npos) return false;
  mode.kind = CorrespondenceUvMode::kShift;
  return ParseNumber(text.substr(prefix.size(), colon - prefix.size()), mode.du) &&
         ParseNumber(text.substr(colon + 1), mode.dv);
}

std::vector<CorrespondenceRecord> makeCorrespondenceRecords(HvModel& model,
                                                            const CorrespondenceUvMode& mode,
                                                            std::vector<int>* groups) {
  const Planar planar = PlanarFrame(model);
  std::vector<CorrespondenceRecord> records;
  for (int g = 0; g < model.GroupCount(); ++g) {
    const HvMesh* mesh = model.Group(g, false);
    if (mesh == nullptr) continue;
    for (int p = 0; p < mesh->PolygonCount(); ++p) {
      const MeshPolygon* polygon = mesh->Polygon(p);
      if (polygon == nullptr || polygon->count < 3) continue;
      const CorrespondenceCorner first = PainterCorner(polygon->Corner(0), mode, planar);
      for (int k = 2; k < polygon->count; ++k) {
        records.push_back({{first, PainterCorner(polygon->Corner(k - 1), mode, planar),
                            PainterCorner(polygon->Corner(k), mode, planar)}});
        if (groups != nullptr) groups->push_back(g);
      }
    }
  }
  return records;
}

bool writeCorrespondenceFile(const char* path, const std::vector<CorrespondenceRecord>& records,
                             std::string& error) {
  if (records.size() > 0x7FFFFFFFu) {
    error = "too many records for one file";
    return false;
  }
  std::unique_ptr<std::FILE, FileCloser> file(Platform::OpenFile(path, "wb"));
  if (!file) {
    error = "cannot create the file";
    return false;
  }
  uint8_t header[Correspondence::kHeaderBytes];
  std::copy(Correspondence::kMagic, Correspondence::kMagic + 4, header);
  StoreU32LE(header + 4, static_cast<uint32_t>(records.size()));
  bool ok = std::fwrite(header, 1, sizeof header, file.get()) == sizeof header;
  uint8_t bytes[Correspondence::kRecordBytes];
  for (size_t r = 0; ok && r < records.size(); ++r) {
    for (int c = 0; c < 3; ++c) {
      const CorrespondenceCorner& corner = records[r].corner[c];
      const float values[5] = {corner.x, corner.y, corner.z, corner.u, corner.v};
      for (int i = 0; i < 5; ++i) StoreF32LE(bytes + 20 * c + 4 * i, values[i]);
    }
    ok = std::fwrite(bytes, 1, sizeof bytes, file.get()) == sizeof bytes;
  }
  ok = std::fclose(file.release()) == 0 && ok;
  if (!ok) error = "cannot write the file";
  return ok;
}
