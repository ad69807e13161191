#include "Scene.h"

#include "ColourConfig.h"
#include "MeshFileData.h"
#include "NodeTypes.h"
#include "SetAttr.h"
#include "UndoQueue.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>

namespace OmbrixHost {

const AttrDef* addOpaqueAttribute(Node* node, AttrDef* parent, const std::string& name, bool array);

Scene& scene() {
  static Scene instance;
  return instance;
}

void reportRefusal(std::vector<std::string>& problems, const std::string& message, bool geometry) {
  problems.push_back(message);
  ++scene().refused.total;
  if (geometry)
    ++scene().refused.geometry;
}

bool splitIndexed(const std::string& part, std::string& name, int& index) {
  index = -1;
  auto open = part.find('[');
  if (open == std::string::npos) {
    name = part;
    return !name.empty();
  }
  if (part.back() != ']' || open == 0)
    return false;
  name = part.substr(0, open);
  std::string digits = part.substr(open + 1, part.size() - open - 2);
  if (digits.empty() || digits.size() > 9)
    return false;
  for (char c : digits)
    if (!std::isdigit(static_cast<unsigned char>(c)))
      return false;
  index = std::stoi(digits);
  return true;
}

// Greedy matching that returns to the last star: linear in practice, never
// exponential, whatever the pattern.
bool globMatch(const char* pattern, const char* text) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*text) {
    if (*pattern == '*') {
      star = pattern++;
      resume = text;
    } else if (*pattern == '?' || *pattern == *text) {
      ++pattern;
      ++text;
    } else if (star) {
      pattern = star + 1;
      text = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*')
    ++pattern;
  return *pattern == '\0';
}

Scene::Scene() { reset(); }
Scene::~Scene() = default;

void Scene::reset() {
  undoQueue().flush();  // its commands name nodes of the scene that goes
  for (auto& n : nodes_)
    n->alive = false;
  resetSerial_ = serial_;
  nodes_.clear();
  names_.clear();
  selection_.clear();
  menus.clear();
  currentMenu.clear();
  currentNode.reset();
  linearUnit = "cm";
  angleUnit = "deg";
  refused = Refusals();
  fileInfo.clear();
  requirements.clear();
  savedBy.clear();
  references.clear();
  fileFormat.clear();
  sceneFile.clear();
  menuOrder.clear();
  world_ = std::make_shared<Node>();
  world_->name = "";
  world_->typeName = "world";
  world_->type = findNodeType("world");
  world_->apiType = MFn::kWorld;
  world_->dag = true;
  world_->self = world_;
  prefs_ = {{"f", 1}, {"chr", 0.9}, {"cht", 0.1}, {"d", 0.1}, {"es", 0}, {"ft", 0.01}, {"mel", 0.001},
            {"pc", 200}, {"pt", 0}, {"ucr", 1}, {"uch", 0}, {"ut", 3}, {"un", 3}, {"vt", 3}, {"vn", 3},
            {"m", 0}, {"mt", 0.1}, {"mrt", 0}};
  dagChanged();
  createDefaults();
  modified = false;
}

void Scene::createDefaults() {
  std::string error;
  for (const char* cam : {"persp", "top", "front", "side"}) {
    Node* t = createNode("transform", cam, nullptr, error);
    createNode("camera", std::string(cam) + "Shape", t, error);
  }
  static const char* opaque[] = {"time1", "sequenceManager1", "hardwareRenderingGlobals", "renderPartition",
                                 "renderGlobalsList1", "defaultLightList1", "defaultShaderList1",
                                 "postProcessList1", "defaultRenderUtilityList1", "defaultRenderingList1",
                                 "lightList1", "defaultTextureList1", "initialMaterialInfo", "lightLinker1",
                                 "shapeEditorManager", "poseInterpolatorManager", "layerManager",
                                 "defaultLayer", "renderLayerManager", "defaultRenderLayer",
                                 "defaultRenderGlobals", "defaultResolution", "hardwareRenderGlobals",
                                 "characterPartition", "defaultHardwareRenderGlobals", "ikSystem",
                                 "defaultColorMgtGlobals", "strokeGlobals", "particleCloud1", "shaderGlow1"};
  // The lists the Hypershade adds new textures and utilities to, the default
  // shading group's materialInfo and the colour management settings are
  // typed; the others are of unknown types: opaque nodes.
  for (const char* name : opaque) {
    const std::string type = name;
    const bool list = type == "defaultRenderUtilityList1" || type == "defaultTextureList1";
    const char* typed = type == "initialMaterialInfo"      ? "materialInfo"
                        : type == "defaultColorMgtGlobals" ? "colorManagementGlobals"
                                                           : nullptr;
    createNode(typed ? typed : list ? type.substr(0, type.size() - 1) : type, name, nullptr, error);
  }
  createNode("lambert", "lambert1", nullptr, error);
  Node* light = createNode("objectSet", "defaultLightSet", nullptr, error);
  createNode("objectSet", "defaultObjectSet", nullptr, error);
  Node* particle = createNode("shadingEngine", "initialParticleSE", nullptr, error);
  Node* initial = createNode("shadingEngine", "initialShadingGroup", nullptr, error);
  (void)light;
  for (Node* sg : {particle, initial}) {
    PlugRef ro;
    if (resolvePlugOn(sg, "renderableOnlySet", ro, error))
      setValue(ro, Value::ofNumber(1));
  }
  PlugRef src, dst;
  if (resolvePlug("lambert1.outColor", src, error) && resolvePlug("initialShadingGroup.surfaceShader", dst, error) &&
      connect(src, dst, false, false, error)) {
    src.node->connections.back().builtIn = true;
    dst.node->connections.back().builtIn = true;
  }
  // As in Maya's new scene (which no scene file writes): what the viewport
  // shows of the default shading group.
  if (resolvePlug("initialShadingGroup.message", src, error) &&
      resolvePlug("initialMaterialInfo.shadingGroup", dst, error) && connect(src, dst, false, false, error)) {
    src.node->connections.back().builtIn = true;
    dst.node->connections.back().builtIn = true;
  }
  defaultNodes = serial_;
}

int Scene::savedByYear() const { return std::atoi(savedBy.c_str()); }

Node* Scene::createImpliedDefault(const std::string& name, std::string& error) {
  // In the root namespace, also while a referenced file is read.
  if (name != "standardSurface1")
    return createNode("unknown", ":" + name, nullptr, error);
  Node* material = createNode("standardSurface", ":" + name, nullptr, error);
  PlugRef out, shader;
  if (!material || savedByYear() < 2024 || !resolvePlugOn(material, "outColor", out, error) ||
      !resolvePlug("initialShadingGroup.surfaceShader", shader, error))
    return material;
  for (const PlugRef& source : connectedTo(shader, true, false))
    disconnect(source, shader, error);
  if (connect(out, shader, false, false, error)) {
    out.node->connections.back().builtIn = true;
    shader.node->connections.back().builtIn = true;
  }
  return material;
}

// ---------------------------------------------------------------- names

static bool hasName(const std::multimap<std::string, Node*>& names, const std::string& name, Node* parent,
                    const Node* self, bool dag) {
  auto range = names.equal_range(name);
  for (auto it = range.first; it != range.second; ++it) {
    Node* other = it->second;
    if (other == self)
      continue;
    if (!dag || !other->dag)
      return true;
    // DAG names only clash between siblings.
    for (Node* p : other->parents)
      if (p == parent)
        return true;
  }
  return false;
}

std::string Scene::uniqueName(const std::string& wanted, Node* parent, const Node* self) const {
  bool dag = self ? self->dag : parent != nullptr;
  std::string base = wanted;
  auto hash = base.find('#');
  if (hash == std::string::npos && !hasName(names_, base, parent, self, dag))
    return base;
  if (hash != std::string::npos)
    base.erase(hash, 1);
  std::size_t digits = base.size();
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(base[digits - 1])))
    --digits;
  std::string stem = base.substr(0, digits);
  long number = digits < base.size() && base.size() - digits < 9 ? std::stol(base.substr(digits)) + 1 : 1;
  for (;; ++number) {
    std::string candidate = stem + std::to_string(number);
    if (!hasName(names_, candidate, parent, self, dag))
      return candidate;
  }
}

