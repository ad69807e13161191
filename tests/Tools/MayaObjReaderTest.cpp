// The reader of Maya's OBJ export: objects by their "g default" blocks, and
// damaged files refused with the file and the line.
#include <gtest/gtest.h>

#include "MayaObjReader.h"

namespace {

// Three objects as Maya writes them. The second's faces are split by a set,
// so it has two g lines under one vertex block; the third's block opens with
// the names of its sets instead of "default" (c017's CART MK3.obj has such
// a block: "g set2 tweakSet2" before the vertices of polySurface114).
const char* kTwoObjects =
    "# This file uses centimeters as units for non-parametric coordinates.\n"
    "\n"
    "mtllib two.mtl\n"
    "g default\n"
    "v 0.000000 0.000000 0.000000\n"
    "v 1.000000 0.000000 0.000000\n"
    "v 0.000000 1.000000 0.000000\n"
    "vt 0.000000 0.000000\n"
    "vn 0.000000 0.000000 1.000000\n"
    "s off\n"
    "g tri group1\n"
    "usemtl initialShadingGroup\n"
    "f 1/1/1 2/1/1 3/1/1\n"
    "g default\n"
    "v 0.000000 0.000000 5.000000\n"
    "v 1.000000 0.000000 5.000000\n"
    "v 1.000000 1.000000 5.000000\n"
    "v 0.000000 1.000000 5.000000\n"
    "vt 0.500000 0.500000\n"
    "vt 0.250000 0.500000\n"
    "s 1\n"
    "g quad\n"
    "usemtl initialShadingGroup\n"
    "f 4/2 5/3 6/2\n"
    "g hiddenFacesSet quad\n"
    "f 4//1 6//1 7//1\n"
    "g tweakSet1 set1\n"
    "v 0.000000 0.000000 9.000000\n"
    "v 1.000000 0.000000 9.000000\n"
    "v 1.000000 1.000000 9.000000\n"
    "s off\n"
    "g tweaked\n"
    "f 8 9 10\n";

std::vector<MayaObjObject> parsed(const std::string& text, std::string& error) {
  std::vector<MayaObjObject> objects;
  if (!parseMayaObj(text, "in.obj", objects, error)) objects.clear();
  return objects;
}

std::string errorOf(const std::string& text, const MayaObjLimits& limits = MayaObjLimits()) {
  std::vector<MayaObjObject> objects;
  std::string error;
  EXPECT_FALSE(parseMayaObj(text, "in.obj", objects, error, limits));
  return error;
}

TEST(MayaObjReader, ReadsEachDefaultBlockAsOneObjectWithItsOwnIndices) {
  std::string error;
  const auto objects = parsed(kTwoObjects, error);
  ASSERT_EQ(objects.size(), 3u) << error;
  EXPECT_EQ(objects[0].names, (std::set<std::string>{"tri", "group1"}));
  EXPECT_EQ(objects[1].names, (std::set<std::string>{"quad", "hiddenFacesSet"}));
  EXPECT_EQ(objects[2].names, (std::set<std::string>{"tweaked", "tweakSet1", "set1"}));
  EXPECT_EQ(objects[2].mesh.cornerPoints, (std::vector<int>{0, 1, 2}));
  const TruthMesh& quad = objects[1].mesh;
  EXPECT_EQ(quad.vertexCount(), 4u);
  EXPECT_EQ(quad.uvCount(), 2u);
  EXPECT_EQ(quad.faceCounts, (std::vector<int>{3, 3}));
  EXPECT_EQ(quad.cornerPoints, (std::vector<int>{0, 1, 2, 0, 2, 3}));
  EXPECT_EQ(quad.cornerUvs, (std::vector<int>{0, 1, 0, -1, -1, -1}));
  EXPECT_EQ(quad.points[2], 5.0);
}

TEST(MayaObjReader, RefusesDamagedFilesNamingFileAndLine) {
  const std::string head = "g default\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\n";
  EXPECT_EQ(errorOf(head + "f 1 2 4\n"), "in.obj:6: vertex 4 is not one of this object's 3 vertices");
  EXPECT_EQ(errorOf(head + "f 1/2 2/1 3/1\n"), "in.obj:6: UV 2 is not one of this object's 1 UVs");
  EXPECT_EQ(errorOf(head + "f 1 2\n"), "in.obj:6: a face needs 3 corners at least");
  EXPECT_EQ(errorOf(head + "f 1 2 x\n"), "in.obj:6: \"x\" is not a vertex index");
  EXPECT_EQ(errorOf(head + "f 1 2 0\n"), "in.obj:6: \"0\" is not a vertex index");
  EXPECT_EQ(errorOf("v 1 2\n"), "in.obj:1: \"v\" needs 3 numbers");
  EXPECT_EQ(errorOf("v 1 2 nan\n"), "in.obj:1: \"nan\" is not a finite number");
  EXPECT_EQ(errorOf("vt 1 1e999\n"), "in.obj:1: \"1e999\" is not a finite number");
  EXPECT_EQ(errorOf("\n\ncurv 0 1\n"), "in.obj:3: \"curv\" is not a statement of Maya's OBJ export");
}

TEST(MayaObjReader, KeepsFacesInsideTheirOwnObject) {
  // Indices run on across objects, but a face only uses its own object's vertices.
  const std::string text = "g default\nv 0 0 0\nv 1 0 0\nv 0 1 0\ng a\nf 1 2 3\n"
                           "g default\nv 0 0 0\nv 1 0 0\nv 0 1 0\ng b\nf 1 5 6\n";
  EXPECT_EQ(errorOf(text), "in.obj:12: vertex 1 is not one of this object's 3 vertices");
  std::string error;
  EXPECT_EQ(parsed("g default\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf -3 -2 -1\n", error)[0].mesh.cornerPoints,
            (std::vector<int>{0, 1, 2}));
}

TEST(MayaObjReader, BoundsTheWorkADamagedFileCanAskFor) {
  MayaObjLimits limits;
  limits.maxLineBytes = 64;
  limits.maxCornersPerFace = 4;
  EXPECT_EQ(errorOf("g default\n# " + std::string(100, 'x') + "\n", limits), "in.obj:2: a line of more than 64 bytes");
  EXPECT_EQ(errorOf("v 0 0 0\nf 1 1 1 1 1\n", limits), "in.obj:2: a face of 5 corners");
  std::vector<MayaObjObject> objects;
  std::string error;
  EXPECT_FALSE(readMayaObj("no-such-folder/none.obj", objects, error));
  EXPECT_EQ(error, "no-such-folder/none.obj: cannot open the file");
}

}  // namespace
