#pragma once
// Numbered pixel formats and the conversion of pixel runs between them.
//
// Every format with a layout unpacks to four components r, g, b, a in 0..1
// (missing ones keep 0, 0, 0, 1) and packs from them: 8-bit fields scale by
// 255, 16-bit fields by 65535, truncating toward zero and clamping.
//
// 4-byte RGBA words: 184 is the u32 0xRRGGBBAA (bytes a, b, g, r) and 185 the
// u32 0xAABBGGRR (bytes r, g, b, a), both for reading and for writing.
#include <cstdint>

enum PixelFormatCode : int {
  kPixelARGB32 = 100,     // u32 0xAARRGGBB: bytes b, g, r, a
  kPixel110 = 110,        // 1 byte, no layout
  kPixelGrey8 = 120,      // grey byte
  kPixelGreyS16 = 121,    // grey, signed 16-bit / 4095
  kPixelGreyU16 = 122,    // grey, unsigned 16-bit / 65535
  kPixel123 = 123,        // 4 bytes, no layout
  kPixelGreyF32 = 124,    // grey, one f32
  kPixelGB8 = 140,        // bytes g, b
  kPixelGB12 = 141,       // two signed 16-bit values g, b / 4095
  kPixelBGRA8X16 = 142,   // bytes b, g, r, a, then a u16 extra value
  kPixelRGBF32 = 160,     // three f32
  kPixelRGBAF32 = 161,    // four f32
  kPixel162 = 162,        // 20 bytes, no layout
  kPixel180 = 180,        // 2 bytes, no layout
  kPixel181 = 181,        // 2 bytes, no layout
  kPixelRGB8 = 182,       // bytes r, g, b
  kPixelBGR8 = 183,       // bytes b, g, r
  kPixelRGBA32 = 184,     // u32 0xRRGGBBAA
  kPixelABGR32 = 185,     // u32 0xAABBGGRR
  kPixelRGB16 = 186,      // three u16 r, g, b
  kPixelARGB16 = 187,     // four u16 a, r, g, b
  kPixelIndex8 = 190,     // palette index, 8-bit
  kPixelIndex16 = 191,    // palette index, 16-bit
};

struct PixelColor {
  double r = 0.0, g = 0.0, b = 0.0, a = 1.0;
};

// Bytes per pixel; 0 for codes that name no format.
int BytesPerPixel(int format);

// One pixel to and from r, g, b, a. Formats without a per-pixel rule
// (123, 162, 180, 181, 190, 191, 110) unpack to (0, 0, 0, 1), pack nothing
// and succeed; unknown codes fail.
bool UnpackPixel(int format, const uint8_t* pixel, PixelColor& color);
bool PackPixel(int format, const PixelColor& color, uint8_t* pixel);

// Converts count pixels. False when a pointer is null or count is negative;
// a pair that cannot be converted reports "This can't possibly work!\n".
bool ConvertPixels(int fromFormat, const void* source, int toFormat, void* destination,
                   int count);
