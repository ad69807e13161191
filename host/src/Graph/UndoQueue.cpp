#include "UndoQueue.h"

#include <utility>

namespace OmbrixHost {

UndoQueue& undoQueue() {
  static UndoQueue queue;
  return queue;
}

UndoQueue::Suspend::Suspend(bool suspend) : suspend_(suspend) {
  if (suspend_)
    ++undoQueue().suspended_;
}

UndoQueue::Suspend::~Suspend() {
  if (suspend_)
    --undoQueue().suspended_;
}

void UndoQueue::record(std::unique_ptr<MPxCommand> command, const std::string& text) {
  if (!command || !recording() || !command->isUndoable())
    return;
  redo_.clear();
  undo_.push_back(Entry{std::move(command), text});
}

bool UndoQueue::step(std::vector<Entry>& from, std::vector<Entry>& to, bool undo, std::string& name,
                     std::string& error) {
  if (from.empty()) {
    error = undo ? "There are no more commands to undo." : "There are no more commands to redo.";
    return false;
  }
  Entry& entry = from.back();
  name = entry.text;
  ++active_;
  MStatus status = undo ? entry.command->undoIt() : entry.command->redoIt();
  --active_;
  if (!status) {
    error = (undo ? "Undo failed: " : "Redo failed: ") + name;
    return false;
  }
  to.push_back(std::move(entry));
  from.pop_back();
  return true;
}

bool UndoQueue::undo(std::string& name, std::string& error) { return step(undo_, redo_, true, name, error); }
bool UndoQueue::redo(std::string& name, std::string& error) { return step(redo_, undo_, false, name, error); }

bool UndoQueue::holdsAny(const std::vector<std::string>& commands) const {
  for (const auto* kept : {&undo_, &redo_})
    for (const Entry& entry : *kept) {
      const std::string name = entry.text.substr(0, entry.text.find(' '));
      for (const auto& command : commands)
        if (name == command)
          return true;
    }
  return false;
}

void UndoQueue::flush() {
  // Moved out first: a command's destructor may reach the queue again.
  std::vector<Entry> undo, redo;
  undo.swap(undo_);
  redo.swap(redo_);
}

}  // namespace OmbrixHost
