#pragma once
// Reads the values of a setAttr statement straight from its text: numbers,
// words and quoted strings, without building tokens for every value (a mesh
// of a million faces has tens of millions of them).
#include <cstddef>
#include <string>

namespace OmbrixHost {

class DataCursor {
public:
  DataCursor(const char* begin, const char* end) : p_(begin), end_(end) {}

  bool atEnd();
  // The next item: a quoted string (unescaped) or a run of non-blank characters.
  bool item(std::string& out, bool& quoted);
  // Skips to the first quoted string and takes it (a setAttr line's plug).
  bool firstQuoted(std::string& out);
  // The next item as a number; yes/no/on/off/true/false count as 1 and 0.
  bool number(double& out);
  bool integer(long long& out);
  // Looks at the next item without taking it.
  bool peek(std::string& out, bool& quoted);
  const char* position() const { return p_; }
  std::size_t remaining() const { return p_ < end_ ? static_cast<std::size_t>(end_ - p_) : 0; }

private:
  void skipBlanks();
  const char* p_;
  const char* end_;
};

}  // namespace OmbrixHost
