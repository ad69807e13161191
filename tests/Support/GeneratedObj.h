#pragma once
// Generated OBJ texts, the same on every build (integer arithmetic and
// fixed formats only): grids, an irregular mesh, a cone fan and a damaged
// mesh. Shared by the digest tests and the benchmarks.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace generated_obj {

template <typename... Values>
void Append(std::string& text, const char* format, Values... values) {
  char line[160];
  const int length = std::snprintf(line, sizeof line, format, values...);
  if (length > 0) text.append(line, static_cast<size_t>(length));
}

// A small deterministic sequence (no library distribution involved).
struct Sequence {
  uint32_t state;
  uint32_t Next() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  }
  // -range..range in steps of range / 1000.
  double Jitter(double range) { return range * (static_cast<int>(Next() % 2001) - 1000) / 1000.0; }
};

}  // namespace generated_obj

// A side x side vertex grid with heights, two triangles a cell, every
// corner with its own v/vt (and vn when `normals`) indices:
// 2 (side - 1)^2 triangles (999,698 for side 708).
inline std::string GridObj(int side, bool normals) {
  using generated_obj::Append;
  std::string text;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) Append(text, "v %d %d %g\n", x, y, ((x * 7 + y * 3) % 11) * 0.1);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) Append(text, "vt %g %g\n", x / (side - 1.0), y / (side - 1.0));
  if (normals)
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) Append(text, "vn %g %g 1\n", (x % 3) * 0.1, (y % 5) * -0.1);
  const char* corner = normals ? " %d/%d/%d" : " %d/%d";
  for (int y = 0; y + 1 < side; ++y)
    for (int x = 0; x + 1 < side; ++x) {
      const int a = y * side + x + 1, b = a + 1, c = a + side + 1, d = a + side;
      for (int triangle : {0, 1}) {
        const int second = triangle == 0 ? b : c, third = triangle == 0 ? c : d;
        text += "f";
        for (int v : {a, second, third}) {
          if (normals)
            Append(text, corner, v, v, v);
          else
            Append(text, corner, v, v);
        }
        text += "\n";
      }
    }
  return text;
}

// Jittered positions, random diagonals, positions only, two groups and
// alternating materials by row: 2 (side - 1)^2 triangles.
inline std::string IrregularObj(int side) {
  using generated_obj::Append;
  generated_obj::Sequence random{12345};
  std::string text;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      Append(text, "v %.9g %d %.9g\n", x + random.Jitter(0.25), y, random.Jitter(0.3));
  for (int y = 0; y + 1 < side; ++y) {
    if (y == 0) text += "g first\n";
    if (y == side / 2) text += "g second\n";
    text += y % 3 == 0 ? "usemtl red\n" : "usemtl blue\n";
    for (int x = 0; x + 1 < side; ++x) {
      const int a = y * side + x + 1, b = a + 1, c = a + side + 1, d = a + side;
      if (random.Next() & 1)
        Append(text, "f %d %d %d\nf %d %d %d\n", a, b, d, b, c, d);
      else
        Append(text, "f %d %d %d\nf %d %d %d\n", a, b, c, a, c, d);
    }
  }
  return text;
}

// A cone: `segments` triangles around one apex (more than a corner-normal
// walk crosses) and the base as one polygon.
inline std::string ConeObj(int segments) {
  using generated_obj::Append;
  std::string text = "v 0 0 1\n";
  for (int i = 0; i < segments; ++i) {
    const double angle = 6.283185307179586 * i / segments;
    Append(text, "v %.6f %.6f 0\n", std::round(std::cos(angle) * 1e6) / 1e6,
           std::round(std::sin(angle) * 1e6) / 1e6);
  }
  for (int i = 0; i < segments; ++i) Append(text, "f 1 %d %d\n", i + 2, (i + 1) % segments + 2);
  text += "f";
  for (int i = segments - 1; i >= 0; --i) Append(text, " %d", i + 2);
  text += "\n";
  return text;
}

// One edge shared by `sharing` triangles of both windings, then degenerate
// polygons: repeated corners, a collinear triangle, a triangle given twice,
// an index beyond the positions, a quad folded onto itself.
inline std::string DamagedObj(int sharing) {
  using generated_obj::Append;
  std::string text = "v 0 0 0\nv 1 0 0\nv 2 0 0\nv 0 1 0\nv 1 1 0\n";
  for (int i = 0; i < sharing; ++i)
    Append(text, "v 0.5 %d %d\n", (i * 37) % 101 - 50, (i * 53) % 97 - 48);
  for (int i = 0; i < sharing; ++i) Append(text, i % 2 ? "f 1 2 %d\n" : "f 2 1 %d\n", i + 6);
  text += "f 1 1 2\nf 1 2 3\nf 1 2 4\nf 1 2 4\nf 2 5 4\nf 1 2 99999\nf 1 4 1 5\nf 4 5 4 5\n";
  return text;
}
