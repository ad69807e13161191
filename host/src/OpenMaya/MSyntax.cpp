#include "CommandSyntax.h"
#include "HostObject.h"

#include <maya/MSyntax.h>

using OmbrixHost::FlagSpec;
using OmbrixHost::SyntaxSpec;

MSyntax::MSyntax() : spec_(new SyntaxSpec()) {}
MSyntax::MSyntax(const MSyntax& other) : spec_(new SyntaxSpec(*other.spec_)) {}
MSyntax::~MSyntax() { delete spec_; }
MSyntax& MSyntax::operator=(const MSyntax& rhs) {
  if (this != &rhs)
    *spec_ = *rhs.spec_;
  return *this;
}

static std::string withoutDash(const char* name) {
  std::string text = name ? name : "";
  return !text.empty() && text[0] == '-' ? text.substr(1) : text;
}

MStatus MSyntax::addFlag(const char* shortName, const char* longName, MArgType argType1, MArgType argType2,
                         MArgType argType3, MArgType argType4, MArgType argType5, MArgType argType6) {
  FlagSpec flag;
  flag.shortName = withoutDash(shortName);
  flag.longName = withoutDash(longName);
  if (flag.shortName.empty() || flag.longName.empty() || spec_->find(flag.shortName) || spec_->find(flag.longName))
    return MStatus::kFailure;
  for (MArgType type : {argType1, argType2, argType3, argType4, argType5, argType6})
    if (type != kNoArg && type != kInvalidArgType)
      flag.types.push_back(type);
  spec_->flags.push_back(flag);
  return MStatus::kSuccess;
}

MStatus MSyntax::makeFlagMultiUse(const char* flag) {
  FlagSpec* found = spec_->find(withoutDash(flag));
  if (!found)
    return MStatus::kFailure;
  found->multiUse = true;
  return MStatus::kSuccess;
}

MStatus MSyntax::makeFlagQueryWithFullArgs(const char* flag, bool) {
  FlagSpec* found = spec_->find(withoutDash(flag));
  if (!found)
    return MStatus::kFailure;
  found->queryWithArgs = true;
  return MStatus::kSuccess;
}

MStatus MSyntax::addArg(MArgType arg) {
  spec_->arguments.push_back(arg);
  return MStatus::kSuccess;
}

void MSyntax::useSelectionAsDefault(bool useSelectionList) { spec_->selectionAsDefault = useSelectionList; }

MStatus MSyntax::setObjectType(MObjectFormat objectFormat, unsigned int minimumObjects) {
  return setObjectType(objectFormat, minimumObjects, spec_->maxObjects);
}

MStatus MSyntax::setObjectType(MObjectFormat objectFormat, unsigned int minimumObjects,
                               unsigned int maximumObjects) {
  if (objectFormat <= kInvalidObjectFormat || objectFormat >= kLastObjectFormat)
    return MStatus::kInvalidParameter;
  spec_->objectFormat = objectFormat;
  spec_->minObjects = minimumObjects;
  spec_->maxObjects = maximumObjects;
  return MStatus::kSuccess;
}

void MSyntax::setMinObjects(unsigned int minimumObjectCount) { spec_->minObjects = minimumObjectCount; }
void MSyntax::setMaxObjects(unsigned int maximumObjectCount) { spec_->maxObjects = maximumObjectCount; }
void MSyntax::enableQuery(bool supportsQuery) { spec_->query = supportsQuery; }
void MSyntax::enableEdit(bool supportsEdit) { spec_->edit = supportsEdit; }
unsigned int MSyntax::minObjects() const { return spec_->minObjects; }
// Unbounded answers 0, as Maya documents.
unsigned int MSyntax::maxObjects() const { return spec_->maxObjects == UINT_MAX ? 0 : spec_->maxObjects; }
bool MSyntax::canQuery() const { return spec_->query; }
bool MSyntax::canEdit() const { return spec_->edit; }
const char* MSyntax::className() { return "MSyntax"; }
