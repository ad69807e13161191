#pragma once
#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MString;

// A node's 128-bit identifier, kept across renames and in scene files.
class OPENMAYA_EXPORT MUuid {
public:
  MUuid();
  MUuid(const MUuid& other);
  MUuid(const unsigned char* uuid);
  MUuid(const MString& value, MStatus* ReturnStatus = nullptr);
  ~MUuid();
  MUuid& operator=(const MUuid& rhs);
  bool operator==(const MUuid& rhs) const;
  bool operator!=(const MUuid& rhs) const;
  MStatus get(unsigned char* uuid) const;
  MString asString() const;
  operator MString() const;
  void copy(const MUuid& rhs);
  bool valid() const;
  MStatus generate();
  static const char* className();

private:
  unsigned char bytes_[16];
  bool valid_;
};
