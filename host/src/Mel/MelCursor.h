#pragma once
// Reading MEL tokens: the interpreter's cursor over a statement list, and the
// guard that bounds how deeply statements, blocks and expressions nest.
#include "MelInterpreter.h"

namespace OmbrixHost {

struct MelInterpreter::Cursor {
  const std::vector<MelToken>& t;
  std::size_t i = 0;
  const MelToken& peek(std::size_t ahead = 0) const {
    std::size_t k = i + ahead;
    return k < t.size() ? t[k] : t.back();
  }
  const MelToken& next() {
    const MelToken& tok = peek();
    if (i + 1 < t.size())
      ++i;
    return tok;
  }
  bool isPunct(const char* p, std::size_t ahead = 0) const {
    return peek(ahead).kind == MelToken::kPunct && peek(ahead).text == p;
  }
  bool isWord(const char* w) const { return peek().kind == MelToken::kWord && peek().text == w; }
  bool accept(const char* p) {
    if (!isPunct(p))
      return false;
    next();
    return true;
  }
  void expect(const char* p) {
    if (!accept(p))
      MelInterpreter::fail(std::string("Syntax error: expected '") + p + "' before '" + peek().text + "'");
  }
  bool atEnd() const { return peek().kind == MelToken::kEnd; }
};

// Bounds how deeply statements, blocks and expressions nest, so that hostile
// text cannot exhaust the stack.
class NestingGuard {
public:
  explicit NestingGuard(int& counter) : n_(counter) {
    if (++n_ > 200) {
      --n_;
      MelInterpreter::fail("Statements or expressions nest too deeply.");
    }
  }
  ~NestingGuard() { --n_; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;

private:
  int& n_;
};

}  // namespace OmbrixHost
