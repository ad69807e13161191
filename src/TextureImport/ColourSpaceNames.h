#pragma once
// Which of the scene's colour spaces a painted map is read in. A plan names
// the kind of its maps' data ("sRGB" for colours, "Raw" for data such as
// normals and opacity, see TexturePlan.h); Maya names them after its OCIO
// config, so the import takes, from the config's input spaces, the first of
// the names Maya's documentation gives the kind:
//
//   sRGB: "sRGB Encoded Rec.709 (sRGB)" (the current "List of input color
//         spaces", Maya 2026's default config), then "sRGB" (the pages of
//         Maya 2022-2025, whose Maya2022-default config and the Maya-legacy
//         one name it so)
//   Raw:  "Raw" (every version's page: "Non-color data, such as normal maps")
//
// A config with none of a kind's names (a studio's ACES config names them
// "Utility - sRGB - Texture", "Utility - Raw") gives no name: Maya's file
// rules then choose. No Maya call: the plug-in asks Maya for the list.
#include <string>
#include <vector>

#include "TextureImport/TexturePlan.h"

// Maya's names for a kind ("sRGB" or "Raw"), in the documentation's order.
const std::vector<std::string>& mayaColourSpaceNames(const std::string& kind);

// The first of the kind's names that `inputSpaces` holds; "" when it holds none.
std::string configColourSpace(const std::string& kind, const std::vector<std::string>& inputSpaces);

// The plans with every map's kind replaced by the config's name for it ("" for
// none); `missing` gets each kind a map to connect needs and the config lacks,
// once, in the plans' order.
std::vector<MaterialPlan> withConfigColourSpaces(const std::vector<MaterialPlan>& plans,
                                                 const std::vector<std::string>& inputSpaces,
                                                 std::vector<std::string>& missing);
