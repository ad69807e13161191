#include "DataCursor.h"

#include <charconv>
#include <cstring>

namespace OmbrixHost {

void DataCursor::skipBlanks() {
  while (p_ < end_ && (*p_ == ' ' || *p_ == '\t' || *p_ == '\n' || *p_ == '\r'))
    ++p_;
}

bool DataCursor::atEnd() {
  skipBlanks();
  return p_ >= end_;
}

bool DataCursor::item(std::string& out, bool& quoted) {
  skipBlanks();
  out.clear();
  quoted = false;
  if (p_ >= end_)
    return false;
  if (*p_ == '(') {
    // ("text" + "more" ...): how Maya writes long strings.
    const char* save = p_++;
    std::string part;
    bool partQuoted = false;
    while (item(part, partQuoted) && partQuoted) {
      out += part;
      skipBlanks();
      if (p_ < end_ && *p_ == '+') {
        ++p_;
        continue;
      }
      if (p_ < end_ && *p_ == ')') {
        ++p_;
        quoted = true;
        return true;
      }
      break;
    }
    p_ = save;
    out.clear();
  }
  if (*p_ == '"') {
    quoted = true;
    ++p_;
    while (p_ < end_ && *p_ != '"') {
      if (*p_ == '\\' && p_ + 1 < end_) {
        char e = *++p_;
        out += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
        ++p_;
        continue;
      }
      out += *p_++;
    }
    if (p_ >= end_)
      return false;  // unterminated
    ++p_;
    return true;
  }
  const char* start = p_;
  while (p_ < end_ && *p_ != ' ' && *p_ != '\t' && *p_ != '\n' && *p_ != '\r')
    ++p_;
  out.assign(start, p_);
  return true;
}

bool DataCursor::peek(std::string& out, bool& quoted) {
  const char* save = p_;
  bool ok = item(out, quoted);
  p_ = save;
  return ok;
}

bool DataCursor::firstQuoted(std::string& out) {
  bool quoted = false;
  while (item(out, quoted))
    if (quoted)
      return true;
  return false;
}

bool DataCursor::number(double& out) {
  skipBlanks();
  if (p_ >= end_)
    return false;
  const char* start = *p_ == '+' ? p_ + 1 : p_;
  auto result = std::from_chars(start, end_, out);
  if (result.ec == std::errc() && (result.ptr == end_ || std::strchr(" \t\r\n", *result.ptr))) {
    p_ = result.ptr;
    return true;
  }
  std::string word;
  bool quoted;
  const char* save = p_;
  if (!item(word, quoted) || quoted) {
    p_ = save;
    return false;
  }
  if (word == "yes" || word == "on" || word == "true") {
    out = 1.0;
    return true;
  }
  if (word == "no" || word == "off" || word == "false") {
    out = 0.0;
    return true;
  }
  p_ = save;
  return false;
}

bool DataCursor::integer(long long& out) {
  skipBlanks();
  auto result = std::from_chars(p_, end_, out);
  if (result.ec != std::errc() || (result.ptr != end_ && !std::strchr(" \t\r\n", *result.ptr)))
    return false;
  p_ = result.ptr;
  return true;
}

}  // namespace OmbrixHost
