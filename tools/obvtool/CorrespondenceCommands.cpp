// obvtool's correspondence files: info and verify of "maya.cor" files, cor
// (one from a project file), uvlayout (the picture of a layout).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "Commands.h"
#include "IO/CorrespondenceWriter.h"
#include "IO/ModelFileReader.h"
#include "IO/UvLayout.h"
#include "Platform/FileSystem.h"

namespace {

struct Range {
  double lo = std::numeric_limits<double>::infinity();
  double hi = -std::numeric_limits<double>::infinity();
  void Add(double value) {
    lo = std::min(lo, value);
    hi = std::max(hi, value);
  }
  bool Valid() const { return lo <= hi; }
};

// What a loaded file holds: bounds in the Maya frame, the file's u and v.
struct CorSummary {
  CorrespondenceLoadInfo info;
  size_t records = 0;
  Range axis[3], u, v;
  size_t nonFinite = 0;  // records with a NaN or an infinity
};

bool LoadSummary(const std::string& path, CorSummary& s, CorrespondenceTable& table) {
  if (!loadCorrespondenceFile(table, path.c_str(), &s.info)) return false;
  s.records = table.Size();
  for (const CorrespondenceRecord& record : table.Records()) {
    const CorrespondenceRecord stored = Correspondence::ToFileFrame(record);
    bool finite = true;
    for (int c = 0; c < 3; ++c) {
      const CorrespondenceCorner& k = record.corner[c];
      const float values[5] = {k.x, k.y, k.z, stored.corner[c].u, stored.corner[c].v};
      for (float value : values) finite = finite && std::isfinite(value);
      if (!finite) continue;
      s.axis[0].Add(k.x), s.axis[1].Add(k.y), s.axis[2].Add(k.z);
      s.u.Add(stored.corner[c].u), s.v.Add(stored.corner[c].v);
    }
    if (!finite) ++s.nonFinite;
  }
  return true;
}

void PrintSummary(const CorSummary& s, bool json) {
  const bool bounded = s.axis[0].Valid();
  if (json) {
    std::printf("{\"format\":\"COR\",\"announced\":%d,\"records\":%zu,\"truncated\":%s,\"nonFinite\":%zu",
                s.info.announced, s.records, s.info.truncated ? "true" : "false", s.nonFinite);
    if (bounded)
      std::printf(",\"bounds\":{\"min\":[%g,%g,%g],\"max\":[%g,%g,%g]},\"uv\":{\"min\":[%g,%g],\"max\":[%g,%g]}}\n",
                  s.axis[0].lo, s.axis[1].lo, s.axis[2].lo, s.axis[0].hi, s.axis[1].hi, s.axis[2].hi,
                  s.u.lo, s.v.lo, s.u.hi, s.v.hi);
    else
      std::printf(",\"bounds\":null,\"uv\":null}\n");
    return;
  }
  std::printf("format: COR (correspondence file)\nrecords: %zu", s.records);
  if (s.info.truncated) std::printf(" (the count says %d: %s)", s.info.announced, s.info.error.c_str());
  std::printf("\n");
  if (s.nonFinite > 0) std::printf("records with NaN or infinite values: %zu\n", s.nonFinite);
  if (!bounded) {
    std::printf("bounds: empty\nuv range: empty\n");
    return;
  }
  std::printf("bounds (Maya frame): (%g, %g, %g) - (%g, %g, %g)\n", s.axis[0].lo, s.axis[1].lo,
              s.axis[2].lo, s.axis[0].hi, s.axis[1].hi, s.axis[2].hi);
  std::printf("uv range: (%g, %g) - (%g, %g)\n", s.u.lo, s.v.lo, s.u.hi, s.v.hi);
}

bool TakeNumber(const Arguments& arguments, size_t i, double& value) {
  if (i >= arguments.size()) return false;
  char* end = nullptr;
  value = std::strtod(arguments[i].c_str(), &end);
  return !arguments[i].empty() && *end == '\0';
}

}  // namespace

bool IsCorrespondenceFile(const std::string& path) {
  std::FILE* file = Platform::OpenFile(path.c_str(), "rb");
  if (file == nullptr) return false;
  char magic[4] = {};
  const bool is = std::fread(magic, 1, 4, file) == 4 && std::memcmp(magic, Correspondence::kMagic, 4) == 0;
  std::fclose(file);
  return is;
}

int CorrespondenceInfo(const std::string& path, bool json) {
  CorrespondenceTable table;
  CorSummary summary;
  if (!LoadSummary(path, summary, table)) return Fail(path, summary.info.error);
  PrintSummary(summary, json);
  return 0;
}

int CorrespondenceVerify(const std::string& path) {
  CorrespondenceTable table;
  CorSummary s;
  if (!LoadSummary(path, s, table)) return Fail(path, s.info.error);
  if (s.info.truncated) return Fail(path, s.info.error);
  if (s.info.announced < 0) return Fail(path, "negative record count");
  if (s.info.trailingBytes > 0)
    return Fail(path, std::to_string(s.info.trailingBytes) + " bytes after the last record");
  if (s.nonFinite > 0) return Fail(path, std::to_string(s.nonFinite) + " records with NaN or infinite values");
  std::printf("%s: %zu records verified\n", path.c_str(), s.records);
  return 0;
}

