#include <maya/MStatus.h>
#include <maya/MString.h>

#include <cstdio>

MStatus::MStatus() : code_(kSuccess) {}
MStatus::MStatus(MStatusCode code) : code_(code) {}
MStatus::MStatus(MStatusCode code, const MString& message) : code_(code), message_(message.asChar()) {}
bool MStatus::error() const { return code_ != kSuccess; }
void MStatus::clear() {
  code_ = kSuccess;
  message_.clear();
}
MStatus::MStatusCode MStatus::statusCode() const { return code_; }
MString MStatus::errorString() const {
  if (!message_.empty())
    return MString(message_.c_str());
  static const char* texts[] = {"(kSuccess): ",          "(kFailure): ",         "(kInsufficientMemory): ",
                                "(kInvalidParameter): ", "(kLicenseFailure): ",  "(kUnknownParameter): ",
                                "(kNotImplemented): ",   "(kNotFound): ",        "(kEndOfFile): "};
  return MString(texts[code_]);
}
void MStatus::perror(const char* text) const {
  std::fprintf(stderr, "%s: %s\n", text ? text : "", errorString().asChar());
}
void MStatus::perror(const MString& text) const { perror(text.asChar()); }
MStatus::operator bool() const { return code_ == kSuccess; }
bool MStatus::operator==(const MStatus& other) const { return code_ == other.code_; }
bool MStatus::operator==(MStatusCode code) const { return code_ == code; }
bool MStatus::operator!=(const MStatus& other) const { return code_ != other.code_; }
bool MStatus::operator!=(MStatusCode code) const { return code_ != code; }
