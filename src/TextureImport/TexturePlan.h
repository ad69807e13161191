#pragma once
// Painted textures back: for each material of the last export and each of the
// model's five channels, which file to connect (found in a folder by a name
// pattern), which exported file to reload (changed on disk since the export),
// and which stay as they are. No Maya call: the plug-in's command carries the
// plan out, obvtool prints it.
#include <cstdint>
#include <string>
#include <vector>

#include "Exchange/ExportRecord.h"

enum class TextureAction { kConnect, kReload, kUnchanged, kNotFound };

struct PlannedTexture {
  std::string channel;          // "DiffuseColor", "Bump", "Ambient", "SpecularColor", "Opacity"
  TextureAction action = TextureAction::kNotFound;
  std::string file;             // the file to load (UTF-8 path); a tile set: its lowest tile's file;
                                // kReload, kUnchanged: the file the export named; kNotFound: empty
  std::string tilePattern;      // a tile set: its path (as `file`) with "<UDIM>" for the tile number; else empty
  std::vector<uint32_t> tiles;  // a tile set's tile numbers, ascending; empty for a single file
  std::string colorSpace;       // "sRGB" for DiffuseColor, Ambient, SpecularColor; "Raw" for Bump, Opacity
  bool normalMap = false;       // Bump only: a tangent-space normal map (by file name or by option)
  std::vector<std::string> passedOver;  // kConnect: further files in the folder that matched, not taken
};

struct MaterialPlan {
  std::string material;       // the material's name in the project file (what the painter names maps after)
  std::string shader;         // the shader node's name at export
  std::string shaderUuid;     // its UUID at export, empty when not recorded
  std::string shadingEngine;  // the shading engine at export
  std::vector<PlannedTexture> textures;  // always the five channels, in the model's order
};

struct TextureSearch {
  std::string dir;                                  // empty: reloads only, no folder search
  std::string pattern = "<material>_<channel>.<ext>";
  bool normalMaps = false;                          // every Bump map is a tangent-space normal map
};

// Per recorded material and channel: kConnect when the folder holds a file for it (folder first);
// else kReload when the file the export named changed on disk since the export (modification time
// differs from the recorded one); else kUnchanged when that file is still as exported; else kNotFound.
// False with a reason naming the folder when search.dir is given and is not a readable folder.
bool planTextureImport(const ExportRecord& record, const TextureSearch& search,
                       std::vector<MaterialPlan>& plans, std::string& error);

// One line per material saying what was connected, reloaded or not found (the
// form is in docs/USAGE.md), used by both the Maya command and obvtool.
// `preview` words it as what would be done.
std::string materialPlanLine(const MaterialPlan& plan, bool preview);
// The file name (no folder) a line shows for a texture: a tile set's tile pattern.
std::string plannedFileName(const PlannedTexture& texture);
