#include "Shader/Material.h"
#include "Platform/FileSystem.h"

#include <atomic>
#include <cstdio>
#include <cstring>

namespace {

// Map channels in slot order.
const char* const kMapNames[Material::kMapCount] = {
    "DiffuseColor", "Ambient",   "SpecularColor",    "Opacity",     "Bump",
    "Reflect",      "Selection", "SpecularExponent", "Displacement"};

// The indexed channels 0..4 and the map each reads.
const char* const kIndexedMaps[Material::kIndexedChannels] = {"Ambient", "SpecularColor",
                                                              "DiffuseColor", "Bump", "Opacity"};

std::atomic<Material::ImageLoader> g_imageLoader{nullptr};

bool FileOpens(const char* path) {
  std::FILE* file = Platform::OpenFile(path, "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

}  // namespace

void Material::SetImageLoader(ImageLoader loader) { g_imageLoader = loader; }

Material::Material() = default;

Material::~Material() = default;

int Material::MapSlot(const char* channel) {
  if (channel == nullptr) return -1;
  if (std::strcmp(channel, "AmbientColor") == 0) channel = "Ambient";
  for (int i = 0; i < kMapCount; ++i)
    if (std::strcmp(channel, kMapNames[i]) == 0) return i;
  return -1;
}

uint32_t* Material::ColorSlot(const char* channel) {
  if (channel == nullptr) return nullptr;
  if (std::strcmp(channel, "DiffuseColor") == 0) return &diffuse_;
  if (std::strcmp(channel, "Ambient") == 0) return &ambient_;
  if (std::strcmp(channel, "SpecularColor") == 0) return &specular_;
  if (std::strcmp(channel, "Opacity") == 0) return &opacity_;
  return nullptr;
}

bool Material::SetColor(const char* channel, uint32_t packed) {
  uint32_t* slot = ColorSlot(channel);
  if (slot == nullptr) return false;
  *slot = packed;
  return true;
}

uint32_t Material::GetColor(const char* channel) const {
  const uint32_t* slot = const_cast<Material*>(this)->ColorSlot(channel);
  return slot != nullptr ? *slot : 0;
}

bool Material::SetMapFileName(const char* channel, const char* text) {
  if (channel == nullptr || std::strcmp(channel, "AmbientColor") == 0) return false;
  const int slot = MapSlot(channel);
  if (slot < 0) return false;
  maps_[slot].image.reset();
  maps_[slot].fileName.AssignText(text != nullptr ? text : "");
  return true;
}

bool Material::AssignMapFileName(const char* channel, const char* text) {
  if (channel == nullptr || std::strcmp(channel, "AmbientColor") == 0) return false;
  const int slot = MapSlot(channel);
  if (slot < 0) return false;
  maps_[slot].fileName.AssignText(text != nullptr ? text : "");
  return true;
}

HvString Material::ResolveFilePath(const char* fileName) const {
  if (fileName == nullptr || FileOpens(fileName) || baseDirectory_.Length() == 0)
    return HvString(fileName);
  const char last = baseDirectory_.Text()[baseDirectory_.Length() - 1];
  const bool separated = last == '/' || last == '\\';
  return HvString::Concat(HvString::Concat(baseDirectory_.Text(), separated ? "" : "/"), fileName);
}

const char* Material::GetMapFileName(const char* channel) const {
  const int slot = MapSlot(channel);
  return slot >= 0 ? maps_[slot].fileName.Text() : "";
}

HvImage* Material::GetMap(const char* channel) const {
  if (channel == nullptr || std::strcmp(channel, "AmbientColor") == 0) return nullptr;
  const int slot = MapSlot(channel);
  return slot >= 0 ? maps_[slot].image.get() : nullptr;
}

void Material::LoadMapImages() {
  for (const char* channel : kIndexedMaps) {
    const int slot = MapSlot(channel);
    if (maps_[slot].fileName.Length() > 0) LoadImage(slot);
  }
}

bool Material::LoadImage(int slot) {
  const ImageLoader loader = g_imageLoader.load();
  if (loader == nullptr) return false;
  const HvString path = ResolveFilePath(maps_[slot].fileName.Text());
  auto image = std::make_unique<HvImage>();
  if (!loader(path.Text(), *image)) return false;
  maps_[slot].image = std::move(image);
  return true;
}
