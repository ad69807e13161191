#pragma once
#include <maya/MFnBase.h>

class OPENMAYA_EXPORT MFnComponent : public MFnBase {
public:
  MFnComponent();
  MFnComponent(const MObject& object, MStatus* ReturnStatus = nullptr);
  ~MFnComponent() override;
  MFn::Type type() const override;
  int elementCount(MStatus* ReturnStatus = nullptr) const;
  MFn::Type componentType(MStatus* ReturnStatus = nullptr) const;
  bool isEmpty(MStatus* ReturnStatus = nullptr) const;

protected:
  MFn::Type requiredType() const override;
};
