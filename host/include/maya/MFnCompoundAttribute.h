#pragma once
#include <maya/MFnAttribute.h>

class OPENMAYA_EXPORT MFnCompoundAttribute : public MFnAttribute {
public:
  MFnCompoundAttribute();
  MFnCompoundAttribute(const MObject& object, MStatus* ReturnStatus = nullptr);
  ~MFnCompoundAttribute() override;
  MFn::Type type() const override;
  unsigned int numChildren(MStatus* ReturnStatus = nullptr) const;
  MObject child(unsigned int index, MStatus* ReturnStatus = nullptr) const;

protected:
  MFn::Type requiredType() const override;
};
