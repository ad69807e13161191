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
#include <utility>

namespace OmbrixHost {

class ArrayBlocks {
public:
  // `budget`: no array can have more elements than this (the size of the file).
  explicit ArrayBlocks(std::uint64_t budget) : budget_(budget) {}

  // The size a statement declares (-s), alone or with the array's first
  // block; given after elements of the array, it is not held against them.
  bool declare(std::uint64_t node, const std::string& array, long long size, std::string& error);
  // Takes the elements lo..hi. `type` is the data type the statement names,
  // "" for none; it answers the array's type. False, with the reason, for a
  // type other than the first block's and, for a block (`range`: written
  // [lo:hi]), elements given before or more than the declared size. One
  // element written alone is taken as Maya takes it: -s is a hint for it.
  bool admit(std::uint64_t node, const std::string& array, std::string& type, long long lo, long long hi, bool range,
             std::string& error);
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
  void record(Array& a, long long lo, long long hi);

  std::uint64_t budget_;
  std::map<std::pair<std::uint64_t, std::string>, Array> arrays_;
};

}  // namespace OmbrixHost
