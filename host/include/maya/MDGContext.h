#pragma once
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MDGContext {
public:
  MDGContext();
  static MDGContext fsNormal;
};
