#pragma once
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <vector>

class OPENMAYA_EXPORT MArgList {
public:
  MArgList();
  MArgList(const MArgList& other);
  ~MArgList();
  MArgList& operator=(const MArgList& other);
  unsigned int length(MStatus* ReturnStatus = nullptr) const;
  MString asString(unsigned int index, MStatus* ReturnStatus = nullptr) const;
  int asInt(unsigned int index, MStatus* ReturnStatus = nullptr) const;
  double asDouble(unsigned int index, MStatus* ReturnStatus = nullptr) const;
  bool asBool(unsigned int index, MStatus* ReturnStatus = nullptr) const;

private:
  friend class OmbrixHost::Access;
  MArgList& addArg(const MString& arg);
  std::vector<MString> args_;
};
