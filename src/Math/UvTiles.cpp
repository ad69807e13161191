#include "Math/UvTiles.h"

#include <algorithm>
#include <cmath>

namespace {

// Far enough that no real layout reaches it; keeps the tile index an int64.
constexpr double kTileLimit = 1e15;

int64_t floorTile(double value) {
  return static_cast<int64_t>(std::floor(std::max(-kTileLimit, std::min(kTileLimit, value))));
}

}  // namespace

int32_t uvTileNumber(int64_t i, int64_t j) {
  if (i < 0 || i > 9 || j < 0 || j > 999) return 0;
  return static_cast<int32_t>(1001 + i + 10 * j);
}

TileSpan tileSpan(double low, double high) {
  TileSpan span;
  span.first = floorTile(low);
  const int64_t top = floorTile(high);
  // A coordinate on the tile's upper edge (1.0 of tile 0) stays in the tile below.
  span.last = (static_cast<double>(top) == std::max(-kTileLimit, std::min(kTileLimit, high)) && top > span.first)
                  ? top - 1
                  : top;
  span.last = std::max(span.last, span.first);
  return span;
}

void UvTileCheck::AddFace(const float* u, const float* v, int count) {
  double lowU = 0, highU = 0, lowV = 0, highV = 0;
  bool any = false;
  for (int c = 0; c < count; ++c) {
    if (!std::isfinite(u[c]) || !std::isfinite(v[c])) continue;
    if (!any) {
      lowU = highU = u[c];
      lowV = highV = v[c];
      any = true;
    }
    lowU = std::min(lowU, double(u[c]));
    highU = std::max(highU, double(u[c]));
    lowV = std::min(lowV, double(v[c]));
    highV = std::max(highV, double(v[c]));
  }
  if (!any) return;
  const TileSpan us = tileSpan(lowU, highU);
  const TileSpan vs = tileSpan(lowV, highV);
  if (us.first != us.last || vs.first != vs.last) ++crossing_;
  if (us.first != 0 || us.last != 0 || vs.first != 0 || vs.last != 0) outside_ = true;
  // The tiles the face's corners stand in (a corner on a border counts once).
  for (const int64_t i : {us.first, us.last}) {
    for (const int64_t j : {vs.first, vs.last}) {
      const int32_t number = uvTileNumber(i, j);
      if (number == 0)
        unnumbered_ = true;
      else if (tiles_.size() < 100)
        tiles_.insert(number);
    }
  }
}

std::string UvTileCheck::Problem() const {
  if (!outside_ && crossing_ == 0) return std::string();
  std::string text;
  if (outside_) {
    std::string where;
    for (const int32_t tile : tiles_) where += (where.empty() ? "tiles " : ", ") + std::to_string(tile);
    if (unnumbered_) where += (where.empty() ? "" : " and ") + std::string("outside the numbered tiles");
    text = "UVs outside the 0-1 square (" + where + ")";
  }
  if (crossing_ > 0) {
    if (!text.empty()) text += ", ";
    text += std::to_string(crossing_) + (crossing_ == 1 ? " face across" : " faces across") + " tile borders";
  }
  return text + "; the painter paints the 0-1 square (tile 1001) only";
}
