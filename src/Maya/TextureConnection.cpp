#include "Maya/TextureConnection.h"

#include <maya/MFn.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MPlugArray.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include <algorithm>
#include <cstddef>

#include "Platform/FileSystem.h"

#include "Exchange/ExchangePaths.h"
#include "Exchange/ExportRecord.h"
#include "Maya/ColourManagement.h"
#include "Maya/EchoMessage.h"
#include "Maya/EmissionWeight.h"
#include "Maya/MaterialTranslation.h"
#include "Maya/NormalMapRange.h"
#include "Maya/RecordedMeshes.h"
#include "Maya/RecordedShader.h"
#include "Maya/ReversedTransparency.h"
#include "Maya/ShaderChannels.h"
#include "Maya/ShadingTable.h"
#include "Maya/TextureViewport.h"

namespace {

const char kTextureList[] = "defaultTextureList1";
const char kUtilityList[] = "defaultRenderUtilityList1";

// What the Hypershade connects from a place2dTexture to the file node it
// places: the same names on both, and the UV and its filter size.
const char* const kPlacementLinks[][2] = {
    {"coverage", "coverage"},       {"translateFrame", "translateFrame"},
    {"rotateFrame", "rotateFrame"}, {"mirrorU", "mirrorU"},
    {"mirrorV", "mirrorV"},         {"stagger", "stagger"},
    {"wrapU", "wrapU"},             {"wrapV", "wrapV"},
    {"repeatUV", "repeatUV"},       {"offset", "offset"},
    {"rotateUV", "rotateUV"},       {"noiseUV", "noiseUV"},
    {"vertexUvOne", "vertexUvOne"}, {"vertexUvTwo", "vertexUvTwo"},
    {"vertexUvThree", "vertexUvThree"}, {"vertexCameraOne", "vertexCameraOne"},
    {"outUV", "uvCoord"},           {"outUvFilterSize", "uvFilterSize"}};

// uvTilingMode's value for UDIM tiles (0 is off).
constexpr int kUdimTiling = 3;
// bump2d's bumpInterp for a tangent-space normal map (0 is bump).
constexpr int kTangentSpaceNormals = 1;

MObject nodeNamed(const char* name) {
  MSelectionList list;
  MObject node;
  if (list.add(MString(name)) == MStatus::kSuccess)
    list.getDependNode(0, node);
  return node;
}

MPlug plugOf(const MObject& node, const char* attribute) {
  return MFnDependencyNode(node).findPlug(attribute, true);
}

// The texture node (file, aiImage, usdUVTexture) on a shader's channel: the
// source of its input, followed through bump and normal-map nodes as the
// export follows them, or through a reverse, or the texture a shading switch
// there gives the material's object. Null with `other` set when some other
// node drives the input (it is left as it is).
// The node on a shader's channel input, followed as the export follows it
// and through a reverse.
MObject inputSource(const MObject& shader, const char* attribute) {
  MObject source = valueSource(shaderChannelPlug(shader, attribute));
  if (!source.isNull() && MFnDependencyNode(source).typeName() == "reverse")
    source = valueSource(plugOf(source, "input"));
  return source;
}

// What an input's source shows an object: the node a shading switch gives
// the object (null when it names no such object), else the source itself.
MObject nodeShownTo(const MObject& source, const std::string& object) {
  if (source.isNull() || !isShadingSwitch(source)) return source;
  MObject shown;
  for (const SwitchInput& choice : switchInputs(source))
    if (!choice.shape.isNull() && object == MFnDependencyNode(choice.shape).name().asUTF8()) shown = choice.texture;
  return shown;
}

MObject textureOnInput(const MObject& shader, const char* attribute, const std::string& object, MObject& other) {
  MObject source = inputSource(shader, attribute);
  if (!source.isNull() && isShadingSwitch(source)) {
    other = source;
    source = nodeShownTo(source, object);
  }
  if (!source.isNull() && textureFileAttribute(source) != nullptr) return source;
  if (other.isNull()) other = source.isNull() ? valueSource(plugOf(shader, attribute)) : source;
  return MObject();
}

// The object of a material made per object of a switched shader
// ("shader|shape"); "" for any other material.
std::string materialObject(const std::string& material) {
  const auto bar = material.find('|');
  return bar == std::string::npos ? std::string() : material.substr(bar + 1);
}

const PlannedTexture* channelIn(const MaterialPlan& plan, const std::string& channel) {
  for (const PlannedTexture& texture : plan.textures)
    if (texture.channel == channel) return &texture;
  return nullptr;
}

std::string nodeName(const MObject& node) { return MFnDependencyNode(node).name().asUTF8(); }

// The materials among `siblings` (indices into `plans`, per-object materials
// of one shader) whose objects see on an input what `object` sees there: all
// of them on an input not switched, those a switch gives the same texture
// node (none when it gives `object` none).
std::vector<size_t> materialsSharing(const std::vector<MaterialPlan>& plans, const std::vector<size_t>& siblings,
                                     const MObject& source, const std::string& object) {
  const bool switched = !source.isNull() && isShadingSwitch(source);
  const MObject seen = nodeShownTo(source, object);
  std::vector<size_t> sharing;
  if (switched && seen.isNull()) return sharing;
  for (size_t i : siblings)
    if (!switched || nodeShownTo(source, materialObject(plans[i].material)) == seen) sharing.push_back(i);
  return sharing;
}

// True when every material of `sharing` has the same map to connect for the texture's channel.
bool sameMapForAll(const std::vector<MaterialPlan>& plans, const std::vector<size_t>& sharing,
                   const PlannedTexture& texture) {
  for (size_t i : sharing) {
    const PlannedTexture* theirs = channelIn(plans[i], texture.channel);
    if (theirs == nullptr || theirs->action != TextureAction::kConnect || theirs->file != texture.file ||
        theirs->tilePattern != texture.tilePattern)
      return false;
  }
  return true;
}

// "crateShape, ballShape": the objects of `sharing` but that of material `index`.
std::string objectsOf(const std::vector<MaterialPlan>& plans, const std::vector<size_t>& sharing, size_t index) {
  std::string objects;
  for (size_t i : sharing)
    if (i != index) objects += (objects.empty() ? "" : ", ") + materialObject(plans[i].material);
  return objects;
}

// Nodes a texture reaches a shader's input through.
bool passesThrough(const MObject& node) {
  if (isShadingSwitch(node)) return true;
  const MString type = MFnDependencyNode(node).typeName();
  return type == "bump2d" || type == "bump3d" || type == "aiNormalMap" || type == "reverse";
}

// The plug an element's child belongs to ("color" of "colorR").
MPlug wholePlug(MPlug plug) {
  while (plug.isChild()) plug = plug.parent();
  return plug;
}

// How many pass-through nodes a texture is followed through (a cycle ends the walk).
constexpr int kMaxPassThrough = 8;

// The first plug but `inputs` that `node`'s values reach, through bump,
// normal-map, reverse and switch nodes; null when the texture drives nothing
// else. Its message (the default lists, material info) is no use of it.
MPlug otherUser(const MObject& node, const std::vector<MPlug>& inputs, int depth = 0) {
  MPlugArray plugs;
  MFnDependencyNode(node).getConnections(plugs);
  for (unsigned int i = 0; i < plugs.length(); ++i) {
    if (wholePlug(plugs[i]).partialName(false, false, false, false, false, true) == "message") continue;
    MPlugArray targets;
    plugs[i].connectedTo(targets, false, true);
    for (unsigned int t = 0; t < targets.length(); ++t) {
      if (std::find(inputs.begin(), inputs.end(), wholePlug(targets[t])) != inputs.end()) continue;
      const MObject target = targets[t].node();
      if (depth >= kMaxPassThrough || !passesThrough(target)) return targets[t];
      const MPlug user = otherUser(target, inputs, depth + 1);
      if (!user.isNull()) return user;
    }
  }
  return MPlug();
}

// The materialInfo nodes of the shading groups `shader` is the surface of
// (each group's message on its info's shadingGroup).
std::vector<MObject> materialInfosOf(const MObject& shader) {
  std::vector<MObject> infos;
  MPlugArray plugs;
  MFnDependencyNode(shader).getConnections(plugs);
  for (unsigned int i = 0; i < plugs.length(); ++i) {
    MPlugArray groups;
    plugs[i].connectedTo(groups, false, true);
    for (unsigned int g = 0; g < groups.length(); ++g) {
      if (!groups[g].node().hasFn(MFn::kShadingEngine)) continue;
      MPlugArray targets;
      plugOf(groups[g].node(), "message").connectedTo(targets, false, true);
      for (unsigned int t = 0; t < targets.length(); ++t)
        if (MFnDependencyNode(targets[t].node()).typeName() == "materialInfo" &&
            targets[t].partialName(false, false, false, false, false, true) == "shadingGroup" &&
            std::find(infos.begin(), infos.end(), targets[t].node()) == infos.end())
          infos.push_back(targets[t].node());
    }
  }
  return infos;
}

// The first logical index past an array's existing elements.
unsigned int nextFreeIndex(MPlug array) {
  MIntArray used;
  array.getExistingArrayAttributeIndices(used);
  int next = 0;
  for (unsigned int i = 0; i < used.length(); ++i) next = std::max(next, used[i] + 1);
  return static_cast<unsigned int>(next);
}

// A connected element of an array of messages and the plug driving it.
struct LinkedElement {
  MPlug element;
  MPlug source;
};

std::vector<LinkedElement> linkedElements(MPlug array) {
  std::vector<LinkedElement> linked;
  MIntArray used;
  array.getExistingArrayAttributeIndices(used);
  for (unsigned int i = 0; i < used.length(); ++i) {
    const MPlug element = array.elementByLogicalIndex(static_cast<unsigned int>(used[i]));
    MPlugArray sources;
    if (element.connectedTo(sources, true, false) && sources.length() > 0) linked.push_back({element, sources[0]});
  }
  return linked;
}

MString utf8Text(const std::string& text) {
  MString result;
  result.setUTF8(text.c_str());
  return result;
}

// A UTF-8 path as Maya keeps file names: '/' between folders.
MString mayaPath(const std::string& path) {
  std::string name = path;
  std::replace(name.begin(), name.end(), '\\', '/');
  return utf8Text(name);
}

}  // namespace

