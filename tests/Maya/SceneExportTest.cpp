// The DAG walk and the mesh extraction: which shapes become groups, in
// which order, and what each polygon carries.
#include <maya/MFloatArray.h>
#include <maya/MFnMesh.h>
#include <maya/MMatrix.h>
#include <maya/MPointArray.h>

#include <cmath>
#include <limits>

#include "ExportFixture.h"
#include "Support/ExpectVector.h"

namespace {

using Names = std::vector<std::string>;

// |a (cube) with child |a|b (cube), and |c (cube).
void nestedScene() {
  ExportTest::cube("a");
  ExportTest::cube("b", "a");
  ExportTest::cube("c");
  ExportTest::load();
}

Vector3 corner(HvModel& model, int group, int polygon, int corner) {
  PolygonData data;
  EXPECT_TRUE(model.Group(group, false)->GetPolygon(polygon, data));
  return data.positions[corner];
}

BoundingBox groupBounds(HvModel& model, int group) {
  BoundingBox box;
  HvMesh* mesh = model.Group(group, false);
  for (int p = 0; p < mesh->PolygonCount(); ++p) {
    PolygonData data;
    mesh->GetPolygon(p, data);
    for (int i = 0; i < data.count; ++i) box.Extend(data.positions[i]);
  }
  return box;
}

// A mesh of the given polygons over the points, under a new transform.
void meshOf(const char* name, const std::vector<MFloatPoint>& points, const std::vector<std::vector<int>>& faces) {
  MFnDagNode transform;
  MObject t = transform.create("transform", name);
  MFloatPointArray p;
  for (const MFloatPoint& point : points) p.append(point);
  MIntArray counts, connects;
  for (const auto& face : faces) {
    counts.append(static_cast<int>(face.size()));
    for (int v : face) connects.append(v);
  }
  MFnMesh mesh;
  MObject shape = mesh.create(static_cast<int>(p.length()), static_cast<int>(counts.length()), p, counts, connects, t);
  MFnDependencyNode(shape).setName(MString(name) + "Shape");
}

}  // namespace

TEST_F(ExportTest, AllGeometryComesInBreadthFirstOrder) {
  nestedScene();
  auto model = exported(0);
  EXPECT_EQ(groupNames(*model), (Names{"aShape", "cShape", "bShape"}));
}

TEST_F(ExportTest, SelectionComesInSelectionOrderThenDepthFirst) {
  nestedScene();
  mel("select -r c a;");
  EXPECT_EQ(groupNames(*exported(1)), (Names{"cShape", "aShape", "bShape"}));
  // A transform and its child both selected: the child's shapes come twice.
  mel("select -r a b;");
  EXPECT_EQ(groupNames(*exported(1)), (Names{"aShape", "bShape", "bShape"}));
  // A selected shape node is exported itself.
  mel("select -r cShape;");
  EXPECT_EQ(groupNames(*exported(1)), (Names{"cShape"}));
  // Nothing selected: no group, but every material of the scene.
  mel("createNode lambert -n red; sets -renderable true -noSurfaceShader true -empty -name redSG;"
      "connectAttr red.outColor redSG.surfaceShader; select -cl;");
  auto model = exported(1);
  EXPECT_EQ(model->GroupCount(), 0);
  EXPECT_EQ(materialNames(*model), (Names{"lambert1", "red"}));
}

TEST_F(ExportTest, OnlyGeometryAddsGroups) {
  cube("visible");
  scene("createNode mesh -n historyShape -p visible; createNode polyCube -n historyMaker;"
      "connectAttr historyMaker.out historyShape.inMesh; setAttr historyShape.intermediateObject 1;"
      "createNode transform -n cam; createNode camera -n camShape -p cam;"
      "createNode transform -n empty;");
  EXPECT_EQ(groupNames(*exported(0)), (Names{"visibleShape"}));
}

TEST_F(ExportTest, InstancesArePlacedByTheirOwnPaths) {
  cube("first");
  scene("createNode transform -n second; setAttr second.translateX 10;"
        "parent -add -s -nc -r \"|first|firstShape\" second;");
  load();
  auto model = exported(0);
  ASSERT_EQ(groupNames(*model), (Names{"firstShape", "firstShape"}));
  const Vector3 a = corner(*model, 0, 0, 0);
  const Vector3 b = corner(*model, 1, 0, 0);
  EXPECT_FLOAT_EQ(b.x - a.x, 10.0f);
  EXPECT_FLOAT_EQ(b.y, a.y);
  // Selected by the second path: placed by the second path.
  mel("select -r \"|second|firstShape\";");
  auto selected = exported(1);
  ASSERT_EQ(selected->GroupCount(), 1);
  EXPECT_FLOAT_EQ(corner(*selected, 0, 0, 0).x, b.x);
}

