// NURBS surfaces made by history, as Maya writes them: a revolve of a curve, a loft of curves.
#include "HistoryScene.h"

#include <maya/MFloatArray.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MPoint.h>

#include <cmath>
#include <string>

using namespace HistoryScene;

namespace {

// A line from (0, 0, 0) to (0, 2, 0) under curve1, moved 1 along X, revolved by
// revolve1 (set up by `settings`) into revolvedSurfaceShape1.
std::string revolveScene(const std::string& settings, const std::string& curveData = "1 1 0 no 3\n\t\t2 0 1\n\t\t2\n"
                                                                                    "\t\t0 0 0\n\t\t0 2 0\n\t\t;\n") {
  return "createNode transform -n \"curve1\";\n"
         "\tsetAttr \".t\" -type \"double3\" 1 0 0 ;\n"
         "createNode nurbsCurve -n \"curveShape1\" -p \"curve1\";\n"
         "\tsetAttr -k off \".v\";\n"
         "\tsetAttr \".cc\" -type \"nurbsCurve\" \n\t\t" + curveData +
         "createNode transform -n \"revolvedSurface1\";\n"
         "createNode nurbsSurface -n \"revolvedSurfaceShape1\" -p \"revolvedSurface1\";\n"
         "\tsetAttr -k off \".v\";\n\tsetAttr \".vir\" yes;\n\tsetAttr \".vif\" yes;\n\tsetAttr \".tw\" yes;\n"
         "\tsetAttr \".dvu\" 0;\n\tsetAttr \".dvv\" 0;\n\tsetAttr \".cpr\" 4;\n\tsetAttr \".cps\" 4;\n"
         "createNode revolve -n \"revolve1\";\n" + settings +
         "connectAttr \"revolve1.os\" \"revolvedSurfaceShape1.cr\";\n"
         "connectAttr \"curveShape1.ws\" \"revolve1.ic\";\n";
}

// A line up Y from `from` (x y z) two units long, as the curve `name` (shape `name`Shape).
std::string line(const std::string& name, const std::string& from, bool downwards = false) {
  std::string x = from.substr(0, from.find(' ')), z = from.substr(from.rfind(' ') + 1);
  std::string low = x + " 0 " + z, high = x + " 2 " + z;
  return "createNode transform -n \"" + name + "\";\n" + "createNode nurbsCurve -n \"" + name + "Shape\" -p \"" +
         name + "\";\n\tsetAttr -k off \".v\";\n" + "\tsetAttr \".cc\" -type \"nurbsCurve\" \n\t\t1 1 0 no 3\n\t\t2 0 1\n\t\t2\n\t\t" +
         (downwards ? high : low) + "\n\t\t" + (downwards ? low : high) + "\n\t\t;\n";
}

// loft1 through `curves` (curve1, curve2...) into loftedSurfaceShape1.
std::string loftScene(const std::string& curves, int count, const std::string& settings) {
  std::string scene = curves +
                      "createNode transform -n \"loftedSurface1\";\n"
                      "createNode nurbsSurface -n \"loftedSurfaceShape1\" -p \"loftedSurface1\";\n"
                      "\tsetAttr -k off \".v\";\n\tsetAttr \".vir\" yes;\n\tsetAttr \".vif\" yes;\n"
                      "createNode loft -n \"loft1\";\n\tsetAttr -s " + std::to_string(count) + " \".ic\";\n" + settings;
  for (int i = 0; i < count; ++i)
    scene += "connectAttr \"curve" + std::to_string(i + 1) + "Shape.ws\" \"loft1.ic[" + std::to_string(i) + "]\";\n";
  return scene + "connectAttr \"loft1.os\" \"loftedSurfaceShape1.cr\";\n";
}

// The scene loaded says why `node` is not evaluated: `shape` keeps its file data.
void expectSurfaceKept(const std::string& scene, const char* shape, const char* node, const char* why) {
  expectReported(loadScene(scene), std::string(shape) + ": construction history through " + node +
                                       " is not evaluated (" + why + "); the surface keeps the data in the file");
}

MPoint surfacePoint(double u, double v, const char* shape = "revolvedSurfaceShape1") {
  MFnNurbsSurface surface(HostTest::path(shape));
  MPoint p;
  EXPECT_EQ(surface.getPointAtParam(u, v, p), MStatus::kSuccess);
  return p;
}

void expectNear(const MPoint& p, double x, double y, double z) {
  EXPECT_NEAR(p.x, x, 1e-9);
  EXPECT_NEAR(p.y, y, 1e-9);
  EXPECT_NEAR(p.z, z, 1e-9);
}

}  // namespace

