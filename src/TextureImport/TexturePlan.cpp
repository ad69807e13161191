#include "TextureImport/TexturePlan.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "Platform/FileSystem.h"
#include "TextureImport/TexturePattern.h"

namespace {

// The model's channels in its order, the words a painter names their maps
// with (in order of preference) and the colour space of their files.
struct ChannelRow {
  const char* channel;
  std::vector<std::string> aliases;
  const char* colorSpace;
};

const std::vector<ChannelRow>& channelRows() {
  static const std::vector<ChannelRow> rows = {
      {"DiffuseColor", {"BaseColor", "Diffuse", "Albedo", "Color", "DiffuseColor"}, "sRGB"},
      {"Bump", {"Normal", "Bump", "Height"}, "Raw"},
      {"Ambient", {"Emissive", "Emission", "Ambient"}, "sRGB"},
      {"SpecularColor", {"Specular", "SpecularColor"}, "sRGB"},
      {"Opacity", {"Opacity", "Alpha"}, "Raw"},
  };
  return rows;
}

// One file, or one tile set, that the folder holds for a channel.
struct Candidate {
  size_t alias = 0;      // index into the channel's aliases
  std::string name;      // the file name; a tile set: with "<UDIM>" for the tile number
  std::set<uint32_t> tiles;
  std::string lowest;    // a tile set: the file name of its lowest tile
};

bool before(const Candidate& a, const Candidate& b) {
  if (a.alias != b.alias) return a.alias < b.alias;
  if (a.tiles.empty() != b.tiles.empty()) return !a.tiles.empty();
  return a.name < b.name;
}

// The material's name as a file name can hold it: a switched material's
// "shader|object" and other characters that no file name takes become '_'.
std::string fileSafe(std::string name) {
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || std::strchr("\\/:*?\"<>|", c) != nullptr) c = '_';
  }
  return name;
}

std::string joinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  const char last = dir.back();
  if (last == '/' || last == '\\') return dir + name;
  return dir + Platform::PathSeparator() + name;
}

// True when a word of a file name ends before `at`: at either end of the
// name, beside a character that is not an ASCII letter or digit, or where a
// capital follows a lower-case letter (before "Normal" in "woodNormal").
bool wordBreak(const std::string& name, size_t at) {
  const auto lower = [](char c) { return c >= 'a' && c <= 'z'; };
  const auto upper = [](char c) { return c >= 'A' && c <= 'Z'; };
  const auto alnum = [&](char c) { return lower(c) || upper(c) || (c >= '0' && c <= '9'); };
  if (at == 0 || at >= name.size()) return true;
  return !alnum(name[at - 1]) || !alnum(name[at]) || (lower(name[at - 1]) && upper(name[at]));
}

// True when `word` stands as a word of its own in the name.
bool holdsWord(const std::string& name, const std::string& word) {
  for (size_t at = 0; at + word.size() <= name.size(); ++at) {
    if (sameTextAt(name, at, word) && wordBreak(name, at) && wordBreak(name, at + word.size())) return true;
  }
  return false;
}

bool namedAsNormalMap(const std::string& path) {
  const std::string name = fileNameOf(path);
  return holdsWord(name, "normal") || holdsWord(name, "nrm");
}

// Every file or tile set in `files` that one of the patterns gives the channel.
std::vector<Candidate> candidatesFor(const std::vector<TexturePattern>& patterns, const std::vector<std::string>& files,
                                     const ChannelRow& row, PatternWords words) {
  std::vector<Candidate> found;
  for (size_t alias = 0; alias < row.aliases.size(); ++alias) {
    words.channel = row.aliases[alias];
    for (const std::string& file : files) {
      for (const TexturePattern& pattern : patterns) {
        PatternMatch match;
        if (!pattern.Match(file, words, match)) continue;
        Candidate one{alias, file, {}, file};
        if (match.tile != 0) {
          one.name = file.substr(0, match.tileOffset) + "<UDIM>" + file.substr(match.tileOffset + 4);
          one.tiles.insert(match.tile);
        }
        const auto same = std::find_if(found.begin(), found.end(),
                                       [&](const Candidate& c) { return c.name == one.name; });
        if (same == found.end()) {
          found.push_back(one);
        } else if (match.tile != 0 && !same->tiles.empty()) {
          if (match.tile < *same->tiles.begin()) same->lowest = file;
          same->tiles.insert(match.tile);
        }
        break;
      }
    }
  }
  std::sort(found.begin(), found.end(), before);
  return found;
}