void Scene::indexName(Node* node) { names_.emplace(node->name, node); }

void Scene::unindexName(Node* node) {
  auto range = names_.equal_range(node->name);
  for (auto it = range.first; it != range.second; ++it)
    if (it->second == node) {
      names_.erase(it);
      return;
    }
}

std::string Scene::rename(Node* node, const std::string& wanted) {
  unindexName(node);
  Node* parent = node->dag && !node->parents.empty() ? node->parents[0] : nullptr;
  node->name = uniqueName(wanted, parent, node);
  indexName(node);
  dagChanged();
  edited();
  return node->name;
}

// ---------------------------------------------------------------- nodes

Node* Scene::createNode(const std::string& typeName, const std::string& name, Node* parent, std::string& error) {
  const NodeType* type = findNodeType(typeName);
  if (typeName == "world" || typeName.empty()) {
    error = "Unknown object type: " + typeName;
    return nullptr;
  }
  bool dag = type ? type->dag : parent != nullptr;
  if (parent && !parent->dag)
    adoptAsUnknownTransform(parent);
  if (!dag && parent) {
    error = "A dependency node cannot have a parent: " + typeName;
    return nullptr;
  }
  if (parent && (!parent->alive || !parent->dag)) {
    error = "Invalid parent for " + typeName;
    return nullptr;
  }
  auto node = std::make_shared<Node>();
  node->self = node;
  node->typeName = typeName;
  node->type = type;
  node->dag = dag;
  node->apiType = type ? type->apiType : MFn::kUnknown;
  if (!type && dag)
    makeUnknownTransform(node.get());
  node->serial = ++serial_;
  node->sourceLine = currentLine;
  if (type && type->apiType == MFn::kMesh)
    node->mesh = std::make_unique<MeshData>();
  if (type && type->apiType == MFn::kNurbsSurface)
    node->nurbs = std::make_unique<NurbsData>();
  if (dag && !parent && node->hasFn(MFn::kShape)) {
    // A shape always lives under a transform of its own.
    std::string shapeBase = type ? type->defaultName : typeName;
    std::string transformBase = shapeBase;
    auto at = transformBase.rfind("Shape");
    if (at != std::string::npos)
      transformBase.erase(at, 5);
    parent = createNode("transform", transformBase + "#", nullptr, error);
  }
  Node* attachTo = dag ? (parent ? parent : world_.get()) : nullptr;
  std::string wanted = name.empty() ? (type ? type->defaultName : typeName) + "#" : name;
  if (loading)
    node->fromReference = references.reading;
  wanted = loading ? references.scoped(wanted) : (wanted[0] == ':' ? wanted.substr(1) : wanted);
  node->name = uniqueName(wanted, attachTo == world_.get() ? world_.get() : attachTo, node.get());
  if (dag) {
    node->parents.push_back(attachTo);
    attachTo->children.push_back(node.get());
    dagChanged();
  }
  nodes_.push_back(node);
  indexName(node.get());
  edited();
  return node.get();
}

