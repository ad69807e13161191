#include "PluginState.h"

#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>
#include <maya/MSyntax.h>

namespace OmbrixHost {
// The result a plug-in command sets while it runs.
MelValue& commandResult() {
  static MelValue result;
  return result;
}
}  // namespace OmbrixHost

using OmbrixHost::commandResult;
using OmbrixHost::MelValue;

MPxCommand::MPxCommand() = default;
MPxCommand::~MPxCommand() = default;
MStatus MPxCommand::doIt(const MArgList&) { return MStatus::kSuccess; }
MStatus MPxCommand::undoIt() { return MStatus::kFailure; }
MStatus MPxCommand::redoIt() { return MStatus::kFailure; }
bool MPxCommand::isUndoable() const { return false; }
bool MPxCommand::hasSyntax() const { return false; }
// The syntax registered with the command; an empty one for a command without.
MSyntax MPxCommand::syntax() const { return syntax_ ? *syntax_ : MSyntax(); }

void MPxCommand::displayInfo(const MString& text) { MGlobal::displayInfo(text); }
void MPxCommand::displayWarning(const MString& text, bool) { MGlobal::displayWarning(text); }
void MPxCommand::displayError(const MString& text, bool) { MGlobal::displayError(text); }
void MPxCommand::clearResult() { commandResult() = MelValue(); }
void MPxCommand::setResult(const MString& result) { commandResult() = MelValue::ofString(result.asChar()); }
void MPxCommand::setResult(const char* result) { setResult(MString(result)); }
void MPxCommand::setResult(int result) { commandResult() = MelValue::ofInt(result); }
void MPxCommand::setResult(double result) { commandResult() = MelValue::ofFloat(result); }
void MPxCommand::setResult(bool result) {
  commandResult() = MelValue::ofInt(result ? 1 : 0);
  commandResult().boolean = true;
}
void MPxCommand::setResult(const MStringArray& result) {
  MelValue v = MelValue::ofStrings({});
  for (unsigned int i = 0; i < result.length(); ++i)
    v.strings.push_back(result[i].asChar());
  commandResult() = v;
}
void MPxCommand::appendToResult(const MString& result) {
  MelValue& v = commandResult();
  if (v.kind != MelValue::kStringArray) {
    MelValue fresh = MelValue::ofStrings({});
    if (v.kind != MelValue::kNone)
      fresh.strings.push_back(v.asString());
    v = fresh;
  }
  v.strings.push_back(result.asChar());
}
void MPxCommand::appendToResult(const char* result) { appendToResult(MString(result)); }
void MPxCommand::appendToResult(int result) {
  MString s;
  s += result;
  appendToResult(s);
}
void MPxCommand::appendToResult(double result) {
  MString s;
  s += result;
  appendToResult(s);
}
bool MPxCommand::isCurrentResultArray() { return commandResult().kind == MelValue::kStringArray; }
MString MPxCommand::currentStringResult(MStatus* ReturnStatus) {
  if (ReturnStatus)
    *ReturnStatus = MStatus::kSuccess;
  return MString(commandResult().asString().c_str());
}
