#pragma once
#include <maya/MTypes.h>
#include <string>

class MString;

class OPENMAYA_EXPORT MStatus {
public:
  enum MStatusCode {
    kSuccess = 0,
    kFailure,
    kInsufficientMemory,
    kInvalidParameter,
    kLicenseFailure,
    kUnknownParameter,
    kNotImplemented,
    kNotFound,
    kEndOfFile
  };
  MStatus();
  MStatus(MStatusCode code);
  bool error() const;
  void clear();
  MStatusCode statusCode() const;
  MString errorString() const;
  void perror(const char* text) const;
  void perror(const MString& text) const;
  operator bool() const;
  bool operator==(const MStatus& other) const;
  bool operator==(MStatusCode code) const;
  bool operator!=(const MStatus& other) const;
  bool operator!=(MStatusCode code) const;

private:
  friend class OmbrixHost::Access;
  MStatus(MStatusCode code, const MString& message);
  MStatusCode code_;
  std::string message_;
};