bool Scene::restoreNode(const std::shared_ptr<Node>& node) {
  if (!node || node->alive || node->serial <= resetSerial_)
    return false;
  node->alive = true;
  node->name = uniqueName(node->name, node->dag ? world_.get() : nullptr, node.get());
  if (node->dag) {
    node->parents.push_back(world_.get());
    world_->children.push_back(node.get());
    dagChanged();
  }
  nodes_.push_back(node);
  indexName(node.get());
  edited();
  return true;
}

void Scene::detachConnections(Node* node) {
  for (const auto& c : node->connections) {
    Node* other = c.remote.node;
    if (other == node)
      continue;
    auto mirror = other->connections.find(!c.outgoing, c.remote, c.local);
    if (mirror != other->connections.end())
      other->connections.erase(mirror);
  }
  node->connections.clear();
}

void Scene::deleteNode(Node* node) {
  if (!node || !node->alive || node == world_.get())
    return;
  edited(node);  // while it still feeds what it feeds
  // Children whose only parent is this node go with it.
  std::vector<Node*> children = node->children;
  for (Node* child : children) {
    auto& ps = child->parents;
    ps.erase(std::remove(ps.begin(), ps.end(), node), ps.end());
    if (ps.empty())
      deleteNode(child);
  }
  for (Node* p : node->parents) {
    auto& cs = p->children;
    cs.erase(std::remove(cs.begin(), cs.end(), node), cs.end());
  }
  node->parents.clear();
  node->children.clear();
  detachConnections(node);
  unindexName(node);
  node->alive = false;
  auto& items = selection_;
  for (unsigned int i = items.length(); i-- > 0;) {
    MObject obj;
    items.getDependNode(i, obj);
    if (obj.isNull())
      items.remove(i);
  }
  nodes_.erase(std::remove_if(nodes_.begin(), nodes_.end(), [&](const std::shared_ptr<Node>& n) { return n.get() == node; }),
               nodes_.end());
  dagChanged();
  edited();
}