TEST_F(HostTest, RevolveTurnsTheCurveIntoACylinder) {
  // Maya's defaults, the axis Y: a periodic cubic of 8 sections through the circle
  // of radius 1 at its knots, 45 degrees apart, turning +X towards -Z.
  auto problems = loadScene(revolveScene("\tsetAttr \".ax\" -type \"double3\" 0 1 0 ;\n"));
  EXPECT_EQ(joined(problems).find("revolve1"), std::string::npos) << joined(problems);
  MFnNurbsSurface surface(HostTest::path("revolvedSurfaceShape1"));
  EXPECT_EQ(surface.numSpansInU(), 1);
  EXPECT_EQ(surface.numSpansInV(), 8);
  EXPECT_EQ(surface.formInV(), MFnNurbsSurface::kPeriodic);
  EXPECT_EQ(surface.degreeV(), 3);
  expectNear(surfacePoint(0.0, 0.0), 1, 0, 0);
  expectNear(surfacePoint(1.0, 2.0), 0, 2, -1);
  const double h = std::sqrt(0.5);
  expectNear(surfacePoint(0.5, 1.0), h, 1, -h);
  for (int k = 0; k < 8; ++k) {
    MPoint p = surfacePoint(0.25, k);
    EXPECT_NEAR(std::hypot(p.x, p.z), 1.0, 1e-9) << "knot " << k;
  }

  // A quarter turn about a pivot at x 2, linear in two sections: open, its corners on the circle of radius 1 about x 2.
  loadScene(revolveScene("\tsetAttr \".d\" 1;\n\tsetAttr \".s\" 2;\n\tsetAttr \".esw\" 90;\n"
                         "\tsetAttr \".ax\" -type \"double3\" 0 1 0 ;\n\tsetAttr \".p\" -type \"double3\" 2 0 0 ;\n"));
  MFnNurbsSurface quarter(HostTest::path("revolvedSurfaceShape1"));
  EXPECT_EQ(quarter.formInV(), MFnNurbsSurface::kOpen);
  EXPECT_EQ(quarter.numSpansInV(), 2);
  expectNear(surfacePoint(0.0, 0.0), 1, 0, 0);
  expectNear(surfacePoint(0.0, 1.0), 2 - h, 0, h);
  expectNear(surfacePoint(1.0, 2.0), 2, 2, 1);
}

