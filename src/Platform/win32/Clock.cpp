#include "Platform/Clock.h"

#include <windows.h>

namespace Platform {

uint32_t TickCount() { return static_cast<uint32_t>(GetTickCount()); }

void SleepMilliseconds(uint32_t ms) { Sleep(ms); }

}  // namespace Platform
