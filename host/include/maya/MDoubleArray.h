#pragma once
#include <maya/MHostArray.h>


class MDoubleArray : public MHostArray<double> {
public:
  using MHostArray<double>::MHostArray;
};
