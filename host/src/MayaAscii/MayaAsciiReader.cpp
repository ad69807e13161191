// Reading Maya ASCII scenes. A .ma file is MEL: each statement runs through
// the host's interpreter, except setAttr, whose values (a mesh's millions of
// numbers) are read straight from the text. A statement that fails is
// reported as "file:line: reason" and the reading goes on.
#include "HostSession.h"
#include "MelInterpreter.h"
#include "Scene.h"
#include "SceneLoading.h"
#include "SceneEvaluation.h"
#include "SetAttr.h"
#include "References.h"

#include <algorithm>
#include <cctype>

namespace OmbrixHost {
namespace {

struct Statement {
  const char* begin;
  const char* end;
  int line;
};

class StatementSplitter {
public:
  StatementSplitter(const std::string& text) : p_(text.data()), end_(text.data() + text.size()) {}

  // False at the end of the text; `error` is set for an unterminated string.
  bool next(Statement& s, std::string& error) {
    skipBlanksAndComments();
    if (p_ >= end_)
      return false;
    s.begin = p_;
    s.line = line_;
    int depth = 0;
    while (p_ < end_) {
      char c = *p_;
      if (c == '"' || c == '`') {
        if (!skipQuoted(c)) {
          error = "unterminated string";
          s.end = end_;
          return true;
        }
        continue;
      }
      if (c == '\n')
        ++line_;
      else if (c == '(' || c == '{')
        ++depth;
      else if (c == ')' || c == '}')
        --depth;
      else if (c == ';' && depth <= 0) {
        s.end = p_++;
        return true;
      }
      ++p_;
    }
    s.end = end_;
    return true;
  }

private:
  void skipBlanksAndComments() {
    while (p_ < end_) {
      if (*p_ == '\n') {
        ++line_;
        ++p_;
      } else if (std::isspace(static_cast<unsigned char>(*p_))) {
        ++p_;
      } else if (*p_ == '/' && p_ + 1 < end_ && p_[1] == '/') {
        while (p_ < end_ && *p_ != '\n')
          ++p_;
      } else if (*p_ == '/' && p_ + 1 < end_ && p_[1] == '*') {
        p_ += 2;
        while (p_ + 1 < end_ && !(p_[0] == '*' && p_[1] == '/')) {
          if (*p_ == '\n')
            ++line_;
          ++p_;
        }
        p_ = p_ + 2 < end_ ? p_ + 2 : end_;
      } else {
        return;
      }
    }
  }

  bool skipQuoted(char quote) {
    ++p_;
    while (p_ < end_ && *p_ != quote) {
      if (*p_ == '\\' && p_ + 1 < end_)
        ++p_;
      if (*p_ == '\n')
        ++line_;
      ++p_;
    }
    if (p_ >= end_)
      return false;
    ++p_;
    return true;
  }

