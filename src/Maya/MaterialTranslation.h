#pragma once
// Materials from the shading table: one per entry, named after it, with the
// texture file name of each channel that a texture node drives (directly, or
// through a shading switch for the entry's object).
#include <maya/MObject.h>
#include <maya/MString.h>

#include <string>
#include <vector>

class HvModel;
class Material;
struct ShadingTable;

// The file a texture node (file, aiImage, usdUVTexture) gives the painter:
// where Maya finds it, else a relative name under `projectRoot` (the
// project's root as "workspace -q -rd" gives it) and an absolute one as it is; "" for any other node or a node naming no file. A
// tiled texture gives its first tile.
struct TextureFile {
  std::string path;
  bool tiled = false;  // uvTilingMode set, or a <UDIM> or <UVTILE> token in the name
};
TextureFile textureFile(const MObject& texture, const MString& projectRoot);
// The attribute naming a texture node's file ("fileTextureName", "filename",
// "file"); null for any other node.
const char* textureFileAttribute(const MObject& node);

// Every material of the table's entries, with one warning for a material that
// has tiled textures.
void translateMaterials(HvModel& model, const ShadingTable& table);
// True when the channel got a tiled texture.
bool translateChannel(Material& material, const MObject& shader, const char* attribute,
                      const MString& objectName, const char* channel, const MString& projectRoot);

// A text as a MEL string literal, quotes included: '"' and '\' escaped, and
// control characters written as MEL escapes, so that any file name stays one
// string argument.
std::string melStringLiteral(const char* text);
