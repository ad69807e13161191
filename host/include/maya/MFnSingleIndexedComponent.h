#pragma once
#include <maya/MFnComponent.h>

class MIntArray;

class OPENMAYA_EXPORT MFnSingleIndexedComponent : public MFnComponent {
public:
  MFnSingleIndexedComponent();
  MFnSingleIndexedComponent(const MObject& object, MStatus* ReturnStatus = nullptr);
  ~MFnSingleIndexedComponent() override;
  MFn::Type type() const override;
  MObject create(MFn::Type compType, MStatus* ReturnStatus = nullptr);
  MStatus addElement(int element);
  MStatus addElements(MIntArray& elements);
  int element(int index, MStatus* ReturnStatus = nullptr) const;
  MStatus getElements(MIntArray& elements) const;

protected:
  MFn::Type requiredType() const override;
};
