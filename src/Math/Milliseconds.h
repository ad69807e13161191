#pragma once
// The millisecond clock on the system tick counter, and sleeping.
#include <cstdint>

// One clock: its first reading records (ticks + 0xE0000000) and returns
// 0x20000000; later readings return ticks minus the recorded value, wrapping
// in 32 bits. Differences are taken as signed 32-bit values.
class MillisecondClock {
 public:
  uint32_t Now();

 private:
  bool started_ = false;
  uint32_t base_ = 0;
};

// The process-wide clock; starts at 536870912.
uint32_t Milliseconds();

// Signed difference of two clock readings.
inline int32_t ElapsedMs(uint32_t later, uint32_t earlier) {
  return static_cast<int32_t>(later - earlier);
}

// 0 returns true at once, a negative value gives false, otherwise sleeps.
bool SleepMs(int ms);
