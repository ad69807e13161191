#pragma once
#include <maya/MFnBase.h>
#include <maya/MString.h>  // as the devkit's

class MPlug;
class MPlugArray;
class MUuid;

class OPENMAYA_EXPORT MFnDependencyNode : public MFnBase {
public:
  MFnDependencyNode();
  MFnDependencyNode(const MObject& object, MStatus* ReturnStatus = nullptr);
  ~MFnDependencyNode() override;
  MFn::Type type() const override;

  MObject create(const MString& type, MStatus* ReturnStatus = nullptr);
  MObject create(const MString& type, const MString& name, MStatus* ReturnStatus = nullptr);
  MString typeName(MStatus* ReturnStatus = nullptr) const;
  MString name(MStatus* ReturnStatus = nullptr) const;
  MString setName(const MString& name, bool createNamespace = false, MStatus* ReturnStatus = nullptr);
  MUuid uuid(MStatus* ReturnStatus = nullptr) const;
  void setUuid(const MUuid& uuid, MStatus* ReturnStatus = nullptr);
  MStatus getConnections(MPlugArray& array) const;
  unsigned int attributeCount(MStatus* ReturnStatus = nullptr) const;
  MObject attribute(unsigned int index, MStatus* ReturnStatus = nullptr) const;
  MObject attribute(const MString& attrName, MStatus* ReturnStatus = nullptr) const;
  bool hasAttribute(const MString& name, MStatus* ReturnStatus = nullptr) const;
  MPlug findPlug(const MObject& attribute, bool wantNetworkedPlug, MStatus* ReturnStatus = nullptr) const;
  MPlug findPlug(const MString& attrName, bool wantNetworkedPlug, MStatus* ReturnStatus = nullptr) const;
  MPlug findPlug(const MObject& attribute, MStatus* ReturnStatus = nullptr) const;
  MPlug findPlug(const MString& attrName, MStatus* ReturnStatus = nullptr) const;
  bool isFromReferencedFile(MStatus* ReturnStatus = nullptr) const;

protected:
  MFn::Type requiredType() const override;
};
