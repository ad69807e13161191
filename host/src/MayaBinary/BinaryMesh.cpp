// The MESH value, as Maya 2020 files hold it (all numbers big-endian):
//   int32 n, then n floats: the vertex positions, x y z per vertex
//   int32 n, then n int32: the edges as vertex pairs; bit 31 of an edge's
//          first vertex marks a hard edge
//   int32 n, then n int32: the faces as loops of edges; bit 31 reverses the
//          edge, bit 30 ends a loop and bit 29 ends the face (a loop ended
//          without it is followed by a hole of the same face)
//   int32 n, then n floats: normals, x y z each (not kept; empty unless the
//          normals were set), then, when there are any, an int32 0
//   int32 number of UV sets, int32 0, then per set: its name ending in NUL,
//          int32 n and n floats (u v per UV), int32 n and n int32 (a UV per
//          face corner, -1 where the face has none)
// and colour data the host does not keep.
#include "BinaryMesh.h"

#include <vector>

namespace OmbrixHost {
namespace {

constexpr std::uint32_t kReversed = 0x80000000u;
constexpr std::uint32_t kLoopEnd = 0x40000000u;
constexpr std::uint32_t kFaceEnd = 0x20000000u;
constexpr std::uint32_t kEdgeBits = 0x1fffffffu;

// A count of `width`-byte items that the chunk can still hold.
bool count(ChunkData& d, unsigned width, std::uint32_t& n, std::string& error, const char* what) {
  std::int32_t v;
  if (!d.i32(v) || v < 0 || static_cast<std::uint64_t>(v) * width > d.remaining()) {
    error = std::string("the ") + what + " count exceeds the chunk";
    return false;
  }
  n = static_cast<std::uint32_t>(v);
  return true;
}

bool readPoints(ChunkData& d, MeshData& m, std::string& error) {
  std::uint32_t n;
  if (!count(d, 4, n, error, "vertex"))
    return false;
  if (n % 3 != 0) {
    error = "the vertex positions are not whole triples";
    return false;
  }
  m.points.resize(n / 3);
  for (auto& p : m.points) {
    float x, y, z;
    d.f32(x), d.f32(y), d.f32(z);
    p = {x, y, z};
  }
  return true;
}

bool readEdges(ChunkData& d, MeshData& m, std::string& error) {
  std::uint32_t n;
  if (!count(d, 4, n, error, "edge"))
    return false;
  if (n % 2 != 0) {
    error = "the edges are not whole vertex pairs";
    return false;
  }
  m.edges.resize(n);
  for (int& vertex : m.edges) {
    std::uint32_t v;
    d.u32(v);
    v &= ~kReversed;
    if (v >= m.points.size()) {
      error = "an edge names vertex " + std::to_string(v) + " of " + std::to_string(m.points.size());
      return false;
    }
    vertex = static_cast<int>(v);
  }
  return true;
}

bool readFaces(ChunkData& d, MeshData& m, std::string& error) {
  std::uint32_t n;
  if (!count(d, 4, n, error, "face edge"))
    return false;
  const std::size_t numEdges = m.edges.size() / 2;
  bool inHole = false;
  int corners = 0;
  for (std::uint32_t k = 0; k < n; ++k) {
    std::uint32_t e;
    d.u32(e);
    const std::uint32_t edge = e & kEdgeBits;
    if (edge >= numEdges) {
      error = "a face names edge " + std::to_string(edge) + " of " + std::to_string(numEdges);
      return false;
    }
    const int vertex = m.edges[2 * edge + ((e & kReversed) ? 1 : 0)];
    if (inHole) {
      m.holes.back().vertices.push_back(vertex);
    } else {
      m.faceConnects.push_back(vertex);
      ++corners;
    }
    if (e & kLoopEnd) {
      if (!inHole) {
        m.faceCounts.push_back(corners);
        corners = 0;
      }
      inHole = !(e & kFaceEnd);
      // A hole keeps its loop; its corners take no UVs from this data.
      if (inHole) m.holes.push_back(FaceHole{static_cast<int>(m.faceCounts.size()) - 1, {}, {}});
    }
  }
  if (corners != 0 || inHole) {
    error = "the last face does not end";
    return false;
  }
  m.rebuildFaceStarts();
  return true;
}

// False (with `note`) when the UV data is of a layout not known; the mesh keeps no UVs then.
bool readUVSets(ChunkData& d, MeshData& m, std::string& note) {
  std::int32_t sets, zero;
  std::uint32_t normals;
  std::string error;
  std::int32_t afterNormals = 0;
  if (!count(d, 4, normals, error, "normal") || !d.skip(4ull * normals) || (normals && !d.i32(afterNormals)) ||
      afterNormals != 0 || !d.i32(sets) || sets < 0 || sets > 255 || !d.i32(zero) || zero != 0) {
    note = "its UV data is of a layout not known";
    return false;
  }
  for (std::int32_t s = 0; s < sets; ++s) {
    UVSet set;
    std::uint32_t n;
    if (!d.text(set.name) || !count(d, 4, n, error, "UV") || n % 2 != 0) {
      note = "its UV set " + std::to_string(s) + " is of a layout not known";
      return false;
    }
    set.us.resize(n / 2);
    set.vs.resize(n / 2);
    for (std::uint32_t k = 0; k < n / 2; ++k)
      d.f32(set.us[k]), d.f32(set.vs[k]);
    if (!count(d, 4, n, error, "UV id") || n != m.faceConnects.size()) {
      note = "the UV ids of set " + set.name + " do not match its face corners";
      return false;
    }
    set.uvIds.resize(n);
    for (int& id : set.uvIds) {
      std::int32_t v;
      d.i32(v);
      if (v < -1 || v >= static_cast<std::int32_t>(set.us.size())) {
        note = "set " + set.name + " names a UV it does not have";
        return false;
      }
      id = v;
    }
    m.uvSets.push_back(std::move(set));
  }
  return true;
}

}  // namespace

bool readMeshValue(ChunkData& data, MeshData& mesh, std::string& error, std::string& note) {
  MeshData m;
  if (!readPoints(data, m, error) || !readEdges(data, m, error) || !readFaces(data, m, error)) {
    mesh = MeshData();
    return false;
  }
  if (!readUVSets(data, m, note))
    m.uvSets.clear();
  mesh = std::move(m);
  return true;
}

}  // namespace OmbrixHost
