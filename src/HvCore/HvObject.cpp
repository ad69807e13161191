#include "HvCore/HvObject.h"

HvObject::HvObject() { ProcessMutex(); }

HvObject::~HvObject() = default;

const MutexHolder& HvObject::ProcessMutex() {
  static const MutexHolder mutex;
  return mutex;
}