int CorCommand(const Arguments& arguments) {
  std::vector<std::string> files;
  CorrespondenceUvMode mode;
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--uv") {
      const std::string kind = i + 1 < arguments.size() ? arguments[++i] : "";
      if (kind == "planar") {
        mode.kind = CorrespondenceUvMode::kPlanar;
      } else if (kind == "shift") {
        mode.kind = CorrespondenceUvMode::kShift;
        if (!TakeNumber(arguments, i + 1, mode.du) || !TakeNumber(arguments, i + 2, mode.dv))
          return UsageError("--uv shift needs two numbers DU DV");
        i += 2;
      } else if (kind != "same") {
        return UsageError("--uv takes planar, shift DU DV or same");
      }
    } else if (!arguments[i].empty() && arguments[i][0] == '-' && arguments[i].size() > 1) {
      return UsageError("cor: unknown option '" + arguments[i] + "'");
    } else {
      files.push_back(arguments[i]);
    }
  }
  if (files.size() != 2) return UsageError("cor takes a project file and an output file");
  LoadedModel loaded;
  std::string error;
  if (!ReadModelFile(files[0].c_str(), loaded, error)) return FailLine(error);
  if (loaded.format != "OBV") return Fail(files[0], "not a project file (format " + loaded.format + ")");
  const std::vector<CorrespondenceRecord> records = makeCorrespondenceRecords(*loaded.Model(), mode);
  if (!writeCorrespondenceFile(files[1].c_str(), records, error)) return Fail(files[1], error);
  std::printf("%s: %zu records\n", files[1].c_str(), records.size());
  return 0;
}

int UvLayoutCommand(const Arguments& arguments) {
  std::string in, out;
  int size = 1024;
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "-o" && i + 1 < arguments.size()) {
      out = arguments[++i];
    } else if (arguments[i] == "--size") {
      double value = 0;
      if (!TakeNumber(arguments, i + 1, value) || value < 16 || value > UvLayout::kMaxSize ||
          value != std::floor(value))
        return UsageError("--size takes a whole number from 16 to " + std::to_string(UvLayout::kMaxSize));
      size = static_cast<int>(value);
      ++i;
    } else if (!arguments[i].empty() && arguments[i][0] == '-') {
      return UsageError("uvlayout: unknown option '" + arguments[i] + "'");
    } else if (in.empty()) {
      in = arguments[i];
    } else {
      return UsageError("uvlayout takes one file");
    }
  }
  if (in.empty() || out.empty()) return UsageError("uvlayout needs a file and -o OUT.png");
  std::vector<UvTriangle> triangles;
  std::string error;
  if (IsCorrespondenceFile(in)) {
    CorrespondenceTable table;
    CorrespondenceLoadInfo info;
    if (!loadCorrespondenceFile(table, in.c_str(), &info)) return Fail(in, info.error);
    if (info.truncated) std::fprintf(stderr, "obvtool: %s: %s\n", in.c_str(), info.error.c_str());
    for (const CorrespondenceRecord& record : table.Records()) {
      const CorrespondenceRecord stored = Correspondence::ToFileFrame(record);
      UvTriangle t{};
      for (int c = 0; c < 3; ++c) t.u[c] = stored.corner[c].u, t.v[c] = stored.corner[c].v;
      triangles.push_back(t);
    }
  } else {
    LoadedModel loaded;
    if (!ReadModelFile(in.c_str(), loaded, error)) return FailLine(error);
    std::vector<int> groups;
    const auto records = makeCorrespondenceRecords(*loaded.Model(), CorrespondenceUvMode(), &groups);
    for (size_t r = 0; r < records.size(); ++r) {
      UvTriangle t{};
      for (int c = 0; c < 3; ++c) t.u[c] = records[r].corner[c].u, t.v[c] = records[r].corner[c].v;
      t.group = groups[r];
      triangles.push_back(t);
    }
  }
  TileSpan u, v;
  UvLayout::TilesOf(triangles, u, v);
  UvLayout layout(size, u, v);
  for (const UvTriangle& t : triangles) layout.Draw(t);
  if (!layout.WritePng(out.c_str(), error)) return Fail(out, error);
  std::printf("%s: %zu triangles, %dx%d", out.c_str(), triangles.size(), size, size);
  if (layout.TilesAcross() > 1)
    std::printf(", %d by %d UV tiles from tile (%lld, %lld)", layout.TilesAcross(), layout.TilesAcross(),
                static_cast<long long>(u.first), static_cast<long long>(v.first));
  if (layout.LeftOut() > 0) std::printf(", %d left out (non-finite UVs)", layout.LeftOut());
  std::printf("\n");
  return 0;
}
