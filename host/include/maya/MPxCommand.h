#pragma once
#include <maya/MStatus.h>

class MArgList;
class MString;
class MStringArray;
class MSyntax;

class OPENMAYA_EXPORT MPxCommand {
public:
  MPxCommand();
  virtual ~MPxCommand();
  virtual MStatus doIt(const MArgList& args);
  virtual MStatus undoIt();
  virtual MStatus redoIt();
  virtual bool isUndoable() const;
  virtual bool hasSyntax() const;
  MSyntax syntax() const;

  static void displayInfo(const MString& text);
  static void displayWarning(const MString& text, bool showLineNumber = false);
  static void displayError(const MString& text, bool showLineNumber = false);
  static void clearResult();
  static void setResult(const MString& result);
  static void setResult(const char* result);
  static void setResult(int result);
  static void setResult(double result);
  static void setResult(bool result);
  static void setResult(const MStringArray& result);
  static void appendToResult(const MString& result);
  static void appendToResult(const char* result);
  static void appendToResult(int result);
  static void appendToResult(double result);
  static bool isCurrentResultArray();
  static MString currentStringResult(MStatus* ReturnStatus = nullptr);

private:
  friend class OmbrixHost::Access;
  const MSyntax* syntax_ = nullptr;
};
