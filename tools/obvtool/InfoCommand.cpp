// obvtool info: what a model file holds, as text or as one JSON object.
#include <cstdio>
#include <memory>
#include <string>

#include "Commands.h"
#include "IO/ModelFileReader.h"
#include "Platform/Console.h"
#include "TerminalProgress.h"

namespace {

const char* const kMapChannels[] = {"DiffuseColor", "Ambient",   "SpecularColor",
                                    "Opacity",      "Bump",      "Reflect",
                                    "Selection",    "SpecularExponent", "Displacement"};

std::string Json(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

struct GroupSummary {
  std::string name;
  long polygons = 0;
  long triangles = 0;
};

struct Summary {
  std::string format;
  std::vector<GroupSummary> groups;
  long polygons = 0;
  long triangles = 0;
  BoundingBox bounds;
  int verified = -1;  // -1: not a project file
};

Summary Summarise(HvModel& model, const std::string& format) {
  Summary summary;
  summary.format = format;
  for (int g = 0; g < model.GroupCount(); ++g) {
    const HvMesh* mesh = model.Group(g, false);
    if (mesh == nullptr) continue;
    GroupSummary group{mesh->GetName().Text(), 0, 0};
    for (int p = 0; p < mesh->PolygonCount(); ++p) {
      const MeshPolygon* polygon = mesh->Polygon(p);
      if (polygon == nullptr) continue;
      ++group.polygons;
      if (polygon->count >= 3) group.triangles += polygon->count - 2;
    }
    summary.polygons += group.polygons;
    summary.triangles += group.triangles;
    summary.groups.push_back(group);
  }
  model.Bounds(summary.bounds);
  return summary;
}

void PrintText(HvModel& model, const Summary& s) {
  std::printf("format: %s\n", s.format.c_str());
  if (s.verified >= 0) std::printf("check words: %s\n", s.verified ? "verified" : "MISMATCH");
  std::printf("groups: %zu\n", s.groups.size());
  for (const GroupSummary& g : s.groups)
    std::printf("  %-32s %8ld polygons %8ld triangles\n", g.name.c_str(), g.polygons, g.triangles);
  std::printf("polygons: %ld\ntriangles: %ld\n", s.polygons, s.triangles);
  std::printf("materials: %d\n", model.MaterialCount());
  for (int m = 0; m < model.MaterialCount(); ++m) {
    const Material* material = model.Material(m, false);
    if (material == nullptr) continue;
    std::printf("  %s\n", material->Name().Text());
    for (const char* channel : kMapChannels)
      if (material->GetMapFileName(channel)[0] != '\0')
        std::printf("    %-16s %s\n", channel, material->GetMapFileName(channel));
  }
  std::printf("shaders: %d\n", model.ShaderCount());
  for (int i = 0; i < model.ShaderCount(); ++i)
    if (const Shader* shader = model.Shader(i, false)) std::printf("  %s\n", shader->Name().Text());
  if (s.bounds.IsValid())
    std::printf("bounds: (%g, %g, %g) - (%g, %g, %g)\n", s.bounds.min.x, s.bounds.min.y,
                s.bounds.min.z, s.bounds.max.x, s.bounds.max.y, s.bounds.max.z);
  else
    std::printf("bounds: empty\n");
}

void PrintJson(HvModel& model, const Summary& s) {
  std::printf("{\"format\":%s", Json(s.format).c_str());
  if (s.verified >= 0) std::printf(",\"verified\":%s", s.verified ? "true" : "false");
  std::printf(",\"groups\":[");
  for (size_t i = 0; i < s.groups.size(); ++i)
    std::printf("%s{\"name\":%s,\"polygons\":%ld,\"triangles\":%ld}", i ? "," : "",
                Json(s.groups[i].name).c_str(), s.groups[i].polygons, s.groups[i].triangles);
  std::printf("],\"polygons\":%ld,\"triangles\":%ld,\"materials\":[", s.polygons, s.triangles);
  bool firstMaterial = true;
  for (int m = 0; m < model.MaterialCount(); ++m) {
    const Material* material = model.Material(m, false);
    if (material == nullptr) continue;
    std::printf("%s{\"name\":%s,\"maps\":{", firstMaterial ? "" : ",", Json(material->Name().Text()).c_str());
    firstMaterial = false;
    bool firstMap = true;
    for (const char* channel : kMapChannels) {
      if (material->GetMapFileName(channel)[0] == '\0') continue;
      std::printf("%s%s:%s", firstMap ? "" : ",", Json(channel).c_str(),
                  Json(material->GetMapFileName(channel)).c_str());
      firstMap = false;
    }
    std::printf("}}");
  }
  std::printf("],\"shaders\":[");
  bool firstShader = true;
  for (int i = 0; i < model.ShaderCount(); ++i) {
    if (const Shader* shader = model.Shader(i, false)) {
      std::printf("%s%s", firstShader ? "" : ",", Json(shader->Name().Text()).c_str());
      firstShader = false;
    }
  }
  std::printf("],\"bounds\":");
  if (s.bounds.IsValid())
    std::printf("{\"min\":[%g,%g,%g],\"max\":[%g,%g,%g]}", s.bounds.min.x, s.bounds.min.y,
                s.bounds.min.z, s.bounds.max.x, s.bounds.max.y, s.bounds.max.z);
  else
    std::printf("null");
  std::printf("}\n");
}

}  // namespace

int InfoCommand(const Arguments& arguments) {
  std::string path;
  bool json = false, partial = false;
  for (const std::string& argument : arguments) {
    if (argument == "--json")
      json = true;
    else if (argument == "--partial")
      partial = true;
    else if (!argument.empty() && argument[0] == '-')
      return UsageError("info: unknown option '" + argument + "'");
    else if (path.empty())
      path = argument;
    else
      return UsageError("info takes one file");
  }
  if (path.empty()) return UsageError("info needs a file");
  if (IsCorrespondenceFile(path)) return CorrespondenceInfo(path, json);
  if (IsExportRecordFile(path)) return ExportRecordInfo(path, json);
  std::unique_ptr<TerminalProgress> progress;
  if (Platform::StderrIsTerminal()) progress = std::make_unique<TerminalProgress>("reading");
  LoadedModel loaded;
  std::string error;
  if (!ReadModelFile(path.c_str(), loaded, error, progress.get(), partial)) return FailLine(error);
  progress.reset();
  // A damaged file stays an error; --partial only shows what was read.
  if (loaded.partial) FailLine(error + " (what was read before the damage follows)");
  Summary summary = Summarise(*loaded.Model(), loaded.format);
  if (loaded.format == "OBV") summary.verified = VerifyProjectFile(path) ? 1 : 0;
  if (json)
    PrintJson(*loaded.Model(), summary);
  else
    PrintText(*loaded.Model(), summary);
  if (loaded.format == "OBV") PrintRecordBeside(path, json);
  return loaded.partial ? 1 : 0;
}
