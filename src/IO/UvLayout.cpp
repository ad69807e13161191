#include "IO/UvLayout.h"
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

void AppendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  const auto* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

UvLayout::UvLayout(int size)
    : size_(std::min(std::max(size, 1), kMaxSize)),
      pixels_(static_cast<size_t>(size_) * static_cast<size_t>(size_), kBackground) {
  const double edge = size_ - 1;
  Line(0, 0, edge, 0, kBorder);
  Line(edge, 0, edge, edge, kBorder);
  Line(edge, edge, 0, edge, kBorder);
  Line(0, edge, 0, 0, kBorder);
}

uint32_t UvLayout::GroupColour(int group) {
  return kPalette[static_cast<unsigned>(group) % 8u];
}

void UvLayout::Draw(const UvTriangle& triangle) {
  double x[3], y[3];
  const double edge = size_ - 1;
  for (int c = 0; c < 3; ++c) {
    if (!std::isfinite(triangle.u[c]) || !std::isfinite(triangle.v[c])) {
      ++leftOut_;
      return;
    }
    x[c] = triangle.u[c] * edge;
    y[c] = (1.0 - triangle.v[c]) * edge;
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
