#pragma once
// The picture of a UV layout: one outline per triangle, a colour per group,
// on a white square that spans u and v from 0 to 1 (v upwards), with the
// unit square's border in grey. Written as PNG through stb's writer.
#include <cstdint>
#include <string>
#include <vector>

struct UvTriangle {
  float u[3], v[3];
  int group;
};

class UvLayout {
 public:
  static constexpr int kMaxSize = 8192;
  static constexpr uint32_t kBackground = 0xFFFFFFFFu;  // RGBA bytes in memory order
  static constexpr uint32_t kBorder = 0xFFC0C0C0u;

  // size x size pixels (clamped to 1 .. kMaxSize).
  explicit UvLayout(int size);

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

  int size_;
  int leftOut_ = 0;
  std::vector<uint32_t> pixels_;
};
