#pragma once
#include <maya/MHostArray.h>
#include <maya/MPoint.h>

class MPointArray : public MHostArray<MPoint> {
public:
  using MHostArray<MPoint>::MHostArray;
};
