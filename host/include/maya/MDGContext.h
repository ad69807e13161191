#pragma once
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MDGContext {
public:
  MDGContext();
  bool isNormal() const;
  static MDGContext fsNormal;
};
