#pragma once
// A hint that the line holding `address` will soon be read. GCC and Clang
// have a builtin for it, MSVC an SSE intrinsic; elsewhere it is nothing.
// Every lookup that asks ahead goes through this one guarded helper, so the
// sources stay acceptable to every compiler the plug-in is built with.
#if defined(_MSC_VER) && (defined(_M_X64) || defined(_M_IX86))
#include <xmmintrin.h>
#endif

inline void PrefetchForRead(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(address);
#elif defined(_MSC_VER) && (defined(_M_X64) || defined(_M_IX86))
  _mm_prefetch(static_cast<const char*>(address), _MM_HINT_T0);
#else
  (void)address;
#endif
}
