// The MEL commands of the undo queue: undo, redo, flushUndo, undoInfo.
#include "MelInterpreter.h"
#include "UndoQueue.h"

#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <string>
#include <vector>

namespace OmbrixHost {

namespace {

// Maya shows the command taken back or applied again as an info line, and
// nothing left to undo as a warning.
MelValue stepCommand(const std::vector<MelValue>& args, const char* command, bool undo) {
  if (!args.empty())
    MelInterpreter::fail(std::string(command) + ": the command takes no arguments");
  std::string name, error;
  bool ok = undo ? undoQueue().undo(name, error) : undoQueue().redo(name, error);
  if (!ok && name.empty()) {
    MGlobal::displayWarning(error.c_str());
    return MelValue();
  }
  if (!ok)
    MelInterpreter::fail(error);
  MGlobal::displayInfo(((undo ? "Undo: " : "Redo: ") + name).c_str());
  return MelValue();
}

MelValue undoCommand(MelInterpreter&, const std::vector<MelValue>& args) { return stepCommand(args, "undo", true); }
MelValue redoCommand(MelInterpreter&, const std::vector<MelValue>& args) { return stepCommand(args, "redo", false); }

MelValue flushUndo(MelInterpreter&, const std::vector<MelValue>& args) {
  if (!args.empty())
    MelInterpreter::fail("flushUndo: the command takes no arguments");
  undoQueue().flush();
  return MelValue();
}

const MelFlagTable undoInfoFlags = {
    {"query", "q", 0}, {"undoName", "un", 0}, {"redoName", "rn", 0}, {"state", "st", -1}, {"undoQueueEmpty", "uqe", 0}};

MelValue undoInfo(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("undoInfo", args, undoInfoFlags);
  if (!f.has("query"))
    MelInterpreter::fail("undoInfo: only queries are supported by this host");
  if (f.has("undoName"))
    return MelValue::ofString(undoQueue().undoName());
  if (f.has("redoName"))
    return MelValue::ofString(undoQueue().redoName());
  if (f.has("undoQueueEmpty"))
    return MelValue::ofInt(undoQueue().undoName().empty() && undoQueue().redoName().empty());
  if (f.has("state"))
    return MelValue::ofInt(1);
  MelInterpreter::fail("undoInfo: nothing to query");
}

}  // namespace

void registerUndoCommands(MelInterpreter& mel) {
  mel.registerCommand("undo", undoCommand);
  mel.registerCommand("redo", redoCommand);
  mel.registerCommand("flushUndo", flushUndo);
  mel.registerCommand("undoInfo", undoInfo, undoInfoFlags);
}

}  // namespace OmbrixHost
