#pragma once
#include <maya/MStatus.h>
#include <maya/MTypes.h>

// A command's flags (short and long names with up to six typed values),
// its command arguments or objects, and whether it queries and edits.
class OPENMAYA_EXPORT MSyntax {
public:
  enum MArgType {
    kInvalidArgType,
    kNoArg,
    kBoolean,
    kLong,
    kDouble,
    kString,
    kUnsigned,
    kDistance,
    kAngle,
    kTime,
    kSelectionItem,
    kLastArgType
  };
  enum MObjectFormat { kInvalidObjectFormat, kNone, kStringObjects, kSelectionList, kLastObjectFormat };

  MSyntax();
  MSyntax(const MSyntax& other);
  virtual ~MSyntax();
  MSyntax& operator=(const MSyntax& rhs);

  MStatus addFlag(const char* shortName, const char* longName, MArgType argType1 = kNoArg,
                  MArgType argType2 = kNoArg, MArgType argType3 = kNoArg, MArgType argType4 = kNoArg,
                  MArgType argType5 = kNoArg, MArgType argType6 = kNoArg);
  MStatus makeFlagMultiUse(const char* flag);
  MStatus makeFlagQueryWithFullArgs(const char* flag, bool queryArgsAreOptional);
  MStatus addArg(MArgType arg);
  void useSelectionAsDefault(bool useSelectionList = false);
  MStatus setObjectType(MObjectFormat objectFormat, unsigned int minimumObjects = 0);
  MStatus setObjectType(MObjectFormat objectFormat, unsigned int minimumObjects, unsigned int maximumObjects);
  void setMinObjects(unsigned int minimumObjectCount);
  void setMaxObjects(unsigned int maximumObjectCount);
  void enableQuery(bool supportsQuery = true);
  void enableEdit(bool supportsEdit = true);
  unsigned int minObjects() const;
  unsigned int maxObjects() const;
  bool canQuery() const;
  bool canEdit() const;
  static const char* className();

private:
  friend class OmbrixHost::Access;
  OmbrixHost::SyntaxSpec* spec_;
};
