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

TEST_F(HostTest, ATweakOnABentColumnSurvivesASave) {
  // The shape's tweak goes on top of what the bend gives; the saved shape keeps
  // it and none of its points.
  std::string scene = bendScene("90");
  const std::string shapeLine = "createNode mesh -n \"columnShape\" -p \"column\";\n";
  scene.insert(scene.find(shapeLine) + shapeLine.size(), "\tsetAttr \".pt[4]\" -type \"float3\" 0 0.25 0.1 ;\n");
  expectAllEvaluated(loadScene(scene));
  const MPointArray bent = pointsOf("columnShape");
  expectPoint(bent, 4, 4 / kPi + 0.5, 0.25, 0.1);
  const std::string saved = saveAndReopen();
  expectSamePoints(pointsOf("columnShape"), bent);
  const std::string shape = saved.substr(saved.find(shapeLine), saved.find("createNode mesh -n \"columnShapeOrig\"") -
                                                                     saved.find(shapeLine));
  EXPECT_NE(shape.find("\tsetAttr -s 1 \".pt\";\n\tsetAttr \".pt[4]\" -type \"float3\" 0 0.25 0.10000000000000001 ;\n"),
            std::string::npos)
      << shape;
  EXPECT_EQ(shape.find(".vt"), std::string::npos) << shape;
}

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

namespace {

// The column deformed by `type`1 (cluster1, softMod1), its handle moved 1
// along X under `parent` ("" for none); the top row weighted 1, the middle
// 0.5, the bottom 0.
std::string clustered(const std::string& parent, const std::string& settings, const std::string& type = "cluster") {
  const std::string node = type + "1", handle = node + "Handle";
  std::string scene = kColumn;
  if (!parent.empty())
    scene += "createNode transform -n \"" + parent + "\";\n\tsetAttr \".t\" -type \"double3\" 0 0 3 ;\n";
  scene += "createNode transform -n \"" + handle + "\"" + (parent.empty() ? std::string() : " -p \"" + parent + "\"") +
           ";\n\tsetAttr \".t\" -type \"double3\" 1 0 0 ;\n\tsetAttr \".rp\" -type \"double3\" 0 2 0 ;\n"
           "\tsetAttr \".sp\" -type \"double3\" 0 2 0 ;\n"
           "createNode " + type + "Handle -n \"" + handle + "Shape\" -p \"" + handle + "\";\n\tsetAttr \".ihi\" 0;\n"
           "\tsetAttr -k off \".v\";\n"
           "createNode " + type + " -n \"" + node + "\";\n\tsetAttr -s 6 \".wl[0].w[0:5]\"  0 0 0.5 0.5 1 1;\n"
           "\tsetAttr \".gm[0]\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n" +
           settings +
           "connectAttr \"columnShapeOrig.w\" \"" + node + ".ip[0].ig\";\n"
           "connectAttr \"columnShapeOrig.o\" \"" + node + ".orggeom[0]\";\n"
           "connectAttr \"" + handle + ".wm\" \"" + node + ".ma\";\n"
           "connectAttr \"" + handle + "Shape.x\" \"" + node + ".x\";\n"
           "connectAttr \"" + node + ".og[0]\" \"columnShape.i\";\n";
  return scene;
}

const char* kBoundAtRest = "\tsetAttr \".pm\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n";

}  // namespace

TEST_F(HostTest, ClusterMovesPointsByItsHandleAndTheirWeights) {
  expectAllEvaluated(loadScene(clustered("", kBoundAtRest)));
  MPointArray p = pointsOf("columnShape");
  expectPoint(p, 0, -0.5, 0, 0);
  expectPoint(p, 3, 1, 1, 0);
  expectPoint(p, 4, 0.5, 2, 0);
  loadScene(clustered("", std::string(kBoundAtRest) + "\tsetAttr \".en\" 0.5;\n"));
  expectPoint(pointsOf("columnShape"), 4, 0, 2, 0);

  // Bound where the handle stands now: nothing moves.
  loadScene(clustered("", "\tsetAttr \".pm\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 -1 0 0 1;\n"));
  expectPoint(pointsOf("columnShape"), 4, -0.5, 2, 0);

  // Under a parent moved 3 along Z: the whole move without relative, the handle's own with it.
  loadScene(clustered("rig", kBoundAtRest));
  expectPoint(pointsOf("columnShape"), 4, 0.5, 2, 3);
  loadScene(clustered("rig", std::string(kBoundAtRest) + "\tsetAttr \".rel\" yes;\n"));
  expectPoint(pointsOf("columnShape"), 4, 0.5, 2, 0);
  expectPoint(pointsOf("columnShape"), 2, 0, 1, 0);

  // A bind matrix of NaNs, a geomMatrix that cannot be inverted: the column as it was.
  auto problems = loadScene(clustered("", "\tsetAttr \".pm\" -type \"matrix\" nan 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n"));
  expectReported(problems, "columnShape: construction history through cluster1 (cluster) is not evaluated (its "
                           "matrices are not numbers)");
  expectPoint(pointsOf("columnShape"), 4, -0.5, 2, 0);
  std::string flat = clustered("", kBoundAtRest);
  const std::string identityStart = "\".gm[0]\" -type \"matrix\" 1";
  flat.replace(flat.find(identityStart), identityStart.size(), "\".gm[0]\" -type \"matrix\" 0");
  expectReported(loadScene(flat), "(its geomMatrix cannot be inverted)");
}

