#pragma once
#include <maya/MHostArray.h>
#include <maya/MObject.h>

class MObjectArray : private MHostArray<MObject, MObjectArray> {
  OMBRIX_ARRAY_MEMBERS(MObjectArray, MObject)
  MObjectArray(const MObject src[], unsigned int count) : MHostArray<MObject, MObjectArray>(src, count) {}
  MObjectArray(unsigned int initialSize, const MObject& initialValue) : MHostArray<MObject, MObjectArray>(initialSize, initialValue) {}
};
