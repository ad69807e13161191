#include "Platform/PageMemory.h"

#include <windows.h>

namespace Platform {

// Large pages need a privilege users do not have: ordinary committed pages,
// which the system also fills with zeros.
void* AllocatePages(size_t bytes) {
  if (bytes == 0) return nullptr;
  return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void FreePages(void* block, size_t) {
  if (block != nullptr) VirtualFree(block, 0, MEM_RELEASE);
}

}  // namespace Platform