TEST_F(HostTest, RevolveWithoutAUsableCurveOrValuesKeepsTheFileSurface) {
  std::string noCurve = revolveScene("");
  noCurve.replace(noCurve.find("connectAttr \"curveShape1.ws\""), 0, "//");
  const std::pair<std::string, const char*> cases[] = {
      {noCurve, "no curve is connected to its inputCurve"},
      {revolveScene("\tsetAttr \".s\" 100000;\n"), "its sections are not between 1 and 1024"},
      {revolveScene("\tsetAttr \".ax\" -type \"double3\" nan 1 0 ;\n"),
       "its axis, pivot or sweep is not a number, or the axis has no length"},
      {revolveScene("\tsetAttr \".esw\" 0;\n"), "its sweep is empty"},
      {revolveScene("", "1 1 0 no 3\n\t\t3 0 1 2\n\t\t2\n\t\t0 0 0\n\t\t0 2 0\n\t\t;\n"),
       "the data of the curve curveShape1 does not describe a curve"}};
  for (const auto& [scene, why] : cases)
    expectSurfaceKept(scene, "revolvedSurfaceShape1", "revolve1", why);
  // A profile of 4000 CVs turned in 1024 sections: more CVs than any creation node makes.
  std::string long_ = "1 3999 0 no 3\n\t\t4000";
  for (int k = 0; k < 4000; ++k)
    long_ += " " + std::to_string(k);
  long_ += "\n\t\t4000\n";
  for (int k = 0; k < 4000; ++k)
    long_ += "\t\t0 " + std::to_string(k) + " 0\n";
  expectSurfaceKept(revolveScene("\tsetAttr \".s\" 1024;\n", long_ + "\t\t;\n"), "revolvedSurfaceShape1", "revolve1",
                    "its surface would have 4000 x 1027 CVs, more than 4000000");
}

TEST_F(HostTest, LoftPassesThroughItsCurvesInOrder) {
  // Three lines at x 0, 2 and 4 (the last 1 out along Z), uniform: a quadratic
  // across them (three curves lower the cubic), through each at 0, 1 and 2;
  // half way between the first two z is 2 s^2 - s at s = 1/4.
  const std::string curves = line("curve1", "0 0 0") + line("curve2", "2 0 0") + line("curve3", "4 0 1");
  auto problems = loadScene(loftScene(curves, 3, "\tsetAttr \".u\" yes;\n\tsetAttr -s 3 \".r[0:2]\" no no no;\n"));
  EXPECT_EQ(joined(problems).find("loft1"), std::string::npos) << joined(problems);
  MFnNurbsSurface surface(HostTest::path("loftedSurfaceShape1"));
  EXPECT_EQ(surface.degreeU(), 2);
  EXPECT_EQ(surface.numCVsInU(), 3);
  expectNear(surfacePoint(1.0, 0.5, "loftedSurfaceShape1"), 2, 1, 0);
  expectNear(surfacePoint(2.0, 1.0, "loftedSurfaceShape1"), 4, 2, 1);
  expectNear(surfacePoint(0.5, 0.25, "loftedSurfaceShape1"), 1, 0.5, -0.125);

  // Reversed normals: the same surface with U and V exchanged.
  expectAllEvaluated(loadScene(loftScene(curves, 3, "\tsetAttr \".u\" yes;\n\tsetAttr \".rsn\" yes;\n")));
  MFnNurbsSurface swapped(HostTest::path("loftedSurfaceShape1"));
  EXPECT_EQ(swapped.degreeV(), 2);
  EXPECT_EQ(swapped.numCVsInV(), 3);
  expectNear(surfacePoint(0.25, 0.5, "loftedSurfaceShape1"), 1, 0.5, -0.125);

  // The middle curve drawn downwards and reversed by the loft: the same surface.
  const std::string turned = line("curve1", "0 0 0") + line("curve2", "2 0 0", true) + line("curve3", "4 0 1");
  expectAllEvaluated(loadScene(loftScene(turned, 3, "\tsetAttr \".u\" yes;\n\tsetAttr -s 3 \".r[0:2]\" no yes no;\n")));
  expectNear(surfacePoint(0.5, 0.25, "loftedSurfaceShape1"), 1, 0.5, -0.125);

  // Linear and closed: straight across, and back to the first curve at 3.
  loadScene(loftScene(curves, 3, "\tsetAttr \".u\" yes;\n\tsetAttr \".c\" yes;\n\tsetAttr \".d\" 1;\n"));
  expectNear(surfacePoint(0.5, 0.5, "loftedSurfaceShape1"), 1, 1, 0);
  expectNear(surfacePoint(3.0, 0.5, "loftedSurfaceShape1"), 0, 1, 0);
}

