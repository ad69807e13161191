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
  add("polyMoveUV", dg, false,
      polyModifierAttrs(dependAttrs, {uvPair("translate", "t", "translateU", "tu", "translateV", "tv", 0.0),
                                      uvPair("scale", "s", "scaleU", "su", "scaleV", "sv", 1.0),
                                      uvPair("pivot", "pvt", "pivotU", "pvu", "pivotV", "pvv", 0.0),
                                      makeAttr("rotationAngle", "ra", K::kAngle)}));
  add("polyPlanarProj", dg, false,
      projectionAttrs(dependAttrs,
                      pair("projectionScale", "ps", "projectionWidth", "pw", 1, "projectionHeight", "ph", 1),
                      {makeAttr("isPerspective", "per", K::kBool), makeAttr("cameraMatrix", "cam", K::kMatrix)}));
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
  add("joint", MFn::kTransform, true, jointAttrs(transformAttrs));
}

}  // namespace OmbrixHost
