#include "HostObject.h"
#include "HostSession.h"
#include "MelInterpreter.h"
#include "Scene.h"
#include "UndoQueue.h"

#include <maya/MGlobal.h>

#include <iostream>

using OmbrixHost::MelValue;
using OmbrixHost::scene;

namespace {

// With undo off, nothing the command runs is kept on the undo queue.
MStatus run(const MString& command, MelValue& value, bool display, bool undo) {
  OmbrixHost::UndoQueue::Suspend suspend(!undo);
  std::string error;
  if (!OmbrixHost::runMel(command.asChar(), value, error))
    return OmbrixHost::Access::failure(MStatus::kFailure, MString(error.c_str()));
  if (display && value.kind != MelValue::kNone)
    std::cout << "// Result: " << value.asString() << " //" << std::endl;
  return MStatus::kSuccess;
}

// A command whose result must be a number; `out` is left alone otherwise.
MStatus runNumber(const MString& command, double& out, bool display, bool undo) {
  MelValue v;
  MStatus st = run(command, v, display, undo);
  if (!st)
    return st;
  if (!v.isNumber())
    return OmbrixHost::Access::failure(MStatus::kInvalidParameter, "the command's result is not a number");
  out = v.asNumber();
  return st;
}

}  // namespace

MStatus MGlobal::executeCommand(const MString& command, bool displayEnabled, bool undoEnabled) {
  MelValue v;
  return run(command, v, displayEnabled, undoEnabled);
}

MStatus MGlobal::executeCommand(const MString& command, int& result, bool displayEnabled, bool undoEnabled) {
  double d = 0.0;
  MStatus st = runNumber(command, d, displayEnabled, undoEnabled);
  if (st)
    result = static_cast<int>(d);
  return st;
}

MStatus MGlobal::executeCommand(const MString& command, double& result, bool displayEnabled, bool undoEnabled) {
  return runNumber(command, result, displayEnabled, undoEnabled);
}

MStatus MGlobal::executeCommand(const MString& command, MIntArray& result, bool displayEnabled, bool undoEnabled) {
  MDoubleArray numbers;
  MStatus st = executeCommand(command, numbers, displayEnabled, undoEnabled);
  if (!st)
    return st;
  result.clear();
  for (unsigned int i = 0; i < numbers.length(); ++i)
    result.append(static_cast<int>(numbers[i]));
  return st;
}

MStatus MGlobal::executeCommand(const MString& command, MDoubleArray& result, bool displayEnabled, bool undoEnabled) {
  MelValue v;
  MStatus st = run(command, v, displayEnabled, undoEnabled);
  if (!st)
    return st;
  result.clear();
  if (v.kind == MelValue::kIntArray || v.kind == MelValue::kFloatArray)
    for (double d : v.numbers)
      result.append(d);
  else if (v.isNumber())
    result.append(v.asNumber());
  return st;
}

MStatus MGlobal::executeCommand(const MString& command, MString& result, bool displayEnabled, bool undoEnabled) {
  MelValue v;
  MStatus st = run(command, v, displayEnabled, undoEnabled);
  if (st)
    result = v.kind == MelValue::kStringArray && !v.strings.empty() ? v.strings[0].c_str() : v.asString().c_str();
  return st;
}

MStatus MGlobal::executeCommand(const MString& command, MStringArray& result, bool displayEnabled, bool undoEnabled) {
  MelValue v;
  MStatus st = run(command, v, displayEnabled, undoEnabled);
  if (!st)
    return st;
  result.clear();
  if (v.kind == MelValue::kStringArray)
    for (const auto& s : v.strings)
      result.append(MString(s.c_str()));
  else if (v.kind != MelValue::kNone)
    result.append(MString(v.asString().c_str()));
  return st;
}

MString MGlobal::executeCommandStringResult(const MString& command, bool displayEnabled, bool undoEnabled,
                                            MStatus* ReturnStatus) {
  MString out;
  MStatus st = executeCommand(command, out, displayEnabled, undoEnabled);
  if (ReturnStatus)
    *ReturnStatus = st;
  return out;
}

