#pragma once
#include <maya/MDGContext.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <vector>

class MPlugArray;
class MString;
class MIntArray;

class OPENMAYA_EXPORT MPlug {
public:
  MPlug();
  MPlug(const MObject& node, const MObject& attribute);
  MPlug(const MPlug& other);
  MPlug& operator=(const MPlug& other);
  ~MPlug();

  MObject node(MStatus* ReturnStatus = nullptr) const;
  MObject attribute(MStatus* ReturnStatus = nullptr) const;
  MString name(MStatus* ReturnStatus = nullptr) const;
  MString partialName(bool includeNodeName = false, bool includeNonMandatoryIndices = false,
                      bool includeInstancedIndices = false, bool useAlias = false,
                      bool useFullAttributePath = false, bool useLongNames = false,
                      MStatus* ReturnStatus = nullptr) const;
  bool isNull(MStatus* ReturnStatus = nullptr) const;
  bool isArray(MStatus* ReturnStatus = nullptr) const;
  bool isElement(MStatus* ReturnStatus = nullptr) const;
  bool isCompound(MStatus* ReturnStatus = nullptr) const;
  bool isChild(MStatus* ReturnStatus = nullptr) const;
  bool isConnected(MStatus* ReturnStatus = nullptr) const;
  bool isDestination(MStatus* ReturnStatus = nullptr) const;
  bool isSource(MStatus* ReturnStatus = nullptr) const;
  bool connectedTo(MPlugArray& array, bool asDst, bool asSrc, MStatus* ReturnStatus = nullptr) const;
  unsigned int numElements(MStatus* ReturnStatus = nullptr) const;
  unsigned int numChildren(MStatus* ReturnStatus = nullptr) const;
  unsigned int logicalIndex(MStatus* ReturnStatus = nullptr) const;
  unsigned int getExistingArrayAttributeIndices(MIntArray& indices, MStatus* ReturnStatus = nullptr);
  MPlug elementByLogicalIndex(unsigned int logicalIndex, MStatus* ReturnStatus = nullptr) const;
  MPlug elementByPhysicalIndex(unsigned int physicalIndex, MStatus* ReturnStatus = nullptr) const;
  MPlug child(MObject& attr, MStatus* ReturnStatus = nullptr) const;
  MPlug child(unsigned int index, MStatus* ReturnStatus = nullptr) const;
  MPlug parent(MStatus* ReturnStatus = nullptr) const;
  MPlug array(MStatus* ReturnStatus = nullptr) const;
  MStatus selectAncestorLogicalIndex(unsigned int index, const MObject& attribute = MObject::kNullObj);

  MStatus getValue(MString& value, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(int& value, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(float& value, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(double& value, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(bool& value, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus setValue(const MString& value);
  MStatus setValue(const char* value);
  MStatus setValue(int value);
  MStatus setValue(float value);
  MStatus setValue(double value);
  MStatus setValue(bool value);
  MString asString(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
  int asInt(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
  float asFloat(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
  double asDouble(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
  bool asBool(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
  MStatus setString(const MString& value);
  MStatus setInt(int value);
  MStatus setFloat(float value);
  MStatus setDouble(double value);
  MStatus setBool(bool value);

  bool operator==(const MPlug& other) const;
  bool operator!=(const MPlug& other) const;

private:
  friend class OmbrixHost::Access;
  MObject node_;
  MObject attribute_;
  std::vector<int> indices_;  // logical index per attribute from the root down, -1 where unset
};
