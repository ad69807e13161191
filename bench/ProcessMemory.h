#pragma once
// Resident memory of the benchmark process (Linux): the kernel's peak can be
// reset to what is in use, so that a run's own peak can be read after it.
#include <malloc.h>
#include <sys/resource.h>

#include <cstring>
#include <fstream>
#include <string>

inline double StatusMegabytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::stod(line.substr(std::strlen(field))) / 1024.0;
  return 0.0;
}

// Resets the process's peak resident size to the current one and returns it:
// what a run adds on top is then PeakMegabytes() minus this.
inline double ResetPeakMemory() {
  malloc_trim(0);  // give freed heap back first, so the baseline is what is in use
  std::ofstream("/proc/self/clear_refs") << "5";
  return StatusMegabytes("VmRSS:");
}

inline double PeakMegabytes() { return StatusMegabytes("VmHWM:"); }

// The process's peak resident size so far (getrusage), whatever ran before.
inline double MaxRssMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}
