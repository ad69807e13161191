// The scene's DAG: parenting, the unknown transforms that adopt children,
// path names and lookup, and the transforms' matrices.
#include "Scene.h"

#include "AnimCurves.h"

#include "NodeTypes.h"
#include "SetAttr.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

namespace OmbrixHost {

bool Scene::addChild(Node* parent, Node* child, bool keepExistingParents, std::string& error) {
  if (!parent)
    parent = world_.get();
  if (!parent->dag)
    adoptAsUnknownTransform(parent);
  if (!child || !child->dag || child == world_.get() || !parent->dag) {
    error = "Only DAG objects can be parented";
    return false;
  }
  std::vector<Node*> ancestors{parent};
  std::set<Node*> seen;
  while (!ancestors.empty()) {
    Node* p = ancestors.back();
    ancestors.pop_back();
    if (p == child) {
      error = "Cannot parent an object to itself or to one of its descendants";
      return false;
    }
    if (seen.insert(p).second)
      ancestors.insert(ancestors.end(), p->parents.begin(), p->parents.end());
  }
  if (std::find(child->parents.begin(), child->parents.end(), parent) != child->parents.end()) {
    if (!keepExistingParents)
      return true;
    error = "Object is already a child of the parent";
    return false;
  }
  if (!keepExistingParents) {
    for (Node* p : child->parents) {
      auto& cs = p->children;
      cs.erase(std::remove(cs.begin(), cs.end(), child), cs.end());
    }
    child->parents.clear();
  }
  child->parents.push_back(parent);
  parent->children.push_back(child);
  dagChanged();
  edited(child);
  return true;
}

void Scene::makeUnknownTransform(Node* node) {
  node->dag = true;
  node->type = findNodeType("transform");
  node->apiType = MFn::kUnknownTransform;
}

bool Scene::adoptAsUnknownTransform(Node* node) {
  if (!node || !node->alive || node->dag || node->type || node->implied || node->serial <= defaultNodes ||
      node->typeName == "unknown")
    return false;
  makeUnknownTransform(node);
  node->parents.push_back(world_.get());
  world_->children.push_back(node);
  dagChanged();
  // Values the file gave before the node was known to be a transform (".t", ".r")
  // now reach its transform attributes; the others stay kept as written.
  std::vector<std::string> raw = std::move(node->rawSetAttrs);
  node->rawSetAttrs.clear();
  auto savedCurrent = currentNode;
  bool savedLoading = loading;
  currentNode = node->self;
  loading = true;
  for (const auto& line : raw) {
    std::string ignored;
    if (!applySetAttr(line.data(), line.data() + line.size(), ignored))
      node->rawSetAttrs.push_back(line);
  }
  currentNode = savedCurrent;
  loading = savedLoading;
  return true;
}

std::vector<DagChain> Scene::allPaths(Node* node) const {
  if (!node || node == world_.get())
    return {DagChain{}};
  if (!node->dag)
    return {};
  // Instances of instances multiply paths; beyond a few thousand a scene is
  // not one a painter can take, and the walk must not run away.
  const std::size_t kMostPaths = 4096;
  std::vector<DagChain> out;
  for (Node* p : node->parents)
    for (auto& chain : allPaths(p)) {
      if (out.size() >= kMostPaths)
        return out;
      chain.push_back(node);
      out.push_back(std::move(chain));
    }
  return out;
}

std::string Scene::fullPathName(const DagChain& chain) const {
  std::string out;
  for (Node* n : chain)
    out += "|" + n->name;
  return out;
}

static bool tailMatches(const DagChain& chain, const std::vector<std::string>& names) {
  if (chain.size() < names.size())
    return false;
  std::size_t offset = chain.size() - names.size();
  for (std::size_t i = 0; i < names.size(); ++i)
    if (chain[offset + i]->name != names[i])
      return false;
  return true;
}

int Scene::pathCount(const Node* node) const {
  if (pathCountRevision_ != dagRevision_) {
    pathCounts_.clear();
    pathCountRevision_ = dagRevision_;
  }
  // Up the single parents to a node whose count is known (the world's is 1),
  // then down again; a node of several parents adds theirs.
  std::vector<const Node*> climbed;
  int count = 0;
  for (const Node* n = node;; n = n->parents[0]) {
    auto known = pathCounts_.find(n);
    if (n == world_.get() || n->parents.empty() || known != pathCounts_.end()) {
      count = n == world_.get() ? 1 : n->parents.empty() ? 0 : known->second;
      break;
    }
    if (n->parents.size() > 1) {
      for (const Node* p : n->parents)
        count = std::min(2, count + pathCount(p));
      pathCounts_[n] = count;
      break;
    }
    climbed.push_back(n);
  }
  for (const Node* n : climbed)
    pathCounts_[n] = count;
  return count;
}

bool Scene::onlyPathByName(const Node* node) const {
  int paths = 0;
  auto range = names_.equal_range(node->name);
  for (auto it = range.first; it != range.second && paths < 2; ++it)
    paths += it->second->dag ? pathCount(it->second) : 0;
  return node->dag && paths == 1;
}

std::string Scene::partialPathName(const DagChain& chain) const {
  if (chain.empty())
    return "";
  if (onlyPathByName(chain.back()))
    return chain.back()->name;
  if (partialCacheRevision_ != dagRevision_) {
    partialCache_.clear();
    partialCacheRevision_ = dagRevision_;
  }
  std::string full = fullPathName(chain);
  auto cached = partialCache_.find(full);
  if (cached != partialCache_.end())
    return cached->second;
  std::string result = full;
  for (std::size_t k = 1; k <= chain.size(); ++k) {
    std::vector<std::string> names;
    for (std::size_t i = chain.size() - k; i < chain.size(); ++i)
      names.push_back(chain[i]->name);
    int matches = 0;
    auto range = names_.equal_range(names.back());
    for (auto it = range.first; it != range.second && matches < 2; ++it)
      for (auto& path : allPaths(it->second))
        if (tailMatches(path, names))
          ++matches;
    if (matches == 1) {
      result.clear();
      for (std::size_t i = 0; i < names.size(); ++i)
        result += (i ? "|" : "") + names[i];
      break;
    }
  }
  partialCache_[full] = result;
  return result;
}

int Scene::instanceNumber(const DagChain& chain) const {
  if (chain.empty())
    return 0;
  auto paths = allPaths(chain.back());
  for (std::size_t i = 0; i < paths.size(); ++i)
    if (paths[i] == chain)
      return static_cast<int>(i);
  return 0;
}

DagChain Scene::firstPath(Node* node) const {
  // Every DAG node of the scene has a parent, and its first parent's first
  // path comes first among its paths.
  DagChain chain;
  for (Node* n = node; n && n != world_.get() && n->dag && !n->parents.empty(); n = n->parents[0])
    chain.push_back(n);
  std::reverse(chain.begin(), chain.end());
  return chain;
}

// A name's parts between '|', each in the namespace it is read in.
static std::vector<std::string> pathParts(const Scene& scene, const std::string& name, bool& absolute) {
  std::vector<std::string> parts;
  absolute = name[0] == '|';
  std::size_t start = absolute ? 1 : 0;
  while (start <= name.size()) {
    auto bar = name.find('|', start);
    parts.push_back(name.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos)
      break;
    start = bar + 1;
  }
  // While a referenced file is read its names are in the reference's namespace.
  for (auto& p : parts)
    p = scene.loading ? scene.references.scoped(p) : (!p.empty() && p[0] == ':' ? p.substr(1) : p);
  return parts;
}

// A node named on its own stands for its first path; "|name" for the path
// of a node directly under the world.
static bool namedAlone(const Node* node, const Node* world, bool absolute) {
  return !node->dag || !absolute ||
         std::find(node->parents.begin(), node->parents.end(), world) != node->parents.end();
}

std::vector<DagChain> Scene::findPaths(const std::string& name) const {
  std::vector<DagChain> out;
  if (name.empty() || name == ":")
    return out;
  bool absolute = false;
  const std::vector<std::string> parts = pathParts(*this, name, absolute);
  auto range = names_.equal_range(parts.back());
  for (auto it = range.first; it != range.second; ++it) {
    Node* n = it->second;
    if (parts.size() == 1) {
      if (namedAlone(n, world_.get(), absolute))
        out.push_back(n->dag && !absolute ? firstPath(n) : DagChain{n});
      continue;
    }
    if (!n->dag)
      continue;
    for (auto& path : allPaths(n))
      if (tailMatches(path, parts) && (!absolute || path.size() == parts.size()))
        out.push_back(std::move(path));
  }
  return out;
}

std::vector<Node*> Scene::findNodes(const std::string& name) const {
  std::vector<Node*> out;
  if (name.empty() || name == ":")
    return out;
  bool absolute = false;
  const std::vector<std::string> parts = pathParts(*this, name, absolute);
  if (parts.size() > 1) {
    for (const DagChain& path : findPaths(name))
      out.push_back(path.back());
    return out;
  }
  auto range = names_.equal_range(parts.back());
  for (auto it = range.first; it != range.second; ++it)
    if (namedAlone(it->second, world_.get(), absolute))
      out.push_back(it->second);
  return out;
}

Node* Scene::findNode(const std::string& name) const {
  auto nodes = findNodes(name);
  return nodes.size() == 1 ? nodes[0] : nullptr;
}

// ---------------------------------------------------------------- matrices

namespace {

using M4 = double[4][4];

void identity(M4 m) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      m[r][c] = r == c ? 1.0 : 0.0;
}

void multiply(const M4 a, const M4 b, M4 out) {
  double t[4][4];
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      double s = 0.0;
      for (int k = 0; k < 4; ++k)
        s += a[r][k] * b[k][c];
      t[r][c] = s;
    }
  std::memcpy(out, t, sizeof t);
}