  const char* p_;
  const char* end_;
  int line_ = 1;
};

std::string commandWord(const Statement& s) {
  const char* p = s.begin;
  while (p < s.end && (std::isalnum(static_cast<unsigned char>(*p)) || *p == '_'))
    ++p;
  return std::string(s.begin, p);
}

std::string located(const std::string& file, int line, const std::string& reason) {
  return file + ":" + std::to_string(line) + ": " + reason;
}

// The interpreter counts lines from the statement's first; without a line
// the failure is placed at the statement.
std::string located(const std::string& file, int statementLine, const MelFailure& failure) {
  return located(file, failure.line > 0 ? statementLine + failure.line - 1 : statementLine, failure.reason);
}

// "file:line: setAttr: reason (node.plug is refused)"
std::string refusedSetAttr(const std::string& file, int line, const SetAttrRefusal& refusal) {
  std::string lost = refusal.plug.empty() ? "" : " (" + refusal.plug + " is refused)";
  return located(file, line, "setAttr: " + refusal.reason + lost);
}

// What a file read as a reference leaves to the scene that references it.
bool sceneWide(const std::string& word) {
  return word == "requires" || word == "fileInfo" || word == "currentUnit";
}

bool isReferenceEdits(const std::string& word, const Statement& s) {
  static const std::string marker = "-type \"dataReferenceEdits\"";
  return word == "setAttr" && std::search(s.begin, s.end, marker.begin(), marker.end()) != s.end;
}

bool readFileText(const std::string& path, std::string& text, std::vector<std::string>& problems) {
  const FileRead read = readWholeFile(path, text);
  if (read == FileRead::kRead)
    return true;
  problems.push_back(path + ":0: " + (read == FileRead::kCannotOpen ? "cannot open the file" : "cannot read the file"));
  return false;
}

bool isMayaAscii(const std::string& text, const std::string& path, std::vector<std::string>& problems) {
  if (text.compare(0, 12, "//Maya ASCII") == 0)
    return true;
  problems.push_back(path + ":1: not a Maya ASCII scene (it does not begin with //Maya ASCII)");
  return false;
}

// Runs the statements of one file; false when the text ends inside a string.
bool readStatements(const std::string& text, const std::string& path, std::vector<std::string>& problems) {
  auto& refs = scene().references;
  const bool referenced = refs.openFiles.size() > 1;
  std::vector<std::string> editHolders;
  FileSetAttrs setAttrs(text.size() / 2);  // an element takes at least two characters
  StatementSplitter splitter(text);
  Statement s;
  std::string error;
  bool complete = true;
  while (error.empty() && splitter.next(s, error)) {
    if (!error.empty()) {
      problems.push_back(path + ":" + std::to_string(s.line) + ": " + error);
      complete = false;
      break;
    }
    scene().currentLine = s.line;
    std::string word = commandWord(s);
    if (referenced && sceneWide(word))
      continue;
    const bool edits = isReferenceEdits(word, s);
    if (word != "setAttr" || edits)
      setAttrs.lastPlugs.forget();  // a command may have added or removed attributes
    if (edits) {
      std::string holder, failure;
      if (!readReferenceEdits(s.begin + 7, s.end, holder, failure))
        problems.push_back(located(path, s.line, "setAttr: " + failure));
      if (!holder.empty())
        editHolders.push_back(holder);
      continue;
    }
    if (word == "setAttr") {
      SetAttrRefusal refusal;
      if (!applyFileSetAttr(s.begin + 7, s.end, setAttrs, s.line, refusal))
        reportRefusal(problems, refusedSetAttr(path, s.line, refusal), refusal.geometry);
      continue;
    }
    MelValue ignored;
    MelFailure failure;
    const bool ok = mel().run(std::string(s.begin, s.end) + ";", ignored, failure);
    problems.insert(problems.end(), refs.messages.begin(), refs.messages.end());
    refs.messages.clear();
    if (!ok)
      problems.push_back(located(path, s.line, failure));
  }
  applyReferenceEdits(editHolders, problems);
  return complete;
}

}  // namespace

// A referenced Maya ASCII file, read into the scene under its namespace.
bool readMayaAsciiInto(const std::string& path, std::vector<std::string>& problems) {
  std::string text;
  if (!readFileText(path, text, problems) || !isMayaAscii(text, path, problems))
    return false;
  return readStatements(text, path, problems);
}

bool loadMayaAscii(const std::string& path, std::vector<std::string>& problems) {
  std::string text;
  if (!readFileText(path, text, problems))
    return false;
  adoptWorkspace(path);
  return loadMayaAsciiText(text, path, problems);
}

bool loadMayaAsciiText(const std::string& text, const std::string& path, std::vector<std::string>& problems) {
  if (!isMayaAscii(text, path, problems))
    return false;
  scene().reset();
  scene().fileFormat = "mayaAscii";
  // "//Maya ASCII 2025ff01 scene": the version of the Maya that wrote it.
  const std::size_t versionEnd = text.find_first_of(" \r\n", 13);
  if (text.size() > 13 && text[12] == ' ' && versionEnd != std::string::npos && versionEnd - 13 <= 32)
    scene().savedBy = text.substr(13, versionEnd - 13);
  SceneLoading loading;
  scene().references.readers["mayaAscii"] = readMayaAsciiInto;
  startReferences(path);
  const bool complete = readStatements(text, path, problems);
  finishReferences();
  evaluateLoadedScene(path, problems);
  scene().modified = false;
  return complete;
}

}  // namespace OmbrixHost
