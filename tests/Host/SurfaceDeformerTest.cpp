// Deformers on NURBS surfaces as Maya writes them (ribbon rigs): the deformer
// takes the intermediate "Orig" surface's worldSpace on input[0].inputGeometry
// and feeds the shape's create from outputGeometry[0]; the shape itself holds
// no CVs in the file. Weights are per CV in the order the surface keeps them,
// u major (a Maya 2025 ribbon, makeNurbPlane -v 4, weighs its 28 CVs in four
// runs of seven along V).
#include "HistoryScene.h"

#include <maya/MFnNurbsSurface.h>
#include <maya/MPointArray.h>

#include <cmath>
#include <string>

using namespace HistoryScene;

namespace {

const double kPi = 3.14159265358979323846;

// A plane of 4 x 7 CVs (makeNurbPlane, patches 1 x 4) turned a quarter about Y
// by transformGeometry1 onto ribbonShapeOrig, and `deformer`'s output on ribbonShape.
std::string ribbon(const std::string& deformer, const std::string& nodes) {
  return "createNode transform -n \"ribbon\";\n"
         "createNode nurbsSurface -n \"ribbonShape\" -p \"ribbon\";\n"
         "\tsetAttr -k off \".v\";\n\tsetAttr \".vir\" yes;\n\tsetAttr \".vif\" yes;\n\tsetAttr \".tw\" yes;\n"
         "\tsetAttr \".covm[0]\"  0 1 1;\n\tsetAttr \".cdvm[0]\"  0 1 1;\n\tsetAttr \".dvu\" 0;\n\tsetAttr \".dvv\" 0;\n"
         "\tsetAttr \".cpr\" 4;\n\tsetAttr \".cps\" 4;\n"
         "createNode nurbsSurface -n \"ribbonShapeOrig\" -p \"ribbon\";\n"
         "\tsetAttr -k off \".v\";\n\tsetAttr \".io\" yes;\n\tsetAttr \".vir\" yes;\n\tsetAttr \".vif\" yes;\n"
         "\tsetAttr \".tw\" yes;\n\tsetAttr \".dvu\" 0;\n\tsetAttr \".dvv\" 0;\n\tsetAttr \".cpr\" 4;\n\tsetAttr \".cps\" 4;\n" +
         nodes +
         "createNode makeNurbPlane -n \"makeNurbPlane1\";\n"
         "\tsetAttr \".ax\" -type \"double3\" 0 1 0 ;\n\tsetAttr \".w\" 1;\n\tsetAttr \".lr\" 4;\n\tsetAttr \".v\" 4;\n"
         "createNode transformGeometry -n \"transformGeometry1\";\n"
         "\tsetAttr \".txf\" -type \"matrix\" 0 0 1 0 0 1 0 0 -1 0 0 0\n\t\t 0 0 0 1;\n"
         "connectAttr \"" + deformer + ".og[0]\" \"ribbonShape.cr\";\n"
         "connectAttr \"transformGeometry1.og\" \"ribbonShapeOrig.cr\";\n"
         "connectAttr \"makeNurbPlane1.os\" \"transformGeometry1.ig\";\n"
         "connectAttr \"ribbonShapeOrig.ws\" \"" + deformer + ".ip[0].ig\";\n"
         "connectAttr \"ribbonShapeOrig.l\" \"" + deformer + ".orggeom[0]\";\n";
}

// Three joints along the ribbon, bound where they stand (bindPreMatrix their
// inverse); joint2 has since moved 1 up Y and joint3 half back along Z.
std::string skinnedRibbon(const std::string& weightList) {
  std::string joints;
  const char* places[] = {"-2 0 0", "0 0 0", "2 0 0"};
  const char* moved[] = {"-2 0 0", "0 1 0", "2 0 -0.5"};
  for (int j = 0; j < 3; ++j)
    joints += "createNode joint -n \"joint" + std::to_string(j + 1) + "\";\n\taddAttr -ci true -sn \"liw\" -ln "
              "\"lockInfluenceWeights\" -min 0 -max 1 -at \"bool\";\n\tsetAttr \".t\" -type \"double3\" " +
              moved[j] + " ;\n\tsetAttr \".bps\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 " + places[j] + " 1;\n";
  std::string skin = "createNode skinCluster -n \"skinCluster1\";\n" + weightList + "\tsetAttr -s 3 \".pm\";\n";
  const char* inverse[] = {"2 0 0", "0 0 0", "-2 0 0"};
  for (int j = 0; j < 3; ++j)
    skin += "\tsetAttr \".pm[" + std::to_string(j) + "]\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 " + inverse[j] +
            " 1;\n";
  skin += "\tsetAttr \".gm\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n\tsetAttr -s 3 \".ma\";\n"
          "\tsetAttr -s 3 \".dpf[0:2]\"  4 4 4;\n\tsetAttr \".mi\" 1;\n\tsetAttr \".ucm\" yes;\n";
  std::string scene = ribbon("skinCluster1", joints + skin);
  for (int j = 0; j < 3; ++j)
    scene += "connectAttr \"joint" + std::to_string(j + 1) + ".wm\" \"skinCluster1.ma[" + std::to_string(j) + "]\";\n";
  return scene;
}

// The weights of the first `count` CVs as Maya writes them: each run of seven
// CVs along V goes from joint1 through joint2 to joint3.
std::string ribbonWeights(int count) {
  const char* rows[] = {"1 0 1", "2 0 0.8 1 0.2", "2 0 0.6 1 0.4", "1 1 1", "2 1 0.4 2 0.6", "2 1 0.2 2 0.8", "1 2 1"};
  std::string out = "\tsetAttr -s " + std::to_string(count) + " \".wl\";\n\tsetAttr \".wl[0:" +
                    std::to_string(count - 1) + "].w\"";
  for (int k = 0; k < count; ++k)
    out += std::string("\n\t\t") + rows[k % 7];
  return out + ";\n";
}

MPointArray cvsOf(const char* shape) {
  MFnNurbsSurface surface(HostTest::path(shape));
  MPointArray cvs;
  EXPECT_EQ(surface.getCVs(cvs), MStatus::kSuccess) << shape;
  return cvs;
}

// Every CV k of the shape lies where `moved` puts CV k of the Orig shape.
template <typename Move>
void expectMovedCVs(const char* shape, Move moved) {
  const MPointArray rest = cvsOf("ribbonShapeOrig"), now = cvsOf(shape);
  ASSERT_EQ(now.length(), rest.length());
  for (unsigned k = 0; k < now.length(); ++k) {
    const MPoint want = moved(k, rest[k]);
    EXPECT_NEAR(distance(now[k], want), 0.0, 1e-9) << "CV " << k << " at " << now[k].x << " " << now[k].y << " "
                                                   << now[k].z;
  }
}

}  // namespace

