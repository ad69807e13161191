#pragma once
// The MEL subset the host runs: statements, global procedures, variables,
// if/else, expressions, backquotes, and the commands registered with it.
#include "MelFlagTable.h"
#include "MelLexer.h"
#include "MelValue.h"

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace OmbrixHost {

// A failure while running MEL: the reason, and the line of the text run it
// happened on once the statement that failed is known (0 before).
struct MelError : std::runtime_error {
  explicit MelError(const std::string& reason, int line = 0) : std::runtime_error(reason), line(line) {}
  int line;
};

class MelInterpreter;
using MelCommand = std::function<MelValue(MelInterpreter&, const std::vector<MelValue>& args)>;

class MelInterpreter {
public:
  MelInterpreter();

  // Runs MEL text; the value of the last statement. False with `failure`
  // set on any failure; the second form gives its text ("line N: reason").
  bool run(const std::string& text, MelValue& result, MelFailure& failure);
  bool run(const std::string& text, MelValue& result, std::string& error);
  bool sourceFile(const std::string& name, std::string& error);
  // Where `source NAME` would read NAME (".mel" added when missing): the
  // name itself, then each folder of the script path; "" when nowhere.
  std::string findScript(const std::string& name) const;

  void registerCommand(const std::string& name, MelCommand command);
  // A command with its flag table, which its parse and Python's keywords use.
  void registerCommand(const std::string& name, MelCommand command, const MelFlagTable& flags);
  void removeCommand(const std::string& name);
  bool hasCommand(const std::string& name) const;
  bool hasProcedure(const std::string& name) const;
  // The flag table registered with the command; null for one without.
  const MelFlagTable* flagTable(const std::string& name) const;
  MelValue call(const std::string& name, const std::vector<MelValue>& args);

  // Forgets every procedure and variable a script defined.
  void forgetScripts();

  [[noreturn]] static void fail(const std::string& message);

private:
  struct Procedure {
    std::vector<std::string> params;
    std::vector<MelToken> body;
  };
  struct Cursor;

  MelValue runTokens(const std::vector<MelToken>& tokens);
  MelValue statement(Cursor& c);
  MelValue block(Cursor& c);
  void skipStatement(Cursor& c);
  void procedure(Cursor& c);
  MelValue declaration(Cursor& c, bool global);
  MelValue commandStyle(Cursor& c, const std::string& name);
  std::vector<MelValue> callArgs(Cursor& c);
  MelValue expression(Cursor& c, int precedence = 0);
  MelValue primary(Cursor& c);
  MelValue& variable(const std::string& name);
  MelValue runProcedure(const Procedure& proc, const std::vector<MelValue>& args);

  std::map<std::string, MelCommand> commands_;
  std::map<std::string, MelFlagTable> flagTables_;
  std::map<std::string, Procedure> procedures_;
  std::map<std::string, MelValue> globals_;
  std::vector<std::map<std::string, MelValue>> frames_;
  std::vector<std::string> declaredGlobals_;
  int depth_ = 0;
  int nesting_ = 0;  // parentheses, braces and backquotes being read
  bool returning_ = false;
  MelValue returnValue_;
};

// The host's interpreter, with every built-in command registered.
MelInterpreter& mel();
void registerSessionCommands(MelInterpreter& mel);
void registerSceneCommands(MelInterpreter& mel);
void registerUndoCommands(MelInterpreter& mel);
void registerPolyCommands(MelInterpreter& mel);
void registerTransformCommands(MelInterpreter& mel);
void registerOptionVarCommand(MelInterpreter& mel);

// Flag parsing for built-in commands: "-q -dir", "-n name".
struct MelFlags {
  std::map<std::string, std::vector<MelValue>> flags;  // by long name
  std::vector<MelValue> positional;
  bool has(const std::string& name) const { return flags.count(name) != 0; }
  std::string text(const std::string& name, const std::string& fallback = "") const;
  double number(const std::string& name, double fallback = 0.0) const;
  // An optional boolean flag: `fallback` when absent, true when given bare,
  // else its word (true/on/yes/1).
  bool on(const std::string& name, bool fallback) const;
};

MelFlags parseMelFlags(const std::string& command, const std::vector<MelValue>& args, const MelFlagTable& spec);

}  // namespace OmbrixHost