TEST_F(HostTest, LoftOfCurvesItCannotJoinKeepsTheFileSurface) {
  const std::string cubic = "createNode transform -n \"curve2\";\n"
                            "createNode nurbsCurve -n \"curve2Shape\" -p \"curve2\";\n"
                            "\tsetAttr \".cc\" -type \"nurbsCurve\" \n\t\t3 1 0 no 3\n\t\t6 0 0 0 1 1 1\n\t\t4\n"
                            "\t\t2 0 0\n\t\t2 1 0\n\t\t2 2 0\n\t\t2 3 0\n\t\t;\n";
  const std::pair<std::string, const char*> cases[] = {
      {loftScene(line("curve1", "0 0 0") + cubic, 2, ""), "its curves differ in degree, form or knots"},
      {loftScene(line("curve1", "0 0 0"), 1, ""), "fewer than two curves are connected to its inputCurve"},
      {loftScene(line("curve1", "0 0 0") + line("curve2", "0 0 0"), 2, "\tsetAttr \".u\" no;\n"),
       "its curves cannot be interpolated (two of them coincide)"}};
  for (const auto& [scene, why] : cases)
    expectSurfaceKept(scene, "loftedSurfaceShape1", "loft1", why);
}

TEST_F(HostTest, LoftOfTwoCirclesIsACylinder) {
  // Two circles made by makeNurbCircle about Y, the second moved 2 up: every
  // knot of the circles 1 from the axis, half way up at 1.
  std::string circles;
  for (int i : {1, 2})
    circles += "createNode transform -n \"curve" + std::to_string(i) + "\";\n" +
               (i == 2 ? "\tsetAttr \".t\" -type \"double3\" 0 2 0 ;\n" : "") + "createNode nurbsCurve -n \"curve" +
               std::to_string(i) + "Shape\" -p \"curve" + std::to_string(i) + "\";\n\tsetAttr -k off \".v\";\n" +
               "createNode makeNurbCircle -n \"makeNurbCircle" + std::to_string(i) + "\";\n" +
               "\tsetAttr \".nr\" -type \"double3\" 0 1 0 ;\n" + "connectAttr \"makeNurbCircle" + std::to_string(i) +
               ".oc\" \"curve" + std::to_string(i) + "Shape.cr\";\n";
  // With reversed normals, as Maya's loft tool saves it, U runs round the
  // circles and V up between them: Maya tessellates such lofts (the udim
  // export scene's) with uNumber per span round the circles.
  expectAllEvaluated(loadScene(loftScene(circles, 2, "\tsetAttr \".u\" yes;\n\tsetAttr \".rsn\" yes;\n")));
  MFnNurbsSurface surface(HostTest::path("loftedSurfaceShape1"));
  EXPECT_EQ(surface.formInU(), MFnNurbsSurface::kPeriodic);
  EXPECT_EQ(surface.numSpansInU(), 8);
  for (int k = 0; k < 8; ++k) {
    MPoint p = surfacePoint(k, 0.5, "loftedSurfaceShape1");
    EXPECT_NEAR(std::hypot(p.x, p.z), 1.0, 1e-9) << "knot " << k;
    EXPECT_NEAR(p.y, 1.0, 1e-9);
  }
  expectNear(surfacePoint(0.0, 0.0, "loftedSurfaceShape1"), 1, 0, 0);
  expectNear(surfacePoint(2.0, 1.0, "loftedSurfaceShape1"), 0, 2, -1);
}

namespace {

// The revolved cylinder (radius 1 round Y, 2 high) tessellated by nurbsTessellate1 into tubeShape.
std::string tessellatedScene(const std::string& settings) {
  return revolveScene("\tsetAttr \".ax\" -type \"double3\" 0 1 0 ;\n") +
         "createNode transform -n \"tube\";\ncreateNode mesh -n \"tubeShape\" -p \"tube\";\n\tsetAttr -k off \".v\";\n"
         "\tsetAttr \".vir\" yes;\n\tsetAttr \".vif\" yes;\n\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
         "createNode nurbsTessellate -n \"nurbsTessellate1\";\n" + settings +
         "connectAttr \"revolve1.os\" \"nurbsTessellate1.is\";\nconnectAttr \"nurbsTessellate1.op\" \"tubeShape.i\";\n";
}

}  // namespace

