#include "HistoryNodeTypes.h"

namespace OmbrixHost {
namespace {

using K = AttrKind;

std::shared_ptr<AttrDef> number(const char* name, const char* shortName, double def, K kind = K::kDouble) {
  return makeAttr(name, shortName, kind, false, def);
}

// polyModifier: a mesh in, a mesh out, the components the operation applies to.
AttrList polyModifierAttrs(AttrListMaker dependAttrs, std::initializer_list<std::shared_ptr<AttrDef>> extra) {
  AttrList a = dependAttrs();
  a.push_back(makeAttr("inputPolymesh", "ip", K::kMesh));
  a.push_back(makeAttr("output", "out", K::kMesh));
  a.push_back(makeAttr("inputComponents", "ics", K::kComponentList));
  a.push_back(makeAttr("uvSetName", "uvs", K::kString));
  for (auto& e : extra)
    a.push_back(e);
  return a;
}

// geometryFilter: input[i].inputGeometry is deformed into outputGeometry[i].
AttrList deformerAttrs(AttrListMaker dependAttrs, std::initializer_list<std::shared_ptr<AttrDef>> extra) {
  AttrList a = dependAttrs();
  a.push_back(makeCompound("input", "ip", true,
                           {makeAttr("inputGeometry", "ig", K::kGeneric), makeAttr("groupId", "gi", K::kInt)}));
  a.push_back(makeAttr("outputGeometry", "og", K::kGeneric, true));
  a.push_back(makeAttr("originalGeometry", "orggeom", K::kGeneric, true));
  a.push_back(number("envelope", "en", 1.0, K::kFloat));
  for (auto& e : extra)
    a.push_back(e);
  return a;
}

std::shared_ptr<AttrDef> uvPair(const char* name, const char* shortName, const char* n1, const char* s1, const char* n2,
                              const char* s2, double def) {
  return makeCompound(name, shortName, false, {number(n1, s1, def), number(n2, s2, def)});
}

std::shared_ptr<AttrDef> pair(const char* name, const char* shortName, const char* n1, const char* s1, double d1,
                              const char* n2, const char* s2, double d2) {
  return makeCompound(name, shortName, false, {number(n1, s1, d1), number(n2, s2, d2)});
}

// polyModifierWorld: a polyModifier whose values may be in world space, through inputMatrix.
AttrList worldModifierAttrs(AttrListMaker dependAttrs, std::initializer_list<std::shared_ptr<AttrDef>> extra) {
  AttrList a = polyModifierAttrs(dependAttrs, {makeAttr("inputMatrix", "ix", K::kMatrix),
                                               makeAttr("worldSpace", "ws", K::kBool),
                                               makeAttr("manipMatrix", "mp", K::kMatrix)});
  a.insert(a.end(), extra);
  return a;
}

// The projection manipulator's values (polyPlanarProj, polyCylProj, polySphProj); `scale` is projectionScale.
AttrList projectionAttrs(AttrListMaker dependAttrs, std::shared_ptr<AttrDef> scale,
                         std::initializer_list<std::shared_ptr<AttrDef>> extra) {
  AttrList a = worldModifierAttrs(
      dependAttrs,
      {makeTriple("projectionCenter", "pc", "XYZ", "xyz", K::kDouble),
       makeCompound("rotate", "ro", false,
                    {number("rotateX", "rx", 0, K::kAngle), number("rotateY", "ry", 0, K::kAngle),
                     number("rotateZ", "rz", 0, K::kAngle)}),
       uvPair("imageCenter", "ic", "imageCenterX", "icx", "imageCenterY", "icy", 0.5),
       uvPair("imageScale", "is", "imageScaleU", "isu", "imageScaleV", "isv", 1.0),
       number("rotationAngle", "ra", 0, K::kAngle), number("radius", "r", 10), scale});
  a.insert(a.end(), extra);
  return a;
}

AttrList transformGeometryAttrs(AttrListMaker dependAttrs) {
  AttrList a = dependAttrs();
  a.insert(a.end(), {makeAttr("inputGeometry", "ig", K::kGeneric), makeAttr("outputGeometry", "og", K::kGeneric),
                     makeAttr("transform", "txf", K::kMatrix), makeAttr("invertTransform", "itf", K::kBool),
                     makeAttr("freezeNormals", "fn", K::kEnum)});
  return a;
}

AttrList tweakAttrs(AttrListMaker dependAttrs) {
  auto vertex = makeCompound("vertex", "vt", true,
                             {number("xVertex", "vx", 0, K::kFloat), number("yVertex", "vy", 0, K::kFloat),
                              number("zVertex", "vz", 0, K::kFloat)});
  auto controlPoints = makeCompound("controlPoints", "cp", true,
                                    {number("xValue", "xv", 0), number("yValue", "yv", 0), number("zValue", "zv", 0)});
  return deformerAttrs(dependAttrs, {number("relativeTweak", "rtw", 1, K::kBool),
                                     makeCompound("vlist", "vl", true, {vertex}),
                                     makeCompound("plist", "pl", true, {controlPoints})});
}

AttrList skinClusterAttrs(AttrListMaker dependAttrs) {
  return deformerAttrs(dependAttrs,
                       {makeCompound("weightList", "wl", true, {makeAttr("weights", "w", K::kDouble, true)}),
                        makeAttr("bindPreMatrix", "pm", K::kMatrix, true), makeAttr("matrix", "ma", K::kMatrix, true),
                        makeAttr("geomMatrix", "gm", K::kMatrix), number("skinningMethod", "sm", 0, K::kEnum),
                        number("normalizeWeights", "nw", 1, K::kEnum), makeAttr("blendWeights", "bw", K::kDouble)});
}

AttrList blendShapeAttrs(AttrListMaker dependAttrs) {
  auto item = makeCompound("inputTargetItem", "iti", true,
                           {makeAttr("inputGeomTarget", "igt", K::kMesh),
                            makeAttr("inputPointsTarget", "ipt", K::kGeneric),
                            makeAttr("inputComponentsTarget", "ict", K::kComponentList)});
  auto group = makeCompound("inputTargetGroup", "itg", true,
                            {item, makeAttr("targetWeights", "tw", K::kFloat, true, 1.0)});
  auto target = makeCompound("inputTarget", "it", true, {group, makeAttr("baseWeights", "bw", K::kFloat, true, 1.0)});
  return deformerAttrs(dependAttrs, {makeAttr("weight", "w", K::kFloat, true), target, number("origin", "or", 1, K::kEnum)});
}

// polyExtrudeFace and polyExtrudeEdge: the faces or edges lifted, moved and inset.
AttrList extrudeFaceAttrs(AttrListMaker dependAttrs) {
  auto t = [](const char* name, const char* shortName, K kind, double def) {
    return makeTriple(name, shortName, "XYZ", "xyz", kind, def);
  };
  // "linear" in the command's flags: distances in the scene's unit.
  auto distance = [&](const char* name, const char* shortName) {
    auto a = t(name, shortName, K::kDouble, 0);
    a->distance = true;
    return a;
  };
  return polyModifierAttrs(
      dependAttrs,
      {makeAttr("inputMatrix", "ix", K::kMatrix), number("worldSpace", "ws", 0, K::kBool),
       t("translate", "t", K::kDouble, 0), t("rotate", "ro", K::kAngle, 0), t("scale", "s", K::kDouble, 1),
       distance("pivot", "pvt"), distance("localTranslate", "lt"),
       t("localRotate", "lr", K::kAngle, 0), t("localScale", "ls", K::kDouble, 1),
       t("localDirection", "ld", K::kDouble, 0), number("offset", "off", 0, K::kFloat),
       number("thickness", "tk", 0, K::kFloat), number("keepFacesTogether", "kft", 1, K::kBool),
       number("divisions", "d", 1, K::kInt)});
}

AttrList mirrorAttrs(AttrListMaker dependAttrs) {
  return polyModifierAttrs(
      dependAttrs,
      {makeAttr("inputMatrix", "ix", K::kMatrix), number("worldSpace", "ws", 1, K::kBool),
       number("axis", "a", 0, K::kEnum), number("axisDirection", "ad", 1, K::kEnum),
       number("mirrorAxis", "ma", 2, K::kEnum), makeTriple("pivot", "p", "XYZ", "xyz", K::kDouble),
       makeTriple("mirrorPlaneRotate", "ro", "XYZ", "xyz", K::kAngle), number("mergeMode", "mm", 1, K::kEnum),
       number("mergeThresholdType", "mtt", 0, K::kEnum), number("mergeThreshold", "mt", 0.001),
       number("cutMesh", "cm", 0, K::kBool), number("firstNewFace", "fnf", 0, K::kInt),
       number("lastNewFace", "lnf", 0, K::kInt)});
}

AttrList uniteAttrs(AttrListMaker dependAttrs) {
  AttrList a = dependAttrs();
  a.insert(a.end(), {makeAttr("inputPoly", "ip", K::kMesh, true), makeAttr("inputMat", "im", K::kMatrix, true),
                     makeAttr("output", "out", K::kMesh), number("mergeUVSets", "muv", 1, K::kEnum)});
  return a;
}

// remShells is an Int32Array: the shells to make pieces of their own.
AttrList separateAttrs(AttrListMaker dependAttrs) {
  AttrList a = dependAttrs();
  a.insert(a.end(), {makeAttr("inputPoly", "ip", K::kMesh), makeAttr("output", "out", K::kMesh, true),
                     number("icount", "ic", -1, K::kInt), makeAttr("remShells", "rs", K::kInt)});
  return a;
}

AttrList deleteComponentAttrs(AttrListMaker dependAttrs) {
  AttrList a = dependAttrs();
  a.insert(a.end(), {makeAttr("inputGeometry", "ig", K::kGeneric), makeAttr("outputGeometry", "og", K::kGeneric),
                     makeAttr("deleteComponents", "dc", K::kComponentList)});
  return a;
}

// nonLinear: its handle's transform on matrix, the handle shape's values on
// deformerData, per-vertex weights in weightList as every weighted deformer keeps them.
AttrList nonLinearAttrs(AttrListMaker dependAttrs) {
  return deformerAttrs(dependAttrs,
                       {makeCompound("weightList", "wl", true, {makeAttr("weights", "w", K::kFloat, true, 1.0)}),
                        makeAttr("matrix", "ma", K::kMatrix), makeAttr("deformerData", "dd", K::kGeneric)});
}

// cluster and softMod: a weighted deformer moved by its handle's matrices.
AttrList clusterAttrs(AttrListMaker dependAttrs, std::initializer_list<std::shared_ptr<AttrDef>> extra) {
  AttrList a = deformerAttrs(
      dependAttrs, {makeCompound("weightList", "wl", true, {makeAttr("weights", "w", K::kFloat, true, 1.0)}),
                    makeAttr("matrix", "ma", K::kMatrix), makeAttr("bindPreMatrix", "pm", K::kMatrix),
                    makeAttr("geomMatrix", "gm", K::kMatrix, true), makeAttr("weightedMatrix", "wt", K::kMatrix),
                    makeAttr("preMatrix", "pre", K::kMatrix), makeAttr("postMatrix", "post", K::kMatrix),
                    number("relative", "rel", 0, K::kBool), number("angleInterpolation", "ai", 0, K::kEnum)});
  a.insert(a.end(), extra);
  return a;
}

AttrList jointAttrs(AttrListMaker transformAttrs) {
  AttrList a = transformAttrs();
  a.push_back(makeTriple("jointOrient", "jo", "XYZ", "xyz", K::kAngle));
  a.push_back(number("segmentScaleCompensate", "ssc", 1, K::kBool));
  a.push_back(makeTriple("inverseScale", "is", "XYZ", "xyz", K::kDouble, 1.0));
  return a;
}

}  // namespace

void addHistoryNodeTypes(std::map<std::string, NodeType>& types, AttrListMaker dependAttrs,
                         AttrListMaker transformAttrs) {
  auto add = [&](const char* name, MFn::Type api, bool dag, AttrList attrs) {
    types.emplace(name, NodeType{name, api, dag, std::move(attrs), name});
  };
  const MFn::Type dg = MFn::kDependencyNode;
  for (const char* plain : {"polyColorPerVertex", "polyMapCut", "polyMapSew", "polyMapDel"})  // the polyModifier attributes alone
    add(plain, dg, false, polyModifierAttrs(dependAttrs, {}));
  for (const char* modelling : {"polyTriangulate", "polySoftEdge", "polyNormalPerVertex", "polyCloseBorder"})
    add(modelling, dg, false, polyModifierAttrs(dependAttrs, {}));
  add("polyQuad", dg, false,
      worldModifierAttrs(dependAttrs, {number("angle", "a", 30.0 * 3.14159265358979323846 / 180.0, K::kAngle),
                                       number("keepGroupBorder", "kgb", 1, K::kBool),
                                       number("keepHardEdges", "khe", 1, K::kBool),
                                       number("keepTextureBorders", "ktb", 1, K::kBool)}));
  add("polyDelEdge", dg, false, polyModifierAttrs(dependAttrs, {number("cleanVertices", "cv", 0, K::kBool)}));
  add("polySewEdge", dg, false,
      worldModifierAttrs(dependAttrs, {number("tolerance", "t", 0), number("texture", "tx", 1, K::kBool)}));
  add("polyConnectComponents", dg, false,
      polyModifierAttrs(dependAttrs, {number("adjustEdgeFlow", "aef", 1, K::kFloat),
                                      number("insertWithEdgeFlow", "ief", 0, K::kBool)}));
  // The faces appended along edges (polyAppend) or through points (polyAppendVertex).
  for (const char* append : {"polyAppend", "polyAppendVertex"})
    add(append, dg, false,
        polyModifierAttrs(dependAttrs, {makeAttr("desc", "d", K::kInt, true), number("subdivision", "s", 1, K::kInt),
                                        number("texture", "tx", 0, K::kEnum),
                                        makeCompound("vertices", "v", true,
                                                     {number("vtxx", "vx", 0, K::kFloat), number("vtxy", "vy", 0, K::kFloat),
                                                      number("vtxz", "vz", 0, K::kFloat)})}));
  add("polySplitEdge", dg, false, polyModifierAttrs(dependAttrs, {number("operation", "op", 1, K::kInt)}));
  add("polyMoveUV", dg, false,
      polyModifierAttrs(dependAttrs, {uvPair("translate", "t", "translateU", "tu", "translateV", "tv", 0.0),
                                      uvPair("scale", "s", "scaleU", "su", "scaleV", "sv", 1.0),
                                      uvPair("pivot", "pvt", "pivotU", "pvu", "pivotV", "pvv", 0.0),
                                      makeAttr("rotationAngle", "ra", K::kAngle)}));
  add("polyPlanarProj", dg, false,
      projectionAttrs(dependAttrs,
                      pair("projectionScale", "ps", "projectionWidth", "pw", 1, "projectionHeight", "ph", 1),
                      {makeAttr("isPerspective", "per", K::kBool), makeAttr("cameraMatrix", "cam", K::kMatrix),
                       makeAttr("portRight", "prgt", K::kInt), makeAttr("portTop", "ptop", K::kInt)}));
  add("polyCylProj", dg, false,
      projectionAttrs(dependAttrs,
                      pair("projectionScale", "ps", "projectionHorizontalSweep", "phs", 180, "projectionHeight",
                           "ph", 1),
                      {number("seamCorrect", "sc", 1, K::kBool)}));
  add("polySphProj", dg, false,
      projectionAttrs(dependAttrs,
                      pair("projectionScale", "ps", "projectionHorizontalSweep", "phs", 180, "projectionVerticalSweep",
                           "pvs", 90),
                      {number("seamCorrect", "sc", 1, K::kBool)}));
  add("polyFlipUV", dg, false,
      worldModifierAttrs(dependAttrs, {number("flipType", "ft", 0, K::kEnum), number("local", "l", 1, K::kBool),
                                       number("pivotU", "pu", 0), number("pivotV", "pv", 0),
                                       number("usePivot", "up", 0, K::kBool), number("cutUV", "cut", 1, K::kBool)}));
  add("polyMapSewMove", dg, false,
      polyModifierAttrs(dependAttrs,
                        {number("limitPieceSize", "lps", 0, K::kBool), number("numberFaces", "nf", 10, K::kInt)}));
  for (const char* packing : {"polyAutoProj", "polyLayoutUV"})
    add(packing, dg, false, worldModifierAttrs(dependAttrs, {number("percentageSpace", "ps", 0, K::kFloat)}));
  add("polyContourProj", dg, false,
      worldModifierAttrs(dependAttrs, {number("flipRails", "fr", 0, K::kBool), number("method", "m", 0, K::kEnum)}));
  add("polyTweak", dg, false,
      polyModifierAttrs(dependAttrs, {makeCompound("tweak", "tk", true,
                                                   {number("tweakX", "tx", 0, K::kFloat),
                                                    number("tweakY", "ty", 0, K::kFloat),
                                                    number("tweakZ", "tz", 0, K::kFloat)})}));
  add("transformGeometry", dg, false, transformGeometryAttrs(dependAttrs));
  add("tweak", dg, false, tweakAttrs(dependAttrs));
  add("skinCluster", dg, false, skinClusterAttrs(dependAttrs));
  add("blendShape", dg, false, blendShapeAttrs(dependAttrs));
  add("polyNormal", dg, false,
      polyModifierAttrs(dependAttrs, {number("normalMode", "nm", 0, K::kEnum),
                                      number("userNormalMode", "unm", 1, K::kBool)}));
  add("polySmoothFace", dg, false,
      polyModifierAttrs(dependAttrs, {number("divisions", "dv", 1, K::kInt), number("continuity", "c", 1, K::kFloat),
                                      number("method", "mth", 0, K::kEnum), number("smoothUVs", "suv", 1, K::kBool),
                                      number("keepBorder", "kb", 1, K::kBool),
                                      number("subdivisionType", "sdt", 0, K::kEnum)}));
  add("polySplitRing", dg, false,
      polyModifierAttrs(dependAttrs, {makeAttr("inputMatrix", "ix", K::kMatrix), number("weight", "wt", 0.5),
                                      number("direction", "dr", 1, K::kBool), number("rootEdge", "re", -1, K::kInt),
                                      number("splitType", "stp", 0, K::kEnum), number("divisions", "div", 2, K::kInt),
                                      number("absoluteWeight", "ab", 0, K::kBool)}));
  add("polySplit", dg, false,
      polyModifierAttrs(
          dependAttrs,
          {makeAttr("edge", "e", K::kFloat, true), makeAttr("desc", "d", K::kInt, true),
           makeCompound("vertices", "v", true,
                        {number("vtxx", "vtxx", 0, K::kFloat), number("vtxy", "vtxy", 0, K::kFloat),
                         number("vtxz", "vtxz", 0, K::kFloat)}),
           makeCompound("splitPoints", "sps", true,
                        {makeCompound("splitPoint", "sp", true,
                                      {number("face", "f", 0, K::kInt), number("triangle", "t", 0, K::kInt),
                                       makeTriple("baryCoord", "bc", "123", "123", K::kFloat)})}),
           number("subdivision", "s", 1, K::kInt), number("smoothingAngle", "sma", 0, K::kAngle),
           number("maya70", "m70", 0, K::kBool), number("maya2015", "m2015", 0, K::kBool),
           number("insertWithEdgeFlow", "ief", 0, K::kBool), number("adjustEdgeFlow", "aef", 1, K::kFloat),
           number("detachEdges", "de", 0, K::kBool), number("clean2Verts", "c2v", 0, K::kBool)}));
  add("polyExtrudeFace", dg, false, extrudeFaceAttrs(dependAttrs));
  add("polyMirror", dg, false, mirrorAttrs(dependAttrs));
  add("polyBevel3", dg, false,
      polyModifierAttrs(dependAttrs, {makeAttr("inputMatrix", "ix", K::kMatrix), number("worldSpace", "ws", 1, K::kBool),
                                      number("offset", "o", 0.2), number("fraction", "f", 0.5),
                                      number("offsetAsFraction", "oaf", 0, K::kBool), number("segments", "sg", 1, K::kInt)}));
  add("polyMergeVert", dg, false,
      polyModifierAttrs(dependAttrs, {makeAttr("inputMatrix", "ix", K::kMatrix), number("distance", "d", 0),
                                      number("alwaysMergeTwoVertices", "am", 0, K::kBool)}));
  add("polyBridgeEdge", dg, false,
      polyModifierAttrs(dependAttrs, {makeAttr("inputMatrix", "ix", K::kMatrix), number("divisions", "dv", 1, K::kInt),
                                      number("startVert1", "sv1", -1, K::kInt), number("startVert2", "sv2", -1, K::kInt),
                                      number("curveType", "ctp", 0, K::kEnum), number("direction", "d", 0, K::kEnum)}));
  add("polyExtrudeEdge", dg, false, extrudeFaceAttrs(dependAttrs));
  add("polyUnite", dg, false, uniteAttrs(dependAttrs));
  add("polySeparate", dg, false, separateAttrs(dependAttrs));
  add("deleteComponent", dg, false, deleteComponentAttrs(dependAttrs));
  add("nonLinear", dg, false, nonLinearAttrs(dependAttrs));
  add("deltaMush", dg, false,
      deformerAttrs(dependAttrs, {makeCompound("weightList", "wl", true, {makeAttr("weights", "w", K::kFloat, true, 1.0)}),
                                  number("smoothingIterations", "si", 10, K::kInt),
                                  number("smoothingStep", "ss", 0.5, K::kFloat),
                                  number("pinBorderVertices", "pbv", 1, K::kBool),
                                  number("displacement", "dis", 1, K::kFloat)}));
  add("wrap", dg, false,
      deformerAttrs(dependAttrs, {makeCompound("weightList", "wl", true, {makeAttr("weights", "w", K::kFloat, true, 1.0)}),
                                  makeAttr("geomMatrix", "gm", K::kMatrix),
                                  makeAttr("driverPoints", "dp", K::kGeneric, true),
                                  makeAttr("basePoints", "bp", K::kGeneric, true),
                                  number("maxDistance", "md", 1), number("weightThreshold", "wt", 0),
                                  number("exclusiveBind", "exb", 0, K::kBool),
                                  number("autoWeightThreshold", "awt", 0, K::kBool),
                                  number("falloffMode", "fm", 0, K::kEnum)}));
  add("ffd", dg, false,
      deformerAttrs(dependAttrs, {makeCompound("weightList", "wl", true, {makeAttr("weights", "w", K::kFloat, true, 1.0)}),
                                  makeAttr("geomMatrix", "gm", K::kMatrix, true),
                                  makeAttr("deformedLatticePoints", "dlp", K::kGeneric),
                                  makeAttr("deformedLatticeMatrix", "dlm", K::kMatrix),
                                  makeAttr("baseLatticeMatrix", "blm", K::kMatrix), number("local", "lo", 0, K::kBool),
                                  number("localInfluenceS", "lis", 2, K::kInt), number("localInfluenceT", "lit", 2, K::kInt),
                                  number("localInfluenceU", "liu", 2, K::kInt),
                                  number("outsideLattice", "ot", 0, K::kEnum)}));
  add("cluster", dg, false, clusterAttrs(dependAttrs, {makeAttr("clusterXforms", "x", K::kGeneric)}));
  add("softMod", dg, false,
      clusterAttrs(dependAttrs,
                   {makeAttr("softModXforms", "x", K::kGeneric), number("falloffRadius", "fr", 5),
                    makeTriple("falloffCenter", "fcr", "XYZ", "xyz", K::kDouble), number("falloffMode", "fm", 0, K::kEnum),
                    number("falloffInX", "fix", 1, K::kBool), number("falloffInY", "fiy", 1, K::kBool),
                    number("falloffInZ", "fiz", 1, K::kBool),
                    number("falloffAroundSelection", "fas", 1, K::kBool),
                    makeCompound("falloffCurve", "fc", true,
                                 {number("falloffCurve_Position", "fcp", 0, K::kFloat),
                                  number("falloffCurve_FloatValue", "fcfv", 0, K::kFloat),
                                  number("falloffCurve_Interp", "fci", 0, K::kEnum)})}));
  add("joint", MFn::kTransform, true, jointAttrs(transformAttrs));
}

}  // namespace OmbrixHost
