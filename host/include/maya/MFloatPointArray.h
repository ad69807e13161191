#pragma once
#include <maya/MHostArray.h>
#include <maya/MFloatPoint.h>

class MFloatPointArray : public MHostArray<MFloatPoint> {
public:
  using MHostArray<MFloatPoint>::MHostArray;
};
