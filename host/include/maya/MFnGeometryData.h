#pragma once
// Geometry data objects: the parent of the mesh data function set.
#include <maya/MFnData.h>

class OPENMAYA_EXPORT MFnGeometryData : public MFnData {
public:
  MFnGeometryData();
  MFnGeometryData(MObject& object, MStatus* ReturnStatus = nullptr);
  MFnGeometryData(const MObject& object, MStatus* ReturnStatus = nullptr);
  ~MFnGeometryData() override;
  MFn::Type type() const override;

protected:
  MFn::Type requiredType() const override;
};
