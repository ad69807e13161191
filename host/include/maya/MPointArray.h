#pragma once
#include <maya/MHostArray.h>
#include <maya/MPoint.h>

class MPointArray : private MHostArray<MPoint, MPointArray> {
  OMBRIX_ARRAY_MEMBERS(MPointArray, MPoint)
  MPointArray(const MPoint src[], unsigned int count) : MHostArray<MPoint, MPointArray>(src, count) {}
  MPointArray(unsigned int initialSize, const MPoint& initialValue) : MHostArray<MPoint, MPointArray>(initialSize, initialValue) {}
};
