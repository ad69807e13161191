#pragma once
// Plugs as the host's stores key them, and the questions asked of an array
// plug ("which indices", "which is the last"), answered by seeking in an
// ordered map rather than by walking it: the time grows with the answer,
// not with the number of elements the attribute holds.
#include "AttrDef.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <functional>
#include <map>
#include <vector>

namespace OmbrixHost {

// How many attributes the chain from the root down to `attr` has.
std::size_t chainDepth(const AttrDef* attr);

// One entry per attribute of the chain: the logical index on an array that
// has one, -1 elsewhere. `depth` is chainDepth(attr).
std::vector<int> normalizedIndices(const AttrDef* attr, std::size_t depth, const std::vector<int>& indices);

// Calls `visit` on `attr` and on every attribute below it.
void forEachAttrUnder(const AttrDef* attr, const std::function<void(const AttrDef*)>& visit);

// An array plug as a key prefix: its normalized indices above the array
// (the array's own position is not part of it).
std::vector<int> indicesAbove(const AttrDef* arrayAttr, const std::vector<int>& indices);

// Calls `visit` on what `byAttr` (a map from attribute) holds for `attr` and
// for every attribute below it.
template <class ByAttr, class Visit>
void forEachEntryUnder(const ByAttr& byAttr, const AttrDef* attr, Visit visit) {
  forEachAttrUnder(attr, [&](const AttrDef* a) {
    auto found = byAttr.find(a);
    if (found != byAttr.end())
      visit(found->second);
  });
}

namespace detail {
inline bool startsWith(const std::vector<int>& key, const std::vector<int>& prefix, std::size_t length) {
  if (key.size() < length)
    return false;
  for (std::size_t i = 0; i < length; ++i)
    if (key[i] != prefix[i])
      return false;
  return true;
}
}  // namespace detail

// Appends the distinct indices at position above.size() of the keys that
// begin with `above`, ascending; one seek per index found.
template <class V>
void appendIndicesUnder(const std::map<std::vector<int>, V>& keyed, std::vector<int> above, std::vector<int>& out) {
  const std::size_t pos = above.size();
  above.push_back(0);
  auto it = keyed.lower_bound(above);
  while (it != keyed.end() && detail::startsWith(it->first, above, pos) && it->first.size() > pos) {
    const int index = it->first[pos];
    out.push_back(index);
    // An element's few entries are stepped over; past kSteps, the next index is sought.
    constexpr int kSteps = 8;
    int steps = 0;
    for (++it; it != keyed.end() && it->first.size() > pos && it->first[pos] == index && steps < kSteps; ++it)
      ++steps;
    if (steps == kSteps) {
      if (index == INT_MAX)
        break;
      above[pos] = index + 1;
      it = keyed.lower_bound(above);
    }
  }
}

// The largest index at position above.size() of the keys that begin with
// `above`; -1 when there is none.
template <class V>
int lastIndexUnder(const std::map<std::vector<int>, V>& keyed, std::vector<int> above) {
  const std::size_t pos = above.size();
  above.push_back(INT_MAX);
  auto it = keyed.lower_bound(above);
  if (it != keyed.end() && detail::startsWith(it->first, above, pos + 1))
    return INT_MAX;
  if (it == keyed.begin())
    return -1;
  --it;
  return detail::startsWith(it->first, above, pos) && it->first.size() > pos ? std::max(it->first[pos], -1) : -1;
}

}  // namespace OmbrixHost
