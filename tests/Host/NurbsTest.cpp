#include "HostFixture.h"

#include <maya/MDoubleArray.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MPointArray.h>
#include <maya/MTesselationParams.h>

#include <cmath>

namespace {

// A flat bicubic patch of one span each way, 4 by 4 units, under "patch".
MObject makePatch() {
  MFnDagNode transform;
  MObject t = transform.create("transform", "patch");
  MPointArray cvs;
  for (int u = 0; u < 4; ++u)
    for (int v = 0; v < 4; ++v)
      cvs.append(MPoint(u * 4.0 / 3.0, 0.0, v * 4.0 / 3.0));
  MDoubleArray knots;
  for (double k : {0.0, 0.0, 0.0, 1.0, 1.0, 1.0})
    knots.append(k);
  MFnNurbsSurface surface;
  MStatus st;
  MObject shape = surface.create(cvs, knots, knots, 3, 3, MFnNurbsSurface::kOpen, MFnNurbsSurface::kOpen, false, t,
                                 &st);
  EXPECT_EQ(st, MStatus::kSuccess);
  return shape;
}

int triangles(const MObject& result) {
  MFnDagNode dag(result);
  MObject child = dag.child(0);
  EXPECT_STREQ(child.apiTypeStr(), "kMesh");
  MFnMesh mesh(child);
  int n = 0;
  for (int f = 0; f < mesh.numPolygons(); ++f)
    n += mesh.polygonVertexCount(f) == 3;
  EXPECT_EQ(n, mesh.numPolygons());
  return n;
}

}  // namespace

TEST_F(HostTest, TessellationHonoursEachFormat) {
  MObject shape = makePatch();
  MFnNurbsSurface surface(shape);
  EXPECT_EQ(surface.numSpansInU(), 1);

  MTesselationParams count(MTesselationParams::kTriangleCountFormat, MTesselationParams::kTriangles);
  count.setTriangleCount(200);
  EXPECT_EQ(triangles(surface.tesselate(count, MObject::kNullObj)), 200);

  MTesselationParams general(MTesselationParams::kGeneralFormat, MTesselationParams::kTriangles);
  general.setSubdivisionFlag(MTesselationParams::kUseChordHeightRatio, false);
  general.setUIsoparmType(MTesselationParams::kSpanEquiSpaced);
  general.setVIsoparmType(MTesselationParams::kSurfaceEquiSpaced);
  general.setUNumber(3);
  general.setVNumber(5);
  EXPECT_EQ(triangles(surface.tesselate(general, MObject::kNullObj)), 2 * 3 * 5);

  // A flat patch needs no refinement: one quad cell, two triangles.
  MTesselationParams standard(MTesselationParams::kStandardFitFormat, MTesselationParams::kTriangles);
  EXPECT_EQ(triangles(surface.tesselate(standard, MObject::kNullObj)), 2);
}

TEST_F(HostTest, StandardFitRefinesACurvedSurface) {
  MFnDagNode transform;
  MObject t = transform.create("transform", "arch");
  // Quadratic rational arc (a half circle) swept along z.
  MPointArray cvs;
  const double w = std::sqrt(0.5);
  double xs[] = {1, 1, 0, -1, -1}, ys[] = {0, 1, 1, 1, 0}, ws[] = {1, w, 1, w, 1};
  for (int u = 0; u < 5; ++u)
    for (int v = 0; v < 2; ++v)
      cvs.append(MPoint(xs[u] * ws[u], ys[u] * ws[u], v * 1.0 * ws[u], ws[u]));
  MDoubleArray uk, vk;
  for (double k : {0.0, 0.0, 1.0, 1.0, 2.0, 2.0})
    uk.append(k);
  vk.append(0.0);
  vk.append(1.0);
  MFnNurbsSurface surface;
  MStatus st;
  MObject shape = surface.create(cvs, uk, vk, 2, 1, MFnNurbsSurface::kOpen, MFnNurbsSurface::kOpen, true, t, &st);
  ASSERT_EQ(st, MStatus::kSuccess);
  MPoint top = surface.point(1.0, 0.5);
  EXPECT_NEAR(top.y, 1.0, 1e-9);

  MTesselationParams loose(MTesselationParams::kStandardFitFormat);
  loose.setStdChordHeightRatio(0.1);
  loose.setStdFractionalTolerance(1.0);
  loose.set3DDelta(10.0);
  MTesselationParams tight(MTesselationParams::kStandardFitFormat);
  tight.setStdChordHeightRatio(0.99);
  tight.setStdFractionalTolerance(0.001);
  int coarse = triangles(surface.tesselate(loose));
  int fine = triangles(surface.tesselate(tight));
  EXPECT_EQ(coarse, 4);
  EXPECT_GT(fine, 4 * coarse);
  // Every tessellated point lies on the unit circle.
  MFnMesh mesh(MFnDagNode(surface.tesselate(tight)).child(0));
  for (int i = 0; i < mesh.numVertices(); ++i) {
    MPoint p;
    mesh.getPoint(i, p);
    EXPECT_NEAR(p.x * p.x + p.y * p.y, 1.0, 1e-9);
  }
}

TEST_F(HostTest, TessellationResultIsANewTransformWithAMeshThatCanBeRemoved) {
  MObject shape = makePatch();
  MObject result = MFnNurbsSurface(shape).tesselate(MTesselationParams(), MObject::kNullObj);
  ASSERT_TRUE(result.hasFn(MFn::kTransform));
  MFnDagNode dag(result);
  ASSERT_EQ(dag.childCount(), 1u);
  MDagPath meshPath;
  MFnDagNode(dag.child(0)).getPath(meshPath);
  EXPECT_EQ(meshPath.fullPathName(), "|polySurface1|polySurfaceShape1");
  MFnMesh mesh(meshPath);
  EXPECT_EQ(mesh.numUVSets(), 1);
  ASSERT_EQ(MGlobal::removeFromModel(result), MStatus::kSuccess);
  MStringArray meshes;
  MGlobal::executeCommand("ls -type mesh", meshes, false, false);
  EXPECT_EQ(meshes.length(), 0u);
}

TEST_F(HostTest, TessellationPreferencesAnswerTheirTypes) {
  int format = -1;
  ASSERT_EQ(MGlobal::executeCommand("nurbsToPolygonsPref -q -f;", format, false, false), MStatus::kSuccess);
  EXPECT_EQ(format, 1);
  double ratio = 0;
  ASSERT_EQ(MGlobal::executeCommand("nurbsToPolygonsPref -q -chr;", ratio, false, false), MStatus::kSuccess);
  EXPECT_DOUBLE_EQ(ratio, 0.9);
  mel("nurbsToPolygonsPref -f 2 -un 7 -ut 3;");
  int un = 0;
  MGlobal::executeCommand("nurbsToPolygonsPref -q -un;", un, false, false);
  EXPECT_EQ(un, 7);
  for (const char* flag : {"f", "chr", "cht", "d", "es", "ft", "mel", "pc", "pt", "ucr", "uch", "ut", "un", "vt", "vn"}) {
    double value;
    EXPECT_EQ(MGlobal::executeCommand(MString("nurbsToPolygonsPref -q -") + flag + ";", value, false, false),
              MStatus::kSuccess)
        << flag;
  }
  EXPECT_NE(melError("nurbsToPolygonsPref -q -zz;").find("Invalid flag"), std::string::npos);
}
