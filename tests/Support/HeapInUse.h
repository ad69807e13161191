#pragma once
// The bytes the process has allocated and not yet freed, for tests that a
// repeated operation does not grow: the sanitizer's own count under ASan
// (freed blocks wait in its quarantine, which the resident size would
// count), the C runtime's heap otherwise.
#include <cstddef>
#include <cstdint>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count (its header does not ship with g++).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

inline uint64_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#elif defined(_WIN32)
  uint64_t used = 0;
  _HEAPINFO entry = {};
  while (_heapwalk(&entry) == _HEAPOK)
    if (entry._useflag == _USEDENTRY) used += entry._size;
  return used;
#else
  return mallinfo2().uordblks;
#endif
}
