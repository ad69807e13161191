#pragma once
// A polygon mesh as plain arrays, the way a host answers it in one go: each
// polygon's vertex count and vertex indices, one UV set (per polygon its UV
// count and the UV ids of its corners), and the vertices placed in world
// space. readPolygon is the one reading of a polygon from them, shared by the
// export and the UV import.
#include <cstddef>
#include <vector>

#include "Math/PainterFrame.h"
#include "Math/Vector3.h"
#include "Model3D/PolygonDesc.h"

struct MeshUvArrays {
  std::vector<int> uvCounts, uvIds;
  std::vector<float> us, vs;
};

struct WorldPoints {
  std::vector<Vector3> points;  // f32, as the model stores them
  std::vector<bool> finite;     // false where f32 cannot hold the point (NaN, infinite, too large)
};

// Object-space points (x, y, z of each, w = 1) times a row-major 4x4 matrix
// in Maya's row-vector order, in double and then stored as f32; a point f32
// cannot hold reads as not finite.
WorldPoints placePoints(const std::vector<double>& xyz, const double matrix[16]);

struct PolygonArrays {
  std::vector<int> counts, connects;
  MeshUvArrays uv;  // uv.uvCounts empty when the UV set cannot be read
};

// One polygon's place in the arrays, moved on face by face.
struct PolygonCursor {
  unsigned int face = 0;
  unsigned int corner = 0;    // first index of the face in connects
  unsigned int uvCorner = 0;  // first id of the face in uvIds
};

// The polygon's vertex count, 0 for a negative one.
inline int polygonSize(const PolygonArrays& arrays, const PolygonCursor& at) {
  const int count = arrays.counts[at.face];
  return count > 0 ? count : 0;
}

// True when the polygon's count corners lie inside the vertex indices.
inline bool cornersInRange(const PolygonArrays& arrays, const PolygonCursor& at, int count) {
  return static_cast<size_t>(at.corner) + static_cast<size_t>(count) <= arrays.connects.size();
}

// True when every corner of the polygon has a UV of the set.
inline bool hasUVs(const PolygonArrays& arrays, const PolygonCursor& at, int count) {
  const MeshUvArrays& uv = arrays.uv;
  if (at.face >= uv.uvCounts.size() || uv.uvCounts[at.face] != count ||
      static_cast<size_t>(at.uvCorner) + static_cast<size_t>(count) > uv.uvIds.size())
    return false;
  for (unsigned int i = 0; i < static_cast<unsigned int>(count); ++i) {
    const int id = uv.uvIds[at.uvCorner + i];
    if (id < 0 || static_cast<size_t>(id) >= uv.us.size() || static_cast<size_t>(id) >= uv.vs.size()) return false;
  }
  return true;
}

inline void advance(const PolygonArrays& arrays, PolygonCursor& at) {
  at.corner += static_cast<unsigned int>(polygonSize(arrays, at));
  if (at.face < arrays.uv.uvCounts.size() && arrays.uv.uvCounts[at.face] > 0)
    at.uvCorner += static_cast<unsigned int>(arrays.uv.uvCounts[at.face]);
  ++at.face;
}

// How a polygon's v is given: as the arrays hold it, or flipped into the
// model's frame. A polygon without UVs reads (0, 0) either way.
enum class PolygonV { kAsStored, kModelFrame };

enum class PolygonRead {
  kRead,
  kTooManyCorners,  // more than a description holds: read as no corners
  kOutOfRange,      // its corners run past the vertex indices: read as no corners
  kUnsoundPoint     // a corner has no sound point: its position reads (0, 0, 0)
};

// Reads the polygon at `at` into desc: its world-space corners and their UVs.
inline PolygonRead readPolygon(const PolygonArrays& arrays, const WorldPoints& world, const PolygonCursor& at,
                               PolygonV frame, PolygonDesc& desc) {
  if (!desc.Resize(polygonSize(arrays, at))) {
    desc.Resize(0);
    return PolygonRead::kTooManyCorners;
  }
  if (!cornersInRange(arrays, at, desc.count)) {
    desc.Resize(0);
    return PolygonRead::kOutOfRange;
  }
  const bool mapped = hasUVs(arrays, at, desc.count);
  bool sound = true;
  for (int k = 0; k < desc.count; ++k) {
    const auto vertex = static_cast<size_t>(arrays.connects[at.corner + static_cast<unsigned int>(k)]);
    const bool known = vertex < world.points.size() && world.finite[vertex];
    sound = sound && known;
    desc.positions[k] = known ? world.points[vertex] : Vector3();
    const size_t id = mapped ? static_cast<size_t>(arrays.uv.uvIds[at.uvCorner + static_cast<unsigned int>(k)]) : 0;
    const float v = mapped ? arrays.uv.vs[id] : 0.0f;
    desc.u[k] = mapped ? arrays.uv.us[id] : 0.0f;
    desc.v[k] = mapped && frame == PolygonV::kModelFrame ? flipVf(v) : v;
  }
  return sound ? PolygonRead::kRead : PolygonRead::kUnsoundPoint;
}
