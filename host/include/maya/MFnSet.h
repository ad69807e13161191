#pragma once
#include <maya/MFnDependencyNode.h>

class MSelectionList;

class OPENMAYA_EXPORT MFnSet : public MFnDependencyNode {
public:
  enum Restriction { kNone = 0, kVerticesOnly, kEdgesOnly, kFacetsOnly, kEditPointsOnly, kRenderableOnly };

  MFnSet();
  MFnSet(const MObject& object, MStatus* ReturnStatus = nullptr);
  ~MFnSet() override;
  MFn::Type type() const override;

  MObject create(const MSelectionList& members, Restriction restriction = kNone,
                 bool isLayer = false, MStatus* ReturnStatus = nullptr);
  Restriction restriction(MStatus* ReturnStatus = nullptr) const;
  MStatus getMembers(MSelectionList& members, bool flatten) const;
  MStatus addMember(const MObject& object);
  MStatus addMember(const MDagPath& path, const MObject& component = MObject::kNullObj);
  MStatus addMembers(const MSelectionList& list);
  bool isMember(const MDagPath& object, const MObject& component = MObject::kNullObj,
                MStatus* ReturnStatus = nullptr) const;

protected:
  MFn::Type requiredType() const override;
};
