#include "Maya/ShaderChannels.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MString.h>

namespace {

const ShaderChannelNames kLambertFamily = {"color", "normalCamera", "incandescence", "specularColor",
                                           "transparency"};

struct ShaderRow {
  const char* type;
  ShaderChannelNames names;
};

// Maya's node reference, Arnold's aiStandardSurface and the USD preview
// surface of Maya's USD plug-in.
const ShaderRow kCurrentShaders[] = {
    {"standardSurface", {"baseColor", "normalCamera", "emissionColor", "specularColor", "opacity"}},
    {"aiStandardSurface", {"baseColor", "normalCamera", "emissionColor", "specularColor", "opacity"}},
    {"openPBRSurface", {"baseColor", "normalCamera", "emissionColor", "specularColor", "geometryOpacity"}},
    {"usdPreviewSurface", {"diffuseColor", "normal", "emissiveColor", "specularColor", "opacity"}},
};

// The model's channels and the member naming each one's input.
struct ChannelRow {
  const char* ShaderChannelNames::*attribute;
  const char* channel;
};
const ChannelRow kChannels[] = {{&ShaderChannelNames::diffuse, "DiffuseColor"},
                                {&ShaderChannelNames::bump, "Bump"},
                                {&ShaderChannelNames::ambient, "Ambient"},
                                {&ShaderChannelNames::specular, "SpecularColor"},
                                {&ShaderChannelNames::opacity, "Opacity"}};

}  // namespace

std::vector<const char*> modelChannels() {
  std::vector<const char*> names;
  for (const ChannelRow& row : kChannels) names.push_back(row.channel);
  return names;
}

const char* channelInput(const ShaderChannelNames& names, const std::string& channel) {
  for (const ChannelRow& row : kChannels)
    if (channel == row.channel)
      return names.*row.attribute;
  return nullptr;
}

const ShaderChannelNames& shaderChannelNames(const MObject& shader) {
  const MString type = MFnDependencyNode(shader).typeName();
  for (const ShaderRow& row : kCurrentShaders)
    if (type == row.type)
      return row.names;
  return kLambertFamily;
}
