#include "ColourConfig.h"
#include "HostObject.h"
#include "Scene.h"

#include <maya/MDGModifier.h>
#include <maya/MGlobal.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using OmbrixHost::Access;
using OmbrixHost::PlugRef;
using OmbrixHost::Node;
using OmbrixHost::scene;
using OmbrixHost::Value;

namespace {

enum Kind { kCreate, kConnect, kDisconnect, kDelete, kRename, kCommand, kSetInt, kSetFloat, kSetDouble, kSetString };

PlugRef refOf(const MPlug& plug) {
  return PlugRef{Access::plugNode(plug), Access::plugAttribute(plug), Access::plugIndices(plug)};
}

std::shared_ptr<Node> sharedNode(const MObject& object) {
  const OmbrixHost::ObjectData* d = Access::data(object);
  return d && d->kind == OmbrixHost::ObjectData::kNode ? d->node : nullptr;
}

}  // namespace

namespace OmbrixHost {
struct ModifierRecord {
  bool hadValue = false;
  Value value;                                     // a plug's former value
  std::vector<std::pair<PlugRef, PlugRef>> links;  // a deleted node's connections, source first
  std::string name;                                // a renamed node's former name
  std::size_t sourceAt = 0;                        // a removed connection's place among its source's
  std::size_t destAt = 0;                          // and its destination's connections
};
}  // namespace OmbrixHost

using OmbrixHost::ModifierRecord;

namespace {

std::shared_ptr<ModifierRecord> savePlugValue(const MPlug& plug) {
  auto saved = std::make_shared<ModifierRecord>();
  Node* n = Access::plugNode(plug);
  if (!n)
    return saved;
  saved->value = n->values.get(Access::plugAttribute(plug), Access::plugIndices(plug));
  saved->hadValue = saved->value.kind != OmbrixHost::Value::kNone;
  return saved;
}

void restorePlugValue(const MPlug& plug, const ModifierRecord& saved) {
  Node* n = Access::plugNode(plug);
  if (!n)
    return;
  const Value before = n->values.get(Access::plugAttribute(plug), Access::plugIndices(plug));
  if (saved.hadValue)
    n->values.set(Access::plugAttribute(plug), Access::plugIndices(plug), saved.value);
  else
    n->values.erase(Access::plugAttribute(plug), Access::plugIndices(plug));
  // A file name put back is a new name to the file node: Maya's file rules
  // choose its colour space again unless they are ignored.
  OmbrixHost::colourRulesAfterChange(refOf(plug), scene().loading, before);
  scene().invalidateDownstream(n);
}

std::shared_ptr<ModifierRecord> saveLinks(Node* n) {
  auto saved = std::make_shared<ModifierRecord>();
  for (const auto& c : n->connections)
    saved->links.emplace_back(c.outgoing ? c.local : c.remote, c.outgoing ? c.remote : c.local);
  return saved;
}

// Where the connection from `source` to `dest` is among `on`'s connections
// (the end when it is not there).
std::size_t connectionPlace(const Node& on, const PlugRef& source, const PlugRef& dest) {
  const bool outgoing = &on == source.node;
  const std::string local = outgoing ? source.key() : dest.key();
  const PlugRef& remote = outgoing ? dest : source;
  const std::string remoteKey = remote.key();
  std::size_t at = 0;
  for (const auto& c : on.connections) {
    if (c.outgoing == outgoing && c.localKey == local && c.remote.node == remote.node && c.remote.key() == remoteKey)
      return at;
    ++at;
  }
  return at;
}

std::shared_ptr<ModifierRecord> saveConnectionPlaces(const PlugRef& source, const PlugRef& dest) {
  auto saved = std::make_shared<ModifierRecord>();
  if (source.node && dest.node) {
    saved->sourceAt = connectionPlace(*source.node, source, dest);
    saved->destAt = connectionPlace(*dest.node, source, dest);
  }
  return saved;
}

// Moves a connection made again (the last of `on`'s) back to where it was, so
// that a scene saved after an undo lists its connections as before.
void moveBack(Node* on, std::size_t at) {
  on->connections.moveLastTo(at);
}

// A created node is made at once (so that its plugs can be found before
// doIt, as in Maya); doIt after an undo puts it back with its values.
bool redoCreate(const MObject& node) {
  if (Access::node(node))
    return true;
  return scene().restoreNode(sharedNode(node));
}

bool setPlug(int kind, MPlug& plug, double number, const MString& text) {
  switch (kind) {
  case kSetInt:
    return plug.setValue(static_cast<int>(number)) == MStatus::kSuccess;
  case kSetFloat:
    return plug.setValue(static_cast<float>(number)) == MStatus::kSuccess;
  case kSetDouble:
    return plug.setValue(number) == MStatus::kSuccess;
  default:
    return plug.setValue(text) == MStatus::kSuccess;
  }
}

void undoOperation(int kind, const MPlug& source, const MPlug& dest, const MObject& node, const ModifierRecord* saved) {
  std::string error;
  switch (kind) {
  case kCreate:
    scene().deleteNode(Access::node(node));
    break;
  case kConnect:
    scene().disconnect(refOf(source), refOf(dest), error);
    break;
  case kDisconnect: {
    const PlugRef from = refOf(source), to = refOf(dest);
    if (scene().connect(from, to, false, false, error) && saved) {
      moveBack(from.node, saved->sourceAt);
      moveBack(to.node, saved->destAt);
    }
    break;
  }
  case kDelete:
    // The node comes back with its values and connections (a DAG node under the world).
    if (saved && scene().restoreNode(sharedNode(node)))
      for (const auto& link : saved->links)
        scene().connect(link.first, link.second, false, false, error);
    break;
  case kRename:
    if (Node* n = Access::node(node))
      if (saved)
        scene().rename(n, saved->name);
    break;
  case kCommand:
    break;  // a MEL command given to the modifier is not taken back by this host
  default:
    if (saved)
      restorePlugValue(source, *saved);
  }
}

}  // namespace

