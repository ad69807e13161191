#pragma once
// Where each kind of surface shader takes the maps of the model's five
// channels. The lambert family (lambert, blinn, phong and the rest) names them
// "color", "normalCamera", "incandescence", "specularColor" and
// "transparency"; current shaders carry the same maps under other names.
#include <maya/MObject.h>

struct ShaderChannelNames {
  const char* diffuse;   // -> "DiffuseColor"
  const char* bump;      // -> "Bump" (followed through bump and normal-map nodes)
  const char* ambient;   // -> "Ambient"
  const char* specular;  // -> "SpecularColor"
  const char* opacity;   // -> "Opacity"
};

// By the shader's node type; any type not listed takes the lambert family's names.
const ShaderChannelNames& shaderChannelNames(const MObject& shader);
