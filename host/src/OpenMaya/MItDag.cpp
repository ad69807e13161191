#include "HostObject.h"
#include "Scene.h"

#include <maya/MItDag.h>

using OmbrixHost::Access;

MItDag::MItDag(TraversalType type, MFn::Type filter, MStatus* s) : type_(type), filter_(filter) {
  start(MDagPath());
  if (s)
    *s = MStatus::kSuccess;
}
MItDag::~MItDag() = default;

void MItDag::start(const MDagPath& root) {
  root_ = root;
  pending_.clear();
  cursor_ = 0;
  pruneNext_ = false;
  pending_.push_back(root);
  skipFiltered();
}

// Queues the children of `path`: behind the others breadth first, on top of
// the stack (first child on top) depth first.
void MItDag::expand(const MDagPath& path) {
  OmbrixHost::Node* n = Access::node(path.node());
  if (!n)
    return;
  std::vector<MDagPath> kids;
  for (OmbrixHost::Node* c : n->children) {
    MDagPath p = path;
    Access::pathNodes(p).push_back(Access::wrap(c));
    kids.push_back(p);
  }
  if (type_ == kBreadthFirst)
    pending_.insert(pending_.end(), kids.begin(), kids.end());
  else
    pending_.insert(pending_.end(), kids.rbegin(), kids.rend());
}

void MItDag::skipFiltered() {
  while (!isDone()) {
    const MDagPath& current = type_ == kBreadthFirst ? pending_[cursor_] : pending_.back();
    if (filter_ == MFn::kInvalid || current.hasFn(filter_))
      return;
    MDagPath skipped = current;
    if (type_ == kBreadthFirst)
      ++cursor_;
    else
      pending_.pop_back();
    expand(skipped);
  }
}

MStatus MItDag::reset() {
  start(root_);
  return MStatus::kSuccess;
}

MStatus MItDag::reset(const MObject& object, TraversalType type, MFn::Type filter) {
  type_ = type == kInvalidType ? kDepthFirst : type;
  filter_ = filter;
  MDagPath path;
  if (!object.isNull() && !object.hasFn(MFn::kWorld)) {
    if (!MDagPath::getAPathTo(object, path)) {
      pending_.clear();
      cursor_ = 0;
      return MStatus::kInvalidParameter;
    }
  }
  start(path);
  return MStatus::kSuccess;
}

MStatus MItDag::reset(const MDagPath& path, TraversalType type, MFn::Type filter) {
  type_ = type == kInvalidType ? kDepthFirst : type;
  filter_ = filter;
  start(path);
  return MStatus::kSuccess;
}

MObject MItDag::currentItem(MStatus* s) {
  MDagPath p;
  MStatus st = getPath(p);
  if (s)
    *s = st;
  return st ? p.node() : MObject();
}

MStatus MItDag::next() {
  if (isDone())
    return MStatus::kFailure;
  MDagPath current;
  if (type_ == kBreadthFirst)
    current = pending_[cursor_++];
  else {
    current = pending_.back();
    pending_.pop_back();
  }
  if (!pruneNext_)
    expand(current);
  pruneNext_ = false;
  skipFiltered();
  return MStatus::kSuccess;
}

MStatus MItDag::prune() {
  pruneNext_ = true;
  return MStatus::kSuccess;
}

bool MItDag::isDone(MStatus* s) const {
  if (s)
    *s = MStatus::kSuccess;
  return type_ == kBreadthFirst ? cursor_ >= pending_.size() : pending_.empty();
}

MObject MItDag::root(MStatus* s) {
  if (s)
    *s = MStatus::kSuccess;
  return root_.node();
}

unsigned int MItDag::depth(MStatus* s) const {
  MDagPath p;
  MStatus st = getPath(p);
  if (s)
    *s = st;
  return st ? p.length() - root_.length() : 0;
}

MStatus MItDag::getPath(MDagPath& path) const {
  if (isDone())
    return MStatus::kFailure;
  path = type_ == kBreadthFirst ? pending_[cursor_] : pending_.back();
  return MStatus::kSuccess;
}

MString MItDag::fullPathName(MStatus* s) const {
  MDagPath p;
  MStatus st = getPath(p);
  if (s)
    *s = st;
  return p.fullPathName();
}

MString MItDag::partialPathName(MStatus* s) const {
  MDagPath p;
  MStatus st = getPath(p);
  if (s)
    *s = st;
  return p.partialPathName();
}

MItDag::TraversalType MItDag::getType(MStatus* s) const {
  if (s)
    *s = MStatus::kSuccess;
  return type_;
}
