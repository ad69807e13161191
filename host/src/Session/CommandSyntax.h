#pragma once
// The declared syntax of a command (MSyntax's contents), the parse of an
// argument list through it (MArgParser's), and the syntax of every command
// that has one, which MEL and Python calls are checked and mapped against.
#include <maya/MTypes.h>

#include <climits>
#include <string>
#include <vector>

namespace OmbrixHost {

// Argument types are MSyntax::MArgType values.
struct FlagSpec {
  std::string shortName;  // without the leading '-'
  std::string longName;
  std::vector<int> types;  // empty: a flag without values
  bool multiUse = false;
  bool queryWithArgs = false;
};

struct SyntaxSpec {
  std::vector<FlagSpec> flags;
  std::vector<int> arguments;  // command arguments
  int objectFormat = 1;        // MSyntax::kNone
  unsigned int minObjects = 0;
  unsigned int maxObjects = UINT_MAX;
  bool selectionAsDefault = false;
  bool query = false;
  bool edit = false;

  // By short or long name, with or without the leading '-'; null if none.
  OPENMAYA_EXPORT const FlagSpec* find(const std::string& name) const;
  OPENMAYA_EXPORT FlagSpec* find(const std::string& name);
};

// A copy of the flag's declaration: the parse outlives the syntax it was made
// with (MArgDatabase(syntax(), ...) is given a temporary).
struct FlagUse {
  FlagSpec flag;
  std::vector<std::string> values;
  unsigned int position = 0;  // of the flag in the argument list
};

struct ParsedArgs {
  std::vector<FlagUse> uses;
  std::vector<std::string> positional;  // command arguments or objects
  bool query = false;
  bool edit = false;
  const FlagUse* use(const std::string& flag, unsigned int index) const;
};

// Parses `args` through `syntax`; false with Maya's message in `error`:
// "Invalid flag '-x'", "Flag '-x' must be passed a string argument".
OPENMAYA_EXPORT bool parseArguments(const SyntaxSpec& syntax, const std::vector<std::string>& args,
                                    ParsedArgs& parsed, std::string& error);
// The article and word Maya's messages name an argument type by: "a string".
OPENMAYA_EXPORT std::string argumentTypeName(int type);
// True when `text` is a value of that type as MEL spells it.
OPENMAYA_EXPORT bool fitsType(int type, const std::string& text);

// The syntax registered for a command; null for a command without one.
OPENMAYA_EXPORT const SyntaxSpec* commandSyntax(const std::string& command);
// True for a plug-in command registered without a syntax: Python's keywords
// do not reach it, as in Maya.
OPENMAYA_EXPORT bool registeredWithoutSyntax(const std::string& command);
// A command registered with `syntax`, or without one (null).
void setCommandSyntax(const std::string& command, const SyntaxSpec* syntax);
void forgetCommandSyntax(const std::string& command);

}  // namespace OmbrixHost
