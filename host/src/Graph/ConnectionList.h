#pragma once
// A node's connections in the order they were made, indexed by the node's
// plug, so that "what feeds this plug" and "which elements of this array are
// connected" cost what they answer, however many connections the node has
// (a shading group with every mesh of a scene among its members).
#include "AttrDef.h"

#include <cstddef>
#include <list>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace OmbrixHost {

struct Node;

// A plug: node, attribute and a logical index per array attribute of the chain.
struct PlugRef {
  Node* node = nullptr;
  const AttrDef* attr = nullptr;
  std::vector<int> indices;
  std::string key() const;
};

// The same node, attribute and logical indices.
bool samePlug(const PlugRef& a, const PlugRef& b);

struct Connection {
  std::string localKey;  // plug key on this node
  PlugRef local;
  PlugRef remote;
  bool outgoing = false;  // this node is the source
  bool builtIn = false;   // made with the nodes of a new scene
};

class ConnectionList {
  using List = std::list<Connection>;

public:
  using const_iterator = List::const_iterator;
  using const_reverse_iterator = List::const_reverse_iterator;

  ConnectionList() = default;
  ConnectionList(const ConnectionList&) = delete;
  ConnectionList& operator=(const ConnectionList&) = delete;

  const_iterator begin() const { return list_.begin(); }
  const_iterator end() const { return list_.end(); }
  const_reverse_iterator rbegin() const { return list_.rbegin(); }
  const_reverse_iterator rend() const { return list_.rend(); }
  std::size_t size() const { return list_.size(); }
  bool empty() const { return list_.empty(); }
  // The connection made last, for its flags.
  Connection& back() { return list_.back(); }
  std::vector<Connection> snapshot() const { return std::vector<Connection>(list_.begin(), list_.end()); }
  // Whether this node is the source of any connection, and a visit of those
  // connections in the order made: as many steps as there are, however many
  // connections feed the node (a set with every mesh among its members).
  bool anyOutgoing() const { return !outgoing_.empty(); }
  template <typename Visit>
  void forEachOutgoing(Visit visit) const {
    for (const auto& at : outgoing_)
      visit(*at);
  }

  void add(Connection c);
  // The connection of `local` with `remote` in the direction given; end() when there is none.
  const_iterator find(bool outgoing, const PlugRef& local, const PlugRef& remote) const;
  void erase(const_iterator at);
  void clear();
  // Moves the connection made last to position `at`, as an undo puts one back.
  void moveLastTo(std::size_t at);

  // The plugs at the other end of `local`'s connections, in the order made:
  // its sources when asDst, its destinations when asSrc.
  std::vector<PlugRef> remotesOf(const PlugRef& local, bool asDst, bool asSrc) const;
  // The indices of `array` (an array plug) whose elements, or plugs below
  // them, are connected: ascending per attribute, an index possibly more than once.
  void appendIndices(const PlugRef& array, std::vector<int>& out) const;
  // The largest of those indices; -1 when there is none.
  int lastIndex(const PlugRef& array) const;

private:
  using Entries = std::vector<List::iterator>;  // in the list's order
  using ByIndices = std::map<std::vector<int>, Entries>;
  const Entries* entriesOf(const PlugRef& local) const;
  Entries& entriesFor(const PlugRef& local);
  void unindex(List::iterator at);

  void reindexOutgoing();

  List list_;
  std::unordered_map<const AttrDef*, ByIndices> byPlug_;
  Entries outgoing_;  // the connections whose source this node is, in the list's order
};

}  // namespace OmbrixHost
