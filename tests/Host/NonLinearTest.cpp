// nonLinear deformers as Maya writes them: the deformer, its handle transform
// and handle shape, the values the nonLinear command adds to the deformer.
#include "HistoryScene.h"

#include <maya/MDGModifier.h>
#include <maya/MPointArray.h>

#include <cmath>
#include <string>

using namespace HistoryScene;

namespace {

const double kPi = 3.14159265358979323846;

// A bar of two quads up Y (-0.5..0.5 by 0..2), its undeformed geometry on an
// intermediate "Orig" shape.
const char* kColumn =
    "createNode transform -n \"column\";\n"
    "createNode mesh -n \"columnShape\" -p \"column\";\n"
    "\tsetAttr -k off \".v\";\n\tsetAttr \".vir\" yes;\n"
    "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
    "createNode mesh -n \"columnShapeOrig\" -p \"column\";\n"
    "\tsetAttr -k off \".v\";\n\tsetAttr \".io\" yes;\n"
    "\tsetAttr -s 6 \".vt[0:5]\"  -0.5 0 0 0.5 0 0 -0.5 1 0 0.5 1 0 -0.5 2 0 0.5 2 0;\n"
    "\tsetAttr -s 7 \".ed[0:6]\"  0 1 0 0 2 0 1 3 0 2 3 0 2 4 0 3 5 0 4 5 0;\n"
    "\tsetAttr -s 2 -ch 8 \".fc[0:1]\" -type \"polyFaces\" f 4 0 2 -4 -2 f 4 3 5 -7 -5;\n";

struct Value {
  const char* shortName;
  const char* longName;
  const char* type;
  const char* setting;  // as the file gives it, "" for the default
};

// The column deformed by `name` (bend1, twist1...), a nonLinear whose handle
// `name`Handle is a `handleType` shape, placed by `handleAttrs`.
std::string deformed(const std::string& name, const std::string& handleType, std::initializer_list<Value> values,
                     const std::string& handleAttrs = "", const std::string& extra = "") {
  std::string handle = name + "Handle";
  std::string scene = kColumn + ("createNode transform -n \"" + handle + "\";\n") + handleAttrs +
                      "\tsetAttr \".smd\" 7;\n" + "createNode " + handleType + " -n \"" + handle + "Shape\" -p \"" +
                      handle + "\";\n\tsetAttr -k off \".v\";\n\tsetAttr \".hw\" 1.1;\n" + "createNode nonLinear -n \"" +
                      name + "\";\n";
  for (const auto& v : values)
    scene += "\taddAttr -is true -ci true -k true -sn \"" + std::string(v.shortName) + "\" -ln \"" + v.longName +
             "\" -at \"" + v.type + "\";\n";
  for (const auto& v : values)
    scene += "\tsetAttr -k on \"." + std::string(v.shortName) + "\"" + (*v.setting ? " " : "") + v.setting + ";\n";
  scene += extra;
  scene += "connectAttr \"columnShapeOrig.w\" \"" + name + ".ip[0].ig\";\n" + "connectAttr \"columnShapeOrig.o\" \"" +
           name + ".orggeom[0]\";\n" + "connectAttr \"" + handle + "Shape.dd\" \"" + name + ".dd\";\n" +
           "connectAttr \"" + handle + ".wm\" \"" + name + ".ma\";\n";
  for (const auto& v : values)
    scene += "connectAttr \"" + name + "." + v.shortName + "\" \"" + handle + "Shape." + v.shortName + "\";\n";
  return scene + "connectAttr \"" + name + ".og[0]\" \"columnShape.i\";\n";
}

std::string bendScene(const char* curvature, const std::string& extra = "") {
  return deformed("bend1", "deformBend",
                  {{"cur", "curvature", "doubleAngle", curvature}, {"lb", "lowBound", "double", "0"},
                   {"hb", "highBound", "double", "2"}},
                  "", extra);
}

}  // namespace

