#include "MeshHistory.h"

#include "Deformers.h"
#include "ModelingNodes.h"
#include "Modifiers.h"
#include "Scene.h"
#include "Primitives.h"
#include "SurfaceTessellation.h"
#include "UVEdits.h"

#include <algorithm>
#include <cmath>

namespace OmbrixHost {
namespace {

const int kMaxDepth = 1000;
const char* const kKeepsFileData = "the mesh keeps the data in the file";
const char* const kTakesUpstream = "the mesh takes the geometry upstream of it";

// The shape's own tweaks go on top of what its history gives (a shape
// without history has them on its own points); those of vertices the result
// lacks are reported when the scene is finished.
void addTweaks(const Node* shape, MeshData& m) {
  m.tweaks = shape->mesh->tweaks;
  m.tweaksApplied = false;
  m.applyTweaks();
}

std::string deformerInput(int index) { return "input[" + std::to_string(index) + "].inputGeometry"; }

// Where a node of a type the host does not evaluate takes its mesh, by the
// names Maya's poly modifiers and deformers use, long or as a file writes them.
std::vector<std::string> likelyInputs(int index) {
  std::string i = std::to_string(index);
  return {"inputPolymesh", "ip", "inputGeometry", "ig", deformerInput(index), "ip[" + i + "].ig", "inMesh", "i"};
}

// The index of an input array element "inputPoly[3]" or "ip[3]" (as a node of
// an unknown type keeps it); -1 for any other plug.
int meshArrayIndex(const std::string& key) {
  for (const char* name : {"inputPoly[", "ip["}) {
    const std::string prefix = name;
    if (key.size() > prefix.size() + 1 && key.compare(0, prefix.size(), prefix) == 0 && key.back() == ']' &&
        key.find_first_not_of("0123456789", prefix.size()) == key.size() - 1)
      return std::atoi(key.c_str() + prefix.size());
  }
  return -1;
}

class Visit {
public:
  Visit(std::set<const Node*>& active, const Node* node) : active_(active), node_(node) {
    entered_ = active_.insert(node).second;
  }
  ~Visit() {
    if (entered_)
      active_.erase(node_);
  }
  Visit(const Visit&) = delete;
  Visit& operator=(const Visit&) = delete;
  bool entered() const { return entered_ && active_.size() <= static_cast<std::size_t>(kMaxDepth); }

private:
  std::set<const Node*>& active_;
  const Node* node_;
  bool entered_;
};

}  // namespace

const Connection* incomingConnection(const Node* node, const std::string& key) {
  for (const auto& c : node->connections)
    if (!c.outgoing && c.localKey == key)
      return &c;
  return nullptr;
}

bool dagWorldMatrix(const Node* node, Matrix4& out, int instance) {
  auto paths = scene().allPaths(const_cast<Node*>(node));
  if (paths.empty())
    return false;
  const bool known = instance >= 0 && static_cast<std::size_t>(instance) < paths.size();
  double rows[4][4];
  scene().inclusiveMatrix(paths[known ? static_cast<std::size_t>(instance) : 0], rows);
  out = Matrix4::fromRows(rows);
  return true;
}

namespace {

// The matrix a DAG node's plug carries: its world matrix, its own (matrix),
// its parent's (parentMatrix) or the inverse of one (worldInverseMatrix,
// parentInverseMatrix). False when it has no place or cannot be inverted.
bool dagPlugMatrix(const PlugRef& plug, Matrix4& out) {
  if (!dagWorldMatrix(plug.node, out, plug.indices.empty() ? 0 : plug.indices.front()))
    return false;
  const std::string name = plug.attr ? plug.attr->name : "worldMatrix";
  if (name == "worldMatrix")
    return true;
  double rows[4][4];
  scene().localMatrix(plug.node, rows);
  const Matrix4 local = Matrix4::fromRows(rows);
  Matrix4 localInverse, inverse;
  if (name == "matrix") {
    out = local;
  } else if (name == "parentMatrix" || name == "parentInverseMatrix") {
    if (!local.inverse(localInverse))
      return false;
    out = localInverse * out;
  }
  if (name != "worldInverseMatrix" && name != "parentInverseMatrix")
    return true;
  if (!out.inverse(inverse))
    return false;
  out = inverse;
  return true;
}

}  // namespace

bool inputMatrix(const Node& node, const std::string& key, Matrix4& out, bool& present) {
  const Connection* c = incomingConnection(&node, key);
  present = false;
  if (c && c->remote.node->dag) {
    if (!dagPlugMatrix(c->remote, out))
      return false;
    present = true;
    return true;
  }
  const Value stored = node.value(key);
  out = Matrix4();
  present = Matrix4::fromValue(&stored, out);
  return !c;
}

bool MeshHistory::shapeMesh(const Node* shape, MeshData& out) {
  auto memo = shapes_.find(shape);
  if (memo != shapes_.end()) {
    out = memo->second;
    return true;
  }
  if (!shape->mesh)
    return false;
  const Connection* in = incomingConnection(shape, "inMesh");
  bool ok = true;
  if (!in) {
    out = *shape->mesh;
    out.applyTweaks();
  } else {
    const Node* outer = shape_;
    shape_ = shape;
    Visit visit(active_, shape);
    if (!visit.entered()) {
      report(shape, "its history runs in a cycle or deeper than " + std::to_string(kMaxDepth) + " nodes",
             kKeepsFileData);
      ok = false;
    } else {
      ok = meshAt(in->remote, out);
    }
    shape_ = outer;
  }
  if (!ok)
    return false;
  out.rebuildFaceStarts();
  if (in)
    addTweaks(shape, out);
  shapes_[shape] = out;
  return true;
}

std::string MeshHistory::note(const Node* shape) const {
  auto it = notes_.find(shape);
  auto layout = layoutNotes_.find(shape);
  std::string out = it == notes_.end() ? std::string() : it->second;
  if (layout != layoutNotes_.end())
    out += (out.empty() ? "" : "; ") + layoutText(shape, layout->second);
  return out;
}

// A mesh that takes another shape's mesh (an "Orig" shape with history of its
// own) is told what that shape's history was told, when nothing else was.
void MeshHistory::inheritNotes(const Node* upstream) {
  if (!shape_ || shape_ == upstream)
    return;
  auto note = notes_.find(upstream);
  if (note != notes_.end())
    notes_.emplace(shape_, note->second);
  auto layout = layoutNotes_.find(upstream);
  if (layout != layoutNotes_.end())
    layoutNotes_.emplace(shape_, layout->second);
  if (approximated(upstream))
    approximated_.insert(shape_);
}

bool MeshHistory::meshAt(const PlugRef& source, MeshData& out) {
  const Node* node = source.node;
  if (node->mesh) {
    if (!shapeMesh(node, out))
      return false;
    inheritNotes(node);
    return true;
  }
  Visit visit(active_, node);
  if (!visit.entered()) {
    report(node, "its history runs in a cycle or deeper than " + std::to_string(kMaxDepth) + " nodes",
           kKeepsFileData);
    return false;
  }
  return nodeOutput(node, source, out);
}

bool MeshHistory::nodeOutput(const Node* node, const PlugRef& source, MeshData& out) {
  std::string why;
  if (node->hasFn(MFn::kPolyCreator)) {
    if (generatePolyPrimitive(*node, out, why))
      return true;
    report(node, why.empty() ? "its attributes are out of range" : why, kKeepsFileData);
    return false;
  }
  if (node->typeName == "nurbsTessellate") {
    if (tessellateHistory(*node, out, why))
      return true;
    report(node, why, kKeepsFileData);
    return false;
  }
  if (isUVEdit(*node))
    return uvEditOutput(node, out);
  if (const char* input = modifierInput(*node)) {
    if (!passThrough(node, input, "", out))
      return false;
    if (!applyModifier(*node, out, why))
      report(node, why, kTakesUpstream);
    else if (!why.empty())
      report(node, why, nullptr);
    return true;
  }
  int index = source.indices.empty() ? 0 : std::max(0, source.indices.front());
  if (node->typeName == "polySeparate") {
    if (!passThrough(node, "inputPoly", "", out))
      return false;
    std::vector<int> chosen;
    for (double shell : node->value("remShells").numbers)
      chosen.push_back(std::isfinite(shell) && std::fabs(shell) < 1e9 ? static_cast<int>(shell) : -1);
    if (!separatePiece(out, index, chosen, why))
      report(node, why, kTakesUpstream);
    return true;
  }
  if (isDeformer(*node)) {
    if (!passThrough(node, deformerInput(index), "", out))
      return false;
    DeformerSources sources{[this](const PlugRef& plug, MeshData& mesh) { return meshAt(plug, mesh); }, shape_};
    if (!applyDeformer(*node, index, out, sources, why))
      report(node, why, kTakesUpstream);
    else if (!why.empty())
      report(node, why, nullptr);
    return true;
  }
  if (node->typeName == "polyUnite" || hasMeshArrayInput(node))
    return unite(node, out);
  for (const auto& key : likelyInputs(index))
    if (incomingConnection(node, key))
      return passThrough(node, key, "the host does not evaluate " + node->typeName + " nodes", out);
  report(node, "the host does not evaluate " + node->typeName + " nodes", kKeepsFileData);
  return false;
}

bool MeshHistory::hasMeshArrayInput(const Node* node) const {
  for (const auto& c : node->connections)
    if (!c.outgoing && meshArrayIndex(c.localKey) >= 0)
      return true;
  return false;
}

// polyUnite: its inputs in order, each placed by its inputMat. Inputs that give
// nothing sound are left out; a node of another type with such inputs
// (polyBoolean) is said not to be evaluated and gives its inputs combined.
bool MeshHistory::unite(const Node* node, MeshData& out) {
  std::map<int, const Connection*> inputs;
  for (const auto& c : node->connections)
    if (!c.outgoing && meshArrayIndex(c.localKey) >= 0)
      inputs.emplace(meshArrayIndex(c.localKey), &c);
  std::vector<PlacedMesh> parts;
  std::string leftOut;
  for (const auto& [i, c] : inputs) {
    PlacedMesh part;
    bool present = false;
    std::string key = c->localKey.substr(0, c->localKey.find('[')) == "ip" ? "im" : "inputMat";
    key += "[" + std::to_string(i) + "]";
    if (!meshAt(c->remote, part.mesh) || !inputMatrix(*node, key, part.matrix, present) || !part.matrix.finite()) {
      leftOut += (leftOut.empty() ? "" : ", ") + std::to_string(i);
      continue;
    }
    part.mesh.rebuildFaceStarts();
    parts.push_back(std::move(part));
  }
  if (parts.empty()) {
    report(node, "none of its inputs gives a mesh", kKeepsFileData);
    return false;
  }
  out = uniteMeshes(parts);
  if (node->typeName != "polyUnite")
    report(node, "the host does not evaluate " + node->typeName + " nodes", "the mesh takes its inputs combined");
  else if (!leftOut.empty())
    report(node, "its inputs " + leftOut + " give no mesh and are left out", nullptr);
  return true;
}

std::string MeshHistory::layoutText(const Node* shape, const Node* node) {
  return "UVs of " + shape->name + " come from " + node->name +
         ", laid out by mayahost; Maya's layout may differ: import the painter's UVs back, or delete history in Maya "
         "before exporting";
}

bool MeshHistory::uvEditOutput(const Node* node, MeshData& out) {
  if (!passThrough(node, "inputPolymesh", "", out))
    return false;
  std::string why;
  bool hostLayout = false;
  if (!applyUVEdit(*node, out, why, hostLayout))
    report(node, why, kTakesUpstream);
  else if (!why.empty())
    report(node, why, nullptr);
  if (hostLayout)
    noteHostLayout(node);
  return true;
}

// Once per mesh: its UVs are where the host put them, which Maya may not share.
void MeshHistory::noteHostLayout(const Node* node) {
  const Node* shape = shape_ ? shape_ : node;
  approximated_.insert(shape);
  if (!layoutNotes_.emplace(shape, node).second)
    return;
  problems_.push_back(file_ + ":" + std::to_string(shape->sourceLine) + ": " + layoutText(shape, node));
}

// The mesh arriving on `inputKey`; `why` non-empty reports the node as passed through.
bool MeshHistory::passThrough(const Node* node, const std::string& inputKey, const std::string& why, MeshData& out) {
  const Connection* in = incomingConnection(node, inputKey);
  if (!in) {
    report(node, "nothing is connected to its " + inputKey, kKeepsFileData);
    return false;
  }
  if (!meshAt(in->remote, out))
    return false;
  if (!why.empty())
    report(node, why, kTakesUpstream);
  return true;
}

void MeshHistory::report(const Node* node, const std::string& why, const char* outcome) {
  const Node* shape = shape_ ? shape_ : node;
  std::string text = shape->name + ": construction history through " + node->name + " (" + node->typeName + ")";
  text += outcome ? " is not evaluated (" + why + "); " + outcome : ": " + why;
  problems_.push_back(file_ + ":" + std::to_string(shape->sourceLine) + ": " + text);
  if (!outcome && why.find("may differ") != std::string::npos)
    approximated_.insert(shape);  // evaluated, but as the host makes it
  if (outcome && !notes_.count(shape))
    notes_[shape] = text;
}

}  // namespace OmbrixHost
