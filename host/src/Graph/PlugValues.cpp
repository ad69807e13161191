#include "PlugValues.h"

#include "ArrayIndices.h"

#include <algorithm>

namespace OmbrixHost {
namespace {

// Where an attribute's chain has its arrays: depth, how many, the last one's
// position and the one's above it.
struct ChainShape {
  std::size_t depth = 0;
  int arrays = 0;
  std::size_t arrayPos = 0;
  std::size_t outerPos = 0;
};

ChainShape shapeOf(const AttrDef* attr) {
  ChainShape s;
  for (const AttrDef* a = attr; a; a = a->parent)
    ++s.depth;
  std::size_t pos = s.depth;
  for (const AttrDef* a = attr; a; a = a->parent) {
    --pos;
    if (a->array) {
      if (s.arrays == 0)
        s.arrayPos = pos;
      else if (s.arrays == 1)
        s.outerPos = pos;
      ++s.arrays;
    }
  }
  return s;
}

int indexAt(const std::vector<int>& indices, std::size_t pos) {
  return pos < indices.size() && indices[pos] >= 0 ? indices[pos] : -1;
}

// The dense element of a plug: its one array index, or -1.
int denseIndex(const ChainShape& s, const std::vector<int>& indices) {
  return s.arrays == 1 ? indexAt(indices, s.arrayPos) : -1;
}

// The row element of a plug: its outer and inner array indices; false when
// its chain has not exactly two arrays or an index is missing.
bool rowElement(const ChainShape& s, const std::vector<int>& indices, int& outer, int& inner) {
  if (s.arrays != 2)
    return false;
  outer = indexAt(indices, s.outerPos);
  inner = indexAt(indices, s.arrayPos);
  return outer >= 0 && inner >= 0;
}

// The dense table grows only while it stays at least a third full, so that
// scattered large indices cannot make it huge; the rows likewise.
constexpr std::size_t kDenseSlack = 65536;

bool withinSlack(std::size_t at, std::size_t size, std::size_t used) {
  return at < size || at < 2 * used + kDenseSlack;
}

template <class Row>
auto entryOf(Row& row, int inner) {
  return std::lower_bound(row.begin(), row.end(), inner,
                          [](const std::pair<int, double>& e, int i) { return e.first < i; });
}

}  // namespace

PlugValues::AttrValues& PlugValues::valuesFor(const AttrDef* attr) {
  for (unsigned i = 0; i < RecentAttrs::kSize; ++i)
    if (recent_.attr[i] == attr)
      return *recent_.values[i];
  const unsigned i = recent_.next;
  recent_.next = (i + 1) % RecentAttrs::kSize;
  recent_.values[i] = &byAttr_[attr];
  recent_.attr[i] = attr;
  return *recent_.values[i];
}

namespace {

// Drops the number the dense table or the rows hold for the plug, if any.
template <class Slot>
void forgetTableElement(Slot& slot, const ChainShape& shape, const std::vector<int>& indices) {
  const int element = denseIndex(shape, indices);
  const std::size_t at = static_cast<std::size_t>(element);
  if (element >= 0 && at < slot.present.size() && slot.present[at]) {
    slot.present[at] = 0;
    --slot.denseCount;
  }
  int outer = -1, inner = -1;
  if (!rowElement(shape, indices, outer, inner) || static_cast<std::size_t>(outer) >= slot.rows.size())
    return;
  auto& row = slot.rows[static_cast<std::size_t>(outer)];
  auto found = entryOf(row, inner);
  if (found == row.end() || found->first != inner)
    return;
  row.erase(found);
  --slot.rowNumbers;
  slot.rowCount -= row.empty() ? 1 : 0;
}

// Stores the number in the dense table or the rows; false when neither takes the plug.
template <class Slot>
bool putTableNumber(Slot& slot, const ChainShape& shape, const std::vector<int>& indices, double number) {
  const int element = denseIndex(shape, indices);
  int outer = -1, inner = -1;
  if (element >= 0) {
    const std::size_t at = static_cast<std::size_t>(element);
    if (!withinSlack(at, slot.present.size(), slot.denseCount))
      return false;
    if (at >= slot.present.size()) {
      const std::size_t size = std::max(at + 1, slot.present.size() + slot.present.size() / 2);
      slot.present.resize(size, 0);
      slot.dense.resize(size, 0.0);
    }
    slot.denseCount += slot.present[at] ? 0 : 1;
    slot.present[at] = 1;
    slot.dense[at] = number;
    return true;
  }
  if (!rowElement(shape, indices, outer, inner))
    return false;
  const std::size_t at = static_cast<std::size_t>(outer);
  if (!withinSlack(at, slot.rows.size(), slot.rowCount))
    return false;
  if (at >= slot.rows.size())
    slot.rows.resize(std::max(at + 1, slot.rows.size() + slot.rows.size() / 2));
  auto& row = slot.rows[at];
  auto found = entryOf(row, inner);
  if (found != row.end() && found->first == inner) {
    found->second = number;
    return true;
  }
  slot.rowCount += row.empty() ? 1 : 0;
  ++slot.rowNumbers;
  row.insert(found, {inner, number});
  return true;
}

// The number the dense table or the rows hold for the plug.
template <class Slot>
bool tableNumber(const Slot& slot, const ChainShape& shape, const std::vector<int>& indices, double& number) {
  const int element = denseIndex(shape, indices);
  const std::size_t at = static_cast<std::size_t>(element);
  if (element >= 0 && at < slot.present.size() && slot.present[at]) {
    number = slot.dense[at];
    return true;
  }
  int outer = -1, inner = -1;
  if (!rowElement(shape, indices, outer, inner) || static_cast<std::size_t>(outer) >= slot.rows.size())
    return false;
  const auto& row = slot.rows[static_cast<std::size_t>(outer)];
  auto found = entryOf(row, inner);
  if (found == row.end() || found->first != inner)
    return false;
  number = found->second;
  return true;
}

}  // namespace

void PlugValues::set(const AttrDef* attr, const std::vector<int>& indices, Value value) {
  if (value.kind == Value::kNumber) {
    setNumber(attr, indices, value.number);
    return;
  }
  const ChainShape shape = shapeOf(attr);
  AttrValues& slot = valuesFor(attr);
  forgetTableElement(slot, shape, indices);
  slot.keyed[normalizedIndices(attr, shape.depth, indices)] = std::move(value);
}

void PlugValues::erase(const AttrDef* attr, const std::vector<int>& indices) {
  auto found = byAttr_.find(attr);
  if (found == byAttr_.end())
    return;
  const ChainShape shape = shapeOf(attr);
  AttrValues& slot = found->second;
  forgetTableElement(slot, shape, indices);
  slot.keyed.erase(normalizedIndices(attr, shape.depth, indices));
  if (slot.empty()) {
    for (unsigned i = 0; i < RecentAttrs::kSize; ++i)
      if (recent_.attr[i] == attr)
        recent_.forget(i);
    byAttr_.erase(found);
  }
}

void PlugValues::setNumber(const AttrDef* attr, const std::vector<int>& indices, double number) {
  const ChainShape shape = shapeOf(attr);
  AttrValues& slot = valuesFor(attr);
  const bool inTable = putTableNumber(slot, shape, indices, number);
  if (inTable && !slot.keyed.empty())
    slot.keyed.erase(normalizedIndices(attr, shape.depth, indices));
  else if (!inTable)
    slot.keyed[normalizedIndices(attr, shape.depth, indices)] = Value::ofNumber(number);
}

Value PlugValues::get(const AttrDef* attr, const std::vector<int>& indices) const {
  auto it = byAttr_.find(attr);
  if (it == byAttr_.end())
    return Value();
  const AttrValues& slot = it->second;
  const ChainShape shape = shapeOf(attr);
  double n = 0.0;
  if (tableNumber(slot, shape, indices, n))
    return Value::ofNumber(n);
  auto found = slot.keyed.find(normalizedIndices(attr, shape.depth, indices));
  return found == slot.keyed.end() ? Value() : found->second;
}

double PlugValues::number(const AttrDef* attr, const std::vector<int>& indices, double fallback) const {
  auto it = byAttr_.find(attr);
  if (it == byAttr_.end())
    return fallback;
  const AttrValues& slot = it->second;
  const ChainShape shape = shapeOf(attr);
  double n = 0.0;
  if (tableNumber(slot, shape, indices, n))
    return n;
  if (slot.keyed.empty())
    return fallback;
  auto found = slot.keyed.find(normalizedIndices(attr, shape.depth, indices));
  return found != slot.keyed.end() && found->second.kind == Value::kNumber ? found->second.number : fallback;
}

// Dense values: the attribute's one array is the array asked about, with
// nothing indexed above it. Rows: the array asked about is the outer one
// (`above` ends before it) or the inner one (`above` names the row).
const PlugValues::Row* PlugValues::tableIndices(const AttrDef* attr, const AttrValues& slot,
                                                const std::vector<int>& above, bool& outer) {
  outer = false;
  if (slot.rowNumbers == 0)
    return nullptr;
  const ChainShape shape = shapeOf(attr);
  outer = above.size() == shape.outerPos;
  const int row = indexAt(above, shape.outerPos);
  if (outer || above.size() != shape.arrayPos || row < 0 || static_cast<std::size_t>(row) >= slot.rows.size())
    return nullptr;
  return &slot.rows[static_cast<std::size_t>(row)];
}

void PlugValues::appendTableIndices(const AttrDef* attr, const AttrValues& slot, const std::vector<int>& above,
                                    std::vector<int>& out) {
  for (std::size_t i = 0; i < slot.present.size(); ++i)
    if (slot.present[i])
      out.push_back(static_cast<int>(i));
  bool outer = false;
  const Row* row = tableIndices(attr, slot, above, outer);
  for (std::size_t i = 0; outer && i < slot.rows.size(); ++i)
    if (!slot.rows[i].empty())
      out.push_back(static_cast<int>(i));
  for (std::size_t i = 0; row && i < row->size(); ++i)
    out.push_back((*row)[i].first);
}

int PlugValues::lastTableIndex(const AttrDef* attr, const AttrValues& slot, const std::vector<int>& above) {
  int last = -1;
  for (std::size_t i = slot.present.size(); i > 0 && last < 0; --i)
    if (slot.present[i - 1])
      last = static_cast<int>(i) - 1;
  bool outer = false;
  const Row* row = tableIndices(attr, slot, above, outer);
  for (std::size_t i = slot.rows.size(); outer && i > 0; --i)
    if (!slot.rows[i - 1].empty())
      return std::max(last, static_cast<int>(i) - 1);
  return row && !row->empty() ? std::max(last, row->back().first) : last;
}

void PlugValues::appendIndices(const AttrDef* arrayAttr, const std::vector<int>& indices,
                               std::vector<int>& out) const {
  if (!arrayAttr->array)
    return;
  const std::vector<int> above = indicesAbove(arrayAttr, indices);
  forEachAttrUnder(arrayAttr, [&](const AttrDef* attr) {
    auto found = byAttr_.find(attr);
    if (found == byAttr_.end())
      return;
    appendTableIndices(attr, found->second, above, out);
    appendIndicesUnder(found->second.keyed, above, out);
  });
}

int PlugValues::lastIndex(const AttrDef* arrayAttr, const std::vector<int>& indices) const {
  int last = -1;
  if (!arrayAttr->array)
    return last;
  const std::vector<int> above = indicesAbove(arrayAttr, indices);
  forEachAttrUnder(arrayAttr, [&](const AttrDef* attr) {
    auto found = byAttr_.find(attr);
    if (found == byAttr_.end())
      return;
    last = std::max(last, lastTableIndex(attr, found->second, above));
    last = std::max(last, lastIndexUnder(found->second.keyed, above));
  });
  return last;
}

void PlugValues::forEach(
    const std::function<void(const AttrDef*, const std::vector<int>&, const Value&)>& visit) const {
  for (const auto& [attr, slot] : byAttr_) {
    const ChainShape shape = shapeOf(attr);
    std::vector<int> indices(shape.depth, -1);
    for (std::size_t i = 0; i < slot.present.size(); ++i)
      if (slot.present[i]) {
        indices[shape.arrayPos] = static_cast<int>(i);
        visit(attr, indices, Value::ofNumber(slot.dense[i]));
      }
    for (std::size_t i = 0; i < slot.rows.size(); ++i)
      for (const auto& [inner, n] : slot.rows[i]) {
        indices[shape.outerPos] = static_cast<int>(i);
        indices[shape.arrayPos] = inner;
        visit(attr, indices, Value::ofNumber(n));
      }
    for (const auto& kv : slot.keyed)
      visit(attr, kv.first, kv.second);
  }
}

}  // namespace OmbrixHost
