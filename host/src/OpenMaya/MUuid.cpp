#include "HostObject.h"
#include "Uuid.h"

#include <maya/MString.h>
#include <maya/MUuid.h>

#include <algorithm>
#include <cstring>

using OmbrixHost::UuidBytes;

MUuid::MUuid() : bytes_{}, valid_(false) {}
MUuid::MUuid(const MUuid& other) = default;
MUuid::MUuid(const unsigned char* uuid) : bytes_{}, valid_(uuid != nullptr) {
  if (uuid != nullptr) std::memcpy(bytes_, uuid, sizeof bytes_);
}
MUuid::MUuid(const MString& value, MStatus* s) : bytes_{}, valid_(false) {
  UuidBytes bytes{};
  valid_ = OmbrixHost::parseUuid(value.asChar(), bytes);
  if (valid_) std::copy(bytes.begin(), bytes.end(), bytes_);
  OmbrixHost::reportStatus(s, valid_);
}
MUuid::~MUuid() = default;
MUuid& MUuid::operator=(const MUuid& rhs) = default;
bool MUuid::operator==(const MUuid& rhs) const {
  return valid_ == rhs.valid_ && std::memcmp(bytes_, rhs.bytes_, sizeof bytes_) == 0;
}
bool MUuid::operator!=(const MUuid& rhs) const { return !(*this == rhs); }

MStatus MUuid::get(unsigned char* uuid) const {
  if (!valid_ || uuid == nullptr) return MStatus::kFailure;
  std::memcpy(uuid, bytes_, sizeof bytes_);
  return MStatus::kSuccess;
}

MString MUuid::asString() const {
  if (!valid_) return MString();
  UuidBytes bytes{};
  std::copy(bytes_, bytes_ + sizeof bytes_, bytes.begin());
  return MString(OmbrixHost::formatUuid(bytes).c_str());
}

MUuid::operator MString() const { return asString(); }
void MUuid::copy(const MUuid& rhs) { *this = rhs; }
bool MUuid::valid() const { return valid_; }

MStatus MUuid::generate() {
  const UuidBytes bytes = OmbrixHost::newUuid();
  std::copy(bytes.begin(), bytes.end(), bytes_);
  valid_ = true;
  return MStatus::kSuccess;
}

const char* MUuid::className() { return "MUuid"; }
