// process_peak RESULT LOG PROGRAM [ARGUMENTS...]: runs PROGRAM (its output to
// LOG) and writes "EXIT CPU_MS PEAK_MB" to RESULT. The benchmarks measure a
// process through it because a program started straight from a large process
// can be charged that process's peak: on Linux the peak a child reports is
// at least that of the memory it was started from, which a spawn shares
// until the new program runs. Started from this small program, the floor is
// this program's own few megabytes.
#include "Platform/Process.h"

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: process_peak RESULT LOG PROGRAM [ARGUMENTS...]\n";
    return 2;
  }
  const std::vector<std::string> arguments(argv + 4, argv + argc);
  const Platform::ProcessUse use = Platform::RunProcessMeasured(argv[3], arguments, argv[2]);
  std::ofstream result(argv[1], std::ios::binary);
  result << use.exitCode << " " << use.cpuMs << " " << use.peakMegabytes << "\n";
  if (!result) {
    std::cerr << "process_peak: " << argv[1] << ": cannot write the result\n";
    return 1;
  }
  return use.exitCode == 0 ? 0 : 1;
}