void TextureConnection::plan(const std::vector<MaterialPlan>& given, bool preview) {
  const std::vector<MaterialPlan> plans = plansInConfigColourSpaces(given);
  std::vector<MObject> shaders;
  std::vector<std::string> shaderNotes;
  for (const MaterialPlan& plan : plans) {
    const RecordedShader found = findRecordedShader(plan);
    shaders.push_back(found.node);
    shaderNotes.push_back(found.note);
  }
  noteMapsOnTextures(plans, shaders);
  for (size_t i = 0; i < plans.size(); ++i) {
    const MaterialPlan& plan = plans[i];
    if (shaders[i].isNull()) {
      lines_.push_back(plan.material + ": shader " + plan.shader + " is no longer in the scene; nothing changed");
      continue;
    }
    object_ = materialObject(plan.material);
    MaterialPlan shown = plan;  // what the line says
    MaterialPlan work = plan;   // what this material's run does
    if (!object_.empty()) holdSharedMaps(plans, shaders, i, shown, work);
    lines_.push_back(materialPlanLine(shown, preview));
    if (!shaderNotes[i].empty()) lines_.back() += "; " + shaderNotes[i];
    planMaterial(work, shaders[i], preview);
    for (const std::string& note : notes_) lines_.back() += "; " + note;
    notes_.clear();
  }
  mapsOnTextures_.clear();
}

