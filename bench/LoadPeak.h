#pragma once
// The peak resident memory of a scene's load, each load in a fresh process
// (`mayahost --scene F`, its peak read by the process that waits for it), so that
// one load's leftovers (freed memory the allocator keeps, caches) never hide
// the next one's peak as they do within one process. The scene's own share
// is the peak less that of a process loading an empty scene.
#include "Platform/Process.h"
#include "ScalingScene.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace scaling {

// Peak megabytes of `mayahost --scene scene` plus `more` arguments, run by
// process_peak (see there why); 0 when it failed.
inline double processPeak(const std::string& scene, const std::vector<std::string>& more = {}) {
  const std::string result = ownTemporary("peak.txt");
  std::vector<std::string> arguments{result, ownTemporary("peak.log"), OMBRIX_MAYAHOST, "--scene", scene};
  arguments.insert(arguments.end(), more.begin(), more.end());
  if (Platform::RunProcess(OMBRIX_PROCESS_PEAK, arguments) != 0)
    return 0.0;
  double exitCode = -1, cpuMs = 0, peak = 0;
  std::ifstream(result) >> exitCode >> cpuMs >> peak;
  return exitCode == 0 ? peak : 0.0;
}

// The peak of a process that loads a scene holding nothing.
inline double emptyScenePeak() {
  static const double peak = [] {
    const std::string path = ownTemporary("empty.ma");
    std::ofstream(path, std::ios::binary) << "//Maya ASCII 2018 scene\nrequires maya \"2018\";\n";
    return processPeak(path);
  }();
  return peak;
}

// Counters: the whole process's peak at 1x and 4x, and the ratio of what the
// scene adds to an empty one's (the bar: at most 4.5). `more` are arguments
// after the scene (e.g. "--save" and a file), for an operation's peak.
inline void reportPeaks(benchmark::State& state, const std::string& small, const std::string& large,
                        const std::vector<std::string>& more = {}) {
  const double base = emptyScenePeak(), once = processPeak(small, more), fourTimes = processPeak(large, more);
  if (base <= 0 || once <= base || fourTimes <= base) {
    state.SkipWithError("a process loading the scene failed");
    return;
  }
  state.counters["peak_MB_1x"] = once;
  state.counters["peak_MB_4x"] = fourTimes;
  state.counters["peak_ratio_4x"] = (fourTimes - base) / (once - base);
}

}  // namespace scaling