// ---------------------------------------------------------------- plugs

// A per-instance array named without an index through a path ("|b|shape.wm",
// "|b|shape.iog.og[0].gid") is the element of that path's instance, as Maya
// writes the plugs of a shape's second and later instances.
static std::string instancePlug(const Scene& scene, const std::string& nodeName, Node* node,
                                const std::string& attrPath) {
  static const char* const kPerInstance[] = {"worldMatrix", "worldInverseMatrix", "parentMatrix", "parentInverseMatrix",
                                             "instObjGroups", "worldMesh", "worldSpace"};
  const std::size_t end = attrPath.find_first_of(".[");
  if (end != std::string::npos && attrPath[end] == '[')
    return attrPath;
  const std::string name = attrPath.substr(0, end);
  const AttrDef* attr = node->findAttribute(name);
  // compInstObjGroups, which the host does not keep, by the names a file gives it.
  bool perInstance = (!attr || attr->opaque) && (name == "ciog" || name == "compInstObjGroups");
  for (const char* known : kPerInstance)
    perInstance = perInstance || (attr && attr->array && attr->name == known);
  // A name without '|' stands for the node's first path, instance 0; a path
  // is found only when asked for, since it is as long as the node lies deep.
  const bool named = nodeName.find('|') == std::string::npos;
  const int instance = perInstance && !named ? scene.instanceNumber(scene.findPaths(nodeName)[0]) : 0;
  if (instance == 0)
    return attrPath;
  return name + "[" + std::to_string(instance) + "]" + (end == std::string::npos ? "" : attrPath.substr(end));
}

bool Scene::resolvePlug(const std::string& text, PlugRef& out, std::string& error) const {
  auto bar = text.rfind('|');
  auto dot = text.find('.', bar == std::string::npos ? 0 : bar);
  if (dot == std::string::npos || dot == 0) {
    error = "Not a plug name: " + text;
    return false;
  }
  std::string nodeName = text.substr(0, dot);
  auto nodes = findNodes(nodeName);
  if (nodes.empty()) {
    error = "No object matches name: " + nodeName;
    return false;
  }
  if (nodes.size() > 1) {
    error = "More than one object matches name: " + nodeName;
    return false;
  }
  const std::string attrPath = text.substr(dot + 1);
  return resolvePlugOn(nodes[0], nodes[0]->dag ? instancePlug(*this, nodeName, nodes[0], attrPath) : attrPath, out,
                       error);
}

