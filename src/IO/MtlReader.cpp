// The MTL material library reader (model and scene variants).
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "HvCore/HvIO.h"
#include "IO/ModelIOUtil.h"
#include "IO/ObjReader.h"
#include "Model3D/HvModel.h"
#include "Shader/ShaderValue.h"

namespace {

struct MapKeyword {
  const char* keyword;
  const char* channel;
};
const MapKeyword kMaps[] = {{"map_kd", "DiffuseColor"},     {"map_ka", "Ambient"},
                            {"map_ks", "SpecularColor"},    {"map_d", "Opacity"},
                            {"map_bump", "Bump"},           {"bump", "Bump"},
                            {"map_ns", "SpecularExponent"}, {"disp", "Displacement"},
                            {"refl", "Reflect"}};

std::vector<std::string> Words(const char* text) {
  std::vector<std::string> words;
  const char* p = text;
  while (*p != '\0') {
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r') ++p;
    const char* start = p;
    while (*p != '\0' && *p != ' ' && *p != '\t' && *p != '\n' && *p != '\r') ++p;
    if (p > start) words.emplace_back(start, static_cast<size_t>(p - start));
  }
  return words;
}

bool CountsAsNumber(const std::string& word) {
  return !word.empty() && (std::isdigit(static_cast<unsigned char>(word[0])) || word[0] == '.');
}

class MtlReader {
 public:
  MtlReader(HvModel& model, HvIO& stream, bool scene) : model_(model), stream_(stream), scene_(scene) {}

  int Run();

 private:
  void Keyword(const std::string& token, char* rest);
  void Colour(const char* channel, const char* rest);
  void Map(const char* channel, char* rest);

  HvModel& model_;
  HvIO& stream_;
  bool scene_;
  Material* material_ = nullptr;
  Shader* shader_ = nullptr;
  bool defined_ = false;
};

int MtlReader::Run() {
  char line[kLogicalLineBytes];
  while (readLogicalLine(stream_, line, sizeof line) > 0) {
    const char* rest = nullptr;
    const std::string token = firstToken(line, &rest);
    if (!token.empty() && token[0] != '#') Keyword(token, line + (rest - line));
    if (stream_.Tell() >= static_cast<int64_t>(kLogicalLineBytes) && !defined_) return 0;
  }
  return defined_ ? 1 : 0;
}

void MtlReader::Keyword(const std::string& token, char* rest) {
  if (token == "newmtl") {
    char* name = trimBlanks(rest);
    blanksToUnderscores(name);
    if (name[0] == '\0') return;
    if (scene_)
      shader_ = model_.FindShader(name, true);
    else
      material_ = model_.FindMaterial(name, true);
    defined_ = true;
    return;
  }
  if (material_ == nullptr && shader_ == nullptr) return;
  if (token == "kd") return Colour("DiffuseColor", rest);
  if (token == "ka") return Colour("Ambient", rest);
  if (token == "ks") return Colour("SpecularColor", rest);
  if (token == "d" || token == "ns") {
    const std::vector<std::string> words = Words(rest);
    if (words.empty() || scene_) return;
    const double value = std::atof(words[0].c_str());
    if (token == "d")
      material_->SetColor("Opacity", PackColor(value, value, value, 1.0));
    else
      material_->SetSpecularExponent(value);
    return;
  }
  for (const MapKeyword& map : kMaps)
    if (token == map.keyword) return Map(map.channel, rest);
}

void MtlReader::Colour(const char* channel, const char* rest) {
  const std::vector<std::string> words = Words(rest);
  if (words.empty() || !CountsAsNumber(words[0]) || scene_) return;
  double rgb[3];
  for (int i = 0; i < 3; ++i)
    rgb[i] = static_cast<size_t>(i) < words.size() && CountsAsNumber(words[static_cast<size_t>(i)])
                 ? std::atof(words[static_cast<size_t>(i)].c_str())
                 : rgb[i > 0 ? i - 1 : 0];
  material_->SetColor(channel, PackColor(rgb[0], rgb[1], rgb[2], 1.0));
}

void MtlReader::Map(const char* channel, char* rest) {
  // Options: "-name argument" pairs; the first other word starts the file name.
  char* p = rest;
  for (;;) {
    while (*p == ' ' || *p == '\t') ++p;
    if (*p != '-') break;
    char* name = p + 1;
    while (*p != '\0' && *p != ' ' && *p != '\t' && *p != '\n' && *p != '\r') ++p;
    const std::string option(name, static_cast<size_t>(p - name));
    while (*p == ' ' || *p == '\t') ++p;
    const char* argument = p;
    while (*p != '\0' && *p != ' ' && *p != '\t' && *p != '\n' && *p != '\r') ++p;
    if (option == "bm" && !scene_ && p > argument) material_->SetBumpMultiplier(std::atof(argument));
  }
  char* fileName = trimBlanks(p);
  if (fileName[0] == '\0' || (fileName[0] == '\n' || fileName[0] == '\r')) return;
  if (!scene_) {
    material_->SetMapFileName(channel, fileName);
    material_->SetBaseDirectory(stream_.Directory().Text());
    return;
  }
  ShaderNode* root = shader_->Root();
  ShaderNode* image = shader_->CreateNode();
  image->SetString("BaseType", "Image");
  image->SetString("FileName", fileName);
  if (const ShaderValue* existing = root->Value(channel)) {
    uint32_t packed = 0;
    existing->AsColorPacked(packed);
    image->SetColorPacked("ColorMultiplier", packed);
  }
  root->SetLink(channel, image, "OutColor");
}

}  // namespace

int ReadMtl(HvModel& model, HvIO& stream, ProgressSink* progress, bool sceneVariant) {
  (void)progress;
  MtlReader reader(model, stream, sceneVariant);
  return reader.Run();
}