void connectTo(PlannedTexture& texture, const std::vector<Candidate>& candidates, const std::string& dir) {
  const Candidate& chosen = candidates.front();
  texture.action = TextureAction::kConnect;
  texture.file = joinPath(dir, chosen.lowest);
  if (!chosen.tiles.empty()) {
    texture.tilePattern = joinPath(dir, chosen.name);
    texture.tiles.assign(chosen.tiles.begin(), chosen.tiles.end());
  }
  for (size_t i = 1; i < candidates.size(); ++i) texture.passedOver.push_back(candidates[i].name);
}

// The exported file's state: changed since the export, as it was, or gone.
void compareWithExport(PlannedTexture& texture, const RecordedMaterial& recorded) {
  for (const RecordedChannel& channel : recorded.channels) {
    if (channel.channel != texture.channel || channel.file.empty()) continue;
    int64_t seconds = 0;
    if (!Platform::ModificationTime(channel.file.c_str(), seconds)) return;
    texture.file = channel.file;
    texture.action = isoUtcTime(seconds) == channel.modified ? TextureAction::kUnchanged : TextureAction::kReload;
    return;
  }
}

MaterialPlan planMaterial(const RecordedMaterial& recorded, const TextureSearch& search,
                          const std::vector<TexturePattern>& patterns, const std::vector<std::string>& files) {
  MaterialPlan plan;
  plan.material = recorded.shader;
  plan.shader = recorded.shader.substr(0, recorded.shader.find('|'));
  plan.shaderUuid = recorded.shaderUuid;
  plan.shadingEngine = recorded.shadingEngine;
  const PatternWords words{fileSafe(plan.material), fileSafe(plan.shader), std::string()};
  for (const ChannelRow& row : channelRows()) {
    PlannedTexture texture;
    texture.channel = row.channel;
    texture.colorSpace = row.colorSpace;
    const std::vector<Candidate> candidates = candidatesFor(patterns, files, row, words);
    if (!candidates.empty()) connectTo(texture, candidates, search.dir);
    else compareWithExport(texture, recorded);
    const bool normalWord = !candidates.empty() && row.aliases[candidates.front().alias] == "Normal";
    texture.normalMap = texture.channel == "Bump" &&
                        (search.normalMaps || normalWord || (!texture.file.empty() && namedAsNormalMap(texture.file)));
    plan.textures.push_back(texture);
  }
  return plan;
}

// The file names in the folder, without its subfolders.
bool folderFiles(const std::string& dir, std::vector<std::string>& files, std::string& error) {
  std::vector<Platform::DirectoryEntry> entries;
  std::string reason;
  if (!Platform::ListDirectory(dir.c_str(), entries, reason)) {
    error = "the texture folder " + dir + " cannot be read: " + reason;
    return false;
  }
  for (const Platform::DirectoryEntry& entry : entries) {
    if (!entry.directory) files.push_back(entry.name);
  }
  return true;
}

}  // namespace

bool planTextureImport(const ExportRecord& record, const TextureSearch& search, std::vector<MaterialPlan>& plans,
                       std::string& error) {
  plans.clear();
  std::vector<TexturePattern> patterns(1);
  if (!patterns[0].Parse(search.pattern, error)) return false;
  const std::vector<TexturePattern> tiled = patterns[0].TiledForms();
  patterns.insert(patterns.end(), tiled.begin(), tiled.end());
  std::vector<std::string> files;
  if (!search.dir.empty() && !folderFiles(search.dir, files, error)) return false;
  for (const RecordedMaterial& material : record.materials)
    plans.push_back(planMaterial(material, search, patterns, files));
  return true;
}