bool Scene::resolvePlugOn(Node* node, const std::string& attrPath, PlugRef& out, std::string& error,
                          std::vector<std::size_t>* indexPositions) const {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    auto dot = attrPath.find('.', start);
    parts.push_back(attrPath.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos)
      break;
    start = dot + 1;
  }
  std::vector<std::pair<const AttrDef*, int>> named;
  for (auto& part : parts) {
    std::string name;
    int index = -1;
    if (!splitIndexed(part, name, index)) {
      error = "Invalid attribute name: " + attrPath;
      return false;
    }
    const AttrDef* a = node->findAttribute(name);
    if (!a && loading)
      a = addOpaqueAttribute(node, named.empty() ? nullptr : const_cast<AttrDef*>(named.back().first), name,
                             index >= 0);
    if (!a) {
      error = "No attribute '" + name + "' on node " + node->name;
      return false;
    }
    // An opaque attribute seen with an index, as a second instance's "ciog[1].cog[0]"
    // after the first's "ciog.cog[0]".
    if (index >= 0 && !a->array && loading && a->dynamic &&
        (a->kind == AttrKind::kGeneric || (a->opaque && a->kind == AttrKind::kCompound)))
      const_cast<AttrDef*>(a)->array = true;
    if (index >= 0 && !a->array) {
      error = "Attribute " + a->name + " is not an array";
      return false;
    }
    named.emplace_back(a, index);
  }
  const AttrDef* leaf = named.back().first;
  auto chain = leaf->chain();
  out.node = node;
  out.attr = leaf;
  out.indices.assign(chain.size(), -1);
  std::size_t searchFrom = 0;
  for (auto& [a, index] : named) {
    auto it = std::find(chain.begin() + static_cast<long>(searchFrom), chain.end(), a);
    if (it == chain.end()) {
      error = "Invalid attribute path: " + attrPath;
      return false;
    }
    std::size_t pos = static_cast<std::size_t>(it - chain.begin());
    out.indices[pos] = index;
    if (indexPositions && index >= 0)
      indexPositions->push_back(pos);
    searchFrom = pos + 1;
  }
  // "shape.iog.og[0]": an array named without an index on the way to a child means element 0.
  for (std::size_t i = 0; i + 1 < chain.size(); ++i)
    if (chain[i]->array && out.indices[i] < 0)
      out.indices[i] = 0;
  return true;
}

// An attribute the file uses but the host does not know: kept by name only.
const AttrDef* addOpaqueAttribute(Node* node, AttrDef* parent, const std::string& name, bool array) {
  auto attr = makeAttr(name, name, AttrKind::kGeneric, array);
  attr->dynamic = true;
  attr->opaque = true;
  if (parent) {
    if (parent->kind != AttrKind::kGeneric && parent->kind != AttrKind::kCompound)
      return nullptr;
    parent->kind = AttrKind::kCompound;
    attr->parent = parent;
    parent->children.push_back(attr);
  } else {
    node->dynamicAttrs.push_back(attr);
  }
  return attr.get();
}

// "shape.iog" or "joint1.wm" as a source: the array's first element.
static PlugRef sourceElement(PlugRef src) {
  if (src.attr && src.attr->array) {
    const std::size_t depth = src.attr->chain().size();
    src.indices.resize(std::max(src.indices.size(), depth), -1);
    if (src.indices[depth - 1] < 0)
      src.indices[depth - 1] = 0;
  }
  return src;
}

int Scene::nextFreeIndex(Node* node, const AttrDef* arrayAttr, const std::vector<int>& indices) const {
  return lastExistingIndex(PlugRef{node, arrayAttr, indices}) + 1;
}

bool Scene::connect(const PlugRef& srcIn, const PlugRef& dstIn, bool force, bool nextAvailable, std::string& error) {
  PlugRef src = srcIn, dst = dstIn;
  if (!src.node || !dst.node || !src.attr || !dst.attr || !src.node->alive || !dst.node->alive) {
    error = "Invalid connection: missing node or attribute";
    return false;
  }
  if (nextAvailable && dst.attr->opaque && !dst.attr->array)
    const_cast<AttrDef*>(dst.attr)->array = true;  // a file's "-na" shows the opaque attribute is an array
  auto chain = dst.attr->chain();
  for (std::size_t i = 0; i < chain.size(); ++i)
    if (chain[i]->array && dst.indices[i] < 0) {
      if (!nextAvailable || i + 1 != chain.size()) {
        error = "The destination attribute '" + dst.node->name + "." + dst.key() + "' is an array; give an index";
        return false;
      }
      dst.indices[i] = nextFreeIndex(dst.node, chain[i], dst.indices);
    }
  src = sourceElement(src);
  auto schain = src.attr->chain();
  for (std::size_t i = 0; i + 1 < schain.size(); ++i)
    if (schain[i]->array && src.indices[i] < 0) {
      error = "The source attribute '" + src.node->name + "." + src.key() + "' needs an index";
      return false;
    }
  auto incoming = connectedTo(dst, true, false);
  if (!incoming.empty()) {
    if (samePlug(incoming[0], src)) {
      error = "'" + src.node->name + "." + src.key() + "' is already connected to '" + dst.node->name + "." +
              dst.key() + "'";
      return false;
    }
    if (!force) {
      error = "The destination attribute '" + dst.node->name + "." + dst.key() +
              "' already has an incoming connection from '" + incoming[0].node->name + "." + incoming[0].key() + "'";
      return false;
    }
    disconnect(incoming[0], dst, error);
  }
  std::string sk = src.key(), dk = dst.key();
  src.node->connections.add(Connection{sk, src, dst, true});
  dst.node->connections.add(Connection{dk, dst, src, false});
  edited(dst.node);
  return true;
}

