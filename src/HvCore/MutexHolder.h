#pragma once
// Owns an unnamed, initially unowned mutex for the holder's lifetime. Creation
// failure is reported as "Failed to create mutex!\n" and leaves the holder empty.
#include "Platform/Mutex.h"

class MutexHolder {
 public:
  MutexHolder();
  ~MutexHolder();
  MutexHolder(const MutexHolder&) = delete;
  MutexHolder& operator=(const MutexHolder&) = delete;

  Platform::MutexHandle Handle() const { return handle_; }

 private:
  Platform::MutexHandle handle_;
};
