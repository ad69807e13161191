#include "Math/Milliseconds.h"

#include <mutex>

#include "Platform/Clock.h"

uint32_t MillisecondClock::Now() {
  const uint32_t ticks = Platform::TickCount();
  if (!started_) {
    started_ = true;
    base_ = ticks + 0xE0000000u;
    return 0x20000000u;
  }
  return ticks - base_;
}

uint32_t Milliseconds() {
  static MillisecondClock clock;
  static std::mutex guard;
  std::lock_guard<std::mutex> lock(guard);
  return clock.Now();
}

bool SleepMs(int ms) {
  if (ms == 0) return true;
  if (ms < 0) return false;
  Platform::SleepMilliseconds(static_cast<uint32_t>(ms));
  return true;
}
