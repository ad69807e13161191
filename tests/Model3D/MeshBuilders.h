#pragma once
// Small helpers that describe polygons for the model-core tests.
#include <initializer_list>

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