void TextureConnection::noteMapsOnTextures(const std::vector<MaterialPlan>& plans, const std::vector<MObject>& shaders) {
  mapsOnTextures_.clear();
  for (size_t i = 0; i < plans.size(); ++i) {
    if (shaders[i].isNull()) continue;
    for (const PlannedTexture& texture : plans[i].textures) {
      const char* attribute = channelInput(shaderChannelNames(shaders[i]), texture.channel);
      if (texture.action != TextureAction::kConnect || attribute == nullptr) continue;
      MObject other;
      const MObject node = textureOnInput(shaders[i], attribute, materialObject(plans[i].material), other);
      if (!node.isNull()) mapsOnTextures_.push_back({plugOf(shaders[i], attribute), node, &texture});
    }
  }
}

std::vector<MPlug> TextureConnection::inputsGiving(const MObject& node, const PlannedTexture& texture) const {
  std::vector<MPlug> inputs;
  for (const MapOnTexture& map : mapsOnTextures_)
    if (map.node == node && map.texture->file == texture.file && map.texture->tilePattern == texture.tilePattern)
      inputs.push_back(map.input);
  return inputs;
}

// A map of one object's material on an input its shader shares with the
// shader's other objects (an input not switched per object, or a texture node
// a switch gives several objects) would change what they show: it is
// connected once when every material of those objects has a map to connect
// there and all name the same file; else it is left alone and the line says
// so instead of naming it.
void TextureConnection::holdSharedMaps(const std::vector<MaterialPlan>& plans, const std::vector<MObject>& shaders,
                                       size_t index, MaterialPlan& shown, MaterialPlan& work) {
  const MObject& shader = shaders[index];
  std::vector<size_t> siblings;  // the shader's per-object materials, this one among them
  for (size_t i = 0; i < plans.size(); ++i)
    if (shaders[i] == shader && !materialObject(plans[i].material).empty()) siblings.push_back(i);
  for (size_t c = work.textures.size(); c-- > 0;) {
    const PlannedTexture& texture = work.textures[c];
    const char* attribute = channelInput(shaderChannelNames(shader), texture.channel);
    if (texture.action != TextureAction::kConnect || attribute == nullptr) continue;
    const MObject source = inputSource(shader, attribute);
    const std::vector<size_t> sharing = materialsSharing(plans, siblings, source, object_);
    if (sharing.size() < 2) continue;
    if (!sameMapForAll(plans, sharing, texture)) {
      const std::string what = isShadingSwitch(source) ? nodeName(nodeShownTo(source, object_))
                                                       : nodeName(shader) + "'s " + attribute;
      notes_.insert(notes_.begin(), texture.channel + " " + plannedFileName(texture) + " left alone: " + what +
                                        " is shared with " + objectsOf(plans, sharing, index));
      shown.textures.erase(shown.textures.begin() + static_cast<std::ptrdiff_t>(c));
      work.textures[c].action = TextureAction::kUnchanged;
    } else if (sharing.front() != index) {
      work.textures[c].action = TextureAction::kUnchanged;  // one connection for all, made by the first
    }
  }
}

