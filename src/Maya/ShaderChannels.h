#pragma once
// Where each kind of surface shader takes the maps of the model's five
// channels. The lambert family (lambert, blinn, phong and the rest) names them
// "color", "normalCamera", "incandescence", "specularColor" and
// "transparency"; current shaders carry the same maps under other names.
#include <maya/MObject.h>

#include <string>
#include <vector>

struct ShaderChannelNames {
  const char* diffuse;   // -> "DiffuseColor"
  const char* bump;      // -> "Bump" (followed through bump and normal-map nodes)
  const char* ambient;   // -> "Ambient"
  const char* specular;  // -> "SpecularColor"
  const char* opacity;   // -> "Opacity"
};

// By the shader's node type; any type not listed takes the lambert family's names.
const ShaderChannelNames& shaderChannelNames(const MObject& shader);

// The model's channel names ("DiffuseColor", "Bump", "Ambient",
// "SpecularColor", "Opacity"), in the order of ShaderChannelNames.
std::vector<const char*> modelChannels();
// The input of `names` that carries `channel`; null for a name not among them.
const char* channelInput(const ShaderChannelNames& names, const std::string& channel);
