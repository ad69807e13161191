#pragma once
#include <maya/MHostArray.h>
#include <maya/MPlug.h>

class MPlugArray : private MHostArray<MPlug, MPlugArray> {
  OMBRIX_ARRAY_MEMBERS(MPlugArray, MPlug)
  MPlugArray(const MPlug src[], unsigned int count) : MHostArray<MPlug, MPlugArray>(src, count) {}
  MPlugArray(unsigned int initialSize, const MPlug& initialValue) : MHostArray<MPlug, MPlugArray>(initialSize, initialValue) {}
};
