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

// False with `error` ("line N: reason") on an unterminated string or quote.
bool tokenizeMel(const std::string& text, std::vector<MelToken>& out, std::string& error);

}  // namespace OmbrixHost
