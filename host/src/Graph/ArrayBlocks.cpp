#include "ArrayBlocks.h"

#include <iterator>

namespace OmbrixHost {

ArrayBlocks::Array& ArrayBlocks::arrayFor(const Key& key) {
  if (!last_ || !(last_->first == key))
    last_ = &*arrays_.try_emplace(key).first;
  return last_->second;
}

bool ArrayBlocks::declare(const Key& array, long long size) {
  if (size < 0 || static_cast<std::uint64_t>(size) > budget_)
    return false;
  Array& a = arrayFor(array);
  // Maya names the size before any element; a size on a later block tells
  // nothing sure of the whole array, and no block is bounded by it.
  a.size = a.count == 0 ? size : -1;
  return true;
}

bool ArrayBlocks::admit(const Key& array, std::string& type, Block& block, std::string& error) {
  Array& a = arrayFor(array);
  if (!type.empty() && !a.type.empty() && type != a.type) {
    error = "the block names the type \"" + type + "\", the array's first block \"" + a.type + "\"";
    return false;
  }
  auto name = [&] { return "the block [" + std::to_string(block.lo) + ":" + std::to_string(block.hi) + "]"; };
  block.continued = block.range && block.rows && endsRun(a, block.lo);
  const long long first = block.continued ? block.lo + 1 : block.lo;  // the elements new to the array
  if (block.range && overlaps(a, first, block.hi)) {
    error = name() + " gives elements an earlier block gave";
    return false;
  }
  const long long count = block.hi - first + 1;
  if (block.range && a.size >= 0 && a.count + count > a.size) {
    error = name() + " is beyond the declared size " + std::to_string(a.size);
    return false;
  }
  if (a.type.empty())
    a.type = type;
  type = a.type;
  if (count > 0 && !overlaps(a, first, block.hi))
    record(a, first, block.hi);
  return true;
}

long long ArrayBlocks::declaredSize(const Key& array) const {
  if (last_ && last_->first == array)
    return last_->second.size;
  auto it = arrays_.find(array);
  return it == arrays_.end() ? -1 : it->second.size;
}

bool ArrayBlocks::overlaps(const Array& a, long long lo, long long hi) const {
  auto after = a.given.upper_bound(hi);  // the first run starting past hi
  if (after == a.given.begin())
    return false;
  return std::prev(after)->second >= lo;
}

// True when an earlier block's last element is `element`.
bool ArrayBlocks::endsRun(const Array& a, long long element) const {
  auto after = a.given.upper_bound(element);
  return after != a.given.begin() && std::prev(after)->second == element;
}

// Runs that touch are joined: a file of many small blocks keeps one run.
void ArrayBlocks::record(Array& a, long long lo, long long hi) {
  a.count += hi - lo + 1;
  auto next = a.given.find(hi + 1);
  if (next != a.given.end()) {
    hi = next->second;
    a.given.erase(next);
  }
  auto after = a.given.lower_bound(lo);
  if (after != a.given.begin()) {
    auto before = std::prev(after);
    if (before->second + 1 == lo) {
      before->second = hi;
      return;
    }
  }
  a.given[lo] = hi;
}

}  // namespace OmbrixHost
