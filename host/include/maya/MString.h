#pragma once
#include <maya/MTypes.h>
#include <iosfwd>
#include <string>

class MStringArray;
class MStatus;

class OPENMAYA_EXPORT MString {
public:
  MString();
  MString(const char* text);
  MString(const char* text, int length);
  MString(const MString& other);
  ~MString();
  MString& operator=(const MString& other);
  MString& operator=(const char* text);
  MString& operator+=(const MString& other);
  MString& operator+=(const char* text);
  MString& operator+=(int value);
  MString& operator+=(unsigned int value);
  MString& operator+=(double value);
  MString operator+(const MString& other) const;
  MString operator+(const char* text) const;
  MString operator+(double value) const;
  bool operator==(const MString& other) const;
  bool operator==(const char* text) const;
  bool operator!=(const MString& other) const;
  bool operator!=(const char* text) const;
  const char* asChar() const;
  const char* asUTF8() const;
  MStatus setUTF8(const char* utf8String);
  unsigned int length() const;
  unsigned int numChars() const;
  void clear();
  int index(char c) const;
  int rindex(char c) const;
  int indexW(const MString& text) const;
  MString substring(int start, int end) const;
  MString substringW(int start, int end) const;
  MStatus split(char separator, MStringArray& output) const;
  bool isInt() const;
  bool isDouble() const;
  int asInt() const;
  double asDouble() const;
  MString& toLowerCase();
  MString& toUpperCase();
  MStatus set(const char* text);
  MStatus set(double value);

private:
  std::string text_;
};

OPENMAYA_EXPORT MString operator+(const char* text, const MString& other);
OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& out, const MString& text);
