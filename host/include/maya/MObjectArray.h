#pragma once
#include <maya/MHostArray.h>
#include <maya/MObject.h>

class MObjectArray : public MHostArray<MObject> {
public:
  using MHostArray<MObject>::MHostArray;
};
