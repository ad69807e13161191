#include "HostObject.h"
#include "NodeTypes.h"
#include "Scene.h"
#include "Uuid.h"

#include <maya/MFnAttribute.h>
#include <maya/MFnCompoundAttribute.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MIntArray.h>
#include <maya/MPlugArray.h>
#include <maya/MUuid.h>

#include <functional>

using OmbrixHost::Access;
using OmbrixHost::Node;
using OmbrixHost::scene;

// ---------------------------------------------------------------- MFnBase

MFnBase::MFnBase() = default;
MFnBase::~MFnBase() = default;
MFn::Type MFnBase::type() const { return MFn::kBase; }
MFn::Type MFnBase::requiredType() const { return MFn::kBase; }
bool MFnBase::hasObj(MFn::Type t) const { return OmbrixHost::typeHasFn(t, requiredType()); }
bool MFnBase::hasObj(const MObject& object) const { return object.hasFn(requiredType()); }
MObject MFnBase::object(MStatus* s) const {
  OmbrixHost::reportStatus(s, !object_.isNull());
  return object_;
}
MStatus MFnBase::setObject(MObject& object) { return setObject(static_cast<const MObject&>(object)); }
MStatus MFnBase::setObject(const MObject& object) {
  // MFnMesh works on a mesh node and on mesh data alike.
  const bool meshData = requiredType() == MFn::kMesh && object.hasFn(MFn::kMeshData);
  if (!object.hasFn(requiredType()) && !meshData) {
    object_ = MObject();
    return MStatus::kInvalidParameter;
  }
  object_ = object;
  return MStatus::kSuccess;
}

// ---------------------------------------------------------------- MFnDependencyNode

MFnDependencyNode::MFnDependencyNode() = default;
MFnDependencyNode::MFnDependencyNode(const MObject& object, MStatus* s) { OmbrixHost::reportStatus(s, setObject(object)); }
MFnDependencyNode::~MFnDependencyNode() = default;
MFn::Type MFnDependencyNode::type() const { return MFn::kDependencyNode; }
MFn::Type MFnDependencyNode::requiredType() const { return MFn::kDependencyNode; }

MObject MFnDependencyNode::create(const MString& type, MStatus* s) { return create(type, MString(), s); }

MObject MFnDependencyNode::create(const MString& type, const MString& name, MStatus* s) {
  std::string error;
  Node* n = scene().createNode(type.asChar(), name.asChar(), nullptr, error);
  OmbrixHost::reportStatus(s, n != nullptr);
  if (n)
    setObject(Access::wrap(n));
  return Access::wrap(n);
}

MString MFnDependencyNode::typeName(MStatus* s) const {
  Node* n = Access::node(object_);
  OmbrixHost::reportStatus(s, n != nullptr);
  return n ? MString(n->typeName.c_str()) : MString();
}

MString MFnDependencyNode::name(MStatus* s) const {
  Node* n = Access::node(object_);
  OmbrixHost::reportStatus(s, n != nullptr);
  return n ? MString(n->name.c_str()) : MString();
}

// A node that no scene file named gets its UUID when it is first asked for,
// and keeps it.
MUuid MFnDependencyNode::uuid(MStatus* s) const {
  Node* n = Access::node(object_);
  OmbrixHost::reportStatus(s, n != nullptr);
  if (n == nullptr) return MUuid();
  if (n->uuid.empty()) n->uuid = OmbrixHost::formatUuid(OmbrixHost::newUuid());
  return MUuid(MString(n->uuid.c_str()));
}

void MFnDependencyNode::setUuid(const MUuid& uuid, MStatus* s) {
  Node* n = Access::node(object_);
  OmbrixHost::reportStatus(s, n != nullptr && uuid.valid());
  if (n != nullptr && uuid.valid()) n->uuid = uuid.asString().asChar();
}

MString MFnDependencyNode::setName(const MString& name, bool, MStatus* s) {
  Node* n = Access::node(object_);
  OmbrixHost::reportStatus(s, n != nullptr && name.length() > 0);
  if (!n || name.length() == 0)
    return MString();
  return MString(scene().rename(n, name.asChar()).c_str());
}

MStatus MFnDependencyNode::getConnections(MPlugArray& array) const {
  array.clear();
  Node* n = Access::node(object_);
  if (!n)
    return MStatus::kInvalidParameter;
  // Maya does not document the order of this list; the host gives the plug
  // connected last first, so that no caller can rely on creation order.
  std::vector<std::string> seen;
  for (auto it = n->connections.rbegin(); it != n->connections.rend(); ++it) {
    const auto& c = *it;
    bool known = false;
    for (const auto& k : seen)
      known = known || k == c.localKey;
    if (known)
      continue;
    seen.push_back(c.localKey);
    array.append(Access::makePlug(n, c.local.attr, c.local.indices));
  }
  return array.length() ? MStatus::kSuccess : MStatus::kFailure;
}

