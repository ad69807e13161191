#include "MelLexer.h"

#include <cctype>
#include <cstring>

namespace OmbrixHost {
namespace {

// Characters of names, paths and plugs. * and ? continue a word (a name
// pattern such as pCube*) but do not start one: alone they are operators.
bool wordStart(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == ':' || c == '|' || c == '.' || c == '#' ||
         c == '@';
}

bool wordChar(char c) { return wordStart(c) || c == '*' || c == '?'; }

}  // namespace

bool tokenizeMel(const std::string& text, std::vector<MelToken>& out, MelFailure& failure) {
  std::size_t i = 0, n = text.size();
  int line = 1;
  bool space = true;
  auto push = [&](MelToken::Kind kind, std::string t) {
    out.push_back(MelToken{kind, std::move(t), line, space});
    space = false;
  };
  while (i < n) {
    char c = text[i];
    if (c == '\n') {
      ++line;
      ++i;
      space = true;
      continue;
    }
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
      space = true;
      continue;
    }
    if (c == '/' && i + 1 < n && text[i + 1] == '/') {
      while (i < n && text[i] != '\n')
        ++i;
      space = true;
      continue;
    }
    if (c == '/' && i + 1 < n && text[i + 1] == '*') {
      i += 2;
      while (i + 1 < n && !(text[i] == '*' && text[i + 1] == '/')) {
        if (text[i] == '\n')
          ++line;
        ++i;
      }
      i += 2;
      space = true;
      continue;
    }
    if (c == '"') {
      std::string s;
      int startLine = line;
      ++i;
      while (i < n && text[i] != '"') {
        char ch = text[i];
        if (ch == '\n')
          ++line;
        if (ch == '\\' && i + 1 < n) {
          char e = text[++i];
          switch (e) {
          case 'n':
            s += '\n';
            break;
          case 't':
            s += '\t';
            break;
          case 'r':
            s += '\r';
            break;
          default:
            s += e;
          }
          ++i;
          continue;
        }
        s += ch;
        ++i;
      }
      if (i >= n) {
        failure = MelFailure{startLine, "unterminated string"};
        return false;
      }
      ++i;
      int keep = line;
      line = startLine;
      push(MelToken::kString, s);
      line = keep;
      continue;
    }
    if (c == '`') {
      std::size_t end = text.find('`', i + 1);
      if (end == std::string::npos) {
        failure = MelFailure{line, "unterminated backquote"};
        return false;
      }
      push(MelToken::kBackquote, text.substr(i + 1, end - i - 1));
      for (std::size_t k = i; k < end; ++k)
        if (text[k] == '\n')
          ++line;
      i = end + 1;
      continue;
    }
    if (c == '$') {
      std::size_t start = i++;
      while (i < n && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'))
        ++i;
      push(MelToken::kVariable, text.substr(start, i - start));
      continue;
    }
    if (std::isdigit(static_cast<unsigned char>(c)) ||
        (c == '.' && i + 1 < n && std::isdigit(static_cast<unsigned char>(text[i + 1])))) {
      std::size_t start = i;
      while (i < n && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.'))
        ++i;
      if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t save = i++;
        if (i < n && (text[i] == '+' || text[i] == '-'))
          ++i;
        if (i < n && std::isdigit(static_cast<unsigned char>(text[i])))
          while (i < n && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        else
          i = save;
      }
      // Digits running into letters make a word (a name such as 2dTexture).
      if (i < n && (std::isalpha(static_cast<unsigned char>(text[i])) || text[i] == '_')) {
        while (i < n && wordChar(text[i]))
          ++i;
        push(MelToken::kWord, text.substr(start, i - start));
        continue;
      }
      push(MelToken::kNumber, text.substr(start, i - start));
      continue;
    }
    if (wordStart(c)) {
      std::size_t start = i;
      while (i < n && wordChar(text[i]))
        ++i;
      push(MelToken::kWord, text.substr(start, i - start));
      continue;
    }
    static const char* pairs[] = {"==", "!=", "<=", ">=", "&&", "||", "+=", "-=", "++", "--"};
    bool matched = false;
    for (const char* p : pairs)
      if (text.compare(i, 2, p) == 0) {
        push(MelToken::kPunct, p);
        i += 2;
        matched = true;
        break;
      }
    if (matched)
      continue;
    push(MelToken::kPunct, std::string(1, c));
    ++i;
  }
  out.push_back(MelToken{MelToken::kEnd, "", line, true});
  return true;
}

}  // namespace OmbrixHost
