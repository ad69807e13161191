#pragma once
#include <maya/MFn.h>
#include <maya/MTypes.h>
#include <memory>

class OPENMAYA_EXPORT MObject {
public:
  MObject();
  MObject(const MObject& other);
  MObject& operator=(const MObject& other);
  ~MObject();
  bool hasFn(MFn::Type type) const;
  bool isNull() const;
  MFn::Type apiType() const;
  const char* apiTypeStr() const;
  bool operator==(const MObject& other) const;
  bool operator!=(const MObject& other) const;

  static MObject kNullObj;

private:
  friend class OmbrixHost::Access;
  std::shared_ptr<OmbrixHost::ObjectData> data_;
};
