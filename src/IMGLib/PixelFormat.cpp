#include "IMGLib/PixelFormat.h"

#include <cmath>
#include <cstring>

#include "Diagnostics/ReportDiagnostic.h"
#include "HvTL/LittleEndian.h"

namespace {

// value x scale, truncated toward zero and clamped to [lo, hi]; NaN gives 0
// (or lo when 0 lies below the range).
long Quantise(double value, double scale, long lo, long hi) {
  const double scaled = std::trunc(value * scale);
  if (std::isnan(scaled)) return lo > 0 ? lo : 0;
  if (scaled <= static_cast<double>(lo)) return lo;
  if (scaled >= static_cast<double>(hi)) return hi;
  return static_cast<long>(scaled);
}

uint8_t To8(double value) { return static_cast<uint8_t>(Quantise(value, 255.0, 0, 255)); }
uint32_t To16(double value) { return static_cast<uint32_t>(Quantise(value, 65535.0, 0, 65535)); }
double From8(uint8_t value) { return value / 255.0; }
double From16(uint32_t value) { return value / 65535.0; }
double Mean(const PixelColor& c) { return (c.r + c.g + c.b) / 3.0; }

void SetGrey(PixelColor& c, double grey) { c.r = c.g = c.b = grey; }

// Byte order of the r, g, b, a fields of the 4-byte formats, lowest address first.
struct ByteOrder {
  int r, g, b, a;
};
constexpr ByteOrder kOrder100{2, 1, 0, 3};
constexpr ByteOrder kOrder184{3, 2, 1, 0};
constexpr ByteOrder kOrder185{0, 1, 2, 3};
constexpr ByteOrder kOrder142{2, 1, 0, 3};

void Unpack4(const uint8_t* p, ByteOrder o, PixelColor& c) {
  c.r = From8(p[o.r]);
  c.g = From8(p[o.g]);
  c.b = From8(p[o.b]);
  c.a = From8(p[o.a]);
}

void Pack4(const PixelColor& c, ByteOrder o, uint8_t* p) {
  p[o.r] = To8(c.r);
  p[o.g] = To8(c.g);
  p[o.b] = To8(c.b);
  p[o.a] = To8(c.a);
}

bool HasNoLayout(int format) {
  switch (format) {
    case kPixel110: case kPixel123: case kPixel162: case kPixel180: case kPixel181:
    case kPixelIndex8: case kPixelIndex16:
      return true;
    default:
      return false;
  }
}

}  // namespace

int BytesPerPixel(int format) {
  switch (format) {
    case kPixel110: case kPixelGrey8: case kPixelIndex8:
      return 1;
    case kPixelGreyS16: case kPixelGreyU16: case kPixelGB8: case kPixel180: case kPixel181:
    case kPixelIndex16:
      return 2;
    case kPixelRGB8: case kPixelBGR8:
      return 3;
    case kPixelARGB32: case kPixel123: case kPixelGreyF32: case kPixelGB12:
    case kPixelRGBA32: case kPixelABGR32:
      return 4;
    case kPixelBGRA8X16: case kPixelRGB16:
      return 6;
    case kPixelARGB16:
      return 8;
    case kPixelRGBF32:
      return 12;
    case kPixelRGBAF32:
      return 16;
    case kPixel162:
      return 20;
    default:
      return 0;
  }
}

bool UnpackPixel(int format, const uint8_t* p, PixelColor& c) {
  c = PixelColor();
  if (HasNoLayout(format)) return true;
  switch (format) {
    case kPixelARGB32: Unpack4(p, kOrder100, c); return true;
    case kPixelRGBA32: Unpack4(p, kOrder184, c); return true;
    case kPixelABGR32: Unpack4(p, kOrder185, c); return true;
    case kPixelBGRA8X16: Unpack4(p, kOrder142, c); return true;
    case kPixelGrey8: SetGrey(c, From8(p[0])); return true;
    case kPixelGreyS16: SetGrey(c, static_cast<int16_t>(LoadU16LE(p)) / 4095.0); return true;
    case kPixelGreyU16: SetGrey(c, From16(LoadU16LE(p))); return true;
    case kPixelGreyF32: SetGrey(c, LoadF32LE(p)); return true;
    case kPixelGB8:
      c.g = From8(p[0]);
      c.b = From8(p[1]);
      return true;
    case kPixelGB12:
      ReportDiagnostic("Bad!");
      c.g = static_cast<int16_t>(LoadU16LE(p)) / 4095.0;
      c.b = static_cast<int16_t>(LoadU16LE(p + 2)) / 4095.0;
      return true;
    case kPixelRGBF32:
    case kPixelRGBAF32:
      c.r = LoadF32LE(p);
      c.g = LoadF32LE(p + 4);
      c.b = LoadF32LE(p + 8);
      if (format == kPixelRGBAF32) c.a = LoadF32LE(p + 12);
      return true;
    case kPixelRGB8:
    case kPixelBGR8: {
      const bool rgb = format == kPixelRGB8;
      c.r = From8(p[rgb ? 0 : 2]);
      c.g = From8(p[1]);
      c.b = From8(p[rgb ? 2 : 0]);
      return true;
    }
    case kPixelRGB16:
      c.r = From16(LoadU16LE(p));
      c.g = From16(LoadU16LE(p + 2));
      c.b = From16(LoadU16LE(p + 4));
      return true;
    case kPixelARGB16:
      c.a = From16(LoadU16LE(p));
      c.r = From16(LoadU16LE(p + 2));
      c.g = From16(LoadU16LE(p + 4));
      c.b = From16(LoadU16LE(p + 6));
      return true;
    default:
      return false;
  }
}

