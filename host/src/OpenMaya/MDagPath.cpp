#include "HostObject.h"
#include "Scene.h"

#include <maya/MDagPathArray.h>
#include <maya/MMatrix.h>

using OmbrixHost::Access;
using OmbrixHost::scene;

MDagPath::MDagPath() = default;
MDagPath::MDagPath(const MDagPath& other) = default;
MDagPath& MDagPath::operator=(const MDagPath& other) = default;
MDagPath::~MDagPath() = default;
bool MDagPath::operator==(const MDagPath& other) const { return nodes_ == other.nodes_; }

MObject MDagPath::node(MStatus* s) const {
  OmbrixHost::reportStatus(s, isValid(), MStatus::kFailure);
  return nodes_.empty() ? Access::wrap(scene().world()) : nodes_.back();
}

MObject MDagPath::transform(MStatus* s) const {
  auto chain = Access::pathChain(*this);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    if ((*it)->hasFn(MFn::kTransform)) {
      OmbrixHost::reportStatus(s, true, MStatus::kFailure);
      return Access::wrap(*it);
    }
  OmbrixHost::reportStatus(s, false, MStatus::kFailure);
  return MObject();
}

unsigned int MDagPath::length(MStatus* s) const {
  OmbrixHost::reportStatus(s, true, MStatus::kFailure);
  return static_cast<unsigned int>(nodes_.size());
}

bool MDagPath::isValid(MStatus* s) const {
  OmbrixHost::reportStatus(s, true, MStatus::kFailure);
  return Access::pathChain(*this).size() == nodes_.size();
}

MString MDagPath::fullPathName(MStatus* s) const {
  OmbrixHost::reportStatus(s, isValid(), MStatus::kFailure);
  return MString(scene().fullPathName(Access::pathChain(*this)).c_str());
}

MString MDagPath::partialPathName(MStatus* s) const {
  OmbrixHost::reportStatus(s, isValid(), MStatus::kFailure);
  return MString(scene().partialPathName(Access::pathChain(*this)).c_str());
}

MMatrix MDagPath::inclusiveMatrix(MStatus* s) const {
  OmbrixHost::reportStatus(s, isValid(), MStatus::kFailure);
  double m[4][4];
  scene().inclusiveMatrix(Access::pathChain(*this), m);
  return MMatrix(m);
}

MMatrix MDagPath::exclusiveMatrix(MStatus* s) const {
  OmbrixHost::reportStatus(s, isValid(), MStatus::kFailure);
  auto chain = Access::pathChain(*this);
  if (!chain.empty())
    chain.pop_back();
  double m[4][4];
  scene().inclusiveMatrix(chain, m);
  return MMatrix(m);
}

MMatrix MDagPath::inclusiveMatrixInverse(MStatus* s) const { return inclusiveMatrix(s).inverse(); }

MFn::Type MDagPath::apiType(MStatus* s) const { return node(s).apiType(); }

bool MDagPath::hasFn(MFn::Type type, MStatus* s) const { return node(s).hasFn(type); }

unsigned int MDagPath::childCount(MStatus* s) const {
  OmbrixHost::Node* n = OmbrixHost::Access::node(node(s));
  return n ? static_cast<unsigned int>(n->children.size()) : 0;
}

MObject MDagPath::child(unsigned int index, MStatus* s) const {
  OmbrixHost::Node* n = OmbrixHost::Access::node(node());
  bool ok = n && index < n->children.size();
  OmbrixHost::reportStatus(s, ok, MStatus::kFailure);
  return ok ? Access::wrap(n->children[index]) : MObject();
}

MStatus MDagPath::push(const MObject& child) {
  OmbrixHost::Node* parent = Access::node(node());
  OmbrixHost::Node* c = Access::node(child);
  if (!parent || !c)
    return MStatus::kInvalidParameter;
  for (OmbrixHost::Node* p : c->parents)
    if (p == parent) {
      nodes_.push_back(child);
      return MStatus::kSuccess;
    }
  return MStatus::kInvalidParameter;
}

MStatus MDagPath::pop(unsigned int count) {
  if (count > nodes_.size())
    return MStatus::kInvalidParameter;
  nodes_.resize(nodes_.size() - count);
  return MStatus::kSuccess;
}

MStatus MDagPath::extendToShape() {
  OmbrixHost::Node* n = Access::node(node());
  if (!n)
    return MStatus::kFailure;
  if (n->hasFn(MFn::kShape))
    return MStatus::kSuccess;
  OmbrixHost::Node* shape = nullptr;
  int shapes = 0;
  for (OmbrixHost::Node* c : n->children)
    if (c->hasFn(MFn::kShape) && c->number("intermediateObject", 0.0) == 0.0) {
      shape = c;
      ++shapes;
    }
  if (shapes != 1)
    return MStatus::kFailure;
  nodes_.push_back(Access::wrap(shape));
  return MStatus::kSuccess;
}

unsigned int MDagPath::instanceNumber(MStatus* s) const {
  OmbrixHost::reportStatus(s, isValid(), MStatus::kFailure);
  return static_cast<unsigned int>(scene().instanceNumber(Access::pathChain(*this)));
}

bool MDagPath::isInstanced(MStatus* s) const {
  OmbrixHost::reportStatus(s, isValid(), MStatus::kFailure);
  auto chain = Access::pathChain(*this);
  return !chain.empty() && scene().allPaths(chain.back()).size() > 1;
}

MStatus MDagPath::set(const MDagPath& src) {
  *this = src;
  return MStatus::kSuccess;
}

MStatus MDagPath::getAPathTo(const MObject& node, MDagPath& path) {
  OmbrixHost::Node* n = Access::node(node);
  if (!n || !n->dag)
    return MStatus::kInvalidParameter;
  auto paths = scene().allPaths(n);
  if (paths.empty())
    return MStatus::kFailure;
  path = Access::makePath(paths[0]);
  return MStatus::kSuccess;
}

MStatus MDagPath::getAllPathsTo(const MObject& node, MDagPathArray& paths) {
  paths.clear();
  OmbrixHost::Node* n = Access::node(node);
  if (!n || !n->dag)
    return MStatus::kInvalidParameter;
  for (auto& chain : scene().allPaths(n))
    paths.append(Access::makePath(chain));
  return MStatus::kSuccess;
}
