#pragma once
// A quad grid mesh written as Maya saves it: long arrays in blocks (UVs 250,
// points and edges 166, faces 500), the size on a statement of its own
// before them (the faces: on their first block) and the data type on the
// first block only.
#include <functional>
#include <sstream>
#include <string>

namespace MayaBlockScene {

struct Grid {
  int columns = 1, rows = 1;
  bool reversedBlocks = false;  // the blocks in the opposite order
  int vertices() const { return (columns + 1) * (rows + 1); }
  int edges() const { return (rows + 1) * columns + rows * (columns + 1); }
  int faces() const { return columns * rows; }
  int vertex(int r, int c) const { return r * (columns + 1) + c; }
  int across(int r, int c) const { return r * columns + c; }
  int upward(int r, int c) const { return (rows + 1) * columns + r * (columns + 1) + c; }
};

using ElementText = std::function<void(std::ostream&, int)>;

// setAttr statements for elements 0..count-1 of `attr`.
inline void writeBlocks(std::ostream& out, const Grid& g, const std::string& attr, int count, int block,
                        const char* type, const std::string& firstFlags, const ElementText& element) {
  const std::string typed = type ? std::string(" -type \"") + type + "\"" : "";
  const bool single = count <= block;
  if (!single && firstFlags.empty())
    out << "\tsetAttr -s " << count << " \"" << attr << "\";\n";
  const int blocks = (count + block - 1) / block;
  for (int k = 0; k < blocks; ++k) {
    const int b = g.reversedBlocks ? blocks - 1 - k : k;
    const int lo = b * block, hi = std::min(count, lo + block) - 1;
    out << "\tsetAttr ";
    if (single && firstFlags.empty())
      out << "-s " << count << " ";
    if (b == 0)
      out << firstFlags;
    out << "\"" << attr << "[" << lo << ":" << hi << "]\"" << (b == 0 ? typed : "");
    for (int i = lo; i <= hi; ++i) {
      out << ((i - lo) % 4 == 0 ? "\n\t\t" : " ");
      element(out, i);
    }
    out << ";\n";
  }
}

// A mesh "gridShape" under "grid": columns x rows unit quads in the XZ plane,
// one UV per vertex at (column / columns, row / rows).
inline std::string gridMesh(const Grid& g) {
  std::ostringstream out;
  out << "createNode transform -n \"grid\";\n"
      << "createNode mesh -n \"gridShape\" -p \"grid\";\n"
      << "\tsetAttr -k off \".v\";\n\tsetAttr \".vir\" yes;\n\tsetAttr \".vif\" yes;\n"
      << "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n";
  const int perRow = g.columns + 1;
  writeBlocks(out, g, ".uvst[0].uvsp", g.vertices(), 250, "float2", "", [&](std::ostream& o, int v) {
    o << static_cast<double>(v % perRow) / g.columns << " " << static_cast<double>(v / perRow) / g.rows;
  });
  out << "\tsetAttr \".cuvs\" -type \"string\" \"map1\";\n\tsetAttr \".dcc\" -type \"string\" \"Ambient+Diffuse\";\n";
  writeBlocks(out, g, ".vt", g.vertices(), 166, nullptr, "",
              [&](std::ostream& o, int v) { o << v % perRow << " 0 " << -(v / perRow); });
  writeBlocks(out, g, ".ed", g.edges(), 166, nullptr, "", [&](std::ostream& o, int e) {
    const int acrossEdges = (g.rows + 1) * g.columns;
    if (e < acrossEdges)
      o << g.vertex(e / g.columns, e % g.columns) << " " << g.vertex(e / g.columns, e % g.columns + 1) << " 0";
    else
      o << g.vertex((e - acrossEdges) / perRow, (e - acrossEdges) % perRow) << " "
        << g.vertex((e - acrossEdges) / perRow + 1, (e - acrossEdges) % perRow) << " 0";
  });
  const std::string faceFlags =
      "-s " + std::to_string(g.faces()) + " -ch " + std::to_string(4 * g.faces()) + " ";
  writeBlocks(out, g, ".fc", g.faces(), 500, "polyFaces", faceFlags, [&](std::ostream& o, int f) {
    const int r = f / g.columns, c = f % g.columns;
    o << "f 4 " << g.across(r, c) << " " << g.upward(r, c + 1) << " " << -g.across(r + 1, c) - 1 << " "
      << -g.upward(r, c) - 1 << "\n\t\tmu 0 4 " << g.vertex(r, c) << " " << g.vertex(r, c + 1) << " "
      << g.vertex(r + 1, c + 1) << " " << g.vertex(r + 1, c);
  });
  return out.str();
}

}  // namespace MayaBlockScene
