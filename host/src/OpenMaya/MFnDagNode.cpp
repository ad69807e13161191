#include "HostObject.h"
#include "Scene.h"

#include <maya/MDagPathArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MMatrix.h>

using OmbrixHost::Access;
using OmbrixHost::Node;
using OmbrixHost::scene;

MFnDagNode::MFnDagNode() = default;
MFnDagNode::MFnDagNode(const MObject& object, MStatus* s) { OmbrixHost::reportStatus(s, setObject(object)); }
MFnDagNode::MFnDagNode(const MDagPath& path, MStatus* s) { OmbrixHost::reportStatus(s, setObject(path)); }
MFnDagNode::~MFnDagNode() = default;
MFn::Type MFnDagNode::type() const { return MFn::kDagNode; }
MFn::Type MFnDagNode::requiredType() const { return MFn::kDagNode; }

MStatus MFnDagNode::setObject(const MDagPath& path) {
  MStatus st = MFnBase::setObject(path.node());
  hasPath_ = st == MStatus::kSuccess && path.isValid();
  path_ = hasPath_ ? path : MDagPath();
  return st;
}
MStatus MFnDagNode::setObject(MObject& object) { return setObject(static_cast<const MObject&>(object)); }
MStatus MFnDagNode::setObject(const MObject& object) {
  hasPath_ = false;
  path_ = MDagPath();
  return MFnBase::setObject(object);
}

MObject MFnDagNode::create(const MString& type, MObject& parent, MStatus* s) {
  return create(type, MString(), parent, s);
}

MObject MFnDagNode::create(const MString& type, const MString& name, MObject& parent, MStatus* s) {
  std::string error;
  Node* p = Access::node(parent);
  if (!parent.isNull() && !p) {
    OmbrixHost::reportStatus(s, false);
    return MObject();
  }
  Node* n = scene().createNode(type.asChar(), name.asChar(), p, error);
  bool ok = n && n->dag;
  OmbrixHost::reportStatus(s, ok);
  if (!ok)
    return MObject();
  // Like Maya, creating a shape without a parent answers its new transform.
  Node* answer = !p && n->hasFn(MFn::kShape) ? n->parents[0] : n;
  setObject(Access::wrap(answer));
  return Access::wrap(answer);
}

unsigned int MFnDagNode::parentCount(MStatus* s) const {
  Node* n = Access::node(object_);
  OmbrixHost::reportStatus(s, n != nullptr);
  return n ? static_cast<unsigned int>(n->parents.size()) : 0;
}

MObject MFnDagNode::parent(unsigned int i, MStatus* s) const {
  Node* n = Access::node(object_);
  bool ok = n && i < n->parents.size();
  OmbrixHost::reportStatus(s, ok);
  return ok ? Access::wrap(n->parents[i]) : MObject();
}

MStatus MFnDagNode::addChild(MObject& child, unsigned int, bool keepExistingParents) {
  Node* n = Access::node(object_);
  Node* c = Access::node(child);
  std::string error;
  if (!n || !c || !scene().addChild(n, c, keepExistingParents, error))
    return OmbrixHost::Access::failure(MStatus::kInvalidParameter, MString(error.c_str()));
  return MStatus::kSuccess;
}

MStatus MFnDagNode::removeChild(MObject& child) {
  Node* n = Access::node(object_);
  Node* c = Access::node(child);
  if (!n || !c)
    return MStatus::kInvalidParameter;
  std::string error;
  if (c->parents.size() == 1)
    return scene().addChild(nullptr, c, false, error) ? MStatus::kSuccess : MStatus::kFailure;
  auto& ps = c->parents;
  for (auto it = ps.begin(); it != ps.end(); ++it)
    if (*it == n) {
      ps.erase(it);
      auto& cs = n->children;
      for (auto jt = cs.begin(); jt != cs.end(); ++jt)
        if (*jt == c) {
          cs.erase(jt);
          break;
        }
      scene().dagChanged();
      return MStatus::kSuccess;
    }
  return MStatus::kInvalidParameter;
}

unsigned int MFnDagNode::childCount(MStatus* s) const {
  Node* n = Access::node(object_);
  OmbrixHost::reportStatus(s, n != nullptr);
  return n ? static_cast<unsigned int>(n->children.size()) : 0;
}

MObject MFnDagNode::child(unsigned int i, MStatus* s) const {
  Node* n = Access::node(object_);
  bool ok = n && i < n->children.size();
  OmbrixHost::reportStatus(s, ok);
  return ok ? Access::wrap(n->children[i]) : MObject();
}

bool MFnDagNode::isIntermediateObject(MStatus* s) const {
  Node* n = Access::node(object_);
  OmbrixHost::reportStatus(s, n != nullptr);
  return n && n->number("intermediateObject", 0.0) != 0.0;
}

MStatus MFnDagNode::setIntermediateObject(bool isIntermediate) {
  Node* n = Access::node(object_);
  if (!n)
    return MStatus::kInvalidParameter;
  n->setValue("intermediateObject", OmbrixHost::Value::ofNumber(isIntermediate ? 1.0 : 0.0));
  return MStatus::kSuccess;
}

bool MFnDagNode::isInstanced(bool indirect, MStatus* s) const {
  Node* n = Access::node(object_);
  OmbrixHost::reportStatus(s, n != nullptr);
  if (!n)
    return false;
  return indirect ? scene().allPaths(n).size() > 1 : n->parents.size() > 1;
}

MStatus MFnDagNode::getPath(MDagPath& path) const {
  if (hasPath_) {
    path = path_;
    return MStatus::kSuccess;
  }
  return MDagPath::getAPathTo(object_, path);
}

MStatus MFnDagNode::getAllPaths(MDagPathArray& paths) const { return MDagPath::getAllPathsTo(object_, paths); }

MDagPath MFnDagNode::dagPath(MStatus* s) const {
  MDagPath p;
  OmbrixHost::reportStatus(s, getPath(p) == MStatus::kSuccess);
  return p;
}

MString MFnDagNode::fullPathName(MStatus* s) const { return dagPath(s).fullPathName(); }
MString MFnDagNode::partialPathName(MStatus* s) const { return dagPath(s).partialPathName(); }

MMatrix MFnDagNode::transformationMatrix(MStatus* s) const {
  Node* n = Access::node(object_);
  OmbrixHost::reportStatus(s, n != nullptr);
  double m[4][4];
  scene().localMatrix(n, m);
  return MMatrix(m);
}
