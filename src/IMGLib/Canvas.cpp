#include "IMGLib/Canvas.h"

#include <algorithm>
#include <cstring>

#include "IMGLib/PixelFormat.h"

Canvas::Canvas(HvImage& target)
    : target_(target), clipX0_(0), clipY0_(0), clipX1_(target.Width()), clipY1_(target.Height()) {}

void Canvas::SetClip(int x0, int y0, int x1, int y1) {
  clipX0_ = std::max(x0, 0);
  clipY0_ = std::max(y0, 0);
  clipX1_ = std::min(x1, target_.Width());
  clipY1_ = std::min(y1, target_.Height());
}

void Canvas::SetOrigin(int x, int y) {
  originX_ = x;
  originY_ = y;
}

bool Canvas::Draw(const HvImage& source, int x, int y) {
  if (target_.Data() == nullptr || source.Data() == nullptr) return false;
  x += originX_;
  y += originY_;
  auto line = lines_.Take(kPixelARGB32, source.Width());
  if (!line) return false;
  bool ok = true;
  for (int row = 0; row < source.Height(); ++row) {
    const long long placed = static_cast<long long>(y) + row;
    const long long targetRow = bottomUp_ ? target_.Height() - 1 - placed : placed;
    if (targetRow < clipY0_ || targetRow >= clipY1_) continue;
    ok = DrawRow(source, row, static_cast<int>(targetRow), x, *line) && ok;
  }
  lines_.Give(std::move(line));
  return ok;
}

bool Canvas::DrawRow(const HvImage& source, int sourceRow, int targetRow, int x,
                     HLine& line) {
  const long long first = std::max<long long>(clipX0_, x);
  const long long last = std::min<long long>(clipX1_, static_cast<long long>(x) + source.Width());
  if (first >= last) return true;
  const int count = static_cast<int>(last - first);
  for (int i = 0; i < count; ++i)
    line.SetPixel(i, source.GetPixel(static_cast<int>(first - x) + i, sourceRow));
  uint8_t* destination = target_.PixelAddress(static_cast<int>(first), targetRow);
  if (target_.Format() == kPixelARGB32) {
    std::memcpy(destination, line.Data(), static_cast<size_t>(count) * 4);
    return true;
  }
  return ConvertPixels(kPixelARGB32, line.Data(), target_.Format(), destination, count);
}
