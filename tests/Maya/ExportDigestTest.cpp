// The bytes of the project file that an export writes, pinned by SHA-256:
// a scene with the cases the mesh export reads differently (UVs on some faces
// only, no UVs, a second UV set current, faces shaded by two groups in turn,
// an instance, a NaN point). Any change to how the
// export reads meshes must reproduce the digest.
#include <maya/MFloatArray.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFn.h>
#include <maya/MFnMesh.h>
#include <maya/MFnSet.h>
#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MSelectionList.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "ExportFixture.h"
#include "HvTL/HvString.h"
#include "IO/FormatRegistry.h"
#include "Support/FileText.h"
#include "Support/Sha256.h"

namespace {

// Fixed name: the project file holds its own path.
const char kProject[] = "ombrix-export-digest.obv";

// A grid of columns x rows quads under transform `name`, UVs on every face
// whose index is not a multiple of `unmappedEvery` (0: on all of them).
void grid(const std::string& name, int columns, int rows, int unmappedEvery) {
  MFnDagNode transform;
  MObject parent = transform.create("transform", MString(name.c_str()));
  MFloatPointArray points;
  MFloatArray us, vs;
  for (int r = 0; r <= rows; ++r)
    for (int c = 0; c <= columns; ++c) {
      points.append(MFloatPoint(0.3f * static_cast<float>(c), 0.1f * static_cast<float>(c * r), -0.7f * static_cast<float>(r)));
      us.append(static_cast<float>(c) / static_cast<float>(columns));
      vs.append(static_cast<float>(r) / static_cast<float>(rows) * 0.9f);
    }
  MIntArray counts, connects, uvCounts, uvIds;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      const int v = r * (columns + 1) + c;
      const bool mapped = unmappedEvery == 0 || (r * columns + c) % unmappedEvery != 0;
      counts.append(4);
      uvCounts.append(mapped ? 4 : 0);
      for (int corner : {v, v + 1, v + columns + 2, v + columns + 1}) {
        connects.append(corner);
        if (mapped) uvIds.append(corner);
      }
    }
  MFnMesh mesh;
  MObject shape = mesh.create(static_cast<int>(points.length()), static_cast<int>(counts.length()), points, counts,
                              connects, parent);
  mesh.setUVs(us, vs);
  mesh.assignUVs(uvCounts, uvIds);
  MFnDependencyNode(shape).setName(MString((name + "Shape").c_str()));
}

// Faces first, first + step, ... of the shape into shading group `group`.
void assignFaces(const char* shape, int faces, int first, int step, const char* group) {
  MSelectionList list;
  list.add(shape);
  list.add(group);
  MDagPath path;
  MObject set;
  list.getDagPath(0, path);
  list.getDependNode(1, set);
  MFnSingleIndexedComponent component;
  MObject faceList = component.create(MFn::kMeshPolygonComponent);
  MIntArray elements;
  for (int f = first; f < faces; f += step) elements.append(f);
  component.addElements(elements);
  MFnSet(set).addMember(path, faceList);
}

}  // namespace

TEST_F(ExportTest, TheProjectFileOfAnExportKeepsItsBytes) {
  shader("red", "blinn");
  shader("blue");
  cube("box");
  scene("setAttr box.t -type double3 3 -1 2; setAttr box.r -type double3 10 20 30;");
  scene("createNode transform -n holder; setAttr holder.t -type double3 -4 0 1;");
  load();
  grid("plane", 7, 5, 0);
  grid("patchy", 4, 3, 3);
  assignFaces("planeShape", 35, 0, 2, "redSG");
  assignFaces("planeShape", 35, 1, 3, "blueSG");
  MGlobal::executeCommand("sets -e -forceElement blueSG patchyShape; parent -add -shape boxShape holder;");
  // A second UV set made current on the box: every face unmapped there.
  MFnMesh box(path("boxShape"));
  box.setCurrentUVSetName(box.createUVSetWithName("empty"));
  MFnMesh patchy(path("patchyShape"));
  patchy.setPoint(7, MPoint(std::numeric_limits<double>::quiet_NaN(), 0, 0));

  StartupFormats();
  testing::internal::CaptureStderr();
  auto model = exported(0);
  testing::internal::GetCapturedStderr();
  ASSERT_EQ(SaveModelByName(model.get(), HvString(kProject), "OBV", "", nullptr, nullptr), 1);
  const std::string digest = Sha256Hex(ReadText(kProject));
  std::remove(kProject);
  TeardownModelFormats();
  TeardownSceneReaders();
  EXPECT_EQ(groupNames(*model), (std::vector<std::string>{"boxShape", "boxShape", "planeShape", "patchyShape"}));
  std::string shading;
  for (int p = 0; p < 4; ++p) shading += polygonMaterial(*model, 2, p) + " ";
  EXPECT_EQ(shading, "red blue red  ");
  EXPECT_EQ(model->Group(3, false)->PolygonCount(), 8);  // four faces use the NaN point
  EXPECT_EQ(digest, "f558acadf2fb00b35b74136cc1cde208e616fa2622789e0610ed338011aa5bd4");
}
