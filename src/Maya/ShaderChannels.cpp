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

}  // namespace

const ShaderChannelNames& shaderChannelNames(const MObject& shader) {
  const MString type = MFnDependencyNode(shader).typeName();
  for (const ShaderRow& row : kCurrentShaders)
    if (type == row.type)
      return row.names;
  return kLambertFamily;
}
