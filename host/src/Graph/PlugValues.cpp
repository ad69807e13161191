#include "PlugValues.h"

#include "ArrayIndices.h"

#include <algorithm>

namespace OmbrixHost {
namespace {

// Where an attribute's chain has its arrays: depth, how many, the last one's position.
struct ChainShape {
  std::size_t depth = 0;
  int arrays = 0;
  std::size_t arrayPos = 0;
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

// The dense table grows only while it stays at least a third full, so that
// scattered large indices cannot make it huge.
constexpr std::size_t kDenseSlack = 65536;

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

void PlugValues::set(const AttrDef* attr, const std::vector<int>& indices, Value value) {
  if (value.kind == Value::kNumber) {
    setNumber(attr, indices, value.number);
    return;
  }
  const ChainShape shape = shapeOf(attr);
  AttrValues& slot = valuesFor(attr);
  const int element = denseIndex(shape, indices);
  const std::size_t at = static_cast<std::size_t>(element);
  if (element >= 0 && at < slot.present.size() && slot.present[at]) {
    slot.present[at] = 0;
    --slot.denseCount;
  }
  slot.keyed[normalizedIndices(attr, shape.depth, indices)] = std::move(value);
}

void PlugValues::erase(const AttrDef* attr, const std::vector<int>& indices) {
  auto found = byAttr_.find(attr);
  if (found == byAttr_.end())
    return;
  const ChainShape shape = shapeOf(attr);
  AttrValues& slot = found->second;
  const int element = denseIndex(shape, indices);
  const std::size_t at = static_cast<std::size_t>(element);
  if (element >= 0 && at < slot.present.size() && slot.present[at]) {
    slot.present[at] = 0;
    --slot.denseCount;
  }
  slot.keyed.erase(normalizedIndices(attr, shape.depth, indices));
  if (slot.keyed.empty() && slot.denseCount == 0) {
    for (unsigned i = 0; i < RecentAttrs::kSize; ++i)
      if (recent_.attr[i] == attr)
        recent_.forget(i);
    byAttr_.erase(found);
  }
}

void PlugValues::setNumber(const AttrDef* attr, const std::vector<int>& indices, double number) {
  const ChainShape shape = shapeOf(attr);
  AttrValues& slot = valuesFor(attr);
  const int element = denseIndex(shape, indices);
  const std::size_t at = static_cast<std::size_t>(element);
  if (element < 0 || (at >= slot.present.size() && at >= 2 * slot.denseCount + kDenseSlack)) {
    slot.keyed[normalizedIndices(attr, shape.depth, indices)] = Value::ofNumber(number);
    return;
  }
  if (!slot.keyed.empty())
    slot.keyed.erase(normalizedIndices(attr, shape.depth, indices));
  if (at >= slot.present.size()) {
    const std::size_t size = std::max(at + 1, slot.present.size() + slot.present.size() / 2);
    slot.present.resize(size, 0);
    slot.dense.resize(size, 0.0);
  }
  slot.denseCount += slot.present[at] ? 0 : 1;
  slot.present[at] = 1;
  slot.dense[at] = number;
}

Value PlugValues::get(const AttrDef* attr, const std::vector<int>& indices) const {
  auto it = byAttr_.find(attr);
  if (it == byAttr_.end())
    return Value();
  const AttrValues& slot = it->second;
  const ChainShape shape = shapeOf(attr);
  const int element = denseIndex(shape, indices);
  const std::size_t at = static_cast<std::size_t>(element);
  if (element >= 0 && at < slot.present.size() && slot.present[at])
    return Value::ofNumber(slot.dense[at]);
  auto found = slot.keyed.find(normalizedIndices(attr, shape.depth, indices));
  return found == slot.keyed.end() ? Value() : found->second;
}

double PlugValues::number(const AttrDef* attr, const std::vector<int>& indices, double fallback) const {
  auto it = byAttr_.find(attr);
  if (it == byAttr_.end())
    return fallback;
  const AttrValues& slot = it->second;
  const ChainShape shape = shapeOf(attr);
  const int element = denseIndex(shape, indices);
  const std::size_t at = static_cast<std::size_t>(element);
  if (element >= 0 && at < slot.present.size() && slot.present[at])
    return slot.dense[at];
  if (slot.keyed.empty())
    return fallback;
  auto found = slot.keyed.find(normalizedIndices(attr, shape.depth, indices));
  return found != slot.keyed.end() && found->second.kind == Value::kNumber ? found->second.number : fallback;
}

void PlugValues::appendIndices(const AttrDef* arrayAttr, const std::vector<int>& indices,
                               std::vector<int>& out) const {
  if (!arrayAttr->array)
    return;
  const std::vector<int> above = indicesAbove(arrayAttr, indices);
  forEachEntryUnder(byAttr_, arrayAttr, [&](const AttrValues& slot) {
    // Dense values: the attribute's one array is arrayAttr, with nothing indexed above it.
    for (std::size_t i = 0; i < slot.present.size(); ++i)
      if (slot.present[i])
        out.push_back(static_cast<int>(i));
    appendIndicesUnder(slot.keyed, above, out);
  });
}

int PlugValues::lastIndex(const AttrDef* arrayAttr, const std::vector<int>& indices) const {
  int last = -1;
  if (!arrayAttr->array)
    return last;
  const std::vector<int> above = indicesAbove(arrayAttr, indices);
  forEachEntryUnder(byAttr_, arrayAttr, [&](const AttrValues& slot) {
    for (std::size_t i = slot.present.size(); i > 0 && static_cast<int>(i) - 1 > last; --i)
      if (slot.present[i - 1])
        last = static_cast<int>(i) - 1;
    last = std::max(last, lastIndexUnder(slot.keyed, above));
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
    for (const auto& kv : slot.keyed)
      visit(attr, kv.first, kv.second);
  }
}

}  // namespace OmbrixHost
