// The batch export (mayahost --batch, one process a scene) over the shared
// Maya scenes copied into eight folders, with one and with two scenes
// exported at once; the speed-up is the ratio of their wall times.
#include "Platform/Process.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const int kCopies = 8;

// The shared scenes (those that load on their own: no references to follow)
// copied kCopies times; empty when the shared data is not there.
std::vector<std::string> copiedScenes(const fs::path& work) {
  std::vector<std::string> scenes;
  std::error_code failed;
  for (int copy = 0; copy < kCopies; ++copy) {
    const fs::path folder = work / ("copy" + std::to_string(copy));
    fs::create_directories(folder, failed);
    for (const auto& entry : fs::directory_iterator(OMBRIX_SHARED_MAYA, failed)) {
      if (entry.path().extension() != ".ma")
        continue;
      fs::copy_file(entry.path(), folder / entry.path().filename(), fs::copy_options::overwrite_existing, failed);
      scenes.push_back((folder / entry.path().filename()).string());
    }
  }
  return scenes;
}

void BM_BatchExport(benchmark::State& state) {
  const fs::path work = fs::temp_directory_path() / "ombrix-bench-batch";
  const std::vector<std::string> scenes = copiedScenes(work);
  if (scenes.empty()) {
    state.SkipWithError("no shared scenes");
    return;
  }
  std::vector<std::string> arguments{"--batch"};
  arguments.insert(arguments.end(), scenes.begin(), scenes.end());
  for (const char* option : {"--force", "--out"})
    arguments.push_back(option);
  arguments.push_back((work / "out").string());
  arguments.insert(arguments.end(), {"--plugin", OMBRIX_MODULE, "--jobs", std::to_string(state.range(0))});
  for (auto _ : state)
    if (Platform::RunProcess(OMBRIX_MAYAHOST, arguments) != 0)
      state.SkipWithError("a scene failed to export");
  state.counters["scenes"] = static_cast<double>(scenes.size());
}

BENCHMARK(BM_BatchExport)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
