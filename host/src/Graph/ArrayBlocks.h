#pragma once
// Maya saves a long array in blocks, and names its size and data type on the
// first block only:
//   setAttr -s 645 -ch 2580 ".fc[0:499]" -type "polyFaces" ...;
//   setAttr ".fc[500:644]" ...;
// While a scene loads, ArrayBlocks remembers per array of a node what its
// blocks declared and which elements they gave, so that a later block takes
// the type of the first and a block that contradicts the others is refused.
// It knows nothing of text: any reader that gives values by blocks can use it.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace OmbrixHost {

class ArrayBlocks {
public:
  // `budget`: no array can have more elements than this (the size of the file).
  explicit ArrayBlocks(std::uint64_t budget) : budget_(budget) {}

  // An array of a node: the attribute of the elements a statement sets (so
  // that ".nuv[0].fid" and ".nuv[0].vid" are apart), the statement's logical
  // indices along the attribute's chain (-1 where there is none) and the
  // position of the array among them.
  struct Key {
    std::uint64_t node = 0;
    const void* attr = nullptr;
    const std::vector<int>* indices = nullptr;
    std::size_t level = 0;
  };

  // The size a statement declares (-s), alone or with the array's first
  // block; given after elements of the array, it is not held against them.
  // False when the size is more than the budget.
  bool declare(const Key& array, long long size);
  // The elements lo..hi of a statement. `range`: written [lo:hi]. `rows`:
  // each element is a sparse row (".wl[0:160].w"), and Maya, cutting a long
  // run of rows between statements, may cut inside a row: the next block then
  // starts with the rest of that row under the same index. `continued`
  // answers whether this block's first row is such a rest.
  struct Block {
    long long lo = -1, hi = -1;
    bool range = false;
    bool rows = false;
    bool continued = false;
  };
  // Takes a block's elements. `type` is the data type the statement names,
  // "" for none; it answers the array's type. False, with the reason, for a
  // type other than the first block's and, for a range, elements given before
  // (but the row it continues) or more than the declared size. One element
  // written alone is taken as Maya takes it: -s is a hint for it.
  bool admit(const Key& array, std::string& type, Block& block, std::string& error);
  // The declared size, -1 when none was.
  long long declaredSize(const Key& array);

private:
  struct Array {
    long long size = -1;
    long long count = 0;     // elements given
    std::uint32_t type = 0;  // 1 + its index in types_; 0 for none
    bool used = false;       // a record of the dense table in use
  };
  // The arrays of one attribute that differ only in the index of one array
  // above them, their row (weightList[v].weights for every v; the innermost
  // indexed array above, 0 when there is none), by that index: a dense table
  // while it stays a third full, the rest by index.
  struct Group {
    std::uint64_t node = 0;
    const void* attr = nullptr;
    std::vector<int> indices;  // -1 at the array, -2 at the row
    bool operator==(const Group& other) const {
      return node == other.node && attr == other.attr && indices == other.indices;
    }
  };
  struct Rows {
    std::vector<Array> dense;
    std::size_t used = 0;
    std::map<int, Array> sparse;
    std::map<std::pair<int, long long>, long long> given;  // (row, first element) -> last, of runs given
  };
  struct GroupHash {
    std::size_t operator()(const Group& key) const {
      std::uint64_t h = key.node * 0x9e3779b97f4a7c15ull ^ reinterpret_cast<std::uintptr_t>(key.attr);
      for (int i : key.indices)
        h = (h ^ static_cast<std::uint32_t>(i)) * 0x100000001b3ull;
      return static_cast<std::size_t>(h ^ h >> 29);
    }
  };
  using Groups = std::unordered_map<Group, Rows, GroupHash>;

  // The record of an array; the statements of one attribute's arrays follow
  // each other, so the group found last is tried first.
  struct Found {
    Rows& rows;
    int row;
    Array& array;
  };
  Found arrayFor(const Key& key);
  Rows& rowsOf(const Key& key, std::size_t rowPos);
  bool overlaps(const Found& a, long long lo, long long hi) const;
  bool endsRun(const Found& a, long long element) const;
  void record(Found& a, long long lo, long long hi);
  const std::string& typeName(const Array& a) const;

  std::uint64_t budget_;
  Groups groups_;
  Groups::value_type* last_ = nullptr;  // element addresses stay while the map grows
  std::vector<std::string> types_;      // the data types blocks named
};

}  // namespace OmbrixHost
