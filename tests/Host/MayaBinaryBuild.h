#pragma once
// Maya Binary files built chunk by chunk for the tests.
#include <cstdint>
#include <cmath>
#include <cstring>
#include <string>

namespace MayaBinaryBuild {

// Big-endian fields and the chunks and groups of the IFF container, laid out
// as Maya lays them out: data padded to the width, groups unpadded.
inline std::string be(std::uint64_t v, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i)
    out += static_cast<char>((v >> (8 * i)) & 0xff);
  return out;
}
inline std::string i32(std::int64_t v) { return be(static_cast<std::uint32_t>(v), 4); }
inline std::string f64(double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, 8);
  return be(bits, 8);
}
inline std::string f32(float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, 4);
  return be(bits, 4);
}
inline std::string cstr(const std::string& s) { return s + '\0'; }

struct Iff {
  bool wide;
  std::string header(const char* tag, std::uint64_t size) const {
    return wide ? std::string(tag, 4) + std::string(4, '\0') + be(size, 8) : std::string(tag, 4) + be(size, 4);
  }
  std::string chunk(const char* tag, const std::string& data) const {
    std::string padded = data;
    padded.resize((data.size() + width() - 1) / width() * width(), '\0');
    return header(tag, data.size()) + padded;
  }
  std::string group(const char* form, const std::string& children, const char* kind = "FOR") const {
    std::string tag = std::string(kind) + (wide ? "8" : "4");
    return header(tag.c_str(), 4 + children.size()) + std::string(form, 4) + children;
  }
  std::size_t width() const { return wide ? 8 : 4; }
  // An attribute chunk: name, flags, value.
  std::string attr(const char* tag, const std::string& name, const std::string& value) const {
    return chunk(tag, cstr(name) + '\x20' + value);
  }
};

// Points, edges (bit 31: hard), faces (bit 31 reverses the edge, bits 30
// and 29 end the loop and the face), then the UV set map1.
inline std::string quadValue(std::int64_t vertexFloats = 12) {
  std::string m = i32(vertexFloats);
  for (float v : {-0.5f, 0.f, 0.5f, 0.5f, 0.f, 0.5f, -0.5f, 0.f, -0.5f, 0.5f, 0.f, -0.5f})
    m += f32(v);
  m += i32(8);
  for (std::uint32_t v : {0x80000000u, 1u, 0x80000000u, 2u, 0x80000001u, 3u, 0x80000002u, 3u})
    m += i32(v);
  m += i32(4) + i32(0) + i32(2) + i32(0x80000003u) + i32(0xe0000001u);
  m += i32(0) + i32(1) + i32(0) + cstr("map1") + i32(8);
  for (float v : {0.f, 0.f, 1.f, 0.f, 1.f, 1.f, 0.f, 1.f})
    m += f32(v);
  return m + i32(4) + i32(0) + i32(1) + i32(3) + i32(2) + std::string(20, '\0');
}

const std::string kUuid(16, '\x11');

// A quad under "box" (moved and turned), in the initial shading group;
// `references` (FRDI and FREF groups) after the header, where Maya puts them.
inline std::string boxScene(const Iff& f, const std::string& mesh, const std::string& references = "") {
  std::string head = f.chunk("VERS", "2020") + f.chunk("LUNI", "cm") + f.chunk("TUNI", "film") +
                     f.chunk("AUNI", "deg") + f.chunk("FINF", cstr("application") + cstr("maya")) +
                     f.chunk("PLUG", cstr("stereoCamera") + cstr("10.0"));
  std::string box = f.chunk("CREA", "\x8c" + cstr("box") + kUuid) + f.attr("DBL3", "t", f64(1) + f64(2) + f64(3)) +
                    f.attr("DBL3", "r", f64(0) + f64(std::acos(-1.0) / 2) + f64(0));
  std::string shape = f.chunk("CREA", "\x04" + cstr("boxShape") + cstr("box") + kUuid) +
                      f.attr("STR ", "uvst[0].uvsn", cstr("map1")) + f.attr("MESH", "o", mesh);
  std::string links = f.chunk("CWFL", "\x01" + cstr("boxShape.iog") + cstr(":initialShadingGroup.dsm"));
  return f.group("Maya", f.group("HEAD", head) + references + f.group("XFRM", box) + f.group("DMSH", shape) +
                             f.group("CONS", f.group("CONN", links), "LIS"));
}

}  // namespace MayaBinaryBuild
