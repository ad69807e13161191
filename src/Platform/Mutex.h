#pragma once
// Unnamed, initially unowned mutexes (CreateMutexA on Windows).

namespace Platform {

using MutexHandle = void*;

// Returns null when the mutex cannot be created.
MutexHandle CreateUnnamedMutex();

// Closes a handle from CreateUnnamedMutex; null is ignored.
void CloseMutex(MutexHandle handle);

}  // namespace Platform
