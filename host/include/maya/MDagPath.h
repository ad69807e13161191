#pragma once
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <vector>

class MDagPathArray;
class MMatrix;
class MString;

// A path from the world down to one DAG node; the world itself is the empty path.
class OPENMAYA_EXPORT MDagPath {
public:
  MDagPath();
  MDagPath(const MDagPath& other);
  MDagPath& operator=(const MDagPath& other);
  ~MDagPath();
  bool operator==(const MDagPath& other) const;

  MObject node(MStatus* ReturnStatus = nullptr) const;
  MObject transform(MStatus* ReturnStatus = nullptr) const;
  unsigned int length(MStatus* ReturnStatus = nullptr) const;
  bool isValid(MStatus* ReturnStatus = nullptr) const;
  MString fullPathName(MStatus* ReturnStatus = nullptr) const;
  MString partialPathName(MStatus* ReturnStatus = nullptr) const;
  MMatrix inclusiveMatrix(MStatus* ReturnStatus = nullptr) const;
  MMatrix exclusiveMatrix(MStatus* ReturnStatus = nullptr) const;
  MMatrix inclusiveMatrixInverse(MStatus* ReturnStatus = nullptr) const;
  MFn::Type apiType(MStatus* ReturnStatus = nullptr) const;
  bool hasFn(MFn::Type type, MStatus* ReturnStatus = nullptr) const;
  unsigned int childCount(MStatus* ReturnStatus = nullptr) const;
  MObject child(unsigned int index, MStatus* ReturnStatus = nullptr) const;
  MStatus push(const MObject& child);
  MStatus pop(unsigned int count = 1);
  MStatus extendToShape();
  unsigned int instanceNumber(MStatus* ReturnStatus = nullptr) const;
  bool isInstanced(MStatus* ReturnStatus = nullptr) const;
  MStatus set(const MDagPath& src);

  static MStatus getAPathTo(const MObject& node, MDagPath& path);
  static MStatus getAllPathsTo(const MObject& node, MDagPathArray& paths);

private:
  friend class OmbrixHost::Access;
  std::vector<MObject> nodes_;
};