TEST_F(HostTest, SoftModFadesItsHandlesMoveAlongItsFalloffCurve) {
  // Centre (0 2 0), radius 2, the ramp Maya saves (1 at the centre to 0 at the radius, smooth): the top
  // points lie 0.5 away (t = 0.25, eased 0.15625, so 0.84375 of the move), the middle ones sqrt(1.25) away,
  // the bottom ones beyond the radius. The weights stay all 1 here.
  const std::string ramp = "\tsetAttr -s 2 \".fc[0:1]\"  1 0 2 0 1 2;\n\tsetAttr \".fr\" 2;\n"
                           "\tsetAttr \".fcr\" -type \"double3\" 0 2 0 ;\n\tsetAttr \".fas\" no;\n";
  std::string scene = clustered("", std::string(kBoundAtRest) + ramp, "softMod");
  scene.replace(scene.find("0 0 0.5 0.5 1 1"), 15, "1 1 1 1 1 1");
  expectAllEvaluated(loadScene(scene));
  MPointArray p = pointsOf("columnShape");
  expectPoint(p, 4, -0.5 + 0.84375, 2, 0);
  const double t = std::sqrt(1.25) / 2;
  expectPoint(p, 3, 0.5 + 1 - t * t * (3 - 2 * t), 1, 0);
  expectPoint(p, 1, 0.5, 0, 0);

  // Linear keys; the weights of the column's rows on top.
  std::string linear = clustered("", std::string(kBoundAtRest) + ramp, "softMod");
  linear.replace(linear.find("1 0 2 0 1 2"), 11, "1 0 1 0 1 1");
  loadScene(linear);
  expectPoint(pointsOf("columnShape"), 4, -0.5 + 0.75, 2, 0);
  expectPoint(pointsOf("columnShape"), 0, -0.5, 0, 0);

  // Distances over the surface are not evaluated; a radius that is not a number is refused.
  expectReported(loadScene(clustered("", std::string(kBoundAtRest) + ramp + "\tsetAttr \".fm\" 1;\n", "softMod")),
                 "(its falloff runs over the surface (falloffMode 1), which the host does not evaluate)");
  expectReported(loadScene(clustered("", std::string(kBoundAtRest) + "\tsetAttr \".fr\" nan;\n", "softMod")),
                 "softMod1 (softMod) is not evaluated (a value is not a number)");
}

TEST_F(HostTest, ClusterBindPreMatrixFollowsThePlugItIsConnectedFrom) {
  // Bound to the handle's worldInverseMatrix: the handle where it stands moves nothing.
  std::string scene = clustered("rig", "");
  scene.replace(scene.find("connectAttr \"cluster1Handle.wm\""), 0,
                "connectAttr \"cluster1Handle.wim\" \"cluster1.pm\";\n");
  expectAllEvaluated(loadScene(scene));
  expectPoint(pointsOf("columnShape"), 4, -0.5, 2, 0);
  // Bound to its parentInverseMatrix: only the handle's own move (1 along X) counts.
  scene.replace(scene.find("cluster1Handle.wim"), 18, "cluster1Handle.pim");
  loadScene(scene);
  expectPoint(pointsOf("columnShape"), 4, 0.5, 2, 0);
}

