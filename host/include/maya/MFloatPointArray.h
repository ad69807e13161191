#pragma once
#include <maya/MHostArray.h>
#include <maya/MFloatPoint.h>

class MFloatPointArray : private MHostArray<MFloatPoint, MFloatPointArray> {
  OMBRIX_ARRAY_MEMBERS(MFloatPointArray, MFloatPoint)
  MFloatPointArray(const MFloatPoint src[], unsigned int count) : MHostArray<MFloatPoint, MFloatPointArray>(src, count) {}
  MFloatPointArray(unsigned int initialSize, const MFloatPoint& initialValue) : MHostArray<MFloatPoint, MFloatPointArray>(initialSize, initialValue) {}
};
