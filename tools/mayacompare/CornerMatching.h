#pragma once
// Pairs two lists of keys one to one, order-independently, each pair within
// a tolerance: the corners of two meshes by their points, their UVs, or both.
// A key is `dims` numbers; the first `spatial` of them (at most 3) are a
// point compared by distance within `spatialTolerance`, the others (if any)
// a second point compared within `otherTolerance`. Keys are bucketed on a
// grid of the spatial tolerance, so the work grows with the key count.
#include <cstddef>
#include <vector>

struct CornerKeys {
  int dims = 3;
  int spatial = 3;
  std::vector<double> values;  // dims numbers per key

  std::size_t count() const { return values.size() / static_cast<std::size_t>(dims); }
  const double* key(std::size_t i) const { return &values[i * static_cast<std::size_t>(dims)]; }
};

struct CornerTolerance {
  double spatial = 0;
  double other = 0;
};

// The first key of `ours` (in order) that no unpaired key of `theirs` lies
// within tolerance of, pairing each with its nearest; ours.count() when every
// key is paired. The lists must have the same count and layout.
std::size_t firstUnpairedCorner(const CornerKeys& ours, const CornerKeys& theirs, const CornerTolerance& tolerance);
