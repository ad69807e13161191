#include "Platform/Clock.h"

#include <sched.h>
#include <time.h>

namespace Platform {

uint32_t TickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u +
                      static_cast<uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(ms);
}

void SleepMilliseconds(uint32_t ms) {
  if (ms == 0) {
    sched_yield();
    return;
  }
  timespec wait{static_cast<time_t>(ms / 1000u), static_cast<long>(ms % 1000u) * 1000000L};
  while (nanosleep(&wait, &wait) != 0) {
  }
}

}  // namespace Platform