TEST_F(ExportTest, PositionsAreInWorldSpace) {
  cube("moved");
  scene("setAttr moved.translate 1 2 3;");
  auto model = exported(0);
  const BoundingBox box = groupBounds(*model, 0);
  EXPECT_FLOAT_EQ(box.min.x, 0.5f);
  EXPECT_FLOAT_EQ(box.min.y, 1.5f);
  EXPECT_FLOAT_EQ(box.min.z, 2.5f);
  EXPECT_FLOAT_EQ(box.max.z, 3.5f);
}

TEST_F(ExportTest, WorldPositionsHaveTheBitsOfTheHostsPointProduct) {
  // Rotated, scaled and moved twice over: every corner is the f32 of
  // MPoint * MMatrix, bit for bit.
  scene("createNode transform -n outer; setAttr outer.rotate 33.3 71 -12; setAttr outer.scale 1.7 0.3 2.9;"
        "setAttr outer.translate 0.1 -7.3 1000.7;");
  load();
  meshOf("turned", {{0.1f, 0.2f, 0.3f}, {1e5f, -3.7f, 0.001f}, {-2.5f, 7e-3f, 11.25f}, {9.9f, 8.8f, -7.7f}},
         {{0, 1, 2}, {0, 2, 3}});
  mel("parent turned outer; setAttr turned.rotate -5 17.5 200; setAttr turned.translate 3 -1 0.25;");
  MDagPath shape = path("turnedShape");
  MPointArray local;
  MFnMesh(shape).getPoints(local, MSpace::kObject);
  const MMatrix world = shape.inclusiveMatrix();
  auto model = exported(0);
  ASSERT_EQ(model->GroupCount(), 1);
  const int faces[2][3] = {{0, 1, 2}, {0, 2, 3}};
  for (int f = 0; f < 2; ++f)
    for (int c = 0; c < 3; ++c) {
      const MPoint expected = local[static_cast<unsigned int>(faces[f][c])] * world;
      const Vector3 got = corner(*model, 0, f, c);
      EXPECT_EQ(got.x, static_cast<float>(expected.x)) << f << " " << c;
      EXPECT_EQ(got.y, static_cast<float>(expected.y)) << f << " " << c;
      EXPECT_EQ(got.z, static_cast<float>(expected.z)) << f << " " << c;
    }
}

TEST_F(ExportTest, UVsComeFromTheCurrentSetWithVFlipped) {
  std::vector<std::string> problems;
  const std::string quad =
      "//Maya ASCII 2018 scene\ncreateNode transform -n \"q\";\ncreateNode mesh -n \"qShape\" -p \"q\";\n"
      "\tsetAttr -s 2 \".uvst\";\n"
      "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
      "\tsetAttr -s 4 \".uvst[0].uvsp[0:3]\" -type \"float2\" 0.25 0.1 1 0 1 1 0 1;\n"
      "\tsetAttr \".uvst[1].uvsn\" -type \"string\" \"other\";\n"
      "\tsetAttr -s 4 \".uvst[1].uvsp[0:3]\" -type \"float2\" 0.5 0.5 0.5 0.5 0.5 0.5 0.5 0.5;\n"
      "\tsetAttr \".cuvs\" -type \"string\" \"CURRENT\";\n"
      "\tsetAttr -s 4 \".vt[0:3]\" 0 0 0 1 0 0 1 1 0 0 1 0;\n"
      "\tsetAttr -s 4 \".ed[0:3]\" 0 1 0 1 2 0 2 3 0 3 0 0;\n"
      "\tsetAttr \".fc[0]\" -type \"polyFaces\" f 4 0 1 2 3 mu 0 4 0 1 2 3 mu 1 4 0 1 2 3;\n";
  for (const char* current : {"map1", "other"}) {
    OmbrixHost::resetScene();
    std::string text = quad;
    text.replace(text.find("CURRENT"), 7, current);
    ASSERT_TRUE(OmbrixHost::loadMayaAsciiText(text, "uv.ma", problems)) << problems[0];
    auto model = exported(0);
    PolygonData data;
    ASSERT_TRUE(model->Group(0, false)->GetPolygon(0, data));
    ASSERT_EQ(data.count, 4);
    if (std::string(current) == "map1") {
      EXPECT_FLOAT_EQ(data.u[0], 0.25f);
      EXPECT_FLOAT_EQ(data.v[0], 0.9f);
      EXPECT_FLOAT_EQ(data.v[2], 0.0f);
    } else {
      EXPECT_FLOAT_EQ(data.u[0], 0.5f);
      EXPECT_FLOAT_EQ(data.v[3], 0.5f);
    }
  }
}

