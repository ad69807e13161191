#pragma once
#include <maya/MDagPath.h>
#include <maya/MFnDependencyNode.h>

class OPENMAYA_EXPORT MFnDagNode : public MFnDependencyNode {
public:
  MFnDagNode();
  MFnDagNode(const MObject& object, MStatus* ReturnStatus = nullptr);
  MFnDagNode(const MDagPath& path, MStatus* ReturnStatus = nullptr);
  ~MFnDagNode() override;
  MFn::Type type() const override;
  MStatus setObject(const MDagPath& path);
  MStatus setObject(MObject& object) override;
  MStatus setObject(const MObject& object) override;

  MObject create(const MString& type, MObject& parent = MObject::kNullObj, MStatus* ReturnStatus = nullptr);
  MObject create(const MString& type, const MString& name, MObject& parent = MObject::kNullObj,
                 MStatus* ReturnStatus = nullptr);
  unsigned int parentCount(MStatus* ReturnStatus = nullptr) const;
  MObject parent(unsigned int i, MStatus* ReturnStatus = nullptr) const;
  MStatus addChild(MObject& child, unsigned int index = kNextPos, bool keepExistingParents = false);
  MStatus removeChild(MObject& child);
  unsigned int childCount(MStatus* ReturnStatus = nullptr) const;
  MObject child(unsigned int i, MStatus* ReturnStatus = nullptr) const;
  bool isIntermediateObject(MStatus* ReturnStatus = nullptr) const;
  MStatus setIntermediateObject(bool isIntermediate);
  bool isInstanced(bool indirect = true, MStatus* ReturnStatus = nullptr) const;
  MStatus getPath(MDagPath& path) const;
  MStatus getAllPaths(MDagPathArray& paths) const;
  MDagPath dagPath(MStatus* ReturnStatus = nullptr) const;
  MString fullPathName(MStatus* ReturnStatus = nullptr) const;
  MString partialPathName(MStatus* ReturnStatus = nullptr) const;
  MMatrix transformationMatrix(MStatus* ReturnStatus = nullptr) const;

  enum { kNextPos = 0xff };

protected:
  MFn::Type requiredType() const override;
  MDagPath path_;
  bool hasPath_ = false;
};
