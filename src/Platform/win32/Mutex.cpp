#include "Platform/Mutex.h"

#include <windows.h>

namespace Platform {

MutexHandle CreateUnnamedMutex() { return CreateMutexA(nullptr, FALSE, nullptr); }

void CloseMutex(MutexHandle handle) {
  if (handle != nullptr) CloseHandle(handle);
}

}  // namespace Platform
