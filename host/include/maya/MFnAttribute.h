#pragma once
#include <maya/MFnBase.h>

class MString;

class OPENMAYA_EXPORT MFnAttribute : public MFnBase {
public:
  MFnAttribute();
  MFnAttribute(const MObject& object, MStatus* ReturnStatus = nullptr);
  ~MFnAttribute() override;
  MFn::Type type() const override;
  MString name(MStatus* ReturnStatus = nullptr) const;
  MString shortName(MStatus* ReturnStatus = nullptr) const;
  bool isArray(MStatus* ReturnStatus = nullptr) const;
  MObject parent(MStatus* ReturnStatus = nullptr) const;
  bool isDynamic(MStatus* ReturnStatus = nullptr) const;

protected:
  MFn::Type requiredType() const override;
};
