#include "NodeTypes.h"

#include "HistoryNodeTypes.h"

#include <array>
#include <map>
#include <memory>

namespace OmbrixHost {
namespace {

using K = AttrKind;

AttrList dependAttrs() {
  return {makeAttr("message", "msg", K::kMessage), makeAttr("isHistoricallyInteresting", "ihi", K::kInt, false, 2),
          makeAttr("nodeState", "nds", K::kEnum), makeAttr("binMembership", "bnm", K::kString)};
}

AttrList dagAttrs() {
  AttrList a = dependAttrs();
  auto objectGroups = makeCompound("objectGroups", "og", true,
                                   {makeAttr("objectGrpCompList", "gcl", K::kComponentList),
                                    makeAttr("objectGroupId", "gid", K::kInt),
                                    makeAttr("objectGrpColor", "gco", K::kInt)});
  a.push_back(makeCompound("instObjGroups", "iog", true, {objectGroups}));
  a.push_back(makeAttr("visibility", "v", K::kBool, false, 1.0));
  a.push_back(makeAttr("intermediateObject", "io", K::kBool));
  a.push_back(makeAttr("template", "tmp", K::kBool));
  a.push_back(makeAttr("lodVisibility", "lodv", K::kBool, false, 1.0));
  a.push_back(makeAttr("matrix", "m", K::kMatrix));
  a.push_back(makeAttr("worldMatrix", "wm", K::kMatrix, true));
  a.push_back(makeAttr("parentMatrix", "pm", K::kMatrix, true));
  a.push_back(makeAttr("worldInverseMatrix", "wim", K::kMatrix, true));
  a.push_back(makeAttr("parentInverseMatrix", "pim", K::kMatrix, true));
  return a;
}

AttrList transformAttrs() {
  AttrList a = dagAttrs();
  a.push_back(makeTriple("translate", "t", "XYZ", "xyz", K::kDouble));
  a.push_back(makeTriple("rotate", "r", "XYZ", "xyz", K::kAngle));
  a.push_back(makeTriple("scale", "s", "XYZ", "xyz", K::kDouble, 1.0));
  auto shear = makeCompound("shear", "sh", false,
                            {makeAttr("shearXY", "shxy", K::kDouble), makeAttr("shearXZ", "shxz", K::kDouble),
                             makeAttr("shearYZ", "shyz", K::kDouble)});
  a.push_back(shear);
  a.push_back(makeAttr("rotateOrder", "ro", K::kEnum));
  a.push_back(makeTriple("rotatePivot", "rp", "XYZ", "xyz", K::kDouble));
  a.push_back(makeTriple("rotatePivotTranslate", "rpt", "XYZ", "xyz", K::kDouble));
  a.push_back(makeTriple("scalePivot", "sp", "XYZ", "xyz", K::kDouble));
  a.push_back(makeTriple("scalePivotTranslate", "spt", "XYZ", "xyz", K::kDouble));
  a.push_back(makeTriple("rotateAxis", "ra", "XYZ", "xyz", K::kAngle));
  a.push_back(makeAttr("inheritsTransform", "it", K::kBool, false, 1.0));
  a.push_back(makeAttr("offsetParentMatrix", "opm", K::kMatrix));
  return a;
}

AttrList meshAttrs() {
  AttrList a = dagAttrs();
  a.push_back(makeAttr("inMesh", "i", K::kMesh));
  a.push_back(makeAttr("outMesh", "o", K::kMesh));
  a.push_back(makeAttr("worldMesh", "w", K::kMesh, true));
  a.push_back(makeAttr("cachedInMesh", "ci", K::kMesh));
  a.push_back(makeCompound("uvSet", "uvst", true,
                           {makeAttr("uvSetName", "uvsn", K::kString),
                            makeCompound("uvSetPoints", "uvsp", true,
                                         {makeAttr("uvSetPointsU", "uvpu", K::kFloat),
                                          makeAttr("uvSetPointsV", "uvpv", K::kFloat)})}));
  a.push_back(makeAttr("currentUVSet", "cuvs", K::kString));
  a.push_back(makeCompound("pnts", "pt", true,
                           {makeAttr("pntx", "px", K::kFloat), makeAttr("pnty", "py", K::kFloat),
                            makeAttr("pntz", "pz", K::kFloat)}));
  a.push_back(makeAttr("vrts", "vt", K::kGeneric, true));
  a.push_back(makeAttr("edge", "ed", K::kGeneric, true));
  a.push_back(makeAttr("face", "fc", K::kGeneric, true));
  return a;
}

// A NURBS shape's geometry plugs; a curve's data stays as the file writes it
// (".cc" -type "nurbsCurve"), which history reads.
AttrList geometryShapeAttrs(K data) {
  AttrList a = dagAttrs();
  a.push_back(makeAttr("create", "cr", data));
  a.push_back(makeAttr("local", "l", data));
  a.push_back(makeAttr("worldSpace", "ws", data, true));
  a.push_back(makeAttr("cached", "cc", data));
  return a;
}

AttrList lambertAttrs() {
  AttrList a = dependAttrs();
  a.push_back(makeTriple("color", "c", "RGB", "rgb", K::kFloat, 0.5));
  a.push_back(makeTriple("transparency", "it", "RGB", "rgb", K::kFloat));
  a.push_back(makeTriple("ambientColor", "ambc", "RGB", "rgb", K::kFloat));
  a.push_back(makeTriple("incandescence", "ic", "RGB", "rgb", K::kFloat));
  a.push_back(makeAttr("diffuse", "dc", K::kFloat, false, 0.8));
  a.push_back(makeTriple("normalCamera", "n", "XYZ", "xyz", K::kFloat));
  a.push_back(makeTriple("outColor", "oc", "RGB", "rgb", K::kFloat));
  a.push_back(makeTriple("outTransparency", "ot", "RGB", "rgb", K::kFloat));
  return a;
}

AttrList reflectAttrs() {
  AttrList a = lambertAttrs();
  a.push_back(makeTriple("specularColor", "sc", "RGB", "rgb", K::kFloat, 0.5));
  a.push_back(makeAttr("reflectivity", "rfl", K::kFloat, false, 0.5));
  a.push_back(makeTriple("reflectedColor", "rc", "RGB", "rgb", K::kFloat));
  a.push_back(makeAttr("eccentricity", "ec", K::kFloat, false, 0.3));
  a.push_back(makeAttr("cosinePower", "cp", K::kFloat, false, 20.0));
  return a;
}

// A current surface shader: its maps' inputs (long, short) in the order
// diffuse, bump (a normal), emission, specular, opacity, and its outputs;
// the weight of its emission (none for usdPreviewSurface), 0 by default.
struct SurfaceInputs {
  const char* diffuse[2];
  const char* normal[2];
  const char* emission[2];
  const char* specular[2];
  const char* opacity[2];
  bool opacityIsColour;
  const char* outColor[2];
  const char* emissionWeight[2];
};

AttrList surfaceShaderAttrs(const SurfaceInputs& in) {
  AttrList a = dependAttrs();
  a.push_back(makeTriple(in.diffuse[0], in.diffuse[1], "RGB", "rgb", K::kFloat, 0.8));
  a.push_back(makeTriple(in.normal[0], in.normal[1], "XYZ", "xyz", K::kFloat));
  a.push_back(makeTriple(in.emission[0], in.emission[1], "RGB", "rgb", K::kFloat));
  if (in.emissionWeight[0] != nullptr) a.push_back(makeAttr(in.emissionWeight[0], in.emissionWeight[1], K::kFloat));
  a.push_back(makeTriple(in.specular[0], in.specular[1], "RGB", "rgb", K::kFloat, 1.0));
  if (in.opacityIsColour)
    a.push_back(makeTriple(in.opacity[0], in.opacity[1], "RGB", "rgb", K::kFloat, 1.0));
  else
    a.push_back(makeAttr(in.opacity[0], in.opacity[1], K::kFloat, false, 1.0));
  a.push_back(makeTriple(in.outColor[0], in.outColor[1], "RGB", "rgb", K::kFloat));
  a.push_back(makeTriple("outTransparency", "ot", "RGB", "rgb", K::kFloat));
  return a;
}

// Names from Maya's node reference (standardSurface, openPBRSurface), Arnold's
// plug-in (aiStandardSurface: short names are Arnold's parameter names) and
// Maya's USD plug-in (usdPreviewSurface). The emission weights' short names
// as Maya-saved scenes write them (".e" on standardSurface, ".emission" on
// aiStandardSurface, ".elu", the luminance in nits, on openPBRSurface).
const SurfaceInputs kStandardSurface = {{"baseColor", "bc"},     {"normalCamera", "n"}, {"emissionColor", "ec"},
                                        {"specularColor", "sc"}, {"opacity", "o"},      true,
                                        {"outColor", "oc"},      {"emission", "e"}};
const SurfaceInputs kArnoldStandardSurface = {
    {"baseColor", "base_color"},         {"normalCamera", "n"}, {"emissionColor", "emission_color"},
    {"specularColor", "specular_color"}, {"opacity", "opacity"}, true,
    {"outColor", "out"},                 {"emission", "emission"}};
const SurfaceInputs kOpenPBRSurface = {{"baseColor", "bc"},       {"normalCamera", "n"}, {"emissionColor", "ec"},
                                       {"specularColor", "sc"},   {"geometryOpacity", "go"}, false,
                                       {"outColor", "oc"},        {"emissionLuminance", "elu"}};
const SurfaceInputs kUsdPreviewSurface = {{"diffuseColor", "dc"},  {"normal", "nrm"},   {"emissiveColor", "ec"},
                                          {"specularColor", "spc"}, {"opacity", "opc"}, false,
                                          {"outColor", "oc"},       {nullptr, nullptr}};

// A value of two numbers, such as coverage (coverageU, coverageV).
std::shared_ptr<AttrDef> makePair(const std::string& name, const std::string& shortName,
                                  const std::array<const char*, 4>& parts, K kind, double defaultNumber = 0.0) {
  return makeCompound(name, shortName, false,
                      {makeAttr(parts[0], parts[1], kind, false, defaultNumber),
                       makeAttr(parts[2], parts[3], kind, false, defaultNumber)});
}

// The UV coordinate and filter size every 2D texture and place2dTexture takes.
void addUvInputs(AttrList& a) {
  a.push_back(makePair("uvCoord", "uv", {"uCoord", "u", "vCoord", "v"}, K::kFloat));
  a.push_back(makePair("uvFilterSize", "fs", {"uvFilterSizeX", "fsx", "uvFilterSizeY", "fsy"}, K::kFloat));
}

// The placement a file node takes from its place2dTexture (Maya's node
// reference for both); the rotation of the UVs is "rotateUV" ("r" on
// place2dTexture, "ro" on a texture).
void addPlacement(AttrList& a, const char* rotateUVShort) {
  a.push_back(makePair("coverage", "c", {"coverageU", "cu", "coverageV", "cv"}, K::kFloat, 1.0));
  a.push_back(makePair("translateFrame", "tf", {"translateFrameU", "tfu", "translateFrameV", "tfv"}, K::kFloat));
  a.push_back(makeAttr("rotateFrame", "rf", K::kAngle));
  a.push_back(makeAttr("mirrorU", "mu", K::kBool));
  a.push_back(makeAttr("mirrorV", "mv", K::kBool));
  a.push_back(makeAttr("stagger", "s", K::kBool));
  a.push_back(makeAttr("wrapU", "wu", K::kBool, false, 1.0));
  a.push_back(makeAttr("wrapV", "wv", K::kBool, false, 1.0));
  a.push_back(makePair("repeatUV", "re", {"repeatU", "reu", "repeatV", "rev"}, K::kFloat, 1.0));
  a.push_back(makePair("offset", "of", {"offsetU", "ofu", "offsetV", "ofv"}, K::kFloat));
  a.push_back(makeAttr("rotateUV", rotateUVShort, K::kAngle));
  a.push_back(makePair("noiseUV", "n", {"noiseU", "nu", "noiseV", "nv"}, K::kFloat));
  a.push_back(makePair("vertexUvOne", "vt1", {"vertexUvOneU", "t1u", "vertexUvOneV", "t1v"}, K::kFloat));
  a.push_back(makePair("vertexUvTwo", "vt2", {"vertexUvTwoU", "t2u", "vertexUvTwoV", "t2v"}, K::kFloat));
  a.push_back(makePair("vertexUvThree", "vt3", {"vertexUvThreeU", "t3u", "vertexUvThreeV", "t3v"}, K::kFloat));
  a.push_back(makeTriple("vertexCameraOne", "vc1", "XYZ", "xyz", K::kFloat));
  // Maya names the children c1x, c1y, c1z.
  for (const auto& child : a.back()->children)
    child->shortName = "c1" + child->shortName.substr(child->shortName.size() - 1);
}

AttrList place2dTextureAttrs() {
  AttrList a = dependAttrs();
  addUvInputs(a);
  addPlacement(a, "r");
  a.push_back(makeAttr("fast", "f", K::kBool));
  a.push_back(makePair("outUV", "o", {"outU", "ou", "outV", "ov"}, K::kFloat));
  a.push_back(makePair("outUvFilterSize", "ofs", {"outUvFilterSizeX", "ofsx", "outUvFilterSizeY", "ofsy"}, K::kFloat));
  return a;
}

AttrList fileAttrs() {
  AttrList a = dependAttrs();
  a.push_back(makeAttr("fileTextureName", "ftn", K::kString));
  a.push_back(makeTriple("outColor", "oc", "RGB", "rgb", K::kFloat));
  a.push_back(makeAttr("outAlpha", "oa", K::kFloat));
  a.push_back(makeTriple("outTransparency", "ot", "RGB", "rgb", K::kFloat));
  // Colour balance: outColor = colour * colorGain + colorOffset, outAlpha alike.
  a.push_back(makeTriple("colorGain", "cg", "RGB", "rgb", K::kFloat, 1.0));
  a.push_back(makeTriple("colorOffset", "co", "RGB", "rgb", K::kFloat));
  a.push_back(makeAttr("alphaGain", "ag", K::kFloat, false, 1.0));
  a.push_back(makeAttr("alphaOffset", "ao", K::kFloat));
  addUvInputs(a);
  addPlacement(a, "ro");
  a.push_back(makeAttr("alphaIsLuminance", "ail", K::kBool));
  // Colour management: the colour space the image is read in, and whether
  // the preferences' file rules may choose it when the name changes.
  a.push_back(makeAttr("colorSpace", "cs", K::kString));
  a.push_back(makeAttr("ignoreColorSpaceFileRules", "ifr", K::kBool));
  // What "shadingNode -isColorManaged" connects from :defaultColorMgtGlobals
  // (cmEnabled, configFileEnabled, configFilePath, workingSpaceName).
  a.push_back(makeAttr("colorManagementEnabled", "cme", K::kBool, false, 1.0));
  a.push_back(makeAttr("colorManagementConfigFileEnabled", "cmcf", K::kBool));
  a.push_back(makeAttr("colorManagementConfigFilePath", "cmcp", K::kString));
  a.push_back(makeAttr("workingSpace", "ws", K::kString));
  // 0 off, 1 ZBrush, 2 Mudbox, 3 Mari (UDIM), 4 explicit tiles; the name then
  // holds one tile and the pattern the token ("<UDIM>", "<UVTILE>").
  a.push_back(makeAttr("uvTilingMode", "uvt", K::kEnum));
  a.push_back(makeAttr("fileTextureNamePattern", "fnp", K::kString));
  return a;
}

// The scene's colour management settings (the default node
// :defaultColorMgtGlobals): names, types and defaults from Maya's node
// reference; the short names of those it does not list are the ones
// Maya-saved scenes set.
AttrList colorManagementGlobalsAttrs() {
  AttrList a = dependAttrs();
  a.push_back(makeAttr("cmEnabled", "cme", K::kBool, false, 1.0));
  a.push_back(makeAttr("configFileEnabled", "cfe", K::kBool));
  a.push_back(makeAttr("configFilePath", "cfp", K::kString));
  a.push_back(makeAttr("workingSpaceName", "wsn", K::kString));
  a.push_back(makeAttr("displayName", "dn", K::kString));
  a.push_back(makeAttr("viewName", "vn", K::kString));
  a.push_back(makeAttr("viewTransformName", "vtn", K::kString));
  a.push_back(makeAttr("outputTransformName", "otn", K::kString));
  a.push_back(makeAttr("outputUseViewTransform", "ovt", K::kBool, false, 1.0));
  a.push_back(makeAttr("playblastOutputTransformEnabled", "pote", K::kBool, false, 1.0));
  a.push_back(makeAttr("playblastOutputTransformName", "potn", K::kString));
  a.push_back(makeAttr("playblastOutputUseViewTransform", "povt", K::kBool, false, 1.0));
  return a;
}

// A texture of a renderer's plug-in: its file name and the colour and alpha outputs.
AttrList pluginTextureAttrs(const char* fileAttribute) {
  AttrList a = dependAttrs();
  a.push_back(makeAttr(fileAttribute, fileAttribute, K::kString));
  a.push_back(makeTriple("outColor", "oc", "RGB", "rgb", K::kFloat));
  a.push_back(makeAttr("outAlpha", "oa", K::kFloat));
  return a;
}

AttrList bumpAttrs() {
  AttrList a = dependAttrs();
  a.push_back(makeAttr("bumpValue", "bv", K::kFloat));
  a.push_back(makeAttr("bumpDepth", "bd", K::kFloat, false, 1.0));
  a.push_back(makeTriple("outNormal", "o", "XYZ", "xyz", K::kFloat));
  a.push_back(makeTriple("normalCamera", "n", "XYZ", "xyz", K::kFloat));
  // 0 bump, 1 tangent space normals, 2 object space normals.
  a.push_back(makeAttr("bumpInterp", "bi", K::kEnum));
  return a;
}

AttrList reverseAttrs() {
  AttrList a = dependAttrs();
  a.push_back(makeTriple("input", "i", "XYZ", "xyz", K::kFloat));
  a.push_back(makeTriple("output", "o", "XYZ", "xyz", K::kFloat));
  return a;
}

// A default list of the scene: its members' messages under `name`.
AttrList defaultListAttrs(const char* name, const char* shortName) {
  AttrList a = dependAttrs();
  a.push_back(makeAttr(name, shortName, K::kMessage, true));
  return a;
}

// A switch's value of `width` numbers; the children of a double or triple
// value are named by its role, as Maya names them: inComp1, defComp2, outComp3.
std::shared_ptr<AttrDef> switchValue(const std::string& name, const std::string& shortName, int width,
                                     const std::string& role) {
  if (width == 1)
    return makeAttr(name, shortName, K::kFloat);
  AttrList parts;
  for (int k = 1; k <= width; ++k)
    parts.push_back(makeAttr(role + "Comp" + std::to_string(k), role.substr(0, 1) + "c" + std::to_string(k), K::kFloat));
  return makeCompound(name, shortName, false, parts);
}

AttrList switchAttrs(int width) {
  static const char* inNames[] = {"", "inSingle", "inDouble", "inTriple"};
  static const char* inShort[] = {"", "is", "idl", "it"};
  AttrList a = dependAttrs();
  a.push_back(makeCompound("input", "i", true,
                           {switchValue(inNames[width], inShort[width], width, "in"),
                            makeAttr("inShape", "iis", K::kMessage)}));
  a.push_back(switchValue("default", "def", width, "def"));
  a.push_back(switchValue("output", "out", width, "out"));
  return a;
}

AttrList setAttrs() {
  AttrList a = dependAttrs();
  a.push_back(makeAttr("dagSetMembers", "dsm", K::kMessage, true));
  a.push_back(makeAttr("dnSetMembers", "dnsm", K::kMessage, true));
  a.push_back(makeAttr("renderableOnlySet", "ro", K::kBool));
  a.push_back(makeAttr("partition", "pa", K::kMessage, true));
  a.push_back(makeAttr("groupNodes", "gn", K::kMessage, true));
  a.push_back(makeAttr("annotation", "an", K::kString));
  a.push_back(makeAttr("memberWireframeColor", "mwc", K::kInt, false, -1));
  return a;
}

AttrList shadingEngineAttrs() {
  AttrList a = setAttrs();
  a.push_back(makeAttr("surfaceShader", "ss", K::kGeneric));
  a.push_back(makeAttr("volumeShader", "vs", K::kGeneric));
  a.push_back(makeAttr("displacementShader", "ds", K::kGeneric));
  return a;
}

// What the viewport shows of a shading group: its material and the texture
// (the file whose message is on `texture`) drawn in shaded mode.
AttrList materialInfoAttrs() {
  AttrList a = dependAttrs();
  a.push_back(makeAttr("material", "m", K::kMessage));
  a.push_back(makeAttr("shadingGroup", "sg", K::kMessage));
  a.push_back(makeAttr("texture", "t", K::kMessage, true));
  a.push_back(makeAttr("textureChannel", "tc", K::kMessage));
  a.push_back(makeAttr("textureFilter", "tmip", K::kEnum));
  a.push_back(makeAttr("textureName", "tn", K::kString));
  a.push_back(makeAttr("texturePlug", "tp", K::kString));
  return a;
}

AttrList tweakUVAttrs() {
  AttrList a = dependAttrs();
  a.push_back(makeAttr("inputPolymesh", "ip", K::kMesh));
  a.push_back(makeAttr("output", "out", K::kMesh));
  a.push_back(makeAttr("uvSetName", "uvs", K::kString));
  a.push_back(makeCompound("newUV", "nuv", true,
                           {makeAttr("faceId", "fid", K::kInt, false, -1), makeAttr("vertexId", "vid", K::kInt),
                            makeAttr("newUValue", "nu", K::kFloat), makeAttr("newVValue", "nv", K::kFloat)}));
  a.push_back(makeCompound("uvTweak", "uvtk", true,
                           {makeAttr("uvTweakU", "tu", K::kFloat), makeAttr("uvTweakV", "tv", K::kFloat)}));
  return a;
}

// createUVs is an enum of UV layouts (0 none) on most creation nodes, a bool on some.
struct UVChoice {
  K kind;
  double defaultValue;
};

AttrList polyCreatorAttrs(UVChoice uvs, std::initializer_list<std::shared_ptr<AttrDef>> extra) {
  AttrList a = dependAttrs();
  a.push_back(makeAttr("output", "out", K::kMesh));
  a.push_back(makeAttr("createUVs", "cuv", uvs.kind, false, uvs.defaultValue));
  a.push_back(makeTriple("axis", "ax", "XYZ", "xyz", K::kDouble));
  a.back()->children[1]->defaultNumber = 1.0;
  for (auto& e : extra)
    a.push_back(e);
  return a;
}

AttrList nurbsCreatorAttrs(std::initializer_list<std::shared_ptr<AttrDef>> extra) {
  AttrList a = dependAttrs();
  a.push_back(makeAttr("outputSurface", "os", K::kNurbsSurface));
  a.push_back(makeTriple("axis", "ax", "XYZ", "xyz", K::kDouble));
  a.back()->children[1]->defaultNumber = 1.0;
  a.push_back(makeTriple("pivot", "p", "XYZ", "xyz", K::kDouble));
  for (auto& e : extra)
    a.push_back(e);
  return a;
}

std::shared_ptr<AttrDef> num(const char* name, const char* shortName, double def, K kind = K::kDouble) {
  return makeAttr(name, shortName, kind, false, def);
}

// A distance of a creation node ("distance (double)" in Maya's node reference).
std::shared_ptr<AttrDef> dist(const char* name, const char* shortName, double def) {
  auto a = num(name, shortName, def);
  a->distance = true;
  return a;
}

NodeType make(const char* name, MFn::Type api, bool dag, AttrList attrs, const char* defaultName = nullptr) {
  return NodeType{name, api, dag, std::move(attrs), defaultName ? defaultName : name};
}

// A nonLinear deformer's handle shape: its values, given to the deformer as deformerData.
AttrList deformHandleAttrs(std::initializer_list<std::shared_ptr<AttrDef>> values) {
  AttrList a = dagAttrs();
  a.push_back(makeAttr("deformerData", "dd", K::kGeneric));
  a.push_back(num("handleWidth", "hw", 1));
  for (auto& v : values)
    a.push_back(v);
  return a;
}

void addDeformHandles(std::map<std::string, NodeType>& t) {
  auto add = [&](const char* name, std::initializer_list<std::shared_ptr<AttrDef>> values) {
    t.emplace(name, make(name, MFn::kShape, true, deformHandleAttrs(values)));
  };
  auto low = [] { return num("lowBound", "lb", -1); };
  auto high = [] { return num("highBound", "hb", 1); };
  add("deformBend", {low(), high(), num("curvature", "cur", 0, K::kAngle)});
  add("deformTwist", {low(), high(), num("startAngle", "sa", 0, K::kAngle), num("endAngle", "ea", 0, K::kAngle)});
  add("deformSquash", {low(), high(), num("startSmoothness", "ss", 0), num("endSmoothness", "es", 0),
                       num("maxExpandPos", "mp", 0.5), num("expand", "exp", 1), num("factor", "fac", 0)});
  add("deformFlare", {low(), high(), num("startFlareX", "sfx", 1), num("startFlareZ", "sfz", 1),
                      num("endFlareX", "efx", 1), num("endFlareZ", "efz", 1), num("curve", "crv", 0)});
  add("deformSine", {low(), high(), num("amplitude", "amp", 0), num("wavelength", "wav", 2), num("offset", "off", 0),
                     num("dropoff", "dr", 0)});
  add("deformWave", {num("minRadius", "mnr", 0), num("maxRadius", "mxr", 1), num("amplitude", "amp", 0),
                     num("wavelength", "wav", 1), num("offset", "off", 0), num("dropoff", "dr", 0),
                     num("dropoffPosition", "dp", 0)});
}

std::map<std::string, NodeType> buildTypes() {
  std::map<std::string, NodeType> t;
  auto add = [&](NodeType nt) { t.emplace(nt.name, std::move(nt)); };
  add(make("world", MFn::kWorld, true, dagAttrs()));
  add(make("transform", MFn::kTransform, true, transformAttrs()));
  add(make("mesh", MFn::kMesh, true, meshAttrs(), "polySurfaceShape"));
  add(make("nurbsSurface", MFn::kNurbsSurface, true, geometryShapeAttrs(K::kNurbsSurface), "nurbsSurfaceShape"));
  add(make("nurbsCurve", MFn::kNurbsCurve, true, geometryShapeAttrs(K::kGeneric), "curveShape"));
  // An ffd's lattice (its points as the file writes them: ".cc" -type "lattice") and its base.
  add(make("lattice", MFn::kShape, true, [] {
    AttrList a = dagAttrs();
    a.push_back(num("sDivisions", "sd", 2, K::kInt));
    a.push_back(num("tDivisions", "td", 5, K::kInt));
    a.push_back(num("uDivisions", "ud", 2, K::kInt));
    a.push_back(makeAttr("cached", "cc", K::kGeneric));
    a.push_back(makeAttr("latticeInput", "li", K::kGeneric));
    a.push_back(makeAttr("latticeOutput", "lo", K::kGeneric));
    a.push_back(makeAttr("worldLattice", "wl", K::kGeneric, true));
    return a;
  }()));
  add(make("baseLattice", MFn::kShape, true, dagAttrs()));
  add(make("camera", MFn::kCamera, true, dagAttrs(), "cameraShape"));
  add(make("locator", MFn::kLocator, true, dagAttrs(), "locatorShape"));
  add(make("pointLight", MFn::kPointLight, true, dagAttrs(), "pointLightShape"));
  add(make("directionalLight", MFn::kDirectionalLight, true, dagAttrs(), "directionalLightShape"));
  add(make("ambientLight", MFn::kAmbientLight, true, dagAttrs(), "ambientLightShape"));
  add(make("spotLight", MFn::kSpotLight, true, dagAttrs(), "spotLightShape"));
  add(make("lambert", MFn::kLambert, false, lambertAttrs()));
  add(make("blinn", MFn::kBlinn, false, reflectAttrs()));
  add(make("phong", MFn::kPhong, false, reflectAttrs()));
  // Current surface shaders: Maya's own have function sets the devkits of
  // older Maya lack, the others are plug-in nodes.
  add(make("standardSurface", MFn::kDependencyNode, false, surfaceShaderAttrs(kStandardSurface)));
  add(make("openPBRSurface", MFn::kDependencyNode, false, surfaceShaderAttrs(kOpenPBRSurface)));
  add(make("aiStandardSurface", MFn::kPluginDependNode, false, surfaceShaderAttrs(kArnoldStandardSurface)));
  add(make("usdPreviewSurface", MFn::kPluginDependNode, false, [] {
    AttrList a = surfaceShaderAttrs(kUsdPreviewSurface);
    a.push_back(makeAttr("occlusion", "ocl", K::kFloat, false, 1.0));
    return a;
  }()));
  add(make("file", MFn::kFileTexture, false, fileAttrs()));
  // A file reference: the scene connects to its placeholders what its edits
  // connect to the referenced nodes.
  add(make("reference", MFn::kDependencyNode, false, [] {
    AttrList a = dependAttrs();
    a.push_back(makeAttr("placeHolderList", "phl", K::kGeneric, true));
    return a;
  }()));
  add(make("bump2d", MFn::kBump, false, bumpAttrs()));
  // Arnold's image and normal-map nodes (attributes by Arnold's parameter
  // names, as Maya saves them), and the texture of the USD preview shading.
  add(make("aiImage", MFn::kPluginDependNode, false, pluginTextureAttrs("filename")));
  add(make("usdUVTexture", MFn::kPluginDependNode, false, pluginTextureAttrs("file")));
  add(make("aiNormalMap", MFn::kPluginDependNode, false, [] {
    AttrList a = dependAttrs();
    a.push_back(makeTriple("input", "input", "XYZ", "xyz", K::kFloat));
    a.push_back(makeTriple("normal", "normal", "XYZ", "xyz", K::kFloat));
    a.push_back(makeTriple("outValue", "out", "XYZ", "xyz", K::kFloat));
    return a;
  }()));
  add(make("place2dTexture", MFn::kPlace2dTexture, false, place2dTextureAttrs()));
  add(make("reverse", MFn::kDependencyNode, false, reverseAttrs()));
  add(make("defaultTextureList", MFn::kDependencyNode, false, defaultListAttrs("textures", "tx")));
  add(make("defaultRenderUtilityList", MFn::kDependencyNode, false, defaultListAttrs("utilities", "u")));
  add(make("singleShadingSwitch", MFn::kSingleShadingSwitch, false, switchAttrs(1)));
  add(make("doubleShadingSwitch", MFn::kDoubleShadingSwitch, false, switchAttrs(2)));
  add(make("tripleShadingSwitch", MFn::kTripleShadingSwitch, false, switchAttrs(3)));
  add(make("shadingEngine", MFn::kShadingEngine, false, shadingEngineAttrs()));
  add(make("objectSet", MFn::kSet, false, setAttrs()));
  add(make("materialInfo", MFn::kDependencyNode, false, materialInfoAttrs()));
  add(make("colorManagementGlobals", MFn::kDependencyNode, false, colorManagementGlobalsAttrs()));
  add(make("polyTweakUV", MFn::kPolyTweakUV, false, tweakUVAttrs()));
  add(make("groupId", MFn::kDependencyNode, false, [] {
    AttrList a = dependAttrs();
    a.push_back(makeAttr("groupId", "id", K::kInt));
    return a;
  }()));
  add(make("groupParts", MFn::kDependencyNode, false, [] {
    AttrList a = dependAttrs();
    a.push_back(makeAttr("inputGeometry", "ig", K::kGeneric));
    a.push_back(makeAttr("outputGeometry", "og", K::kGeneric));
    a.push_back(makeAttr("inputComponents", "ic", K::kComponentList));
    a.push_back(makeAttr("inputRemoveComponent", "irc", K::kComponentList));
    a.push_back(makeAttr("groupId", "gi", K::kInt));
    return a;
  }()));
  add(make("polyCube", MFn::kPolyCube, false,
           polyCreatorAttrs({K::kEnum, 3}, {dist("width", "w", 1), dist("height", "h", 1), dist("depth", "d", 1),
                             num("subdivisionsWidth", "sw", 1, K::kInt), num("subdivisionsHeight", "sh", 1, K::kInt),
                             num("subdivisionsDepth", "sd", 1, K::kInt)})));
  add(make("polyPlane", MFn::kPolyPrimitiveMisc, false,
           polyCreatorAttrs({K::kEnum, 1}, {dist("width", "w", 1), dist("height", "h", 1), num("subdivisionsWidth", "sw", 10, K::kInt),
                             num("subdivisionsHeight", "sh", 10, K::kInt)})));
  add(make("polySphere", MFn::kPolySphere, false,
           polyCreatorAttrs({K::kEnum, 2}, {dist("radius", "r", 1), num("subdivisionsAxis", "sa", 20, K::kInt),
                             num("subdivisionsHeight", "sh", 20, K::kInt)})));
  add(make("polyCylinder", MFn::kPolyCylinder, false,
           polyCreatorAttrs({K::kEnum, 2}, {dist("radius", "r", 1), dist("height", "h", 2), num("subdivisionsAxis", "sa", 20, K::kInt),
                             num("subdivisionsHeight", "sh", 1, K::kInt), num("subdivisionsCaps", "sc", 0, K::kInt),
                             num("roundCap", "rcp", 0, K::kBool),
                             num("roundCapHeightCompensation", "rch", 0, K::kBool)})));
  add(make("polyTorus", MFn::kPolyTorus, false,
           polyCreatorAttrs({K::kBool, 1}, {dist("radius", "r", 1), dist("sectionRadius", "sr", 0.5), num("twist", "tw", 0),
                             num("subdivisionsAxis", "sa", 20, K::kInt), num("subdivisionsHeight", "sh", 20, K::kInt)})));
  add(make("polyCone", MFn::kPolyPrimitiveMisc, false,
           polyCreatorAttrs({K::kEnum, 2}, {dist("radius", "r", 1), dist("height", "h", 2), num("subdivisionsAxis", "sa", 20, K::kInt),
                             num("subdivisionsHeight", "sh", 1, K::kInt), num("subdivisionsCap", "sc", 0, K::kInt),
                             num("roundCap", "rcp", 0, K::kBool)})));
  add(make("polyPyramid", MFn::kPolyPrimitiveMisc, false,
           polyCreatorAttrs({K::kEnum, 2}, {dist("sideLength", "w", 1), num("numberOfSides", "ns", 1, K::kEnum),
                             num("subdivisionsHeight", "sh", 1, K::kInt), num("subdivisionsCaps", "sc", 0, K::kInt)})));
  add(make("polyPrism", MFn::kPolyPrimitiveMisc, false,
           polyCreatorAttrs({K::kEnum, 2}, {dist("length", "l", 2), dist("sideLength", "w", 1), num("numberOfSides", "ns", 3, K::kInt),
                             num("subdivisionsHeight", "sh", 1, K::kInt), num("subdivisionsCaps", "sc", 2, K::kInt)})));
  add(make("polyPipe", MFn::kPolyPrimitiveMisc, false,
           polyCreatorAttrs({K::kBool, 1}, {dist("radius", "r", 1), dist("height", "h", 2), dist("thickness", "t", 0.5),
                             num("subdivisionsAxis", "sa", 20, K::kInt), num("subdivisionsHeight", "sh", 1, K::kInt),
                             num("subdivisionsCaps", "sc", 1, K::kInt), num("roundCap", "rcp", 0, K::kBool),
                             num("roundCapHeightCompensation", "rch", 0, K::kBool)})));
  add(make("polyPlatonicSolid", MFn::kPolyPrimitiveMisc, false,
           polyCreatorAttrs({K::kEnum, 4}, {dist("radius", "r", 1), dist("sideLength", "l", 0), num("solidType", "st", 0, K::kInt)})));
  // The newer creation nodes: Maya writes their attributes by their long names.
  add(make("polyDisc", MFn::kPolyPrimitiveMisc, false,
           polyCreatorAttrs({K::kEnum, 2}, {num("sides", "sides", 12, K::kInt), num("subdivisionMode", "subdivizionMode", 0, K::kEnum),
                             num("subdivisions", "subdivisions", 2, K::kInt), num("radius", "radius", 1)})));
  add(make("polyHelix", MFn::kPolyPrimitiveMisc, false,
           polyCreatorAttrs({K::kEnum, 2}, {num("coils", "c", 3), dist("height", "h", 2), dist("width", "w", 2), dist("radius", "r", 0.4),
                             num("subdivisionsAxis", "sa", 8, K::kInt), num("subdivisionsCaps", "sc", 0, K::kInt),
                             num("subdivisionsCoil", "sco", 50, K::kInt), num("direction", "d", 1, K::kEnum),
                             num("roundCap", "rcp", 0, K::kBool)})));
  add(make("polyPlatonic", MFn::kPolyPrimitiveMisc, false,
           polyCreatorAttrs({K::kEnum, 2}, {num("primitive", "primitive", 4, K::kEnum),
                             num("subdivisionMode", "subdivisionMode", 0, K::kEnum),
                             num("subdivisions", "subdivisions", 0, K::kInt),
                             num("sphericalInflation", "sphericalInflation", 1), num("radius", "radius", 1)})));
  // One face of the points given (the polyCreateFacet command's node, by both names).
  for (const char* face : {"polyCreateFace", "polyCreateFacet"})
    add(make(face, MFn::kPolyCreateFacet, false, [] {
      AttrList a = dependAttrs();
      a.push_back(makeAttr("output", "out", K::kMesh));
      a.push_back(makeAttr("loop", "l", K::kInt, true));
      a.push_back(num("subdivision", "s", 1, K::kInt));
      a.push_back(num("texture", "tx", 0, K::kEnum));
      a.push_back(makeAttr("uvSetName", "uvs", K::kString));
      a.push_back(makeCompound("vertices", "v", true,
                               {num("vtxx", "vx", 0, K::kFloat), num("vtxy", "vy", 0, K::kFloat),
                                num("vtxz", "vz", 0, K::kFloat)}));
      return a;
    }()));
  add(make("makeNurbSphere", MFn::kSphere, false,
           nurbsCreatorAttrs({num("radius", "r", 1), num("startSweep", "ssw", 0), num("endSweep", "esw", 360),
                              num("degree", "d", 3, K::kInt), num("sections", "s", 8, K::kInt),
                              num("spans", "nsp", 4, K::kInt), num("heightRatio", "hr", 2)})));
  add(make("makeNurbPlane", MFn::kNurbsPlane, false,
           nurbsCreatorAttrs({num("width", "w", 1), num("lengthRatio", "lr", 1), num("degree", "d", 3, K::kInt),
                              num("patchesU", "u", 1, K::kInt), num("patchesV", "v", 1, K::kInt)})));
  add(make("nurbsTessellate", MFn::kDependencyNode, false, [] {
    AttrList a = dependAttrs();
    a.push_back(makeAttr("inputSurface", "is", K::kNurbsSurface));
    a.push_back(makeAttr("outputPolygon", "op", K::kMesh));
    for (auto& v : {num("format", "f", 1, K::kEnum), num("polygonType", "pt", 0, K::kEnum),
                    num("polygonCount", "pc", 200, K::kInt), num("chordHeightRatio", "chr", 0.983),
                    num("chordHeight", "cht", 0.1), num("useChordHeightRatio", "ucr", 1, K::kBool),
                    num("useChordHeight", "uch", 0, K::kBool), num("fractionalTolerance", "ft", 0.01),
                    num("minEdgeLength", "mel", 0.001), num("delta", "d", 0.1), num("edgeSwap", "es", 0, K::kBool),
                    num("uType", "ut", 3, K::kEnum), num("uNumber", "un", 3, K::kInt), num("vType", "vt", 3, K::kEnum),
                    num("vNumber", "vn", 3, K::kInt), num("matchNormalDir", "mnd", 0, K::kBool)})
      a.push_back(v);
    return a;
  }()));
  add(make("revolve", MFn::kDependencyNode, false, [] {
    AttrList a = dependAttrs();
    a.push_back(makeAttr("inputCurve", "ic", K::kGeneric));
    a.push_back(makeAttr("outputSurface", "os", K::kNurbsSurface));
    a.push_back(makeTriple("axis", "ax", "XYZ", "xyz", K::kDouble));
    a.back()->children[0]->defaultNumber = 1.0;
    a.push_back(makeTriple("pivot", "p", "XYZ", "xyz", K::kDouble));
    for (auto& e : {num("startSweep", "ssw", 0, K::kAngle), num("endSweep", "esw", 6.283185307179586, K::kAngle),
                    num("degree", "d", 3, K::kInt), num("sections", "s", 8, K::kInt),
                    num("useTolerance", "ut", 0, K::kBool), num("tolerance", "tol", 0.01),
                    num("computePivotAndAxis", "cpa", 0, K::kInt), num("autoCorrectNormal", "acn", 0, K::kBool),
                    num("bridge", "br", 0, K::kBool)})
      a.push_back(e);
    return a;
  }()));
  add(make("makeNurbCircle", MFn::kDependencyNode, false, [] {
    AttrList a = dependAttrs();
    a.push_back(makeAttr("outputCurve", "oc", K::kGeneric));
    a.push_back(makeTriple("normal", "nr", "XYZ", "xyz", K::kDouble));
    a.back()->children[2]->defaultNumber = 1.0;
    a.push_back(makeTriple("center", "c", "XYZ", "xyz", K::kDouble));
    a.push_back(makeTriple("first", "fp", "XYZ", "xyz", K::kDouble));
    for (auto& e : {num("radius", "r", 1), num("sweep", "sw", 6.283185307179586, K::kAngle), num("degree", "d", 3, K::kInt),
                    num("sections", "s", 8, K::kInt), num("useTolerance", "ut", 0, K::kBool),
                    num("tolerance", "tol", 0.01), num("fixCenter", "fc", 1, K::kBool)})
      a.push_back(e);
    return a;
  }()));
  add(make("extrude", MFn::kDependencyNode, false, [] {
    AttrList a = dependAttrs();
    a.push_back(makeAttr("profile", "pr", K::kGeneric));
    a.push_back(makeAttr("path", "pt", K::kGeneric));
    a.push_back(makeAttr("outputSurface", "os", K::kNurbsSurface));
    a.push_back(makeTriple("direction", "d", "XYZ", "xyz", K::kDouble));
    a.back()->children[1]->defaultNumber = 1.0;
    a.push_back(makeTriple("pivot", "p", "XYZ", "xyz", K::kDouble));
    for (auto& e : {num("extrudeType", "et", 2, K::kEnum), num("length", "l", 1), num("fixedPath", "fpt", 0, K::kBool),
                    num("useComponentPivot", "ucp", 0, K::kEnum), num("useProfileNormal", "upn", 0, K::kBool),
                    num("scale", "sc", 1), num("rotation", "ro", 0, K::kAngle), num("degreeAlongLength", "dl", 1, K::kInt),
                    num("reverseSurfaceIfPathReversed", "rsp", 0, K::kBool)})
      a.push_back(e);
    return a;
  }()));
  add(make("planarTrimSurface", MFn::kDependencyNode, false, [] {
    AttrList a = dependAttrs();
    a.push_back(makeAttr("inputCurve", "ic", K::kGeneric, true));
    a.push_back(makeAttr("outputSurface", "os", K::kNurbsSurface));
    a.push_back(num("degree", "d", 3, K::kInt));
    a.push_back(num("tolerance", "tol", 0.01));
    return a;
  }()));
  add(make("loft", MFn::kDependencyNode, false, [] {
    AttrList a = dependAttrs();
    a.push_back(makeAttr("inputCurve", "ic", K::kGeneric, true));
    a.push_back(makeAttr("outputSurface", "os", K::kNurbsSurface));
    a.push_back(makeAttr("reverse", "r", K::kBool, true));
    for (auto& e : {num("uniform", "u", 0, K::kBool), num("close", "c", 0, K::kBool), num("degree", "d", 3, K::kInt),
                    num("sectionSpans", "ss", 1, K::kInt), num("autoReverse", "ar", 1, K::kBool),
                    num("reverseSurfaceNormals", "rsn", 0, K::kBool)})
      a.push_back(e);
    return a;
  }()));
  addHistoryNodeTypes(t, dependAttrs, transformAttrs);
  addDeformHandles(t);
  return t;
}

struct TypeInfo {
  MFn::Type type;
  MFn::Type parent;
  const char* name;
};

const TypeInfo kTypeInfo[] = {
    {MFn::kBase, MFn::kInvalid, "kBase"},
    {MFn::kNamedObject, MFn::kBase, "kNamedObject"},
    {MFn::kDependencyNode, MFn::kNamedObject, "kDependencyNode"},
    {MFn::kDagNode, MFn::kDependencyNode, "kDagNode"},
    {MFn::kWorld, MFn::kDagNode, "kWorld"},
    {MFn::kTransform, MFn::kDagNode, "kTransform"},
    {MFn::kUnknownTransform, MFn::kTransform, "kUnknownTransform"},
    {MFn::kShape, MFn::kDagNode, "kShape"},
    {MFn::kSurface, MFn::kShape, "kSurface"},
    {MFn::kMesh, MFn::kSurface, "kMesh"},
    {MFn::kNurbsSurface, MFn::kSurface, "kNurbsSurface"},
    {MFn::kCurve, MFn::kShape, "kCurve"},
    {MFn::kNurbsCurve, MFn::kCurve, "kNurbsCurve"},
    {MFn::kCamera, MFn::kShape, "kCamera"},
    {MFn::kLocator, MFn::kShape, "kLocator"},
    {MFn::kLight, MFn::kShape, "kLight"},
    {MFn::kAmbientLight, MFn::kLight, "kAmbientLight"},
    {MFn::kDirectionalLight, MFn::kLight, "kDirectionalLight"},
    {MFn::kPointLight, MFn::kLight, "kPointLight"},
    {MFn::kSpotLight, MFn::kLight, "kSpotLight"},
    {MFn::kLambert, MFn::kDependencyNode, "kLambert"},
    {MFn::kReflect, MFn::kLambert, "kReflect"},
    {MFn::kBlinn, MFn::kReflect, "kBlinn"},
    {MFn::kPhong, MFn::kReflect, "kPhong"},
    {MFn::kTexture2d, MFn::kDependencyNode, "kTexture2d"},
    {MFn::kFileTexture, MFn::kTexture2d, "kFileTexture"},
    {MFn::kBump, MFn::kDependencyNode, "kBump"},
    {MFn::kPlace2dTexture, MFn::kDependencyNode, "kPlace2dTexture"},
    {MFn::kSingleShadingSwitch, MFn::kDependencyNode, "kSingleShadingSwitch"},
    {MFn::kDoubleShadingSwitch, MFn::kDependencyNode, "kDoubleShadingSwitch"},
    {MFn::kTripleShadingSwitch, MFn::kDependencyNode, "kTripleShadingSwitch"},
    {MFn::kSet, MFn::kDependencyNode, "kSet"},
    {MFn::kShadingEngine, MFn::kSet, "kShadingEngine"},
    {MFn::kPolyTweakUV, MFn::kDependencyNode, "kPolyTweakUV"},
    {MFn::kPolyCreator, MFn::kDependencyNode, "kPolyCreator"},
    {MFn::kPolyPrimitive, MFn::kPolyCreator, "kPolyPrimitive"},
    {MFn::kPolyCreateFacet, MFn::kPolyCreator, "kPolyCreateFacet"},
    {MFn::kPolyCube, MFn::kPolyPrimitive, "kPolyCube"},
    {MFn::kPolyPrimitiveMisc, MFn::kPolyPrimitive, "kPolyPrimitiveMisc"},
    {MFn::kPolySphere, MFn::kPolyPrimitive, "kPolySphere"},
    {MFn::kPolyCylinder, MFn::kPolyPrimitive, "kPolyCylinder"},
    {MFn::kPolyTorus, MFn::kPolyPrimitive, "kPolyTorus"},
    {MFn::kPrimitive, MFn::kDependencyNode, "kPrimitive"},
    {MFn::kSphere, MFn::kPrimitive, "kSphere"},
    {MFn::kNurbsPlane, MFn::kPrimitive, "kNurbsPlane"},
    {MFn::kPluginDependNode, MFn::kDependencyNode, "kPluginDependNode"},
    {MFn::kUnknown, MFn::kDependencyNode, "kUnknown"},
    {MFn::kComponent, MFn::kBase, "kComponent"},
    {MFn::kSingleIndexedComponent, MFn::kComponent, "kSingleIndexedComponent"},
    {MFn::kDoubleIndexedComponent, MFn::kComponent, "kDoubleIndexedComponent"},
    {MFn::kMeshPolygonComponent, MFn::kSingleIndexedComponent, "kMeshPolygonComponent"},
    {MFn::kMeshEdgeComponent, MFn::kSingleIndexedComponent, "kMeshEdgeComponent"},
    {MFn::kMeshVertComponent, MFn::kSingleIndexedComponent, "kMeshVertComponent"},
    {MFn::kMeshMapComponent, MFn::kSingleIndexedComponent, "kMeshMapComponent"},
    {MFn::kSurfaceCVComponent, MFn::kDoubleIndexedComponent, "kSurfaceCVComponent"},
    {MFn::kAttribute, MFn::kBase, "kAttribute"},
    {MFn::kCompoundAttribute, MFn::kAttribute, "kCompoundAttribute"},
    {MFn::kNumericAttribute, MFn::kAttribute, "kNumericAttribute"},
    {MFn::kTypedAttribute, MFn::kAttribute, "kTypedAttribute"},
    {MFn::kMessageAttribute, MFn::kAttribute, "kMessageAttribute"},
    {MFn::kMatrixAttribute, MFn::kAttribute, "kMatrixAttribute"},
    {MFn::kGenericAttribute, MFn::kAttribute, "kGenericAttribute"},
    {MFn::kData, MFn::kBase, "kData"},
    {MFn::kMeshData, MFn::kData, "kMeshData"},
    {MFn::kNurbsSurfaceData, MFn::kData, "kNurbsSurfaceData"},
};

const TypeInfo* info(MFn::Type type) {
  for (const auto& i : kTypeInfo)
    if (i.type == type)
      return &i;
  return nullptr;
}

}  // namespace

const NodeType* findNodeType(const std::string& name) {
  static const std::map<std::string, NodeType> types = buildTypes();
  auto it = types.find(name);
  return it == types.end() ? nullptr : &it->second;
}

bool typeHasFn(MFn::Type actual, MFn::Type wanted) {
  if (wanted == MFn::kInvalid)
    return false;
  for (MFn::Type t = actual; t != MFn::kInvalid;) {
    if (t == wanted)
      return true;
    const TypeInfo* i = info(t);
    if (!i)
      return false;
    t = i->parent;
  }
  return false;
}

const char* apiTypeName(MFn::Type type) {
  const TypeInfo* i = info(type);
  return i ? i->name : "kInvalid";
}

}  // namespace OmbrixHost
