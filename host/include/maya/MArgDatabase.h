#pragma once
#include <maya/MArgParser.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MSyntax;
class MSelectionList;
class MStringArray;
class MArgList;

// MArgParser that also answers objects as a selection list.
class OPENMAYA_EXPORT MArgDatabase : public MArgParser {
public:
  MArgDatabase();
  MArgDatabase(const MSyntax& syntax, const MArgList& argList, MStatus* ReturnStatus = nullptr);
  ~MArgDatabase() override;

  MStatus getObjects(MSelectionList& result) const;
  MStatus getFlagArgument(const char* flag, unsigned int index, bool& result) const;
  MStatus getFlagArgument(const char* flag, unsigned int index, int& result) const;
  MStatus getFlagArgument(const char* flag, unsigned int index, double& result) const;
  MStatus getFlagArgument(const char* flag, unsigned int index, MString& result) const;
  MStatus getFlagArgument(const char* flag, unsigned int index, unsigned int& result) const;
  MStatus getCommandArgument(unsigned int index, bool& result) const;
  MStatus getCommandArgument(unsigned int index, int& result) const;
  MStatus getCommandArgument(unsigned int index, double& result) const;
  MStatus getCommandArgument(unsigned int index, MString& result) const;
  MStatus getObjects(MStringArray& result) const;
  static const char* className();
};
