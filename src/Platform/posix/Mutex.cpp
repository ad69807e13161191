#include "Platform/Mutex.h"

#include <pthread.h>

#include <new>

namespace Platform {

MutexHandle CreateUnnamedMutex() {
  auto* mutex = new (std::nothrow) pthread_mutex_t;
  if (mutex == nullptr) return nullptr;
  if (pthread_mutex_init(mutex, nullptr) != 0) {
    delete mutex;
    return nullptr;
  }
  return mutex;
}

void CloseMutex(MutexHandle handle) {
  if (handle == nullptr) return;
  auto* mutex = static_cast<pthread_mutex_t*>(handle);
  pthread_mutex_destroy(mutex);
  delete mutex;
}

}  // namespace Platform