void TextureConnection::planMaterial(const MaterialPlan& plan, const MObject& shader, bool preview) {
  for (const PlannedTexture& texture : plan.textures) {
    if (texture.action == TextureAction::kConnect)
      connected_ += connectMap(texture, shader, preview) ? 1 : 0;
    else if (texture.action == TextureAction::kReload)
      reloaded_ += reloadMap(texture, shader, preview) ? 1 : 0;
  }
}

bool TextureConnection::connectMap(const PlannedTexture& texture, const MObject& shader, bool preview) {
  const ShaderChannelNames& names = shaderChannelNames(shader);
  const char* attribute = channelInput(names, texture.channel);
  const MPlug input = attribute == nullptr ? MPlug() : plugOf(shader, attribute);
  if (input.isNull()) {
    notes_.push_back(texture.channel + " not connected: " + MFnDependencyNode(shader).name().asUTF8() + " has no " +
                     (attribute == nullptr ? "such input" : attribute));
    return false;
  }
  if (takesNormalDirectly(attribute) && !texture.normalMap) {
    notes_.push_back(texture.channel + " " + plannedFileName(texture) + " not connected: " + nodeName(shader) + "." +
                     attribute + " takes a tangent-space normal map, and this is not one");
    return false;
  }
  MObject other;
  MObject file = textureOnInput(shader, attribute, object_, other);
  if (file.isNull() && !other.isNull()) {
    notes_.push_back(texture.channel + " not connected: " +
                     input.partialName(true, false, false, false, false, true).asUTF8() + " is driven by " +
                     MFnDependencyNode(other).name().asUTF8());
    return false;
  }
  const MPlug user = file.isNull() ? MPlug() : otherUser(file, inputsGiving(file, texture));
  MObject replaced;  // the file node a new one takes the place of
  if (!user.isNull()) {
    // Re-pointing a texture another shader uses would change that shader too.
    const MObject userNode = user.node();
    const std::string shared =
        nodeName(file) + " is shared with " +
        (userNode == shader ? nodeName(shader) + "'s " + wholePlug(user).partialName(false, false, false, false, false, true).asUTF8() : nodeName(userNode));
    if (isShadingSwitch(inputSource(shader, attribute))) {
      notes_.push_back(texture.channel + " " + plannedFileName(texture) + " left alone: " + shared);
      return false;
    }
    notes_.push_back(texture.channel + " onto a new file node: " + shared);
    replaced = file;
    file = MObject();
  }
  if (texture.channel == "Ambient") {
    const std::string shown = showEmission(modifier_, shader, preview);
    if (!shown.empty()) notes_.push_back(shown);
  }
  if (!file.isNull() && std::string(attribute) == "transparency") {
    const std::string rewired = rewireReversedTransparency(modifier_, input, file, preview);
    if (!rewired.empty()) notes_.push_back(rewired);
  }
  if (preview) return true;
  if (file.isNull()) {
    if (!user.isNull()) disconnectSources(input);
    file = newFileNode(input, attribute, texture);
  } else if (std::find(repointed_.begin(), repointed_.end(), file) != repointed_.end()) {
    if (texture.channel == "DiffuseColor") showInViewport(shader, file, replaced);
    return true;  // shared by inputs given the same map: re-pointed once
  } else if (attribute == names.bump && texture.normalMap) {
    const MObject bumpNode = valueSource(input);
    if (bumpNode.hasFn(MFn::kBump))
      modifier_.newPlugValueInt(plugOf(bumpNode, "bumpInterp"), kTangentSpaceNormals);
  }
  setFileName(file, texture);
  if (takesNormalDirectly(attribute)) scaleToNormalRange(modifier_, file);
  repointed_.push_back(file);
  if (texture.channel == "DiffuseColor") showInViewport(shader, file, replaced);
  queued_ = true;
  return true;
}