TEST_F(ExportTest, FacesWithFewerThanThreeCornersAreCountedAndLeftOut) {
  const std::vector<MFloatPoint> hexagon = {{1, 0, 0}, {0.5f, 0.87f, 0}, {-0.5f, 0.87f, 0},
                                            {-1, 0, 0}, {-0.5f, -0.87f, 0}, {0.5f, -0.87f, 0}};
  meshOf("hex", hexagon, {{0, 1, 2, 3, 4, 5}});
  meshOf("broken", hexagon, {{0, 1}, {0, 1, 2, 3}});
  testing::internal::CaptureStderr();
  auto model = exported(0);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "1 non tri/quad face found. Some faces may be missing.\n");
  ASSERT_EQ(groupNames(*model), (Names{"hexShape", "brokenShape"}));
  PolygonData six;
  ASSERT_TRUE(model->Group(0, false)->GetPolygon(0, six));
  EXPECT_EQ(six.count, 6);
  EXPECT_EQ(model->Group(1, false)->PolygonCount(), 1);
}

TEST_F(ExportTest, OddMeshesExportWhatIsSound) {
  // No polygons at all: an empty group under the node's name.
  scene("createNode transform -n hollow; createNode mesh -n hollowShape -p hollow;");
  load();
  // A NaN point: the faces that use it are left out, the others stay.
  meshOf("spoiled", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}}, {{0, 1, 2}, {1, 4, 2}});
  MFnMesh spoiled(path("spoiledShape"));
  spoiled.setPoint(4, MPoint(std::numeric_limits<double>::quiet_NaN(), 0, 0));
  testing::internal::CaptureStderr();
  auto model = exported(0);
  const std::string err = testing::internal::GetCapturedStderr();
  ASSERT_EQ(groupNames(*model), (Names{"hollowShape", "spoiledShape"}));
  EXPECT_EQ(model->Group(0, false)->PolygonCount(), 0);
  EXPECT_EQ(model->Group(1, false)->PolygonCount(), 1);
  EXPECT_NE(err.find("1 face(s) of spoiledShape with invalid points left out."), std::string::npos) << err;
}

TEST_F(ExportTest, EveryGroupGetsTheSameHardEdgesWhateverTheExportOrder) {
  // A cube alone: each corner normal is its face's normal (90-degree edges are hard).
  cube("alone");
  auto alone = exported(0);
  PolygonData face;
  ASSERT_TRUE(alone->Group(0, false)->GetPolygon(0, face));
  std::vector<Vector3> firstNormals(face.normals, face.normals + face.count);
  for (int i = 1; i < face.count; ++i) {
    EXPECT_FLOAT_EQ(face.normals[i].x, face.normals[0].x);
    EXPECT_FLOAT_EQ(face.normals[i].y, face.normals[0].y);
    EXPECT_FLOAT_EQ(face.normals[i].z, face.normals[0].z);
  }
  // The same cube first of three, and last: the same normals.
  cube("first");
  cube("second");
  cube("third");
  auto three = exported(0);
  ASSERT_EQ(three->GroupCount(), 3);
  for (int g : {0, 2}) {
    PolygonData again;
    ASSERT_TRUE(three->Group(g, false)->GetPolygon(0, again));
    for (int i = 0; i < again.count; ++i) {
      EXPECT_FLOAT_EQ(again.normals[i].x, firstNormals[static_cast<size_t>(i)].x) << g;
      EXPECT_FLOAT_EQ(again.normals[i].y, firstNormals[static_cast<size_t>(i)].y) << g;
      EXPECT_FLOAT_EQ(again.normals[i].z, firstNormals[static_cast<size_t>(i)].z) << g;
    }
  }
}
