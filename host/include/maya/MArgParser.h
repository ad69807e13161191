#pragma once
#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MSyntax;
class MSelectionList;
class MStringArray;
class MArgList;
class MString;

// An argument list parsed through a command's syntax; a list the syntax
// refuses fails the constructor's status and shows Maya's message.
class OPENMAYA_EXPORT MArgParser {
public:
  MArgParser();
  MArgParser(const MSyntax& syntax, const MArgList& argList, MStatus* ReturnStatus = nullptr);
  virtual ~MArgParser();

  bool isFlagSet(const char* flag, MStatus* ReturnStatus = nullptr) const;
  bool isEdit(MStatus* ReturnStatus = nullptr) const;
  bool isQuery(MStatus* ReturnStatus = nullptr) const;
  unsigned int numberOfFlagsUsed() const;
  unsigned int numberOfFlagUses(const char* flag) const;

  MStatus getFlagArgument(const char* flag, unsigned int index, bool& result) const;
  MStatus getFlagArgument(const char* flag, unsigned int index, int& result) const;
  MStatus getFlagArgument(const char* flag, unsigned int index, double& result) const;
  MStatus getFlagArgument(const char* flag, unsigned int index, MString& result) const;
  MStatus getFlagArgument(const char* flag, unsigned int index, unsigned int& result) const;
  bool flagArgumentBool(const char* flag, unsigned int index, MStatus* ReturnStatus = nullptr) const;
  int flagArgumentInt(const char* flag, unsigned int index, MStatus* ReturnStatus = nullptr) const;
  double flagArgumentDouble(const char* flag, unsigned int index, MStatus* ReturnStatus = nullptr) const;
  MString flagArgumentString(const char* flag, unsigned int index, MStatus* ReturnStatus = nullptr) const;
  MStatus getFlagArgumentPosition(const char* flag, unsigned int i, unsigned int& position) const;
  MStatus getFlagArgumentList(const char* flag, unsigned int i, MArgList& args) const;

  MStatus getCommandArgument(unsigned int index, bool& result) const;
  MStatus getCommandArgument(unsigned int index, int& result) const;
  MStatus getCommandArgument(unsigned int index, double& result) const;
  MStatus getCommandArgument(unsigned int index, MString& result) const;
  bool commandArgumentBool(unsigned int index, MStatus* ReturnStatus = nullptr) const;
  int commandArgumentInt(unsigned int index, MStatus* ReturnStatus = nullptr) const;
  double commandArgumentDouble(unsigned int index, MStatus* ReturnStatus = nullptr) const;
  MString commandArgumentString(unsigned int index, MStatus* ReturnStatus = nullptr) const;

  MStatus getObjects(MStringArray& result) const;
  static const char* className();

protected:
  friend class OmbrixHost::Access;
  OmbrixHost::ParsedArgs* parsed_;

private:
  MArgParser(const MArgParser&);
  MArgParser& operator=(const MArgParser&);
};
