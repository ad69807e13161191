#include "Components.h"
#include "SceneEvaluation.h"
#include "HostObject.h"
#include "Scene.h"

#include <maya/MItSelectionList.h>
#include <maya/MStringArray.h>
#include <maya/MUuid.h>

using OmbrixHost::Access;
using OmbrixHost::scene;

MSelectionList::MSelectionList() = default;
MSelectionList::MSelectionList(const MSelectionList& other) = default;
MSelectionList& MSelectionList::operator=(const MSelectionList& other) = default;
MSelectionList::~MSelectionList() = default;

MStatus MSelectionList::clear() {
  items_.clear();
  return MStatus::kSuccess;
}

bool MSelectionList::isEmpty(MStatus* s) const {
  if (s)
    *s = MStatus::kSuccess;
  return items_.empty();
}

unsigned int MSelectionList::length(MStatus* s) const {
  if (s)
    *s = MStatus::kSuccess;
  return static_cast<unsigned int>(items_.size());
}

MStatus MSelectionList::add(const MString& matchString, bool) {
  std::string text = matchString.asChar();
  std::string component;
  auto bar = text.rfind('|');
  auto dot = text.find('.', bar == std::string::npos ? 0 : bar);
  if (dot != std::string::npos) {
    component = text.substr(dot + 1);
    text = text.substr(0, dot);
  }
  std::vector<OmbrixHost::DagChain> paths;
  if (text.find('*') != std::string::npos || text.find('?') != std::string::npos) {
    for (auto& n : scene().nodes())
      if (OmbrixHost::globMatch(text.c_str(), n->name.c_str())) {
        auto all = n->dag ? scene().allPaths(n.get()) : std::vector<OmbrixHost::DagChain>{{n.get()}};
        if (!all.empty())
          paths.push_back(all[0]);
      }
  } else {
    paths = scene().findPaths(text);
  }
  if (paths.empty())
    return OmbrixHost::Access::failure(MStatus::kInvalidParameter, MString(("No object matches name: " + text).c_str()));
  for (auto chain : paths) {
    if (chain.empty())
      continue;
    OmbrixHost::Node* n = chain.back();
    if (!n->dag) {
      add(Access::wrap(n));
      continue;
    }
    MObject comp;
    if (!component.empty() && n->hasFn(MFn::kTransform)) {
      // "pCube1.f[0]" names the faces of the transform's mesh.
      for (OmbrixHost::Node* c : n->children)
        if (c->mesh && c->number("intermediateObject", 0.0) == 0.0) {
          chain.push_back(c);
          n = c;
          break;
        }
    }
    OmbrixHost::evaluateShape(n);
    if (!component.empty() && n->mesh) {
      MFn::Type type;
      std::vector<int> elements;
      int counts[] = {n->mesh->numFaces(), static_cast<int>(n->mesh->points.size())};
      if (OmbrixHost::parseComponent(component, type, elements,
                                     component[0] == 'f' ? counts[0] : counts[1]))
        comp = Access::makeComponent(type, elements);
    }
    add(Access::makePath(chain), comp);
  }
  return MStatus::kSuccess;
}

MStatus MSelectionList::add(const MObject& object, bool mergeWithExisting) {
  OmbrixHost::Node* n = Access::node(object);
  if (!n)
    return MStatus::kInvalidParameter;
  if (n->dag) {
    MDagPath path;
    MDagPath::getAPathTo(object, path);
    return add(path, MObject::kNullObj, mergeWithExisting);
  }
  if (mergeWithExisting)
    for (auto& item : items_)
      if (!item.hasPath && item.node == object)
        return MStatus::kSuccess;
  Item item;
  item.node = object;
  items_.push_back(item);
  return MStatus::kSuccess;
}

// Every node holding the UUID, in the scene's order (each DAG node by its
// first path): the nodes of a file referenced twice share their UUIDs.
MStatus MSelectionList::add(const MUuid& uuid, bool mergeWithExisting) {
  if (!uuid.valid())
    return MStatus::kInvalidParameter;
  const std::string text = uuid.asString().asChar();
  bool found = false;
  for (auto& n : scene().nodes())
    if (n->alive && n->uuid == text) {
      add(Access::wrap(n.get()), mergeWithExisting);
      found = true;
    }
  if (found)
    return MStatus::kSuccess;
  return OmbrixHost::Access::failure(MStatus::kInvalidParameter, MString(("No object matches UUID: " + text).c_str()));
}