void translation(M4 m, double x, double y, double z) {
  identity(m);
  m[3][0] = x;
  m[3][1] = y;
  m[3][2] = z;
}

void axisRotation(M4 m, int axis, double angle) {
  identity(m);
  double c = std::cos(angle), s = std::sin(angle);
  int a = (axis + 1) % 3, b = (axis + 2) % 3;
  m[a][a] = c;
  m[a][b] = s;
  m[b][a] = -s;
  m[b][b] = c;
}

// Rotation for Maya's rotate orders; the first named axis turns first.
void rotation(M4 m, const double r[3], int order) {
  static const int orders[6][3] = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}, {0, 2, 1}, {1, 0, 2}, {2, 1, 0}};
  const int* axes = orders[order >= 0 && order < 6 ? order : 0];
  identity(m);
  for (int i = 0; i < 3; ++i) {
    double step[4][4];
    axisRotation(step, axes[i], r[axes[i]]);
    multiply(m, step, m);
  }
}

// A joint turns by its jointOrient after its rotation; with segment scale
// compensation its parent joint's scale does not reach it.
void jointOrientation(const Node* joint, M4 out) {
  double orient[3];
  for (int i = 0; i < 3; ++i)
    orient[i] = joint->number(std::string("jointOrient.jointOrient") + "XYZ"[i], 0.0);
  double step[4][4];
  rotation(step, orient, 0);
  multiply(out, step, out);
  const Node* parent = joint->parents.empty() ? nullptr : joint->parents.front();
  if (!parent || parent->typeName != "joint" || joint->number("segmentScaleCompensate", 1.0) == 0.0)
    return;
  identity(step);
  for (int i = 0; i < 3; ++i) {
    double s = parent->number(std::string("scale.scale") + "XYZ"[i], 1.0);
    step[i][i] = s != 0.0 ? 1.0 / s : 1.0;
  }
  multiply(out, step, out);
}

}  // namespace

