#pragma once
// Named shared memory (file mappings backed by the paging file on Windows).
// An object lives while some process holds a handle to it.
#include <cstdint>

namespace Platform {

using MappingHandle = void*;

// Creates the named object of `size` bytes (or opens it when it exists), with
// read-write pages and inheritable handles. Null on failure.
MappingHandle CreateSharedMemory(const char* name, uint32_t size);
// Opens an existing object; null when none of that name exists.
MappingHandle OpenSharedMemory(const char* name, bool writable);
// Maps `size` bytes from `offset` (a multiple of 64 KiB, or 0). Null on failure.
void* MapSharedMemory(MappingHandle mapping, bool writable, uint32_t offset, uint32_t size);
void UnmapSharedMemory(void* view, uint32_t size);
void CloseSharedMemory(MappingHandle mapping);

}  // namespace Platform
