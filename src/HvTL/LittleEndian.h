#pragma once
// Little-endian loads and stores of fixed-width values, byte by byte.
#include <cstdint>
#include <cstring>

inline uint16_t LoadU16LE(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline uint32_t LoadU32LE(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

inline void StoreU16LE(uint8_t* p, uint32_t value) {
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
}

inline void StoreU32LE(uint8_t* p, uint32_t value) {
  StoreU16LE(p, value);
  StoreU16LE(p + 2, value >> 16);
}

inline float LoadF32LE(const uint8_t* p) {
  const uint32_t bits = LoadU32LE(p);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

inline void StoreF32LE(uint8_t* p, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  StoreU32LE(p, bits);
}
