// Loading a Maya ASCII scene that holds a mesh of a million faces (a 1000 x
// 1000 quad grid with UVs), written once by the host's own writer.
#include "HostSession.h"

#include <maya/MFloatArray.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFnMesh.h>
#include <maya/MIntArray.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
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

void BM_LoadMillionFaceScene(benchmark::State& state) {
  std::string path = sceneFile();
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
  for (auto _ : state) {
    std::vector<std::string> problems;
    bool ok = OmbrixHost::loadMayaAscii(path, problems);
    if (!ok || !problems.empty())
      state.SkipWithError("the scene did not load cleanly");
  }
}
BENCHMARK(BM_LoadMillionFaceScene)->Unit(benchmark::kMillisecond)->Iterations(3);

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
