#pragma once
#include <maya/MHostArray.h>

class MDoubleArray : private MHostArray<double, MDoubleArray> {
  OMBRIX_ARRAY_MEMBERS(MDoubleArray, double)
  MDoubleArray(const double src[], unsigned int count) : MHostArray<double, MDoubleArray>(src, count) {}
  MDoubleArray(unsigned int initialSize, double initialValue = 0) : MHostArray<double, MDoubleArray>(initialSize, initialValue) {}
};
