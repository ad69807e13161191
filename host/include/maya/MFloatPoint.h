#pragma once
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MFloatPoint {
public:
  MFloatPoint();
  MFloatPoint(float x, float y, float z = 0.0f, float w = 1.0f);
  bool operator==(const MFloatPoint& other) const;
  float x, y, z, w;
};
