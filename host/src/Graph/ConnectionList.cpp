#include "ConnectionList.h"

#include "ArrayIndices.h"

#include <algorithm>
#include <iterator>

namespace OmbrixHost {
namespace {

std::vector<int> keyOf(const PlugRef& plug) {
  return normalizedIndices(plug.attr, chainDepth(plug.attr), plug.indices);
}

}  // namespace

bool samePlug(const PlugRef& a, const PlugRef& b) {
  if (a.node != b.node || a.attr != b.attr)
    return false;
  const std::size_t depth = chainDepth(a.attr);
  return normalizedIndices(a.attr, depth, a.indices) == normalizedIndices(b.attr, depth, b.indices);
}

const ConnectionList::Entries* ConnectionList::entriesOf(const PlugRef& local) const {
  auto byAttr = byPlug_.find(local.attr);
  if (byAttr == byPlug_.end())
    return nullptr;
  auto found = byAttr->second.find(keyOf(local));
  return found == byAttr->second.end() ? nullptr : &found->second;
}

ConnectionList::Entries& ConnectionList::entriesFor(const PlugRef& local) {
  return byPlug_[local.attr][keyOf(local)];
}

void ConnectionList::add(Connection c) {
  list_.push_back(std::move(c));
  entriesFor(list_.back().local).push_back(std::prev(list_.end()));
  if (list_.back().outgoing)
    outgoing_.push_back(std::prev(list_.end()));
}

ConnectionList::const_iterator ConnectionList::find(bool outgoing, const PlugRef& local, const PlugRef& remote) const {
  if (const Entries* entries = entriesOf(local))
    for (const auto& at : *entries)
      if (at->outgoing == outgoing && samePlug(at->remote, remote))
        return at;
  return list_.end();
}

void ConnectionList::unindex(List::iterator at) {
  if (at->outgoing) {
    auto listed = std::find(outgoing_.begin(), outgoing_.end(), at);
    if (listed != outgoing_.end())
      outgoing_.erase(listed);
  }
  auto byAttr = byPlug_.find(at->local.attr);
  if (byAttr == byPlug_.end())
    return;
  auto found = byAttr->second.find(keyOf(at->local));
  if (found == byAttr->second.end())
    return;
  Entries& entries = found->second;
  entries.erase(std::remove(entries.begin(), entries.end(), at), entries.end());
  if (entries.empty())
    byAttr->second.erase(found);
  if (byAttr->second.empty())
    byPlug_.erase(byAttr);
}

void ConnectionList::erase(const_iterator at) {
  const List::iterator mutableAt = list_.erase(at, at);  // the same element, writable
  unindex(mutableAt);
  list_.erase(mutableAt);
}

void ConnectionList::clear() {
  list_.clear();
  byPlug_.clear();
  outgoing_.clear();
}

void ConnectionList::reindexOutgoing() {
  outgoing_.clear();
  for (auto it = list_.begin(); it != list_.end(); ++it)
    if (it->outgoing)
      outgoing_.push_back(it);
}

void ConnectionList::moveLastTo(std::size_t at) {
  if (list_.empty() || at + 1 >= list_.size())
    return;
  const List::iterator moved = std::prev(list_.end());
  list_.splice(std::next(list_.begin(), static_cast<std::ptrdiff_t>(at)), list_, moved);
  Entries& entries = entriesFor(moved->local);
  entries.clear();
  for (auto it = list_.begin(); it != list_.end(); ++it)
    if (samePlug(it->local, moved->local))
      entries.push_back(it);
  if (moved->outgoing)
    reindexOutgoing();
}

std::vector<PlugRef> ConnectionList::remotesOf(const PlugRef& local, bool asDst, bool asSrc) const {
  std::vector<PlugRef> out;
  if (!local.attr)
    return out;
  if (const Entries* entries = entriesOf(local))
    for (const auto& at : *entries)
      if (at->outgoing ? asSrc : asDst)
        out.push_back(at->remote);
  return out;
}

void ConnectionList::appendIndices(const PlugRef& array, std::vector<int>& out) const {
  if (!array.attr->array)
    return;
  const std::vector<int> above = indicesAbove(array.attr, array.indices);
  forEachEntryUnder(byPlug_, array.attr, [&](const ByIndices& plugs) { appendIndicesUnder(plugs, above, out); });
}

int ConnectionList::lastIndex(const PlugRef& array) const {
  int last = -1;
  if (!array.attr->array)
    return last;
  const std::vector<int> above = indicesAbove(array.attr, array.indices);
  forEachEntryUnder(byPlug_, array.attr,
                    [&](const ByIndices& plugs) { last = std::max(last, lastIndexUnder(plugs, above)); });
  return last;
}

}  // namespace OmbrixHost
