#include "MelValue.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace OmbrixHost {

static bool parseNumber(const std::string& s, double& out) {
  if (s.empty())
    return false;
  char* end = nullptr;
  out = std::strtod(s.c_str(), &end);
  return end && *end == '\0' && !std::isspace(static_cast<unsigned char>(s[0]));
}

bool MelValue::isNumber() const {
  double d;
  return kind == kInt || kind == kFloat || (kind == kString && parseNumber(s, d));
}

bool MelValue::isFlag() const {
  return kind == kString && word && s.size() > 1 && s[0] == '-' && std::isalpha(static_cast<unsigned char>(s[1]));
}

double MelValue::asNumber() const {
  switch (kind) {
  case kInt:
    return static_cast<double>(i);
  case kFloat:
    return f;
  case kString: {
    double d = 0.0;
    if (s == "true" || s == "yes" || s == "on")
      return 1.0;
    parseNumber(s, d);
    return d;
  }
  default:
    return 0.0;
  }
}

std::string MelValue::asString() const {
  switch (kind) {
  case kInt:
    return std::to_string(i);
  case kFloat: {
    std::ostringstream out;
    out.precision(10);
    out << f;
    return out.str();
  }
  case kString:
    return s;
  case kStringArray: {
    std::string out;
    for (const auto& x : strings)
      out += (out.empty() ? "" : " ") + x;
    return out;
  }
  case kIntArray:
  case kFloatArray: {
    std::ostringstream out;
    for (std::size_t k = 0; k < numbers.size(); ++k)
      out << (k ? " " : "") << numbers[k];
    return out.str();
  }
  default:
    return "";
  }
}

bool MelValue::truth() const {
  switch (kind) {
  case kString:
    return !s.empty() && asNumber() != 0.0;
  case kStringArray:
    return !strings.empty();
  case kIntArray:
  case kFloatArray:
    return !numbers.empty();
  default:
    return asNumber() != 0.0;
  }
}

}  // namespace OmbrixHost
