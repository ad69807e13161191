#pragma once
#include <maya/MFn.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>

class OPENMAYA_EXPORT MFnBase {
public:
  virtual ~MFnBase();
  MFnBase(const MFnBase&) = delete;
  MFnBase& operator=(const MFnBase&) = delete;
  virtual MFn::Type type() const;
  bool hasObj(MFn::Type type) const;
  bool hasObj(const MObject& object) const;
  MObject object(MStatus* ReturnStatus = nullptr) const;
  virtual MStatus setObject(MObject& object);
  virtual MStatus setObject(const MObject& object);

protected:
  MFnBase();
  // The kind of object this function set works on.
  virtual MFn::Type requiredType() const;
  MObject object_;
};
