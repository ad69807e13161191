#include "IO/TgaImageFormat.h"

#include <cstring>

#include "HvTL/LittleEndian.h"
#include "IMGLib/Canvas.h"
#include "IMGLib/PixelFormat.h"

namespace {

constexpr size_t kHeaderBytes = 18;

struct TgaHeader {
  uint8_t idLength, colorMapType, imageType;
  uint16_t mapFirst, mapLength;
  uint8_t mapEntryBits;
  uint16_t width, height;
  uint8_t bits, descriptor;
};

TgaHeader ParseHeader(const uint8_t* p) {
  return {p[0], p[1], p[2], LoadU16LE(p + 3), LoadU16LE(p + 5), p[7],
          LoadU16LE(p + 12), LoadU16LE(p + 14), p[16], p[17]};
}

// One pixel of the file to format 100 (grey to format 120's byte).
void StorePixel(const uint8_t* in, int bytes, uint8_t* out) {
  switch (bytes) {
    case 1: out[0] = in[0]; break;
    case 2: {
      const uint16_t v = LoadU16LE(in);
      out[0] = static_cast<uint8_t>((v & 0x1F) * 255 / 31);
      out[1] = static_cast<uint8_t>(((v >> 5) & 0x1F) * 255 / 31);
      out[2] = static_cast<uint8_t>(((v >> 10) & 0x1F) * 255 / 31);
      out[3] = 255;
      break;
    }
    case 3: std::memcpy(out, in, 3); out[3] = 255; break;
    default: std::memcpy(out, in, 4); break;
  }
}

// Decodes pixel data (raw or run-length) into `pixels` of `count` pixels.
bool ReadPixels(const uint8_t* data, size_t size, size_t at, bool rle, int bytes, int outBytes,
                uint64_t count, uint8_t* pixels) {
  uint64_t done = 0;
  while (done < count) {
    size_t run = 1;
    bool repeat = false;
    if (rle) {
      if (at >= size) return false;
      const uint8_t packet = data[at++];
      run = (packet & 0x7F) + 1u;
      repeat = (packet & 0x80) != 0;
    } else {
      run = static_cast<size_t>(count - done);
    }
    if (run > count - done) return false;
    const size_t needed = (repeat ? 1 : run) * static_cast<size_t>(bytes);
    if (needed > size - at) return false;
    for (size_t i = 0; i < run; ++i) {
      StorePixel(data + at + (repeat ? 0 : i * static_cast<size_t>(bytes)), bytes,
                 pixels + (done + i) * static_cast<uint64_t>(outBytes));
    }
    at += needed;
    done += run;
  }
  return true;
}

}  // namespace

bool TgaImageFormat::Decode(const uint8_t* data, size_t size, HvImage& image) const {
  if (data == nullptr || size < kHeaderBytes) return false;
  const TgaHeader h = ParseHeader(data);
  const bool grey = h.imageType == 3 || h.imageType == 11;
  const bool colour = h.imageType == 2 || h.imageType == 10;
  if (!(grey || colour) || h.colorMapType > 1 || h.width == 0 || h.height == 0) return false;
  if (grey ? h.bits != 8 : (h.bits != 15 && h.bits != 16 && h.bits != 24 && h.bits != 32))
    return false;
  const int bytes = (h.bits + 7) / 8;
  const size_t mapBytes = h.colorMapType == 1
                              ? static_cast<size_t>(h.mapLength) * ((h.mapEntryBits + 7u) / 8u)
                              : 0;
  const size_t at = kHeaderBytes + h.idLength + mapBytes;
  if (at > size) return false;
  const uint64_t count = static_cast<uint64_t>(h.width) * h.height;
  // Refuse sizes the data could not describe before allocating anything: a
  // run-length packet covers at most 128 pixels.
  const bool rle = h.imageType >= 9;
  const uint64_t left = size - at;
  const uint64_t least = rle ? (count + 127) / 128 * (1u + static_cast<unsigned>(bytes))
                             : count * static_cast<unsigned>(bytes);
  if (least > left || count > kMaxImagePixels) return false;
  const int format = grey ? kPixelGrey8 : kPixelARGB32;
  if (!image.SetFormat(h.width, h.height, format)) return false;
  if (!ReadPixels(data, size, at, rle, bytes, grey ? 1 : 4, count, image.Data())) {
    image.Release();
    return false;
  }
  if ((h.descriptor & 0x20) == 0) {  // bottom row first: flip
    const size_t stride = static_cast<size_t>(image.Stride());
    std::vector<uint8_t> row(stride);
    for (int top = 0, bottom = h.height - 1; top < bottom; ++top, --bottom) {
      std::memcpy(row.data(), image.PixelAddress(0, top), stride);
      std::memcpy(image.PixelAddress(0, top), image.PixelAddress(0, bottom), stride);
      std::memcpy(image.PixelAddress(0, bottom), row.data(), stride);
    }
  }
  return true;
}

bool TgaImageFormat::Encode(const HvImage& image, std::vector<uint8_t>& out) const {
  if (image.Data() == nullptr || image.Width() > 0xFFFF || image.Height() > 0xFFFF) return false;
  const HvImage* source = &image;
  HvImage converted;
  if (image.Format() != kPixelARGB32) {
    if (!converted.SetFormat(image.Width(), image.Height(), kPixelARGB32)) return false;
    Canvas canvas(converted);
    if (!canvas.Draw(image, 0, 0)) return false;
    source = &converted;
  }
  out.assign(kHeaderBytes, 0);
  out[2] = 2;  // uncompressed true colour
  StoreU16LE(&out[12], static_cast<uint32_t>(image.Width()));
  StoreU16LE(&out[14], static_cast<uint32_t>(image.Height()));
  out[16] = 32;
  out[17] = 0x28;  // 8 alpha bits, top row first
  const uint8_t* pixels = source->Data();
  out.insert(out.end(), pixels, pixels + static_cast<size_t>(source->Stride()) * source->Height());
  return true;
}
