// MEL commands that build and query the scene: nodes, attributes,
// connections, parenting, selection, sets and history.
#include "Components.h"
#include "History.h"
#include "HostObject.h"
#include "MelInterpreter.h"
#include "Scene.h"
#include "SetAttr.h"
#include "SetMembers.h"
#include "Uuid.h"

#include <maya/MStringArray.h>

#include <cmath>
#include <set>

namespace OmbrixHost {

namespace {

Node* needNode(const std::string& name) {
  auto nodes = scene().findNodes(name);
  if (nodes.empty())
    MelInterpreter::fail("No object matches name: " + name);
  if (nodes.size() > 1)
    MelInterpreter::fail("More than one object matches name: " + name);
  return nodes[0];
}

// What a name (or pattern, or "obj.f[0:3]") selects; fails when nothing matches.
MSelectionList needSelection(const std::string& name) {
  MSelectionList found;
  MStatus st = found.add(MString(name.c_str()));
  if (!st)
    MelInterpreter::fail(st.errorString().asChar());
  return found;
}

Node* currentNode() {
  auto n = scene().currentNode.lock();
  if (!n || !n->alive)
    MelInterpreter::fail("No node is current for a relative attribute name");
  return n.get();
}

// "node.attr" or ".attr" (on the current node).
PlugRef needPlug(const std::string& text) {
  PlugRef plug;
  std::string error;
  bool ok = !text.empty() && text[0] == '.' ? scene().resolvePlugOn(currentNode(), text.substr(1), plug, error)
                                            : scene().resolvePlug(text, plug, error);
  if (!ok)
    MelInterpreter::fail(error);
  return plug;
}


// The node a shared createNode (-s) names, if it exists. A shared node of a
// referenced file (its cameras, lightLinker1) is the scene's own.
Node* existingShared(Node* parent, const std::string& name) {
  auto& s = scene();
  if (parent) {
    for (Node* child : parent->children)
      if (child->name == name || child->name == s.references.scoped(name))
        return child;
    return nullptr;
  }
  for (const std::string& candidate : {name, ":" + name}) {
    auto nodes = s.findNodes(candidate);
    if (!nodes.empty())
      return nodes[0];
  }
  return nullptr;
}

const MelFlagTable createNodeFlags = {
    {"name", "n", 1}, {"parent", "p", 1}, {"shared", "s", 0}, {"skipSelect", "ss", 0}};

MelValue createNode(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("createNode", args, createNodeFlags);
  if (f.positional.size() != 1)
    MelInterpreter::fail("createNode: one node type expected");
  std::string type = f.positional[0].asString();
  std::string name = f.text("name");
  auto& s = scene();
  const bool shared = f.has("shared");
  Node* parent = nullptr;
  if (f.has("parent"))
    parent = shared ? existingShared(nullptr, f.text("parent")) : nullptr;
  if (f.has("parent") && !parent)
    parent = needNode(f.text("parent"));
  if (shared && !name.empty()) {
    if (Node* existing = existingShared(parent, name)) {
      s.currentNode = existing->self;
      return MelValue::ofString(existing->name);
    }
  }
  std::string error;
  Node* n = s.createNode(type, name, parent, error);
  if (!n)
    MelInterpreter::fail("createNode: " + error);
  s.currentNode = n->self;
  return MelValue::ofString(n->name);
}

// The arguments go back into text and through the one setAttr reader.
MelValue setAttr(MelInterpreter&, const std::vector<MelValue>& args) {
  std::string text;
  for (const auto& a : args) {
    text += ' ';
    if (a.word || a.kind == MelValue::kInt || a.kind == MelValue::kFloat) {
      text += a.asString();
      continue;
    }
    text += '"';
    for (char ch : a.asString()) {
      if (ch == '"' || ch == '\\')
        text += '\\';
      text += ch;
    }
    text += '"';
  }
  std::string error;
  if (!applySetAttr(text.data(), text.data() + text.size(), error))
    MelInterpreter::fail("setAttr: " + error);
  return MelValue();
}

const MelFlagTable getAttrFlags = {{"size", "s", 0}, {"type", "typ", 0}};

MelValue getAttr(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("getAttr", args, getAttrFlags);
  if (f.positional.size() != 1)
    MelInterpreter::fail("getAttr: one attribute expected");
  PlugRef plug = needPlug(f.positional[0].asString());
  if (f.has("size"))
    return MelValue::ofInt(static_cast<long long>(scene().existingIndices(plug).size()));
  if (plug.attr->kind == AttrKind::kCompound) {
    MelValue out = MelValue::ofKind(MelValue::kFloatArray);
    for (const auto& child : plug.attr->children) {
      PlugRef c{plug.node, child.get(), plug.indices};
      c.indices.push_back(-1);
      const Value v = scene().getValue(c);
      out.numbers.push_back(shownValue(child.get(), v.kind == Value::kNumber ? v.number : child->defaultNumber));
    }
    return out;
  }
  const Value v = scene().getValue(plug);
  if (plug.attr->kind == AttrKind::kString)
    return MelValue::ofString(v.kind == Value::kString ? v.text : "");
  if (v.kind == Value::kStrings)
    return MelValue::ofStrings(v.strings);
  if (v.kind == Value::kNumbers) {
    MelValue out = MelValue::ofKind(MelValue::kFloatArray);
    out.numbers = v.numbers;
    return out;
  }
  if (v.kind == Value::kString)
    return MelValue::ofString(v.text);
  double n = shownValue(plug.attr, v.kind == Value::kNumber ? v.number : plug.attr->defaultNumber);
  if (plug.attr->kind == AttrKind::kInt || plug.attr->kind == AttrKind::kBool || plug.attr->kind == AttrKind::kEnum)
    return MelValue::ofInt(static_cast<long long>(n));
  return MelValue::ofFloat(n);
}

const MelFlagTable connectAttrFlags = {
    {"force", "f", 0}, {"nextAvailable", "na", 0}, {"lock", "l", -1}, {"referenceDest", "rd", 1}};

MelValue connectAttr(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("connectAttr", args, connectAttrFlags);
  if (f.positional.size() != 2)
    MelInterpreter::fail("connectAttr: source and destination expected");
  PlugRef src = needPlug(f.positional[0].asString());
  PlugRef dst = needPlug(f.positional[1].asString());
  std::string error;
  if (!scene().connect(src, dst, f.has("force"), f.has("nextAvailable"), error))
    MelInterpreter::fail("connectAttr: " + error);
  return MelValue::ofString("Connected " + f.positional[0].asString() + " to " + f.positional[1].asString() + ".");
}

const MelFlagTable disconnectAttrFlags = {{"nextAvailable", "na", 0}};

MelValue disconnectAttr(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("disconnectAttr", args, disconnectAttrFlags);
  if (f.positional.size() != 2)
    MelInterpreter::fail("disconnectAttr: source and destination expected");
  std::string error;
  if (!scene().disconnect(needPlug(f.positional[0].asString()), needPlug(f.positional[1].asString()), error))
    MelInterpreter::fail("disconnectAttr: " + error);
  return MelValue();
}

const MelFlagTable parentFlags = {{"shape", "s", 0},       {"noConnections", "nc", 0}, {"relative", "r", 0},
                                  {"absolute", "a", 0},    {"addObject", "add", 0},    {"world", "w", 0},
                                  {"noInvScale", "nis", 0}};

MelValue parent(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("parent", args, parentFlags);
  std::size_t children = f.positional.size() - (f.has("world") ? 0 : 1);
  if (f.positional.size() < (f.has("world") ? 1u : 2u))
    MelInterpreter::fail("parent: objects and a parent expected");
  Node* newParent = f.has("world") ? nullptr : needNode(f.positional.back().asString());
  MelValue out = MelValue::ofStrings({});
  for (std::size_t k = 0; k < children; ++k) {
    Node* child = needNode(f.positional[k].asString());
    std::string error;
    if (!scene().addChild(newParent, child, f.has("addObject"), error))
      MelInterpreter::fail("parent: " + error);
    out.strings.push_back(child->name);
  }
  return out;
}

// "rename -uid UUID" (the current node, as scene files write it) or
// "rename -uid NODE UUID": the node keeps that UUID.
MelValue renameUuid(const MelFlags& f) {
  if (f.positional.empty() || f.positional.size() > 2)
    MelInterpreter::fail("rename -uuid: a UUID expected");
  Node* n = f.positional.size() == 1 ? currentNode() : needNode(f.positional[0].asString());
  const std::string text = f.positional.back().asString();
  UuidBytes bytes{};
  if (!parseUuid(text, bytes))
    MelInterpreter::fail("rename -uuid: not a UUID: " + text);
  if (n == nullptr)
    MelInterpreter::fail("rename -uuid: no current node");
  n->uuid = formatUuid(bytes);
  return MelValue::ofString(n->name);
}

const MelFlagTable renameFlags = {{"uuid", "uid", 0}, {"ignoreShape", "is", 0}};

MelValue rename(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("rename", args, renameFlags);
  if (f.has("uuid"))
    return renameUuid(f);
  if (f.positional.empty())
    MelInterpreter::fail("rename: new name expected");
  Node* n = nullptr;
  std::string wanted;
  if (f.positional.size() == 1) {
    n = currentNode();
    wanted = f.positional[0].asString();
  } else {
    n = needNode(f.positional[0].asString());
    wanted = f.positional[1].asString();
  }
  if (wanted.empty())
    MelInterpreter::fail("rename: new name expected");
  return MelValue::ofString(scene().rename(n, wanted));
}

// As in Maya, a string array argument stands for its elements.
std::vector<std::string> positionalNames(const MelFlags& f) {
  std::vector<std::string> names;
  for (const auto& p : f.positional) {
    if (p.kind == MelValue::kStringArray)
      names.insert(names.end(), p.strings.begin(), p.strings.end());
    else
      names.push_back(p.asString());
  }
  return names;
}

const MelFlagTable selectFlags = {{"noExpand", "ne", 0}, {"replace", "r", 0},  {"add", "add", 0},
                                  {"clear", "cl", 0},    {"deselect", "d", 0}, {"hierarchy", "hi", 0}};

MelValue select(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("select", args, selectFlags);
  auto& s = scene();
  if (f.has("noExpand") && f.positional.size() == 1 && !f.has("add") && !f.has("replace")) {
    // In Maya ASCII files: make a node current for the setAttr lines that follow.
    std::string name = f.positional[0].asString();
    if (s.loading && !name.empty() && name[0] == ':' && s.findNodes(name).empty()) {
      // A default node of the Maya that wrote the file: kept as an opaque
      // node, or as the default material when it is that.
      std::string error;
      Node* made = s.createImpliedDefault(name.substr(1), error);
      if (made) {
        made->implied = true;
        s.currentNode = made->self;
        return MelValue();
      }
    }
    Node* n = needNode(name);
    s.currentNode = n->self;
    return MelValue();
  }
  if (f.has("clear") || (!f.has("add") && !f.has("deselect")))
    s.activeSelection().clear();
  for (const auto& name : positionalNames(f)) {
    MSelectionList found = needSelection(name);
    for (unsigned int i = 0; i < found.length(); ++i) {
      MDagPath path;
      MObject comp, node;
      if (found.getDagPath(i, path, comp) == MStatus::kSuccess) {
        if (f.has("deselect")) {
          auto& items = Access::items(s.activeSelection());
          for (auto it = items.begin(); it != items.end();)
            it = it->hasPath && it->path == path ? items.erase(it) : it + 1;
        } else {
          s.activeSelection().add(path, comp, true);
        }
      } else {
        found.getDependNode(i, node);
        s.activeSelection().add(node, true);
      }
    }
  }
  return MelValue();
}

// The shapes Delete History works on for a name: a transform's shapes, or the shape itself.
std::vector<Node*> historyShapes(Node* n) {
  std::vector<Node*> shapes;
  if (n->hasFn(MFn::kShape))
    shapes.push_back(n);
  else if (n->hasFn(MFn::kTransform))
    for (Node* c : n->children)
      if (c->hasFn(MFn::kShape))
        shapes.push_back(c);
  return shapes;
}

// "delete -ch [objects]": Delete History of the objects, or of the selection.
MelValue deleteConstructionHistory(const MelFlags& f) {
  std::vector<Node*> targets;
  for (const auto& name : positionalNames(f))
    targets.push_back(needNode(name));
  if (f.positional.empty())
    for (auto& item : Access::items(scene().activeSelection()))
      if (Node* n = Access::node(item.node))
        targets.push_back(n);
  for (Node* target : targets)
    for (Node* shape : historyShapes(target))
      if (shape->alive)
        deleteHistory(shape);
  return MelValue();
}

const MelFlagTable deleteFlags = {{"constructionHistory", "ch", 0}};

MelValue deleteCommand(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("delete", args, deleteFlags);
  if (f.has("constructionHistory"))
    return deleteConstructionHistory(f);
  for (const auto& name : positionalNames(f))
    scene().deleteNode(needNode(name));
  return MelValue();
}

AttrKind kindOfType(const std::string& t) {
  if (t == "double" || t == "doubleLinear" || t == "distance" || t == "time")
    return AttrKind::kDouble;
  if (t == "doubleAngle")
    return AttrKind::kAngle;
  if (t == "float")
    return AttrKind::kFloat;
  if (t == "long" || t == "short" || t == "byte" || t == "char")
    return AttrKind::kInt;
  if (t == "bool")
    return AttrKind::kBool;
  if (t == "enum")
    return AttrKind::kEnum;
  if (t == "message")
    return AttrKind::kMessage;
  if (t == "string")
    return AttrKind::kString;
  if (t == "matrix" || t == "fltMatrix")
    return AttrKind::kMatrix;
  if (t == "compound" || t == "double3" || t == "float3" || t == "double2" || t == "float2" || t == "long3" ||
      t == "long2" || t == "short2" || t == "short3")
    return AttrKind::kCompound;
  return AttrKind::kGeneric;
}

const MelFlagTable addAttrFlags = {{"cachedInternally", "ci", -1},
                                   {"shortName", "sn", 1},
                                   {"longName", "ln", 1},
                                   {"niceName", "nn", 1},
                                   {"attributeType", "at", 1},
                                   {"dataType", "dt", 1},
                                   {"parent", "p", 1},
                                   {"multi", "m", 0},
                                   {"numberOfChildren", "nc", 1},
                                   {"defaultValue", "dv", 1},
                                   {"minValue", "min", 1},
                                   {"maxValue", "max", 1},
                                   {"softMinValue", "smn", 1},
                                   {"softMaxValue", "smx", 1},
                                   {"enumName", "en", 1},
                                   {"keyable", "k", -1},
                                   {"hidden", "h", -1},
                                   {"storable", "s", -1},
                                   {"usedAsColor", "uac", 0},
                                   {"indexMatters", "im", -1},
                                   {"readable", "r", -1},
                                   {"writable", "w", -1},
                                   {"internalSet", "is", -1},
                                   {"usedAsFilename", "uaf", 0}};

MelValue addAttr(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("addAttr", args, addAttrFlags);
  std::string longName = f.text("longName", f.text("shortName"));
  if (longName.empty())
    MelInterpreter::fail("addAttr: a name is needed");
  Node* n = f.positional.empty() ? currentNode() : needNode(f.positional[0].asString());
  if (n->findAttribute(longName))
    MelInterpreter::fail("addAttr: Found a conflicting attribute name " + longName + " on " + n->name);
  std::string type = f.has("attributeType") ? f.text("attributeType") : f.text("dataType");
  auto attr = makeAttr(longName, f.text("shortName", longName), f.has("dataType") && type == "string"
                                                                    ? AttrKind::kString
                                                                    : kindOfType(type),
                       f.has("multi"), f.number("defaultValue", 0.0));
  attr->dynamic = true;
  if (f.has("parent")) {
    AttrDef* parent = n->findAttribute(f.text("parent"));
    if (!parent || parent->kind != AttrKind::kCompound)
      MelInterpreter::fail("addAttr: no compound parent " + f.text("parent"));
    attr->parent = parent;
    parent->children.push_back(attr);
  } else {
    n->dynamicAttrs.push_back(attr);
  }
  return MelValue();
}

// Shapes a name stands for when it is added to a set: a transform's shapes.
std::vector<DagChain> memberPaths(const DagChain& chain) {
  Node* n = chain.back();
  if (!n->hasFn(MFn::kTransform))
    return {chain};
  std::vector<DagChain> out;
  for (Node* c : n->children)
    if (c->hasFn(MFn::kShape) && c->number("intermediateObject", 0.0) == 0.0) {
      DagChain p = chain;
      p.push_back(c);
      out.push_back(p);
    }
  return out.empty() ? std::vector<DagChain>{chain} : out;
}

const MelFlagTable setsFlags = {{"edit", "e", 0},
                                {"forceElement", "fe", 1},
                                {"addElement", "add", 1},
                                {"renderable", "r", -1},
                                {"noSurfaceShader", "nss", -1},
                                {"empty", "em", 0},
                                {"name", "n", 1},
                                {"query", "q", 0}};

MelValue sets(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("sets", args, setsFlags);
  auto& s = scene();
  if (f.has("query")) {
    if (f.positional.size() != 1)
      MelInterpreter::fail("sets: one set expected");
    MSelectionList members;
    collectSetMembers(needNode(f.positional[0].asString()), members, false);
    MStringArray names;
    members.getSelectionStrings(names);
    std::vector<std::string> out;
    for (unsigned int i = 0; i < names.length(); ++i)
      out.push_back(names[i].asChar());
    return MelValue::ofStrings(out);
  }
  Node* set = nullptr;
  if (f.has("edit")) {
    set = needNode(f.has("forceElement") ? f.text("forceElement") : f.text("addElement"));
  } else {
    bool renderable = f.has("renderable") && (f.flags["renderable"].empty() || f.flags["renderable"][0].truth());
    std::string error;
    set = s.createNode(renderable ? "shadingEngine" : "objectSet", f.text("name", renderable ? "set#" : "set#"),
                       nullptr, error);
    if (!set)
      MelInterpreter::fail("sets: " + error);
    if (renderable)
      set->setValue("renderableOnlySet", Value::ofNumber(1.0));
    if (f.has("empty"))
      return MelValue::ofString(set->name);
  }
  for (const auto& name : positionalNames(f)) {
    MSelectionList found = needSelection(name);
    for (unsigned int i = 0; i < found.length(); ++i) {
      MDagPath path;
      MObject comp;
      std::string error;
      bool ok;
      if (found.getDagPath(i, path, comp) == MStatus::kSuccess) {
        const ObjectData* c = Access::data(comp);
        bool isComp = c && c->kind == ObjectData::kComponent;
        ok = true;
        for (auto& chain : isComp ? std::vector<DagChain>{Access::pathChain(path)} : memberPaths(Access::pathChain(path)))
          ok = ok && addSetMember(set, chain, isComp ? c->componentType : MFn::kInvalid,
                                  isComp ? c->elements : std::vector<int>(), error);
      } else {
        MObject node;
        found.getDependNode(i, node);
        ok = addSetMember(set, Access::node(node), error);
      }
      if (!ok)
        MelInterpreter::fail("sets: " + error);
    }
  }
  return MelValue::ofString(set->name);
}

const MelFlagTable lsFlags = {{"sets", "sets", 0},        {"type", "typ", 1},       {"selection", "sl", 0},
                              {"long", "l", 0},           {"dagObjects", "dag", 0}, {"shapes", "s", 0},
                              {"transforms", "tr", 0},    {"showType", "st", 0},    {"materials", "mat", 0},
                              {"noIntermediate", "ni", 0}};

MelValue ls(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("ls", args, lsFlags);
  auto& s = scene();
  std::vector<std::string> out;
  auto emit = [&](Node* n, const DagChain* chain) {
    if (f.has("sets") && !n->hasFn(MFn::kSet))
      return;
    if (f.has("type") && n->typeName != f.text("type"))
      return;
    if (f.has("dagObjects") && !n->dag)
      return;
    if (f.has("shapes") && !n->hasFn(MFn::kShape))
      return;
    if (f.has("transforms") && !n->hasFn(MFn::kTransform))
      return;
    if (f.has("materials") && !n->hasFn(MFn::kLambert))
      return;
    if (f.has("noIntermediate") && n->number("intermediateObject", 0.0) != 0.0)
      return;
    std::string name = n->name;
    if (n->dag) {
      DagChain first = chain ? *chain : s.allPaths(n).front();
      name = f.has("long") ? s.fullPathName(first) : s.partialPathName(first);
    }
    out.push_back(name);
    if (f.has("showType"))
      out.push_back(n->typeName);
  };
  if (f.has("selection")) {
    for (auto& item : Access::items(s.activeSelection())) {
      Node* n = Access::node(item.node);
      if (!n)
        continue;
      DagChain chain = item.hasPath ? Access::pathChain(item.path) : DagChain();
      emit(n, item.hasPath ? &chain : nullptr);
    }
    return MelValue::ofStrings(out);
  }
  for (auto& node : s.nodes()) {
    if (!f.positional.empty()) {
      bool match = false;
      for (const auto& p : f.positional)
        match = match || globMatch(p.asString().c_str(), node->name.c_str()) ||
                (node->dag && s.findNode(p.asString()) == node.get());
      if (!match)
        continue;
    }
    emit(node.get(), nullptr);
  }
  return MelValue::ofStrings(out);
}

const MelFlagTable listHistoryFlags = {{"pruneDagObjects", "pdo", -1}, {"future", "f", -1}};

MelValue listHistoryCommand(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("listHistory", args, listHistoryFlags);
  if (f.positional.size() != 1)
    MelInterpreter::fail("listHistory: one object expected");
  std::vector<std::string> names;
  for (Node* n : OmbrixHost::listHistory(needNode(f.positional[0].asString())))
    names.push_back(n->name);
  return MelValue::ofStrings(names);
}

const MelFlagTable listConnectionsFlags = {
    {"source", "s", -1}, {"destination", "d", -1}, {"plugs", "p", -1}, {"connections", "c", -1}, {"type", "t", 1}};

// listConnections [-s bool] [-d bool] [-p bool] [-c bool] [-t TYPE] NODE|PLUG:
// per connection of the node (or of the plug, its children and elements), the
// node at the other end, or its plug with -p; -c puts this end's plug before
// each. Sources and destinations both unless one is turned off.
MelValue listConnectionsCommand(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("listConnections", args, listConnectionsFlags);
  if (f.positional.size() != 1)
    MelInterpreter::fail("listConnections: one object or attribute expected");
  const std::string name = f.positional[0].asString();
  const bool plugGiven = name.find('.') != std::string::npos;
  const PlugRef plug = plugGiven ? needPlug(name) : PlugRef{};
  Node* node = plugGiven ? plug.node : needNode(name);
  const bool sources = f.on("source", true), destinations = f.on("destination", true);
  const bool plugs = f.on("plugs", false), pairs = f.on("connections", false);
  const std::string type = f.text("type");
  std::vector<std::string> out;
  for (const auto& c : node->connections) {
    if ((c.outgoing && !destinations) || (!c.outgoing && !sources))
      continue;
    if (plugGiven && c.local.attr != plug.attr && c.localKey.rfind(plug.key() + ".", 0) != 0 &&
        c.localKey.rfind(plug.key() + "[", 0) != 0)
      continue;
    if (!type.empty() && c.remote.node->typeName != type)
      continue;
    if (pairs)
      out.push_back(node->name + "." + c.localKey);
    out.push_back(plugs ? c.remote.node->name + "." + c.remote.key() : c.remote.node->name);
  }
  return MelValue::ofStrings(out);
}

MelValue nodeType(MelInterpreter&, const std::vector<MelValue>& args) {
  if (args.size() != 1)
    MelInterpreter::fail("nodeType: one object expected");
  return MelValue::ofString(needNode(args[0].asString())->typeName);
}

MelValue objExists(MelInterpreter&, const std::vector<MelValue>& args) {
  if (args.size() != 1)
    MelInterpreter::fail("objExists: one name expected");
  std::string name = args[0].asString();
  if (name.find('.') != std::string::npos) {
    PlugRef p;
    std::string error;
    return MelValue::ofInt(scene().resolvePlug(name, p, error));
  }
  return MelValue::ofInt(!scene().findNodes(name).empty());
}

MelValue ignored(MelInterpreter&, const std::vector<MelValue>&) { return MelValue(); }

const MelFlagTable requiresFlags = {{"nodeType", "nodeType", 1}, {"dataType", "dataType", 1}};

MelValue requires(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("requires", args, requiresFlags);
  std::string text;
  for (const auto& p : f.positional)
    text += (text.empty() ? "\"" : " \"") + p.asString() + "\"";
  scene().requirements.push_back(text);
  return MelValue();
}

const MelFlagTable currentUnitFlags = {{"linear", "l", 1}, {"angle", "a", 1},    {"time", "t", 1},
                                       {"query", "q", 0},  {"fullName", "f", 0}, {"updateAnimation", "ua", -1}};

MelValue currentUnit(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("currentUnit", args, currentUnitFlags);
  auto& s = scene();
  if (f.has("query"))
    return MelValue::ofString(f.has("angle") ? s.angleUnit : s.linearUnit);
  if (f.has("linear"))
    s.linearUnit = f.text("linear");
  if (f.has("angle"))
    s.angleUnit = f.text("angle") == "rad" || f.text("angle") == "radian" ? "rad" : "deg";
  return MelValue();
}

const MelFlagTable fileInfoFlags = {{"query", "q", 0}, {"remove", "rm", 1}};

MelValue fileInfo(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("fileInfo", args, fileInfoFlags);
  if (f.positional.size() == 2)
    scene().fileInfo.emplace_back(f.positional[0].asString(), f.positional[1].asString());
  return MelValue();
}

}  // namespace

void registerSceneCommands(MelInterpreter& mel) {
  mel.registerCommand("createNode", createNode, createNodeFlags);
  mel.registerCommand("setAttr", setAttr);
  mel.registerCommand("getAttr", getAttr, getAttrFlags);
  mel.registerCommand("connectAttr", connectAttr, connectAttrFlags);
  mel.registerCommand("disconnectAttr", disconnectAttr, disconnectAttrFlags);
  mel.registerCommand("parent", parent, parentFlags);
  mel.registerCommand("rename", rename, renameFlags);
  mel.registerCommand("select", select, selectFlags);
  mel.registerCommand("delete", deleteCommand, deleteFlags);
  mel.registerCommand("addAttr", addAttr, addAttrFlags);
  mel.registerCommand("sets", sets, setsFlags);
  mel.registerCommand("ls", ls, lsFlags);
  mel.registerCommand("listHistory", listHistoryCommand, listHistoryFlags);
  mel.registerCommand("listConnections", listConnectionsCommand, listConnectionsFlags);
  mel.registerCommand("nodeType", nodeType);
  mel.registerCommand("objExists", objExists);
  mel.registerCommand("requires", requires, requiresFlags);
  mel.registerCommand("currentUnit", currentUnit, currentUnitFlags);
  mel.registerCommand("fileInfo", fileInfo, fileInfoFlags);
  mel.registerCommand("relationship", ignored);
  mel.registerCommand("lockNode", ignored);
  mel.registerCommand("dataStructure", ignored);
}

}  // namespace OmbrixHost
