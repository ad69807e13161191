#pragma once
// What the scaling benchmarks share: scenes written as Maya 2018 writes them
// (the header, blocks of values, a grid's geometry, a mesh node), each written
// once per process under the temporary folder, and the load of a scene at a
// size and at 4x that size with the ratio of their costs as counters.
#include "HostSession.h"
#include "Platform/Process.h"
#include "StepCost.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace scaling {

namespace fs = std::filesystem;

inline std::string header() {
  return "//Maya ASCII 2018 scene\n//Name: scaling.ma\nrequires maya \"2018\";\n"
         "currentUnit -l centimeter -a degree -t film;\n";
}


// "\tsetAttr \".vt[0:165]\" ..." blocks of `perBlock` elements of `width` numbers each.
inline void writeBlocks(std::ostream& out, const char* attr, const std::vector<std::string>& values, std::size_t width,
                 std::size_t perBlock) {
  const std::size_t elements = values.size() / width;
  out << "\tsetAttr -s " << elements << " \"." << attr << "\";\n";
  for (std::size_t first = 0; first < elements; first += perBlock) {
    const std::size_t last = std::min(elements, first + perBlock) - 1;
    out << "\tsetAttr \"." << attr << "[" << first << ":" << last << "]\"";
    for (std::size_t i = first * width; i < (last + 1) * width; ++i)
      out << ((i - first * width) % 12 == 0 ? "\n\t\t" : " ") << values[i];
    out << ";\n";
  }
}


// The points, edges and faces of a grid of side x side quads in Maya's blocks.
inline void writeGridGeometry(std::ostream& out, int side) {
  const int columns = side + 1;
  std::vector<std::string> points, edges;
  for (int r = 0; r <= side; ++r)
    for (int c = 0; c <= side; ++c)
      points.insert(points.end(), {std::to_string(c), "0", std::to_string(-r)});
  // Edges along the rows first (r, c)-(r, c + 1), then across them (r, c)-(r + 1, c).
  auto along = [&](int r, int c) { return r * side + c; };
  auto across = [&](int r, int c) { return columns * side + r * columns + c; };
  for (int r = 0; r <= side; ++r)
    for (int c = 0; c < side; ++c)
      edges.insert(edges.end(), {std::to_string(r * columns + c), std::to_string(r * columns + c + 1), "0"});
  for (int r = 0; r < side; ++r)
    for (int c = 0; c <= side; ++c)
      edges.insert(edges.end(), {std::to_string(r * columns + c), std::to_string((r + 1) * columns + c), "0"});
  writeBlocks(out, "vt", points, 3, 166);
  writeBlocks(out, "ed", edges, 3, 166);
  const int faces = side * side;
  for (int f = 0; f < faces; ++f) {
    const int r = f / side, c = f % side;
    if (f % 500 == 0)
      out << (f ? ";\n\tsetAttr \".fc[" : "\tsetAttr -s " + std::to_string(faces) + " -ch " +
                                               std::to_string(4 * faces) + " \".fc[")
          << f << ":" << std::min(faces, f + 500) - 1 << "]\"" << (f ? "" : " -type \"polyFaces\" ");
    out << "\n\t\tf 4 " << along(r, c) << " " << across(r, c + 1) << " " << -(along(r + 1, c) + 1) << " "
        << -(across(r, c) + 1);
  }
  out << ";\n";
}


inline void writeMeshNode(std::ostream& out, const std::string& name, const std::string& parent) {
  out << "createNode mesh -n \"" << name << "\" -p \"" << parent << "\";\n"
      << "\tsetAttr -k off \".v\";\n\tsetAttr \".vir\" yes;\n\tsetAttr \".vif\" yes;\n";
}


// A file of this process under the temporary folder (other runs may share it).
inline std::string ownTemporary(const std::string& name) {
  return (fs::temp_directory_path() / ("ombrix-scaling-" + std::to_string(Platform::CurrentProcessId()) + "-" + name))
      .string();
}

// The scene `name` written once by `write(out, a, b)`; its path.
inline std::string remembered(const std::string& name, void (*write)(std::ostream&, int, int), int a, int b) {
  static std::map<std::string, std::string> made;
  auto found = made.find(name);
  if (found != made.end())
    return found->second;
  const std::string path = (fs::temp_directory_path() / ("ombrix-scaling-" + name + ".ma")).string();
  std::ofstream out(path, std::ios::binary);
  write(out, a, b);
  return made[name] = path;
}

inline bool load(const std::string& path) {
  OmbrixHost::resetScene();
  std::vector<std::string> problems;
  return OmbrixHost::loadMayaAscii(path, problems) && problems.empty();
}

// Runs `step` on the scene at a size and at 4x that size in each iteration;
// `step` gives the cost of what it measures. The iteration's time is the
// larger's; each figure is the fastest of the iterations.
template <typename Step>
inline void bothSizes(benchmark::State& state, const std::string& small, const std::string& large, Step step) {
  StepCost once = unmeasured(), fourTimes = unmeasured();
  for (auto _ : state) {
    bool ok = true;
    once = fastest(once, step(small, ok));
    const StepCost last = step(large, ok);
    fourTimes = fastest(fourTimes, last);
    state.SetIterationTime(last.wallMs / 1000);
    if (!ok)
      state.SkipWithError("a scene did not load, or its step failed");
  }
  state.counters["cpu_ms_1x"] = once.cpuMs;
  state.counters["cpu_ms_4x"] = fourTimes.cpuMs;
  state.counters["ratio_4x"] = fourTimes.cpuMs / once.cpuMs;
  state.counters["wall_ratio_4x"] = fourTimes.wallMs / once.wallMs;
  state.counters["MB_4x"] = static_cast<double>(fs::file_size(large)) / (1 << 20);
}

// Loads the scene at a size and at 4x that size.
inline void loadBoth(benchmark::State& state, const std::string& small, const std::string& large) {
  bothSizes(state, small, large, [](const std::string& scene, bool& ok) {
    return measure([&] { ok = load(scene) && ok; });
  });
}

// Saves (Maya ASCII) the scene at a size and at 4x that size, each loaded
// first; only the save is measured.
inline void saveBoth(benchmark::State& state, const std::string& small, const std::string& large) {
  const std::string copy = ownTemporary("saved.ma");
  bothSizes(state, small, large, [&](const std::string& scene, bool& ok) {
    ok = load(scene) && ok;
    std::string error;
    return measure([&] { ok = OmbrixHost::saveMayaAscii(copy, error) && ok; });
  });
}

}  // namespace scaling
