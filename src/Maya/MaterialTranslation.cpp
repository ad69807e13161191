#include "Maya/MaterialTranslation.h"

#include <maya/MFn.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MPlug.h>

#include "Maya/ExchangeText.h"
#include "Maya/ShaderChannels.h"
#include "Maya/ShadingTable.h"
#include "Model3D/HvModel.h"

namespace {

// The model's channels, in the order translateMaterials fills them.
struct ChannelRow {
  const char* ShaderChannelNames::*attribute;
  const char* channel;
};
const ChannelRow kChannels[] = {{&ShaderChannelNames::diffuse, "DiffuseColor"},
                                {&ShaderChannelNames::bump, "Bump"},
                                {&ShaderChannelNames::ambient, "Ambient"},
                                {&ShaderChannelNames::specular, "SpecularColor"},
                                {&ShaderChannelNames::opacity, "Opacity"}};

// The texture a switch gives the object: the value of the input whose
// "inShape" names the object's shape (the last such input wins), else the
// switch's default input.
MObject switchTexture(const MObject& sw, const MString& objectName) {
  MObject chosen;
  for (const SwitchInput& input : switchInputs(sw)) {
    if (input.shape.isNull() || !input.shape.hasFn(MFn::kShape) ||
        MFnDependencyNode(input.shape).name() != objectName)
      continue;
    if (!input.texture.isNull())
      chosen = input.texture;
  }
  if (!chosen.isNull())
    return chosen;
  const MObject fallback = plugSource(MFnDependencyNode(sw).findPlug("default", true));
  return fallback.isNull() ? sw : fallback;
}

// Where the host finds the texture's file, or the file name under the
// workspace when it cannot; "" for a file node that names no file.
MString fileLocation(const MObject& texture) {
  MString fileName = "Unknown Filename";
  MFnDependencyNode(texture).findPlug("fileTextureName", true).getValue(fileName);
  if (fileName.length() == 0)
    return MString();
  const std::string command = "file -q -loc " + melStringLiteral(fileName.asChar()) + ";";
  MString location;
  MGlobal::executeCommand(command.c_str(), location, false, false);
  if (location == "unknown")
    location = workspaceDirectory() + fileName;
  return location;
}

}  // namespace

MString& workspaceDirectory() {
  static MString directory;
  return directory;
}

std::string melStringLiteral(const char* text) {
  std::string out = "\"";
  for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
    switch (*p) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += *p; break;
    }
  }
  return out + "\"";
}

void translateChannel(Material& material, const MObject& shader, const char* attribute,
                      const MString& objectName, const char* channel) {
  const MPlug plug = shaderChannelPlug(shader, attribute);
  if (plug.isNull() || !plug.isConnected())
    return;
  MObject texture = plugSource(plug);
  if (texture.isNull())
    return;
  if (isShadingSwitch(texture))
    texture = switchTexture(texture, objectName);
  if (!texture.hasFn(MFn::kFileTexture))
    return;
  const MString location = fileLocation(texture);
  if (location.length() > 0)
    material.SetMapFileName(channel, exchangeBytes(location, "texture file name"));
}

void translateMaterials(HvModel& model) {
  MGlobal::executeCommand("workspace -q -dir", workspaceDirectory(), false, false);
  const std::vector<ShadingEntry>& entries = shadingTable().entries;
  for (size_t i = 0; i < entries.size(); ++i) {
    Material* material = model.Material(static_cast<int>(i), true);
    if (material == nullptr)
      continue;
    material->SetName(entries[i].entryName.asChar());
    const ShaderChannelNames& names = shaderChannelNames(entries[i].shader);
    for (const ChannelRow& row : kChannels)
      translateChannel(*material, entries[i].shader, names.*row.attribute, entries[i].objectName, row.channel);
  }
}
