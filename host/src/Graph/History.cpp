#include "History.h"

#include <algorithm>
#include <set>
#include <string>

namespace OmbrixHost {
namespace {

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool isGroupBookkeeping(const Connection& c) {
  return startsWith(c.localKey, "instObjGroups") || startsWith(c.localKey, "compInstObjGroups");
}

// Nodes Delete History leaves alone even when they lie upstream.
bool keptByDeleteHistory(const Scene& s, const Node* n) {
  if (n->typeName == "groupId" || n->hasFn(MFn::kSet) || n->serial <= s.defaultNodes)
    return true;
  return n->dag && n->number("intermediateObject", 0.0) == 0.0;
}

bool isGeometryInput(const Connection& c) {
  return !c.outgoing && (c.localKey == "inMesh" || c.localKey == "create");
}

// Everything upstream of the shape's geometry input that Delete History may take.
std::set<Node*> upstreamOfGeometry(Node* shape) {
  Scene& s = scene();
  std::vector<Node*> order;
  std::set<Node*> found;
  for (const auto& c : shape->connections)
    if (isGeometryInput(c) && !keptByDeleteHistory(s, c.remote.node) && found.insert(c.remote.node).second)
      order.push_back(c.remote.node);
  for (std::size_t k = 0; k < order.size(); ++k)
    for (const auto& c : order[k]->connections) {
      Node* up = c.remote.node;
      if (!c.outgoing && up != shape && !keptByDeleteHistory(s, up) && found.insert(up).second)
        order.push_back(up);
    }
  return found;
}

// A node that also feeds something outside the history stays, and so does
// what feeds it.
void keepSharedNodes(Node* shape, std::set<Node*>& doomed) {
  for (bool changed = true; changed;) {
    changed = false;
    for (auto it = doomed.begin(); it != doomed.end();) {
      bool shared = false;
      for (const auto& c : (*it)->connections)
        shared = shared || (c.outgoing && c.remote.node != shape && !doomed.count(c.remote.node) &&
                            c.remote.node->typeName != "groupId");
      if (shared) {
        it = doomed.erase(it);
        changed = true;
      } else {
        ++it;
      }
    }
  }
}

}  // namespace

std::vector<Node*> listHistory(Node* start) {
  if (start->hasFn(MFn::kTransform))
    for (Node* c : start->children)
      if (c->hasFn(MFn::kShape) && c->number("intermediateObject", 0.0) == 0.0) {
        start = c;
        break;
      }
  std::vector<Node*> order{start};
  std::set<Node*> seen{start};
  for (std::size_t k = 0; k < order.size(); ++k)
    for (const auto& c : order[k]->connections) {
      if (c.outgoing || (isGroupBookkeeping(c) && c.remote.node->typeName != "groupId"))
        continue;
      if (seen.insert(c.remote.node).second)
        order.push_back(c.remote.node);
    }
  return order;
}

void deleteHistory(Node* shape) {
  std::set<Node*> doomed = upstreamOfGeometry(shape);
  keepSharedNodes(shape, doomed);
  Scene& s = scene();
  std::string error;
  for (auto& c : shape->connections.snapshot())
    if (isGeometryInput(c) && doomed.count(c.remote.node))
      s.disconnect(c.remote, c.local, error);
  std::vector<Node*> order(doomed.begin(), doomed.end());
  std::sort(order.begin(), order.end(), [](const Node* a, const Node* b) { return a->serial < b->serial; });
  for (Node* n : order)
    if (n->alive)
      s.deleteNode(n);
}

}  // namespace OmbrixHost
