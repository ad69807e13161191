#include "IO/UvLayout.h"
#include "Math/PainterFrame.h"
#include "Platform/FileSystem.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace {

// Colours as RGBA bytes in memory order (little-endian words 0xAABBGGRR).
constexpr uint32_t kPalette[8] = {0xFFD04010u, 0xFF2080E0u, 0xFF30A030u, 0xFF2020C0u,
                                  0xFFA030A0u, 0xFF0090C0u, 0xFF606060u, 0xFF80A000u};

// Liang-Barsky: clips the segment to [lo, hi] in both axes; false when
// nothing of it is left.
bool Clip(double& x0, double& y0, double& x1, double& y1, double lo, double hi) {
  double t0 = 0.0, t1 = 1.0;
  const double dx = x1 - x0, dy = y1 - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - lo, hi - x0, y0 - lo, hi - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  x1 = x0 + t1 * dx;
  y1 = y0 + t1 * dy;
  x0 = x0 + t0 * dx;
  y0 = y0 + t0 * dy;
  return true;
}

// 3 x 5 pixel digits, one row per entry, the high bit leftmost.
constexpr uint8_t kDigits[10][5] = {{7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7},
                                    {5, 5, 7, 1, 1}, {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1},
                                    {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};
constexpr uint32_t kTileNumber = 0xFF808080u;

void AppendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  const auto* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

UvLayout::UvLayout(int size) : UvLayout(size, TileSpan(), TileSpan()) {}

UvLayout::UvLayout(int size, const TileSpan& u, const TileSpan& v)
    : size_(std::min(std::max(size, 1), kMaxSize)),
      pixels_(static_cast<size_t>(size_) * static_cast<size_t>(size_), kBackground) {
  firstU_ = u.first;
  firstV_ = v.first;
  const int64_t across = std::max(u.last - u.first, v.last - v.first) + 1;
  tiles_ = static_cast<int>(std::min<int64_t>(std::max<int64_t>(across, 1), kMaxTiles));
  TileGrid();
}

void UvLayout::TilesOf(const std::vector<UvTriangle>& triangles, TileSpan& u, TileSpan& v) {
  bool any = false;
  double lowU = 0, highU = 1, lowV = 0, highV = 1;
  for (const UvTriangle& t : triangles) {
    for (int c = 0; c < 3; ++c) {
      if (!std::isfinite(t.u[c]) || !std::isfinite(t.v[c])) continue;
      lowU = any ? std::min(lowU, double(t.u[c])) : t.u[c];
      highU = any ? std::max(highU, double(t.u[c])) : t.u[c];
      lowV = any ? std::min(lowV, double(t.v[c])) : t.v[c];
      highV = any ? std::max(highV, double(t.v[c])) : t.v[c];
      any = true;
    }
  }
  u = any ? tileSpan(lowU, highU) : TileSpan();
  v = any ? tileSpan(lowV, highV) : TileSpan();
}

double UvLayout::X(double u) const { return (u - static_cast<double>(firstU_)) / tiles_ * (size_ - 1); }
double UvLayout::Y(double v) const { return flipV((v - static_cast<double>(firstV_)) / tiles_) * (size_ - 1); }

// The border of every tile; over more than the 0-1 square, each tile's number.
void UvLayout::TileGrid() {
  const double edge = size_ - 1;
  for (int k = 0; k <= tiles_; ++k) {
    const double at = std::min(edge, std::floor(edge * k / tiles_));
    Line(at, 0, at, edge, kBorder);
    Line(0, at, edge, at, kBorder);
  }
  if (firstU_ == 0 && firstV_ == 0 && tiles_ == 1) return;
  const int scale = std::max(1, size_ / tiles_ / 60);
  for (int i = 0; i < tiles_; ++i) {
    for (int j = 0; j < tiles_; ++j) {
      const int32_t number = uvTileNumber(firstU_ + i, firstV_ + j);
      if (number == 0) continue;
      // In the tile's top left corner, clear of its border.
      const int x = static_cast<int>(std::lround(X(static_cast<double>(firstU_ + i)))) + 2 * scale;
      const int y = static_cast<int>(std::lround(Y(static_cast<double>(firstV_ + j + 1)))) + 2 * scale;
      Digits(std::to_string(number), x, y, scale, kTileNumber);
    }
  }
}

void UvLayout::Digits(const std::string& text, int x, int y, int scale, uint32_t colour) {
  for (size_t k = 0; k < text.size(); ++k) {
    const uint8_t* rows = kDigits[text[k] - '0'];
    for (int row = 0; row < 5; ++row) {
      for (int column = 0; column < 3; ++column) {
        if (((rows[row] >> (2 - column)) & 1u) == 0) continue;
        for (int dy = 0; dy < scale; ++dy)
          for (int dx = 0; dx < scale; ++dx)
            Plot(x + (static_cast<int>(k) * 4 + column) * scale + dx, y + row * scale + dy, colour);
      }
    }
  }
}

uint32_t UvLayout::GroupColour(int group) {
  return kPalette[static_cast<unsigned>(group) % 8u];
}

void UvLayout::Draw(const UvTriangle& triangle) {
  double x[3], y[3];
  for (int c = 0; c < 3; ++c) {
    if (!std::isfinite(triangle.u[c]) || !std::isfinite(triangle.v[c])) {
      ++leftOut_;
      return;
    }
    x[c] = X(triangle.u[c]);
    y[c] = Y(triangle.v[c]);
  }
  const uint32_t colour = GroupColour(triangle.group);
  for (int c = 0; c < 3; ++c) Line(x[c], y[c], x[(c + 1) % 3], y[(c + 1) % 3], colour);
}

void UvLayout::Line(double x0, double y0, double x1, double y1, uint32_t colour) {
  if (!Clip(x0, y0, x1, y1, 0.0, size_ - 1)) return;
  const int ix0 = static_cast<int>(std::lround(x0)), iy0 = static_cast<int>(std::lround(y0));
  const int ix1 = static_cast<int>(std::lround(x1)), iy1 = static_cast<int>(std::lround(y1));
  const int steps = std::max(std::abs(ix1 - ix0), std::abs(iy1 - iy0));
  for (int i = 0; i <= steps; ++i) {
    const double t = steps == 0 ? 0.0 : double(i) / steps;
    Plot(static_cast<int>(std::lround(ix0 + t * (ix1 - ix0))),
         static_cast<int>(std::lround(iy0 + t * (iy1 - iy0))), colour);
  }
}

void UvLayout::Plot(int x, int y, uint32_t colour) {
  if (x < 0 || y < 0 || x >= size_ || y >= size_) return;
  pixels_[static_cast<size_t>(y) * static_cast<size_t>(size_) + static_cast<size_t>(x)] = colour;
}

bool UvLayout::WritePng(const char* path, std::string& error) const {
  std::vector<uint8_t> rgba(pixels_.size() * 4);
  for (size_t i = 0; i < pixels_.size(); ++i)
    for (int b = 0; b < 4; ++b) rgba[4 * i + static_cast<size_t>(b)] = static_cast<uint8_t>(pixels_[i] >> (8 * b));
  std::vector<uint8_t> png;
  if (stbi_write_png_to_func(&AppendBytes, &png, size_, size_, 4, rgba.data(), size_ * 4) == 0) {
    error = "cannot encode the picture";
    return false;
  }
  std::FILE* file = Platform::OpenFile(path, "wb");
  if (file == nullptr) {
    error = "cannot create the file";
    return false;
  }
  const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  if (std::fclose(file) != 0 || !written) {
    error = "cannot write the file";
    return false;
  }
  return true;
}