TEST_F(HostTest, TessellateMakesTheMeshOfASurfaceFromHistory) {
  // General format, quads, the surface cut evenly: once along the profile, eight times round.
  auto problems = loadScene(tessellatedScene("\tsetAttr \".f\" 2;\n\tsetAttr \".pt\" 1;\n\tsetAttr \".ut\" 2;\n"
                                             "\tsetAttr \".un\" 1;\n\tsetAttr \".vt\" 2;\n\tsetAttr \".vn\" 8;\n"
                                             "\tsetAttr \".ucr\" no;\n"));
  expectAllEvaluated(problems);
  MPointArray p = pointsWithCounts("tubeShape", 16, 8);
  for (unsigned int i = 0; i < p.length(); ++i) {
    EXPECT_NEAR(std::hypot(p[i].x, p[i].z), 1.0, 1e-9) << "vertex " << i;  // on the circle at the knots
    EXPECT_TRUE(std::fabs(p[i].y) < 1e-9 || std::fabs(p[i].y - 2) < 1e-9) << "vertex " << i;
  }
  EXPECT_EQ(MFnMesh(path("tubeShape")).numUVs(), 2 * 9);  // the seam stays open in UVs

  // Triangles: each quad in two.
  loadScene(tessellatedScene("\tsetAttr \".f\" 2;\n\tsetAttr \".ut\" 2;\n\tsetAttr \".un\" 1;\n\tsetAttr \".vt\" 2;\n"
                             "\tsetAttr \".vn\" 8;\n\tsetAttr \".ucr\" no;\n"));
  pointsWithCounts("tubeShape", 16, 16);

  // The control points: the cylinder's 2 x 11 CVs (8 round, 3 repeating the first) as 16 points, 8 quads round it.
  expectAllEvaluated(loadScene(tessellatedScene("\tsetAttr \".f\" 3;\n\tsetAttr \".pt\" 1;\n")));
  MPointArray cvs = pointsWithCounts("tubeShape", 16, 8);
  MPointArray surfaceCVs;
  MFnNurbsSurface(HostTest::path("revolvedSurfaceShape1")).getCVs(surfaceCVs);
  expectNear(cvs[0], surfaceCVs[0].x, surfaceCVs[0].y, surfaceCVs[0].z);

  // Isoparms past the range, no surface: the mesh keeps its file data (none).
  expectReported(loadScene(tessellatedScene("\tsetAttr \".f\" 2;\n\tsetAttr \".un\" 5000;\n")),
                 "(its format, polygon type, count or isoparms are out of range)");
  std::string unplugged = tessellatedScene("");
  const std::string plug = "connectAttr \"revolve1.os\" \"nurbsTessellate1.is\";\n";
  unplugged.erase(unplugged.find(plug), plug.size());
  expectReported(loadScene(unplugged), "(no surface is connected to its inputSurface)");
  EXPECT_EQ(MFnMesh(path("tubeShape")).numPolygons(), 0);
}

