#pragma once
#include <maya/MHostArray.h>

class MIntArray : private MHostArray<int, MIntArray> {
  OMBRIX_ARRAY_MEMBERS(MIntArray, int)
  MIntArray(const int src[], unsigned int count) : MHostArray<int, MIntArray>(src, count) {}
  MIntArray(unsigned int initialSize, int initialValue = 0) : MHostArray<int, MIntArray>(initialSize, initialValue) {}
  MStatus get(int out[]) const { return this->copyTo(out); }
};
