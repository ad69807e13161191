#pragma once
// A mesh the benchmarks build through the host: a grid of `columns` x `rows`
// quad cells, each cut into two triangles, with one UV per point, under a
// transform `name` (the shape is `name` + "Shape"). Points lie `spacing`
// apart in x and -z, at height `height`.
#include <maya/MFloatArray.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MString.h>

#include <string>

inline MObject triangleGrid(const std::string& name, int columns, int rows, float spacing, float height) {
  MFnDagNode transform;
  MObject parent = transform.create("transform", MString(name.c_str()));
  MFloatPointArray points;
  MFloatArray us, vs;
  for (int r = 0; r <= rows; ++r)
    for (int c = 0; c <= columns; ++c) {
      points.append(MFloatPoint(spacing * static_cast<float>(c), height, -spacing * static_cast<float>(r)));
      us.append(static_cast<float>(c) / static_cast<float>(columns));
      vs.append(static_cast<float>(r) / static_cast<float>(rows));
    }
  MIntArray counts, connects;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      const int v = r * (columns + 1) + c;
      for (int corner : {v, v + 1, v + columns + 2, v, v + columns + 2, v + columns + 1})
        connects.append(corner);
      counts.append(3);
      counts.append(3);
    }
  MFnMesh mesh;
  MObject shape = mesh.create(static_cast<int>(points.length()), static_cast<int>(counts.length()), points, counts,
                              connects, parent);
  mesh.setUVs(us, vs);
  mesh.assignUVs(counts, connects);
  MFnDependencyNode(shape).setName(MString((name + "Shape").c_str()));
  return shape;
}
