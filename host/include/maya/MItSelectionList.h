#pragma once
#include <maya/MFn.h>
#include <maya/MSelectionList.h>

class OPENMAYA_EXPORT MItSelectionList {
public:
  enum selItemType { kUnknownItem = -1, kDagSelectionItem = 0, kAnimSelectionItem, kDNselectionItem };
  MItSelectionList(const MSelectionList& list, MFn::Type filter = MFn::kInvalid,
                   MStatus* ReturnStatus = nullptr);
  ~MItSelectionList();
  bool isDone(MStatus* ReturnStatus = nullptr);
  MStatus next();
  MStatus reset();
  MStatus getDependNode(MObject& depNode);
  MStatus getDagPath(MDagPath& dagPath, MObject& component);
  MStatus getDagPath(MDagPath& dagPath);
  MStatus getStrings(MStringArray& array);
  selItemType itemType(MStatus* ReturnStatus = nullptr);
  MStatus setFilter(MFn::Type filter);

private:
  bool matches() const;
  void skipUnmatched();
  MSelectionList list_;
  MFn::Type filter_;
  unsigned int index_ = 0;
};
