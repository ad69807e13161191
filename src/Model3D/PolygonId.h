#pragma once
// Model-wide address of a polygon: {group, polygon, valid}.
#include <cstdint>

struct PolygonId {
  int32_t group = -1;
  int32_t polygon = 0;
  int32_t valid = 0;

  void Reset() { *this = PolygonId(); }
  bool IsValid() const { return group >= 0; }
};

inline bool operator==(const PolygonId& a, const PolygonId& b) {
  return a.group == b.group && a.polygon == b.polygon && a.valid == b.valid;
}