TEST_F(HostTest, BendPutsTheColumnOnAnArc) {
  // 90 degrees per unit of the handle from 0 to 2: the column's axis becomes a
  // half circle of radius 2/pi about (2/pi, 0), each side 0.5 in or out of it.
  const double r = 2.0 / kPi;
  expectAllEvaluated(loadScene(bendScene("90")));
  MPointArray p = pointsOf("columnShape");
  expectPoint(p, 0, -0.5, 0, 0);
  expectPoint(p, 1, 0.5, 0, 0);
  expectPoint(p, 2, r, r + 0.5, 0);
  expectPoint(p, 3, r, r - 0.5, 0);
  expectPoint(p, 4, 2 * r + 0.5, 0, 0);
  expectPoint(p, 5, 2 * r - 0.5, 0, 0);

  // Half the envelope: half way from the column to the arc; a vertex of weight 0 stays.
  loadScene(bendScene("90", "\tsetAttr \".en\" 0.5;\n\tsetAttr -s 6 \".wl[0].w[0:5]\"  1 1 1 1 1 0;\n"));
  p = pointsOf("columnShape");
  expectPoint(p, 4, (2 * r + 0.5 - 0.5) / 2, 1, 0);
  expectPoint(p, 5, 0.5, 2, 0);

  // Curvature keyed by an animation curve: the value the file stores (90), said so.
  auto problems = loadScene(bendScene("90", "createNode animCurveTA -n \"bend1_curvature\";\n"
                                            "\tsetAttr \".tan\" 18;\n\tsetAttr -s 2 \".ktv[0:1]\"  1 0 60 70;\n"
                                            "connectAttr \"bend1_curvature.o\" \"bend1.cur\";\n"));
  expectReported(problems, "columnShape: construction history through bend1 (nonLinear): its curvature is driven by "
                           "bend1_curvature, which the host does not evaluate: the value the file stores is used");
  expectPoint(pointsOf("columnShape"), 4, 2 * r + 0.5, 0, 0);

  // Beyond the high bound the column goes straight on along the arc's end.
  loadScene(deformed("bend1", "deformBend",
                     {{"cur", "curvature", "doubleAngle", "90"}, {"lb", "lowBound", "double", "0"},
                      {"hb", "highBound", "double", "1"}}));
  p = pointsOf("columnShape");
  expectPoint(p, 4, r + 1, r + 0.5, 0);
}

TEST_F(HostTest, TwistTurnsTheColumnInTheHandlesSpace) {
  // The handle sits 1 up: its bounds -1 and 1 span the column; 0 degrees at the bottom, 90 at the top.
  const double h = std::sqrt(0.125);
  expectAllEvaluated(loadScene(deformed("twist1", "deformTwist",
                                        {{"sa", "startAngle", "doubleAngle", ""}, {"ea", "endAngle", "doubleAngle", "90"},
                                         {"lb", "lowBound", "double", ""}, {"hb", "highBound", "double", ""}},
                                        "\tsetAttr \".t\" -type \"double3\" 0 1 0 ;\n")));
  MPointArray p = pointsOf("columnShape");
  expectPoint(p, 0, -0.5, 0, 0);
  expectPoint(p, 3, h, 1, -h);
  expectPoint(p, 4, 0, 2, 0.5);
  expectPoint(p, 5, 0, 2, -0.5);
}

TEST_F(HostTest, SquashHalvesTheHeightAndWidensTheMiddle) {
  // Factor -0.5 between 0 and 2: heights halve, the middle widens by sqrt(2), the bounds keep their width.
  const double w = std::sqrt(0.5);
  expectAllEvaluated(loadScene(deformed("squash1", "deformSquash",
                                        {{"fac", "factor", "double", "-0.5"}, {"exp", "expand", "double", ""},
                                         {"mp", "maxExpandPos", "double", ""}, {"ss", "startSmoothness", "double", ""},
                                         {"es", "endSmoothness", "double", ""}, {"lb", "lowBound", "double", "0"},
                                         {"hb", "highBound", "double", "2"}})));
  MPointArray p = pointsOf("columnShape");
  expectPoint(p, 0, -0.5, 0, 0);
  expectPoint(p, 2, -w, 0.5, 0);
  expectPoint(p, 3, w, 0.5, 0);
  expectPoint(p, 5, 0.5, 1, 0);
}

