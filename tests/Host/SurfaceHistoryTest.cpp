// NURBS surfaces made by history, as Maya writes them: a revolve of a curve.
#include "HistoryScene.h"

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

MPoint surfacePoint(double u, double v) {
  MFnNurbsSurface surface(HostTest::path("revolvedSurfaceShape1"));
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
  for (const auto& [scene, why] : cases) {
    auto problems = loadScene(scene);
    EXPECT_NE(joined(problems).find("revolvedSurfaceShape1: construction history through revolve1 is not evaluated (" +
                                    std::string(why) + "); the surface keeps the data in the file"),
              std::string::npos)
        << joined(problems);
  }
}
