#include "Platform/PageMemory.h"

#include <sys/mman.h>

#include <cstdint>

namespace Platform {

namespace {

// Huge-page blocks are sized in whole huge pages; the rest as asked (the
// system rounds them to its pages).
size_t Span(size_t bytes) {
  if (bytes < kHugePageBytes) return bytes;
  return (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
}

void* Map(size_t bytes) {
  void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return block == MAP_FAILED ? nullptr : block;
}

}  // namespace

void* AllocatePages(size_t bytes) {
  if (bytes == 0 || bytes > SIZE_MAX - 2 * kHugePageBytes) return nullptr;
  const size_t span = Span(bytes);
  if (span < kHugePageBytes) return Map(span);
  // Mapped with a huge page to spare, then trimmed to a huge-page boundary.
  auto* raw = static_cast<char*>(Map(span + kHugePageBytes));
  if (raw == nullptr) return nullptr;
  const auto start = reinterpret_cast<uintptr_t>(raw);
  const size_t head = ((start + kHugePageBytes - 1) & ~(kHugePageBytes - 1)) - start;
  if (head > 0) munmap(raw, head);
  if (kHugePageBytes - head > 0) munmap(raw + head + span, kHugePageBytes - head);
  char* block = raw + head;
#ifdef MADV_HUGEPAGE
  madvise(block, span, MADV_HUGEPAGE);  // advice only: small pages still work
#endif
  return block;
}

void FreePages(void* block, size_t bytes) {
  if (block != nullptr) munmap(block, Span(bytes));
}

}  // namespace Platform
