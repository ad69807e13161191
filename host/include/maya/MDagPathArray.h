#pragma once
#include <maya/MHostArray.h>
#include <maya/MDagPath.h>

class MDagPathArray : private MHostArray<MDagPath, MDagPathArray> {
  OMBRIX_ARRAY_MEMBERS(MDagPathArray, MDagPath)
  MDagPathArray(unsigned int initialSize, const MDagPath& initialValue) : MHostArray<MDagPath, MDagPathArray>(initialSize, initialValue) {}
};
