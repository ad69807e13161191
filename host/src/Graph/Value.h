#pragma once
// One stored plug value: a number, a text, or a list of numbers or texts
// (double3, float2, matrix, Int32Array, stringArray, componentList).
#include <string>
#include <vector>

namespace OmbrixHost {

struct Value {
  enum Kind { kNone, kNumber, kString, kNumbers, kStrings };
  Kind kind = kNone;
  double number = 0.0;
  std::string text;
  std::vector<double> numbers;
  std::vector<std::string> strings;

  static Value ofNumber(double n) {
    Value v;
    v.kind = kNumber;
    v.number = n;
    return v;
  }
  static Value ofString(std::string s) {
    Value v;
    v.kind = kString;
    v.text = std::move(s);
    return v;
  }
  static Value ofNumbers(std::vector<double> n) {
    Value v;
    v.kind = kNumbers;
    v.numbers = std::move(n);
    return v;
  }
  static Value ofStrings(std::vector<std::string> s) {
    Value v;
    v.kind = kStrings;
    v.strings = std::move(s);
    return v;
  }
};

}  // namespace OmbrixHost