// As the Hypershade does for a shader's colour map: the file's message on the
// texture of each of the shader's materialInfo nodes that holds nothing, or
// `replaced`, the file node it took the place of.
void TextureConnection::showInViewport(const MObject& shader, const MObject& file, const MObject& replaced) {
  for (const MObject& info : materialInfosOf(shader)) {
    if (std::find(linkedInfos_.begin(), linkedInfos_.end(), info) != linkedInfos_.end()) continue;
    MPlug textures = plugOf(info, "texture");
    const std::vector<LinkedElement> linked = linkedElements(textures);
    // Linked already, or to a texture the map did not replace: left as it is.
    if (linked.size() > 1 || (linked.size() == 1 && (replaced.isNull() || linked[0].source.node() != replaced)))
      continue;
    MPlug element = textures.elementByLogicalIndex(nextFreeIndex(textures));
    if (!linked.empty()) {
      modifier_.disconnect(linked[0].source, linked[0].element);
      element = linked[0].element;
    }
    modifier_.connect(viewportTextureSource(shader, file), element);
    linkedInfos_.push_back(info);
  }
}

void TextureConnection::disconnectSources(const MPlug& input) {
  MPlugArray sources;
  if (input.connectedTo(sources, true, false) && sources.length() > 0) {
    modifier_.disconnect(sources[0], input);
    return;
  }
  for (unsigned int c = 0; input.isCompound() && c < input.numChildren(); ++c) {
    const MPlug child = input.child(c);
    if (child.connectedTo(sources, true, false) && sources.length() > 0) modifier_.disconnect(sources[0], child);
  }
}

