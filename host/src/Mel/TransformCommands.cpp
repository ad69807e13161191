// MEL commands that move, turn and scale transforms: move, rotate, scale and
// xform (its translate, rotate, scale and matrix queries and edits). Values
// are in centimetres and in the scene's angular unit; the host places an
// object by its translate channels (pivots are not moved).
#include "HostObject.h"
#include "Matrix4.h"
#include "MelInterpreter.h"
#include "Scene.h"

#include <maya/MSelectionList.h>

#include <cmath>

namespace OmbrixHost {

namespace {

constexpr double kPi = 3.14159265358979323846;
const char* const kAxes = "XYZ";

struct Vec3 {
  double v[3] = {0, 0, 0};
};

// The transforms named (or, without names, those selected), with their DAG path.
std::vector<DagChain> transforms(const std::string& command, const std::vector<MelValue>& names) {
  std::vector<DagChain> chains;
  for (const auto& name : names) {
    auto paths = scene().findPaths(name.asString());
    if (paths.empty() || paths[0].empty())
      MelInterpreter::fail(command + ": No object matches name: " + name.asString());
    chains.push_back(paths[0]);
  }
  if (names.empty()) {
    const MSelectionList& active = scene().activeSelection();
    for (unsigned i = 0; i < active.length(); ++i) {
      MObject object;
      Node* n = active.getDependNode(i, object) == MStatus::kSuccess ? Access::node(object) : nullptr;
      auto paths = n ? scene().allPaths(n) : std::vector<DagChain>();
      if (!paths.empty())
        chains.push_back(paths[0]);
    }
  }
  if (chains.empty())
    MelInterpreter::fail(command + ": No objects are named or selected.");
  for (const auto& chain : chains)
    if (!chain.back()->hasFn(MFn::kTransform))
      MelInterpreter::fail(command + ": " + chain.back()->name + " is not a transform");
  return chains;
}

Matrix4 worldOf(const DagChain& chain) {
  Matrix4 m;
  scene().inclusiveMatrix(chain, m.m);
  return m;
}

Matrix4 parentWorld(const DagChain& chain) { return worldOf(DagChain(chain.begin(), chain.end() - 1)); }

double angleScale() { return scene().angleUnit == "rad" ? 1.0 : kPi / 180.0; }

Vec3 channels(const Node* n, const std::string& base, double fallback) {
  Vec3 out;
  for (int i = 0; i < 3; ++i)
    out.v[i] = n->number(base + "." + base + kAxes[i], fallback);
  return out;
}

void setChannels(Node* n, const std::string& base, const Vec3& values) {
  for (int i = 0; i < 3; ++i) {
    PlugRef plug;
    std::string error;
    if (!scene().resolvePlugOn(n, base + "." + base + kAxes[i], plug, error))
      MelInterpreter::fail(error);
    scene().setValue(plug, Value::ofNumber(values.v[i]));
  }
}

// The three numbers before the object names.
Vec3 leadingNumbers(const std::string& command, std::vector<MelValue>& positional) {
  if (positional.size() < 3)
    MelInterpreter::fail(command + ": three values expected");
  Vec3 out;
  for (int i = 0; i < 3; ++i) {
    if (!positional[static_cast<std::size_t>(i)].isNumber())
      MelInterpreter::fail(command + ": \"" + positional[static_cast<std::size_t>(i)].asString() + "\" is not a number");
    out.v[i] = positional[static_cast<std::size_t>(i)].asNumber();
  }
  positional.erase(positional.begin(), positional.begin() + 3);
  return out;
}

// Translate: in world space through the parent's world matrix, else the channels.
void translate(const DagChain& chain, Vec3 value, bool relative, bool world) {
  Node* n = chain.back();
  Vec3 t = channels(n, "translate", 0.0);
  if (world) {
    Matrix4 inverse;
    if (!parentWorld(chain).inverse(inverse))
      MelInterpreter::fail(n->name + ": its parent's matrix cannot be inverted");
    Matrix4 toParent = inverse;
    if (relative)
      toParent.m[3][0] = toParent.m[3][1] = toParent.m[3][2] = 0.0;  // a direction
    const Point3 p = toParent.apply(Point3{value.v[0], value.v[1], value.v[2]});
    value.v[0] = p.x;
    value.v[1] = p.y;
    value.v[2] = p.z;
  }
  for (int i = 0; i < 3; ++i)
    t.v[i] = relative ? t.v[i] + value.v[i] : value.v[i];
  setChannels(n, "translate", t);
}

// True when the parent's world matrix turns nothing: a uniform positive scale at most.
bool parentUnturned(const DagChain& chain) {
  const Matrix4 p = parentWorld(chain);
  const double s = p.m[0][0];
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      if (std::fabs(p.m[r][c] - (r == c ? s : 0.0)) > 1e-12 || s <= 0.0)
        return false;
  return true;
}

// Rotate (values in the scene's angular unit). Absolute sets the channels; a
// relative turn adds to them, which is Maya's turn about a fixed axis only
// when the object is turned about that axis alone: others are refused.
void turn(const DagChain& chain, Vec3 value, bool relative, bool world) {
  Node* n = chain.back();
  if (world && !parentUnturned(chain))
    MelInterpreter::fail(n->name + ": turning in world space under a turned parent is not supported by the host; "
                                   "use -objectSpace");
  Vec3 r = channels(n, "rotate", 0.0);
  int axes = 0, axis = -1;
  for (int i = 0; i < 3; ++i) {
    value.v[i] *= angleScale();
    if (value.v[i] != 0.0 || (relative && r.v[i] != 0.0)) {
      axes += axis == i ? 0 : 1;
      axis = i;
    }
  }
  if (relative && axes > 1)
    MelInterpreter::fail(n->name + ": a relative turn about more than one axis at once is not supported by the host");
  for (int i = 0; i < 3; ++i)
    r.v[i] = relative ? r.v[i] + value.v[i] : value.v[i];
  setChannels(n, "rotate", r);
}

// Scale: absolute sets the channels, relative multiplies them.
void resize(const DagChain& chain, const Vec3& value, bool relative) {
  Node* n = chain.back();
  Vec3 s = channels(n, "scale", 1.0);
  for (int i = 0; i < 3; ++i)
    s.v[i] = relative ? s.v[i] * value.v[i] : value.v[i];
  setChannels(n, "scale", s);
}

bool flagOn(const MelFlags& f, const char* name) { return f.has(name); }

const MelFlagTable moveFlags = {{"relative", "r", 0},
                                {"absolute", "a", 0},
                                {"worldSpace", "ws", 0},
                                {"localSpace", "ls", 0},
                                {"objectSpace", "os", 0}};

MelValue move(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("move", args, moveFlags);
  if (flagOn(f, "objectSpace"))
    MelInterpreter::fail("move: -objectSpace is not supported by the host; use -worldSpace or -localSpace");
  Vec3 value = leadingNumbers("move", f.positional);
  for (const auto& chain : transforms("move", f.positional))
    translate(chain, value, flagOn(f, "relative"), !flagOn(f, "localSpace"));
  return MelValue();
}

const MelFlagTable rotateFlags = {
    {"relative", "r", 0}, {"absolute", "a", 0}, {"worldSpace", "ws", 0}, {"objectSpace", "os", 0}};

MelValue rotate(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("rotate", args, rotateFlags);
  Vec3 value = leadingNumbers("rotate", f.positional);
  for (const auto& chain : transforms("rotate", f.positional))
    turn(chain, value, flagOn(f, "relative"), !flagOn(f, "objectSpace"));
  return MelValue();
}

const MelFlagTable scaleFlags = {{"relative", "r", 0}, {"absolute", "a", 0}, {"objectSpace", "os", 0}};

MelValue scale(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("scale", args, scaleFlags);
  Vec3 value = leadingNumbers("scale", f.positional);
  for (const auto& chain : transforms("scale", f.positional))
    resize(chain, value, flagOn(f, "relative"));
  return MelValue();
}

MelValue numbers(std::vector<double> values) {
  MelValue out = MelValue::ofKind(MelValue::kFloatArray);
  out.numbers = std::move(values);
  return out;
}

MelValue queryTransform(const MelFlags& f, const DagChain& chain) {
  const Node* n = chain.back();
  const bool world = flagOn(f, "worldSpace");
  if (f.has("translation")) {
    if (!world) {
      const Vec3 t = channels(n, "translate", 0.0);
      return numbers({t.v[0], t.v[1], t.v[2]});
    }
    const Matrix4 m = worldOf(chain);
    return numbers({m.m[3][0], m.m[3][1], m.m[3][2]});
  }
  if (f.has("rotation")) {
    const Vec3 r = channels(n, "rotate", 0.0);
    return numbers({r.v[0] / angleScale(), r.v[1] / angleScale(), r.v[2] / angleScale()});
  }
  if (f.has("scale")) {
    const Vec3 s = channels(n, "scale", 1.0);
    return numbers({s.v[0], s.v[1], s.v[2]});
  }
  Matrix4 m;
  if (world)
    m = worldOf(chain);
  else
    scene().localMatrix(n, m.m);
  std::vector<double> all;
  for (const auto& row : m.m)
    all.insert(all.end(), row, row + 4);
  return numbers(all);
}

Vec3 flagValues(const MelFlags& f, const char* name) {
  Vec3 out;
  const auto& values = f.flags.at(name);
  for (int i = 0; i < 3; ++i)
    out.v[i] = values[static_cast<std::size_t>(i)].asNumber();
  return out;
}

const MelFlagTable xformFlags = {{"query", "q", 0},    {"translation", "t", 3}, {"rotation", "ro", 3},
                                 {"scale", "s", 3},    {"matrix", "m", 16},     {"relative", "r", 0},
                                 {"absolute", "a", 0}, {"worldSpace", "ws", 0}, {"objectSpace", "os", 0}};

MelValue xform(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("xform", args, xformFlags);
  auto chains = transforms("xform", f.positional);
  if (f.has("query")) {
    int asked = 0;
    for (const char* flag : {"translation", "rotation", "scale", "matrix"})
      asked += f.has(flag) ? 1 : 0;
    if (asked != 1)
      MelInterpreter::fail("xform: query one of -translation, -rotation, -scale or -matrix");
    return queryTransform(f, chains[0]);
  }
  if (f.has("matrix"))
    MelInterpreter::fail("xform: setting -matrix is not supported by the host");
  const bool relative = flagOn(f, "relative"), world = flagOn(f, "worldSpace");
  for (const auto& chain : chains) {
    if (f.has("scale"))
      resize(chain, flagValues(f, "scale"), relative);
    if (f.has("rotation"))
      turn(chain, flagValues(f, "rotation"), relative, world);
    if (f.has("translation"))
      translate(chain, flagValues(f, "translation"), relative, world);
  }
  return MelValue();
}

}  // namespace

void registerTransformCommands(MelInterpreter& mel) {
  mel.registerCommand("move", move, moveFlags);
  mel.registerCommand("rotate", rotate, rotateFlags);
  mel.registerCommand("scale", scale, scaleFlags);
  mel.registerCommand("xform", xform, xformFlags);
}

}  // namespace OmbrixHost
