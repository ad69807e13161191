#include "ArrayBlocks.h"

#include <algorithm>
#include <iterator>

namespace OmbrixHost {

namespace {

// The position of a key's row: the last indexed position but the array's own; npos for none.
std::size_t rowPosition(const ArrayBlocks::Key& key) {
  const std::vector<int>& indices = *key.indices;
  for (std::size_t i = indices.size(); i > 0; --i)
    if (i - 1 != key.level && indices[i - 1] >= 0)
      return i - 1;
  return std::string::npos;
}

int groupIndex(const ArrayBlocks::Key& key, std::size_t rowPos, std::size_t i) {
  return i == key.level ? -1 : i == rowPos ? -2 : (*key.indices)[i];
}

// A dense table grows only while it stays at least a third full.
constexpr std::size_t kDenseSlack = 4096;

}  // namespace

ArrayBlocks::Rows& ArrayBlocks::rowsOf(const Key& key, std::size_t rowPos) {
  const std::vector<int>& indices = *key.indices;
  bool same = last_ && last_->first.node == key.node && last_->first.attr == key.attr &&
              last_->first.indices.size() == indices.size();
  for (std::size_t i = 0; same && i < indices.size(); ++i)
    same = last_->first.indices[i] == groupIndex(key, rowPos, i);
  if (!same) {
    Group group{key.node, key.attr, std::vector<int>(indices.size())};
    for (std::size_t i = 0; i < indices.size(); ++i)
      group.indices[i] = groupIndex(key, rowPos, i);
    last_ = &*groups_.try_emplace(std::move(group)).first;
  }
  return last_->second;
}

ArrayBlocks::Found ArrayBlocks::arrayFor(const Key& key) {
  const std::size_t rowPos = rowPosition(key);
  Rows& rows = rowsOf(key, rowPos);
  const int row = rowPos == std::string::npos ? 0 : (*key.indices)[rowPos];
  if (!rows.sparse.empty()) {
    auto found = rows.sparse.find(row);
    if (found != rows.sparse.end())
      return Found{rows, row, found->second};
  }
  const std::size_t at = static_cast<std::size_t>(row);
  if (at >= rows.dense.size() && at >= 2 * rows.used + kDenseSlack)
    return Found{rows, row, rows.sparse[row]};
  if (at >= rows.dense.size())
    rows.dense.resize(std::max(at + 1, rows.dense.size() + rows.dense.size() / 2));
  Array& a = rows.dense[at];
  rows.used += a.used ? 0 : 1;
  a.used = true;
  return Found{rows, row, a};
}

const std::string& ArrayBlocks::typeName(const Array& a) const {
  static const std::string none;
  return a.type == 0 ? none : types_[a.type - 1u];
}

bool ArrayBlocks::declare(const Key& array, long long size) {
  if (size < 0 || static_cast<std::uint64_t>(size) > budget_)
    return false;
  Array& a = arrayFor(array).array;
  // Maya names the size before any element; a size on a later block tells
  // nothing sure of the whole array, and no block is bounded by it.
  a.size = a.count == 0 ? size : -1;
  return true;
}

bool ArrayBlocks::admit(const Key& array, std::string& type, Block& block, std::string& error) {
  Found found = arrayFor(array);
  Array& a = found.array;
  if (!type.empty() && a.type != 0 && type != typeName(a)) {
    error = "the block names the type \"" + type + "\", the array's first block \"" + typeName(a) + "\"";
    return false;
  }
  auto name = [&] { return "the block [" + std::to_string(block.lo) + ":" + std::to_string(block.hi) + "]"; };
  block.continued = block.range && block.rows && endsRun(found, block.lo);
  const long long first = block.continued ? block.lo + 1 : block.lo;  // the elements new to the array
  if (block.range && overlaps(found, first, block.hi)) {
    error = name() + " gives elements an earlier block gave";
    return false;
  }
  const long long count = block.hi - first + 1;
  if (block.range && a.size >= 0 && a.count + count > a.size) {
    error = name() + " is beyond the declared size " + std::to_string(a.size);
    return false;
  }
  if (a.type == 0 && !type.empty()) {
    auto known = std::find(types_.begin(), types_.end(), type);
    a.type = static_cast<std::uint32_t>(known - types_.begin() + 1);
    if (known == types_.end())
      types_.push_back(type);
  }
  type = typeName(a);
  if (count > 0 && !overlaps(found, first, block.hi))
    record(found, first, block.hi);
  return true;
}

long long ArrayBlocks::declaredSize(const Key& array) { return arrayFor(array).array.size; }

bool ArrayBlocks::overlaps(const Found& a, long long lo, long long hi) const {
  auto after = a.rows.given.upper_bound({a.row, hi});  // the first run starting past hi
  if (after == a.rows.given.begin())
    return false;
  --after;
  return after->first.first == a.row && after->second >= lo;
}

// True when an earlier block's last element is `element`.
bool ArrayBlocks::endsRun(const Found& a, long long element) const {
  auto after = a.rows.given.upper_bound({a.row, element});
  if (after == a.rows.given.begin())
    return false;
  --after;
  return after->first.first == a.row && after->second == element;
}

// Runs that touch are joined: a file of many small blocks keeps one run.
void ArrayBlocks::record(Found& a, long long lo, long long hi) {
  auto& given = a.rows.given;
  a.array.count += hi - lo + 1;
  auto next = given.find({a.row, hi + 1});
  if (next != given.end()) {
    hi = next->second;
    given.erase(next);
  }
  auto after = given.lower_bound({a.row, lo});
  if (after != given.begin()) {
    auto before = std::prev(after);
    if (before->first.first == a.row && before->second + 1 == lo) {
      before->second = hi;
      return;
    }
  }
  given[{a.row, lo}] = hi;
}

}  // namespace OmbrixHost
