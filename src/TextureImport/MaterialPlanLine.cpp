#include <cstddef>

#include "TextureImport/TexturePattern.h"
#include "TextureImport/TexturePlan.h"

namespace {

// "1001-1003, 1005".
std::string tileList(const std::vector<uint32_t>& tiles) {
  std::string text;
  for (size_t i = 0; i < tiles.size();) {
    size_t end = i;
    while (end + 1 < tiles.size() && tiles[end + 1] == tiles[end] + 1) ++end;
    if (!text.empty()) text += ", ";
    text += std::to_string(tiles[i]);
    if (end > i) text += "-" + std::to_string(tiles[end]);
    i = end + 1;
  }
  return text;
}

// "DiffuseColor wood_BaseColor.<UDIM>.png (tiles 1001-1002, sRGB)".
std::string describe(const PlannedTexture& texture) {
  if (texture.action == TextureAction::kNotFound) return texture.channel;
  const bool tiled = !texture.tilePattern.empty();
  std::string text = texture.channel + " " + plannedFileName(texture);
  if (texture.action != TextureAction::kConnect) return text;
  text += " (";
  if (tiled) text += (texture.tiles.size() == 1 ? "tile " : "tiles ") + tileList(texture.tiles) + ", ";
  if (texture.normalMap) text += "normal map, ";
  // No colour space: the scene's config has none of Maya's names for the map's kind.
  return text + (texture.colorSpace.empty() ? "colour space by Maya's file rules" : texture.colorSpace) + ")";
}

}  // namespace

std::string plannedFileName(const PlannedTexture& texture) {
  return fileNameOf(texture.tilePattern.empty() ? texture.file : texture.tilePattern);
}

std::string materialPlanLine(const MaterialPlan& plan, bool preview) {
  struct Group {
    TextureAction action;
    const char* done;
    const char* previewed;
  };
  const Group groups[] = {{TextureAction::kConnect, "connected", "would connect"},
                          {TextureAction::kReload, "reloaded", "would reload"},
                          {TextureAction::kUnchanged, "unchanged", "unchanged"},
                          {TextureAction::kNotFound, "not found", "not found"}};
  std::string line = plan.material + ":";
  const char* separator = " ";
  for (const Group& group : groups) {
    std::string items;
    for (const PlannedTexture& texture : plan.textures) {
      if (texture.action != group.action) continue;
      items += (items.empty() ? "" : ", ") + describe(texture);
    }
    if (items.empty()) continue;
    line += separator + std::string(preview ? group.previewed : group.done) + " " + items;
    separator = "; ";
  }
  for (const PlannedTexture& texture : plan.textures) {
    for (const std::string& other : texture.passedOver)
      line += separator + texture.channel + " also matched " + other + ", not taken";
  }
  return line;
}
