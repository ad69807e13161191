#include "TextureImport/ColourSpaceNames.h"

#include <algorithm>

const std::vector<std::string>& mayaColourSpaceNames(const std::string& kind) {
  static const std::vector<std::string> srgb = {"sRGB Encoded Rec.709 (sRGB)", "sRGB"};
  static const std::vector<std::string> raw = {"Raw"};
  return kind == "Raw" ? raw : srgb;
}

std::string configColourSpace(const std::string& kind, const std::vector<std::string>& inputSpaces) {
  for (const std::string& name : mayaColourSpaceNames(kind))
    if (std::find(inputSpaces.begin(), inputSpaces.end(), name) != inputSpaces.end()) return name;
  return std::string();
}

std::vector<MaterialPlan> withConfigColourSpaces(const std::vector<MaterialPlan>& plans,
                                                 const std::vector<std::string>& inputSpaces,
                                                 std::vector<std::string>& missing) {
  std::vector<MaterialPlan> named = plans;
  for (MaterialPlan& plan : named) {
    for (PlannedTexture& texture : plan.textures) {
      const std::string kind = texture.colorSpace;
      texture.colorSpace = configColourSpace(kind, inputSpaces);
      if (texture.colorSpace.empty() && texture.action == TextureAction::kConnect &&
          std::find(missing.begin(), missing.end(), kind) == missing.end())
        missing.push_back(kind);
    }
  }
  return named;
}