MDGModifier::MDGModifier() = default;
MDGModifier::~MDGModifier() = default;

MObject MDGModifier::createNode(const MString& type, MStatus* s) {
  std::string error;
  OmbrixHost::Node* n = scene().createNode(type.asChar(), "", nullptr, error);
  if (s)
    *s = n ? MStatus::kSuccess : MStatus::kInvalidParameter;
  MObject made = Access::wrap(n);
  if (n)
    pending_.push_back(Operation{kCreate, MPlug(), MPlug(), made, MString(), 0.0, nullptr});
  return made;
}

MStatus MDGModifier::deleteNode(const MObject& node) {
  if (!Access::node(node))
    return MStatus::kInvalidParameter;
  pending_.push_back(Operation{kDelete, MPlug(), MPlug(), node, MString(), 0.0, nullptr});
  return MStatus::kSuccess;
}

MStatus MDGModifier::renameNode(const MObject& node, const MString& newName) {
  if (!Access::node(node) || newName.length() == 0)
    return MStatus::kInvalidParameter;
  pending_.push_back(Operation{kRename, MPlug(), MPlug(), node, newName, 0.0, nullptr});
  return MStatus::kSuccess;
}

MStatus MDGModifier::connect(const MPlug& source, const MPlug& dest) {
  if (source.isNull() || dest.isNull())
    return MStatus::kInvalidParameter;
  pending_.push_back(Operation{kConnect, source, dest, MObject(), MString(), 0.0, nullptr});
  return MStatus::kSuccess;
}

MStatus MDGModifier::connect(const MObject& sourceNode, const MObject& sourceAttr, const MObject& destNode,
                             const MObject& destAttr) {
  return connect(MPlug(sourceNode, sourceAttr), MPlug(destNode, destAttr));
}

MStatus MDGModifier::disconnect(const MPlug& source, const MPlug& dest) {
  if (source.isNull() || dest.isNull())
    return MStatus::kInvalidParameter;
  pending_.push_back(Operation{kDisconnect, source, dest, MObject(), MString(), 0.0, nullptr});
  return MStatus::kSuccess;
}

