#pragma once
// The resident memory of one step of the pipeline measured in a process of
// its own (bench_step_memory, whose path the build gives as
// OMBRIX_STEP_MEMORY): the load of a scene and what a step after it (export,
// UV import, save) adds, each at its peak, with nothing a benchmark ran
// before in its own process in the way.
#include "Platform/Process.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct StepMemory {
  double loadMB = 0, stepMB = 0, peakMB = 0;  // see StepMemory.cpp
  bool ok = false;
};

// `step`: load, export, uvimport or save (the saved file goes under the temporary folder).
inline StepMemory stepMemory(const std::string& step, const std::string& scene) {
  namespace fs = std::filesystem;
  const fs::path log = fs::temp_directory_path() / "ombrix-step-memory.log";
  std::vector<std::string> arguments{step, scene};
  if (step == "save")
    arguments.push_back((fs::temp_directory_path() / "ombrix-step-memory-saved.ma").string());
  StepMemory m;
  const int code = Platform::RunProcessLogged(OMBRIX_STEP_MEMORY, arguments, log.string(), Platform::CurrentEnvironment());
  std::ifstream in(log);
  std::string line, word;
  while (std::getline(in, line))
    if (line.rfind("memory ", 0) == 0) {
      std::istringstream(line) >> word >> m.loadMB >> m.stepMB >> m.peakMB;
      m.ok = code == 0;
    }
  return m;
}
