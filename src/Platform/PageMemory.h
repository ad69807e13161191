#pragma once
// Large blocks straight from the system's pages, filled with zeros: mmap in
// the POSIX build, where a block of whole 2 MiB pages is also offered to the
// kernel's huge pages (one page fault and one address-translation entry for
// 2 MiB instead of 512 of each), and VirtualAlloc on Windows.
#include <cstddef>

namespace Platform {

// Blocks of at least this size are placed and sized in whole huge pages.
constexpr size_t kHugePageBytes = size_t{2} << 20;

// A zero-filled block of at least `bytes`; null when memory is short or
// `bytes` is 0.
void* AllocatePages(size_t bytes);
// Releases a block of AllocatePages with the size it was asked for.
void FreePages(void* block, size_t bytes);

}  // namespace Platform