MStatus MDGModifier::disconnect(const MObject& sourceNode, const MObject& sourceAttr, const MObject& destNode,
                                const MObject& destAttr) {
  return disconnect(MPlug(sourceNode, sourceAttr), MPlug(destNode, destAttr));
}

MStatus MDGModifier::newPlugValueInt(const MPlug& plug, int value) {
  pending_.push_back(Operation{kSetInt, plug, MPlug(), MObject(), MString(), static_cast<double>(value), nullptr});
  return MStatus::kSuccess;
}
MStatus MDGModifier::newPlugValueFloat(const MPlug& plug, float value) {
  pending_.push_back(Operation{kSetFloat, plug, MPlug(), MObject(), MString(), value, nullptr});
  return MStatus::kSuccess;
}
MStatus MDGModifier::newPlugValueDouble(const MPlug& plug, double value) {
  pending_.push_back(Operation{kSetDouble, plug, MPlug(), MObject(), MString(), value, nullptr});
  return MStatus::kSuccess;
}
MStatus MDGModifier::newPlugValueString(const MPlug& plug, const MString& value) {
  pending_.push_back(Operation{kSetString, plug, MPlug(), MObject(), value, 0.0, nullptr});
  return MStatus::kSuccess;
}
MStatus MDGModifier::commandToExecute(const MString& command) {
  pending_.push_back(Operation{kCommand, MPlug(), MPlug(), MObject(), command, 0.0, nullptr});
  return MStatus::kSuccess;
}

// Runs the queued operations in order; the first failure stops the run and is
// returned with its message (it and the operations after it stay queued).
// After undoIt the same operations run again: that is the redo.
MStatus MDGModifier::doIt() {
  std::vector<Operation> ops;
  ops.swap(pending_);
  for (std::size_t k = 0; k < ops.size(); ++k) {
    Operation& op = ops[k];
    std::string error;
    bool ok = true;
    switch (op.kind) {
    case kCreate:
      ok = redoCreate(op.node);
      error = "the created node cannot be put back";
      break;
    case kConnect:
      ok = scene().connect(refOf(op.source), refOf(op.dest), false, false, error);
      break;
    case kDisconnect:
      op.saved = saveConnectionPlaces(refOf(op.source), refOf(op.dest));
      ok = scene().disconnect(refOf(op.source), refOf(op.dest), error);
      break;
    case kDelete:
      if (Node* n = Access::node(op.node)) {
        op.saved = saveLinks(n);
        scene().deleteNode(n);
      }
      break;
    case kRename:
      if (auto* n = Access::node(op.node)) {
        op.saved = std::make_shared<ModifierRecord>();
        op.saved->name = n->name;
        scene().rename(n, op.text.asChar());
      }
      break;
    case kCommand:
      ok = MGlobal::executeCommand(op.text) == MStatus::kSuccess;
      error = "command failed: " + std::string(op.text.asChar());
      break;
    case kSetInt:
    case kSetFloat:
    case kSetDouble:
    case kSetString:
      op.saved = savePlugValue(op.source);
      ok = setPlug(op.kind, op.source, op.number, op.text);
      break;
    }
    if (!ok) {
      pending_.assign(ops.begin() + static_cast<std::ptrdiff_t>(k), ops.end());
      return OmbrixHost::Access::failure(MStatus::kFailure, MString(error.c_str()));
    }
    done_.push_back(op);
  }
  return MStatus::kSuccess;
}

// Takes back what doIt did, newest first; the operations are queued again.
MStatus MDGModifier::undoIt() {
  for (auto it = done_.rbegin(); it != done_.rend(); ++it)
    undoOperation(it->kind, it->source, it->dest, it->node, it->saved.get());
  pending_.insert(pending_.begin(), done_.begin(), done_.end());
  done_.clear();
  return MStatus::kSuccess;
}