MStatus MGlobal::sourceFile(const MString& fileName) {
  std::string error;
  if (OmbrixHost::mel().sourceFile(fileName.asChar(), error))
    return MStatus::kSuccess;
  std::cerr << "// Error: " << error << " //" << std::endl;
  return OmbrixHost::Access::failure(MStatus::kFailure, MString(error.c_str()));
}

MStatus MGlobal::getActiveSelectionList(MSelectionList& dest, bool) {
  dest = scene().activeSelection();
  return MStatus::kSuccess;
}

MStatus MGlobal::setActiveSelectionList(const MSelectionList& src, ListAdjustment mode) {
  MSelectionList& active = scene().activeSelection();
  if (mode == kReplaceList)
    active = src;
  else if (mode == kAddToList || mode == kXORWithList)
    for (unsigned int i = 0; i < src.length(); ++i) {
      MDagPath p;
      MObject c, n;
      if (src.getDagPath(i, p, c) == MStatus::kSuccess)
        active.add(p, c, true);
      else if (src.getDependNode(i, n) == MStatus::kSuccess)
        active.add(n, true);
    }
  else if (mode == kAddToHeadOfList) {
    MSelectionList merged = src;
    for (unsigned int i = 0; i < active.length(); ++i) {
      MDagPath p;
      MObject c, n;
      if (active.getDagPath(i, p, c) == MStatus::kSuccess)
        merged.add(p, c, true);
      else if (active.getDependNode(i, n) == MStatus::kSuccess)
        merged.add(n, true);
    }
    active = merged;
  } else {
    return MStatus::kNotImplemented;
  }
  return MStatus::kSuccess;
}

MStatus MGlobal::selectByName(const MString& name, ListAdjustment mode) {
  MSelectionList list;
  MStatus st = list.add(name);
  if (!st)
    return st;
  return setActiveSelectionList(list, mode);
}

MStatus MGlobal::getSelectionListByName(const MString& name, MSelectionList& list) {
  list.clear();
  return list.add(name);
}

MStatus MGlobal::clearSelectionList() {
  scene().activeSelection().clear();
  return MStatus::kSuccess;
}

MStatus MGlobal::removeFromModel(MObject& node) {
  OmbrixHost::Node* n = OmbrixHost::Access::node(node);
  if (!n)
    return MStatus::kInvalidParameter;
  scene().deleteNode(n);
  return MStatus::kSuccess;
}

MStatus MGlobal::deleteNode(MObject& node) { return removeFromModel(node); }

MGlobal::MMayaState MGlobal::mayaState(MStatus* ReturnStatus) {
  if (ReturnStatus)
    *ReturnStatus = MStatus::kSuccess;
  return scene().interactive ? kInteractive : kBatch;
}

MString MGlobal::mayaVersion() { return MString("host stand-in"); }
int MGlobal::apiVersion() { return MAYA_API_VERSION; }

// As Maya prints them: in batch mode a plain "Warning: " or "Error: " line on
// the error stream, in the script editor the same text between "//" marks.
void MGlobal::displayInfo(const MString& text) {
  if (OmbrixHost::keepDisplayed("Info", text.asChar()))
    return;
  std::cout << text.asChar() << std::endl;
}

namespace {

void displayMarked(const char* kind, const MString& text) {
  if (OmbrixHost::keepDisplayed(kind, text.asChar()))
    return;
  if (scene().interactive)
    std::cerr << "// " << kind << ": " << text.asChar() << " //" << std::endl;
  else
    std::cerr << kind << ": " << text.asChar() << std::endl;
}

}  // namespace

void MGlobal::displayWarning(const MString& text) { displayMarked("Warning", text); }
void MGlobal::displayError(const MString& text) { displayMarked("Error", text); }

// A variable that holds a number is not a string one: "" and not there.
MString MGlobal::optionVarStringValue(const MString& name, bool* exists) {
  const auto& vars = scene().optionVars;
  const auto it = vars.find(name.asChar());
  const bool found = it != vars.end() && it->second.kind == OmbrixHost::Scene::OptionVar::kString;
  if (exists != nullptr) *exists = found;
  return found ? MString(it->second.text.c_str()) : MString();
}
