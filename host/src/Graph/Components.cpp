#include "Components.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace OmbrixHost {
namespace {

struct Prefix {
  const char* text;
  MFn::Type type;
};
const Prefix kPrefixes[] = {{"f", MFn::kMeshPolygonComponent},
                            {"vtx", MFn::kMeshVertComponent},
                            {"e", MFn::kMeshEdgeComponent},
                            {"map", MFn::kMeshMapComponent}};

// One to ten digits, nothing else; the value as strtol gives it (a value past
// long's range, possible where long has 32 bits, is long's largest).
bool parseNumber(const char* begin, const char* end, int64_t& out) {
  const auto length = end - begin;
  if (length <= 0 || length > 10)
    return false;
  int64_t value = 0;
  for (const char* c = begin; c != end; ++c) {
    if (*c < '0' || *c > '9')
      return false;
    value = value * 10 + (*c - '0');
  }
  out = std::min<int64_t>(value, std::numeric_limits<long>::max());
  return true;
}

MFn::Type prefixType(const std::string& text, std::size_t length) {
  for (const auto& p : kPrefixes)
    if (text.compare(0, length, p.text) == 0)
      return p.type;
  return MFn::kInvalid;
}

// The range between the brackets: "*", "N" or "N:M".
bool parseRange(const char* begin, const char* end, int count, int64_t& lo, int64_t& hi) {
  if (end - begin == 1 && *begin == '*') {
    if (count < 0)
      return false;
    lo = 0;
    hi = count - 1;
    return true;
  }
  const char* colon = std::find(begin, end, ':');
  if (colon == end) {
    if (!parseNumber(begin, end, lo))
      return false;
    hi = lo;
    return true;
  }
  return parseNumber(begin, colon, lo) && parseNumber(colon + 1, end, hi) && hi >= lo;
}

}  // namespace

bool parseComponentRange(const std::string& text, MFn::Type& type, int64_t& lo, int64_t& hi, int count) {
  const auto open = text.find('[');
  if (open == std::string::npos || text.back() != ']')
    return false;
  type = prefixType(text, open);
  if (type == MFn::kInvalid)
    return false;
  // 64 bits whatever long's size: the last index of the range is not the
  // largest value of the counter's type.
  return parseRange(text.data() + open + 1, text.data() + text.size() - 1, count, lo, hi);
}

bool parseComponent(const std::string& text, MFn::Type& type, std::vector<int>& elements, int count,
                    std::size_t limit) {
  int64_t lo = 0, hi = 0;
  if (!parseComponentRange(text, type, lo, hi, count))
    return false;
  if (hi >= lo && static_cast<std::size_t>(hi - lo + 1) > limit)
    return false;
  for (int64_t i = lo; i <= hi; ++i)
    elements.push_back(static_cast<int>(i));
  return true;
}

std::vector<std::string> formatComponent(MFn::Type type, const std::vector<int>& elements) {
  const char* prefix = "f";
  for (const auto& p : kPrefixes)
    if (p.type == type)
      prefix = p.text;
  std::vector<int> sorted = elements;
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  std::vector<std::string> out;
  for (std::size_t i = 0; i < sorted.size();) {
    std::size_t j = i;
    while (j + 1 < sorted.size() && sorted[j + 1] == sorted[j] + 1)
      ++j;
    std::string item = std::string(prefix) + "[" + std::to_string(sorted[i]);
    if (j > i)
      item += ":" + std::to_string(sorted[j]);
    out.push_back(item + "]");
    i = j + 1;
  }
  return out;
}

}  // namespace OmbrixHost
