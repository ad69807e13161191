#pragma once
#include <maya/MHostArray.h>
#include <maya/MString.h>

class MStringArray : private MHostArray<MString, MStringArray> {
  OMBRIX_ARRAY_MEMBERS(MStringArray, MString)
  MStringArray(const MString src[], unsigned int count) : MHostArray<MString, MStringArray>(src, count) {}
  MStringArray(unsigned int initialSize, const MString& initialValue) : MHostArray<MString, MStringArray>(initialSize, initialValue) {}
};
