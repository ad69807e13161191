#pragma once
// What one step of a benchmark costs: process CPU time (all threads), wall
// time and the resident memory it adds at its peak.
#include "ProcessMemory.h"

#include <algorithm>
#include <chrono>
#include <ctime>

inline double processCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

inline double wallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// CPU, wall and added peak memory of one step.
struct StepCost {
  double cpuMs = 0, wallMs = 0, peakMB = 0;
};

template <typename Step>
inline StepCost measure(Step step) {
  const double baseline = ResetPeakMemory();
  const double cpu = processCpuSeconds(), wall = wallSeconds();
  step();
  return {1000 * (processCpuSeconds() - cpu), 1000 * (wallSeconds() - wall), PeakMegabytes() - baseline};
}


// Each figure the smaller of the two: on a shared machine the fastest run is
// the one least disturbed. Start from unmeasured() to keep the best of many.
inline StepCost fastest(const StepCost& a, const StepCost& b) {
  return {std::min(a.cpuMs, b.cpuMs), std::min(a.wallMs, b.wallMs), std::min(a.peakMB, b.peakMB)};
}

inline StepCost unmeasured() { return {1e300, 1e300, 1e300}; }