bool Scene::disconnect(const PlugRef& srcIn, const PlugRef& dst, std::string& error) {
  const PlugRef src = sourceElement(srcIn);
  auto& out = src.node->connections;
  auto outgoing = out.find(true, src, dst);
  const bool found = outgoing != out.end();
  if (found)
    out.erase(outgoing);
  auto& in = dst.node->connections;
  auto incoming = in.find(false, dst, src);
  if (incoming != in.end())
    in.erase(incoming);
  if (!found)
    error = "There is no connection from '" + src.node->name + "." + src.key() + "' to '" + dst.node->name + "." +
            dst.key() + "'";
  else
    edited(dst.node);
  return found;
}

std::vector<PlugRef> Scene::connectedTo(const PlugRef& plug, bool asDst, bool asSrc) const {
  if (!plug.node || !plug.attr)
    return {};
  return plug.node->connections.remotesOf(plug, asDst, asSrc);
}

bool Scene::isConnected(const PlugRef& plug) const { return !connectedTo(plug, true, true).empty(); }

void Scene::setValue(const PlugRef& plug, Value value) {
  // What the plug held, for the colour rules, which a file being read does not run.
  const Value before = loading ? Value() : plug.node->values.get(plug.attr, plug.indices);
  plug.node->values.set(plug.attr, plug.indices, std::move(value));
  colourRulesAfterChange(plug, loading, before);
  edited(plug.node);
}

void Scene::setNumber(Node* node, const AttrDef* attr, const std::vector<int>& indices, double number) {
  if (!setMeshTweak(*node, PlugRef{node, attr, indices}, number))
    node->values.setNumber(attr, indices, number);
  edited(node);
}

void Scene::invalidateDownstream(Node* node) {
  if (loading || !node)
    return;
  if (node->mesh || node->nurbs)
    node->stale = true;
  if (node->children.empty() && !node->connections.anyOutgoing())
    return;  // a node not yet wired (a plug-in filling a new node's values) reaches nothing
  std::set<Node*> seen{node};
  std::vector<Node*> pending{node};
  auto reach = [&](Node* next) {
    if (seen.insert(next).second)
      pending.push_back(next);
  };
  while (!pending.empty()) {
    Node* n = pending.back();
    pending.pop_back();
    if (n->mesh || n->nurbs)
      n->stale = true;
    n->connections.forEachOutgoing([&](const Connection& c) { reach(c.remote.node); });
    for (Node* child : n->children)
      reach(child);
  }
}

Value Scene::getValue(const PlugRef& plug) const {
  Value tweak;
  if (meshTweakValue(*plug.node, plug, tweak))
    return tweak;
  return plug.node->values.get(plug.attr, plug.indices);
}

std::vector<int> Scene::existingIndices(const PlugRef& arrayPlug) const {
  std::vector<int> found;
  if (meshTweakIndices(*arrayPlug.node, arrayPlug, found))
    return found;
  arrayPlug.node->values.appendIndices(arrayPlug.attr, arrayPlug.indices, found);
  arrayPlug.node->connections.appendIndices(arrayPlug, found);
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

int Scene::lastExistingIndex(const PlugRef& arrayPlug) const {
  std::vector<int> tweaked;
  if (meshTweakIndices(*arrayPlug.node, arrayPlug, tweaked))
    return tweaked.empty() ? -1 : tweaked.back();
  return std::max(arrayPlug.node->values.lastIndex(arrayPlug.attr, arrayPlug.indices),
                  arrayPlug.node->connections.lastIndex(arrayPlug));
}

}  // namespace OmbrixHost
