#pragma once
// UV tiles: the unit squares [i, i+1] x [j, j+1] of UV space, numbered as
// tiled textures name them: 1001 + i + 10 * j for i from 0 to 9 and j >= 0.
// The painter paints one tile, the 0-1 square (1001).
#include <cstdint>
#include <set>
#include <string>

// The tile number of tile (i, j), 0 for a tile with no number (i outside 0..9,
// j negative or past 999).
int32_t uvTileNumber(int64_t i, int64_t j);

// The tile range [first, last] a span of coordinates lies in: a coordinate
// on a tile's upper edge still belongs to the tile below it, so that a face
// from 0 to 1 lies in tile 0.
struct TileSpan {
  int64_t first = 0;
  int64_t last = 0;
};
TileSpan tileSpan(double low, double high);

// The faces of one mesh looked at for the painter's single tile.
class UvTileCheck {
 public:
  // One face's corner UVs (v as Maya gives it: upwards); non-finite UVs are
  // ignored.
  void AddFace(const float* u, const float* v, int count);
  bool Outside() const { return outside_; }
  int CrossingFaces() const { return crossing_; }
  // "", or one line naming what the painter will not paint: UVs outside the
  // 0-1 square with the tiles they reach, faces across tile borders.
  std::string Problem() const;

 private:
  bool outside_ = false;
  int crossing_ = 0;
  std::set<int32_t> tiles_;
  bool unnumbered_ = false;
};