static void flatten(const OmbrixHost::AttrDef* a, std::vector<const OmbrixHost::AttrDef*>& out) {
  out.push_back(a);
  for (auto& c : a->children)
    flatten(c.get(), out);
}

static std::vector<const OmbrixHost::AttrDef*> allAttributes(const Node* n) {
  std::vector<const OmbrixHost::AttrDef*> out;
  for (auto* a : n->rootAttributes())
    flatten(a, out);
  return out;
}

unsigned int MFnDependencyNode::attributeCount(MStatus* s) const {
  Node* n = Access::node(object_);
  OmbrixHost::reportStatus(s, n != nullptr);
  return n ? static_cast<unsigned int>(allAttributes(n).size()) : 0;
}

MObject MFnDependencyNode::attribute(unsigned int index, MStatus* s) const {
  Node* n = Access::node(object_);
  auto all = n ? allAttributes(n) : std::vector<const OmbrixHost::AttrDef*>();
  OmbrixHost::reportStatus(s, index < all.size());
  return index < all.size() ? Access::wrapAttribute(n, all[index]) : MObject();
}

MObject MFnDependencyNode::attribute(const MString& attrName, MStatus* s) const {
  Node* n = Access::node(object_);
  const OmbrixHost::AttrDef* a = n ? n->findAttribute(attrName.asChar()) : nullptr;
  OmbrixHost::reportStatus(s, a != nullptr);
  return a ? Access::wrapAttribute(n, a) : MObject();
}

bool MFnDependencyNode::hasAttribute(const MString& attrName, MStatus* s) const {
  MStatus st;
  attribute(attrName, &st);
  OmbrixHost::reportStatus(s, true);
  return st == MStatus::kSuccess;
}

MPlug MFnDependencyNode::findPlug(const MObject& attr, bool, MStatus* s) const { return findPlug(attr, s); }

MPlug MFnDependencyNode::findPlug(const MString& attrName, bool, MStatus* s) const { return findPlug(attrName, s); }

MPlug MFnDependencyNode::findPlug(const MObject& attr, MStatus* s) const {
  Node* n = Access::node(object_);
  const OmbrixHost::AttrDef* a = Access::attribute(attr);
  bool ok = n && a && Access::data(attr)->node.get() == n;
  OmbrixHost::reportStatus(s, ok);
  return ok ? Access::makePlug(n, a, {}) : MPlug();
}

MPlug MFnDependencyNode::findPlug(const MString& attrName, MStatus* s) const {
  Node* n = Access::node(object_);
  const OmbrixHost::AttrDef* a = n ? n->findAttribute(attrName.asChar()) : nullptr;
  OmbrixHost::reportStatus(s, a != nullptr);
  return a ? Access::makePlug(n, a, {}) : MPlug();
}

bool MFnDependencyNode::isFromReferencedFile(MStatus* s) const {
  OmbrixHost::reportStatus(s, true);
  return false;
}

// ---------------------------------------------------------------- attributes

MFnAttribute::MFnAttribute() = default;
MFnAttribute::MFnAttribute(const MObject& object, MStatus* s) { OmbrixHost::reportStatus(s, setObject(object)); }
MFnAttribute::~MFnAttribute() = default;
MFn::Type MFnAttribute::type() const { return MFn::kAttribute; }
MFn::Type MFnAttribute::requiredType() const { return MFn::kAttribute; }
MString MFnAttribute::name(MStatus* s) const {
  auto* a = Access::attribute(object_);
  OmbrixHost::reportStatus(s, a != nullptr);
  return a ? MString(a->name.c_str()) : MString();
}
MString MFnAttribute::shortName(MStatus* s) const {
  auto* a = Access::attribute(object_);
  OmbrixHost::reportStatus(s, a != nullptr);
  return a ? MString(a->shortName.c_str()) : MString();
}
bool MFnAttribute::isArray(MStatus* s) const {
  auto* a = Access::attribute(object_);
  OmbrixHost::reportStatus(s, a != nullptr);
  return a && a->array;
}
MObject MFnAttribute::parent(MStatus* s) const {
  auto* a = Access::attribute(object_);
  bool ok = a && a->parent;
  OmbrixHost::reportStatus(s, ok);
  return ok ? Access::wrapAttribute(Access::data(object_)->node.get(), a->parent) : MObject();
}
bool MFnAttribute::isDynamic(MStatus* s) const {
  auto* a = Access::attribute(object_);
  OmbrixHost::reportStatus(s, a != nullptr);
  return a && a->dynamic;
}

