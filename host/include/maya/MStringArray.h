#pragma once
#include <maya/MHostArray.h>
#include <maya/MString.h>

class MStringArray : public MHostArray<MString> {
public:
  using MHostArray<MString>::MHostArray;
};
