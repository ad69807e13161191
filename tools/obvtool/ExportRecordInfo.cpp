// obvtool info on export records: the record's contents as text, or the
// record itself as one JSON line.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "Commands.h"
#include "Exchange/ExchangePaths.h"
#include "Exchange/ExportRecord.h"

namespace {

const char kRecordSuffix[] = ".obvrecord.json";

// A digest as the record keeps it (16 hex digits), or "none" for one an
// older record lacks.
std::string Digest(uint64_t value, bool recorded) {
  if (!recorded) return "none";
  char text[17] = {};
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

void PrintRecordText(const std::string& path, const ExportRecord& record) {
  std::printf("export record: %s\n", path.c_str());
  std::printf("  scene: %s\n", record.scene.empty() ? "(not saved)" : record.scene.c_str());
  std::printf("  exported: %s, frame %g\n", record.time.c_str(), record.frame);
  for (const RecordedGroup& group : record.groups) {
    std::printf("  group %s: %s, uuid %s, UV set %s, %u polygons, %u vertices, %u UVs, topology %s, points %s\n",
                group.name.c_str(), group.dagPath.c_str(), group.uuid.empty() ? "none" : group.uuid.c_str(),
                group.uvSet.c_str(), group.polygons, group.vertices, group.uvs, Digest(group.topology, true).c_str(),
                Digest(group.points, group.pointsRecorded).c_str());
    const double* m = group.worldMatrix;
    std::printf("    world matrix: [%g %g %g %g] [%g %g %g %g] [%g %g %g %g] [%g %g %g %g]\n", m[0], m[1], m[2], m[3],
                m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11], m[12], m[13], m[14], m[15]);
  }
  for (const RecordedMaterial& material : record.materials) {
    std::printf("  material %s (%s), uuid %s\n", material.shader.c_str(),
                material.shadingEngine.empty() ? "no shading group" : material.shadingEngine.c_str(),
                material.shaderUuid.empty() ? "none" : material.shaderUuid.c_str());
    for (const RecordedChannel& channel : material.channels)
      std::printf("    %s: %s (%s)\n", channel.channel.c_str(), channel.file.c_str(),
                  channel.modified.empty() ? "not found" : ("modified " + channel.modified).c_str());
  }
}

}  // namespace

bool IsExportRecordFile(const std::string& path) {
  const size_t suffix = sizeof kRecordSuffix - 1;
  return path.size() >= suffix && path.compare(path.size() - suffix, suffix, kRecordSuffix) == 0;
}

int ExportRecordInfo(const std::string& path, bool json) {
  ExportRecord record;
  std::string error;
  if (!readExportRecordFile(path.c_str(), record, error)) return Fail(path, error);
  if (json)
    std::fputs(exportRecordText(record, true).c_str(), stdout);
  else
    PrintRecordText(path, record);
  return 0;
}

void PrintRecordBeside(const std::string& projectPath, bool json) {
  char recordPath[kExchangeBufferSize] = {};
  getRecordFilePath(projectPath.c_str(), recordPath);
  if (!std::ifstream(recordPath).good() || json) return;
  ExportRecord record;
  std::string error;
  if (readExportRecordFile(recordPath, record, error))
    PrintRecordText(recordPath, record);
  else
    Fail(recordPath, error);  // the project file itself was read: its exit status stands
}