MStatus MSelectionList::add(const MDagPath& object, const MObject& component, bool mergeWithExisting) {
  if (!object.isValid())
    return MStatus::kInvalidParameter;
  if (mergeWithExisting)
    for (auto& item : items_)
      if (item.hasPath && item.path == object && item.component == component)
        return MStatus::kSuccess;
  Item item;
  item.node = object.node();
  item.path = object;
  item.component = component;
  item.hasPath = true;
  items_.push_back(item);
  return MStatus::kSuccess;
}

MStatus MSelectionList::getDependNode(unsigned int index, MObject& depNode) const {
  if (index >= items_.size())
    return MStatus::kInvalidParameter;
  depNode = items_[index].node;
  return MStatus::kSuccess;
}

MStatus MSelectionList::getDagPath(unsigned int index, MDagPath& dagPath, MObject& component) const {
  if (index >= items_.size() || !items_[index].hasPath)
    return MStatus::kFailure;
  dagPath = items_[index].path;
  if (&component != &MObject::kNullObj)
    component = items_[index].component;
  return MStatus::kSuccess;
}

MStatus MSelectionList::remove(unsigned int index) {
  if (index >= items_.size())
    return MStatus::kInvalidParameter;
  items_.erase(items_.begin() + index);
  return MStatus::kSuccess;
}

MStatus MSelectionList::getSelectionStrings(MStringArray& array) const {
  array.clear();
  for (auto& item : items_) {
    OmbrixHost::Node* n = Access::node(item.node);
    if (!n)
      continue;
    std::string name = item.hasPath ? item.path.partialPathName().asChar() : n->name;
    const OmbrixHost::ObjectData* c = Access::data(item.component);
    if (c && c->kind == OmbrixHost::ObjectData::kComponent) {
      for (auto& part : OmbrixHost::formatComponent(c->componentType, c->elements))
        array.append(MString((name + "." + part).c_str()));
    } else {
      array.append(MString(name.c_str()));
    }
  }
  return MStatus::kSuccess;
}

// ---------------------------------------------------------------- iterator

MItSelectionList::MItSelectionList(const MSelectionList& list, MFn::Type filter, MStatus* s)
    : list_(list), filter_(filter) {
  skipUnmatched();
  if (s)
    *s = MStatus::kSuccess;
}
MItSelectionList::~MItSelectionList() = default;

bool MItSelectionList::matches() const {
  if (filter_ == MFn::kInvalid)
    return true;
  MObject node;
  list_.getDependNode(index_, node);
  return node.hasFn(filter_);
}

void MItSelectionList::skipUnmatched() {
  while (index_ < list_.length() && !matches())
    ++index_;
}

bool MItSelectionList::isDone(MStatus* s) {
  if (s)
    *s = MStatus::kSuccess;
  return index_ >= list_.length();
}

MStatus MItSelectionList::next() {
  if (index_ < list_.length())
    ++index_;
  skipUnmatched();
  return MStatus::kSuccess;
}

MStatus MItSelectionList::reset() {
  index_ = 0;
  skipUnmatched();
  return MStatus::kSuccess;
}

MStatus MItSelectionList::getDependNode(MObject& depNode) { return list_.getDependNode(index_, depNode); }
MStatus MItSelectionList::getDagPath(MDagPath& dagPath, MObject& component) {
  return list_.getDagPath(index_, dagPath, component);
}
MStatus MItSelectionList::getDagPath(MDagPath& dagPath) { return list_.getDagPath(index_, dagPath); }

MStatus MItSelectionList::getStrings(MStringArray& array) {
  MSelectionList one;
  if (index_ < list_.length())
    Access::items(one).push_back(Access::items(list_)[index_]);
  return one.getSelectionStrings(array);
}

MItSelectionList::selItemType MItSelectionList::itemType(MStatus* s) {
  if (s)
    *s = MStatus::kSuccess;
  if (index_ >= list_.length())
    return kUnknownItem;
  return Access::items(list_)[index_].hasPath ? kDagSelectionItem : kDNselectionItem;
}

MStatus MItSelectionList::setFilter(MFn::Type filter) {
  filter_ = filter;
  return reset();
}
