#pragma once
// The system's millisecond tick counter and sleep: GetTickCount and Sleep on
// Windows, a monotonic clock and nanosleep in the POSIX stand-in.
#include <cstdint>

namespace Platform {

// Milliseconds since an arbitrary start, wrapping at 2^32.
uint32_t TickCount();

// Suspends the calling thread; 0 yields the rest of the time slice.
void SleepMilliseconds(uint32_t ms);

}  // namespace Platform