bool TextureConnection::reloadMap(const PlannedTexture& texture, const MObject& shader, bool preview) {
  const char* attribute = channelInput(shaderChannelNames(shader), texture.channel);
  MObject other;
  const MObject file = attribute == nullptr ? MObject() : textureOnInput(shader, attribute, object_, other);
  if (file.isNull()) {
    notes_.push_back(texture.channel + " not reloaded: no texture node on " + MFnDependencyNode(shader).name().asUTF8());
    return false;
  }
  if (preview) return true;
  const MPlug name = plugOf(file, textureFileAttribute(file));
  MString current;
  name.getValue(current);
  modifier_.newPlugValueString(name, current);
  queued_ = true;
  return true;
}

// The file rules off and the colour space first, then the name: an undo puts
// the name back while the rules are still off, so Maya does not choose a
// colour space over the one being put back. Without a colour space of the
// config the rules stay as they are and choose (the colour space set again
// first, to its own value, so that an undo gives it back after they chose).
// Then the tiling as Maya saves a tile set: UDIM mode, the lowest tile's name
// and no explicit pattern (it would override the one Maya computes from the name).
void TextureConnection::setFileName(const MObject& file, const PlannedTexture& texture) {
  const MPlug name = plugOf(file, textureFileAttribute(file));
  if (!file.hasFn(MFn::kFileTexture)) {
    modifier_.newPlugValueString(name, mayaPath(texture.file));
    // A renderer's texture node keeps its own tiling and colour space.
    notes_.push_back(texture.channel + " onto " + MFnDependencyNode(file).name().asUTF8() +
                     ": its tiling and colour space are left as they were");
    return;
  }
  const MPlug colorSpace = plugOf(file, "colorSpace");
  if (!texture.colorSpace.empty()) {
    modifier_.newPlugValueInt(plugOf(file, "ignoreColorSpaceFileRules"), 1);
    modifier_.newPlugValueString(colorSpace, MString(texture.colorSpace.c_str()));
  } else {
    MString current;
    colorSpace.getValue(current);
    modifier_.newPlugValueString(colorSpace, current);
  }
  modifier_.newPlugValueString(name, mayaPath(texture.file));
  const MPlug tiling = plugOf(file, "uvTilingMode");
  int mode = 0;
  tiling.getValue(mode);
  if (!texture.tiles.empty()) {
    modifier_.newPlugValueInt(tiling, kUdimTiling);
    const MPlug pattern = plugOf(file, "fileTextureNamePattern");
    MString given;
    pattern.getValue(given);
    if (given.length() > 0) modifier_.newPlugValueString(pattern, MString());
    tiled_.push_back({file, lines_.size() - 1, texture.channel});
  } else if (mode != 0) {
    modifier_.newPlugValueInt(tiling, 0);
  }
}