TEST_F(HostTest, FlareAndSineShapeTheColumnAlongTheHandle) {
  // Flare from 1 at the bottom to 2 at the top, with a bulge of 1 at the middle.
  expectAllEvaluated(loadScene(deformed("flare1", "deformFlare",
                                        {{"sfx", "startFlareX", "double", ""}, {"efx", "endFlareX", "double", "2"},
                                         {"crv", "curve", "double", "1"}, {"lb", "lowBound", "double", "0"},
                                         {"hb", "highBound", "double", "2"}})));
  MPointArray p = pointsOf("columnShape");
  expectPoint(p, 1, 0.5, 0, 0);
  expectPoint(p, 3, 1.25, 1, 0);
  expectPoint(p, 5, 1, 2, 0);
  // A sine of amplitude 0.5 and wavelength 4: a quarter wave up at 1, none at 0 and 2.
  expectAllEvaluated(loadScene(deformed("sine1", "deformSine",
                                        {{"amp", "amplitude", "double", "0.5"}, {"wav", "wavelength", "double", "4"},
                                         {"lb", "lowBound", "double", "0"}, {"hb", "highBound", "double", "2"}})));
  p = pointsOf("columnShape");
  expectPoint(p, 0, -0.5, 0, 0);
  expectPoint(p, 2, 0, 1, 0);
  expectPoint(p, 5, 0.5, 2, 0);
}

TEST_F(HostTest, NonLinearWithoutAUsableHandleKeepsTheMeshUpstream) {
  // A curvature that is not a number, the handle's bounds crossed, no handle at all:
  // each said so, and the column comes out as its Orig shape has it.
  const std::string crossed = deformed("bend1", "deformBend",
                                       {{"cur", "curvature", "doubleAngle", "90"}, {"lb", "lowBound", "double", "0.5"},
                                        {"hb", "highBound", "double", "0.2"}});
  std::string noHandle = bendScene("90");
  noHandle.replace(noHandle.find("connectAttr \"bend1HandleShape.dd\""), 0, "//");
  const std::pair<std::string, const char*> cases[] = {
      {bendScene("nan"), "its curvature is not a number"},
      {crossed, "its lowBound is above its highBound"},
      {noHandle, "no deformer handle is connected to its deformerData"}};
  for (const auto& [scene, why] : cases) {
    expectReported(loadScene(scene), "columnShape: construction history through bend1 (nonLinear) is not evaluated (" +
                                         std::string(why) + "); the mesh takes the geometry upstream of it");
    MPointArray p = pointsOf("columnShape");
    expectPoint(p, 4, -0.5, 2, 0);
  }
}

TEST_F(HostTest, EnvelopeAndHandleEditsReachTheDeformedColumn) {
  const double r = 2.0 / kPi;
  expectAllEvaluated(loadScene(bendScene("90")));
  const MPointArray bent = pointsOf("columnShape");
  expectPoint(bent, 4, 2 * r + 0.5, 0, 0);

  mel("setAttr bend1.envelope 0");
  expectPoint(pointsOf("columnShape"), 4, -0.5, 2, 0);
  mel("setAttr bend1.envelope 1");
  expectPoint(pointsOf("columnShape"), 4, 2 * r + 0.5, 0, 0);

  // The handle (and so the bend) raised by 1: the column's lower half stays straight.
  mel("setAttr bend1Handle.translateY 1");
  MPointArray raised = pointsOf("columnShape");
  expectPoint(raised, 2, -0.5, 1, 0);
  EXPECT_GT(std::fabs(raised[4].y - bent[4].y), 0.5);
  mel("setAttr bend1Handle.translateY 0");
  expectPoint(pointsOf("columnShape"), 4, 2 * r + 0.5, 0, 0);

  // Undone through a modifier: the first answer again.
  MDGModifier flatten;
  ASSERT_EQ(flatten.newPlugValueDouble(MFnDependencyNode(node("bend1")).findPlug("envelope", true), 0.0),
            MStatus::kSuccess);
  ASSERT_EQ(flatten.doIt(), MStatus::kSuccess);
  expectPoint(pointsOf("columnShape"), 4, -0.5, 2, 0);
  ASSERT_EQ(flatten.undoIt(), MStatus::kSuccess);
  MPointArray again = pointsOf("columnShape");
  ASSERT_EQ(again.length(), bent.length());
  for (unsigned i = 0; i < bent.length(); ++i)
    EXPECT_TRUE(again[i] == bent[i]) << "vertex " << i;
}
