// POSIX stand-in for named file mappings: a shm object per name, sized like
// the Windows object plus one control page holding the number of holders.
// The last holder to close removes the name, so the object lives, as on
// Windows, while some process keeps it open.
#include "Platform/SharedMemory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <new>
#include <string>

namespace Platform {

namespace {

constexpr size_t kControlBytes = 4096;

struct Mapping {
  int fd;
  uint32_t size;
  std::string name;
  std::atomic<int32_t>* holders;  // in the control page after the data
};

// shm names are one path component: '/' and '\' become '_'.
std::string ShmName(const char* name) {
  std::string result = "/ombrix-";
  for (const char* p = name; *p != '\0'; ++p) result += (*p == '/' || *p == '\\') ? '_' : *p;
  return result;
}

Mapping* Attach(int fd, const std::string& name, uint32_t size) {
  void* control = mmap(nullptr, kControlBytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, size);
  if (control == MAP_FAILED) {
    close(fd);
    return nullptr;
  }
  auto* mapping = new (std::nothrow) Mapping{fd, size, name, static_cast<std::atomic<int32_t>*>(control)};
  if (mapping == nullptr) {
    munmap(control, kControlBytes);
    close(fd);
    return nullptr;
  }
  mapping->holders->fetch_add(1);
  return mapping;
}

uint32_t DataSize(int fd) {
  const off_t end = lseek(fd, 0, SEEK_END);
  return end > static_cast<off_t>(kControlBytes) ? static_cast<uint32_t>(end - kControlBytes) : 0;
}

}  // namespace

MappingHandle CreateSharedMemory(const char* name, uint32_t size) {
  const std::string shm = ShmName(name);
  const int fd = shm_open(shm.c_str(), O_RDWR | O_CREAT, 0600);
  if (fd < 0) return nullptr;
  const uint32_t existing = DataSize(fd);
  if (existing == 0 && ftruncate(fd, static_cast<off_t>(size) + kControlBytes) != 0) {
    close(fd);
    return nullptr;
  }
  return Attach(fd, shm, existing != 0 ? existing : size);
}

MappingHandle OpenSharedMemory(const char* name, bool writable) {
  const std::string shm = ShmName(name);
  (void)writable;  // the holder count needs write access either way
  const int fd = shm_open(shm.c_str(), O_RDWR, 0600);
  if (fd < 0) return nullptr;
  const uint32_t size = DataSize(fd);
  if (size == 0) {
    close(fd);
    return nullptr;
  }
  return Attach(fd, shm, size);
}

void* MapSharedMemory(MappingHandle handle, bool writable, uint32_t offset, uint32_t size) {
  auto* mapping = static_cast<Mapping*>(handle);
  if (mapping == nullptr || static_cast<uint64_t>(offset) + size > mapping->size) return nullptr;
  void* view = mmap(nullptr, size, writable ? PROT_READ | PROT_WRITE : PROT_READ, MAP_SHARED,
                    mapping->fd, offset);
  return view == MAP_FAILED ? nullptr : view;
}

void UnmapSharedMemory(void* view, uint32_t size) {
  if (view != nullptr) munmap(view, size);
}

void CloseSharedMemory(MappingHandle handle) {
  auto* mapping = static_cast<Mapping*>(handle);
  if (mapping == nullptr) return;
  if (mapping->holders->fetch_sub(1) == 1) shm_unlink(mapping->name.c_str());
  munmap(mapping->holders, kControlBytes);
  close(mapping->fd);
  delete mapping;
}

}  // namespace Platform
