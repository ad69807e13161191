#pragma once
#include <maya/MHostArray.h>


class MFloatArray : public MHostArray<float> {
public:
  using MHostArray<float>::MHostArray;
};
