#pragma once
// Union-find over 0..n-1, the lower root becoming the root of a join.
#include <algorithm>
#include <cstddef>
#include <numeric>
#include <vector>

namespace OmbrixHost {

class DisjointSets {
public:
  explicit DisjointSets(std::size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0); }
  std::size_t find(std::size_t i) {
    while (parent_[i] != i)
      i = parent_[i] = parent_[parent_[i]];
    return i;
  }
  // The lower root becomes the root of both.
  void join(std::size_t a, std::size_t b) {
    a = find(a);
    b = find(b);
    if (a != b)
      parent_[std::max(a, b)] = std::min(a, b);
  }

private:
  std::vector<std::size_t> parent_;
};

}  // namespace OmbrixHost