bool PackPixel(int format, const PixelColor& c, uint8_t* p) {
  if (HasNoLayout(format)) return true;
  switch (format) {
    case kPixelARGB32: Pack4(c, kOrder100, p); return true;
    case kPixelRGBA32: Pack4(c, kOrder184, p); return true;
    case kPixelABGR32: Pack4(c, kOrder185, p); return true;
    case kPixelBGRA8X16:
      Pack4(c, kOrder142, p);
      StoreU16LE(p + 4, 0);
      return true;
    case kPixelGrey8: p[0] = To8(Mean(c)); return true;
    case kPixelGreyS16:
      StoreU16LE(p, static_cast<uint32_t>(Quantise(Mean(c), 4095.0, -32768, 32767)));
      return true;
    case kPixelGreyU16: StoreU16LE(p, To16(Mean(c))); return true;
    case kPixelGreyF32: StoreF32LE(p, static_cast<float>(Mean(c))); return true;
    case kPixelGB8:
      p[0] = To8(c.g);
      p[1] = To8(c.b);
      return true;
    case kPixelGB12:
      StoreU16LE(p, static_cast<uint32_t>(Quantise(c.g, 4095.0, -32768, 32767)));
      StoreU16LE(p + 2, static_cast<uint32_t>(Quantise(c.b, 4095.0, -32768, 32767)));
      return true;
    case kPixelRGBF32:
    case kPixelRGBAF32:
      StoreF32LE(p, static_cast<float>(c.r));
      StoreF32LE(p + 4, static_cast<float>(c.g));
      StoreF32LE(p + 8, static_cast<float>(c.b));
      if (format == kPixelRGBAF32) StoreF32LE(p + 12, static_cast<float>(c.a));
      return true;
    case kPixelRGB8:
    case kPixelBGR8: {
      const bool rgb = format == kPixelRGB8;
      p[rgb ? 0 : 2] = To8(c.r);
      p[1] = To8(c.g);
      p[rgb ? 2 : 0] = To8(c.b);
      return true;
    }
    case kPixelRGB16:
      StoreU16LE(p, To16(c.r));
      StoreU16LE(p + 2, To16(c.g));
      StoreU16LE(p + 4, To16(c.b));
      return true;
    case kPixelARGB16:
      StoreU16LE(p, To16(c.a));
      StoreU16LE(p + 2, To16(c.r));
      StoreU16LE(p + 4, To16(c.g));
      StoreU16LE(p + 6, To16(c.b));
      return true;
    default:
      return false;
  }
}

bool ConvertPixels(int fromFormat, const void* source, int toFormat, void* destination,
                   int count) {
  if (source == nullptr || destination == nullptr || count < 0) return false;
  const int fromBytes = BytesPerPixel(fromFormat);
  const int toBytes = BytesPerPixel(toFormat);
  if (fromBytes == 0 || toBytes == 0) {
    ReportDiagnostic("This can't possibly work!\n");
    return false;
  }
  const auto* from = static_cast<const uint8_t*>(source);
  auto* to = static_cast<uint8_t*>(destination);
  if (fromFormat == toFormat) {
    std::memmove(to, from, static_cast<size_t>(count) * static_cast<size_t>(fromBytes));
    return true;
  }
  PixelColor color;
  for (int i = 0; i < count; ++i, from += fromBytes, to += toBytes) {
    UnpackPixel(fromFormat, from, color);
    PackPixel(toFormat, color, to);
  }
  return true;
}