namespace {

// The lattice points of `t` rows (s fastest, then t, then u), the top row moved 0.5 along X.
std::string latticePoints(int rows) {
  std::string data = "2 " + std::to_string(rows) + " 2 " + std::to_string(4 * rows);
  for (double u : {-0.5, 0.5})
    for (int t = 0; t < rows; ++t)
      for (double s : {-0.5, 0.5}) {
        const double y = -0.5 + static_cast<double>(t) / (rows - 1);
        data += " " + std::to_string(s + (t == rows - 1 ? 0.5 : 0.0)) + " " + std::to_string(y) + " " +
                std::to_string(u);
      }
  return data;
}

// The column deformed by ffd1: lattice and base both 2 wide, 2 high from y 0, 2 deep.
std::string latticed(int rows, const std::string& settings) {
  const char* place = "\tsetAttr \".t\" -type \"double3\" 0 1 0 ;\n\tsetAttr \".s\" -type \"double3\" 2 2 2 ;\n";
  return std::string(kColumn) + "createNode transform -n \"ffd1Lattice\";\n" + place +
         "createNode lattice -n \"ffd1LatticeShape\" -p \"ffd1Lattice\";\n\tsetAttr -k off \".v\";\n\tsetAttr \".td\" " +
         std::to_string(rows) + ";\n\tsetAttr \".cc\" -type \"lattice\" " + latticePoints(rows) + " ;\n" +
         "createNode transform -n \"ffd1Base\";\n" + place +
         "createNode baseLattice -n \"ffd1BaseShape\" -p \"ffd1Base\";\n\tsetAttr \".ihi\" 0;\n\tsetAttr -k off \".v\";\n"
         "createNode ffd -n \"ffd1\";\n" + settings +
         "connectAttr \"columnShapeOrig.w\" \"ffd1.ip[0].ig\";\nconnectAttr \"columnShapeOrig.o\" \"ffd1.orggeom[0]\";\n"
         "connectAttr \"ffd1LatticeShape.wm\" \"ffd1.dlm\";\nconnectAttr \"ffd1LatticeShape.lo\" \"ffd1.dlp\";\n"
         "connectAttr \"ffd1BaseShape.wm\" \"ffd1.blm\";\nconnectAttr \"ffd1.og[0]\" \"columnShape.i\";\n";
}

}  // namespace

TEST_F(HostTest, LatticeBendsTheColumnAsItsPointsMove) {
  // Two rows: the top moved 0.5 of the lattice (1 in the world): each point by its height's share.
  expectAllEvaluated(loadScene(latticed(2, "")));
  MPointArray p = pointsOf("columnShape");
  expectPoint(p, 0, -0.5, 0, 0);
  expectPoint(p, 2, 0, 1, 0);
  expectPoint(p, 5, 1.5, 2, 0);

  // Five rows, the top one moved: the whole lattice places each point (t^4 of the move at height t),
  // or, locally, the two rows round its cell (nothing below the top cell).
  loadScene(latticed(5, ""));
  expectPoint(pointsOf("columnShape"), 2, -0.5 + 0.0625, 1, 0);
  expectPoint(pointsOf("columnShape"), 4, 0.5, 2, 0);
  auto problems = loadScene(latticed(5, "\tsetAttr \".lo\" yes;\n"));
  expectReported(problems, "its local lattice influence is the host's");
  expectPoint(pointsOf("columnShape"), 2, -0.5, 1, 0);
  expectPoint(pointsOf("columnShape"), 4, 0.5, 2, 0);

  // Lattice data whose count does not match its divisions: the column as it was.
  std::string bad = latticed(2, "");
  bad.replace(bad.find("\"lattice\" 2 2 2 8"), 17, "\"lattice\" 2 2 2 9");
  problems = loadScene(bad);
  expectReported(problems, "ffd1 (ffd) is not evaluated (no lattice with readable points is connected to its "
                           "deformedLatticePoints)");
  expectPoint(pointsOf("columnShape"), 5, 0.5, 2, 0);
}

namespace {

// The 2 x 2 plane, its middle point raised 1 by polyTweak1, mushed by deltaMush1 against the flat plane.
std::string mushed(const std::string& settings) {
  std::string s = creatorScene("Plane", "\tsetAttr \".sw\" 2;\n\tsetAttr \".sh\" 2;\n\tsetAttr \".cuv\" 2;\n");
  s.erase(s.find("connectAttr \"polyPlane1.out\""));
  return s + "createNode polyTweak -n \"polyTweak1\";\n\tsetAttr \".uopa\" yes;\n"
             "\tsetAttr \".tk[4]\" -type \"float3\" 0 1 0;\nconnectAttr \"polyPlane1.out\" \"polyTweak1.ip\";\n"
             "createNode deltaMush -n \"deltaMush1\";\n" + settings +
         "connectAttr \"polyTweak1.out\" \"deltaMush1.ip[0].ig\";\nconnectAttr \"polyPlane1.out\" \"deltaMush1.orggeom[0]\";\n"
         "connectAttr \"deltaMush1.og[0]\" \"pPlaneShape1.i\";\n";
}

}  // namespace

