#pragma once
// Fixed texts and sizes of the project file ("OBV"); see docs/FORMATS.md.
#include <cstddef>
#include <cstdint>

namespace Obv {

constexpr char kHeaderText[] = "Ombrix Vael Project File\n";
constexpr char kVersionText[] = "V01.01\n";
constexpr size_t kHeaderBytes = 324;
constexpr size_t kNameBytes = 256;
constexpr size_t kMeshHeaderBytes = 80;
constexpr size_t kTriangleBytes = 104;
constexpr size_t kMeshTrailerBytes = 136;
constexpr size_t kVertexBytes = 12;
constexpr size_t kMaterialBytes = 348;
constexpr size_t kChannelBytes = 56;
constexpr size_t kLayerBytes = 68;
constexpr size_t kTrailerBytes = 24 + 72 + 4 + 12 + 4;
constexpr size_t kShortNameBytes = 32;
constexpr int kChannelCount = 5;

// Channel entries in file order, with the indexed map channel each carries
// and the letter of its generated image file name.
struct Channel {
  const char* name;
  uint32_t index;
  const char* letter;
};
constexpr Channel kChannels[kChannelCount] = {{"DiffuseColor", 2, "C"},
                                              {"Bump", 3, "B"},
                                              {"Ambient", 0, "G"},
                                              {"SpecularColor", 1, "S"},
                                              {"Opacity", 4, "O"}};

// 16.16 fixed point, truncated toward zero and kept inside 32 bits.
int32_t ToFixed(double value);
double FromFixed(int32_t value);

}  // namespace Obv