MObject TextureConnection::newFileNode(const MPlug& input, const std::string& attribute, const PlannedTexture& texture) {
  const MObject file = newNode("file", kTextureList);
  connectColourManagement(modifier_, file);
  const MObject placement = newNode("place2dTexture", kUtilityList);
  for (const auto& link : kPlacementLinks)
    modifier_.connect(plugOf(placement, link[0]), plugOf(file, link[1]));
  const bool singleNumber = !input.isCompound();
  if (texture.channel == "Bump" && !takesNormalDirectly(attribute.c_str())) {
    const MObject bump = newNode("bump2d", kUtilityList);
    modifier_.newPlugValueInt(plugOf(file, "alphaIsLuminance"), 1);
    modifier_.connect(plugOf(file, "outAlpha"), plugOf(bump, "bumpValue"));
    if (texture.normalMap) modifier_.newPlugValueInt(plugOf(bump, "bumpInterp"), kTangentSpaceNormals);
    modifier_.connect(plugOf(bump, "outNormal"), input);
  } else if (attribute == "transparency") {
    // As Maya wires a transparency map: the file's outTransparency, the
    // inverse of its alpha, which the painted opacity's luminance gives.
    modifier_.newPlugValueInt(plugOf(file, "alphaIsLuminance"), 1);
    modifier_.connect(plugOf(file, "outTransparency"), input);
  } else if (singleNumber) {
    modifier_.newPlugValueInt(plugOf(file, "alphaIsLuminance"), 1);
    modifier_.connect(plugOf(file, "outAlpha"), input);
  } else {
    modifier_.connect(plugOf(file, "outColor"), input);
  }
  return file;
}

// A node as "shadingNode -asTexture" or "-asUtility" makes it: listed in the
// scene's default list of its kind.
MObject TextureConnection::newNode(const char* type, const char* list) {
  const MObject node = modifier_.createNode(type);
  modifier_.connect(plugOf(node, "message"), nextListElement(list));
  return node;
}

// The next free element of a default list, past those this run already took.
MPlug TextureConnection::nextListElement(const char* list) {
  const bool textures = list == kTextureList;
  MPlug array = plugOf(nodeNamed(list), textures ? "textures" : "utilities");
  if (array.isNull()) return MPlug();
  int& taken = textures ? textureListUsed_ : utilityListUsed_;
  return array.elementByLogicalIndex(nextFreeIndex(array) + static_cast<unsigned int>(taken++));
}

void TextureConnection::previewTiles() {
  for (const TiledFile& tiled : tiled_) {
    const std::string note = generateTilePreview(tiled.file);
    if (!note.empty() && tiled.line < lines_.size()) lines_[tiled.line] += "; " + tiled.channel + " " + note;
  }
  tiled_.clear();
}

namespace {

// The "textures" folder of the exchange directory; "" when there is none.
std::string defaultTextureFolder() {
  char directory[kExchangeBufferSize] = {};
  if (getTempDirectory(directory, nullptr) != ExchangeFailure::kNone)
    return std::string();
  const std::string folder = std::string(directory) + Platform::PathSeparator() + "textures";
  std::vector<Platform::DirectoryEntry> entries;
  std::string reason;
  return Platform::ListDirectory(folder.c_str(), entries, reason) ? folder : std::string();
}

}  // namespace

MStatus importTextures(TextureSearch search, bool preview, TextureConnection& connection) {
  ExportRecord record;
  std::string reason;
  if (!readLastExportRecord(record, reason)) {
    MGlobal::displayError(utf8Text("Ombrix Vael texture import: no export record: " + reason));
    return MStatus::kFailure;
  }
  // Without a folder (none given, no "textures" folder), the changed files
  // of the export are reloaded.
  if (search.dir.empty()) search.dir = defaultTextureFolder();
  std::vector<MaterialPlan> plans;
  if (!planTextureImport(record, search, plans, reason)) {
    MGlobal::displayWarning(utf8Text("Ombrix Vael texture import: " + reason + "; nothing changed"));
    return MStatus::kSuccess;
  }
  connection.plan(plans, preview);
  MStatus status = MStatus::kSuccess;
  if (connection.hasChanges()) {
    status = connection.doIt();
    if (status == MStatus::kSuccess)
      connection.previewTiles();
    else
      connection.undoIt();  // a failed command is not undoable: what was made is taken back here
  }
  // A line too long for the echo (many files passed over) is shown whole as information.
  for (const std::string& line : connection.lines()) {
    if (echoFits(line.c_str()))
      echoMessage(line.c_str());
    else
      MGlobal::displayInfo(utf8Text(line));
  }
  if (status != MStatus::kSuccess)
    MGlobal::displayError("Ombrix Vael texture import: Maya refused a change; the scene is left as it was");
  return status;
}