TEST_F(HostTest, SkinClusterMovesARibbonsCVsByTheirWeights) {
  auto problems = loadScene(skinnedRibbon(ribbonWeights(28)));
  expectAllEvaluated(problems);
  MFnNurbsSurface surface(path("ribbonShape"));
  EXPECT_EQ(surface.numCVsInU(), 4);
  EXPECT_EQ(surface.numCVsInV(), 7);
  // The joints only moved, so CV k moves by joint2's move times its weight plus joint3's.
  const double share2[] = {0, 0.2, 0.4, 1, 0.4, 0.2, 0}, share3[] = {0, 0, 0, 0, 0.6, 0.8, 1};
  expectMovedCVs("ribbonShape", [&](unsigned k, const MPoint& p) {
    return MPoint(p.x, p.y + share2[k % 7], p.z - 0.5 * share3[k % 7]);
  });
  // The rest pose runs along X, as the joints do: the turn of transformGeometry1 is applied.
  const MPointArray rest = cvsOf("ribbonShapeOrig");
  EXPECT_NEAR(std::fabs(rest[6].x - rest[0].x), 4.0, 1e-9);

  // Weights for fewer CVs than the surface has: said, and the surface at rest rather than none.
  problems = loadScene(skinnedRibbon(ribbonWeights(27)));
  expectReported(problems, "ribbonShape: construction history through skinCluster1 (skinCluster) is not evaluated "
                           "(its weightList has 27 entries for 28 points (vertices or CVs)); the surface takes the geometry "
                           "upstream of it");
  expectMovedCVs("ribbonShape", [](unsigned, const MPoint& p) { return p; });
}

