#include <maya/MArgList.h>
#include <maya/MDGContext.h>

MArgList::MArgList() = default;
MArgList::MArgList(const MArgList& other) = default;
MArgList::~MArgList() = default;
MArgList& MArgList::operator=(const MArgList& other) = default;
unsigned int MArgList::length(MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MStatus::kSuccess;
  return static_cast<unsigned int>(args_.size());
}
static bool inRange(std::size_t index, std::size_t size, MStatus* ReturnStatus) {
  bool ok = index < size;
  if (ReturnStatus)
    *ReturnStatus = ok ? MStatus::kSuccess : MStatus::kInvalidParameter;
  return ok;
}
MString MArgList::asString(unsigned int index, MStatus* ReturnStatus) const {
  return inRange(index, args_.size(), ReturnStatus) ? args_[index] : MString();
}
int MArgList::asInt(unsigned int index, MStatus* ReturnStatus) const {
  if (!inRange(index, args_.size(), ReturnStatus))
    return 0;
  if (!args_[index].isDouble() && ReturnStatus)
    *ReturnStatus = MStatus::kInvalidParameter;
  return static_cast<int>(args_[index].asDouble());
}
double MArgList::asDouble(unsigned int index, MStatus* ReturnStatus) const {
  if (!inRange(index, args_.size(), ReturnStatus))
    return 0.0;
  if (!args_[index].isDouble() && ReturnStatus)
    *ReturnStatus = MStatus::kInvalidParameter;
  return args_[index].asDouble();
}
bool MArgList::asBool(unsigned int index, MStatus* ReturnStatus) const {
  if (!inRange(index, args_.size(), ReturnStatus))
    return false;
  const MString& a = args_[index];
  return a == "true" || a == "on" || a == "yes" || (a.isDouble() && a.asDouble() != 0.0);
}
MArgList& MArgList::addArg(const MString& arg) {
  args_.push_back(arg);
  return *this;
}

MDGContext::MDGContext() = default;
MDGContext MDGContext::fsNormal;
