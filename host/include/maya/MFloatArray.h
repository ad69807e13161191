#pragma once
#include <maya/MHostArray.h>

class MFloatArray : private MHostArray<float, MFloatArray> {
  OMBRIX_ARRAY_MEMBERS(MFloatArray, float)
  MFloatArray(const float src[], unsigned int count) : MHostArray<float, MFloatArray>(src, count) {}
  MFloatArray(unsigned int initialSize, float initialValue = 0) : MHostArray<float, MFloatArray>(initialSize, initialValue) {}
  MStatus get(float out[]) const { return this->copyTo(out); }
};
