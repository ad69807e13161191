#pragma once
// Painted maps onto Maya's shaders: carries out texture plans (see
// TextureImport/TexturePlan.h) through one MDGModifier, so that one undo
// takes every change back and redo makes them again.
//
// Each material's shader is found as RecordedShader.h says. A
// map to connect goes to the input the export reads its channel from
// (ShaderChannels.h): a file node and a place2dTexture wired as the
// Hypershade wires them, both added to the scene's default lists. "Bump"
// goes through a bump2d (tangent-space normals for a normal map), or
// straight into an input that takes a normal (usdPreviewSurface's "normal",
// scaled to -1..1 and for normal maps only, see NormalMapRange.h); "Opacity"
// goes into a transparency from the file's outTransparency; a map on a
// shader's emission colour raises its emission weight (EmissionWeight.h); a single-number
// input takes the file's outAlpha, with alpha from luminance. A texture node
// already on the input (file, aiImage, usdUVTexture; also behind its bump,
// normal-map or reverse node (a reverse on a transparency is then taken out,
// see ReversedTransparency.h), or the one a shading switch there gives the
// material's object) is given the new name instead of a new node, unless it
// (or the node between it and the input) also drives an input this run does
// not give the same file: then a new network takes its place on the input,
// and the shared node stays as it was; an input
// another node drives is left alone (the material's line says so). A map for
// one object of a shader switched per object goes only where that object
// alone looks: on an input (or switch file node) other objects of the shader
// see too, it is connected once when all of their materials bring the same
// file, else left alone with a note. A new
// file node is colour managed as `shadingNode -isColorManaged` makes it
// (ColourManagement.h). On a file node the file rules are turned off and the
// colour space the scene's config names set before the name (Maya chooses a
// colour space when a name changes, also when an undo puts one back); with
// none of Maya's names in the config the rules stay on and choose. A tile set
// is one file node in UDIM mode, as Maya saves it; its tile preview is
// generated after the run (TextureViewport.h). A map to reload has its
// texture node's name set again, as the Attribute Editor's reload does. The
// DiffuseColor map is linked, as the Hypershade links it (the file node, or
// the shader for the shaders TextureViewport.h names), to the texture of the
// shading group's materialInfo when that holds nothing or the file node it
// replaced, so the viewport shows the map.
#include <maya/MDGModifier.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MStatus.h>

#include <cstddef>
#include <string>
#include <vector>

#include "TextureImport/TexturePlan.h"

class TextureConnection {
 public:
  // Queues the changes of every plan (none with `preview`) and words one line
  // per material.
  void plan(const std::vector<MaterialPlan>& plans, bool preview);
  // Makes the queued changes; after undoIt, makes them again (redo).
  MStatus doIt() { return modifier_.doIt(); }
  MStatus undoIt() { return modifier_.undoIt(); }
  // After doIt: the tile preview of each file node put in UDIM mode generated
  // (interactive Maya), or how to generate it said on its material's line.
  void previewTiles();
  bool hasChanges() const { return queued_; }

  const std::vector<std::string>& lines() const { return lines_; }
  int connected() const { return connected_; }
  int reloaded() const { return reloaded_; }

 private:
  // Takes out of `work` (and of the line, `shown`) what must not change on an
  // input the material's shader shares with its other objects.
  void holdSharedMaps(const std::vector<MaterialPlan>& plans, const std::vector<MObject>& shaders, size_t index,
                      MaterialPlan& shown, MaterialPlan& work);
  // Which maps of this run go onto a texture node already on their input.
  void noteMapsOnTextures(const std::vector<MaterialPlan>& plans, const std::vector<MObject>& shaders);
  // The inputs this run gives `texture`'s file on the texture node `node`.
  std::vector<MPlug> inputsGiving(const MObject& node, const PlannedTexture& texture) const;
  void planMaterial(const MaterialPlan& plan, const MObject& shader, bool preview);
  // False, with a note for the material's line, when the shader has no place for the map.
  bool connectMap(const PlannedTexture& texture, const MObject& shader, bool preview);
  bool reloadMap(const PlannedTexture& texture, const MObject& shader, bool preview);
  // Links a colour map's file node to what the viewport shows of the shader.
  void showInViewport(const MObject& shader, const MObject& file, const MObject& replaced);
  void setFileName(const MObject& file, const PlannedTexture& texture);
  MObject newFileNode(const MPlug& input, const std::string& attribute, const PlannedTexture& texture);
  MObject newNode(const char* type, const char* list);
  // Queues taking away what drives the input (or its children).
  void disconnectSources(const MPlug& input);
  MPlug nextListElement(const char* list);

  // A map to connect onto the texture node already on a shader's input.
  struct MapOnTexture {
    MPlug input;
    MObject node;
    const PlannedTexture* texture;
  };

  MDGModifier modifier_;
  std::vector<MapOnTexture> mapsOnTextures_;  // this run's, while planning
  std::vector<MObject> repointed_;            // texture nodes this run gave a new name
  std::vector<MObject> linkedInfos_;          // materialInfo nodes this run linked a file to
  struct TiledFile {
    MObject file;
    size_t line;  // in lines_
    std::string channel;
  };
  std::vector<TiledFile> tiled_;  // file nodes this run put in UDIM mode
  std::vector<std::string> lines_;
  std::string object_;               // the current material's object when its shader is switched per object
  std::vector<std::string> notes_;  // the current material's maps without a place
  int connected_ = 0;
  int reloaded_ = 0;
  bool queued_ = false;
  int textureListUsed_ = 0;  // elements of the default lists this run took
  int utilityListUsed_ = 0;
};

// The whole import: the last export's record read, planned with `search`
// (without a folder: the "textures" folder of the exchange directory, when
// there is one), one line per material printed, the plan queued on
// `connection` and, unless `preview`, carried out. Failure, with a Maya error,
// without a readable record; a folder given that cannot be read is a warning
// and changes nothing.
MStatus importTextures(TextureSearch search, bool preview, TextureConnection& connection);