namespace {

// A circle of radius 1 round Y (makeNurbCircle1) swept by extrude1 into extrudedSurfaceShape1,
// along curve1, a line from the origin to (0 0 4), when `withPath`.
std::string extrudeScene(const std::string& settings, bool withPath = true) {
  std::string s = "createNode transform -n \"nurbsCircle1\";\n"
                  "createNode nurbsCurve -n \"nurbsCircleShape1\" -p \"nurbsCircle1\";\n\tsetAttr -k off \".v\";\n"
                  "createNode makeNurbCircle -n \"makeNurbCircle1\";\n\tsetAttr \".nr\" -type \"double3\" 0 1 0 ;\n"
                  "connectAttr \"makeNurbCircle1.oc\" \"nurbsCircleShape1.cr\";\n"
                  "createNode transform -n \"curve1\";\ncreateNode nurbsCurve -n \"curveShape1\" -p \"curve1\";\n"
                  "\tsetAttr -k off \".v\";\n\tsetAttr \".cc\" -type \"nurbsCurve\" \n\t\t1 1 0 no 3\n\t\t2 0 1\n\t\t2\n"
                  "\t\t0 0 0\n\t\t0 0 4\n\t\t;\n"
                  "createNode transform -n \"extrudedSurface1\";\n"
                  "createNode nurbsSurface -n \"extrudedSurfaceShape1\" -p \"extrudedSurface1\";\n"
                  "\tsetAttr -k off \".v\";\n\tsetAttr \".vir\" yes;\n\tsetAttr \".vif\" yes;\n"
                  "createNode extrude -n \"extrude1\";\n" + settings +
                  "connectAttr \"nurbsCircleShape1.ws\" \"extrude1.pr\";\n"
                  "connectAttr \"extrude1.os\" \"extrudedSurfaceShape1.cr\";\n";
  return withPath ? s + "connectAttr \"curveShape1.ws\" \"extrude1.pt\";\n" : s;
}

const char* kTubeAtPath = "\tsetAttr \".fpt\" yes;\n\tsetAttr \".ucp\" 1;\n\tsetAttr \".upn\" yes;\n\tsetAttr \".rsp\" yes;\n";

}  // namespace

TEST_F(HostTest, ExtrudeSweepsAProfileAlongItsPathOrADirection) {
  // A tube at the path, the circle's normal turned onto the path (+Y onto +Z, a quarter turn about X):
  // a cylinder round Z, 4 long, its knots 1 from the axis.
  expectAllEvaluated(loadScene(extrudeScene(kTubeAtPath)));
  const char* shape = "extrudedSurfaceShape1";
  MFnNurbsSurface tube(HostTest::path(shape));
  EXPECT_EQ(tube.formInU(), MFnNurbsSurface::kPeriodic);
  EXPECT_EQ(tube.degreeV(), 1);
  expectNear(surfacePoint(0.0, 0.0, shape), 1, 0, 0);
  expectNear(surfacePoint(2.0, 1.0, shape), 0, 1, 4);
  for (int k = 0; k < 8; ++k) {
    MPoint p = surfacePoint(k, 0.5, shape);
    EXPECT_NEAR(std::hypot(p.x, p.y), 1.0, 1e-9) << "knot " << k;
    EXPECT_NEAR(p.z, 2.0, 1e-9);
  }

  // Scaled to a half and turned a quarter by the end; a distance of 3 up Y needs no path.
  loadScene(extrudeScene(std::string(kTubeAtPath) + "\tsetAttr \".sc\" 0.5;\n\tsetAttr \".ro\" 90;\n"));
  expectNear(surfacePoint(0.0, 1.0, shape), 0, 0.5, 4);
  loadScene(extrudeScene("\tsetAttr \".et\" 0;\n\tsetAttr \".l\" 3;\n", false));
  expectNear(surfacePoint(0.0, 1.0, shape), 1, 3, 0);
  expectNear(surfacePoint(2.0, 0.5, shape), 0, 1.5, -1);

  // A tube without a path, a scale that is not a number: the surface keeps its file data.
  expectSurfaceKept(extrudeScene(kTubeAtPath, false), shape, "extrude1", "no curve is connected to its path");
  expectSurfaceKept(extrudeScene(std::string(kTubeAtPath) + "\tsetAttr \".sc\" nan;\n"), shape, "extrude1",
                    "its extrudeType, scale or rotation cannot be used");
}

