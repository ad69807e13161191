#include "HostObject.h"
#include "SetMembers.h"

#include <maya/MFnSet.h>
#include <maya/MItSelectionList.h>

using OmbrixHost::Access;
using OmbrixHost::Node;
using OmbrixHost::scene;

MFnSet::MFnSet() = default;
MFnSet::MFnSet(const MObject& object, MStatus* s) { OmbrixHost::reportStatus(s, setObject(object)); }
MFnSet::~MFnSet() = default;
MFn::Type MFnSet::type() const { return MFn::kSet; }
MFn::Type MFnSet::requiredType() const { return MFn::kSet; }

MObject MFnSet::create(const MSelectionList& members, Restriction restriction, bool, MStatus* s) {
  std::string error;
  Node* n = scene().createNode("objectSet", "set#", nullptr, error);
  if (!n) {
    OmbrixHost::reportStatus(s, false);
    return MObject();
  }
  if (restriction == kRenderableOnly)
    n->setValue("renderableOnlySet", OmbrixHost::Value::ofNumber(1.0));
  setObject(Access::wrap(n));
  OmbrixHost::reportStatus(s, addMembers(members) == MStatus::kSuccess);
  return object_;
}

MFnSet::Restriction MFnSet::restriction(MStatus* s) const {
  Node* n = Access::node(object_);
  OmbrixHost::reportStatus(s, n != nullptr);
  return n && n->number("renderableOnlySet", 0.0) != 0.0 ? kRenderableOnly : kNone;
}

MStatus MFnSet::getMembers(MSelectionList& members, bool flatten) const {
  Node* n = Access::node(object_);
  if (!n)
    return MStatus::kInvalidParameter;
  OmbrixHost::collectSetMembers(n, members, flatten);
  return MStatus::kSuccess;
}

MStatus MFnSet::addMember(const MObject& object) {
  Node* set = Access::node(object_);
  Node* n = Access::node(object);
  if (!set || !n)
    return MStatus::kInvalidParameter;
  std::string error;
  bool ok;
  if (n->dag) {
    MDagPath path;
    MDagPath::getAPathTo(object, path);
    return addMember(path);
  }
  ok = OmbrixHost::addSetMember(set, n, error);
  return ok ? MStatus(MStatus::kSuccess) : OmbrixHost::Access::failure(MStatus::kFailure, MString(error.c_str()));
}

MStatus MFnSet::addMember(const MDagPath& path, const MObject& component) {
  Node* set = Access::node(object_);
  auto chain = Access::pathChain(path);
  if (!set || chain.size() != path.length())
    return MStatus::kInvalidParameter;
  const OmbrixHost::ObjectData* c = Access::data(component);
  bool isComponent = c && c->kind == OmbrixHost::ObjectData::kComponent;
  std::string error;
  bool ok = OmbrixHost::addSetMember(set, chain, isComponent ? c->componentType : MFn::kInvalid,
                                     isComponent ? c->elements : std::vector<int>(), error);
  return ok ? MStatus(MStatus::kSuccess) : OmbrixHost::Access::failure(MStatus::kFailure, MString(error.c_str()));
}

MStatus MFnSet::addMembers(const MSelectionList& list) {
  MStatus result;
  for (unsigned int i = 0; i < list.length(); ++i) {
    MDagPath path;
    MObject component;
    MStatus st = list.getDagPath(i, path, component);
    if (st == MStatus::kSuccess)
      st = addMember(path, component);
    else {
      MObject node;
      list.getDependNode(i, node);
      st = addMember(node);
    }
    if (!st)
      result = st;
  }
  return result;
}

bool MFnSet::isMember(const MDagPath& object, const MObject& component, MStatus* s) const {
  MSelectionList members;
  OmbrixHost::reportStatus(s, getMembers(members, true) == MStatus::kSuccess);
  for (unsigned int i = 0; i < members.length(); ++i) {
    MDagPath p;
    MObject c;
    if (members.getDagPath(i, p, c) == MStatus::kSuccess && p == object && (component.isNull() || c == component))
      return true;
  }
  return false;
}
