#include "Platform/SharedMemory.h"

#include <windows.h>

namespace Platform {

MappingHandle CreateSharedMemory(const char* name, uint32_t size) {
  SECURITY_ATTRIBUTES attributes{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileMappingA(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0, size, name);
}

MappingHandle OpenSharedMemory(const char* name, bool writable) {
  return OpenFileMappingA(writable ? FILE_MAP_ALL_ACCESS : FILE_MAP_READ, TRUE, name);
}

void* MapSharedMemory(MappingHandle mapping, bool writable, uint32_t offset, uint32_t size) {
  return MapViewOfFile(mapping, writable ? FILE_MAP_ALL_ACCESS : FILE_MAP_READ, 0, offset, size);
}

void UnmapSharedMemory(void* view, uint32_t /*size*/) {
  if (view != nullptr) UnmapViewOfFile(view);
}

void CloseSharedMemory(MappingHandle mapping) {
  if (mapping != nullptr) CloseHandle(mapping);
}

}  // namespace Platform
