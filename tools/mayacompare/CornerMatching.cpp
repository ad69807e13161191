#include "CornerMatching.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace {

// Keys are bucketed by the hash of their grid cell; cells whose hashes
// collide just share a bucket. Cells past this many from the origin are one
// cell: far out, where no key of a real mesh lies, the grid just gets coarse.
const double kMaxCell = 1e15;

struct Cell {
  int64_t c[3] = {0, 0, 0};
};

// Where a key lies in cells along one axis (a NaN, which pairs with nothing, at 0).
double cellPlace(double value, double size) {
  return std::isnan(value) ? 0.0 : std::clamp(value / size, -kMaxCell, kMaxCell);
}

Cell cellOf(const double* key, int spatial, double size) {
  Cell cell;
  for (int d = 0; d < spatial; ++d) cell.c[d] = static_cast<int64_t>(std::floor(cellPlace(key[d], size)));
  return cell;
}

uint64_t hashOf(const Cell& cell) {
  uint64_t h = 0x9E3779B97F4A7C15ull;
  for (int64_t c : cell.c) {
    h = (h ^ static_cast<uint64_t>(c)) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 29;
  }
  return h;
}

double distanceSquared(const double* a, const double* b, int from, int to) {
  double sum = 0;
  for (int d = from; d < to; ++d) sum += (a[d] - b[d]) * (a[d] - b[d]);
  return sum;
}

class CornerGrid {
public:
  CornerGrid(const CornerKeys& keys, const CornerTolerance& tolerance) : keys_(keys), tolerance_(tolerance) {
    cells_.reserve(keys.count());
    for (std::size_t i = 0; i < keys.count(); ++i) cells_.push_back({hashOf(cellOf(keys.key(i), keys.spatial, size())), i});
    std::sort(cells_.begin(), cells_.end());
    taken_.assign(keys.count(), false);
    indexCells();
  }

  // Takes the unpaired key nearest to `key` within tolerance; false when
  // there is none. A cell is kCellTolerances tolerances wide, so the keys
  // within reach lie in the key's cell and, along an axis where the key is
  // within a tolerance of its cell's side, in the neighbour on that side.
  bool take(const double* key) {
    const Cell home = cellOf(key, keys_.spatial, size());
    int toward[3] = {0, 0, 0};
    for (int d = 0; d < keys_.spatial; ++d) {
      const double inCell = (cellPlace(key[d], size()) - static_cast<double>(home.c[d])) * kCellTolerances;
      toward[d] = inCell <= 1 ? -1 : inCell >= kCellTolerances - 1 ? 1 : 0;
    }
    std::size_t bestKey = taken_.size();
    double best = std::numeric_limits<double>::infinity();
    for (int corner = 0; corner < (1 << keys_.spatial); ++corner) {
      Cell next = home;
      bool beside = true;
      for (int d = 0; d < keys_.spatial; ++d)
        if (corner >> d & 1) {
          next.c[d] += toward[d];
          beside = beside && toward[d] != 0;
        }
      if (!beside) continue;
      const uint64_t hash = hashOf(next);
      for (std::size_t at = firstOf(hash); at < cells_.size() && cells_[at].first == hash; ++at) {
        const std::size_t candidate = cells_[at].second;
        const double d = taken_[candidate] ? best : within(key, keys_.key(candidate));
        if (d < best) best = d, bestKey = candidate;
      }
    }
    if (bestKey == taken_.size()) return false;
    taken_[bestKey] = true;
    return true;
  }

private:
  // An open-addressing table from a cell's hash to its first place in cells_.
  void indexCells() {
    std::size_t size = 16;
    shift_ = 60;
    while (size < 2 * cells_.size()) size *= 2, --shift_;
    firsts_.assign(size, kEmpty);
    for (std::size_t i = 0; i < cells_.size(); ++i)
      if (i == 0 || cells_[i].first != cells_[i - 1].first) {
        std::size_t slot = home(cells_[i].first);
        while (firsts_[slot] != kEmpty) slot = (slot + 1) & (size - 1);
        firsts_[slot] = i;
      }
  }

  // The slot a hash probes first, from its high bits (the low ones of near cells cluster).
  std::size_t home(uint64_t hash) const {
    return static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15ull) >> shift_);
  }

  std::size_t firstOf(uint64_t hash) const {
    const std::size_t mask = firsts_.size() - 1;
    for (std::size_t slot = home(hash); firsts_[slot] != kEmpty; slot = (slot + 1) & mask)
      if (cells_[firsts_[slot]].first == hash) return firsts_[slot];
    return cells_.size();
  }

  static constexpr std::size_t kEmpty = ~std::size_t{0};

  static constexpr double kCellTolerances = 8;
  double size() const { return kCellTolerances * tolerance_.spatial; }

  // The spatial distance (squared) when both parts are within tolerance, else infinity.
  double within(const double* a, const double* b) const {
    const double spatial = distanceSquared(a, b, 0, keys_.spatial);
    const double other = distanceSquared(a, b, keys_.spatial, keys_.dims);
    if (spatial > tolerance_.spatial * tolerance_.spatial || other > tolerance_.other * tolerance_.other)
      return std::numeric_limits<double>::infinity();
    return spatial + other;
  }

  const CornerKeys& keys_;
  CornerTolerance tolerance_;
  std::vector<std::pair<uint64_t, std::size_t>> cells_;  // each key's cell hash, sorted
  std::vector<std::size_t> firsts_;
  int shift_ = 60;  // 64 - log2(firsts_.size())
  std::vector<bool> taken_;
};

}  // namespace

std::size_t firstUnpairedCorner(const CornerKeys& ours, const CornerKeys& theirs, const CornerTolerance& tolerance) {
  CornerGrid grid(theirs, tolerance);
  for (std::size_t i = 0; i < ours.count(); ++i)
    if (!grid.take(ours.key(i))) return i;
  return ours.count();
}
