#pragma once
// Tokens of MEL text. Each token records whether blanks preceded it, so that
// command-style arguments such as -na, |a|b or .fc[0:3] can be glued back.
#include <string>
#include <vector>

namespace OmbrixHost {

struct MelToken {
  enum Kind { kWord, kNumber, kString, kVariable, kBackquote, kPunct, kEnd };
  Kind kind = kEnd;
  std::string text;
  int line = 1;
  bool spaceBefore = true;
};

// Why MEL text failed, and on which of its lines (counted from 1; 0 when
// the failure has no line, as an internal error has not).
struct MelFailure {
  int line = 0;
  std::string reason;

  // "line N: reason", or the reason alone when there is no line.
  std::string text() const { return line > 0 ? "line " + std::to_string(line) + ": " + reason : reason; }
};

// False with `failure` on an unterminated string or quote.
bool tokenizeMel(const std::string& text, std::vector<MelToken>& out, MelFailure& failure);

}  // namespace OmbrixHost
