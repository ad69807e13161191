#pragma once
// An 8-float point record: a position (0..2), texture u and v (3, 4) and
// three spare components. Equality is exact on all eight.
#include <algorithm>

struct PointRecord {
  float v[8] = {};

  PointRecord() = default;
  PointRecord(float x, float y, float z) : v{x, y, z, 0, 0, 0, 0, 0} {}
  // The first three components of another record, the rest zero.
  static PointRecord PositionOf(const PointRecord& other) {
    return PointRecord(other.v[0], other.v[1], other.v[2]);
  }
  float& operator[](int i) { return v[i]; }
  float operator[](int i) const { return v[i]; }
};

inline bool operator==(const PointRecord& a, const PointRecord& b) {
  return std::equal(a.v, a.v + 8, b.v);
}
inline bool operator!=(const PointRecord& a, const PointRecord& b) { return !(a == b); }
