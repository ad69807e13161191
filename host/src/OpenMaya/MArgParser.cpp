#include "CommandSyntax.h"
#include "HostObject.h"

#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MArgParser.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

#include <cstdlib>

using OmbrixHost::FlagUse;
using OmbrixHost::ParsedArgs;

namespace {

std::vector<std::string> texts(const MArgList& list) {
  std::vector<std::string> out;
  for (unsigned int i = 0; i < list.length(); ++i)
    out.push_back(list.asString(i).asChar());
  return out;
}

MStatus status(bool ok) { return ok ? MStatus::kSuccess : MStatus::kFailure; }

void report(MStatus* ReturnStatus, bool ok) {
  if (ReturnStatus)
    *ReturnStatus = status(ok);
}

// One value of a parsed list as the type asked for; false when it is not one.
bool convert(const std::string& text, std::string& result) {
  result = text;
  return true;
}
bool convert(const std::string& text, double& result) {
  if (!OmbrixHost::fitsType(MSyntax::kDouble, text))
    return false;
  result = std::strtod(text.c_str(), nullptr);
  return true;
}
bool convert(const std::string& text, int& result) {
  if (!OmbrixHost::fitsType(MSyntax::kLong, text))
    return false;
  result = static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
  return true;
}
bool convert(const std::string& text, unsigned int& result) {
  int value = 0;
  if (!convert(text, value) || value < 0)
    return false;
  result = static_cast<unsigned int>(value);
  return true;
}
bool convert(const std::string& text, bool& result) {
  if (!OmbrixHost::fitsType(MSyntax::kBoolean, text))
    return false;
  result = text == "true" || text == "on" || text == "yes" || text == "1";
  return true;
}

template <typename T>
MStatus flagValue(const ParsedArgs* parsed, const char* flag, unsigned int index, T& result) {
  const FlagUse* use = parsed ? parsed->use(flag ? flag : "", 0) : nullptr;
  return status(use && index < use->values.size() && convert(use->values[index], result));
}

template <typename T>
MStatus commandValue(const ParsedArgs* parsed, unsigned int index, T& result) {
  return status(parsed && index < parsed->positional.size() && convert(parsed->positional[index], result));
}

MStatus toMString(MStatus found, const std::string& text, MString& result) {
  if (found)
    result = MString(text.c_str());
  return found;
}

template <typename T, typename Get>
T answer(Get get, MStatus* ReturnStatus) {
  T value{};
  const MStatus found = get(value);
  if (ReturnStatus)
    *ReturnStatus = found;
  return value;
}

}  // namespace

MArgParser::MArgParser() : parsed_(nullptr) {}

MArgParser::MArgParser(const MSyntax& syntax, const MArgList& argList, MStatus* ReturnStatus)
    : parsed_(new ParsedArgs()) {
  std::string error;
  const bool ok = OmbrixHost::parseArguments(OmbrixHost::Access::syntaxSpec(syntax), texts(argList), *parsed_, error);
  if (!ok)
    MGlobal::displayError(MString(error.c_str()));
  report(ReturnStatus, ok);
}

MArgParser::~MArgParser() { delete parsed_; }

bool MArgParser::isFlagSet(const char* flag, MStatus* ReturnStatus) const {
  report(ReturnStatus, parsed_ != nullptr);
  return parsed_ && parsed_->use(flag ? flag : "", 0) != nullptr;
}
bool MArgParser::isEdit(MStatus* ReturnStatus) const {
  report(ReturnStatus, parsed_ != nullptr);
  return parsed_ && parsed_->edit;
}
bool MArgParser::isQuery(MStatus* ReturnStatus) const {
  report(ReturnStatus, parsed_ != nullptr);
  return parsed_ && parsed_->query;
}
unsigned int MArgParser::numberOfFlagsUsed() const {
  return parsed_ ? static_cast<unsigned int>(parsed_->uses.size()) : 0;
}
unsigned int MArgParser::numberOfFlagUses(const char* flag) const {
  unsigned int count = 0;
  while (parsed_ && parsed_->use(flag ? flag : "", count))
    ++count;
  return count;
}

MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, bool& result) const {
  return flagValue(parsed_, flag, index, result);
}
MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, int& result) const {
  return flagValue(parsed_, flag, index, result);
}
MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, double& result) const {
  return flagValue(parsed_, flag, index, result);
}
MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, MString& result) const {
  std::string text;
  return toMString(flagValue(parsed_, flag, index, text), text, result);
}
MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, unsigned int& result) const {
  return flagValue(parsed_, flag, index, result);
}
bool MArgParser::flagArgumentBool(const char* flag, unsigned int index, MStatus* ReturnStatus) const {
  return answer<bool>([&](bool& v) { return getFlagArgument(flag, index, v); }, ReturnStatus);
}
int MArgParser::flagArgumentInt(const char* flag, unsigned int index, MStatus* ReturnStatus) const {
  return answer<int>([&](int& v) { return getFlagArgument(flag, index, v); }, ReturnStatus);
}
double MArgParser::flagArgumentDouble(const char* flag, unsigned int index, MStatus* ReturnStatus) const {
  return answer<double>([&](double& v) { return getFlagArgument(flag, index, v); }, ReturnStatus);
}
MString MArgParser::flagArgumentString(const char* flag, unsigned int index, MStatus* ReturnStatus) const {
  return answer<MString>([&](MString& v) { return getFlagArgument(flag, index, v); }, ReturnStatus);
}