void Scene::localMatrix(const Node* node, double out[4][4]) const {
  identity(out);
  if (!node || !node->hasFn(MFn::kTransform))
    return;
  // A plug a time-driven curve feeds holds the curve's value at the current
  // time, where the host can tell it; else its stored value.
  const bool animated = isAnimated(*node);
  const double frame = animated ? currentFrame(*this) : 0.0;
  auto get = [&](const char* key, double fallback) {
    double value = 0.0;
    return animated && animatedValue(*node, key, frame, value) ? value : node->number(key, fallback);
  };
  auto triple = [&](const std::string& base, const char* xyz, double fallback, double v[3]) {
    for (int i = 0; i < 3; ++i)
      v[i] = get((base + "." + base + xyz[i]).c_str(), fallback);
  };
  double t[3], r[3], s[3], rp[3], rpt[3], sp[3], spt[3], ra[3];
  triple("translate", "XYZ", 0.0, t);
  triple("rotate", "XYZ", 0.0, r);
  triple("scale", "XYZ", 1.0, s);
  triple("rotatePivot", "XYZ", 0.0, rp);
  triple("rotatePivotTranslate", "XYZ", 0.0, rpt);
  triple("scalePivot", "XYZ", 0.0, sp);
  triple("scalePivotTranslate", "XYZ", 0.0, spt);
  triple("rotateAxis", "XYZ", 0.0, ra);
  double sh[3] = {get("shear.shearXY", 0.0), get("shear.shearXZ", 0.0), get("shear.shearYZ", 0.0)};
  int order = static_cast<int>(get("rotateOrder", 0.0));

  double step[4][4];
  translation(out, -sp[0], -sp[1], -sp[2]);
  identity(step);
  for (int i = 0; i < 3; ++i)
    step[i][i] = s[i];
  multiply(out, step, out);
  identity(step);
  step[1][0] = sh[0];
  step[2][0] = sh[1];
  step[2][1] = sh[2];
  multiply(out, step, out);
  translation(step, sp[0] + spt[0] - rp[0], sp[1] + spt[1] - rp[1], sp[2] + spt[2] - rp[2]);
  multiply(out, step, out);
  rotation(step, ra, 0);
  multiply(out, step, out);
  rotation(step, r, order);
  multiply(out, step, out);
  if (node->typeName == "joint")
    jointOrientation(node, out);
  translation(step, rp[0] + rpt[0] + t[0], rp[1] + rpt[1] + t[1], rp[2] + rpt[2] + t[2]);
  multiply(out, step, out);
}

void Scene::inclusiveMatrix(const DagChain& chain, double out[4][4]) const {
  identity(out);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    double local[4][4];
    localMatrix(*it, local);
    multiply(out, local, out);
    // Maya 2020 and later: the offset parent matrix sits between the
    // transform's own matrix and its parent's.
    const Value offset = (*it)->hasFn(MFn::kTransform) ? (*it)->value("offsetParentMatrix") : Value();
    if (offset.numbers.size() == 16) {
      double m[4][4];
      for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
          m[r][c] = offset.numbers[static_cast<std::size_t>(4 * r + c)];
      multiply(out, m, out);
    }
  }
}

}  // namespace OmbrixHost