TEST_F(HostTest, DeltaMushSmoothsTheDeformationAndSaysItIsTheHosts) {
  // The flat rest has no detail to keep; the bump halves towards its neighbours (y 0) each time,
  // the border held.
  auto problems = loadScene(mushed("\tsetAttr \".si\" 1;\n"));
  expectReported(problems, "pPlaneShape1: construction history through deltaMush1 (deltaMush): its smoothing is the "
                           "host's; Maya's may differ");
  MPointArray p = pointsOf("pPlaneShape1");
  expectPoint(p, 4, 0, 0.5, 0);
  expectPoint(p, 0, -0.5, 0, 0.5);
  loadScene(mushed(""));
  expectPoint(pointsOf("pPlaneShape1"), 4, 0, std::pow(0.5, 10), 0);
  loadScene(mushed("\tsetAttr \".si\" 1;\n\tsetAttr \".en\" 0.5;\n"));
  expectPoint(pointsOf("pPlaneShape1"), 4, 0, 0.75, 0);

  // No smoothing gives the input back; values out of range leave it upstream.
  loadScene(mushed("\tsetAttr \".si\" 0;\n"));
  expectPoint(pointsOf("pPlaneShape1"), 4, 0, 1, 0);
  expectReported(loadScene(mushed("\tsetAttr \".ss\" 2;\n")),
                 "(its smoothingIterations, smoothingStep or displacement is out of range)");
}

namespace {

// A mesh `name`Shape under `name` with the column's points and faces, moved by `attrs`.
std::string columnCopy(const std::string& name, const std::string& attrs) {
  return "createNode transform -n \"" + name + "\";\ncreateNode mesh -n \"" + name + "Shape\" -p \"" + name +
         "\";\n\tsetAttr -k off \".v\";\n"
         "\tsetAttr -s 6 \".vt[0:5]\"  -0.5 0 0 0.5 0 0 -0.5 1 0 0.5 1 0 -0.5 2 0 0.5 2 0;\n"
         "\tsetAttr -s 7 \".ed[0:6]\"  0 1 0 0 2 0 1 3 0 2 3 0 2 4 0 3 5 0 4 5 0;\n"
         "\tsetAttr -s 2 -ch 8 \".fc[0:1]\" -type \"polyFaces\" f 4 0 2 -4 -2 f 4 3 5 -7 -5;\n" + attrs;
}

// The column wrapped by `driver`, bound against `base`: copies of the column.
std::string wrapped(const std::string& driverAttrs, const std::string& settings) {
  return std::string(kColumn) + columnCopy("driver", driverAttrs) + columnCopy("driverBase", "\tsetAttr \".io\" yes;\n") +
         "createNode wrap -n \"wrap1\";\n" + settings +
         "connectAttr \"columnShapeOrig.w\" \"wrap1.ip[0].ig\";\nconnectAttr \"columnShapeOrig.o\" \"wrap1.orggeom[0]\";\n"
         "connectAttr \"driverShape.w\" \"wrap1.dp[0]\";\nconnectAttr \"driverBaseShape.w\" \"wrap1.bp[0]\";\n"
         "connectAttr \"column.wm\" \"wrap1.gm\";\nconnectAttr \"wrap1.og[0]\" \"columnShape.i\";\n";
}

}  // namespace

TEST_F(HostTest, WrapCarriesEachPointWithTheInfluencePointNearestIt) {
  // The influence's point 4 moved 1 along X by a tweak: the column's point 4, bound to it, follows alone.
  auto problems = loadScene(wrapped("\tsetAttr \".pt[4]\" -type \"float3\" 1 0 0 ;\n", ""));
  expectReported(problems, "wrap1 (wrap): its binding is the host's (each point moves with the influence point "
                           "nearest it); Maya's may differ");
  MPointArray p = pointsOf("columnShape");
  expectPoint(p, 4, 0.5, 2, 0);
  expectPoint(p, 5, 0.5, 2, 0);
  expectPoint(p, 0, -0.5, 0, 0);

  // The influence moved 3 along Z as a whole: every point follows, in world space.
  loadScene(wrapped("", "") + "setAttr \"driver.t\" -type \"double3\" 0 0 3 ;\n");
  expectPoint(pointsOf("columnShape"), 2, -0.5, 1, 3);

  // No base to bind against: the column as it was.
  std::string unbound = wrapped("\tsetAttr \".pt[4]\" -type \"float3\" 1 0 0 ;\n", "");
  const std::string base = "connectAttr \"driverBaseShape.w\" \"wrap1.bp[0]\";\n";
  unbound.erase(unbound.find(base), base.size());
  expectReported(loadScene(unbound), "(its driverPoints and basePoints are not meshes of one topology)");
  expectPoint(pointsOf("columnShape"), 4, -0.5, 2, 0);
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
