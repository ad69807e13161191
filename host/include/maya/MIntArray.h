#pragma once
#include <maya/MHostArray.h>


class MIntArray : public MHostArray<int> {
public:
  using MHostArray<int>::MHostArray;
};
