#include "Maya/MaterialTranslation.h"

#include <maya/MFn.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MPlug.h>

#include <cstring>
#include "Maya/ExchangeText.h"

#include "Maya/ShaderChannels.h"
#include "Maya/ShadingTable.h"
#include "Model3D/HvModel.h"

namespace {

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

// The texture nodes the export follows, and the attribute naming their file:
// Maya's file node, Arnold's aiImage and the USD preview shading's texture.
struct TextureRow {
  const char* type;
  const char* fileAttribute;
};
const TextureRow kTextureNodes[] = {{"file", "fileTextureName"}, {"aiImage", "filename"}, {"usdUVTexture", "file"}};

bool isAbsolutePath(const std::string& name) {
  return (!name.empty() && (name[0] == '/' || name[0] == '\\')) ||
         (name.size() > 1 && name[1] == ':');
}

// The tokens by which a name stands for every tile of a tiled texture, and
// the first tile each gives.
struct TileToken {
  const char* token;
  const char* firstTile;
};
const TileToken kTileTokens[] = {{"<UDIM>", "1001"}, {"<udim>", "1001"}, {"<UVTILE>", "u1_v1"}, {"<uvtile>", "u1_v1"}};

// The name with every tile token replaced by the first tile's; true when it
// had one.
bool firstTile(std::string& name) {
  bool tiled = false;
  for (const TileToken& tile : kTileTokens)
    for (size_t at = name.find(tile.token); at != std::string::npos; at = name.find(tile.token, at)) {
      name.replace(at, std::strlen(tile.token), tile.firstTile);
      tiled = true;
    }
  return tiled;
}

}  // namespace

const char* textureFileAttribute(const MObject& node) {
  const MString type = MFnDependencyNode(node).typeName();
  for (const TextureRow& row : kTextureNodes)
    if (type == row.type)
      return row.fileAttribute;
  return node.hasFn(MFn::kFileTexture) ? kTextureNodes[0].fileAttribute : nullptr;
}

TextureFile textureFile(const MObject& texture, const MString& projectRoot) {
  TextureFile result;
  const char* attribute = textureFileAttribute(texture);
  if (attribute == nullptr)
    return result;
  MFnDependencyNode node(texture);
  MString fileName;
  node.findPlug(attribute, true).getValue(fileName);
  std::string name = exchangeBytes(fileName, "texture file name");
  result.tiled = firstTile(name);
  int tilingMode = 0;
  const MPlug tiling = node.findPlug("uvTilingMode", true);
  if (!tiling.isNull() && tiling.getValue(tilingMode) == MStatus::kSuccess && tilingMode != 0)
    result.tiled = true;
  if (name.empty())
    return result;
  // Maya finds a relative name under the project's root; an absolute one is
  // the file, found or not.
  const std::string command = "file -q -loc " + melStringLiteral(name.c_str()) + ";";
  MString location;
  MGlobal::executeCommand(command.c_str(), location, false, false);
  if (location != "unknown" && location.length() > 0)
    result.path = location.asChar();
  else
    result.path = isAbsolutePath(name) ? name : std::string(projectRoot.asChar()) + name;
  return result;
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

bool translateChannel(Material& material, const MObject& shader, const char* attribute,
                      const MString& objectName, const char* channel, const MString& projectRoot) {
  const MPlug plug = shaderChannelPlug(shader, attribute);
  if (plug.isNull() || !plug.isConnected())
    return false;
  MObject texture = plugSource(plug);
  if (texture.isNull())
    return false;
  if (isShadingSwitch(texture))
    texture = switchTexture(texture, objectName);
  const TextureFile file = textureFile(texture, projectRoot);
  if (!file.path.empty())
    material.SetMapFileName(channel, file.path.c_str());
  return file.tiled && !file.path.empty();
}

void translateMaterials(HvModel& model, const ShadingTable& table) {
  MString projectRoot;
  MGlobal::executeCommand("workspace -q -rd", projectRoot, false, false);
  const std::vector<ShadingEntry>& entries = table.entries;
  for (size_t i = 0; i < entries.size(); ++i) {
    Material* material = model.Material(static_cast<int>(i), true);
    if (material == nullptr)
      continue;
    material->SetName(entries[i].entryName.asChar());
    const ShaderChannelNames& names = shaderChannelNames(entries[i].shader);
    bool tiled = false;
    for (const char* channel : modelChannels())
      tiled = translateChannel(*material, entries[i].shader, channelInput(names, channel), entries[i].objectName,
                               channel, projectRoot) || tiled;
    if (tiled)
      MGlobal::displayWarning("Ombrix Vael export: " + entries[i].entryName +
                              ": tiled textures (UDIM) go to the painter as their first tile; it paints that tile only");
  }
}
