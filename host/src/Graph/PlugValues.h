#pragma once
// The stored values of one node's plugs, by attribute and logical indices.
// A number at an element of an attribute with one array on its chain (the
// children of a compound array such as newUV[i].faceId) goes to a dense
// table per attribute: an assignment per face-vertex costs no allocation.
// A number at an element of an attribute with two arrays on its chain (a
// skinCluster's weightList[v].weights[j]) goes to a row per outer index,
// ordered by the inner one. Everything else is kept as a whole Value under
// its chain of indices.
#include "AttrDef.h"
#include "Value.h"

#include <cstdint>
#include <functional>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

namespace OmbrixHost {

class PlugValues {
public:
  // `indices` runs along the attribute's chain from its root; positions that
  // are no array, or are missing or negative, count as "no index".
  void set(const AttrDef* attr, const std::vector<int>& indices, Value value);
  void setNumber(const AttrDef* attr, const std::vector<int>& indices, double number);
  // Forgets the value the plug holds, if any.
  void erase(const AttrDef* attr, const std::vector<int>& indices);
  // The stored value; kind kNone when there is none.
  Value get(const AttrDef* attr, const std::vector<int>& indices) const;
  // The stored number, or `fallback` when the plug holds no number.
  double number(const AttrDef* attr, const std::vector<int>& indices, double fallback) const;
  // Appends the logical indices in use at `arrayAttr` (an array attribute)
  // by values of it or of its descendants whose indices above it equal
  // `indices`: ascending per attribute, so an index can come more than once.
  // The time grows with the indices found, not with the values held.
  void appendIndices(const AttrDef* arrayAttr, const std::vector<int>& indices, std::vector<int>& out) const;
  // The largest of those indices; -1 when there is none.
  int lastIndex(const AttrDef* arrayAttr, const std::vector<int>& indices) const;
  // Every stored value with its attribute and indices (one per chain position,
  // -1 where there is none), in no particular order.
  void forEach(const std::function<void(const AttrDef*, const std::vector<int>&, const Value&)>& visit) const;
  bool empty() const { return byAttr_.empty(); }

private:
  using Row = std::vector<std::pair<int, double>>;  // inner index, number; ascending
  struct AttrValues {
    std::vector<double> dense;             // by the one array index
    std::vector<std::uint8_t> present;     // 1 where dense holds a value
    std::size_t denseCount = 0;
    std::vector<Row> rows;                 // by the outer array index
    std::size_t rowCount = 0;              // rows holding a number
    std::size_t rowNumbers = 0;            // numbers the rows hold
    std::map<std::vector<int>, Value> keyed;  // normalized indices
    bool empty() const { return keyed.empty() && denseCount == 0 && rowNumbers == 0; }
  };
  // The entries of the attributes set last, for runs of assignments to a
  // few attributes (the children of a compound array filled element by
  // element). Map entries keep their address until erased; a copy or a move
  // starts without them.
  struct RecentAttrs {
    static constexpr unsigned kSize = 4;
    const AttrDef* attr[kSize] = {};
    AttrValues* values[kSize] = {};
    unsigned next = 0;
    RecentAttrs() = default;
    RecentAttrs(const RecentAttrs&) {}
    RecentAttrs(RecentAttrs&& other) noexcept { other.reset(); }
    RecentAttrs& operator=(const RecentAttrs&) { return reset(); }
    RecentAttrs& operator=(RecentAttrs&& other) noexcept {
      other.reset();
      return reset();
    }
    RecentAttrs& reset() {
      for (unsigned i = 0; i < kSize; ++i)
        forget(i);
      return *this;
    }
    void forget(unsigned i) {
      attr[i] = nullptr;
      values[i] = nullptr;
    }
  };
  AttrValues& valuesFor(const AttrDef* attr);
  // The indices an array plug (`above`: its indices above the array) has in
  // the dense table or the rows of `attr`'s values, and the last of them.
  static const Row* tableIndices(const AttrDef* attr, const AttrValues& slot, const std::vector<int>& above,
                                 bool& outer);
  static void appendTableIndices(const AttrDef* attr, const AttrValues& slot, const std::vector<int>& above,
                                 std::vector<int>& out);
  static int lastTableIndex(const AttrDef* attr, const AttrValues& slot, const std::vector<int>& above);

  std::unordered_map<const AttrDef*, AttrValues> byAttr_;
  RecentAttrs recent_;
};

}  // namespace OmbrixHost
