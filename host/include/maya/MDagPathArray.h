#pragma once
#include <maya/MHostArray.h>
#include <maya/MDagPath.h>

class MDagPathArray : public MHostArray<MDagPath> {
public:
  using MHostArray<MDagPath>::MHostArray;
};