MStatus MArgParser::getFlagArgumentPosition(const char* flag, unsigned int i, unsigned int& position) const {
  const FlagUse* use = parsed_ ? parsed_->use(flag ? flag : "", i) : nullptr;
  if (use)
    position = use->position;
  return status(use != nullptr);
}

// The values of the i-th use of a (multi-use) flag.
MStatus MArgParser::getFlagArgumentList(const char* flag, unsigned int i, MArgList& args) const {
  const FlagUse* use = parsed_ ? parsed_->use(flag ? flag : "", i) : nullptr;
  if (!use)
    return MStatus::kFailure;
  args = MArgList();
  for (const std::string& value : use->values)
    OmbrixHost::Access::addArg(args, MString(value.c_str()));
  return MStatus::kSuccess;
}

MStatus MArgParser::getCommandArgument(unsigned int index, bool& result) const {
  return commandValue(parsed_, index, result);
}
MStatus MArgParser::getCommandArgument(unsigned int index, int& result) const {
  return commandValue(parsed_, index, result);
}
MStatus MArgParser::getCommandArgument(unsigned int index, double& result) const {
  return commandValue(parsed_, index, result);
}
MStatus MArgParser::getCommandArgument(unsigned int index, MString& result) const {
  std::string text;
  return toMString(commandValue(parsed_, index, text), text, result);
}
bool MArgParser::commandArgumentBool(unsigned int index, MStatus* ReturnStatus) const {
  return answer<bool>([&](bool& v) { return getCommandArgument(index, v); }, ReturnStatus);
}
int MArgParser::commandArgumentInt(unsigned int index, MStatus* ReturnStatus) const {
  return answer<int>([&](int& v) { return getCommandArgument(index, v); }, ReturnStatus);
}
double MArgParser::commandArgumentDouble(unsigned int index, MStatus* ReturnStatus) const {
  return answer<double>([&](double& v) { return getCommandArgument(index, v); }, ReturnStatus);
}
MString MArgParser::commandArgumentString(unsigned int index, MStatus* ReturnStatus) const {
  return answer<MString>([&](MString& v) { return getCommandArgument(index, v); }, ReturnStatus);
}

MStatus MArgParser::getObjects(MStringArray& result) const {
  if (!parsed_)
    return MStatus::kFailure;
  result.clear();
  for (const std::string& object : parsed_->positional)
    result.append(MString(object.c_str()));
  return MStatus::kSuccess;
}
const char* MArgParser::className() { return "MArgParser"; }

MArgDatabase::MArgDatabase() = default;
MArgDatabase::MArgDatabase(const MSyntax& syntax, const MArgList& argList, MStatus* ReturnStatus)
    : MArgParser(syntax, argList, ReturnStatus) {}
MArgDatabase::~MArgDatabase() = default;

// The objects named on the command line.
MStatus MArgDatabase::getObjects(MSelectionList& result) const {
  if (!parsed_)
    return MStatus::kFailure;
  result.clear();
  for (const std::string& object : parsed_->positional)
    if (!result.add(MString(object.c_str())))
      return MStatus::kInvalidParameter;
  return MStatus::kSuccess;
}
MStatus MArgDatabase::getFlagArgument(const char* flag, unsigned int index, bool& result) const {
  return MArgParser::getFlagArgument(flag, index, result);
}
MStatus MArgDatabase::getFlagArgument(const char* flag, unsigned int index, int& result) const {
  return MArgParser::getFlagArgument(flag, index, result);
}
MStatus MArgDatabase::getFlagArgument(const char* flag, unsigned int index, double& result) const {
  return MArgParser::getFlagArgument(flag, index, result);
}
MStatus MArgDatabase::getFlagArgument(const char* flag, unsigned int index, MString& result) const {
  return MArgParser::getFlagArgument(flag, index, result);
}
MStatus MArgDatabase::getFlagArgument(const char* flag, unsigned int index, unsigned int& result) const {
  return MArgParser::getFlagArgument(flag, index, result);
}
MStatus MArgDatabase::getCommandArgument(unsigned int index, bool& result) const {
  return MArgParser::getCommandArgument(index, result);
}
MStatus MArgDatabase::getCommandArgument(unsigned int index, int& result) const {
  return MArgParser::getCommandArgument(index, result);
}
MStatus MArgDatabase::getCommandArgument(unsigned int index, double& result) const {
  return MArgParser::getCommandArgument(index, result);
}
MStatus MArgDatabase::getCommandArgument(unsigned int index, MString& result) const {
  return MArgParser::getCommandArgument(index, result);
}
MStatus MArgDatabase::getObjects(MStringArray& result) const { return MArgParser::getObjects(result); }
const char* MArgDatabase::className() { return "MArgDatabase"; }
