#pragma once
// Maya's undo queue, as far as plug-in commands reach it: a command whose
// isUndoable answers true after a successful doIt is kept with the text it
// was run with; MEL "undo" calls its undoIt, "redo" its redoIt, a new
// command drops what could be redone. The host's own MEL commands are not
// recorded (they cannot be undone here).
#include <maya/MPxCommand.h>

#include <memory>
#include <string>
#include <vector>

namespace OmbrixHost {

class UndoQueue {
public:
  // Takes the command when recording is on and the command is undoable.
  void record(std::unique_ptr<MPxCommand> command, const std::string& text);
  // False with `error` set when there is nothing to undo or redo, or when
  // the command's undoIt/redoIt failed (the command then stays where it was).
  bool undo(std::string& name, std::string& error);
  bool redo(std::string& name, std::string& error);
  // Destroys every kept command (a new scene, a plug-in going away).
  void flush();
  // True when a kept command (to undo or to redo) is one of `commands`.
  bool holdsAny(const std::vector<std::string>& commands) const;
  std::string undoName() const { return undo_.empty() ? "" : undo_.back().text; }
  std::string redoName() const { return redo_.empty() ? "" : redo_.back().text; }

  // MGlobal::executeCommand with undo off: commands it runs are not kept.
  class Suspend {
  public:
    explicit Suspend(bool suspend);
    ~Suspend();
    Suspend(const Suspend&) = delete;
    Suspend& operator=(const Suspend&) = delete;

  private:
    bool suspend_;
  };
  bool recording() const { return suspended_ == 0 && active_ == 0; }

private:
  struct Entry {
    std::unique_ptr<MPxCommand> command;
    std::string text;
  };
  bool step(std::vector<Entry>& from, std::vector<Entry>& to, bool undo, std::string& name, std::string& error);

  std::vector<Entry> undo_;
  std::vector<Entry> redo_;
  int suspended_ = 0;
  int active_ = 0;  // undo or redo running: what they run is not recorded
};

UndoQueue& undoQueue();

}  // namespace OmbrixHost
