#pragma once
// Maya saves a long array in blocks, and names its size and data type on the
// first block only:
//   setAttr -s 645 -ch 2580 ".fc[0:499]" -type "polyFaces" ...;
//   setAttr ".fc[500:644]" ...;
// While a scene loads, ArrayBlocks remembers per array of a node what its
// blocks declared and which elements they gave, so that a later block takes
// the type of the first and a block that contradicts the others is refused.
// It knows nothing of text: any reader that gives values by blocks can use it.
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>

namespace OmbrixHost {

class ArrayBlocks {
public:
  // `budget`: no array can have more elements than this (the size of the file).
  explicit ArrayBlocks(std::uint64_t budget) : budget_(budget) {}

  // The size a statement declares (-s), alone or with the array's first
  // block; given after elements of the array, it is not held against them.
  bool declare(std::uint64_t node, const std::string& array, long long size, std::string& error);
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
  bool admit(std::uint64_t node, const std::string& array, std::string& type, Block& block, std::string& error);
  // The declared size, -1 when none was.
  long long declaredSize(std::uint64_t node, const std::string& array) const;

private:
  struct Array {
    std::string type;
    long long size = -1;
    long long count = 0;                 // elements given
    std::map<long long, long long> given;  // first element -> last, of runs given
  };
  bool overlaps(const Array& a, long long lo, long long hi) const;
  bool endsRun(const Array& a, long long element) const;
  void record(Array& a, long long lo, long long hi);

  struct KeyHash {
    std::size_t operator()(const std::pair<std::uint64_t, std::string>& key) const {
      return std::hash<std::string>()(key.second) ^ std::hash<std::uint64_t>()(key.first) * 0x9e3779b97f4a7c15ull;
    }
  };

  std::uint64_t budget_;
  std::unordered_map<std::pair<std::uint64_t, std::string>, Array, KeyHash> arrays_;
};

}  // namespace OmbrixHost
