#include "ColourConfig.h"

#include "Node.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#ifndef OMBRIX_HOST_MAYA_VERSION
#define OMBRIX_HOST_MAYA_VERSION "2026"
#endif

namespace OmbrixHost {
namespace {

bool holds(const ColourConfig& config, const std::string& space) {
  return std::find(config.inputSpaces.begin(), config.inputSpaces.end(), space) != config.inputSpaces.end();
}

std::string trimmed(const std::string& text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin])))
    ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1])))
    --end;
  std::string out = text.substr(begin, end - begin);
  if (out.size() >= 2 && (out.front() == '"' || out.front() == '\'') && out.back() == out.front())
    out = out.substr(1, out.size() - 2);
  return out;
}

std::size_t indentOf(const std::string& line) {
  std::size_t n = 0;
  while (n < line.size() && (line[n] == ' ' || line[n] == '\t'))
    ++n;
  return n;
}

}  // namespace

// The input spaces of Maya's default configs, as the documentation's "List
// of input color spaces" names them for each version (2022's page for
// 2022-2025, whose config Maya-saved scenes name as
// "<MAYA_RESOURCES>/OCIO-configs/Maya2022-default/config.ocio"; the current
// page for 2026, where sRGB textures are "sRGB Encoded Rec.709 (sRGB)", the
// space the Default rule's default role resolves to).
ColourConfig mayaDefaultColourConfig(int version) {
  ColourConfig config;
  if (version >= 2026) {
    config.path = "<MAYA_RESOURCES>/OCIO-configs/Maya2026-default/config.ocio";
    config.inputSpaces = {"ACES2065-1",
                          "ACEScct",
                          "ACEScg",
                          "AdobeRGB",
                          "ARRI LogC (v3-EI800) / AlexaWideGamut",
                          "DCI-P3 D65",
                          "Gamma 1.8 Encoded Rec.709",
                          "Gamma 2.2 Encoded AdobeRGB",
                          "Gamma 2.2 Encoded AP1",
                          "Raw",
                          "sRGB Encoded Rec.709 (sRGB)"};
    config.defaultSpace = "sRGB Encoded Rec.709 (sRGB)";
  } else {
    config.path = "<MAYA_RESOURCES>/OCIO-configs/Maya2022-default/config.ocio";
    config.inputSpaces = {"ACES2065-1",
                          "ACEScct",
                          "ACEScg",
                          "AdobeRGB",
                          "ARRI LogC (v3-EI800) / AlexaWideGamut",
                          "DCI-P3 D65",
                          "Gamma 2.2 / Rec. 709",
                          "Log film scan (ADX10)",
                          "Raw",
                          "Rec. 1886 / Rec. 709 video",
                          "RED Log3G10 / REDWideGamutRGB",
                          "scene-linear DCI-P3 D65",
                          "scene-linear Rec.2020",
                          "scene-linear Rec.709-sRGB",
                          "Sony SLog3 / SGamut3",
                          "sRGB"};
    config.defaultSpace = "sRGB";
  }
  return config;
}

ColourConfig& colourConfig() {
  static ColourConfig config = mayaDefaultColourConfig(std::atoi(OMBRIX_HOST_MAYA_VERSION));
  return config;
}

bool readOcioConfig(const std::string& file, ColourConfig& config, std::string& error) {
  std::ifstream in(std::filesystem::u8path(file), std::ios::binary);
  if (!in) {
    error = file + ": cannot read the OCIO config";
    return false;
  }
  ColourConfig read;
  read.path = file;
  std::string line, section;
  std::size_t nameIndent = std::string::npos;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    const std::size_t indent = indentOf(line);
    if (indent == line.size() || line[indent] == '#')
      continue;
    if (indent == 0) {
      section = trimmed(line.substr(0, line.find(':')));
      continue;
    }
    std::string entry = line.substr(indent);
    if (section == "roles" && entry.compare(0, 8, "default:") == 0) {
      read.defaultSpace = trimmed(entry.substr(8));
      continue;
    }
    if (section != "colorspaces")
      continue;
    // "- !<ColorSpace>" on a line of its own, its keys below it; or "name:" on the same line.
    std::size_t keyIndent = indent;
    if (entry.compare(0, 1, "-") == 0) {
      const std::size_t close = entry.find('>');
      if (close == std::string::npos)
        continue;
      const std::size_t rest = entry.find_first_not_of(' ', close + 1);
      if (rest == std::string::npos)
        continue;
      keyIndent = indent + rest;
      entry = entry.substr(rest);
    }
    if (entry.compare(0, 5, "name:") != 0)
      continue;
    if (nameIndent == std::string::npos)
      nameIndent = keyIndent;
    if (keyIndent == nameIndent)
      read.inputSpaces.push_back(trimmed(entry.substr(5)));
  }
  if (read.inputSpaces.empty()) {
    error = file + ": the OCIO config names no colour space";
    return false;
  }
  if (!holds(read, read.defaultSpace))
    read.defaultSpace = read.inputSpaces.front();
  config = read;
  return true;
}

std::string fileRuleSpace(const ColourConfig& config, const std::string& fileName) {
  const std::size_t dot = fileName.find_last_of('.');
  const std::size_t slash = fileName.find_last_of("/\\");
  std::string extension = dot == std::string::npos || (slash != std::string::npos && slash > dot)
                              ? std::string()
                              : fileName.substr(dot + 1);
  for (char& c : extension)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if ((extension == "tx" || extension == "hdr" || extension == "exr") && holds(config, "Raw"))
    return "Raw";
  return config.defaultSpace;
}

void colourRulesAfterChange(const PlugRef& plug, bool loading, const Value& before) {
  Node* node = plug.node;
  if (!node || !plug.attr || loading || node->typeName != "file" || plug.attr->name != "fileTextureName")
    return;
  if (node->number("ignoreColorSpaceFileRules", 0.0) != 0.0)
    return;
  const std::string name = node->text("fileTextureName");
  if (!name.empty() && !(before.kind == Value::kString && before.text == name))
    node->setValue("colorSpace", Value::ofString(fileRuleSpace(colourConfig(), name)));
}

}  // namespace OmbrixHost