TEST_F(HostTest, ClusterAndNonLinearDeformSurfacesAsMeshes) {
  // cluster1's handle moved 1 along X; its weights rise along V by eighths.
  std::string weights;
  for (int k = 0; k < 28; ++k)
    weights += " " + std::to_string((k % 7) / 8.0);
  const std::string cluster =
      "createNode transform -n \"cluster1Handle\";\n\tsetAttr \".t\" -type \"double3\" 1 0 0 ;\n"
      "createNode clusterHandle -n \"cluster1HandleShape\" -p \"cluster1Handle\";\n\tsetAttr \".ihi\" 0;\n"
      "\tsetAttr -k off \".v\";\n"
      "createNode cluster -n \"cluster1\";\n\tsetAttr -s 28 \".wl[0].w[0:27]\" " + weights + ";\n"
      "\tsetAttr \".gm[0]\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n"
      "\tsetAttr \".pm\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n";
  std::string scene = ribbon("cluster1", cluster) + "connectAttr \"cluster1Handle.wm\" \"cluster1.ma\";\n"
                                                    "connectAttr \"cluster1HandleShape.x\" \"cluster1.x\";\n";
  expectAllEvaluated(loadScene(scene));
  expectMovedCVs("ribbonShape", [](unsigned k, const MPoint& p) { return MPoint(p.x + (k % 7) / 8.0, p.y, p.z); });

  // bend1 on a strip of 2 x 3 CVs up Y, as on the column of quads: 90 degrees per
  // unit of the handle from 0 to 2 puts the strip on a half circle of radius 2/pi.
  std::string bend =
      "createNode transform -n \"strip\";\n"
      "createNode nurbsSurface -n \"stripShape\" -p \"strip\";\n\tsetAttr -k off \".v\";\n"
      "createNode nurbsSurface -n \"stripShapeOrig\" -p \"strip\";\n\tsetAttr -k off \".v\";\n\tsetAttr \".io\" yes;\n"
      "\tsetAttr \".cc\" -type \"nurbsSurface\" \n\t\t1 1 0 0 no \n\t\t2 0 1\n\t\t3 0 1 2\n\t\t\n\t\t6\n"
      "\t\t-0.5 0 0\n\t\t-0.5 1 0\n\t\t-0.5 2 0\n\t\t0.5 0 0\n\t\t0.5 1 0\n\t\t0.5 2 0\n\t\t;\n"
      "createNode transform -n \"bend1Handle\";\n\tsetAttr \".smd\" 7;\n"
      "createNode deformBend -n \"bend1HandleShape\" -p \"bend1Handle\";\n\tsetAttr -k off \".v\";\n"
      "createNode nonLinear -n \"bend1\";\n"
      "\taddAttr -is true -ci true -k true -sn \"cur\" -ln \"curvature\" -at \"doubleAngle\";\n"
      "\taddAttr -is true -ci true -k true -sn \"lb\" -ln \"lowBound\" -at \"double\";\n"
      "\taddAttr -is true -ci true -k true -sn \"hb\" -ln \"highBound\" -at \"double\";\n"
      "\tsetAttr -k on \".cur\" 90;\n\tsetAttr -k on \".lb\" 0;\n\tsetAttr -k on \".hb\" 2;\n"
      "connectAttr \"stripShapeOrig.ws\" \"bend1.ip[0].ig\";\nconnectAttr \"stripShapeOrig.l\" \"bend1.orggeom[0]\";\n"
      "connectAttr \"bend1HandleShape.dd\" \"bend1.dd\";\nconnectAttr \"bend1Handle.wm\" \"bend1.ma\";\n"
      "connectAttr \"bend1.cur\" \"bend1HandleShape.cur\";\nconnectAttr \"bend1.lb\" \"bend1HandleShape.lb\";\n"
      "connectAttr \"bend1.hb\" \"bend1HandleShape.hb\";\nconnectAttr \"bend1.og[0]\" \"stripShape.cr\";\n";
  expectAllEvaluated(loadScene(bend));
  const double r = 2.0 / kPi;
  const MPointArray cvs = cvsOf("stripShape");
  const double want[6][2] = {{-0.5, 0}, {r, r + 0.5}, {2 * r + 0.5, 0}, {0.5, 0}, {r, r - 0.5}, {2 * r - 0.5, 0}};
  ASSERT_EQ(cvs.length(), 6u);
  for (unsigned k = 0; k < 6; ++k) {
    EXPECT_NEAR(cvs[k].x, want[k][0], 1e-9) << "CV " << k;
    EXPECT_NEAR(cvs[k].y, want[k][1], 1e-9) << "CV " << k;
  }

  // A deformer the host evaluates on meshes only: said, and the surface upstream of it.
  std::string blend = ribbon("blendShape1", "createNode blendShape -n \"blendShape1\";\n");
  auto problems = loadScene(blend);
  expectReported(problems, "ribbonShape: construction history through blendShape1 (blendShape) is not evaluated (the "
                           "host deforms only meshes with blendShape nodes); the surface takes the geometry upstream "
                           "of it");
  expectMovedCVs("ribbonShape", [](unsigned, const MPoint& p) { return p; });
}
