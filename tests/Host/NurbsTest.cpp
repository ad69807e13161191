#include "HostFixture.h"

#include <maya/MDoubleArray.h>
#include <maya/MFnMeshData.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MPointArray.h>
#include <maya/MTesselationParams.h>

#include <cmath>
#include <string>
#include <vector>

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

// "sShape" under "s", a unit sphere made by the makeNurbSphere "mk".
void loadSphere() {
  std::vector<std::string> problems;
  OmbrixHost::loadMayaAsciiText("//Maya ASCII 2018 scene\ncreateNode transform -n \"s\";\n"
                                "createNode nurbsSurface -n \"sShape\" -p \"s\";\n"
                                "createNode makeNurbSphere -n \"mk\";\n\tsetAttr \".r\" 1;\n"
                                "connectAttr \"mk.os\" \"sShape.cr\";\n",
                                "s.ma", problems);
  ASSERT_TRUE(problems.empty()) << problems[0];
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
  MPoint top;
  surface.getPointAtParam(1.0, 0.5, top);
  EXPECT_NEAR(top.y, 1.0, 1e-9);
  // Object and world space only; world space through a path.
  MPointArray got;
  EXPECT_EQ(surface.getCVs(got, MSpace::kPostTransform), MStatus::kInvalidParameter);
  EXPECT_EQ(surface.getPointAtParam(1.0, 0.5, top, MSpace::kTransform), MStatus::kInvalidParameter);
  EXPECT_EQ(surface.getCVs(got, MSpace::kWorld), MStatus::kInvalidParameter);
  MFnDependencyNode(t).findPlug("translateY").setValue(2.0);
  MDagPath onPath;
  MDagPath::getAPathTo(shape, onPath);
  ASSERT_EQ(MFnNurbsSurface(onPath).getPointAtParam(1.0, 0.5, top, MSpace::kWorld), MStatus::kSuccess);
  EXPECT_NEAR(top.y, 3.0, 1e-9);
  MFnDependencyNode(t).findPlug("translateY").setValue(0.0);

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
  MTesselationParams params;
  MObject result = MFnNurbsSurface(shape).tesselate(params, MObject::kNullObj);
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

TEST_F(HostTest, TessellationIntoMeshDataCreatesNoNode) {
  MObject shape = makePatch();
  const std::string before = mel("ls");
  MFnMeshData data;
  MObject owner = data.create();
  ASSERT_TRUE(owner.hasFn(MFn::kMeshData));
  MTesselationParams params;
  MStatus st;
  MFnNurbsSurface(shape).tesselate(params, owner, &st);
  ASSERT_EQ(st, MStatus::kSuccess);
  MFnMesh mesh(owner, &st);
  ASSERT_EQ(st, MStatus::kSuccess);
  EXPECT_GT(mesh.numPolygons(), 0);
  EXPECT_EQ(mesh.currentUVSetName(), "map1");
  MPointArray points;
  EXPECT_EQ(mesh.getPoints(points, MSpace::kObject), MStatus::kSuccess);
  EXPECT_EQ(mesh.getPoints(points, MSpace::kWorld), MStatus::kInvalidParameter) << "data has no path";
  EXPECT_EQ(mel("ls"), before);
  // A node of the scene is not data, and data is not a node.
  EXPECT_NE(MFnMeshData(shape, &st).object(), shape);
  EXPECT_EQ(st, MStatus::kInvalidParameter);
  EXPECT_EQ(MFnDependencyNode(owner).name(), "");
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

namespace {

// A skewed bilinear patch: its (0,0)-(1,1) diagonal is long, the other short.
MObject skewedPatch() {
  MFnDagNode transform;
  MObject t = transform.create("transform", "skew");
  MPointArray cvs;
  cvs.append(MPoint(0, 0, 0));
  cvs.append(MPoint(0, 0, 1));
  cvs.append(MPoint(1, 0, 0));
  cvs.append(MPoint(5, 0, 1));
  MDoubleArray knots;
  knots.append(0.0);
  knots.append(1.0);
  return MFnNurbsSurface().create(cvs, knots, knots, 1, 1, MFnNurbsSurface::kOpen, MFnNurbsSurface::kOpen, false, t);
}

}  // namespace

TEST_F(HostTest, EdgeSwapSplitsCellsAlongTheShorterDiagonal) {
  MFnNurbsSurface surface(skewedPatch());
  MTesselationParams params(MTesselationParams::kGeneralFormat);
  params.setUNumber(1);
  params.setVNumber(1);
  params.setSubdivisionFlag(MTesselationParams::kUseChordHeightRatio, false);
  auto diagonalLength = [&](bool swap) {
    params.setSubdivisionFlag(MTesselationParams::kUseTriangleEdgeSwapping, swap);
    MFnMesh mesh(MFnDagNode(surface.tesselate(params)).child(0));
    EXPECT_EQ(mesh.numPolygons(), 2);
    // The diagonal is the edge both triangles share.
    MIntArray a, b;
    mesh.getPolygonVertices(0, a);
    mesh.getPolygonVertices(1, b);
    std::vector<int> shared;
    for (unsigned int i = 0; i < a.length(); ++i)
      for (unsigned int j = 0; j < b.length(); ++j)
        if (a[i] == b[j])
          shared.push_back(a[i]);
    EXPECT_EQ(shared.size(), 2u);
    MPoint p, q;
    mesh.getPoint(shared[0], p);
    mesh.getPoint(shared[1], q);
    return p.distanceTo(q);
  };
  EXPECT_NEAR(diagonalLength(true), std::sqrt(2.0), 1e-9);
  EXPECT_NEAR(diagonalLength(false), std::sqrt(26.0), 1e-9);

  params.setOutputType(MTesselationParams::kQuads);
  MFnMesh quads(MFnDagNode(surface.tesselate(params)).child(0));
  ASSERT_EQ(quads.numPolygons(), 1);
  EXPECT_EQ(quads.polygonVertexCount(0), 4);
}

TEST_F(HostTest, ClosedSurfacesShareTheirSeamAndPolePoints) {
  loadSphere();
  MFnNurbsSurface sphere(path("sShape"));
  MTesselationParams general(MTesselationParams::kGeneralFormat);
  general.setSubdivisionFlag(MTesselationParams::kUseChordHeightRatio, false);
  general.setUIsoparmType(MTesselationParams::kSurfaceEquiSpaced);
  general.setVIsoparmType(MTesselationParams::kSurfaceEquiSpaced);
  general.setUNumber(6);
  general.setVNumber(8);
  MFnMesh mesh(MFnDagNode(sphere.tesselate(general)).child(0));
  // 5 rings of 8 points plus two poles; the triangles at the poles collapse.
  EXPECT_EQ(mesh.numVertices(), 5 * 8 + 2);
  EXPECT_EQ(mesh.numPolygons(), 2 * 6 * 8 - 2 * 8);
  EXPECT_EQ(mesh.numUVs(), 7 * 9) << "UVs keep the seam open";
}

TEST_F(HostTest, EquallySpacedIsoparmsIn3DFollowArcLength) {
  MObject t = MFnDagNode().create("transform", "curved");
  // Quadratic: x = u, y = u^2 over u in [0, 1]: parameter steps are not length steps.
  MPointArray cvs;
  for (double x : {0.0, 0.5, 1.0})
    for (double z : {0.0, 1.0})
      cvs.append(MPoint(x, x == 0.5 ? 0.0 : (x == 1.0 ? 1.0 : 0.0), z));
  MDoubleArray uk, vk;
  for (double k : {0.0, 0.0, 1.0, 1.0})
    uk.append(k);
  vk.append(0.0);
  vk.append(1.0);
  MFnNurbsSurface surface;
  surface.create(cvs, uk, vk, 2, 1, MFnNurbsSurface::kOpen, MFnNurbsSurface::kOpen, false, t);
  // The spread of the edge lengths along the curved side, for one isoparm type.
  auto spread = [&](MTesselationParams::IsoparmType type) {
    MTesselationParams params(MTesselationParams::kGeneralFormat);
    params.setSubdivisionFlag(MTesselationParams::kUseChordHeightRatio, false);
    params.setUIsoparmType(type);
    params.setUNumber(4);
    params.setVNumber(1);
    MFnMesh mesh(MFnDagNode(surface.tesselate(params)).child(0));
    std::vector<MPoint> edge;
    for (int i = 0; i < mesh.numVertices(); ++i) {
      MPoint p;
      mesh.getPoint(i, p);
      if (p.z == 0.0)
        edge.push_back(p);
    }
    EXPECT_EQ(edge.size(), 5u);
    std::sort(edge.begin(), edge.end(), [](const MPoint& a, const MPoint& b) { return a.x < b.x; });
    double shortest = 1e30, longest = 0;
    for (std::size_t i = 0; i + 1 < edge.size(); ++i) {
      shortest = std::min(shortest, edge[i].distanceTo(edge[i + 1]));
      longest = std::max(longest, edge[i].distanceTo(edge[i + 1]));
    }
    return longest / shortest;
  };
  double byLength = spread(MTesselationParams::kSurface3DEquiSpaced);
  EXPECT_LT(byLength, 1.03);  // equal arcs: chords differ only by the curvature
  EXPECT_LT(byLength, spread(MTesselationParams::kSurfaceEquiSpaced));
}

TEST_F(HostTest, NurbsSurfaceFollowsItsCreationNode) {
  loadSphere();
  auto largest = [] {
    MPointArray cvs;
    EXPECT_EQ(MFnNurbsSurface(HostTest::path("sShape")).getCVs(cvs), MStatus::kSuccess);
    double r = 0.0;
    for (unsigned i = 0; i < cvs.length(); ++i)
      r = std::max(r, std::fabs(cvs[i].y));
    return r;
  };
  const double first = largest();
  mel("setAttr mk.radius 3");
  EXPECT_NEAR(largest(), 3 * first, 1e-9);
}
