#include "HostObject.h"
#include "Scene.h"

#include <maya/MDGModifier.h>
#include <maya/MGlobal.h>

using OmbrixHost::Access;
using OmbrixHost::PlugRef;
using OmbrixHost::scene;

namespace {

enum Kind { kConnect, kDisconnect, kDelete, kRename, kCommand, kSetInt, kSetFloat, kSetDouble, kSetString };

PlugRef refOf(const MPlug& plug) {
  return PlugRef{Access::plugNode(plug), Access::plugAttribute(plug), Access::plugIndices(plug)};
}

}  // namespace

MDGModifier::MDGModifier() = default;
MDGModifier::~MDGModifier() = default;

MObject MDGModifier::createNode(const MString& type, MStatus* s) {
  std::string error;
  OmbrixHost::Node* n = scene().createNode(type.asChar(), "", nullptr, error);
  if (s)
    *s = n ? MStatus::kSuccess : MStatus::kInvalidParameter;
  return Access::wrap(n);
}

MStatus MDGModifier::deleteNode(const MObject& node) {
  if (!Access::node(node))
    return MStatus::kInvalidParameter;
  pending_.push_back(Operation{kDelete, MPlug(), MPlug(), node, MString(), 0.0});
  return MStatus::kSuccess;
}

MStatus MDGModifier::renameNode(const MObject& node, const MString& newName) {
  if (!Access::node(node) || newName.length() == 0)
    return MStatus::kInvalidParameter;
  pending_.push_back(Operation{kRename, MPlug(), MPlug(), node, newName, 0.0});
  return MStatus::kSuccess;
}

MStatus MDGModifier::connect(const MPlug& source, const MPlug& dest) {
  if (source.isNull() || dest.isNull())
    return MStatus::kInvalidParameter;
  pending_.push_back(Operation{kConnect, source, dest, MObject(), MString(), 0.0});
  return MStatus::kSuccess;
}

MStatus MDGModifier::connect(const MObject& sourceNode, const MObject& sourceAttr, const MObject& destNode,
                             const MObject& destAttr) {
  return connect(MPlug(sourceNode, sourceAttr), MPlug(destNode, destAttr));
}

MStatus MDGModifier::disconnect(const MPlug& source, const MPlug& dest) {
  if (source.isNull() || dest.isNull())
    return MStatus::kInvalidParameter;
  pending_.push_back(Operation{kDisconnect, source, dest, MObject(), MString(), 0.0});
  return MStatus::kSuccess;
}

MStatus MDGModifier::disconnect(const MObject& sourceNode, const MObject& sourceAttr, const MObject& destNode,
                                const MObject& destAttr) {
  return disconnect(MPlug(sourceNode, sourceAttr), MPlug(destNode, destAttr));
}

MStatus MDGModifier::newPlugValueInt(const MPlug& plug, int value) {
  pending_.push_back(Operation{kSetInt, plug, MPlug(), MObject(), MString(), static_cast<double>(value)});
  return MStatus::kSuccess;
}
MStatus MDGModifier::newPlugValueFloat(const MPlug& plug, float value) {
  pending_.push_back(Operation{kSetFloat, plug, MPlug(), MObject(), MString(), value});
  return MStatus::kSuccess;
}
MStatus MDGModifier::newPlugValueDouble(const MPlug& plug, double value) {
  pending_.push_back(Operation{kSetDouble, plug, MPlug(), MObject(), MString(), value});
  return MStatus::kSuccess;
}
MStatus MDGModifier::newPlugValueString(const MPlug& plug, const MString& value) {
  pending_.push_back(Operation{kSetString, plug, MPlug(), MObject(), value, 0.0});
  return MStatus::kSuccess;
}
MStatus MDGModifier::commandToExecute(const MString& command) {
  pending_.push_back(Operation{kCommand, MPlug(), MPlug(), MObject(), command, 0.0});
  return MStatus::kSuccess;
}

// Runs the queued operations in order; the first failure stops the run and is
// returned with its message.
MStatus MDGModifier::doIt() {
  std::vector<Operation> ops;
  ops.swap(pending_);
  for (auto& op : ops) {
    std::string error;
    bool ok = true;
    switch (op.kind) {
    case kConnect:
      ok = scene().connect(refOf(op.source), refOf(op.dest), false, false, error);
      break;
    case kDisconnect:
      ok = scene().disconnect(refOf(op.source), refOf(op.dest), error);
      break;
    case kDelete:
      scene().deleteNode(Access::node(op.node));
      break;
    case kRename:
      if (auto* n = Access::node(op.node))
        scene().rename(n, op.text.asChar());
      break;
    case kCommand:
      ok = MGlobal::executeCommand(op.text) == MStatus::kSuccess;
      error = "command failed: " + std::string(op.text.asChar());
      break;
    case kSetInt:
      ok = op.source.setValue(static_cast<int>(op.number)) == MStatus::kSuccess;
      break;
    case kSetFloat:
      ok = op.source.setValue(static_cast<float>(op.number)) == MStatus::kSuccess;
      break;
    case kSetDouble:
      ok = op.source.setValue(op.number) == MStatus::kSuccess;
      break;
    case kSetString:
      ok = op.source.setValue(op.text) == MStatus::kSuccess;
      break;
    }
    if (!ok)
      return OmbrixHost::Access::failure(MStatus::kFailure, MString(error.c_str()));
    done_.push_back(op);
  }
  return MStatus::kSuccess;
}

// Undoes connections and disconnections; other operations stay.
MStatus MDGModifier::undoIt() {
  for (auto it = done_.rbegin(); it != done_.rend(); ++it) {
    std::string error;
    if (it->kind == kConnect)
      scene().disconnect(refOf(it->source), refOf(it->dest), error);
    else if (it->kind == kDisconnect)
      scene().connect(refOf(it->source), refOf(it->dest), false, false, error);
  }
  done_.clear();
  return MStatus::kSuccess;
}
