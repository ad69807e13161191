// NURBS surfaces through Maya's tessellation with the user's preferences.
#include <maya/MFnNurbsSurface.h>
#include <maya/MTesselationParams.h>

#include "ExportFixture.h"
#include "HostObject.h"
#include "Maya/NurbsExport.h"
#include "Maya/ShadingTable.h"
#include "NurbsTessellator.h"

namespace {

using Names = std::vector<std::string>;

void nurbsSphere(const std::string& name) {
  ExportTest::scene("createNode transform -n " + name + "; createNode nurbsSurface -n " + name + "Shape -p " + name +
                  "; createNode makeNurbSphere -n " + name + "Maker; connectAttr " + name + "Maker.outputSurface " +
                  name + "Shape.create;");
}

int meshCount() {
  MStringArray meshes;
  MGlobal::executeCommand("ls -type mesh", meshes, false, false);
  return static_cast<int>(meshes.length());
}

const char kControlPointMessage[] =
    "\n\nError: Ombrix Vael does not support the Control Point method for NURBS Tesselation because Ombrix Vael "
    "does not support Quads.\n Defaulting to standard fit format.\n\n";

}  // namespace

TEST_F(ExportTest, PreferencesFillTheTessellationSettings) {
  // The devkit offers no getters: the settings are read as the host's tessellator reads them.
  auto read = [](const MTesselationParams& p) { return OmbrixHost::Access::tessellation(p); };
  mel("nurbsToPolygonsPref -f 0 -pc 321 -pt 1;");
  MTesselationParams count(MTesselationParams::kStandardFitFormat, MTesselationParams::kTriangles);
  applyTessellationPrefs(count);
  EXPECT_EQ(read(count).format, MTesselationParams::kTriangleCountFormat);
  EXPECT_EQ(read(count).triangleCount, 321);
  EXPECT_EQ(read(count).polyType, MTesselationParams::kTriangles);

  mel("nurbsToPolygonsPref -f 1 -chr 0.7 -ft 0.02 -mel 0.003 -d 0.4;");
  MTesselationParams standard;
  applyTessellationPrefs(standard);
  EXPECT_EQ(read(standard).format, MTesselationParams::kStandardFitFormat);
  EXPECT_DOUBLE_EQ(read(standard).stdChordHeightRatio, 0.7);
  EXPECT_DOUBLE_EQ(read(standard).stdFractionalTolerance, 0.02);
  EXPECT_DOUBLE_EQ(read(standard).stdMinEdgeLength, 0.003);
  EXPECT_DOUBLE_EQ(read(standard).delta3D, 0.4);
  EXPECT_TRUE(read(standard).useFractionalTolerance);

  // General: a u type outside 0..3 leaves the host's default.
  mel("nurbsToPolygonsPref -f 2 -un 5 -vn 6 -ut 7 -vt 1 -ucr 0 -es 1 -uch 1 -chr 0.6;");
  MTesselationParams general;
  const MTesselationParams defaults;
  applyTessellationPrefs(general);
  EXPECT_EQ(read(general).format, MTesselationParams::kGeneralFormat);
  EXPECT_EQ(read(general).uNumber, 5);
  EXPECT_EQ(read(general).vNumber, 6);
  EXPECT_EQ(read(general).uIsoparm, read(defaults).uIsoparm);
  EXPECT_EQ(read(general).vIsoparm, MTesselationParams::kSurface3DEquiSpaced);
  EXPECT_FALSE(read(general).useChordHeightRatio);
  EXPECT_TRUE(read(general).edgeSwapping);
  EXPECT_TRUE(read(general).useFractionalTolerance);
  EXPECT_DOUBLE_EQ(read(general).chordHeightRatio, 0.6);
}

TEST_F(ExportTest, ControlPointFormatFallsBackToStandardFitForEverySurface) {
  nurbsSphere("first");
  nurbsSphere("second");
  load();
  mel("nurbsToPolygonsPref -f 1;");
  const int standardTriangles = exported(0)->TotalPolygonCount();
  mel("nurbsToPolygonsPref -f 3;");
  testing::internal::CaptureStdout();
  auto model = exported(0);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, std::string(kControlPointMessage) + kControlPointMessage);
  EXPECT_EQ(model->GroupCount(), 2);
  EXPECT_EQ(model->TotalPolygonCount(), standardTriangles);
}

TEST_F(ExportTest, SurfacesBecomeWorldSpaceTrianglesAndLeaveNoMesh) {
  nurbsSphere("ball");
  shader("marble");
  fileTexture("marbleFile", "marble.tga", "marble.color");
  scene("setAttr ball.translateX 5;");
  load();
  mel("sets -e -forceElement marbleSG ballShape;"
      "nurbsToPolygonsPref -f 2 -pt 1 -un 4 -vn 4;");
  auto model = exported(0);
  ASSERT_EQ(model->GroupCount(), 1);
  EXPECT_EQ(meshCount(), 0);
  HvMesh* group = model->Group(0, false);
  ASSERT_GT(group->PolygonCount(), 0);
  double sumX = 0;
  int corners = 0;
  for (int p = 0; p < group->PolygonCount(); ++p) {
    PolygonData data;
    ASSERT_TRUE(group->GetPolygon(p, data));
    EXPECT_EQ(data.count, 3) << p;
    for (int i = 0; i < data.count; ++i, ++corners) sumX += data.positions[i].x;
  }
  EXPECT_NEAR(sumX / corners, 5.0, 0.5);
  EXPECT_EQ(polygonMaterial(*model, 0, 0), "marble");
}

TEST_F(ExportTest, SurfaceWithoutGeometryAddsNothingAndLeavesNothing) {
  scene("createNode transform -n blank; createNode nurbsSurface -n blankShape -p blank;");
  load();
  testing::internal::CaptureStdout();
  MDagPath surface = path("blankShape");
  HvModel model;
  EXPECT_FALSE(tessellateNurbs(model, shadingTable(), surface));
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.rfind("Unknown Tesselation type ! ", 0), 0u) << out;
  EXPECT_EQ(model.GroupCount(), 0);
  EXPECT_EQ(meshCount(), 0);
}
