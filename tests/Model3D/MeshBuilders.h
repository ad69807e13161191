#pragma once
// Small helpers that describe polygons for the model-core tests.
#include <initializer_list>
#include <limits>

#include "Model3D/HvMesh.h"
#include "Model3D/PolygonDesc.h"

inline void Describe(PolygonDesc& desc, std::initializer_list<Vector3> corners) {
  desc.Resize(static_cast<int>(corners.size()));
  int i = 0;
  for (const Vector3& p : corners) {
    desc.positions[i] = p;
    desc.normals[i] = Vector3();
    desc.u[i] = static_cast<float>(i);
    desc.v[i] = 0.5f;
    desc.weights[i] = 1.0f;
    ++i;
  }
  desc.faceNormal = Vector3();
}

inline bool AddCorners(HvMesh& mesh, std::initializer_list<Vector3> corners) {
  PolygonDesc desc;
  Describe(desc, corners);
  return mesh.AddPolygon(desc);
}

// The six outward-wound quads of the cube [lo, lo + 2]^3.
inline void AddCube(HvMesh& mesh, float lo = -1.0f) {
  const float h = lo + 2.0f;
  AddCorners(mesh, {{h, lo, lo}, {h, h, lo}, {h, h, h}, {h, lo, h}});      // +x
  AddCorners(mesh, {{lo, lo, lo}, {lo, lo, h}, {lo, h, h}, {lo, h, lo}});  // -x
  AddCorners(mesh, {{lo, h, lo}, {lo, h, h}, {h, h, h}, {h, h, lo}});      // +y
  AddCorners(mesh, {{lo, lo, lo}, {h, lo, lo}, {h, lo, h}, {lo, lo, h}});  // -y
  AddCorners(mesh, {{lo, lo, h}, {h, lo, h}, {h, h, h}, {lo, h, h}});      // +z
  AddCorners(mesh, {{lo, lo, lo}, {lo, h, lo}, {h, h, lo}, {h, lo, lo}});  // -z
}

// A jittered grid with damage mixed in: one edge shared by thousands of
// triangles of both windings, NaN and infinite positions, repeated
// corners, zero-area and folded polygons.
inline void AddDamagedMesh(HvMesh& mesh) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const int side = 90;
  auto at = [](int x, int y) {
    return Vector3(static_cast<float>(x), static_cast<float>(y), static_cast<float>((x * 7 + y * 13) % 5) * 0.3f);
  };
  for (int y = 0; y + 1 < side; ++y)
    for (int x = 0; x + 1 < side; ++x) {
      Vector3 c = at(x + 1, y + 1);
      if ((x * 31 + y) % 97 == 0) c.x = nan;
      if ((x * 17 + y) % 89 == 0) c.z = inf;
      AddCorners(mesh, {at(x, y), at(x + 1, y), c});
      AddCorners(mesh, {at(x, y), c, at(x, y + 1)});
      if ((x + y) % 23 == 0) AddCorners(mesh, {at(x, y), at(x, y), at(x + 1, y)});
      if ((x + y) % 29 == 0) AddCorners(mesh, {at(x, y), at(x + 1, y), at(x, y), at(x + 1, y)});
    }
  for (int i = 0; i < 5000; ++i) {
    const Vector3 tip(0.5f, static_cast<float>(i % 71) - 35.0f, static_cast<float>(i % 13) - 6.0f);
    if (i % 2 == 0)
      AddCorners(mesh, {{0, 0, 0}, {1, 0, 0}, tip});
    else
      AddCorners(mesh, {{1, 0, 0}, {0, 0, 0}, tip});
  }
  for (int i = 0; i < 300; ++i) AddCorners(mesh, {{nan, nan, nan}, {nan, nan, nan}, {nan, nan, nan}});
}
