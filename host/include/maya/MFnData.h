#pragma once
// The parent of the function sets for dependency graph data (geometry held by
// a data object rather than by a node).
#include <maya/MFnBase.h>

class OPENMAYA_EXPORT MFnData : public MFnBase {
public:
  MFnData();
  MFnData(MObject& object, MStatus* ReturnStatus = nullptr);
  MFnData(const MObject& object, MStatus* ReturnStatus = nullptr);
  ~MFnData() override;
  MFn::Type type() const override;

protected:
  MFn::Type requiredType() const override;
};
