#include <maya/MString.h>
#include <maya/MStatus.h>
#include <maya/MStringArray.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <ostream>
#include <sstream>

namespace {
std::string numberText(double value) {
  std::ostringstream out;
  out.precision(15);
  out << value;
  return out.str();
}
}  // namespace

MString::MString() = default;
MString::MString(const char* text) : text_(text ? text : "") {}
MString::MString(const char* text, int length) : text_(text && length > 0 ? std::string(text, length) : "") {}
MString::MString(const MString& other) = default;
// The host's strings are UTF-8 already.
MStatus MString::setUTF8(const char* utf8String) {
  text_ = utf8String ? utf8String : "";
  return MStatus::kSuccess;
}
MString::~MString() = default;
MString& MString::operator=(const MString& other) = default;
MString& MString::operator=(const char* text) {
  text_ = text ? text : "";
  return *this;
}
MString& MString::operator+=(const MString& other) {
  text_ += other.text_;
  return *this;
}
MString& MString::operator+=(const char* text) {
  if (text)
    text_ += text;
  return *this;
}
MString& MString::operator+=(int value) {
  text_ += std::to_string(value);
  return *this;
}
MString& MString::operator+=(unsigned int value) {
  text_ += std::to_string(value);
  return *this;
}
MString& MString::operator+=(double value) {
  text_ += numberText(value);
  return *this;
}
MString MString::operator+(const MString& other) const {
  MString out(*this);
  out += other;
  return out;
}
MString MString::operator+(const char* text) const {
  MString out(*this);
  out += text;
  return out;
}
MString MString::operator+(double value) const {
  MString out(*this);
  out += value;
  return out;
}
bool MString::operator==(const MString& other) const { return text_ == other.text_; }
bool MString::operator==(const char* text) const { return text_ == (text ? text : ""); }
bool MString::operator!=(const MString& other) const { return !(*this == other); }
bool MString::operator!=(const char* text) const { return !(*this == text); }
const char* MString::asChar() const { return text_.c_str(); }
const char* MString::asUTF8() const { return text_.c_str(); }
unsigned int MString::length() const { return static_cast<unsigned int>(text_.size()); }
unsigned int MString::numChars() const { return length(); }
void MString::clear() { text_.clear(); }
int MString::index(char c) const {
  auto at = text_.find(c);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}
int MString::rindex(char c) const {
  auto at = text_.rfind(c);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}
int MString::indexW(const MString& text) const {
  auto at = text_.find(text.text_);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}
MString MString::substring(int start, int end) const {
  int size = static_cast<int>(text_.size());
  start = std::max(start, 0);
  end = std::min(end, size - 1);
  if (start > end)
    return MString();
  return MString(text_.c_str() + start, end - start + 1);
}
MString MString::substringW(int start, int end) const { return substring(start, end); }
MStatus MString::split(char separator, MStringArray& output) const {
  output.clear();
  std::size_t start = 0;
  while (start <= text_.size()) {
    auto at = text_.find(separator, start);
    std::string part = text_.substr(start, at == std::string::npos ? std::string::npos : at - start);
    if (!part.empty())
      output.append(MString(part.c_str()));
    if (at == std::string::npos)
      break;
    start = at + 1;
  }
  return MStatus::kSuccess;
}
bool MString::isInt() const {
  if (text_.empty())
    return false;
  char* end = nullptr;
  std::strtol(text_.c_str(), &end, 10);
  return end && *end == '\0';
}
bool MString::isDouble() const {
  if (text_.empty())
    return false;
  char* end = nullptr;
  std::strtod(text_.c_str(), &end);
  return end && *end == '\0';
}
int MString::asInt() const { return static_cast<int>(std::strtol(text_.c_str(), nullptr, 10)); }
double MString::asDouble() const { return std::strtod(text_.c_str(), nullptr); }
MString& MString::toLowerCase() {
  for (auto& c : text_)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return *this;
}
MString& MString::toUpperCase() {
  for (auto& c : text_)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return *this;
}
MStatus MString::set(const char* text) {
  *this = text;
  return MStatus::kSuccess;
}
MStatus MString::set(double value) {
  text_ = numberText(value);
  return MStatus::kSuccess;
}

MString operator+(const char* text, const MString& other) { return MString(text) + other; }
std::ostream& operator<<(std::ostream& out, const MString& text) { return out << text.asChar(); }
