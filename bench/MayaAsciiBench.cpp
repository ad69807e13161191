// Loading a Maya ASCII scene that holds a mesh of a million faces (a 1000 x
// 1000 quad grid with UVs), written once by the host's own writer (every
// array in one statement), and the same scene as Maya saves it (in blocks).
#include "HostSession.h"

#include <maya/MFloatArray.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFnMesh.h>
#include <maya/MIntArray.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <algorithm>
#include <string>
#include <vector>

namespace {

const int kSide = 1000;

std::string sceneFile() {
  static std::string path;
  if (!path.empty())
    return path;
  OmbrixHost::resetScene();
  MFloatPointArray points;
  MFloatArray us, vs;
  for (int r = 0; r <= kSide; ++r)
    for (int c = 0; c <= kSide; ++c) {
      points.append(MFloatPoint(static_cast<float>(c), 0.0f, static_cast<float>(-r)));
      us.append(static_cast<float>(c) / kSide);
      vs.append(static_cast<float>(r) / kSide);
    }
  MIntArray counts, connects;
  for (int r = 0; r < kSide; ++r)
    for (int c = 0; c < kSide; ++c) {
      int v = r * (kSide + 1) + c;
      counts.append(4);
      for (int corner : {v, v + 1, v + kSide + 2, v + kSide + 1})
        connects.append(corner);
    }
  MFnMesh mesh;
  mesh.create(static_cast<int>(points.length()), static_cast<int>(counts.length()), points, counts, connects);
  mesh.setUVs(us, vs);
  mesh.assignUVs(counts, connects);
  path = (std::filesystem::temp_directory_path() / "ombrix-bench-1m.ma").string();
  std::string error;
  if (!OmbrixHost::saveMayaAscii(path, error))
    std::fprintf(stderr, "%s\n", error.c_str());
  return path;
}

// One array statement of the single-statement scene ("\tsetAttr -s N \".vt[0:M]\" ... values;")
// written again as Maya saves it: the size alone, then blocks, the type on the first.
void writeInBlocks(std::ostream& out, const std::string& statement) {
  std::istringstream in(statement);
  std::string word, attr, type, flags;
  std::vector<std::string> values;
  while (in >> word) {
    if (attr.empty() && word.front() == '"') {
      attr = word.substr(1, word.rfind('[') - 1);
    } else if (attr.empty()) {
      flags += word == "setAttr" ? "" : word + " ";
    } else if (word == "-type" && type.empty() && values.empty()) {
      in >> type;
    } else {
      values.push_back(word.back() == ';' ? word.substr(0, word.size() - 1) : word);
      if (values.back().empty())
        values.pop_back();
    }
  }
  const bool faces = attr == ".fc";
  const std::size_t width = attr == ".uvst[0].uvsp" ? 2 : 3, block = faces ? 500 : attr == ".uvst[0].uvsp" ? 250 : 166;
  std::vector<std::size_t> starts;  // of each element in values
  for (std::size_t i = 0; i < values.size(); i += faces ? 1 : width)
    if (!faces || values[i] == "f")
      starts.push_back(i);
  if (!faces)
    out << "\tsetAttr " << flags << "\"" << attr << "\";\n";
  for (std::size_t first = 0; first < starts.size(); first += block) {
    const std::size_t last = std::min(starts.size(), first + block) - 1;
    out << "\tsetAttr " << (faces && first == 0 ? flags : "") << "\"" << attr << "[" << first << ":" << last << "]\""
        << (first == 0 && !type.empty() ? " -type " + type : "");
    const std::size_t end = last + 1 < starts.size() ? starts[last + 1] : values.size();
    for (std::size_t i = starts[first]; i < end; ++i)
      out << ((i - starts[first]) % 12 == 0 ? "\n\t\t" : " ") << values[i];
    out << ";\n";
  }
}

// The scene above with its mesh's arrays in Maya's blocks: the same numbers, as Maya lays them out.
std::string blockSceneFile() {
  static std::string path;
  if (!path.empty())
    return path;
  std::ifstream in(sceneFile(), std::ios::binary);
  path = (std::filesystem::temp_directory_path() / "ombrix-bench-1m-blocks.ma").string();
  std::ofstream out(path, std::ios::binary);
  std::string line, statement;
  while (std::getline(in, line)) {
    const bool array = line.compare(0, 12, "\tsetAttr -s ") == 0 && line.find("[0:") != std::string::npos &&
                       (line.find("\".vt[") != std::string::npos || line.find("\".ed[") != std::string::npos ||
                        line.find("\".fc[") != std::string::npos || line.find(".uvsp[") != std::string::npos);
    if (!array && statement.empty()) {
      out << line << "\n";
      continue;
    }
    statement += line + "\n";
    if (line.find(';') != std::string::npos) {
      writeInBlocks(out, statement);
      statement.clear();
    }
  }
  return path;
}

void loadRepeatedly(benchmark::State& state, const std::string& path) {
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
  for (auto _ : state) {
    std::vector<std::string> problems;
    bool ok = OmbrixHost::loadMayaAscii(path, problems);
    if (!ok || !problems.empty())
      state.SkipWithError("the scene did not load cleanly");
  }
}

void BM_LoadMillionFaceScene(benchmark::State& state) { loadRepeatedly(state, sceneFile()); }
BENCHMARK(BM_LoadMillionFaceScene)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same grid in Maya's blocks; per megabyte comparable with the scene above.
void BM_LoadMillionFaceSceneInBlocks(benchmark::State& state) { loadRepeatedly(state, blockSceneFile()); }
BENCHMARK(BM_LoadMillionFaceSceneInBlocks)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SaveMillionFaceScene(benchmark::State& state) {
  std::string path = sceneFile();
  std::vector<std::string> problems;
  OmbrixHost::loadMayaAscii(path, problems);
  std::string copy = path + ".copy.ma";
  for (auto _ : state) {
    std::string error;
    if (!OmbrixHost::saveMayaAscii(copy, error))
      state.SkipWithError(error.c_str());
  }
  std::filesystem::remove(copy);
}
BENCHMARK(BM_SaveMillionFaceScene)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
