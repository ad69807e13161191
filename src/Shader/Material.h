#pragma once
// A surface material: packed colours, two reals and nine map channels with
// file names and loaded images. Polygons refer to it through their material
// word.
#include <cstdint>
#include <memory>

#include "HvTL/ByteString.h"
#include "HvTL/HvString.h"
#include "IMGLib/HvImage.h"

class Material {
 public:
  static constexpr int kMapCount = 9;
  static constexpr int kIndexedChannels = 5;  // AmbientColor, SpecularColor, DiffuseColor, Bump, Opacity

  // Loads one image file; installed by the format registry at start-up.
  using ImageLoader = bool (*)(const char* path, HvImage& image);
  static void SetImageLoader(ImageLoader loader);

  Material();
  ~Material();
  Material(const Material&) = delete;
  Material& operator=(const Material&) = delete;

  // "DiffuseColor", "Ambient", "SpecularColor", "Opacity"; false otherwise.
  bool SetColor(const char* channel, uint32_t packed);
  uint32_t GetColor(const char* channel) const;

  // Replaces the file name of every map of that name and drops its image.
  bool SetMapFileName(const char* channel, const char* text);
  // Records a file name for a map whose image was just written there; the
  // image stays.
  bool AssignMapFileName(const char* channel, const char* text);
  // A map file name as stored when that file opens, else joined to the base
  // directory when there is one.
  HvString ResolveFilePath(const char* fileName) const;
  // "AmbientColor" reads the "Ambient" map; unknown names give "".
  const char* GetMapFileName(const char* channel) const;
  HvImage* GetMap(const char* channel) const;

  // For the five indexed channels with a file name: loads the file as
  // stored, or else joined to the base directory. Without an image loader
  // (the format registry not started) nothing is loaded.
  void LoadMapImages();

  void SetBaseDirectory(const char* text) { baseDirectory_.AssignFromText(text); }
  const char* BaseDirectory() const { return baseDirectory_.Text(); }
  void SetName(const char* name) { name_.Assign(name); }
  const HvString& Name() const { return name_; }
  void SetSpecularExponent(double value) { specularExponent_ = value; }
  double SpecularExponent() const { return specularExponent_; }
  void SetBumpMultiplier(double value) { bumpMultiplier_ = value; }
  double BumpMultiplier() const { return bumpMultiplier_; }
  void SetWord(uint32_t word) { word_ = word; }
  uint32_t GetWord() const { return word_; }
  void SetIndex(int index) { index_ = index; }
  int Index() const { return index_; }
  uint32_t PackedWord() const { return packedWord_; }

 private:
  struct Map {
    ByteString fileName;
    std::unique_ptr<HvImage> image;
  };
  static int MapSlot(const char* channel);
  uint32_t* ColorSlot(const char* channel);
  bool LoadImage(int slot);

  HvString name_{"Unknown"};
  int index_ = 0;
  uint32_t ambient_ = 0x404040;
  uint32_t specular_ = 0x4040C0;
  uint32_t diffuse_ = 0x404040;
  uint32_t opacity_ = 0xFFFFFF;
  uint32_t packedWord_ = 0xFF;
  double specularExponent_ = 64.0;
  double bumpMultiplier_ = 0.0;
  Map maps_[kMapCount];
  ByteString baseDirectory_;
  uint32_t word_ = 0;
};
