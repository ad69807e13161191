#pragma once
#include <maya/MDoubleArray.h>
#include <maya/MIntArray.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

class MObject;
class MSelectionList;

class OPENMAYA_EXPORT MGlobal {
public:
  enum ListAdjustment { kReplaceList = 0, kXORWithList, kAddToList, kRemoveFromList, kAddToHeadOfList };
  enum MMayaState { kInteractive = 0, kBatch, kLibraryApp, kBaseUIMode };

  static MStatus executeCommand(const MString& command, bool displayEnabled = false, bool undoEnabled = false);
  static MStatus executeCommand(const MString& command, int& result, bool displayEnabled = false,
                                bool undoEnabled = false);
  static MStatus executeCommand(const MString& command, MIntArray& result, bool displayEnabled = false,
                                bool undoEnabled = false);
  static MStatus executeCommand(const MString& command, double& result, bool displayEnabled = false,
                                bool undoEnabled = false);
  static MStatus executeCommand(const MString& command, MDoubleArray& result, bool displayEnabled = false,
                                bool undoEnabled = false);
  static MStatus executeCommand(const MString& command, MString& result, bool displayEnabled = false,
                                bool undoEnabled = false);
  static MStatus executeCommand(const MString& command, MStringArray& result, bool displayEnabled = false,
                                bool undoEnabled = false);
  static MString executeCommandStringResult(const MString& command, bool displayEnabled = false,
                                            bool undoEnabled = false, MStatus* ReturnStatus = nullptr);
  static MStatus sourceFile(const MString& fileName);

  static MStatus getActiveSelectionList(MSelectionList& dest, bool orderedSelectionIfAvailable = false);
  static MStatus setActiveSelectionList(const MSelectionList& src, ListAdjustment mode = kReplaceList);
  static MStatus selectByName(const MString& name, ListAdjustment mode = kAddToList);
  static MStatus getSelectionListByName(const MString& name, MSelectionList& list);
  static MStatus clearSelectionList();
  static MStatus removeFromModel(MObject& node);
  static MStatus deleteNode(MObject& node);
  static MMayaState mayaState(MStatus* ReturnStatus = nullptr);
  static MString mayaVersion();
  static int apiVersion();

  static void displayInfo(const MString& text);
  static void displayWarning(const MString& text);
  static void displayError(const MString& text);
  static MString optionVarStringValue(const MString& name, bool* exists = nullptr);
};
