#pragma once
// The common object base of models, shaders, scene nodes and image holders:
// a virtual destructor only. The first construction in the process creates
// the process-wide mutex, which nothing takes.
#include "HvCore/MutexHolder.h"

class HvObject {
 public:
  HvObject();
  virtual ~HvObject();

  // The process-wide mutex (created by the first HvObject).
  static const MutexHolder& ProcessMutex();
};