namespace {

// A square of side `side` round the origin in the XZ plane, as the linear curve `name`.
std::string square(const std::string& name, double side) {
  const std::string h = std::to_string(side / 2), m = std::to_string(-side / 2);
  const std::string corners = m + " 0 " + m + "\n\t\t" + h + " 0 " + m + "\n\t\t" + h + " 0 " + h + "\n\t\t" + m +
                              " 0 " + h + "\n\t\t" + m + " 0 " + m + "\n\t\t";
  return "createNode transform -n \"" + name + "\";\ncreateNode nurbsCurve -n \"" + name + "Shape\" -p \"" + name +
         "\";\n\tsetAttr -k off \".v\";\n\tsetAttr \".cc\" -type \"nurbsCurve\" \n\t\t1 4 0 no 3\n\t\t5 0 1 2 3 4\n\t\t5\n\t\t" +
         corners + ";\n";
}

// planarTrimSurface1 of the curves named, into planarTrimmedPlaneShape1 and, tessellated, capShape.
std::string planarScene(const std::vector<std::string>& curves) {
  std::string s = "createNode transform -n \"planarTrimmedPlane1\";\n"
                  "createNode nurbsSurface -n \"planarTrimmedPlaneShape1\" -p \"planarTrimmedPlane1\";\n"
                  "\tsetAttr -k off \".v\";\n\tsetAttr \".vir\" yes;\n\tsetAttr \".vif\" yes;\n"
                  "createNode planarTrimSurface -n \"planarTrimSurface1\";\n"
                  "createNode transform -n \"cap\";\ncreateNode mesh -n \"capShape\" -p \"cap\";\n\tsetAttr -k off \".v\";\n"
                  "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
                  "createNode nurbsTessellate -n \"nurbsTessellate1\";\n\tsetAttr \".f\" 2;\n"
                  "connectAttr \"planarTrimSurface1.os\" \"planarTrimmedPlaneShape1.cr\";\n"
                  "connectAttr \"planarTrimSurface1.os\" \"nurbsTessellate1.is\";\n"
                  "connectAttr \"nurbsTessellate1.op\" \"capShape.i\";\n";
  for (std::size_t i = 0; i < curves.size(); ++i)
    s += "connectAttr \"" + curves[i] + "Shape.ws\" \"planarTrimSurface1.ic[" + std::to_string(i) + "]\";\n";
  return s;
}

}  // namespace

TEST_F(HostTest, PlanarTrimSurfaceIsTheRegionItsCurvesBound) {
  // A square of side 1 inside one of side 2 (listed first): the larger is the outline, the smaller a hole.
  auto problems = loadScene(square("inner", 1) + square("outer", 2) + planarScene({"inner", "outer"}));
  expectAllEvaluated(problems);
  MPointArray cvs;
  MFnNurbsSurface(HostTest::path("planarTrimmedPlaneShape1")).getCVs(cvs);
  ASSERT_EQ(cvs.length(), 4u);
  for (unsigned int k = 0; k < 4; ++k) {
    EXPECT_NEAR(std::fabs(cvs[k].x), 1.0, 1e-9) << "CV " << k;  // the patch spans the outline
    EXPECT_NEAR(std::fabs(cvs[k].z), 1.0, 1e-9) << "CV " << k;
  }
  // Tessellated: the ring between the squares, 8 points in 8 triangles, UVs over the patch.
  pointsWithCounts("capShape", 8, 8);
  MFloatArray us, vs;
  MFnMesh(path("capShape")).getUVs(us, vs);
  for (unsigned int k = 0; k < us.length(); ++k) {
    EXPECT_TRUE(std::fabs(us[k] - 0.5f) == 0.5f || std::fabs(us[k] - 0.5f) == 0.25f) << "UV " << k;
  }

  // No curves, or a curve bounding nothing: the surface keeps its file data.
  expectSurfaceKept(planarScene({}), "planarTrimmedPlaneShape1", "planarTrimSurface1",
                    "no curve is connected to its inputCurve");
  expectSurfaceKept(square("outer", 0) + planarScene({"outer"}), "planarTrimmedPlaneShape1", "planarTrimSurface1",
                    "its curve 0 bounds no region");
}
