#pragma once
#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <vector>

class MStringArray;
class MUuid;

class OPENMAYA_EXPORT MSelectionList {
public:
  enum MergeStrategy { kMergeNormal = 0, kXORWithList, kRemoveFromList };
  MSelectionList();
  MSelectionList(const MSelectionList& other);
  MSelectionList& operator=(const MSelectionList& other);
  ~MSelectionList();

  MStatus clear();
  bool isEmpty(MStatus* ReturnStatus = nullptr) const;
  unsigned int length(MStatus* ReturnStatus = nullptr) const;
  MStatus add(const MString& matchString, bool searchChildNamespacesToo = false);
  MStatus add(const MObject& object, bool mergeWithExisting = false);
  MStatus add(const MUuid& uuid, bool mergeWithExisting = false);
  MStatus add(const MDagPath& object, const MObject& component = MObject::kNullObj,
              bool mergeWithExisting = false);
  MStatus getDependNode(unsigned int index, MObject& depNode) const;
  MStatus getDagPath(unsigned int index, MDagPath& dagPath,
                     MObject& component = MObject::kNullObj) const;
  MStatus remove(unsigned int index);
  MStatus getSelectionStrings(MStringArray& array) const;

private:
  friend class OmbrixHost::Access;
  struct Item {
    MObject node;
    MDagPath path;
    MObject component;
    bool hasPath = false;
  };
  std::vector<Item> items_;
};
