#pragma once
#include <maya/MHostArray.h>
#include <maya/MPlug.h>

class MPlugArray : public MHostArray<MPlug> {
public:
  using MHostArray<MPlug>::MHostArray;
};