MFnCompoundAttribute::MFnCompoundAttribute() = default;
MFnCompoundAttribute::MFnCompoundAttribute(const MObject& object, MStatus* s) { OmbrixHost::reportStatus(s, setObject(object)); }
MFnCompoundAttribute::~MFnCompoundAttribute() = default;
MFn::Type MFnCompoundAttribute::type() const { return MFn::kCompoundAttribute; }
MFn::Type MFnCompoundAttribute::requiredType() const { return MFn::kCompoundAttribute; }
unsigned int MFnCompoundAttribute::numChildren(MStatus* s) const {
  auto* a = Access::attribute(object_);
  OmbrixHost::reportStatus(s, a != nullptr);
  return a ? static_cast<unsigned int>(a->children.size()) : 0;
}
MObject MFnCompoundAttribute::child(unsigned int index, MStatus* s) const {
  auto* a = Access::attribute(object_);
  auto* c = a ? a->child(index) : nullptr;
  OmbrixHost::reportStatus(s, c != nullptr);
  return c ? Access::wrapAttribute(Access::data(object_)->node.get(), c) : MObject();
}

// ---------------------------------------------------------------- components

MFnComponent::MFnComponent() = default;
MFnComponent::MFnComponent(const MObject& object, MStatus* s) { OmbrixHost::reportStatus(s, setObject(object)); }
MFnComponent::~MFnComponent() = default;
MFn::Type MFnComponent::type() const { return MFn::kComponent; }
MFn::Type MFnComponent::requiredType() const { return MFn::kComponent; }
int MFnComponent::elementCount(MStatus* s) const {
  auto* d = Access::data(object_);
  OmbrixHost::reportStatus(s, d != nullptr);
  return d ? static_cast<int>(d->elements.size()) : 0;
}
MFn::Type MFnComponent::componentType(MStatus* s) const {
  auto* d = Access::data(object_);
  OmbrixHost::reportStatus(s, d != nullptr);
  return d ? d->componentType : MFn::kInvalid;
}
bool MFnComponent::isEmpty(MStatus* s) const { return elementCount(s) == 0; }

MFnSingleIndexedComponent::MFnSingleIndexedComponent() = default;
MFnSingleIndexedComponent::MFnSingleIndexedComponent(const MObject& object, MStatus* s) {
  OmbrixHost::reportStatus(s, setObject(object));
}
MFnSingleIndexedComponent::~MFnSingleIndexedComponent() = default;
MFn::Type MFnSingleIndexedComponent::type() const { return MFn::kSingleIndexedComponent; }
MFn::Type MFnSingleIndexedComponent::requiredType() const { return MFn::kSingleIndexedComponent; }
MObject MFnSingleIndexedComponent::create(MFn::Type compType, MStatus* s) {
  bool ok = OmbrixHost::typeHasFn(compType, MFn::kSingleIndexedComponent);
  OmbrixHost::reportStatus(s, ok);
  if (!ok)
    return MObject();
  object_ = Access::makeComponent(compType, {});
  return object_;
}
MStatus MFnSingleIndexedComponent::addElement(int element) {
  auto* d = Access::mutableData(object_);
  if (!d || d->kind != OmbrixHost::ObjectData::kComponent || element < 0)
    return MStatus::kInvalidParameter;
  d->elements.push_back(element);
  return MStatus::kSuccess;
}
MStatus MFnSingleIndexedComponent::addElements(MIntArray& elements) {
  for (unsigned int i = 0; i < elements.length(); ++i)
    if (!addElement(elements[i]))
      return MStatus::kInvalidParameter;
  return MStatus::kSuccess;
}
int MFnSingleIndexedComponent::element(int index, MStatus* s) const {
  auto* d = Access::data(object_);
  bool ok = d && index >= 0 && static_cast<std::size_t>(index) < d->elements.size();
  OmbrixHost::reportStatus(s, ok);
  return ok ? d->elements[index] : -1;
}
MStatus MFnSingleIndexedComponent::getElements(MIntArray& elements) const {
  elements.clear();
  auto* d = Access::data(object_);
  if (!d)
    return MStatus::kInvalidParameter;
  for (int e : d->elements)
    elements.append(e);
  return MStatus::kSuccess;
}
