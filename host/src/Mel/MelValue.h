#pragma once
// Values of the MEL subset: int, float, string and their arrays.
#include <maya/MTypes.h>

#include <string>
#include <vector>

namespace OmbrixHost {

struct OPENMAYA_EXPORT MelValue {
  enum Kind { kNone, kInt, kFloat, kString, kStringArray, kIntArray, kFloatArray };
  Kind kind = kNone;
  long long i = 0;
  double f = 0.0;
  std::string s;
  std::vector<std::string> strings;
  std::vector<double> numbers;
  bool word = false;  // an unquoted word of a command-style argument list
  bool boolean = false;  // an int a command set as a bool result (Python reads True/False)

  static MelValue ofKind(Kind k) {
    MelValue m;
    m.kind = k;
    return m;
  }
  static MelValue ofInt(long long v) {
    MelValue m;
    m.kind = kInt;
    m.i = v;
    return m;
  }
  static MelValue ofFloat(double v) {
    MelValue m;
    m.kind = kFloat;
    m.f = v;
    return m;
  }
  static MelValue ofString(std::string v, bool word = false) {
    MelValue m;
    m.kind = kString;
    m.s = std::move(v);
    m.word = word;
    return m;
  }
  static MelValue ofStrings(std::vector<std::string> v) {
    MelValue m;
    m.kind = kStringArray;
    m.strings = std::move(v);
    return m;
  }

  bool isNumber() const;
  bool isFlag() const;  // an unquoted "-name"
  double asNumber() const;
  std::string asString() const;
  bool truth() const;
};

}  // namespace OmbrixHost
