#pragma once
// The picture of a UV layout: one outline per triangle, a colour per group,
// on a white square that spans u and v from 0 to 1 (v upwards), with the
// unit square's border in grey. A layout that leaves the square is drawn
// over the UV tiles it reaches instead: their grid in grey and each tile's
// number (1001, 1002, ...) in its corner. Written as PNG through stb's writer.
#include <cstdint>
#include <string>
#include <vector>

#include "Math/UvTiles.h"

struct UvTriangle {
  float u[3], v[3];
  int group;
};

class UvLayout {
 public:
  static constexpr int kMaxSize = 8192;
  // The most tiles drawn across: a layout reaching further is clipped.
  static constexpr int kMaxTiles = 10;
  static constexpr uint32_t kBackground = 0xFFFFFFFFu;  // RGBA bytes in memory order
  static constexpr uint32_t kBorder = 0xFFC0C0C0u;

  // size x size pixels (clamped to 1 .. kMaxSize).
  explicit UvLayout(int size);
  // Over the tiles u.first..u.last by v.first..v.last (square: the longer
  // side decides, at most kMaxTiles tiles from the first).
  UvLayout(int size, const TileSpan& u, const TileSpan& v);
  // The tiles a set of triangles reaches (finite UVs only); the 0-1 square
  // when there are none.
  static void TilesOf(const std::vector<UvTriangle>& triangles, TileSpan& u, TileSpan& v);
  int TilesAcross() const { return tiles_; }

  // Edges outside the square are clipped; a triangle with a non-finite
  // coordinate is left out (and counted).
  void Draw(const UvTriangle& triangle);
  int LeftOut() const { return leftOut_; }
  int Size() const { return size_; }
  // The colour of a group's outlines: 8 colours in turn.
  static uint32_t GroupColour(int group);
  // Pixels in memory order, row 0 at the top: R, G, B, A bytes.
  const std::vector<uint32_t>& Pixels() const { return pixels_; }
  bool WritePng(const char* path, std::string& error) const;

 private:
  void Line(double x0, double y0, double x1, double y1, uint32_t colour);
  void Plot(int x, int y, uint32_t colour);
  void TileGrid();
  void Digits(const std::string& text, int x, int y, int scale, uint32_t colour);
  double X(double u) const;
  double Y(double v) const;

  int size_;
  int leftOut_ = 0;
  int64_t firstU_ = 0;
  int64_t firstV_ = 0;
  int tiles_ = 1;
  std::vector<uint32_t> pixels_;
};
