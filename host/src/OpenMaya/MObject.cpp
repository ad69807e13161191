#include "HostObject.h"
#include "SceneEvaluation.h"
#include "NodeTypes.h"

namespace OmbrixHost {

MObject Access::wrap(Node* node) {
  MObject o;
  if (!node)
    return o;
  auto d = std::make_shared<ObjectData>();
  d->kind = ObjectData::kNode;
  d->node = node->self.lock();
  o.data_ = d;
  return o;
}

MObject Access::wrapAttribute(Node* owner, const AttrDef* attr) {
  MObject o;
  if (!owner || !attr)
    return o;
  auto d = std::make_shared<ObjectData>();
  d->kind = ObjectData::kAttribute;
  d->node = owner->self.lock();
  d->attr = attr;
  o.data_ = d;
  return o;
}

MObject Access::makeComponent(MFn::Type type, std::vector<int> elements) {
  MObject o;
  auto d = std::make_shared<ObjectData>();
  d->kind = ObjectData::kComponent;
  d->componentType = type;
  d->elements = std::move(elements);
  o.data_ = d;
  return o;
}

MObject Access::makeMeshData() {
  MObject o;
  auto d = std::make_shared<ObjectData>();
  d->kind = ObjectData::kMeshData;
  d->mesh = std::make_shared<MeshData>();
  o.data_ = d;
  return o;
}

MeshData* Access::mesh(const MObject& object) {
  const ObjectData* d = object.data_.get();
  if (d && d->kind == ObjectData::kMeshData)
    return d->mesh.get();
  Node* n = node(object);
  evaluateShape(n);
  return n ? n->mesh.get() : nullptr;
}

const ObjectData* Access::data(const MObject& object) { return object.data_.get(); }

ObjectData* Access::mutableData(MObject& object) { return object.data_.get(); }

Node* Access::node(const MObject& object) {
  const ObjectData* d = object.data_.get();
  if (!d || d->kind != ObjectData::kNode || !d->node || !d->node->alive)
    return nullptr;
  return d->node.get();
}

const AttrDef* Access::attribute(const MObject& object) {
  const ObjectData* d = object.data_.get();
  return d && d->kind == ObjectData::kAttribute ? d->attr : nullptr;
}

std::vector<Node*> Access::pathChain(const MDagPath& path) {
  std::vector<Node*> chain;
  for (const auto& o : path.nodes_) {
    Node* n = node(o);
    if (!n)
      return {};
    chain.push_back(n);
  }
  return chain;
}

MDagPath Access::makePath(const std::vector<Node*>& chain) {
  MDagPath p;
  for (Node* n : chain)
    p.nodes_.push_back(wrap(n));
  return p;
}

MPlug Access::makePlug(Node* n, const AttrDef* attr, std::vector<int> indices) {
  MPlug p;
  p.node_ = wrap(n);
  p.attribute_ = wrapAttribute(n, attr);
  indices.resize(attr ? attr->chain().size() : 0, -1);
  p.indices_ = std::move(indices);
  return p;
}

std::string Access::plugKeyOf(const MPlug& plug) {
  const AttrDef* a = plugAttribute(plug);
  return a ? plugKey(a, plug.indices_) : std::string();
}

}  // namespace OmbrixHost

using OmbrixHost::Access;
using OmbrixHost::ObjectData;

MObject MObject::kNullObj;

MObject::MObject() = default;
MObject::MObject(const MObject& other) = default;
MObject& MObject::operator=(const MObject& other) = default;
MObject::~MObject() = default;

MFn::Type MObject::apiType() const {
  const ObjectData* d = data_.get();
  if (!d)
    return MFn::kInvalid;
  switch (d->kind) {
  case ObjectData::kNode:
    return d->node && d->node->alive ? d->node->apiType : MFn::kInvalid;
  case ObjectData::kAttribute:
    return d->attr ? d->attr->apiType() : MFn::kInvalid;
  case ObjectData::kComponent:
    return d->componentType;
  case ObjectData::kMeshData:
    return MFn::kMeshData;
  }
  return MFn::kInvalid;
}

bool MObject::hasFn(MFn::Type type) const { return OmbrixHost::typeHasFn(apiType(), type); }
bool MObject::isNull() const { return apiType() == MFn::kInvalid; }
const char* MObject::apiTypeStr() const { return OmbrixHost::apiTypeName(apiType()); }

bool MObject::operator==(const MObject& other) const {
  const ObjectData* a = data_.get();
  const ObjectData* b = other.data_.get();
  if (isNull() || other.isNull())
    return isNull() && other.isNull();
  if (a->kind != b->kind)
    return false;
  switch (a->kind) {
  case ObjectData::kNode:
    return a->node == b->node;
  case ObjectData::kAttribute:
    return a->node == b->node && a->attr == b->attr;
  case ObjectData::kComponent:
    return a->componentType == b->componentType && a->elements == b->elements;
  case ObjectData::kMeshData:
    return a->mesh == b->mesh;
  }
  return false;
}
bool MObject::operator!=(const MObject& other) const { return !(*this == other); }
